#include "FormEvents.h"

#include "ClosingGlide.h"
#include "ErrorReport.h"
#include "RuntimeError.h"

#include <new>
#include <string>

namespace {

// Only for texts known to be ASCII, as every description here is; a
// defect's own message is not shown, since its encoding is unknown.
std::u16string widened(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

} // namespace

FormEvents::FormEvents(FieldSurface& fields, ErrorReport& errorReport, std::function<void(int status)> endProgram)
    : converter_(fields)
    , errorReport_(errorReport)
    , endProgram_(std::move(endProgram))
{
}

void FormEvents::load()
{
    dispatch([this] { converter_.Form_Load(); });
}

std::int16_t FormEvents::keyPress(Field field, std::int16_t code)
{
    using KeyPress = void (Converter::*)(std::int16_t&);
    KeyPress handler = nullptr;
    switch (field) {
    case Field::Text1:
        handler = &Converter::Text1_KeyPress;
        break;
    case Field::Text2:
        handler = &Converter::Text2_KeyPress;
        break;
    case Field::Text3:
        handler = &Converter::Text3_KeyPress;
        break;
    case Field::Text4:
        return code;
    }
    // After an error the program is ending: nothing more gets typed.
    if (!dispatch([&] { (converter_.*handler)(code); }))
        return 0;
    return code;
}

void FormEvents::click(LayoutTable::ControlId button)
{
    if (button == LayoutTable::ControlId::Command1)
        dispatch([this] { converter_.Command1_Click(); });
    else if (button == LayoutTable::ControlId::Command2)
        dispatch([this] { converter_.Command2_Click(); });
}

bool FormEvents::unload(WindowGeometry& geometry, GlideClock& clock)
{
    if (ending_)
        return false;
    ending_ = true;
    // Every error inside the glide is skipped where it happens; nothing
    // reaches the error report from here.
    ClosingGlide::run(geometry, clock);
    end(0);
    return true;
}

bool FormEvents::guard(const std::function<void()>& work) noexcept
{
    return dispatch(work);
}

template <class Handler>
bool FormEvents::dispatch(Handler&& handler) noexcept
{
    if (ending_)
        return false;
    int number = 51;
    std::u16string description = u"Internal error";
    try {
        handler();
        return true;
    } catch (const RuntimeError& error) {
        number = error.number();
        description = widened(error.description());
    } catch (const std::bad_alloc&) {
        number = 7;
        description = u"Out of memory";
    } catch (...) {
        // Not a runtime error: a defect. It must still not escape into the
        // toolkit's event loop, which cannot unwind through its C frames.
    }
    // Ending before the report is shown: the report's own event loop must
    // not run further handlers, nor the closing glide.
    ending_ = true;
    try {
        errorReport_.show(number, description);
    } catch (...) {
        // The report could not be shown; the program still ends.
    }
    end(1);
    return false;
}

void FormEvents::end(int status)
{
    ending_ = true;
    endProgram_(status);
}
