#include "app/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

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

void placeBeside(QWidget *window, const QWidget *owner, int minWidth)
{
    const QScreen *screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    constexpr int gap = 8;
    const QRect area = screen->availableGeometry();
    const QRect o = owner->frameGeometry();
    const int frame = window->frameGeometry().width() - window->width();
    const int roomRight = area.right() - o.right() - gap;
    const int roomLeft = o.left() - area.left() - gap;
    const bool right = roomRight >= roomLeft;
    const int width =
        std::max(minWidth, std::min(window->width(), std::max(roomRight, roomLeft) - frame));
    window->resize(width, window->height());
    const int outer = width + frame;
    int x = right ? o.right() + gap : o.left() - gap - outer;
    x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - outer));
    const int y =
        std::clamp(o.top(), area.top(),
                   std::max(area.top(), area.bottom() + 1 - window->frameGeometry().height()));
    window->move(x, y);
}

} // namespace askbright
