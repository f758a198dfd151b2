#pragma once

#include "ErrorReport.h"

class QWidget;

// A modal message box naming the error's number and description.
class MessageBoxErrorReport : public ErrorReport {
public:
    explicit MessageBoxErrorReport(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(int number, const QString& description) override;

private:
    QWidget* parent_;
};
