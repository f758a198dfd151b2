#pragma once

#include "Converter.h"
#include "LayoutTable.h"

#include <cstdint>
#include <functional>

class ErrorReport;
class GlideClock;
class WindowGeometry;

// The window's events as both front-ends deliver them: which handler each
// one runs, and what happens to an error that a handler does not handle.
// Such an error goes to the error report, and then the program ends with
// status 1; from then on no event runs anything, not even the glide.
class FormEvents {
public:
    FormEvents(FieldSurface& fields, ErrorReport& errorReport, std::function<void(int status)> endProgram);

    // Once, when the window has been built and before it is shown.
    void load();
    // A character typed into a field: the code to hand on to the field,
    // 0 to discard it. Text4 has no handler: it takes every character.
    std::int16_t keyPress(Field field, std::int16_t code);
    void click(LayoutTable::ControlId button);
    // The window is being closed: runs the closing glide on `geometry`,
    // then ends the program with status 0. Returns false when the close
    // changes nothing because the program is already closing or ending.
    bool unload(WindowGeometry& geometry, GlideClock& clock);
    // Runs work of the window that is none of the handlers under the same
    // policy, for a toolkit whose own C frames no exception may unwind
    // through: an error it raises is reported and ends the program. Returns
    // false when it raised or did not run because the program is ending.
    bool guard(const std::function<void()>& work) noexcept;
    // Whether the program is closing or ending, so that the window refuses
    // a second close.
    bool isEnding() const { return ending_; }

private:
    template <class Handler>
    bool dispatch(Handler&& handler) noexcept;
    void end(int status);

    Converter converter_;
    ErrorReport& errorReport_;
    std::function<void(int status)> endProgram_;
    bool ending_ = false;
};
