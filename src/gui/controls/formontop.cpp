#include "controls/formontop.h"

#include <QApplication>
#include <QMainWindow>
#include <QWidget>

namespace askbright {

void FormOnTop(QWidget *window, bool onTop)
{
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing a window's flags hides it; a shown window is shown again.
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        window->show();
}

QWidget *frontWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && qobject_cast<QMainWindow *>(window))
            return window;
    return nullptr;
}

FocusReturn::FocusReturn(QWidget *window)
    : m_window(window ? window->window() : nullptr), m_focus(QApplication::focusWidget())
{
}

FocusReturn::~FocusReturn()
{
    if (!m_window || !m_window->isVisible())
        return;
    m_window->activateWindow();
    if (m_focus && m_focus->window() == m_window)
        m_focus->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace askbright
