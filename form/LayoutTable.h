#pragma once

#include "FieldSurface.h"

#include <array>
#include <cstddef>
#include <optional>

// The window as data: every position and size in twips (1/1440 inch) from
// the top left corner of the client area, as the form was designed. Both
// front-ends build their controls from this table alone.
namespace LayoutTable {

enum class Kind { Label, TextBox, Button };

// The rows in table order; each row's id is its index.
enum class ControlId { Label1, Text1, Label2, Text2, Command1, Label3, Text3, Command2, Label4, Text4 };

struct Control {
    ControlId id;
    const char* name; // the object name tests and accessibility tools find it by
    Kind kind;
    int left, top, width, height;
    int tabIndex;
    const char16_t* text = u"";              // a label's caption or a text box's first text
    const char16_t* toolTip = nullptr;       // shown as written, spaces included
    const char16_t* accessibleName = nullptr; // what a screen reader calls it, where the text does not say
    std::optional<ControlId> labelFor = std::nullopt; // the field a caption names
    bool amountFont = false;                  // the bold font of the three amount fields
};

inline constexpr const char16_t* Title = u"Marrowvale";
inline constexpr int ClientWidth = 3375;
inline constexpr int ClientHeight = 2445;
inline constexpr int BackgroundGrey = 192; // red, green and blue alike
inline constexpr const char* AmountFontFamily = "MS Sans Serif";
inline constexpr int AmountFontCentipoints = 975; // 9.75 pt
inline constexpr int AmountFontWeight = 700;

inline constexpr std::array<Control, 10> Controls{{
    {.id = ControlId::Label1, .name = "Label1", .kind = Kind::Label,
     .left = 360, .top = 120, .width = 2175, .height = 255, .tabIndex = 6,
     .text = u"BitCoinPrice", .labelFor = ControlId::Text1},
    {.id = ControlId::Text1, .name = "Text1", .kind = Kind::TextBox,
     .left = 360, .top = 360, .width = 2175, .height = 360, .tabIndex = 0,
     .accessibleName = u"BitCoinPrice", .amountFont = true},
    {.id = ControlId::Label2, .name = "Label2", .kind = Kind::Label,
     .left = 360, .top = 840, .width = 2175, .height = 255, .tabIndex = 7,
     .text = u"PriceBitCoin", .labelFor = ControlId::Text2},
    {.id = ControlId::Text2, .name = "Text2", .kind = Kind::TextBox,
     .left = 360, .top = 1080, .width = 2175, .height = 360, .tabIndex = 1,
     .accessibleName = u"PriceBitCoin", .amountFont = true},
    {.id = ControlId::Command1, .name = "Command1", .kind = Kind::Button,
     .left = 2640, .top = 1080, .width = 375, .height = 375, .tabIndex = 3,
     .toolTip = u" BitCoin To Price ", .accessibleName = u"Convert bitcoin to money"},
    {.id = ControlId::Label3, .name = "Label3", .kind = Kind::Label,
     .left = 360, .top = 1560, .width = 2175, .height = 255, .tabIndex = 8,
     .text = u"Price", .labelFor = ControlId::Text3},
    {.id = ControlId::Text3, .name = "Text3", .kind = Kind::TextBox,
     .left = 360, .top = 1800, .width = 2175, .height = 360, .tabIndex = 2,
     .accessibleName = u"Price", .amountFont = true},
    {.id = ControlId::Command2, .name = "Command2", .kind = Kind::Button,
     .left = 2640, .top = 1800, .width = 375, .height = 375, .tabIndex = 4,
     .toolTip = u" Price To BitCoin ", .accessibleName = u"Convert money to bitcoin"},
    // Runs past the bottom of the client area; its lowest 90 twips are cut off.
    {.id = ControlId::Label4, .name = "Label4", .kind = Kind::Label,
     .left = 0, .top = 2280, .width = 3375, .height = 255, .tabIndex = 9,
     .toolTip = u"Converts at the price you type in. Nothing is looked up, sent or saved."},
    // Beyond the right edge: the focus rests here, unseen, after a conversion.
    {.id = ControlId::Text4, .name = "Text4", .kind = Kind::TextBox,
     .left = 3840, .top = 360, .width = 735, .height = 615, .tabIndex = 5,
     .text = u"Text4", .accessibleName = u"Text4"},
}};

constexpr const Control& control(ControlId id)
{
    return Controls[static_cast<std::size_t>(id)];
}

constexpr ControlId controlOf(Field field)
{
    switch (field) {
    case Field::Text1:
        return ControlId::Text1;
    case Field::Text2:
        return ControlId::Text2;
    case Field::Text3:
        return ControlId::Text3;
    case Field::Text4:
        break;
    }
    return ControlId::Text4;
}

// The text boxes that are fields, in the order of Field.
inline constexpr std::array<Field, 4> Fields{Field::Text1, Field::Text2, Field::Text3, Field::Text4};

static_assert([] {
    for (std::size_t i = 0; i < Controls.size(); ++i)
        if (static_cast<std::size_t>(Controls[i].id) != i)
            return false;
    return true;
}(), "each row's id is its index");

} // namespace LayoutTable
