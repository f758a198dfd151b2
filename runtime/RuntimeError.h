#pragma once

#include <stdexcept>
#include <string>

enum class ErrorKind {
    Overflow,
    TypeMismatch,
    DivisionByZero,
    FloatingPointFault,
    FailedControlOperation,
};

// An error in the runtime's sense: it leaves the raising routine and every
// caller up to the event dispatch, which reports it and ends the program.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorKind kind);

    ErrorKind kind() const { return kind_; }
    int number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    ErrorKind kind_;
    int number_;
    std::string description_;
};
