#include "Decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// How many '0' stand from `from` on. Four at a time: a field may hold
// 32,000 leading zeros, and comparing them one by one was most of what a
// conversion of such a field cost.
std::size_t zerosFrom(std::u16string_view text, std::size_t from)
{
    constexpr std::uint64_t FourZeros = 0x0030'0030'0030'0030;
    std::size_t i = from;
    for (std::uint64_t four = 0; i + 4 <= text.size(); i += 4) {
        std::memcpy(&four, text.data() + i, sizeof four);
        if (four != FourZeros)
            break;
    }
    while (i < text.size() && text[i] == u'0')
        ++i;
    return i - from;
}

// Accumulates the digits of a plain number as they are read, keeping only
// what a Decimal needs: no leading zeros, and the place of the first digit.
class DigitCollector {
public:
    bool sawDigit() const { return sawDigit_; }

    // Reads digits, at most one point, digits from `from` on, and returns
    // where the first character that cannot continue them stands.
    std::size_t read(std::u16string_view text, std::size_t from)
    {
        for (;;) {
            if (digits_.empty()) {
                const std::size_t zeros = zerosFrom(text, from);
                if (zeros > 0) {
                    sawDigit_ = true;
                    if (afterPoint_)
                        zerosAfterPoint_ += static_cast<std::int64_t>(zeros);
                    from += zeros;
                }
            }
            const std::size_t first = from;
            while (from < text.size() && isDigit(text[from]))
                ++from;
            if (from > first) {
                sawDigit_ = true;
                const std::size_t kept = digits_.size();
                digits_.resize(kept + (from - first));
                std::transform(text.begin() + static_cast<std::ptrdiff_t>(first),
                               text.begin() + static_cast<std::ptrdiff_t>(from),
                               digits_.begin() + static_cast<std::ptrdiff_t>(kept),
                               [](char16_t c) { return static_cast<char>(c); });
                if (!afterPoint_)
                    integerDigits_ += static_cast<std::int64_t>(from - first);
            }
            if (from < text.size() && text[from] == u'.' && !afterPoint_) {
                afterPoint_ = true;
                ++from;
                continue;
            }
            return from;
        }
    }

    // The exponent of the first significant digit, before any E part.
    std::int64_t exponent() const { return integerDigits_ > 0 ? integerDigits_ - 1 : -1 - zerosAfterPoint_; }
    std::string takeDigits() { return std::move(digits_); }

private:
    std::string digits_;
    std::int64_t integerDigits_ = 0;   // significant ones, before the point
    std::int64_t zerosAfterPoint_ = 0; // between the point and the first significant digit
    bool afterPoint_ = false;
    bool sawDigit_ = false;
};

// Saturates far outside any range a double or a field can reach, so that a
// written exponent of many digits cannot overflow the arithmetic.
constexpr std::int64_t ExponentLimit = 1'000'000'000'000LL;

} // namespace

Decimal::Decimal(bool negative, std::string digits, std::int64_t exponent)
    : negative_(negative)
    , digits_(std::move(digits))
    , exponent_(exponent)
{
    digits_.erase(digits_.find_last_not_of('0') + 1);
    if (digits_.empty()) {
        negative_ = false;
        exponent_ = 0;
    }
}

Decimal Decimal::fromDouble(double value)
{
    // 767 decimals after the first digit hold every double exactly, so the
    // digits below are the value itself, not an approximation of it.
    std::array<char, 800> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                      std::chars_format::scientific, 767);
    const std::string_view text(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
    const auto e = text.find('e');
    std::string digits;
    digits.reserve(e);
    for (char c : text.substr(0, e))
        if (c != '.')
            digits += c;
    int exponent = 0;
    const auto expText = text.substr(e + 1);
    const char* first = expText.data() + (expText.front() == '+' ? 1 : 0);
    std::from_chars(first, expText.data() + expText.size(), exponent);
    if (digits.find_first_not_of('0') == std::string::npos)
        return {};
    return Decimal(std::signbit(value), std::move(digits), exponent);
}

