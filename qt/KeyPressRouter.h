#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <string>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;

// Hands every character typed into a line edit to a key-press handler
// before the line edit sees it, as a 16-bit character code the handler may
// zero to discard it. Keys that type no character (arrows, Delete, Home,
// End, Insert, function keys, Shift+Insert, Ctrl+Insert) go straight to the
// line edit and keep their editing meaning. Text pasted with the mouse or
// the context menu is not typed and is not filtered.
class KeyPressRouter : public QObject {
public:
    using Handler = std::function<void(std::int16_t& code)>;

    // Installs itself on the field and lives as long as it does.
    KeyPressRouter(QLineEdit& field, Handler handler);

    // The character codes a key event types, in order; none for a key that
    // types no character. Ctrl+letter types its control code (Ctrl+A is 1,
    // Ctrl+V 22), Backspace 8, Enter 13, Escape 27.
    static std::u16string characterCodes(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool filterKey(const QKeyEvent& event);
    bool filterInputMethod(const QInputMethodEvent& event);
    std::u16string passed(const std::u16string& codes);

    QLineEdit& field_;
    Handler handler_;
    bool resending_ = false;
};
