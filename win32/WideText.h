#pragma once

#include <string>
#include <string_view>

// Windows' wide characters are the same 16-bit units as the program's own
// texts; these copy between the two types without converting anything.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide characters are UTF-16 units");

inline std::wstring toWide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

inline std::u16string fromWide(std::wstring_view text)
{
    return std::u16string(text.begin(), text.end());
}
