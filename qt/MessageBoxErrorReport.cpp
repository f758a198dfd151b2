#include "MessageBoxErrorReport.h"

#include "LayoutTable.h"

#include <QMessageBox>

void MessageBoxErrorReport::show(int number, std::u16string_view description)
{
    const std::u16string text = message(number, description);
    QMessageBox::critical(owner_, QString::fromUtf16(LayoutTable::Title),
                          QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}
