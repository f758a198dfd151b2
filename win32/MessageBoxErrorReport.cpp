#include "MessageBoxErrorReport.h"

#include "LayoutTable.h"
#include "WideText.h"

void MessageBoxErrorReport::show(int number, std::u16string_view description)
{
    const std::wstring text = toWide(message(number, description));
    const std::wstring title = toWide(LayoutTable::Title);
    // An owner that is already gone would make the box fail to appear.
    const HWND owner = IsWindow(owner_) ? owner_ : nullptr;
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
