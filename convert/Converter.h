#pragma once

#include "FieldCheck.h"
#include "FieldSurface.h"
#include "ValueSlot.h"

#include <cstdint>
#include <optional>

// The window's behaviour behind its events: what a load, a typed character
// and a click on either button do to the fields. It holds the form-level
// state those events share and reaches the window only through the
// FieldSurface, so it runs without any window toolkit.
//
// A user's mistake never raises: it is answered with a beep and the focus in
// the field to correct. What still raises (a RuntimeError) is a failure on
// the window's side, reported through the surface.
class Converter {
public:
    static constexpr const char16_t* AdmissibleChars = u".0123456789";
    static constexpr const char16_t* MoneyPattern = u"0.00";
    static constexpr const char16_t* CoinPattern = u"0.00000000";

    explicit Converter(FieldSurface& fields) : fields_(fields) {}

    void Form_Load();
    void Command1_Click(); // bitcoin amount at the unit price -> money amount
    void Command2_Click(); // money amount at the unit price -> bitcoin amount
    void Text1_KeyPress(std::int16_t& KeyAscii) { keyPress(KeyAscii); }
    void Text2_KeyPress(std::int16_t& KeyAscii) { keyPress(KeyAscii); }
    void Text3_KeyPress(std::int16_t& KeyAscii) { keyPress(KeyAscii); }

private:
    enum class Clear { No, Yes };
    struct Inputs {
        Text price;
        Text amount;
    };

    void keyPress(std::int16_t& code);
    void refuse(Field field, Clear clear);
    std::optional<Inputs> checkedInputs(Field amount);
    std::optional<Text> nonEmpty(Field field);
    bool refusedByCheck(Field field, const Text& text);
    std::optional<double> amountOf(const ValueSlot& slot, Field field);

    FieldSurface& fields_;
    FieldCheck check_;
    ValueSlot PriceValue;
    ValueSlot CoinValue;
    ValueSlot MoneyValue;
};
