#pragma once

#include <QLatin1String>
#include <QWidget>

namespace askbright {

// Names a control (handlers and tests find it by that name) and gives it its
// design geometry in pixels.
template <typename W> W *place(W *widget, const char *name, int x, int y, int w, int h)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

// left = screen width / 2 - own width / 2, likewise for the top.
void centreOnScreen(QWidget *window);
// Centred over owner: owner left + owner width / 2 - own width / 2, likewise top.
void centreOver(QWidget *window, const QWidget *owner);
// Beside owner on the side of the screen with more room, narrowed (down to
// minWidth) so that it does not cover owner; top aligned with owner's, kept
// on the screen.
void placeBeside(QWidget *window, const QWidget *owner, int minWidth);

} // namespace askbright
