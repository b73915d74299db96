#include "resize/resizeengine.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

// "name x,y wxh size": where a control stands and how large its font is.
QString describe(const QString &name, QRect r, double points)
{
    return QString::asprintf("%s %d,%d %dx%d %gpt", qPrintable(name), r.x(), r.y(), r.width(),
                             r.height(), std::round(points * 1000) / 1000); // float ratios
}

QString describe(const QString &name, const QWidget *w)
{
    return describe(name, w->geometry(), w->font().pointSizeF());
}

// A main window whose client area is 600 x 400 pixels, all fonts 10 points.
struct TestWindow {
    QMainWindow main;
    QWidget *client = new QWidget;
    QHash<QString, QWidget *> controls;
    QPlainTextEdit *frage = nullptr;
    QComboBox *combo = nullptr;

    TestWindow()
    {
        main.menuBar()->addMenu(QStringLiteral("&Datei"));
        client->setObjectName(QStringLiteral("client"));
        main.setCentralWidget(client);
        client->setFont(QFont(client->font().family(), 10));

        frage = add(new QPlainTextEdit(client), "txtfrage", {20, 10, 200, 100});
        add(new QPlainTextEdit(client), "txtantwort", {240, 10, 200, 100});
        combo = add(new QComboBox(client), "cseite", {20, 150, 160, 24});
        combo->setEditable(true);
        combo->addItems({QStringLiteral("eins"), QStringLiteral("zwei")});
        add(new QFrame(client), "Line1", {10, 300, 580, 3})->setFrameShape(QFrame::HLine);
        add(new QFrame(client), "Line2", {590, 10, 3, 280})->setFrameShape(QFrame::VLine);
        auto *frame = add(new QGroupBox(client), "fra", {300, 150, 200, 120});
        add(new QLabel(QStringLiteral("innen"), frame), "lblinner", {10, 20, 80, 20});
        // A layout places the panel's button; a dialog is a window of its own.
        auto *panel = add(new QWidget(client), "panel", {460, 10, 120, 100});
        (new QHBoxLayout(panel))->addWidget(new QPushButton(QStringLiteral("OK")));
        new QDialog(client);
        add(new QLabel(QStringLiteral("Frage"), client), "", {20, 200, 100, 20}, "unnamed label");
        // The same name twice: each control still gets its own record.
        add(new QLabel(QStringLiteral("frei"), client), "lblfrei", {20, 230, 50, 20});
        add(new QLabel(QStringLiteral("frei"), client), "lblfrei", {20, 260, 50, 20}, "twin");
        // What the client's own layout places is no control either.
        (new QVBoxLayout(client))->addWidget(new QLabel(QStringLiteral("im Layout")));
        resizeClient({600, 400});
    }

    // key: how the test calls the control, its name unless given.
    template <typename W>
    W *add(W *widget, const char *name, QRect geometry, const char *key = nullptr)
    {
        widget->setObjectName(QLatin1String(name));
        widget->setGeometry(geometry);
        controls.insert(QLatin1String(key ? key : name), widget);
        return widget;
    }

    bool resizeClient(QSize size)
    {
        settle();
        main.resize(main.size() + size - client->size());
        settle();
        return QTest::qWaitFor([&] { return client->size() == size; }, 2000);
    }

    // A hidden window lays out only when asked.
    void settle()
    {
        if (!main.isVisible()) {
            main.layout()->invalidate();
            main.layout()->activate();
        }
    }

    bool show()
    {
        main.show();
        return QTest::qWaitForWindowExposed(&main);
    }

    // Geometry and font of every control, sorted, and of the composite widgets' inner parts.
    QStringList snapshot(bool innerParts = true) const
    {
        QStringList lines;
        for (auto it = controls.cbegin(); it != controls.cend(); ++it)
            lines << describe(it.key(), it.value());
        if (innerParts)
            lines << describe(u"viewport"_s, frage->viewport())
                  << describe(u"combo edit"_s, combo->lineEdit());
        lines.sort();
        return lines;
    }
};

std::unique_ptr<ResizeEngine> installEngine(TestWindow &w)
{
    auto engine = std::make_unique<ResizeEngine>(w.client);
    engine->recordWindow();
    engine->setResizeOption(w.controls.value("txtantwort"), 0, false);
    engine->setResizeOption(w.controls.value("lblinner"), 0, false);
    engine->setFollowsResize(true);
    return engine;
}

} // namespace

class tst_resizeadapter : public QObject {
    Q_OBJECT
private slots:
    void recordsTheLaidOutControls_data()
    {
        QTest::addColumn<bool>("shownFirst");
        QTest::newRow("initialized before the window shows") << false;
        QTest::newRow("initialized on a shown window") << true;
    }

