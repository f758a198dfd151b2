#include "FakeForm.h"
#include "MessageBoxErrorReport.h"
#include "QtWindowGeometry.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// WCAG 2's relative luminance of an sRGB colour, and the contrast of two.
double luminance(QRgb rgb)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// Breeze Dark's colours, as a dark desktop hands them to every Qt program.
QPalette darkDesktop()
{
    QPalette dark;
    const QColor light(252, 252, 252);
    for (auto [role, colour] : {std::pair{QPalette::Window, QColor(42, 46, 50)}, {QPalette::WindowText, light},
                                {QPalette::Base, QColor(27, 30, 32)}, {QPalette::Text, light},
                                {QPalette::Button, QColor(49, 54, 59)}, {QPalette::ButtonText, light},
                                {QPalette::Highlight, QColor(61, 174, 233)}, {QPalette::HighlightedText, light},
                                {QPalette::ToolTipBase, QColor(49, 54, 59)}, {QPalette::ToolTipText, light},
                                {QPalette::PlaceholderText, QColor(161, 169, 177)}})
        dark.setColor(role, colour);
    return dark;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void looks_data();
    void looks();
    void readableOnADarkDesktop_data();
    void readableOnADarkDesktop();
    void sizeFixedUntilTheGlide();
    void startsEmptyWithFocusInFirstField();
    void tabOrder();
    void keys_data();
    void keys();
    void keyTextsAsX11SendsThem_data();
    void keyTextsAsX11SendsThem();
    void inputMethodCommitIsFiltered();
    void pasteBypassesTheFilterUntilTheCheck();
    void actions_data();
    void actions();
    void typingAfterAConversionGoesIntoTheHiddenField();
    void failedControlOperationIsReportedAndEnds();
    void closingGlidesThenEnds();
    void onlyTheEndOfTheSessionClosesTheWindow();
    void startsCentredOnTheScreen();
    void errorReportNamesTheError();

private:
    template <class Widget = QWidget>
    Widget* child(const QString& name) const
    {
        auto* widget = fake_->form.findChild<Widget*>(name);
        if (!widget)
            qFatal("no control named %s", qPrintable(name));
        return widget;
    }
    QString focusName() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none"; }

    std::unique_ptr<FakeForm> fake_;
};

void Form1Test::init()
{
    fake_ = std::make_unique<FakeForm>();
    fake_->form.load();
    fake_->form.show();
    QVERIFY(QTest::qWaitForWindowActive(&fake_->form));
}

void Form1Test::cleanup()
{
    fake_.reset();
}

void Form1Test::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels"); // at 96 dots per inch, 15 twips a pixel

    QTest::newRow("Label1") << "Label1" << QRect(24, 8, 145, 17);
    QTest::newRow("Text1") << "Text1" << QRect(24, 24, 145, 24);
    QTest::newRow("Label2") << "Label2" << QRect(24, 56, 145, 17);
    QTest::newRow("Text2") << "Text2" << QRect(24, 72, 145, 24);
    QTest::newRow("Command1") << "Command1" << QRect(176, 72, 25, 25);
    QTest::newRow("Label3") << "Label3" << QRect(24, 104, 145, 17);
    QTest::newRow("Text3") << "Text3" << QRect(24, 120, 145, 24);
    QTest::newRow("Command2") << "Command2" << QRect(176, 120, 25, 25);
    QTest::newRow("Label4") << "Label4" << QRect(0, 152, 225, 17);
    QTest::newRow("Text4") << "Text4" << QRect(256, 24, 49, 41);
    QTest::newRow("client area") << "Form1" << QRect(0, 0, 225, 163);
}

void Form1Test::layout()
{
    if (fake_->form.logicalDpiX() != 96)
        QSKIP("the layout rows are in pixels at 96 dots per inch");
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    QWidget* widget = name == "Form1" ? &fake_->form : child(name);
    QCOMPARE(name == "Form1" ? QRect(QPoint(), widget->size()) : widget->geometry(), pixels);
}

void Form1Test::looks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("bold");

    QTest::newRow("Label1") << "Label1" << "BitCoinPrice" << "" << false;
    QTest::newRow("Label2") << "Label2" << "PriceBitCoin" << "" << false;
    QTest::newRow("Label3") << "Label3" << "Price" << "" << false;
    QTest::newRow("Label4") << "Label4" << "" << "Converts at the price you type in. Nothing is looked up, sent or saved."
                            << false;
    QTest::newRow("Command1") << "Command1" << "" << " BitCoin To Price " << false;
    QTest::newRow("Command2") << "Command2" << "" << " Price To BitCoin " << false;
    QTest::newRow("Text1") << "Text1" << "" << "" << true;
    QTest::newRow("Text3") << "Text3" << "" << "" << true;
    QTest::newRow("Text4") << "Text4" << "Text4" << "" << false;
}

