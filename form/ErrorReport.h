#pragma once

#include <string>
#include <string_view>

// Where an error that no handler dealt with is reported before the program
// ends. Tests replace it, since the real one waits for the user.
class ErrorReport {
public:
    virtual ~ErrorReport() = default;
    virtual void show(int number, std::u16string_view description) = 0;

    // What the report says, on every platform: "Run-time error '6':", a
    // blank line, then the description.
    static std::u16string message(int number, std::u16string_view description);
};
