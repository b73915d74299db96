#include "app/textcodec.h"
#include "controls/colorvalue.h"
#include "editor/reorderdialog.h"
#include "gui/session.h"
#include "settings/settingsfile.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>

using namespace askbright;
using testutil::Session;
using testutil::settingsBytes;

namespace {

// Runs trigger; while a modal window is open, hands it to inModal and then
// closes it with its back button. Returns whether a modal window opened.
bool withModal(const std::function<void()> &trigger, const std::function<void(QWidget *)> &inModal)
{
    bool opened = false;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer.stop();
        opened = true;
        inModal(modal); // a failed check inside still closes the window below
        modal->findChild<Button3D *>(QStringLiteral("cmdraus"))->click();
    });
    timer.start();
    trigger();
    return opened;
}

QLabel *arrow(QWidget *window, const char *name)
{
    return window->findChild<QLabel *>(QLatin1String(name));
}

QListWidget *list(QWidget *window)
{
    return window->findChild<QListWidget *>(QStringLiteral("list_sort"));
}

// "102-" : the picture an arrow shows and "+" when enabled, "-" when not.
QString arrowState(QLabel *a)
{
    const QImage shown = a->pixmap().toImage();
    for (const int id : {101, 102, 103, 104})
        if (shown == ReorderDialog::bitmap(id).toImage())
            return QString::number(id) + (a->isEnabled() ? u'+' : u'-');
    return QStringLiteral("?");
}

QStringList lines(QWidget *window)
{
    QStringList texts;
    for (int i = 0; i < list(window)->count(); ++i)
        texts << list(window)->item(i)->text();
    return texts;
}

} // namespace

class tst_sort : public QObject {
    Q_OBJECT
private slots:
    void bitmapsAreDistinct()
    {
        QList<QImage> images;
        for (const int id : {101, 102, 103, 104}) {
            const QImage image = ReorderDialog::bitmap(id).toImage();
            QVERIFY2(!image.isNull(), qPrintable(QString::number(id)));
            QVERIFY(!images.contains(image));
            images << image;
        }
    }

