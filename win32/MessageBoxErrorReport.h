#pragma once

#include "ErrorReport.h"

#include <windows.h>

// A modal message box, owned by the window, naming the error's number and
// description.
class MessageBoxErrorReport : public ErrorReport {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    void show(int number, std::u16string_view description) override;

private:
    HWND owner_ = nullptr;
};
