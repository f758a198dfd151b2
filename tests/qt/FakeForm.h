#pragma once

#include "FakeSeams.h"
#include "Form1.h"

// A Form1 whose beep, error report, glide clock, ending and geometry are
// all fakes.
struct FakeForm : FakeFormSeams {
    Form1 form{seams<Form1::Seams>()};
};
