#pragma once

#include "Text.h"

#include <variant>

// A holder that is empty at first and afterwards holds a text or a double;
// a text becomes a number (by the strict reading) only when arithmetic
// needs it.
class ValueSlot {
public:
    ValueSlot() = default;
    explicit ValueSlot(Text text) : value_(std::move(text)) {}
    explicit ValueSlot(double number) : value_(number) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool holdsText() const { return std::holds_alternative<Text>(value_); }
    bool holdsNumber() const { return std::holds_alternative<double>(value_); }
    const Text& text() const { return std::get<Text>(value_); }
    double number() const { return std::get<double>(value_); }

    // Empty reads as 0, a text by the strict reading (which may raise).
    double toNumber() const;
    // Empty gives the empty text, a number its general text form.
    Text toText() const;

    // Both read their operands left to right and give a slot holding a
    // double. A result beyond the double range raises overflow; a zero
    // divisor raises division by zero (overflow for 0 / 0).
    friend ValueSlot operator*(const ValueSlot& left, const ValueSlot& right);
    friend ValueSlot operator/(const ValueSlot& dividend, const ValueSlot& divisor);

    friend bool operator==(const ValueSlot&, const ValueSlot&) = default;

private:
    std::variant<std::monostate, Text, double> value_;
};
