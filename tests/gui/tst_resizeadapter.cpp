#include "resize/resizeengine.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <cmath>
#include <memory>

using namespace askbright;

namespace {

// A main window whose client area is 600 x 400 pixels, all fonts 10 points.
struct TestWindow {
    QMainWindow main;
    QWidget *client = new QWidget;
    QHash<QString, QWidget *> controls;

    TestWindow()
    {
        main.menuBar()->addMenu(QStringLiteral("&Datei"));
        client->setObjectName(QStringLiteral("client"));
        main.setCentralWidget(client);
        QFont font = client->font();
        font.setPointSizeF(10);
        client->setFont(font);

        add(new QPlainTextEdit(client), "txtfrage", {20, 10, 200, 100});
        add(new QPlainTextEdit(client), "txtantwort", {240, 10, 200, 100});
        auto *combo = add(new QComboBox(client), "cseite", {20, 150, 160, 24});
        combo->setEditable(true);
        combo->addItems({QStringLiteral("eins"), QStringLiteral("zwei")});
        auto *line = add(new QFrame(client), "Line1", {10, 300, 580, 3});
        line->setFrameShape(QFrame::HLine);
        auto *frame = add(new QGroupBox(client), "fra", {300, 150, 200, 120});
        add(new QLabel(QStringLiteral("innen"), frame), "lblinner", {10, 20, 80, 20});
        auto *unnamed = new QLabel(QStringLiteral("Frage"), client);
        unnamed->setGeometry(20, 200, 100, 20);
        controls.insert(QStringLiteral("unnamed label"), unnamed);
        resizeClient({600, 400});
    }

    template <typename W> W *add(W *widget, const char *name, QRect geometry)
    {
        widget->setObjectName(QLatin1String(name));
        widget->setGeometry(geometry);
        controls.insert(QLatin1String(name), widget);
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

    // Geometry and font of every control and of the composite widgets' inner parts.
    QStringList snapshot() const
    {
        QStringList lines;
        auto describe = [&](const QString &name, const QWidget *w) {
            const QRect r = w->geometry();
            lines << QStringLiteral("%1 %2,%3 %4x%5 %6pt")
                         .arg(name)
                         .arg(r.x())
                         .arg(r.y())
                         .arg(r.width())
                         .arg(r.height())
                         .arg(w->font().pointSizeF());
        };
        for (auto it = controls.cbegin(); it != controls.cend(); ++it)
            describe(it.key(), it.value());
        describe("viewport", plain("txtfrage")->viewport());
        describe("combo edit", combo()->lineEdit());
        lines.sort();
        return lines;
    }

    QPlainTextEdit *plain(const char *name) const
    {
        return static_cast<QPlainTextEdit *>(controls.value(QLatin1String(name)));
    }
    QComboBox *combo() const { return static_cast<QComboBox *>(controls.value("cseite")); }
};

std::unique_ptr<ResizeEngine> installEngine(TestWindow &w)
{
    auto engine = std::make_unique<ResizeEngine>(w.client);
    engine->Initialize();
    engine->ResizeOption(w.controls.value("txtantwort"), 0, false);
    engine->ResizeOption(w.controls.value("lblinner"), 0, false);
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
        QCOMPARE(engine->records().form().Width, 600 * 15);
        QCOMPARE(engine->records().form().Height, 400 * 15);
        QCOMPARE(engine->records().controls().Count(), int(w.controls.size()));
        for (auto it = w.controls.cbegin(); it != w.controls.cend(); ++it) {
            const clsControl *record = engine->records().controls().Item(engine->keyOf(*it));
            QVERIFY2(record, qPrintable(it.key()));
            const QRect r = (*it)->geometry();
            if (it.key() == QLatin1String("Line1")) {
                QCOMPARE(
                    QList<qint32>({record->X1, record->X2, record->Y1, record->Y2}),
                    QList<qint32>({r.x() * 15, (r.x() + r.width()) * 15, r.y() * 15, r.y() * 15}));
                QCOMPARE(record->Fontsize, 0.0f);
            } else {
                QCOMPARE(QRect(record->Left, record->Top, record->Width, record->Height),
                         QRect(r.x() * 15, r.y() * 15, r.width() * 15, r.height() * 15));
                QCOMPARE(record->Fontsize, 10.0f);
            }
        }
        QCOMPARE(engine->keyOf(w.controls.value("txtfrage")), QStringLiteral("txtfrage"));
        QVERIFY(!engine->keyOf(w.controls.value("unnamed label")).isEmpty());
        for (const QWidget *inner : {static_cast<QWidget *>(w.plain("txtfrage")->viewport()),
                                     static_cast<QWidget *>(w.combo()->lineEdit())})
            QVERIFY(engine->keyOf(inner).isEmpty());
        if (!shownFirst)
            QVERIFY(w.show());
        QCOMPARE(w.client->size(), QSize(600, 400));
    }

