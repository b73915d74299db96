#include "app/placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace askbright {

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window->move(area.x() + area.width() / 2 - window->frameGeometry().width() / 2,
                 area.y() + area.height() / 2 - window->frameGeometry().height() / 2);
}

void centreOver(QWidget *window, const QWidget *owner)
{
    if (!owner)
        return centreOnScreen(window);
    const QRect o = owner->frameGeometry();
    window->move(o.x() + o.width() / 2 - window->frameGeometry().width() / 2,
                 o.y() + o.height() / 2 - window->frameGeometry().height() / 2);
}

} // namespace askbright