void Form1Test::looks()
{
    QFETCH(QString, name);
    QWidget* widget = child(name);
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget))
        text = label->text();
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        text = button->text();
    else
        text = qobject_cast<QLineEdit*>(widget)->text();
    QTEST(text, "text");
    QTEST(widget->toolTip(), "toolTip");
    QTEST(widget->font().bold(), "bold");
    QCOMPARE(fake_->form.windowTitle(), QString("Marrowvale"));
    QCOMPARE(fake_->form.palette().color(QPalette::Window), QColor(192, 192, 192));
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        QCOMPARE(edit->maxLength(), std::numeric_limits<int>::max());
}

void Form1Test::readableOnADarkDesktop_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("background"); // the most common colour drawn

    QTest::newRow("Label1") << "Label1" << QColor(192, 192, 192);
    QTest::newRow("Label2") << "Label2" << QColor(192, 192, 192);
    QTest::newRow("Label3") << "Label3" << QColor(192, 192, 192);
    QTest::newRow("a field follows the desktop") << "Text1" << QColor(27, 30, 32);
}

// The desktop turns dark while the window is open. Measured on what the
// style really draws, inside a 3-pixel margin that leaves out frames.
void Form1Test::readableOnADarkDesktop()
{
    QFETCH(QString, name);
    const QPalette desktop = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(desktop); });
    QApplication::setPalette(darkDesktop());
    QCoreApplication::processEvents();
    QWidget* widget = child(name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText("25000");
    const QImage drawn = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 3; y < drawn.height() - 3; ++y) {
        for (int x = 3; x < drawn.width() - 3; ++x)
            ++counts[drawn.pixel(x, y)];
    }
    QVERIFY(!counts.isEmpty());
    const QRgb background = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                                return a.second < b.second;
                            })->first;
    QTEST(QColor(background), "background");
    double text = 1;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
        text = std::max(text, contrast(*it, background));
    QVERIFY2(text >= 4.5, qPrintable(QString("text contrast %1:1").arg(text, 0, 'f', 2)));
}

void Form1Test::sizeFixedUntilTheGlide()
{
    if (fake_->form.logicalDpiX() != 96)
        QSKIP("the sizes are in pixels at 96 dots per inch");
    const QWindow* window = fake_->form.windowHandle();
    QCOMPARE(window->minimumSize(), QSize(225, 163));
    QCOMPARE(window->maximumSize(), QSize(225, 163));
    QVERIFY(!window->flags().testFlag(Qt::WindowMaximizeButtonHint));
    // The glide's first pass takes 60 twips, 4 pixels, off each way.
    QtWindowGeometry glide(fake_->form);
    glide.setWidth(glide.width() - 60);
    glide.setHeight(glide.height() - 60);
    glide.showPass();
    QCOMPARE(fake_->form.size(), QSize(221, 159));
}

void Form1Test::startsEmptyWithFocusInFirstField()
{
    QCOMPARE(focusName(), QString("Text1"));
    for (const char* name : {"Text1", "Text2", "Text3"})
        QVERIFY(child<QLineEdit>(name)->text().isEmpty());
}

void Form1Test::tabOrder()
{
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, QStringList({"Text2", "Text3", "Command1", "Command2", "Text4", "Text1"}));
    QCOMPARE(fake_->beeper.beeps, 0);
}

