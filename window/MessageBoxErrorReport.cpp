#include "MessageBoxErrorReport.h"

#include <QCoreApplication>
#include <QMessageBox>

void MessageBoxErrorReport::show(int number, const QString& description)
{
    // QString::number is locale-free; the error number must not gain a separator.
    QMessageBox::critical(parent_, QCoreApplication::applicationName(),
                          QStringLiteral("Run-time error '%1':\n\n%2").arg(QString::number(number), description));
}
