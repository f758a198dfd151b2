#include "FieldCheck.h"

#include "Int16.h"
#include "RuntimeError.h"

#include <algorithm>
#include <limits>

namespace {

// How many characters lie from `first` to `first + width`. Counted in
// blocks of a fixed size with a 16-bit count each, the compiler turns the
// inner loop into vector compares even at -O2, which makes a field of
// 32,766 characters cost a few microseconds.
std::int64_t countWithin(std::u16string_view text, char16_t first, char16_t width)
{
    constexpr std::size_t Block = 64;
    const auto within = [first, width](char16_t c) {
        return static_cast<std::uint16_t>(static_cast<char16_t>(c - first) <= width);
    };
    std::int64_t count = 0;
    std::size_t i = 0;
    for (; i + Block <= text.size(); i += Block) {
        std::uint16_t inBlock = 0;
        for (std::size_t k = 0; k < Block; ++k)
            inBlock = static_cast<std::uint16_t>(inBlock + within(text[i + k]));
        count += inBlock;
    }
    for (; i < text.size(); ++i)
        count += within(text[i]);
    return count;
}

} // namespace

void FieldCheck::setValidChars(Text chars)
{
    ValidChars = std::move(chars);
    runs_.clear();
    std::u16string sorted = ValidChars.chars();
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size();) {
        const char16_t c = sorted[i];
        const std::size_t next = sorted.find_first_not_of(c, i);
        const auto occurrences = static_cast<std::int32_t>((next == std::u16string::npos ? sorted.size() : next) - i);
        if (!runs_.empty() && runs_.back().occurrences == occurrences
            && runs_.back().first + runs_.back().width + 1 == c)
            ++runs_.back().width;
        else
            runs_.push_back(Run{c, 0, occurrences});
        i += static_cast<std::size_t>(occurrences);
    }
}

void FieldCheck::run(const Text& text)
{
    MatchCount = 0;
    BadInput = 0;
    try {
        const std::int16_t length = Int16::narrow(text.length());
        if (length > 0) {
            // Comparing each character with ValidChars under a 16-bit
            // counter overflows from the first character on when ValidChars
            // is as long as the counter's range; stepping through the field
            // overflows after the last of 32,767 characters.
            std::int16_t afterValid = Int16::narrow(ValidChars.length());
            Int16::increment(afterValid);
            std::int16_t afterLast = length;
            Int16::increment(afterLast);
        }
        // What comparing every character with every one of ValidChars would
        // count, run by run. The count only grows, so it overflows 16 bits
        // at its end if it did anywhere along the way.
        std::int64_t matches = 0;
        for (const Run& run : runs_)
            matches += run.occurrences * countWithin(text.view(), run.first, run.width);
        MatchCount = Int16::narrow(static_cast<std::int32_t>(std::min<std::int64_t>(matches, std::numeric_limits<std::int32_t>::max())));
    } catch (const RuntimeError& error) {
        if (error.kind() != ErrorKind::Overflow)
            throw;
        // The 16-bit counters cannot walk a field this long. Refusing the
        // field lets the user correct it, where the overflow would end the
        // program.
        BadInput = 1;
        return;
    }
    if (text.length() != MatchCount)
        BadInput = 1;
}
