#include "KeyPressRouter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Keys that move the caret, edit, or navigate: they type no character.
// Qt on X11 gives Delete the text "\x7f", which must not count as typed.
bool typesNoCharacter(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return key >= Qt::Key_F1 && key <= Qt::Key_F35;
    }
}

} // namespace

KeyPressRouter::KeyPressRouter(QLineEdit& field, Handler handler)
    : QObject(&field)
    , field_(field)
    , handler_(std::move(handler))
{
    field.installEventFilter(this);
}

std::u16string KeyPressRouter::characterCodes(const QKeyEvent& event)
{
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    if (typesNoCharacter(key))
        return {};
    // Alt and Meta combinations are shortcuts, not typing.
    if (!control && (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return {};
    if (key == Qt::Key_Backspace)
        return {control ? u'\x7f' : u'\b'};
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return {control ? u'\n' : u'\r'};
    if (key == Qt::Key_Escape)
        return {u'\x1b'};
    if (control) {
        // The key, not the text: the text of Ctrl+letter differs between
        // platforms (X11 sends the control code, others the letter or nothing).
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return {static_cast<char16_t>(key - Qt::Key_A + 1)};
        switch (key) {
        case Qt::Key_BracketLeft:
            return {u'\x1b'};
        case Qt::Key_Backslash:
            return {u'\x1c'};
        case Qt::Key_BracketRight:
            return {u'\x1d'};
        default:
            return {}; // other Ctrl combinations type nothing
        }
    }
    const QString text = event.text();
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

bool KeyPressRouter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &field_ || resending_)
        return false;
    if (event->type() == QEvent::KeyPress)
        return filterKey(static_cast<const QKeyEvent&>(*event));
    if (event->type() == QEvent::InputMethod)
        return filterInputMethod(static_cast<const QInputMethodEvent&>(*event));
    return false;
}

bool KeyPressRouter::filterKey(const QKeyEvent& event)
{
    const std::u16string codes = characterCodes(event);
    if (codes.empty()) {
        // An Alt or Meta combination with text would otherwise be inserted
        // by the line edit, past the filter.
        return !event.text().isEmpty() && !typesNoCharacter(event.key());
    }
    const std::u16string kept = passed(codes);
    if (kept == codes && !event.modifiers().testFlag(Qt::ControlModifier))
        return false; // the line edit inserts the text, or backspaces, as usual

    // Ctrl combinations and partly refused text: apply what passed here.
    for (char16_t code : kept) {
        if (code == u'\b')
            field_.backspace();
        else if (code >= u' ' && code != u'\x7f')
            field_.insert(QString(QChar(code)));
        // Tab and form feed do nothing in a one-line field.
    }
    return true;
}

bool KeyPressRouter::filterInputMethod(const QInputMethodEvent& event)
{
    const QString commit = event.commitString();
    if (commit.isEmpty())
        return false;
    const std::u16string codes(reinterpret_cast<const char16_t*>(commit.utf16()), static_cast<std::size_t>(commit.size()));
    const std::u16string kept = passed(codes);
    if (kept == codes)
        return false;
    QInputMethodEvent filtered(event.preeditString(), event.attributes());
    filtered.setCommitString(QString::fromStdU16String(kept), event.replacementStart(), event.replacementLength());
    resending_ = true;
    QCoreApplication::sendEvent(&field_, &filtered);
    resending_ = false;
    return true;
}

std::u16string KeyPressRouter::passed(const std::u16string& codes)
{
    std::u16string kept;
    for (char16_t c : codes) {
        auto code = static_cast<std::int16_t>(c);
        handler_(code);
        if (code != 0)
            kept += static_cast<char16_t>(code);
    }
    return kept;
}