void Form1Test::keys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("text"); // the field starts as "12", caret at the end
    QTest::addColumn<int>("beeps");

    QTest::newRow("digit") << "Text2" << QKeySequence(Qt::Key_7) << "" << "127" << 0;
    QTest::newRow("point") << "Text2" << QKeySequence(Qt::Key_Period) << "" << "12." << 0;
    QTest::newRow("letter") << "Text2" << QKeySequence(Qt::Key_A) << "" << "12" << 1;
    QTest::newRow("space") << "Text2" << QKeySequence(Qt::Key_Space) << "" << "12" << 1;
    QTest::newRow("minus") << "Text2" << QKeySequence(Qt::Key_Minus) << "" << "12" << 1;
    QTest::newRow("comma") << "Text2" << QKeySequence(Qt::Key_Comma) << "" << "12" << 1;
    QTest::newRow("enter") << "Text2" << QKeySequence(Qt::Key_Return) << "" << "12" << 1;
    QTest::newRow("escape") << "Text2" << QKeySequence(Qt::Key_Escape) << "" << "12" << 1;
    QTest::newRow("percent passes") << "Text2" << QKeySequence(Qt::Key_Percent) << "" << "12%" << 0;
    QTest::newRow("parenthesis passes") << "Text2" << QKeySequence(Qt::Key_ParenLeft) << "" << "12(" << 0;
    QTest::newRow("backspace") << "Text2" << QKeySequence(Qt::Key_Backspace) << "" << "1" << 0;
    QTest::newRow("ctrl+h backspaces") << "Text2" << QKeySequence(Qt::CTRL | Qt::Key_H) << "" << "1" << 0;
    QTest::newRow("ctrl+l does nothing") << "Text2" << QKeySequence(Qt::CTRL | Qt::Key_L) << "" << "12" << 0;
    QTest::newRow("ctrl+v refused") << "Text2" << QKeySequence(Qt::CTRL | Qt::Key_V) << "99" << "12" << 1;
    QTest::newRow("ctrl+a refused") << "Text2" << QKeySequence(Qt::CTRL | Qt::Key_A, Qt::NoModifier | Qt::Key_5) << "" << "125" << 1;
    QTest::newRow("ctrl+z refused") << "Text2" << QKeySequence(Qt::NoModifier | Qt::Key_3, Qt::CTRL | Qt::Key_Z) << "" << "123" << 1;
    QTest::newRow("ctrl+backspace refused") << "Text2" << QKeySequence(Qt::CTRL | Qt::Key_Backspace) << "" << "12" << 1;
    QTest::newRow("delete edits") << "Text2" << QKeySequence(Qt::Key_Home, Qt::Key_Delete) << "" << "2" << 0;
    QTest::newRow("arrows move") << "Text2" << QKeySequence(Qt::Key_Left, Qt::Key_Left, Qt::Key_9) << "" << "912" << 0;
    QTest::newRow("home and end") << "Text2" << QKeySequence(Qt::Key_Home, Qt::Key_8, Qt::Key_End, Qt::Key_9) << ""
                                  << "8129" << 0;
    QTest::newRow("function key") << "Text2" << QKeySequence(Qt::Key_F2) << "" << "12" << 0;
    QTest::newRow("alt+letter types nothing") << "Text2" << QKeySequence(Qt::ALT | Qt::Key_B) << "" << "12" << 0;
    QTest::newRow("shift+insert pastes") << "Text2" << QKeySequence(Qt::SHIFT | Qt::Key_Insert) << "3a" << "123a" << 0;
    QTest::newRow("ctrl+insert copies") << "Text2" << QKeySequence(Qt::CTRL | Qt::Key_Insert) << "" << "12" << 0;
    QTest::newRow("first field filters") << "Text1" << QKeySequence(Qt::Key_A) << "" << "12" << 1;
    QTest::newRow("third field filters") << "Text3" << QKeySequence(Qt::Key_B) << "" << "12" << 1;
    QTest::newRow("hidden field does not") << "Text4" << QKeySequence(Qt::Key_A) << "" << "12a" << 0;
    // Enter on a button clicks it: the click finds a field empty, beeps and
    // moves the focus there, where the 3 goes.
    QTest::newRow("return clicks a focused button")
        << "Text1" << QKeySequence(Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_3) << "" << "12" << 1;
    QTest::newRow("keypad enter clicks a focused button")
        << "Text3" << QKeySequence(Qt::NoModifier | Qt::Key_Tab, Qt::KeypadModifier | Qt::Key_Enter, Qt::NoModifier | Qt::Key_3) << "" << "12" << 1;
}

void Form1Test::keys()
{
    QFETCH(QString, field);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, clipboard);
    QApplication::clipboard()->setText(clipboard);
    auto* edit = child<QLineEdit>(field);
    edit->setText("12");
    edit->setFocus();
    // Each key goes where the keyboard focus is by then, as a user's would.
    for (int i = 0; i < keys.count(); ++i)
        QTest::keyClick(QApplication::focusWidget(), keys[i].key(), keys[i].keyboardModifiers());
    QTEST(edit->text(), "text");
    QTEST(fake_->beeper.beeps, "beeps");
}

