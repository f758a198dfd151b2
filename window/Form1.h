#pragma once

#include "Converter.h"
#include "WidgetFields.h"

#include <QWidget>

#include <functional>
#include <memory>

class Beeper;
class ErrorReport;
class QLineEdit;
class QPushButton;
class WindowGeometry;

// The program's one window. It is built from LayoutTable, routes its events
// to the Converter, glides away when closed, and reports any error that a
// handler raised before ending the program.
class Form1 : public QWidget {
public:
    // What the window needs from outside; tests replace each of them.
    struct Seams {
        Beeper& beeper;
        ErrorReport& errorReport;
        std::function<void(int status)> endProgram;
        std::function<std::unique_ptr<WindowGeometry>(QWidget& window)> geometry;
    };

    explicit Form1(Seams seams);

    // Fills the form-level state; call once, before showing the window.
    void load();
    bool hasEnded() const { return ended_; }
    const Converter& converter() const { return converter_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Controls {
        std::array<QLineEdit*, 4> edits{};
        QPushButton* command1 = nullptr;
        QPushButton* command2 = nullptr;
    };
    static Controls buildControls(QWidget& form);
    void wireEvents();
    void Form_Unload();
    // Runs one event handler; an error it raises is reported and ends the
    // program. Returns false if it raised.
    bool dispatch(const std::function<void()>& handler);
    void end(int status);

    Seams seams_;
    Controls controls_;
    WidgetFields fields_;
    Converter converter_;
    bool closing_ = false;
    bool ended_ = false;
};
