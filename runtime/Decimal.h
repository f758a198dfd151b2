#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A decimal number kept as its significant digits and the power of ten of
// the first one. Rounding is done on these digits, never on a double, so
// that halves are recognised exactly.
class Decimal {
public:
    enum class Syntax {
        Plain,        // digits with at most one '.', at least one digit
        WithExponent, // Plain, optionally signed, optionally followed by E, a sign and digits
    };

    Decimal() = default;

    // The exact value of a finite double.
    static Decimal fromDouble(double value);
    // The whole text read as a number; nothing when it is not one.
    static std::optional<Decimal> parse(std::u16string_view text, Syntax syntax);
    // The longest number at the start of the text (digits, at most one '.',
    // digits); zero when the text does not start with one.
    static Decimal parseLeading(std::u16string_view text);

    bool isZero() const { return digits_.empty(); }
    bool isNegative() const { return negative_; }
    // 10^exponent() is the place value of the first significant digit.
    std::int64_t exponent() const { return exponent_; }
    // Significant digits as ASCII, without leading or trailing zeros.
    const std::string& digits() const { return digits_; }

    // Both round halves away from zero.
    Decimal roundedToSignificant(std::int64_t count) const;
    Decimal roundedToDecimals(std::int64_t places) const;

    // The nearest double; nothing when the magnitude is beyond the double
    // range. A magnitude too small for a double gives 0 or a subnormal.
    std::optional<double> toDouble() const;

    // Plain notation with the integer part in full (at least minIntegerDigits
    // digits) and exactly `decimals` further digits after a point; the caller
    // rounds first, digits beyond `decimals` are cut.
    std::string toFixed(int minIntegerDigits, int decimals, bool withPoint) const;

    // Compares magnitudes, ignoring the sign: <0, 0 or >0.
    static int compareMagnitude(const Decimal& a, const Decimal& b);

private:
    Decimal(bool negative, std::string digits, std::int64_t exponent);
    Decimal roundedKeeping(std::int64_t keep) const;
    char digitAt(std::int64_t power) const;

    bool negative_ = false;
    std::string digits_;
    std::int64_t exponent_ = 0;
};