    void arrows_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("line"); // -1: none selected
        QTest::addColumn<QString>("up");
        QTest::addColumn<QString>("down");
        QTest::newRow("nothing selected") << 3 << -1 << "102-"
                                          << "104-";
        QTest::newRow("one record") << 1 << 0 << "102-"
                                    << "104-";
        QTest::newRow("first line") << 3 << 0 << "102-"
                                    << "103+";
        QTest::newRow("middle line") << 3 << 1 << "101+"
                                     << "103+";
        QTest::newRow("last line") << 3 << 2 << "101+"
                                   << "104-";
    }

    void arrows()
    {
        QFETCH(int, count);
        QFETCH(int, line);
        QFETCH(QString, up);
        QFETCH(QString, down);
        Session s;
        s.open(s.writeDatabase(QStringLiteral("a.faq"), count));
        ReorderDialog window(s.context, &s.w());
        QCOMPARE(lines(&window).size(), count);
        QVERIFY(list(&window)->selectedItems().isEmpty());
        if (line >= 0)
            list(&window)->setCurrentRow(line);
        QCOMPARE(arrowState(arrow(&window, "img_oben")), up);
        QCOMPARE(arrowState(arrow(&window, "img_unten")), down);
        // A disabled arrow moves nothing.
        const QStringList before = s.questions();
        if (!up.endsWith(u'+'))
            window.onUpClicked();
        if (!down.endsWith(u'+'))
            window.onDownClicked();
        QCOMPARE(s.questions(), before);
    }

    void lastToTheTop_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("2") << 2;
        QTest::newRow("7") << 7;
    }

    // Clicking the up arrow until it gives up takes N - 1 clicks and moves
    // whole records.
    void lastToTheTop()
    {
        QFETCH(int, count);
        Session s;
        s.open(s.writeDatabase(QStringLiteral("a.faq"), count));
        ReorderDialog window(s.context, &s.w());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        list(&window)->setCurrentRow(count - 1);
        QLabel *up = arrow(&window, "img_oben");
        int clicks = 0;
        while (up->isEnabled() && clicks < 100) {
            QTest::mouseClick(up, Qt::LeftButton);
            ++clicks;
        }
        QCOMPARE(clicks, count - 1);
        QStringList questions{QStringLiteral("Q%1").arg(count)};
        for (int i = 1; i < count; ++i)
            questions << QStringLiteral("Q%1").arg(i);
        QCOMPARE(s.questions(), questions);
        QCOMPARE(lines(&window), questions);
        QCOMPARE(s.state.database.record(1).answer, QStringLiteral("A%1").arg(count));
        QCOMPARE(s.state.database.record(2).answer, QStringLiteral("A1"));
        QCOMPARE(list(&window)->currentRow(), 0);
        QCOMPARE(arrowState(up) + arrowState(arrow(&window, "img_unten")),
                 QStringLiteral("102-103+"));

        // And one step back down.
        QTest::mouseClick(arrow(&window, "img_unten"), Qt::LeftButton);
        questions.swapItemsAt(0, 1);
        QCOMPARE(s.questions(), questions);
        QCOMPARE(lines(&window), questions);
        QCOMPARE(list(&window)->currentRow(), 1);
    }

    void pressedLook()
    {
        Session s;
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 3));
        ReorderDialog window(s.context, &s.w());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        list(&window)->setCurrentRow(0);
        QLabel *down = arrow(&window, "img_unten");
        QLabel *up = arrow(&window, "img_oben");
        QCOMPARE(down->frameShape(), QFrame::NoFrame);
        QTest::mousePress(down, Qt::LeftButton);
        QCOMPARE(down->frameShape(), QFrame::Box);
        QCOMPARE(down->lineWidth(), 1);
        QCOMPARE(s.questions().first(), QStringLiteral("Q1")); // moved on release only
        QTest::mouseRelease(down, Qt::LeftButton);
        QCOMPARE(down->frameShape(), QFrame::NoFrame);
        QCOMPARE(s.questions().first(), QStringLiteral("Q2"));
        // A disabled arrow takes no press.
        list(&window)->setCurrentRow(0);
        QTest::mousePress(up, Qt::LeftButton);
        QCOMPARE(up->frameShape(), QFrame::NoFrame);
        QTest::mouseRelease(up, Qt::LeftButton);
    }

    void sortCommand_data()
    {
        QTest::addColumn<bool>("edit"); // the record shown changed before
        QTest::addColumn<bool>("move");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("edit and move") << true << true << QStringList{"Q1", "Q2", "Q3 edited"}
                                       << QStringList{"Q1", "Q3 edited", "Q2"};
        // Unsaved afterwards all the same.
        QTest::newRow("no edit, no move")
            << false << false << QStringList{"Q1", "Q2", "Q3"} << QStringList{"Q1", "Q2", "Q3"};
    }

    void sortCommand()
    {
        QFETCH(bool, edit);
        QFETCH(bool, move);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, after);
        Session s(settingsBytes([](AppSettings &st) { st.soundsOn = true; }));
        QVERIFY(!s.action("mnusort")->isEnabled()); // no database yet
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 3));
        QVERIFY(s.action("mnusort")->isEnabled());
        s.w().recordEditor().onLastClicked();
        if (edit)
            s.type(QStringLiteral("Q3 edited"), QStringLiteral("A3"));
        s.state.database.markSaved();
        s.sounds.played.clear();

        QStringList seen;
        const bool opened = withModal([&] { s.action("mnusort")->trigger(); },
                                      [&](QWidget *modal) {
                                          seen = lines(modal);
                                          if (move) {
                                              list(modal)->setCurrentRow(2);
                                              static_cast<ReorderDialog *>(modal)->onUpClicked();
                                          }
                                      });
        QVERIFY(opened);
        QCOMPARE(seen, listed); // the record shown was kept first
        QCOMPARE(s.questions(), after);
        QVERIFY(s.state.database.hasUnsavedChanges());
        QCOMPARE(s.question(), QStringLiteral("Q1"));
        QCOMPARE(s.position(), QStringLiteral(" 1 von  3"));
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));
        QCOMPARE(s.sounds.played, QStringList{"menu"});
    }

    void emptyRecordIsRefused()
    {
        Session s;
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        s.w().recordEditor().onLastClicked();
        s.w().recordEditor().onNextClicked(); // a new, empty record 3
        s.type(QStringLiteral("  "), QStringLiteral(" "));
        const QStringList before = s.questions();
        QVERIFY(!withModal([&] { s.w().onReorderTriggered(); }, [](QWidget *) {}));
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.dialogs.messages.first().icon, MessageIcon::Information);
        QCOMPARE(s.questions(), before);
        QCOMPARE(s.position(), QStringLiteral(" 3 von  3"));
    }

    void emptyDatabase()
    {
        Session s;
        s.open(QStringLiteral(ASKBRIGHT_TEST_DATA "/empty_database.faq"));
        int lineCount = -1;
        QString arrows;
        QVERIFY(withModal([&] { s.w().onReorderTriggered(); },
                          [&](QWidget *modal) {
                              lineCount = list(modal)->count();
                              arrows = arrowState(arrow(modal, "img_oben")) +
                                       arrowState(arrow(modal, "img_unten"));
                          }));
        QCOMPARE(lineCount, 0);
        QCOMPARE(arrows, QStringLiteral("102-104-"));
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(s.position(), QStringLiteral(" 0 von  0"));
        QCOMPARE(s.state.database.recordCount(), 0);
    }

    void topmost()
    {
        Session s(settingsBytes([](AppSettings &st) { st.alwaysOnTop = true; }));
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        auto onTop = [](const QWidget *w) {
            return w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        };
        bool mainOnTop = true, sortOnTop = false;
        QVERIFY(withModal([&] { s.w().onReorderTriggered(); },
                          [&](QWidget *modal) {
                              mainOnTop = onTop(&s.w());
                              sortOnTop = onTop(modal);
                          }));
        QVERIFY(!mainOnTop);
        QVERIFY(sortOnTop);
        QVERIFY(onTop(&s.w()));
    }

    void schemeColours()
    {
        Session s;
        {
            ReorderDialog window(s.context, &s.w());
            QVERIFY(!window.autoFillBackground()); // no scheme loaded: design colours
            QVERIFY(!window.findChild<Button3D *>(QStringLiteral("cmdraus"))->faceColor());
        }
        s.state.currentColors.entries = {0x112233, 0x445566, 0x778899, 0xAABBCC};
        ReorderDialog window(s.context, &s.w());
        auto *back = window.findChild<Button3D *>(QStringLiteral("cmdraus"));
        QCOMPARE(window.palette().color(QPalette::Window), colorFromBgr(0x778899));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("Label1"))
                     ->palette()
                     .color(QPalette::WindowText),
                 colorFromBgr(0x445566));
        QCOMPARE(back->faceColor(), std::optional<qint32>(0x112233));
        QCOMPARE(back->captionColor(), std::optional<qint32>(0xAABBCC));
    }

    // Shown, the window takes the main window's place and size; its controls stretch with it.
    void coversTheMainWindow()
    {
        Session s;
        s.w().move(40, 30);
        s.w().resize(s.w().width() * 3 / 2, s.w().height() * 5 / 4);
        ReorderDialog window(s.context, &s.w());
        const int designWidth = list(&window)->width();
        const int designWindowWidth = window.width();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.geometry(), s.w().geometry());
        QVERIFY(qAbs(list(&window)->width() -
                     designWidth * double(window.width()) / designWindowWidth) <= 1);
    }
};

QTEST_MAIN(tst_sort)
#include "tst_sort.moc"
