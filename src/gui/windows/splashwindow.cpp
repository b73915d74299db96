#include "windows/splashwindow.h"

#include "app/placement.h"
#include "app/product.h"
#include "app/twips.h"
#include "app/windowcontext.h"
#include "controls/formontop.h"
#include "fonts/fontlist.h"
#include "state/appstate.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <numbers>

namespace askbright {

namespace {

// The splash picture, drawn rather than stored: a question in a speech
// bubble beside the product name on a blue ground, and a light strip at the
// bottom where the progress texts stand.
QPixmap splashPicture(QSize size)
{
    QPixmap picture(size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x1B, 0x3F, 0x6B));
    sky.setColorAt(1, QColor(0x2F, 0x6E, 0xA5));
    p.fillRect(picture.rect(), sky);

    // Soft circles give the ground some depth.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 18));
    p.drawEllipse(QPointF(w * 0.85, h * 0.1), h * 0.45, h * 0.45);
    p.drawEllipse(QPointF(w * 0.1, h * 0.75), h * 0.35, h * 0.35);

    // The bubble with its tail and the question mark.
    const QRectF bubble(22, 26, 112, 84);
    p.setBrush(Qt::white);
    p.drawRoundedRect(bubble, 20, 20);
    QPainterPath tail;
    tail.moveTo(48, 104);
    tail.lineTo(38, 134);
    tail.lineTo(80, 106);
    tail.closeSubpath();
    p.drawPath(tail);
    QPen mark(QColor(0x2F, 0x6E, 0xA5), 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(mark);
    p.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(63, 55);
    hook.cubicTo(63, 40, 72, 35, 79, 35);
    hook.cubicTo(90, 35, 96, 42, 96, 51);
    hook.cubicTo(96, 63, 79, 64, 79, 77);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2F, 0x6E, 0xA5));
    p.drawEllipse(QPointF(79, 93), 6.5, 6.5);

    // A spark of light at the bubble's corner.
    QPainterPath spark;
    const QPointF c(134, 30);
    const qreal outer = 15, inner = 4.5;
    for (int i = 0; i < 8; ++i) {
        const qreal r = i % 2 ? inner : outer;
        const qreal a = i * std::numbers::pi / 4;
        const QPointF pt(c.x() + r * std::sin(a), c.y() - r * std::cos(a));
        if (i == 0)
            spark.moveTo(pt);
        else
            spark.lineTo(pt);
    }
    spark.closeSubpath();
    p.setBrush(QColor(0xFF, 0xD9, 0x66));
    p.drawPath(spark);

    QFont name(QStringLiteral("Arial"));
    name.setPixelSize(38);
    name.setBold(true);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRectF(150, 40, w - 155, 50), Qt::AlignLeft | Qt::AlignVCenter, productTitle);
    QFont tagline(QStringLiteral("Arial"));
    tagline.setPixelSize(15);
    p.setFont(tagline);
    p.setPen(QColor(0xD6, 0xE6, 0xF5));
    p.drawText(QRectF(152, 88, w - 155, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("FAQ pages made easy"));

    // The strip for the texts of the window.
    const QRectF strip(0, h - 72, w, 72);
    QLinearGradient light(strip.topLeft(), strip.bottomLeft());
    light.setColorAt(0, QColor(0xEE, 0xF4, 0xFA));
    light.setColorAt(1, QColor(0xD8, 0xE6, 0xF3));
    p.fillRect(strip, light);
    p.fillRect(QRectF(0, h - 74, w, 2), QColor(0xFF, 0xD9, 0x66));
    return picture;
}

QLabel *textLabel(QWidget *parent, const char *name, const QString &text, int leftTwips,
                  int topTwips, int width)
{
    auto *label = new QLabel(text, parent);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    label->setFont(font);
    return place(label, name, pixelsFromTwips(leftTwips), pixelsFromTwips(topTwips), width, 16);
}

} // namespace

int ScreenFonts::fontCount()
{
    collect();
    return int(m_families.size());
}

QString ScreenFonts::fontName(int index)
{
    collect();
    return m_families.value(index);
}

