#pragma once

#include "ErrorReport.h"

#include <QPointer>
#include <QWidget>

// A modal message box, owned by the window, naming the error's number and
// description.
class MessageBoxErrorReport : public ErrorReport {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    void show(int number, std::u16string_view description) override;

private:
    QPointer<QWidget> owner_;
};
