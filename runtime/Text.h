#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A text as the window's fields hold it: 16-bit characters, its length
// counted in those characters, positions counted from 1.
class Text {
public:
    Text() = default;
    Text(std::u16string chars) : chars_(std::move(chars)) {}
    Text(const char16_t* chars) : chars_(chars) {}
    Text(std::u16string_view chars) : chars_(chars) {}

    // Only for texts known to be ASCII (number text, patterns).
    static Text fromAscii(std::string_view ascii);
    std::string toUtf8() const;

    std::int32_t length() const { return static_cast<std::int32_t>(chars_.size()); }
    bool isEmpty() const { return chars_.empty(); }

    // The one character at a 1-based position, as a view; empty outside the
    // text. Inline: the field check takes one per character of a field.
    std::u16string_view charView(std::int32_t position) const
    {
        if (position < 1 || position > length())
            return {};
        return std::u16string_view(chars_).substr(static_cast<std::size_t>(position - 1), 1);
    }
    // The same as a text of its own.
    Text mid(std::int32_t position) const { return Text(charView(position)); }
    // Makes this text the one character at `position` of `from`, reusing
    // its storage rather than building a new text.
    void assignMid(const Text& from, std::int32_t position)
    {
        // By character, not from the view: g++ 12 at -O3 warns falsely
        // (-Wrestrict) about the overlap of a one-character copy.
        const std::u16string_view one = from.charView(position);
        if (one.empty())
            chars_.clear();
        else
            chars_.assign(1, one.front());
    }

    std::u16string_view view() const { return chars_; }
    const std::u16string& chars() const { return chars_; }

    friend bool operator==(const Text&, const Text&) = default;

private:
    std::u16string chars_;
};
