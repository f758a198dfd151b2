#include "MessageBeeper.h"

#include <windows.h>

void MessageBeeper::beep()
{
    MessageBeep(MB_OK);
}
