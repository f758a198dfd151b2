#include "Form1.h"

#include "Beeper.h"
#include "ClosingGlide.h"
#include "ErrorReport.h"
#include "KeyPressRouter.h"
#include "LayoutTable.h"
#include "RuntimeError.h"
#include "TwipsScale.h"
#include "WindowGeometry.h"

#include "marrowvale.xpm"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

namespace {

QString qtext(const char16_t* text)
{
    return text ? QString::fromUtf16(text) : QString();
}

QColor lightGrey()
{
    return QColor(LayoutTable::BackgroundGrey, LayoutTable::BackgroundGrey, LayoutTable::BackgroundGrey);
}

QFont amountFont(const QFont& base)
{
    QFont font = base;
    font.setFamilies({QString::fromLatin1(LayoutTable::AmountFontFamily)});
    // Where the family is missing, fontconfig picks the nearest sans-serif.
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(LayoutTable::AmountFontPoints);
    font.setWeight(QFont::Bold);
    return font;
}

QWidget* createControl(const LayoutTable::Control& control, QWidget& form)
{
    QWidget* widget = nullptr;
    switch (control.kind) {
    case LayoutTable::Kind::Label: {
        auto* label = new QLabel(qtext(control.text), &form);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setAutoFillBackground(true);
        widget = label;
        break;
    }
    case LayoutTable::Kind::TextBox: {
        auto* edit = new QLineEdit(qtext(control.text), &form);
        // Qt's default cap of 32,767 characters would hide what the field
        // check does with longer text; the fields take any length.
        edit->setMaxLength(std::numeric_limits<int>::max());
        if (control.amountFont) {
            edit->setAlignment(Qt::AlignCenter);
            edit->setFont(amountFont(edit->font()));
        }
        widget = edit;
        break;
    }
    case LayoutTable::Kind::Button: {
        auto* button = new QPushButton(qtext(control.text), &form);
        button->setAutoDefault(false);
        button->setDefault(false);
        widget = button;
        break;
    }
    }
    widget->setObjectName(QString::fromLatin1(control.name));
    widget->setToolTip(qtext(control.toolTip));
    widget->setAccessibleName(control.accessibleName ? qtext(control.accessibleName) : qtext(control.text));
    return widget;
}

} // namespace

Form1::Form1(Seams seams)
    : seams_(std::move(seams))
    , controls_(buildControls(*this))
    , fields_(controls_.edits, seams_.beeper)
    , converter_(fields_)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qtext(LayoutTable::Title));
    setWindowIcon(QIcon(QPixmap(marrowvale_xpm)));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, lightGrey());
    palette.setColor(QPalette::Button, lightGrey());
    setPalette(palette);
    setAutoFillBackground(true);

    const TwipsScale scale(logicalDpiX());
    resize(scale.toPixels(LayoutTable::ClientWidth), scale.toPixels(LayoutTable::ClientHeight));
    wireEvents();
}

Form1::Controls Form1::buildControls(QWidget& form)
{
    const TwipsScale scale(form.logicalDpiX());
    Controls controls;
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const LayoutTable::Control& control : LayoutTable::Controls) {
        QWidget* widget = createControl(control, form);
        widget->setGeometry(scale.toPixels(control.left, control.top, control.width, control.height));
        if (widget->focusPolicy() != Qt::NoFocus)
            tabOrder.emplace_back(control.tabIndex, widget);

        const std::string_view name = control.name;
        if (name.starts_with("Text"))
            controls.edits[static_cast<std::size_t>(name[4] - '1')] = static_cast<QLineEdit*>(widget);
        else if (name == "Command1")
            controls.command1 = static_cast<QPushButton*>(widget);
        else if (name == "Command2")
            controls.command2 = static_cast<QPushButton*>(widget);
    }
    // A caption is the label of its field, which is how a screen reader
    // finds the field's name.
    for (const LayoutTable::Control& control : LayoutTable::Controls) {
        if (control.labelFor)
            form.findChild<QLabel*>(QString::fromLatin1(control.name))
                ->setBuddy(form.findChild<QWidget*>(QString::fromLatin1(control.labelFor)));
    }
    std::sort(tabOrder.begin(), tabOrder.end());
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    return controls;
}

void Form1::wireEvents()
{
    using KeyPress = void (Converter::*)(std::int16_t&);
    const std::array<KeyPress, 3> keyPresses{&Converter::Text1_KeyPress, &Converter::Text2_KeyPress,
                                             &Converter::Text3_KeyPress};
    for (std::size_t i = 0; i < keyPresses.size(); ++i) {
        new KeyPressRouter(*controls_.edits[i], [this, handler = keyPresses[i]](std::int16_t& code) {
            // After an error the program is ending: nothing more gets typed.
            if (!dispatch([&] { (converter_.*handler)(code); }))
                code = 0;
        });
    }
    connect(controls_.command1, &QPushButton::clicked, this, [this] { dispatch([this] { converter_.Command1_Click(); }); });
    connect(controls_.command2, &QPushButton::clicked, this, [this] { dispatch([this] { converter_.Command2_Click(); }); });
}

void Form1::load()
{
    dispatch([this] { converter_.Form_Load(); });
    // The first field in tab order holds the focus when the window appears.
    controls_.edits[0]->setFocus(Qt::OtherFocusReason);
}

bool Form1::dispatch(const std::function<void()>& handler)
{
    if (ended_)
        return false;
    int number = 0;
    QString description;
    try {
        handler();
        return true;
    } catch (const RuntimeError& error) {
        number = error.number();
        description = QString::fromStdString(error.description());
    } catch (const std::bad_alloc&) {
        number = 7;
        description = QStringLiteral("Out of memory");
    } catch (const std::exception& error) {
        // Not a runtime error: a defect. It must still not escape into Qt's
        // event loop, which cannot unwind through its C frames.
        number = 51;
        description = QStringLiteral("Internal error: ") + QString::fromLocal8Bit(error.what());
    }
    // Ended before the report is shown: the report's own event loop must not
    // run further handlers, nor the closing glide.
    ended_ = true;
    seams_.errorReport.show(number, description);
    end(1);
    return false;
}

void Form1::closeEvent(QCloseEvent* event)
{
    // A second close while the glide runs, or any close once the program is
    // ending, changes nothing.
    if (closing_ || ended_) {
        event->ignore();
        return;
    }
    closing_ = true;
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload()
{
    if (auto geometry = seams_.geometry(*this))
        ClosingGlide::run(*geometry);
    end(0);
}

void Form1::end(int status)
{
    ended_ = true;
    seams_.endProgram(status);
}
