#include "windows/aboutwindow.h"

#include "about/abouttext.h"
#include "app/product.h"
#include "app/windowcontext.h"
#include "state/appstate.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

namespace askbright {

namespace {

// The inner size of the window; the text starts just below it.
constexpr int innerWidth = 400;
constexpr int innerHeight = 280;

} // namespace

AboutWindow::AboutWindow(WindowContext &context, QWidget *parent)
    : QDialog(parent), m_ctx(context), m_output(new QLabel(this)), m_redrawTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmueber"));
    m_output->setObjectName(QStringLiteral("picOut"));
    m_redrawTimer->setObjectName(QStringLiteral("RedrawTimer"));
    connect(m_redrawTimer, &QTimer::timeout, this, &AboutWindow::onRedrawTick);
    setFixedSize(innerWidth, innerHeight);
    load();
}

void AboutWindow::load()
{
    setWindowTitle(QStringLiteral("Askbright  Version ") + fullVersionText());
    // A file that cannot be read leaves an empty text, which closes by itself.
    m_ctx.guarded("frmueber", "Form_Load", [this] {
        m_aboutLines = readAboutText(m_ctx.state.programFolder() + aboutTextName);
    });
    m_output->setGeometry(0, 0, width(), height());
    m_frameBuffer = QImage(m_output->size(), QImage::Format_RGB32);
    m_scrollOffset = m_frameBuffer.height();
    paintGradient(m_frameBuffer);
    m_output->setPixmap(QPixmap::fromImage(m_frameBuffer));
    m_redrawTimer->setInterval(25);
    m_redrawTimer->start();
}

bool AboutWindow::animating() const
{
    return m_redrawTimer->isActive();
}

void AboutWindow::paintGradient(QImage &pic)
{
    m_ctx.guarded("frmueber", "GradiantBackground", [&pic] {
        QPainter p(&pic);
        const int w = pic.width();
        for (const GradientBand &band : aboutGradient(pic.height()))
            p.fillRect(QRect(QPoint(-1, band.top), QPoint(w, band.bottom)),
                       QColor(0, 0, band.blue));
    });
}

void AboutWindow::drawLines(QImage &pic)
{
    QPainter p(&pic);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    font.setBold(true);
    // Each line shows in exactly its colour of the ramp.
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    const QFontMetrics metrics(font);
    const int count = int(m_aboutLines.size());
    for (int i = 1; i <= count; ++i) {
        const int y = aboutLineTop(i, m_scrollOffset);
        // Lines wholly outside the picture would not show.
        if (y >= pic.height() || y + metrics.height() <= 0)
            continue;
        const QString &t = m_aboutLines.at(i - 1);
        const AboutRgb c = aboutLineColour(y);
        p.setPen(QColor(c.red, c.green, c.blue));
        p.drawText((pic.width() - metrics.horizontalAdvance(t)) / 2, y + metrics.ascent(), t);
    }
}

void AboutWindow::onRedrawTick()
{
    paintGradient(m_frameBuffer);
    drawLines(m_frameBuffer);
    m_output->setPixmap(QPixmap::fromImage(m_frameBuffer));

    const int count = int(m_aboutLines.size());
    // The frame is finished before the window goes.
    const bool ended = count > 0 ? aboutLineTop(count, m_scrollOffset) < aboutGoneAbove
                                 : ++m_ticks >= aboutEmptyTicks;
    --m_scrollOffset;
    if (ended) {
        m_redrawTimer->stop();
        close();
    }
}

void AboutWindow::done(int result)
{
    // However the window goes, the animation stops with it.
    m_ctx.guarded("frmueber", "Form_Unload", [this] { m_redrawTimer->stop(); });
    QDialog::done(result);
}

} // namespace askbright
