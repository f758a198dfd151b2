#include "Form1.h"

#include "Beeper.h"
#include "ErrorReport.h"
#include "KeyPressRouter.h"
#include "LayoutTable.h"
#include "TwipsScale.h"
#include "WindowGeometry.h"

#include "marrowvale.xpm"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace {

using LayoutTable::ControlId;

QString qtext(const char16_t* text)
{
    return text ? QString::fromUtf16(text) : QString();
}

QColor lightGrey()
{
    return QColor(LayoutTable::BackgroundGrey, LayoutTable::BackgroundGrey, LayoutTable::BackgroundGrey);
}

// The form, its captions and its buttons are grey whatever the desktop's
// colours, so the text on them is fixed too: a dark desktop would otherwise
// put its near-white text on the grey. Black, as Windows draws text on its
// grey, and its grey text, grey 128, on a disabled control. The fields keep
// the desktop's colours as a whole (base, text, selection, placeholder), as
// Windows text boxes keep the system's colours, and so do tooltips.
QPalette formPalette(QPalette palette)
{
    for (QPalette::ColorRole background : {QPalette::Window, QPalette::Button})
        palette.setColor(background, lightGrey());
    for (QPalette::ColorRole text : {QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(text, Qt::black);
        palette.setColor(QPalette::Disabled, text, QColor(128, 128, 128));
    }
    return palette;
}

// Enter or the keypad's Enter on a focused button clicks it, as on Windows.
// A QPushButton takes Enter only as a default or auto-default button, which
// neither button is: that would change how styles draw it.
bool clickOnEnter(QPushButton& button, const QKeyEvent& key)
{
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (!enter || (key.modifiers() & ~Qt::KeypadModifier))
        return false;
    button.click();
    return true;
}

QFont amountFont(const QFont& base)
{
    QFont font = base;
    // Where the designed family is missing, as on most Linux systems, the
    // window's own family stands in, which is what fontconfig would
    // substitute anyway. Keeping the family keeps Qt's cached list of
    // fallback fonts for it: asking fontconfig for the substitutes of a
    // missing family was a fifth of the work before the window appeared.
    const QString designed = QString::fromLatin1(LayoutTable::AmountFontFamily);
    if (QFontDatabase::hasFamily(designed))
        font.setFamilies({designed});
    font.setPointSizeF(LayoutTable::AmountFontCentipoints / 100.0);
    font.setWeight(QFont::Weight(LayoutTable::AmountFontWeight));
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
        if (control.amountFont)
            edit->setAlignment(Qt::AlignCenter);
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
    , events_(fields_, seams_.errorReport, seams_.endProgram)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qtext(LayoutTable::Title));
    setWindowIcon(QIcon(QPixmap(marrowvale_xpm)));
    setPalette(formPalette(palette()));
    setAutoFillBackground(true);

    // The layout is absolute, so the window keeps its size: larger would
    // show the unseen Text4, smaller would cut the fields off. The window
    // system learns that its least and largest sizes are the same, and it is
    // offered no maximise; the glide lifts the limits to shrink it.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    const TwipsScale scale(logicalDpiX());
    setFixedSize(scale.toPixels(LayoutTable::ClientWidth), scale.toPixels(LayoutTable::ClientHeight));
    wireEvents();
    // The amount fields take their bold font when they first paint, after
    // the window has appeared: loading a second font engine was the largest
    // part of building the window that a bare window with one line edit
    // does not do.
    for (const LayoutTable::Control& control : LayoutTable::Controls) {
        if (control.amountFont)
            controls_.all[static_cast<std::size_t>(control.id)]->installEventFilter(this);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (auto* button = qobject_cast<QPushButton*>(watched))
        return event->type() == QEvent::KeyPress && clickOnEnter(*button, static_cast<const QKeyEvent&>(*event));
    if (event->type() == QEvent::Paint) {
        auto* field = static_cast<QWidget*>(watched);
        if (!amountFont_)
            amountFont_ = amountFont(field->font());
        // The field lays its text out again and paints with the new font.
        field->setFont(*amountFont_);
        field->removeEventFilter(this);
    }
    return false;
}

Form1::Controls Form1::buildControls(QWidget& form)
{
    const TwipsScale scale(form.logicalDpiX());
    Controls controls;
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const LayoutTable::Control& control : LayoutTable::Controls) {
        QWidget* widget = createControl(control, form);
        const PixelRect place = scale.toPixels(control.left, control.top, control.width, control.height);
        widget->setGeometry(place.left, place.top, place.width, place.height);
        if (widget->focusPolicy() != Qt::NoFocus)
            tabOrder.emplace_back(control.tabIndex, widget);
        controls.all[static_cast<std::size_t>(control.id)] = widget;
    }
    for (Field field : LayoutTable::Fields) {
        const auto id = static_cast<std::size_t>(LayoutTable::controlOf(field));
        controls.edits[static_cast<std::size_t>(field)] = static_cast<QLineEdit*>(controls.all[id]);
    }
    // A caption is the label of its field, which is how a screen reader
    // finds the field's name.
    for (const LayoutTable::Control& control : LayoutTable::Controls) {
        if (control.labelFor)
            static_cast<QLabel*>(controls.all[static_cast<std::size_t>(control.id)])
                ->setBuddy(controls.all[static_cast<std::size_t>(*control.labelFor)]);
    }
    std::sort(tabOrder.begin(), tabOrder.end());
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    return controls;
}

void Form1::wireEvents()
{
    for (Field field : {Field::Text1, Field::Text2, Field::Text3}) {
        new KeyPressRouter(*controls_.edits[static_cast<std::size_t>(field)],
                           [this, field](std::int16_t& code) { code = events_.keyPress(field, code); });
    }
    for (ControlId id : {ControlId::Command1, ControlId::Command2}) {
        auto* button = static_cast<QPushButton*>(controls_.all[static_cast<std::size_t>(id)]);
        connect(button, &QPushButton::clicked, this, [this, id] { events_.click(id); });
        button->installEventFilter(this);
    }
}

void Form1::load()
{
    events_.load();
    // The first field in tab order holds the focus when the window appears.
    controls_.edits[0]->setFocus(Qt::OtherFocusReason);
}

void Form1::showCentred()
{
    // The frame's size is unknown until the window manager has mapped the
    // window, so it is the client area that is centred: setGeometry places
    // the client area, where move() would place the frame's corner.
    if (const QScreen* screen = this->screen()) {
        QRect area(QPoint(), size());
        area.moveCenter(screen->geometry().center());
        setGeometry(area);
    }
    show();
}

void Form1::closeEvent(QCloseEvent* event)
{
    // A second close while the glide runs, or any close once the program is
    // ending, changes nothing.
    if (events_.isEnding()) {
        event->ignore();
        return;
    }
    const std::unique_ptr<WindowGeometry> geometry = seams_.geometry(*this);
    events_.unload(*geometry, seams_.glideClock);
    event->accept();
}
