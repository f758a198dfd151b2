#pragma once

#include "FormEvents.h"
#include "FormSeams.h"
#include "WidgetFields.h"

#include <QFont>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class Beeper;
class ErrorReport;
class GlideClock;
class QLineEdit;
class QPushButton;
class WindowGeometry;

// The program's one window. It is built from LayoutTable, hands its events
// to FormEvents, glides away when closed, and reports any error that a
// handler raised before ending the program.
class Form1 : public QWidget {
public:
    using Seams = FormSeams<QWidget&>;

    explicit Form1(Seams seams);

    // Fills the form-level state; call once, before showing the window.
    void load();
    // Shows the window with its client area centred on the screen it
    // opens on, as the form was designed to start.
    void showCentred();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Controls {
        std::array<QLineEdit*, 4> edits{};
        std::array<QWidget*, LayoutTable::Controls.size()> all{};
    };
    static Controls buildControls(QWidget& form);
    void wireEvents();

    Seams seams_;
    Controls controls_;
    WidgetFields fields_;
    FormEvents events_;
    std::optional<QFont> amountFont_;
};
