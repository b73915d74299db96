#pragma once

#include "resize/resizewindow.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;
class QLayout;

namespace askbright {

// The resize engine's view of a widget tree: the container's size is the
// window size, and its descendants are the controls. Coordinates are twips
// (15 twips = 1 pixel).
//
// Controls are the child widgets of the container and, recursively, of plain
// containers among them (QWidget, QFrame, QGroupBox without a layout). Other
// widgets are leaves: their inner parts (the viewport of a text box, the line
// edit of a combo box) are laid out by the widget itself. Windows, widgets a
// layout manages and Qt's internal widgets (named "qt_...") are not controls.
//
// A control's key is fixed when the control is first seen: its objectName,
// or a generated key when it has none or another control already uses it.
//
// Combo boxes are the fixed-height list kind; a QFrame shaped as a horizontal
// or vertical line is a line running along its top or left edge, its
// thickness kept. Font sizes are QWidget::font() point sizes; a widget whose
// font is sized in pixels has none.
class WidgetResizeWindow : public ResizeWindow {
public:
    static constexpr int twipsPerPixel = 15;

    explicit WidgetResizeWindow(QWidget *container);

    Geometry windowGeometry() const override;
    // Resizes the top-level window so that the container gets the height or width.
    void setWindowHeight(double height) override;
    void setWindowWidth(double width) override;

    int enumerateControls() override;
    QString controlKey(int index) const override;
    Kind controlKind(int index) const override;
    std::optional<double> read(int index, Property property) const override;
    bool write(int index, Property property, double value) override;
    bool move(int index, const Geometry &geometry) override;

    // The key a control is known by; empty for a widget never enumerated.
    QString keyOf(const QWidget *widget) const;
    // Lays out the container's ancestors, so that a window not yet shown
    // reports the container size it will show with.
    void settleLayout();
    // Makes each control's font size its own, so that a font scaled on a
    // container does not reach into the controls inside it.
    void pinFontSizes();

    QWidget *container() const { return m_container; }

private:
    void collect(QWidget *parent);
    void assignKey(QWidget *w);
    QWidget *control(int index) const;

    QPointer<QWidget> m_container;
    QList<QPointer<QWidget>> m_controls;
    QHash<const QObject *, QString> m_keys;
    QHash<QString, const QObject *> m_owners;
    int m_generatedCount = 0;
    QObject m_connections; // context of the destroyed() connections, dies with this
};

} // namespace askbright