    void controlsFollowTheWindow_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<double>("points");
        // 900 x 480 is 150 % of the width and 120 % of the height.
        QTest::newRow("text box") << "txtfrage" << QRect(30, 12, 300, 120) << 12.0;
        QTest::newRow("font sizing off") << "txtantwort" << QRect(360, 12, 300, 120) << 10.0;
        QTest::newRow("combo box") << "cseite" << QRect(30, 180, 240, 29) << 12.0;
        QTest::newRow("line keeps its thickness") << "Line1" << QRect(15, 360, 870, 3) << 10.0;
        QTest::newRow("group box") << "fra" << QRect(450, 180, 300, 144) << 12.0;
        QTest::newRow("inside the group box, sizing off")
            << "lblinner" << QRect(15, 24, 120, 24) << 10.0;
        QTest::newRow("unnamed label") << "unnamed label" << QRect(30, 240, 150, 24) << 12.0;
    }

    void controlsFollowTheWindow()
    {
        QFETCH(QString, control);
        QFETCH(QRect, expected);
        QFETCH(double, points);
        TestWindow w;
        QVERIFY(w.show());
        auto engine = installEngine(w);
        const QStringList recorded = w.snapshot();
        QVERIFY(w.resizeClient({900, 480}));
        const QWidget *widget = w.controls.value(control);
        QCOMPARE(widget->geometry(), expected);
        QCOMPARE(std::round(widget->font().pointSizeF() * 1000) / 1000, points); // float ratios

        // Inner parts stay where their widget puts them.
        QPlainTextEdit *edit = w.plain("txtfrage");
        QCOMPARE(edit->viewport()->geometry().topLeft(), edit->contentsRect().topLeft());
        QVERIFY(w.combo()->rect().contains(w.combo()->lineEdit()->geometry()));

        QVERIFY(w.resizeClient({600, 400}));
        QCOMPARE(w.snapshot(), recorded);
    }

    void drivenByHand_data()
    {
        QTest::addColumn<bool>("follows");
        QTest::newRow("following resizes") << true;
        QTest::newRow("driven by hand") << false;
    }

    void drivenByHand()
    {
        QFETCH(bool, follows);
        TestWindow w;
        QVERIFY(w.show());
        ResizeEngine engine(w.client);
        engine.Initialize();
        engine.setFollowsResize(follows);
        QWidget *box = w.controls.value("txtfrage");
        QVERIFY(w.resizeClient({1200, 800}));
        QCOMPARE(box->geometry(), follows ? QRect(40, 20, 400, 200) : QRect(20, 10, 200, 100));
        engine.DoResize();
        QCOMPARE(box->geometry(), QRect(40, 20, 400, 200));
    }

    void restoreWindowSize()
    {
        TestWindow w;
        QVERIFY(w.show());
        const QSize outer = w.main.size();
        auto engine = installEngine(w);
        const QStringList recorded = w.snapshot();
        QVERIFY(w.resizeClient({900, 700}));
        QVERIFY(w.snapshot() != recorded);
        engine->DoResize_First(true);
        QVERIFY(QTest::qWaitFor([&] { return w.client->size() == QSize(600, 400); }, 2000));
        QCOMPARE(w.main.size(), outer);
        QCOMPARE(w.snapshot(), recorded);
    }

    void installedEngineDiesWithItsWindow()
    {
        auto w = std::make_unique<TestWindow>();
        QVERIFY(w->show());
        QPointer<ResizeEngine> engine = ResizeEngine::install(w->client);
        QVERIFY(engine->followsResize());
        QVERIFY(w->resizeClient({1200, 800}));
        QCOMPARE(w->controls.value("txtfrage")->geometry(), QRect(40, 20, 400, 200));
        w.reset();
        QVERIFY(engine.isNull());
    }
};

QTEST_MAIN(tst_resizeadapter)
#include "tst_resizeadapter.moc"
