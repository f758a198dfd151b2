#include "EditFields.h"

#include "Beeper.h"
#include "RuntimeError.h"
#include "WideText.h"

#include <string>

namespace {

[[noreturn]] void fail()
{
    throw RuntimeError(ErrorKind::FailedControlOperation);
}

} // namespace

EditFields::EditFields(const Controls& controls, Beeper& beeper)
    : controls_(controls)
    , beeper_(beeper)
{
}

HWND EditFields::edit(Field field) const
{
    const HWND edit = controls_[static_cast<std::size_t>(LayoutTable::controlOf(field))];
    if (!edit || !IsWindow(edit))
        fail();
    return edit;
}

Text EditFields::readText(Field field)
{
    const HWND control = edit(field);
    // Both calls return 0 for an empty text as well as on failure; only the
    // last error tells the two apart.
    SetLastError(0);
    const int length = GetWindowTextLengthW(control);
    if (length == 0 && GetLastError() != 0)
        fail();
    if (length == 0)
        return Text();
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    SetLastError(0);
    const int copied = GetWindowTextW(control, buffer.data(), length + 1);
    if (copied == 0 && GetLastError() != 0)
        fail();
    // The length may be overstated; what was copied is the text.
    buffer.resize(static_cast<std::size_t>(copied));
    return Text(fromWide(buffer));
}

void EditFields::writeText(Field field, const Text& text)
{
    const HWND control = edit(field);
    const std::wstring wide = toWide(text.view());
    if (!SetWindowTextW(control, wide.c_str()))
        fail();
}

void EditFields::setFocus(Field field)
{
    const HWND control = edit(field);
    // A hidden or disabled field cannot take the focus; asking it to is the
    // failed operation the converter must hear about.
    if (!IsWindowEnabled(control) || !IsWindowVisible(control))
        fail();
    // SetFocus returns the window that had the focus, which is none when the
    // focus was outside this thread: again only the last error tells.
    SetLastError(0);
    if (!SetFocus(control) && GetLastError() != 0)
        fail();
}

void EditFields::beep()
{
    beeper_.beep();
}
