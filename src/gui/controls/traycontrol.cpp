#include "controls/traycontrol.h"

#include "app/product.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace askbright {

namespace {

// A speech bubble with a question mark; the indicator adds a red dot.
QIcon trayIcon(bool indicator)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x2F, 0x6F, 0xB5));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(2, 2, 28, 22, 6, 6);
    p.drawPolygon(QPolygon({QPoint(8, 22), QPoint(8, 30), QPoint(16, 22)}));
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(18);
    p.setFont(font);
    p.drawText(QRect(2, 2, 28, 22), Qt::AlignCenter, QStringLiteral("?"));
    if (indicator) {
        p.setPen(Qt::white);
        p.setBrush(QColor(0xD0, 0x20, 0x20));
        p.drawEllipse(19, 17, 12, 12);
    }
    return QIcon(pixmap);
}

} // namespace

TrayControl::TrayControl(QObject *parent) : QObject(parent) {}

bool TrayControl::available() const
{
    return m_available.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void TrayControl::start()
{
    if (m_icon || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_icon = new QSystemTrayIcon(this);
    m_icon->setToolTip(productTitle);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    emit mouseDown(1);
                else if (reason == QSystemTrayIcon::Context)
                    emit mouseDown(2);
            });
    updateIcon();
    m_icon->show();
}

void TrayControl::setIndicator(int value)
{
    if (m_indicator == value)
        return;
    m_indicator = value;
    updateIcon();
}

void TrayControl::updateIcon()
{
    if (m_icon)
        m_icon->setIcon(trayIcon(m_indicator != 0));
}

} // namespace askbright
