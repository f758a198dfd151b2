#pragma once

#include "Text.h"

enum class Field {
    Text1, // price of one bitcoin
    Text2, // bitcoin amount
    Text3, // money amount
    Text4, // where the focus rests after a conversion, outside the view
};

// All the converter may do to the window. Each operation may fail on the
// window's side; it then raises a RuntimeError of kind FailedControlOperation.
class FieldSurface {
public:
    virtual ~FieldSurface() = default;
    virtual Text readText(Field field) = 0;
    virtual void writeText(Field field, const Text& text) = 0;
    virtual void setFocus(Field field) = 0;
    virtual void beep() = 0;
};
