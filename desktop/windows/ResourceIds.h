#pragma once

// Resource ids shared by the resource script and the code that loads them.
// Plain #defines: the resource compilers read this file too.
#define MARROWVALE_ICON_ID 1
