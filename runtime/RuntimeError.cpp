#include "RuntimeError.h"

namespace {

struct ErrorInfo {
    int number;
    const char* description;
};

ErrorInfo infoFor(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::Overflow:
        return {6, "Overflow"};
    case ErrorKind::TypeMismatch:
        return {13, "Type mismatch"};
    case ErrorKind::DivisionByZero:
        return {11, "Division by zero"};
    case ErrorKind::FloatingPointFault:
        return {16, "Floating-point fault"};
    case ErrorKind::FailedControlOperation:
        return {5, "Invalid procedure call or argument"};
    }
    return {51, "Internal error"};
}

} // namespace

RuntimeError::RuntimeError(ErrorKind kind)
    : std::runtime_error(infoFor(kind).description)
    , kind_(kind)
    , number_(infoFor(kind).number)
    , description_(infoFor(kind).description)
{
}
