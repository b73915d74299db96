#include "controls/button3d.h"

#include "controls/colorvalue.h"

#include <QMouseEvent>
#include <QPainter>

namespace askbright {

Button3D::Button3D(const QString &caption, QWidget *parent) : QPushButton(caption, parent) {}

void Button3D::setCaptionColor(qint32 bgr)
{
    m_captionColor = bgr;
    // Only the enabled look takes the colour: a disabled button must look disabled.
    QPalette p = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::ButtonText, colorFromBgr(bgr));
    setPalette(p);
}

void Button3D::setFaceColor(qint32 bgr)
{
    m_faceColor = bgr;
    QPalette p = palette();
    p.setColor(QPalette::Button, colorFromBgr(bgr));
    setPalette(p);
}

void Button3D::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(4, 4, -5, -5));
}

void Button3D::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers());
    QPushButton::mousePressEvent(event);
}

} // namespace askbright
