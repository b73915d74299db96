#include "controls/button3d.h"

#include "controls/colorvalue.h"

#include <QMouseEvent>

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

void Button3D::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button(), event->modifiers());
    QPushButton::mousePressEvent(event);
}

} // namespace askbright
