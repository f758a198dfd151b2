#pragma once

#include <array>

// The window as data: every position and size in twips (1/1440 inch) from
// the top left corner of the client area, as the form was designed.
namespace LayoutTable {

enum class Kind { Label, TextBox, Button };

struct Control {
    const char* name;
    Kind kind;
    int left, top, width, height;
    int tabIndex;
    const char16_t* text;        // a label's caption or a text box's first text
    const char16_t* toolTip;     // shown as written, spaces included
    const char16_t* accessibleName;
    const char* labelFor;        // the field a caption names, for screen readers
    bool amountFont;             // the bold font of the three amount fields
};

inline constexpr const char16_t* Title = u"Marrowvale";
inline constexpr int ClientWidth = 3375;
inline constexpr int ClientHeight = 2445;
inline constexpr int BackgroundGrey = 192; // red, green and blue alike
inline constexpr const char* AmountFontFamily = "MS Sans Serif";
inline constexpr double AmountFontPoints = 9.75;

inline constexpr std::array<Control, 10> Controls{{
    {"Label1", Kind::Label, 360, 120, 2175, 255, 6, u"BitCoinPrice", nullptr, nullptr, "Text1", false},
    {"Text1", Kind::TextBox, 360, 360, 2175, 360, 0, u"", nullptr, u"BitCoinPrice", nullptr, true},
    {"Label2", Kind::Label, 360, 840, 2175, 255, 7, u"PriceBitCoin", nullptr, nullptr, "Text2", false},
    {"Text2", Kind::TextBox, 360, 1080, 2175, 360, 1, u"", nullptr, u"PriceBitCoin", nullptr, true},
    {"Command1", Kind::Button, 2640, 1080, 375, 375, 3, u"", u" BitCoin To Price ", u"Convert bitcoin to money", nullptr, false},
    {"Label3", Kind::Label, 360, 1560, 2175, 255, 8, u"Price", nullptr, nullptr, "Text3", false},
    {"Text3", Kind::TextBox, 360, 1800, 2175, 360, 2, u"", nullptr, u"Price", nullptr, true},
    {"Command2", Kind::Button, 2640, 1800, 375, 375, 4, u"", u" Price To BitCoin ", u"Convert money to bitcoin", nullptr, false},
    // Runs past the bottom of the client area; its lowest 90 twips are cut off.
    {"Label4", Kind::Label, 0, 2280, 3375, 255, 9, u"",
     u"Converts at the price you type in. Nothing is looked up, sent or saved.", nullptr, nullptr, false},
    // Beyond the right edge: the focus rests here, unseen, after a conversion.
    {"Text4", Kind::TextBox, 3840, 360, 735, 615, 5, u"Text4", nullptr, u"Text4", nullptr, false},
}};

} // namespace LayoutTable
