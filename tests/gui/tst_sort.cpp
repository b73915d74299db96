#include "controls/colorvalue.h"
#include "editor/reorderdialog.h"
#include "gui/session.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>

using namespace askbright;
using testutil::Session;

namespace {

// A run with count records open and the re-ordering window over it.
struct Reorder {
    Session s;
    std::unique_ptr<ReorderDialog> owned;
    ReorderDialog *window = nullptr; // the one opened last, or the command's

    explicit Reorder(int count, const QByteArray &settings = {}) : s(settings)
    {
        s.open(s.writeDatabase(QStringLiteral("a.faq"), count));
    }
    ReorderDialog &open()
    {
        owned = std::make_unique<ReorderDialog>(s.context, &s.w());
        window = owned.get();
        return *window;
    }
    QListWidget *list() { return testutil::child<QListWidget>(*window, "list_sort"); }
    QLabel *arrow(const char *name) { return testutil::child<QLabel>(*window, name); }
    QStringList lines()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    // "102-103+": the picture each arrow shows, "+" when enabled, "-" when not.
    QString arrows()
    {
        QString state;
        for (QLabel *a : {arrow("img_oben"), arrow("img_unten")}) {
            const QImage shown = a->pixmap().toImage();
            for (const int id : {101, 102, 103, 104})
                if (shown == ReorderDialog::bitmap(id).toImage())
                    state += QString::number(id) + (a->isEnabled() ? u'+' : u'-');
        }
        return state;
    }
};

} // namespace

class tst_sort : public QObject {
    Q_OBJECT
private slots:
    void arrows_data()
    {
        QTest::addColumn<int>("line"); // of three; -1: none selected
        QTest::addColumn<QString>("arrows");
        QTest::newRow("nothing selected") << -1 << "102-104-";
        QTest::newRow("first line") << 0 << "102-103+";
        QTest::newRow("middle line") << 1 << "101+103+";
        QTest::newRow("last line") << 2 << "101+104-";
    }

    void arrows()
    {
        QFETCH(int, line);
        QFETCH(QString, arrows);
        Reorder r(3);
        ReorderDialog &window = r.open();
        QCOMPARE(r.lines(), r.s.questions());
        QVERIFY(r.list()->selectedItems().isEmpty());
        if (line >= 0)
            r.list()->setCurrentRow(line);
        QCOMPARE(r.arrows(), arrows);
        // A disabled arrow moves nothing.
        const QStringList before = r.s.questions();
        if (arrows.at(3) == u'-')
            window.onUpClicked();
        if (arrows.at(7) == u'-')
            window.onDownClicked();
        QCOMPARE(r.s.questions(), before);
    }

    // Clicking the up arrow until it gives up takes N - 1 clicks and moves
    // whole records; a press only shows the arrow pressed, the release moves.
    void lastToTheTopAndBack()
    {
        Reorder r(5);
        ReorderDialog &window = r.open();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        r.list()->setCurrentRow(4);
        QLabel *up = r.arrow("img_oben");
        int clicks = 0;
        for (; up->isEnabled() && clicks < 100; ++clicks)
            QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(clicks, 4);
        QStringList questions{"Q5", "Q1", "Q2", "Q3", "Q4"};
        QCOMPARE(r.s.questions(), questions);
        QCOMPARE(r.lines(), questions);
        QCOMPARE(r.s.state.database.record(1).answer, QStringLiteral("A5"));
        QCOMPARE(r.list()->currentRow(), 0);
        QCOMPARE(r.arrows(), QStringLiteral("102-103+"));
        // A disabled arrow takes no press.
        QTest::mousePress(up, Qt::LeftButton);
        QCOMPARE(up->frameShape(), QFrame::NoFrame);
        QTest::mouseRelease(up, Qt::LeftButton);

        QLabel *down = r.arrow("img_unten");
        QTest::mousePress(down, Qt::LeftButton);
        QCOMPARE(down->frameShape(), QFrame::Box);
        QCOMPARE(r.s.questions(), questions);
        QTest::mouseRelease(down, Qt::LeftButton);
        QCOMPARE(down->frameShape(), QFrame::NoFrame);
        questions.swapItemsAt(0, 1);
        QCOMPARE(r.s.questions(), questions);
        QCOMPARE(r.lines(), questions);
        QCOMPARE(r.list()->currentRow(), 1);
    }

    // The command keeps the record shown first, opens the window modally and
    // shows record 1 afterwards, the database unsaved.
    void sortCommand()
    {
        Reorder r(3, testutil::settingsBytes([](AppSettings &st) {
                      st.soundsOn = true;
                      st.alwaysOnTop = true;
                  }));
        r.s.w().recordEditor().onLastClicked();
        r.s.type(QStringLiteral("Q3 edited"), QStringLiteral("A3"));
        r.s.sounds.played.clear();
        QStringList listed;
        QTimer timer;
        timer.callOnTimeout([&] {
            auto *modal = qobject_cast<ReorderDialog *>(QApplication::activeModalWidget());
            if (!modal)
                return;
            timer.stop();
            r.window = modal;
            listed = r.lines();
            r.list()->setCurrentRow(2);
            modal->onUpClicked();
            testutil::child<Button3D>(*modal, "cmdraus")->click();
        });
        timer.start(5);
        r.s.action("mnusort")->trigger();
        QCOMPARE(listed, (QStringList{"Q1", "Q2", "Q3 edited"}));
        QCOMPARE(r.s.questions(), (QStringList{"Q1", "Q3 edited", "Q2"}));
        QVERIFY(r.s.state.database.hasUnsavedChanges());
        QCOMPARE(r.s.position(), QStringLiteral(" 1 von  3"));
        // The forward button is set back to stepping.
        QCOMPARE(r.s.button("cmdvor")->caption(), QStringLiteral("&>"));
        QCOMPARE(r.s.sounds.played, QStringList{"menu"});
    }

    void schemeColours()
    {
        Reorder r(1);
        QVERIFY(!r.open().autoFillBackground()); // no scheme loaded: design colours
        r.s.state.currentColors.entries = {0x112233, 0x445566, 0x778899, 0xAABBCC};
        ReorderDialog &window = r.open();
        QCOMPARE(window.palette().color(QPalette::Window), colorFromBgr(0x778899));
        QCOMPARE(r.arrow("Label1")->palette().color(QPalette::WindowText), colorFromBgr(0x445566));
        QCOMPARE(testutil::child<Button3D>(window, "cmdraus")->faceColor(),
                 std::optional<qint32>(0x112233));
    }

    // Shown, the window takes the main window's place and size; its controls stretch with it.
    void coversTheMainWindow()
    {
        Reorder r(1);
        r.s.w().move(40, 30);
        r.s.w().resize(r.s.w().width() * 3 / 2, r.s.w().height() * 5 / 4);
        ReorderDialog &window = r.open();
        const double listShare = double(r.list()->width()) / window.width();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.geometry(), r.s.w().geometry());
        QVERIFY(qAbs(r.list()->width() - listShare * window.width()) <= 1);
    }
};

QTEST_MAIN(tst_sort)
#include "tst_sort.moc"
