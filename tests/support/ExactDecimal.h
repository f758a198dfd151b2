#pragma once

#include <cmath>
#include <string>
#include <vector>

// Test oracle: the exact decimal digits of a double, by long multiplication
// in base 10. Deliberately shares nothing with the code under test.
struct ExactDecimal {
    std::string digits; // significant digits, no trailing zeros; empty for zero
    int exponent = 0;   // place value of the first digit is 10^exponent

    static ExactDecimal of(double value)
    {
        ExactDecimal out;
        if (value == 0)
            return out;
        int binaryExponent = 0;
        const double mantissa = std::frexp(std::fabs(value), &binaryExponent);
        auto integer = static_cast<unsigned long long>(std::ldexp(mantissa, 53));
        binaryExponent -= 53;
        std::vector<int> little; // little-endian base-10 digits
        for (; integer; integer /= 10)
            little.push_back(static_cast<int>(integer % 10));
        auto multiply = [&little](int factor) {
            int carry = 0;
            for (int& d : little) {
                const int product = d * factor + carry;
                d = product % 10;
                carry = product / 10;
            }
            for (; carry; carry /= 10)
                little.push_back(carry % 10);
        };
        int tenPower = 0;
        for (; binaryExponent > 0; --binaryExponent)
            multiply(2);
        for (; binaryExponent < 0; ++binaryExponent, --tenPower)
            multiply(5); // x / 2 = x * 5 / 10
        for (auto it = little.rbegin(); it != little.rend(); ++it)
            out.digits += static_cast<char>('0' + *it);
        out.exponent = static_cast<int>(out.digits.size()) - 1 + tenPower;
        out.digits.erase(out.digits.find_last_not_of('0') + 1);
        return out;
    }

    // Rounded to `count` significant digits, halves away from zero.
    ExactDecimal significant(std::size_t count) const
    {
        if (digits.size() <= count)
            return *this;
        ExactDecimal out{digits.substr(0, count), exponent};
        if (digits[count] >= '5') {
            std::size_t i = count;
            while (i > 0 && out.digits[i - 1] == '9')
                out.digits[--i] = '0';
            if (i == 0) {
                out.digits.insert(0, "1");
                ++out.exponent;
            } else {
                ++out.digits[i - 1];
            }
        }
        out.digits.erase(out.digits.find_last_not_of('0') + 1);
        return out;
    }
};