// QTest gives Ctrl+letter the letter as text and Delete none; X11 gives the
// control codes, and "\x7f" for Delete.
void Form1Test::keyTextsAsX11SendsThem_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("x11Text");
    QTest::addColumn<QString>("text"); // the field starts as "12", caret after the "1"
    QTest::addColumn<int>("beeps");

    QTest::newRow("delete") << QKeyCombination(Qt::Key_Delete) << "\x7f" << "1" << 0;
    QTest::newRow("ctrl+a") << (Qt::CTRL | Qt::Key_A) << "\x01" << "12" << 1;
    QTest::newRow("ctrl+v") << (Qt::CTRL | Qt::Key_V) << "\x16" << "12" << 1;
    QTest::newRow("ctrl+h") << (Qt::CTRL | Qt::Key_H) << "\x08" << "2" << 0;
    QTest::newRow("alt+5") << (Qt::ALT | Qt::Key_5) << "5" << "12" << 0;
    QTest::newRow("keypad 5") << (Qt::KeypadModifier | Qt::Key_5) << "5" << "152" << 0;
}

void Form1Test::keyTextsAsX11SendsThem()
{
    QFETCH(QKeyCombination, key);
    QFETCH(QString, x11Text);
    auto* edit = child<QLineEdit>("Text2");
    edit->setText("12");
    edit->setCursorPosition(1);
    QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers(), x11Text);
    QApplication::sendEvent(edit, &press);
    QTEST(edit->text(), "text");
    QTEST(fake_->beeper.beeps, "beeps");
}

void Form1Test::inputMethodCommitIsFiltered()
{
    auto* edit = child<QLineEdit>("Text2");
    edit->setFocus();
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("1\u00e92")); // a dead key gave é between two digits
    QApplication::sendEvent(edit, &composed);
    QCOMPARE(edit->text(), QString("12"));
    QCOMPARE(fake_->beeper.beeps, 1);
}

void Form1Test::pasteBypassesTheFilterUntilTheCheck()
{
    QApplication::clipboard()->setText("12a");
    auto* price = child<QLineEdit>("Text1");
    price->paste(); // what the context menu's Paste does
    QCOMPARE(price->text(), QString("12a"));
    QCOMPARE(fake_->beeper.beeps, 0);

    child<QLineEdit>("Text2")->setText("0.5");
    QTest::mouseClick(child("Command1"), Qt::LeftButton);
    QCOMPARE(price->text(), QString());
    QCOMPARE(fake_->beeper.beeps, 1);
    QCOMPARE(focusName(), QString("Text1"));
}

void Form1Test::actions_data()
{
    QTest::addColumn<QStringList>("before"); // Text1, Text2, Text3
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("beeps");

    QTest::newRow("coin to money") << QStringList{"25000", "0.5", ""} << "Command1"
                                   << QStringList{"25000", "0.5", "12500.00"} << "Text4" << 0;
    QTest::newRow("money to coin") << QStringList{"25000", "", "100"} << "Command2"
                                   << QStringList{"25000", "0.00400000", "100"} << "Text4" << 0;
    QTest::newRow("both empty") << QStringList{"", "", ""} << "Command1" << QStringList{"", "", ""} << "Text1" << 1;
    QTest::newRow("amount empty") << QStringList{"5", "", ""} << "Command2" << QStringList{"5", "", ""} << "Text3" << 1;
    QTest::newRow("bad coin emptied") << QStringList{"5", "1,5", "7"} << "Command1" << QStringList{"5", "", "7"}
                                      << "Text2" << 1;
    QTest::newRow("unreadable coin emptied") << QStringList{"5", "1.2.3", ""} << "Command1"
                                             << QStringList{"5", "", ""} << "Text2" << 1;
    QTest::newRow("zero price kept") << QStringList{"0", "", "5"} << "Command2" << QStringList{"0", "", "5"} << "Text1"
                                     << 1;
}

void Form1Test::actions()
{
    QFETCH(QStringList, before);
    QFETCH(QString, button);
    for (int i = 0; i < 3; ++i)
        child<QLineEdit>(QString("Text%1").arg(i + 1))->setText(before[i]);
    QTest::mouseClick(child(button), Qt::LeftButton);
    QStringList after;
    for (int i = 0; i < 3; ++i)
        after << child<QLineEdit>(QString("Text%1").arg(i + 1))->text();
    QTEST(after, "after");
    QTEST(focusName(), "focus");
    QTEST(fake_->beeper.beeps, "beeps");
}

