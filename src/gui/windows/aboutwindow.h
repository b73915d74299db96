#pragma once

#include <QDialog>
#include <QImage>
#include <QStringList>

class QLabel;
class QTimer;

namespace askbright {

class WindowContext;

// The about window: the version in its title and the lines of about.txt
// scrolling upwards over a blue gradient, fading from white into blue near
// the top. It closes itself when the last line has left at the top.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(WindowContext &context, QWidget *parent = nullptr);

    // One frame of the animation; the 25 ms timer calls it, tests call it
    // directly.
    void onRedrawTick();
    bool animating() const;

    void done(int result) override;

private:
    void load();
    void paintGradient(QImage &pic);
    void drawLines(QImage &pic);

    WindowContext &m_ctx;
    QStringList m_aboutLines;
    int m_scrollOffset = 0;
    int m_ticks = 0;

    QLabel *m_output;
    // The hidden buffer each frame is drawn into before it is shown.
    QImage m_frameBuffer;
    QTimer *m_redrawTimer;
};

} // namespace askbright
