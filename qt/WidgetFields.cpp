#include "WidgetFields.h"

#include "Beeper.h"
#include "RuntimeError.h"

#include <QLineEdit>

WidgetFields::WidgetFields(std::array<QLineEdit*, 4> edits, Beeper& beeper)
    : edits_{edits[0], edits[1], edits[2], edits[3]}
    , beeper_(beeper)
{
}

QLineEdit& WidgetFields::edit(Field field) const
{
    QLineEdit* edit = edits_[static_cast<std::size_t>(field)];
    if (!edit)
        throw RuntimeError(ErrorKind::FailedControlOperation);
    return *edit;
}

Text WidgetFields::readText(Field field)
{
    // QString holds the same 16-bit characters, so nothing is converted.
    const QString text = edit(field).text();
    return Text(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

void WidgetFields::writeText(Field field, const Text& text)
{
    edit(field).setText(QString::fromStdU16String(text.chars()));
}

void WidgetFields::setFocus(Field field)
{
    QLineEdit& target = edit(field);
    // A hidden or disabled field cannot take the focus; asking it to is the
    // failed operation the converter must hear about.
    if (!target.isEnabled() || !target.isVisible())
        throw RuntimeError(ErrorKind::FailedControlOperation);
    target.setFocus(Qt::OtherFocusReason);
}

void WidgetFields::beep()
{
    beeper_.beep();
}
