#include "RecordingFields.h"

#include "RuntimeError.h"

RecordingFields::RecordingFields(Text text1, Text text2, Text text3)
    : texts_{std::move(text1), std::move(text2), std::move(text3), Text(u"Text4")}
{
}

const char* RecordingFields::name(Field field)
{
    static constexpr const char* Names[] = {"Text1", "Text2", "Text3", "Text4"};
    return Names[index(field)];
}

void RecordingFields::record(std::string entry)
{
    if (failOn && *failOn == entry)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    log_.push_back(std::move(entry));
}

Text RecordingFields::readText(Field field)
{
    if (failOn && *failOn == std::string("read ") + name(field))
        throw RuntimeError(ErrorKind::FailedControlOperation);
    return texts_[index(field)];
}

void RecordingFields::writeText(Field field, const Text& text)
{
    record(std::string("write ") + name(field) + " '" + text.toUtf8() + "'");
    texts_[index(field)] = text;
}

void RecordingFields::setFocus(Field field)
{
    record(std::string("focus ") + name(field));
    focus_ = field;
}

void RecordingFields::beep()
{
    record("beep");
    ++beeps_;
}

std::string RecordingFields::joinedLog() const
{
    std::string joined;
    for (const auto& entry : log_)
        joined += (joined.empty() ? "" : "; ") + entry;
    return joined;
}

void RecordingFields::clearLog()
{
    log_.clear();
    beeps_ = 0;
}
