#include "app/schemepainter.h"

#include "appearance/colorscheme.h"
#include "controls/button3d.h"
#include "controls/colorvalue.h"

#include <QAbstractButton>
#include <QWidget>

namespace askbright {

namespace {

void setColors(QWidget *widget, qint32 background, qint32 text, bool withBackground)
{
    QPalette p = widget->palette();
    if (withBackground) {
        p.setColor(QPalette::Window, colorFromBgr(background));
        // Option buttons and check boxes fill their background from the
        // button role, not the window role.
        if (qobject_cast<QAbstractButton *>(widget))
            p.setColor(QPalette::Button, colorFromBgr(background));
        widget->setAutoFillBackground(true);
    }
    // Disabled controls keep the platform's disabled look.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::WindowText, colorFromBgr(text));
    widget->setPalette(p);
}

} // namespace

void paintWithScheme(QWidget *widget, SchemeRole role, const ColorScheme &scheme)
{
    using E = ColorScheme;
    auto *button = qobject_cast<Button3D *>(widget);
    switch (role) {
    case SchemeRole::Window:
    case SchemeRole::Box:
        setColors(widget, scheme[E::backgroundColor], scheme[E::fontColor], true);
        break;
    case SchemeRole::Text:
        setColors(widget, 0, scheme[E::fontColor], false);
        break;
    case SchemeRole::Element:
        setColors(widget, scheme[E::buttonColor], scheme[E::buttonFontColor], true);
        break;
    case SchemeRole::Shape: {
        QPalette p = widget->palette();
        p.setColor(QPalette::Window, colorFromBgr(scheme[E::buttonColor]));
        widget->setPalette(p);
        widget->setAutoFillBackground(true);
        break;
    }
    case SchemeRole::Button:
    case SchemeRole::ButtonFace:
    case SchemeRole::ButtonCaption:
        if (!button)
            break;
        if (role != SchemeRole::ButtonCaption)
            button->setFaceColor(scheme[E::buttonColor]);
        if (role != SchemeRole::ButtonFace)
            button->setCaptionColor(scheme[E::buttonFontColor]);
        break;
    }
}

void paintWithScheme(std::initializer_list<QWidget *> widgets, SchemeRole role,
                     const ColorScheme &scheme)
{
    for (QWidget *w : widgets)
        paintWithScheme(w, role, scheme);
}

} // namespace askbright
