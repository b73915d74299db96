#pragma once

#include <QPointer>

class QWidget;

namespace askbright {

// Puts a window into the topmost band or takes it out; position and size stay.
void FormOnTop(QWidget *window, bool onTop);

// The window a message or dialog belongs to: the modal one in front, else
// the active one, else the main window (at start-up none is active yet).
QWidget *frontWindow();

// While alive, a modal window is open over window; when it goes, window is
// active again with the keyboard focus where it was, so that keys do not go
// nowhere until the user clicks.
class FocusReturn {
public:
    explicit FocusReturn(QWidget *window);
    // Over the window in front, which a message or dialog then belongs to.
    FocusReturn() : FocusReturn(frontWindow()) {}
    ~FocusReturn();
    FocusReturn(const FocusReturn &) = delete;
    FocusReturn &operator=(const FocusReturn &) = delete;

    QWidget *window() const { return m_window; }

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
};

} // namespace askbright
