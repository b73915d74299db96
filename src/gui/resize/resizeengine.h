#pragma once

#include "resize/proportionallayout.h"
#include "resize/widgetresizewindow.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace askbright {

// A window's proportional layout: the controls inside container follow its
// size, fonts included.
//
// The ratio is taken from the container (for a main window its central
// widget, the client area), not from the outer window: the frame and the
// menu bar are drawn by the toolkit and are not part of the laid-out area,
// so scaling by the outer size would push controls off the bottom edge.
//
//     auto *engine = ResizeEngine::install(centralWidget()); // records and follows resizes
//     engine->setResizeOption(txtfrage, 0, false);
//
// or, driving it by hand:
//
//     ResizeEngine engine(container);
//     engine.recordWindow();
//     engine.setResizeOption(widget, 0, false);
//     ... in the resize handler: engine.followWindow();
class ResizeEngine : public QObject {
    Q_OBJECT
public:
    explicit ResizeEngine(QWidget *container, QObject *parent = nullptr);

    // Creates an engine owned by container, records the layout and follows
    // the container's resizes.
    static ResizeEngine *install(QWidget *container);

    // Records the container's size and its controls; call once they have
    // their design geometry. Lays out the window first, so this works before
    // the window is shown.
    void recordWindow();
    // option: 0 scale both, 1 keep width, 2 keep height, 3 keep both, other values as 0.
    // fontSizing: whether the control's font follows; unchanged when not given.
    void setResizeOption(const QWidget *control, qint32 option,
                         std::optional<bool> fontSizing = std::nullopt);
    // The control's current font size becomes its recorded one (a font the
    // user chose survives the return to the recorded window size).
    void recordFontSize(const QWidget *control);
    void followWindow();
    // Restores every control's recorded geometry and font size; with
    // restoreWindowSize also the window size that gives the recorded container size.
    void restoreRecordedLayout(bool restoreWindowSize);

    float tolerancePercent() const { return m_resize.tolerancePercent(); }
    void setTolerancePercent(float percent) { m_resize.setTolerancePercent(percent); }

    // When on, every resize of the container re-lays its controls, except
    // while the window is minimised.
    void setFollowsResize(bool on);

    // The records, keyed as keyOf() names the widgets.
    const ProportionalLayout &records() const { return m_resize; }
    QString keyOf(const QWidget *control) const { return m_window.keyOf(control); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_container;
    WidgetResizeWindow m_window;
    ProportionalLayout m_resize;
    bool m_followsResize = false;
};

} // namespace askbright