    void recordsTheLaidOutControls()
    {
        QFETCH(bool, shownFirst);
        TestWindow w;
        if (shownFirst)
            QVERIFY(w.show());
        auto engine = installEngine(w);
        // The client area is the recorded window, not the frame with its menu bar.
        QCOMPARE(engine->records().recordedWindow().width, 600 * 15);
        QCOMPARE(engine->records().recordedWindow().height, 400 * 15);
        QCOMPARE(engine->records().controls().count(), int(w.controls.size()));
        for (const QWidget *control : std::as_const(w.controls))
            QVERIFY(engine->records().controls().find(engine->keyOf(control)));
        QCOMPARE(engine->records().controls().find("txtfrage")->left, 20 * 15);
        QCOMPARE(engine->keyOf(w.controls.value("txtfrage")), QStringLiteral("txtfrage"));
        QVERIFY(!engine->keyOf(w.controls.value("unnamed label")).isEmpty());
        // Inner parts, a layout's widget and a window of its own are not controls.
        for (const QWidget *inner :
             QWidgetList{w.frage->viewport(), w.combo->lineEdit(),
                         w.controls.value("panel")->findChild<QWidget *>(),
                         w.client->findChild<QDialog *>(), w.client->layout()->itemAt(0)->widget()})
            QVERIFY(engine->keyOf(inner).isEmpty());
        if (!shownFirst)
            QVERIFY(w.show());
        QCOMPARE(w.client->size(), QSize(600, 400));
    }

    // One window stretched once; each control against where it must end up.
    void controlsFollowTheWindow()
    {
        TestWindow w;
        QVERIFY(w.show());
        const QSize outer = w.main.size();
        auto engine = installEngine(w);
        const QStringList recorded = w.snapshot();
        QVERIFY(w.resizeClient({900, 480})); // 150 % of the width, 120 % of the height
        QCOMPARE(w.snapshot(false),
                 (QStringList{
                     describe(u"Line1"_s, {15, 360, 870, 3}, 10), // a line keeps its thickness
                     describe(u"Line2"_s, {885, 12, 3, 336}, 10),
                     describe(u"cseite"_s, {30, 180, 240, 29}, 12),
                     describe(u"fra"_s, {450, 180, 300, 144}, 12),
                     describe(u"lblfrei"_s, {30, 276, 75, 24}, 12),
                     describe(u"lblinner"_s, {15, 24, 120, 24}, 10), // in the group box, sizing off
                     describe(u"panel"_s, {690, 12, 180, 120}, 12),  // with a layout
                     describe(u"twin"_s, {30, 312, 75, 24}, 12),
                     describe(u"txtantwort"_s, {360, 12, 300, 120}, 10), // font sizing off
                     describe(u"txtfrage"_s, {30, 12, 300, 120}, 12),
                     describe(u"unnamed label"_s, {30, 240, 150, 24}, 12),
                 }));

        // Inner parts stay where their widget puts them.
        QCOMPARE(w.frage->viewport()->geometry().topLeft(), w.frage->contentsRect().topLeft());
        QVERIFY(w.combo->rect().contains(w.combo->lineEdit()->geometry()));

        // Back to the recorded layout, window size included.
        engine->restoreRecordedLayout(true);
        QVERIFY(QTest::qWaitFor([&] { return w.client->size() == QSize(600, 400); }, 2000));
        QCOMPARE(w.main.size(), outer);
        QCOMPARE(w.snapshot(), recorded);
    }

    void drivenByHand_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::newRow("installed") << true;
        QTest::newRow("driven by hand") << false;
    }

    void drivenByHand()
    {
        QFETCH(bool, installed);
        auto w = std::make_unique<TestWindow>();
        QVERIFY(w->show());
        QPointer<ResizeEngine> engine =
            installed ? ResizeEngine::install(w->client) : new ResizeEngine(w->client, w->client);
        if (!installed)
            engine->recordWindow();
        engine->setFollowsResize(installed);
        QVERIFY(w->resizeClient({1200, 800}));
        QCOMPARE(w->frage->geometry(),
                 installed ? QRect(40, 20, 400, 200) : QRect(20, 10, 200, 100));
        engine->followWindow();
        QCOMPARE(w->frage->geometry(), QRect(40, 20, 400, 200));
        w.reset(); // the engine goes with its container
        QVERIFY(engine.isNull());
    }
};

QTEST_MAIN(tst_resizeadapter)
#include "tst_resizeadapter.moc"