std::optional<Decimal> Decimal::parse(std::u16string_view text, Syntax syntax)
{
    std::size_t i = 0;
    bool negative = false;
    if (syntax == Syntax::WithExponent && i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';

    DigitCollector collector;
    i = collector.read(text, i);
    if (!collector.sawDigit())
        return std::nullopt;

    std::int64_t written = 0;
    if (i < text.size() && syntax == Syntax::WithExponent && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            negativeExponent = text[i++] == u'-';
        const std::size_t firstDigit = i;
        for (; i < text.size() && isDigit(text[i]); ++i)
            written = std::min(ExponentLimit, written * 10 + (text[i] - u'0'));
        if (i == firstDigit)
            return std::nullopt;
        if (negativeExponent)
            written = -written;
    }
    if (i != text.size())
        return std::nullopt;

    const std::int64_t exponent = collector.exponent() + written;
    return Decimal(negative, collector.takeDigits(), exponent);
}

Decimal Decimal::parseLeading(std::u16string_view text)
{
    DigitCollector collector;
    collector.read(text, 0);
    const std::int64_t exponent = collector.exponent();
    return Decimal(false, collector.takeDigits(), exponent);
}

Decimal Decimal::roundedToSignificant(std::int64_t count) const
{
    return roundedKeeping(count);
}

Decimal Decimal::roundedToDecimals(std::int64_t places) const
{
    if (isZero())
        return *this;
    return roundedKeeping(exponent_ + 1 + places);
}

Decimal Decimal::roundedKeeping(std::int64_t keep) const
{
    if (keep >= static_cast<std::int64_t>(digits_.size()))
        return *this;
    if (keep < 0)
        return {};
    const bool up = digits_[static_cast<std::size_t>(keep)] >= '5';
    std::string kept = digits_.substr(0, static_cast<std::size_t>(keep));
    std::int64_t exponent = exponent_;
    if (up) {
        auto pos = kept.rbegin();
        while (pos != kept.rend() && *pos == '9')
            *pos++ = '0';
        if (pos == kept.rend()) {
            // 9...9 rounded up (or nothing kept): one more place in front.
            kept.insert(kept.begin(), '1');
            ++exponent;
        } else {
            ++*pos;
        }
    }
    return Decimal(negative_, std::move(kept), exponent);
}

std::optional<double> Decimal::toDouble() const
{
    if (isZero())
        return 0.0;
    // Far outside the double range the answer is known without reading.
    if (exponent_ > 400)
        return std::nullopt;
    if (exponent_ < -400)
        return negative_ ? -0.0 : 0.0;

    std::string text;
    text.reserve(digits_.size() + 16);
    text += digits_.front();
    if (digits_.size() > 1) {
        text += '.';
        text.append(digits_, 1);
    }
    text += 'e';
    text += std::to_string(exponent_);

    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars reports both ends of the range alike; only the top one is an error.
        if (exponent_ > 0)
            return std::nullopt;
        value = 0.0;
    }
    return negative_ ? -value : value;
}

char Decimal::digitAt(std::int64_t power) const
{
    const std::int64_t index = exponent_ - power;
    if (index < 0 || index >= static_cast<std::int64_t>(digits_.size()))
        return '0';
    return digits_[static_cast<std::size_t>(index)];
}

std::string Decimal::toFixed(int minIntegerDigits, int decimals, bool withPoint) const
{
    std::string out;
    if (negative_)
        out += '-';
    const std::int64_t top = std::max<std::int64_t>(isZero() ? 0 : exponent_, minIntegerDigits - 1);
    for (std::int64_t power = top; power >= 0; --power)
        out += digitAt(power);
    if (withPoint)
        out += '.';
    for (std::int64_t power = -1; power >= -decimals; --power)
        out += digitAt(power);
    return out;
}

int Decimal::compareMagnitude(const Decimal& a, const Decimal& b)
{
    if (a.isZero() || b.isZero())
        return (a.isZero() ? 0 : 1) - (b.isZero() ? 0 : 1);
    if (a.exponent_ != b.exponent_)
        return a.exponent_ < b.exponent_ ? -1 : 1;
    const int order = a.digits_.compare(b.digits_);
    return (order > 0) - (order < 0);
}
