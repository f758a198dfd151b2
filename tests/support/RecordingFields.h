#pragma once

#include "FieldSurface.h"
#include "Text.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// Four fields in memory. Every write, focus change and beep is logged in
// order ("write Text3 '12500'", "focus Text4", "beep"); an operation named in
// failOn ("read Text1", "focus Text4", ...) fails as the window's would.
class RecordingFields : public FieldSurface {
public:
    RecordingFields() = default;
    RecordingFields(Text text1, Text text2, Text text3);

    Text readText(Field field) override;
    void writeText(Field field, const Text& text) override;
    void setFocus(Field field) override;
    void beep() override;

    const Text& text(Field field) const { return texts_[index(field)]; }
    std::optional<Field> focus() const { return focus_; }
    int beeps() const { return beeps_; }
    const std::vector<std::string>& log() const { return log_; }
    std::string joinedLog() const; // entries separated by "; "

    void clearLog();
    std::optional<std::string> failOn;

    static const char* name(Field field);

private:
    static std::size_t index(Field field) { return static_cast<std::size_t>(field); }
    void record(std::string entry);

    std::array<Text, 4> texts_{Text(), Text(), Text(), Text(u"Text4")};
    std::optional<Field> focus_;
    int beeps_ = 0;
    std::vector<std::string> log_;
};
