#include "FakeForm.h"

#include <QAccessible>
#include <QTest>

// What a screen reader is told about each control.
class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void controls_data();
    void controls();

private:
    FakeForm fake_;
};

void AccessibilityTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("announced");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("description"); // what the tooltip still says
    QTest::addColumn<QString>("label");       // the caption that labels it

    const int edit = QAccessible::EditableText;
    const int button = QAccessible::Button;
    QTest::newRow("Text1") << "Text1" << "BitCoinPrice" << edit << "" << "Label1";
    QTest::newRow("Text2") << "Text2" << "PriceBitCoin" << edit << "" << "Label2";
    QTest::newRow("Text3") << "Text3" << "Price" << edit << "" << "Label3";
    QTest::newRow("Command1") << "Command1" << "Convert bitcoin to money" << button << " BitCoin To Price " << "";
    QTest::newRow("Command2") << "Command2" << "Convert money to bitcoin" << button << " Price To BitCoin " << "";
}

void AccessibilityTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, label);
    QWidget* widget = fake_.form.findChild<QWidget*>(name);
    QVERIFY(widget);
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(control);
    QTEST(control->text(QAccessible::Name), "announced");
    QTEST(static_cast<int>(control->role()), "role");
    QTEST(control->text(QAccessible::Description), "description");
    QTEST(widget->toolTip(), "description");

    QStringList labels;
    for (const auto& [other, relation] : control->relations(QAccessible::Label))
        labels << other->object()->objectName();
    QCOMPARE(labels, label.isEmpty() ? QStringList() : QStringList{label});
}

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
