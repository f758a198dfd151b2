#include "Text.h"

Text Text::fromAscii(std::string_view ascii)
{
    return Text(std::u16string(ascii.begin(), ascii.end()));
}

std::string Text::toUtf8() const
{
    std::string out;
    out.reserve(chars_.size());
    for (std::size_t i = 0; i < chars_.size(); ++i) {
        char32_t c = chars_[i];
        // Pair up surrogates; a lone one becomes U+FFFD so the output stays valid.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < chars_.size() && chars_[i + 1] >= 0xDC00
            && chars_[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (chars_[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