void Form1Test::typingAfterAConversionGoesIntoTheHiddenField()
{
    child<QLineEdit>("Text1")->setText("25000");
    child<QLineEdit>("Text2")->setText("0.5");
    QTest::mouseClick(child("Command1"), Qt::LeftButton);
    QTest::keyClicks(QApplication::focusWidget(), "ab");
    QCOMPARE(child<QLineEdit>("Text4")->text(), QString("Text4ab"));
    QCOMPARE(child<QLineEdit>("Text3")->text(), QString("12500.00"));
    QCOMPARE(fake_->beeper.beeps, 0);
}

void Form1Test::failedControlOperationIsReportedAndEnds()
{
    // Events that arrive while the report is up must find the program ending.
    fake_->errorReport.whileShown = [this] {
        QTest::mouseClick(child("Command2"), Qt::LeftButton);
        QTest::keyClick(child("Text2"), Qt::Key_A);
    };
    // A hidden field cannot take the focus the refusal gives it.
    child("Text1")->hide();
    QTest::mouseClick(child("Command1"), Qt::LeftButton);
    QCOMPARE(fake_->errorReport.reports.size(), 1U);
    QCOMPARE(fake_->errorReport.reports[0].first, 5);
    QCOMPARE(fake_->endings, std::vector<int>{1});

    // Nothing more runs: no handler, no glide.
    QTest::mouseClick(child("Command2"), Qt::LeftButton);
    QTest::keyClick(child("Text2"), Qt::Key_A);
    QVERIFY(!fake_->form.close());
    QCOMPARE(fake_->beeper.beeps, 1);
    QCOMPARE(fake_->errorReport.reports.size(), 1U);
    QCOMPARE(fake_->glides, 0);
}

void Form1Test::closingGlidesThenEnds()
{
    fake_->configureGeometry = [](FakeGeometry& window) {
        window.y = 4350;
        window.screen = 15360;
    };
    child<QLineEdit>("Text1")->setText("25000"); // lost: nothing is saved
    QVERIFY(fake_->form.close());
    QCOMPARE(fake_->glidePasses, 368);
    QCOMPARE(fake_->endings, std::vector<int>{0});
    fake_->form.close(); // a second close runs no second glide
    QCOMPARE(fake_->glides, 1);
    QCOMPARE(fake_->endings.size(), 1U);
}

void Form1Test::onlyTheEndOfTheSessionClosesTheWindow()
{
    fake_->configureGeometry = [](FakeGeometry& window) { window.y = 15400; };
    // Qt's X11 session manager asks the program to save at every checkpoint
    // and before a logout, with the manager Qt made for this session.
    auto* manager = qApp->findChild<QSessionManager*>();
    QVERIFY(manager);
    Q_EMIT qApp->commitDataRequest(*manager);
    Q_EMIT qApp->saveStateRequest(*manager);
    QVERIFY(fake_->form.isVisible());
    QCOMPARE(fake_->glides, 0);
    QCOMPARE(fake_->endings, std::vector<int>{});

    // The end of the session: Qt turns the manager's "die" into the same
    // application quit that quit() asks for, which closes every window.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0); // 99: the quit left the window open
    QCOMPARE(fake_->glidePasses, 1);
    QCOMPARE(fake_->endings, std::vector<int>{0});
    QVERIFY(!fake_->form.isVisible());
}

void Form1Test::startsCentredOnTheScreen()
{
    fake_.reset();
    fake_ = std::make_unique<FakeForm>();
    fake_->form.load();
    fake_->form.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&fake_->form));
    const QRect screen = fake_->form.screen()->geometry();
    QCOMPARE(fake_->form.geometry().center(), screen.center());
}

void Form1Test::errorReportNamesTheError()
{
    MessageBoxErrorReport report;
    report.setOwner(&fake_->form);
    QString title, text;
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        title = box->windowTitle();
        text = box->text();
        parent = box->parentWidget();
        box->accept();
    });
    report.show(7, u"Out of memory");
    QCOMPARE(title, QString("Marrowvale"));
    QCOMPARE(text, QString("Run-time error '7':\n\nOut of memory"));
    QCOMPARE(parent, &fake_->form);
}

QTEST_MAIN(Form1Test)
#include "Form1Test.moc"
