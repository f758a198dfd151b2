#include "ErrorReport.h"

#include <charconv>

std::u16string ErrorReport::message(int number, std::u16string_view description)
{
    // to_chars: the number must not pick up a locale's digit grouping.
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    std::u16string text = u"Run-time error '";
    text.append(digits, end);
    text += u"':\n\n";
    text += description;
    return text;
}
