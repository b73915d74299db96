#include "about/abouttext.h"
#include "app/product.h"
#include "appearance/colorscheme.h"
#include "controls/colorvalue.h"
#include "gui/session.h"
#include "windows/aboutwindow.h"
#include "windows/infowindow.h"
#include "windows/splashwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>

using namespace askbright;
using testutil::child;

namespace {

// Everything a window is given, without a main window.
using Context = testutil::Kit;

// Installed fonts as a test wants them; onName sees each request.
class FakeFonts : public FontSource {
public:
    QStringList names;
    std::function<void(int)> onName;
    int failAt = -1;

    int fontCount() override { return int(names.size()); }
    QString fontName(int index) override
    {
        if (index == failAt)
            throw AppError(AppError::SubscriptOutOfRange);
        if (onName)
            onName(index);
        return names.at(index);
    }
};

bool hasColour(const QImage &image, int top, int bottom, QRgb colour)
{
    for (int y = qMax(0, top); y < qMin(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

} // namespace

class tst_windows : public QObject {
    Q_OBJECT
private slots:
    // ------------------------------------------------------------ splash

    // The percentages and the order of the list are the font list's tables;
    // here the splash shows each percentage, hands over the sorted list and
    // shows the main window once, even after a font that cannot be read.
    void percentages_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("failAt");
        QTest::addColumn<QStringList>("shown"); // after each font
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("three fonts, by character codes")
            << QStringList{"b", "arial", "Arial"} << -1 << QStringList{"1%", "34%", "67%"}
            << QStringList{"", "Arial", "arial", "b"};
        QTest::newRow("failed font reading")
            << QStringList{"b", "a", "c"} << 1 << QStringList{} << QStringList{};
    }

    void percentages()
    {
        QFETCH(QStringList, names);
        QFETCH(int, failAt);
        Context c;
        FakeFonts fonts;
        fonts.names = names;
        fonts.failAt = failAt;
        int mainShown = 0;
        SplashWindow splash(c.context, fonts, [&] { ++mainShown; });
        QLabel *percent = child<QLabel>(splash, "lblproz");
        QStringList seen;
        fonts.onName = [&](int index) {
            if (index > 0)
                seen << percent->text();
        };
        splash.onStartClicked();
        if (failAt < 0)
            seen << percent->text();
        QTEST(seen, "shown");
        QCOMPARE(mainShown, 1);
        QCOMPARE(splash.cursor().shape(), Qt::ArrowCursor);
        if (failAt < 0)
            QTEST(c.state.installedFonts, "sorted");
        QCOMPARE(c.errors.reports,
                 failAt < 0 ? QStringList() : QStringList{"frmintro/cmd_Click/9"});
    }

    // Half a second after showing, the timer starts the loading once;
    // collecting is no slower than the fonts themselves (a few hundred take far
    // less than that half second), and the main window closes the splash.
    void splashLifeCycle()
    {
        Context c;
        FakeFonts fonts;
        for (int i = 600; i > 0; --i) // in reverse order
            fonts.names << QStringLiteral("Font %1").arg(i, 4, 10, QLatin1Char('0'));
        QElapsedTimer timer;
        fonts.onName = [&](int index) {
            if (index == 0)
                timer.start();
        };
        qint64 collected = -1; // milliseconds from the first font to the main window
        int mainShown = 0;
        std::unique_ptr<MainWindow> window;
        SplashWindow splash(c.context, fonts, [&] {
            collected = timer.elapsed();
            ++mainShown;
            window = std::make_unique<MainWindow>(c.context);
            window->load();
        });
        QVERIFY(splash.isVisible());
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(splash.cursor().shape(), Qt::WaitCursor);

        QTRY_COMPARE_WITH_TIMEOUT(mainShown, 1, 5000);
        QTest::qWait(600);
        QCOMPARE(mainShown, 1);
        QVERIFY2(collected < 2000, qPrintable(QString::number(collected)));
        QCOMPARE(c.state.installedFonts.size(), 601);
        QVERIFY(window->isVisible());
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(splash.cursor().shape(), Qt::ArrowCursor);
    }

    // ------------------------------------------------------------ about

    void aboutClosesOnTheRightTick_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("ticks"); // -1: the window height more
        QTest::addColumn<QStringList>("reports");
        // The last of n lines leaves at the top on tick height + 16 n + 27.
        QTest::newRow("10 lines") << QByteArray("l\r\n").repeated(10) << -187 << QStringList();
        // An unreadable text shows the gradient for a moment.
        QTest::newRow("vanished file")
            << QByteArray("missing") << aboutEmptyTicks << QStringList{"frmueber/Form_Load/53"};
    }

    void aboutClosesOnTheRightTick()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, ticks);
        Context c;
        if (text != "missing")
            testutil::writeBytes(c.path(aboutTextName), text);
        AboutWindow w(c.context);
        w.show();
        const int closingTick = ticks > 0 ? ticks : child<QLabel>(w, "picOut")->height() - ticks;
        for (int tick = 1; tick < closingTick; ++tick)
            w.onRedrawTick();
        QVERIFY(w.isVisible());
        QVERIFY(w.animating());
        w.onRedrawTick();
        QVERIFY(!w.isVisible());
        QVERIFY(!w.animating());
        QTEST(c.errors.reports, "reports");
    }

    // The lines scroll up from the bottom over the gradient: sixteen pixels
    // apart, the first one 108 ticks before the window's height above it.
    // The title names the version.
    void aboutLinesScrollUp()
    {
        Context c;
        testutil::writeBytes(c.path(aboutTextName), QByteArray("MMMMMMMM\r\n").repeated(10));
        AboutWindow w(c.context);
        const QLabel *picture = child<QLabel>(w, "picOut");
        const int height = picture->height();
        w.onRedrawTick();
        QVERIFY(!hasColour(picture->pixmap().toImage(), 0, height, qRgb(255, 255, 255)));
        for (int tick = 2; tick <= height - 108; ++tick)
            w.onRedrawTick();
        const QImage frame = picture->pixmap().toImage();
        QVERIFY(hasColour(frame, 125, 141, qRgb(136, 136, 255)));
        QVERIFY(hasColour(frame, 141, 157, qRgb(153, 153, 255)));
        QVERIFY(!hasColour(frame, 0, 125, qRgb(136, 136, 255)));
        QVERIFY(hasColour(frame, 253, height, qRgb(255, 255, 255)));

        QVERIFY(w.windowTitle().contains(
            QRegularExpression("^Askbright  Version \\d+\\.\\d+\\.\\d+$")));
        // Escape ends the credits early.
        w.show();
        QVERIFY(w.animating());
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QVERIFY(!w.animating());
    }

    // ------------------------------------------------------------ info

    // The scheme paints the window, the button and the request, not the
    // program's name or the link; without one the design colours stay.
    void info_data()
    {
        QTest::addColumn<bool>("schemeLoaded");
        QTest::addColumn<int>("centre");
        QTest::addColumn<int>("onTop");
        QTest::newRow("scheme, centre ticked: remembered position") << true << 1 << 0;
        QTest::newRow("design colours, centre ticked, on top") << false << 1 << 1;
        QTest::newRow("position ticked, on top: screen centre, not topmost") << true << 0 << 1;
    }

    void info()
    {
        QFETCH(bool, schemeLoaded);
        QFETCH(int, centre);
        QFETCH(int, onTop);
        Context c;
        const ColorScheme scheme{{0x604020, 0x0000C0, 0xD0E0F0, 0x00FFFF}};
        if (schemeLoaded)
            c.state.currentColors = scheme;
        c.state.settings.centerWindow = centre;
        c.state.settings.alwaysOnTop = onTop;
        c.state.settings.windowLeft = 1500;
        c.state.settings.windowTop = 3000;
        InfoWindow w(c.context);
        const QPalette design = QApplication::palette();
        auto text = [&](const char *name) {
            return child<QLabel>(w, name)->palette().color(QPalette::Active, QPalette::WindowText);
        };
        const auto own = [&](ColorScheme::Entry e) {
            return schemeLoaded ? std::optional<qint32>(scheme[e]) : std::nullopt;
        };
        auto *back = child<Button3D>(w, "cmdinfoend");
        QCOMPARE(back->faceColor(), own(ColorScheme::buttonColor));
        QCOMPARE(back->captionColor(), own(ColorScheme::buttonFontColor));
        QCOMPARE(w.palette().color(QPalette::Window),
                 schemeLoaded ? colorFromBgr(scheme[ColorScheme::backgroundColor])
                              : design.color(QPalette::Window));
        for (const char *name : {"lbl1", "lbladr", "lblkn"})
            QCOMPARE(text(name), schemeLoaded ? colorFromBgr(scheme[ColorScheme::fontColor])
                                              : design.color(QPalette::WindowText));
        for (const char *name : {"Label1", "Label2", "Label3"})
            QCOMPARE(text(name), design.color(QPalette::WindowText));
        QCOMPARE(text("lblhomepage"), QColor(Qt::blue));
        // Title and version from the program.
        QCOMPARE(child<QLabel>(w, "Label1")->text(), productTitle);
        QCOMPARE(child<QLabel>(w, "Label2")->text(), versionText());

        if (centre) {
            QCOMPARE(w.pos(), QPoint(100, 200));
        } else {
            const QPoint offset = w.frameGeometry().center() -
                                  QGuiApplication::primaryScreen()->availableGeometry().center();
            QVERIFY(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1);
        }
        QCOMPARE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint), centre == 1 && onTop == 1);
        QSignalSpy finished(&w, &QDialog::finished);
        w.show();
        // Only a left click on the homepage link opens it; the window stays.
        QTest::mouseClick(child<QLabel>(w, "lblhomepage"), Qt::RightButton);
        QTest::mouseClick(child<QLabel>(w, "lblhomepage"), Qt::LeftButton);
        QCOMPARE(c.dialogs.opened, QStringList{homepageUrl});
        QCOMPARE(finished.size(), 0);
        QTest::mouseClick(child<Button3D>(w, "cmdinfoend"), Qt::LeftButton);
        QCOMPARE(finished.size(), 1);
        QVERIFY(!w.isVisible());
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
};

QTEST_MAIN(tst_windows)
#include "tst_windows.moc"
