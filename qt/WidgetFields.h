#pragma once

#include "FieldSurface.h"

#include <QPointer>

#include <array>

class Beeper;
class QLineEdit;

// The converter's fields are the window's four line edits; the beep goes to
// the Beeper. Every operation checks that its control can take it and raises
// a failed control operation if not.
class WidgetFields : public FieldSurface {
public:
    WidgetFields(std::array<QLineEdit*, 4> edits, Beeper& beeper);

    Text readText(Field field) override;
    void writeText(Field field, const Text& text) override;
    void setFocus(Field field) override;
    void beep() override;

private:
    QLineEdit& edit(Field field) const;

    std::array<QPointer<QLineEdit>, 4> edits_;
    Beeper& beeper_;
};
