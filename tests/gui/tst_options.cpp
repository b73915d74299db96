#include "controls/colorvalue.h"
#include "gui/session.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

using namespace askbright;
using testutil::Session;
using testutil::settingsBytes;

namespace {

using Field = bool AppSettings::*;

// Where the main window's frame stands when the window is first shown.
class FirstShownAt : public QObject {
public:
    QPoint frame;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == u"frm1" && frame.isNull())
            frame = static_cast<QWidget *>(watched)->windowHandle()->framePosition();
        return false;
    }
};

} // namespace

class tst_options : public QObject {
    Q_OBJECT
private slots:
    void optionsRoundTrip_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<Field>("field");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("tickedAfterRestart");
        using S = AppSettings;
        QTest::newRow("on top") << "mnuontop" << 1 << &S::alwaysOnTop << true << true;
        QTest::newRow("on top, twice") << "mnuontop" << 2 << &S::alwaysOnTop << false << false;
        QTest::newRow("close to tray") << "mnumin" << 1 << &S::minimizeToTray << true << true;
        QTest::newRow("sounds") << "mnuklang" << 1 << &S::soundsOn << true << true;
        QTest::newRow("remember size") << "mnugroesse" << 1 << &S::rememberSize << true << true;
        // A first start centres; either entry of the pair moves the tick.
        QTest::newRow("position") << "mnuposition" << 1 << &S::centerWindow << false << true;
        QTest::newRow("ticked centre")
            << "mnuzentrieren" << 1 << &S::centerWindow << false << false;
        QTest::newRow("centre again") << "mnuzentrieren" << 2 << &S::centerWindow << true << true;
    }

    void optionsRoundTrip()
    {
        QFETCH(QString, action);
        QFETCH(int, clicks);
        QFETCH(Field, field);
        QByteArray written;
        {
            Session s;
            for (int i = 0; i < clicks; ++i)
                s.action(qPrintable(action))->trigger();
            s.w().close(); // writes the settings, also when it only hides
            QTEST(s.storedSettings().*field, "stored");
            written = testutil::readBytes(s.state.settingsFilePath());
        }
        Session again(written);
        QTEST(again.action(qPrintable(action))->isChecked(), "tickedAfterRestart");
        QTEST(again.state.settings.*field, "stored");
    }

    // The help in the browser, and the option to stay on top switched off so
    // that the browser does not vanish behind the window.
    void documents_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("file"); // in the program folder; "" none
        QTest::newRow("help") << "mnuhilfe" << false << 0 << "askbright.html";
        QTest::newRow("help, English: told it is German")
            << "mnuhilfe" << true << 1 << "askbright.html";
        QTest::newRow("no help") << "mnuhilfe" << false << 1 << "";
        QTest::newRow("what's new, any letter case")
            << "mnuwasneu" << false << 0 << "WHATS_New.PDF";
        QTest::newRow("what's new missing") << "mnuwasneu" << false << 1 << "";
    }

    void documents()
    {
        QFETCH(QString, entry);
        QFETCH(QString, file);
        QFETCH(bool, english);
        Session s(settingsBytes([&](AppSettings &st) {
            st.language = english ? Language::English : Language::German;
            st.alwaysOnTop = true;
        }));
        const QString path = s.path(file);
        if (!file.isEmpty())
            QVERIFY(testutil::writeBytes(path, "x"));
        s.action(qPrintable(entry))->trigger();
        QTEST(int(s.dialogs.messages.size()), "messages");
        QCOMPARE(s.dialogs.opened, file.isEmpty() ? QStringList() : QStringList{path});
        const bool help = entry == QLatin1String("mnuhilfe");
        QCOMPARE(s.w().windowFlags().testFlag(Qt::WindowStaysOnTopHint), !help);
        QCOMPARE(s.action("mnuontop")->isChecked(), !help);
        QCOMPARE(s.state.settings.alwaysOnTop, !help);
    }

    // Centring and the remembered position, and back, with the ticks as a pair.
    void centreAndRememberedPosition()
    {
        // A window manager frames a window that is shown already on its own
        // time; only a window placed before it is shown lands by its frame.
        FirstShownAt shown;
        Session s([&shown](Session &s) {
            testutil::writeBytes(s.state.settingsFilePath(), settingsBytes([](AppSettings &st) {
                                     st.windowLeft = 1500; // twips: 100 px
                                     st.windowTop = 750;
                                 }));
            qApp->installEventFilter(&shown);
        });
        qApp->removeEventFilter(&shown);
        const QPoint remembered(100, 50);
        QCOMPARE(shown.frame, remembered);
        const QRect screen = s.w().screen()->availableGeometry();
        const QSize frame = s.w().frameGeometry().size();
        const QPoint centred(screen.x() + screen.width() / 2 - frame.width() / 2,
                             screen.y() + screen.height() / 2 - frame.height() / 2);
        auto ticks = [&] {
            return QString::number(s.action("mnuzentrieren")->isChecked()) +
                   QString::number(s.action("mnuposition")->isChecked());
        };
        QCOMPARE(ticks(), QStringLiteral("01"));
        s.w().move(300, 200);
        s.action("mnuzentrieren")->trigger();
        QCOMPARE(s.w().pos(), centred);
        QCOMPARE(ticks(), QStringLiteral("10"));
        // Writing the settings does not change what was remembered at start.
        s.w().close();
        s.w().show();
        s.action("mnuposition")->trigger();
        QCOMPARE(s.w().pos(), remembered);
        QCOMPARE(ticks(), QStringLiteral("01"));
        s.action("mnuposition")->trigger(); // the ticked entry centres
        QCOMPARE(s.w().pos(), centred);
        // A maximised window stays as it is, ticks included.
        s.w().showMaximized();
        QTRY_VERIFY(s.w().isMaximized());
        s.action("mnuposition")->trigger();
        QCOMPARE(ticks(), QStringLiteral("10"));
        QVERIFY(s.state.settings.centerWindow);
    }

    void fonts_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("fromAnswer");
        QTest::addColumn<bool>("question"); // whether the field takes the font
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("family"); // as the dialog names it; "" cancelled
        QTest::newRow("question field") << "mnufontfrage" << false << true << false << "Mono";
        QTest::newRow("answer field") << "mnufontantwort" << true << false << true << "Mono";
        QTest::newRow("both fields, a foundry tag dropped")
            << "mnufontgesamt" << true << true << true << "Mono [urw]";
        QTest::newRow("cancelled") << "mnufontgesamt" << true << false << false << "";
    }

    void fonts()
    {
        QFETCH(QString, command);
        QFETCH(bool, fromAnswer);
        QFETCH(bool, question);
        QFETCH(bool, answer);
        QFETCH(QString, family);
        const FieldFont questionFont{QStringLiteral("DejaVu Sans"), 12, true, false};
        const FieldFont answerFont{QStringLiteral("DejaVu Serif"), 14, false, true};
        const std::array<qint32, 2> colors{0x0000FF, 0xFF0000};
        Session s(settingsBytes([&](AppSettings &st) {
            st.questionFont = questionFont;
            st.answerFont = answerFont;
            st.textColors = colors;
        }));
        const FontChoice chosen{QStringLiteral("Mono"), 16, false, true, true, 0x00AA00};
        if (!family.isEmpty())
            s.dialogs.fonts << FontChoice{family, 16, false, true, true, 0x00AA00};
        const QByteArray settings = testutil::readBytes(s.state.settingsFilePath());
        s.action(qPrintable(command))->trigger();

        const FieldFont &from = fromAnswer ? answerFont : questionFont;
        const FontChoice start{from.name, from.size,      from.bold,
                               false,     from.underline, colors[fromAnswer ? 1 : 0]};
        QCOMPARE(s.dialogs.fontRequests, QList<FontChoice>{start});
        const FieldFont stored{chosen.name, chosen.size, chosen.bold, chosen.underline};
        const AppSettings read = s.storedSettings(); // written at once
        QCOMPARE(read.questionFont, question ? stored : questionFont);
        QCOMPARE(read.answerFont, answer ? stored : answerFont);
        QCOMPARE(read.textColors[1], answer ? chosen.color : colors[1]);
        if (family.isEmpty())
            QCOMPARE(testutil::readBytes(s.state.settingsFilePath()), settings);
        for (const auto &[name, changed] :
             {std::pair{"txtfrage", question}, {"txtantwort", answer}}) {
            auto *field = s.get<QPlainTextEdit>(name);
            QCOMPARE(field->font().italic(), changed); // shown, though never stored
            QCOMPARE(field->palette().color(QPalette::Text) == colorFromBgr(chosen.color), changed);
        }

        // The controls stretch with the window; the fields keep the chosen
        // size, and everything is as designed back at the recorded size.
        auto *field = s.get<QPlainTextEdit>(question ? "txtfrage" : "txtantwort");
        auto *label = s.get<QLabel>("Label5");
        const qreal size = field->font().pointSizeF();
        const qreal labelSize = label->font().pointSizeF();
        const QRect before = field->geometry();
        s.w().resize(s.w().width() * 3 / 2, s.w().height() * 3 / 2);
        QTRY_VERIFY(field->width() > before.width() * 4 / 3);
        QVERIFY(field->height() > before.height());
        QCOMPARE(field->font().pointSizeF(), size);
        QVERIFY(label->font().pointSizeF() > labelSize);
        s.w().resize(s.w().width() * 2 / 3, s.w().height() * 2 / 3);
        QTRY_COMPARE(field->geometry(), before);
        QCOMPARE(field->font().pointSizeF(), size);
    }

    // Each action plays its clips; with the sounds off nothing plays at all,
    // start-up included.
    void sounds()
    {
        for (const bool on : {true, false}) {
            Session s(settingsBytes([on](AppSettings &st) { st.soundsOn = on; }));
            const auto trigger = [&s](const char *name) { s.action(name)->trigger(); };
            s.open(s.writeDatabase(QStringLiteral("a.faq"), 3));
            s.dialogs.answers << AnswerCancel << AnswerOk;
            for (const char *name :
                 {"cmdvor", "cmdanfang", "cmdende", "cmdzurueck", "cmdloeschen", "cmdloeschen"})
                s.button(name)->click();
            for (const char *menu : {"mnudatei", "mnueinstell", "mnufenster", "mnufont", "mnuinfo"})
                emit s.get<QMenu>(menu)->aboutToShow();
            for (const char *entry : {"mnudatspeichern", "mnufontfrage", "mnugroesse", "mnugroesse",
                                      "mnuposition", "mnuzentrieren", "mnuhilfe", "mnudatneu"})
                trigger(entry);
            emit s.w().tray().mouseDown(1);
            emit s.w().tray().mouseDown(1);
            trigger("mnuklang"); // toggling plays nothing
            trigger("mnuklang");
            trigger("mnumin");
            s.w().tray().setAvailable(true);
            s.w().close();
            s.dialogs.answers << AnswerYes;
            trigger("mnuende");
            const QString clips =
                "ha open_fem vor anfang ende zurueck loeschen menu menu menu menu help "
                "menu menu vor menu menu menu help menu menu quietsch quietsch "
                "quietsch thanks";
            QCOMPARE(s.sounds.played, on ? clips.split(' ') : QStringList());
        }
    }

    void helpMenuAtTheRightEdge()
    {
        Session s;
        QMenuBar *bar = s.w().menuBar();
        auto right = [&](const char *menu) {
            return bar->actionGeometry(s.get<QMenu>(menu)->menuAction()).right();
        };
        s.w().onEnglishTriggered();
        QVERIFY(bar->width() - right("mnuinfo") < 12);
        QVERIFY(right("mnufenster") < bar->width() / 2);
        s.w().resize(s.w().width() + 200, s.w().height());
        QTRY_VERIFY(bar->width() - right("mnuinfo") < 12);
    }

    // The not-found message of the recent files is shown with the window out
    // of the topmost band.
    void recentFileMessageLeavesTheTopmostBand()
    {
        Session s(settingsBytes([](AppSettings &st) { st.alwaysOnTop = true; }));
        const QString file = s.writeDatabase(QStringLiteral("a.faq"), 1);
        s.open(file);
        QFile::remove(file);
        const auto onTop = [&s] { return s.w().windowFlags().testFlag(Qt::WindowStaysOnTopHint); };
        QList<bool> topmostDuringMessage;
        s.dialogs.onMessage = [&](const Message &) { topmostDuringMessage << onTop(); };
        s.w().onRecentFileTriggered(1);
        QCOMPARE(topmostDuringMessage, QList<bool>{false});
        QVERIFY(onTop());
    }
};

QTEST_MAIN(tst_options)
#include "tst_options.moc"
