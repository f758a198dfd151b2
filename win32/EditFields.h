#pragma once

#include "FieldSurface.h"
#include "LayoutTable.h"

#include <windows.h>

#include <array>

class Beeper;

// The converter's fields are the window's four EDIT controls; the beep goes
// to the Beeper. Every call on a control has its result checked, and a
// failure is raised as a failed control operation.
class EditFields : public FieldSurface {
public:
    using Controls = std::array<HWND, LayoutTable::Controls.size()>;

    // `controls` is the window's table of control handles, indexed by
    // ControlId; it may still be empty here and is read at each call.
    EditFields(const Controls& controls, Beeper& beeper);

    Text readText(Field field) override;
    void writeText(Field field, const Text& text) override;
    void setFocus(Field field) override;
    void beep() override;

private:
    HWND edit(Field field) const;

    const Controls& controls_;
    Beeper& beeper_;
};