void ScreenFonts::collect()
{
    if (m_collected)
        return;
    m_families = familiesWithoutFoundry(QFontDatabase::families());
    m_collected = true;
}

SplashWindow::SplashWindow(WindowContext &context, FontSource &fonts,
                           std::function<void()> showMainWindow, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_ctx(context), m_fonts(fonts),
      m_showMainWindow(std::move(showMainWindow))
{
    setObjectName(QStringLiteral("frmintro"));
    m_ctx.guarded("frmintro", "Form_Load", [this] { load(); });
}

void SplashWindow::load()
{
    // The task list shows this while the splash is the only window.
    setWindowTitle(QStringLiteral("Askbright ....lade Schriftarten"));
    setFixedSize(pixelsFromTwips(5356), pixelsFromTwips(3861));

    m_picture = place(new QLabel(this), "Image1", pixelsFromTwips(78), pixelsFromTwips(78),
                      pixelsFromTwips(5200), pixelsFromTwips(3679));
    m_picture->setPixmap(splashPicture(m_picture->size()));

    const int right = width() - pixelsFromTwips(78);
    m_sloganLabel =
        textLabel(this, "Label2",
                  QStringLiteral("the easy and quickly way to build an personalized FAQ - Website"),
                  78, 3432, right - pixelsFromTwips(78));
    m_loadingLabel =
        textLabel(this, "Label1", QStringLiteral("loading installed Fonts..."), 182, 3146, 150);
    m_countLabel = textLabel(this, "Label3", {}, 2500, 3146, 120);
    m_percentLabel = textLabel(this, "lblproz", {}, 3432, 2730, right - pixelsFromTwips(3432));
    QFont bold = m_percentLabel->font();
    bold.setBold(true);
    m_percentLabel->setFont(bold);

    // The loading procedure is a click, so that the timer only raises it.
    m_startButton = new QPushButton(this);
    m_startButton->setObjectName(QStringLiteral("cmd"));
    m_startButton->hide();
    connect(m_startButton, &QPushButton::clicked, this, &SplashWindow::onStartClicked);

    m_startTimer = new QTimer(this);
    m_startTimer->setObjectName(QStringLiteral("Timer1"));
    m_startTimer->setInterval(500);
    connect(m_startTimer, &QTimer::timeout, this, &SplashWindow::onStartTimer);
    m_startTimer->start();

    centreOnScreen(this);
    show();
    FormOnTop(this, true);
    setCursor(Qt::WaitCursor);
}

void SplashWindow::onStartTimer()
{
    m_ctx.guarded("frmintro", "Timer1_Timer", [this] { m_startButton->click(); });
}

void SplashWindow::onStartClicked()
{
    m_ctx.guarded("frmintro", "cmd_Click", [this] { loadFonts(); });
    loadingEnded();
    // Even when collecting failed the program must go on to its main window,
    // or it could neither be used nor ended; only the choice to end it stops here.
    if (m_ctx.state.exitConfirmed != 1 && m_showMainWindow)
        m_showMainWindow();
}

void SplashWindow::loadFonts()
{
    m_startTimer->stop();
    const int count = m_fonts.fontCount();
    m_countLabel->setText(QStringLiteral("( %1 )").arg(count));
    QStringList &fonts = m_ctx.state.installedFonts;
    fonts.resize(qsizetype(count) + 1);
    for (int i = 0; i < count; ++i) {
        fonts[i + 1] = m_fonts.fontName(i);
        QCoreApplication::processEvents();
        m_percentLabel->setText(QString::number(fontLoadingPercent(i, count)) + u'%');
    }
    m_ctx.guarded("frmintro", "BSort",
                  [&fonts] { sortByCharacterCodes(fonts, SortOrder::Ascending); });
}

void SplashWindow::loadingEnded()
{
    unsetCursor();
    FormOnTop(this, false);
}

void SplashWindow::closeEvent(QCloseEvent *event)
{
    m_ctx.guarded("frmintro", "Form_QueryUnload", [this] { loadingEnded(); });
    event->accept();
}

} // namespace askbright
