#pragma once

#include <QString>

// Where an error that no handler dealt with is reported before the program
// ends. Tests replace it, since the real one waits for the user.
class ErrorReport {
public:
    virtual ~ErrorReport() = default;
    virtual void show(int number, const QString& description) = 0;
};
