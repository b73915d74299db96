#include "app/textcodec.h"
#include "controls/colorvalue.h"
#include "gui/session.h"
#include "settings/settingsfile.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

using namespace askbright;
using testutil::Session;
using testutil::settingsBytes;

namespace {

using Act = std::function<void(Session &)>;
using Field = std::function<int(const AppSettings &)>;

AppSettings readBack(Session &s)
{
    AppSettings read;
    readSettingsFile(s.state.settingsFilePath(), read);
    return read;
}

Message missingDocument(bool english)
{
    return english ? Message{QStringLiteral("Can't find the file, possible wrong installion."),
                             QStringLiteral("Missing File"), MessageButtons::Ok,
                             MessageIcon::Exclamation, 1}
                   : Message{QStringLiteral("Dokument nicht gefunden, evtl. fehlerhafte "
                                            "Installation"),
                             QStringLiteral("Fehlendes Dokument"), MessageButtons::Ok,
                             MessageIcon::Exclamation, 1};
}

bool onTop(QWidget &w)
{
    return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

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
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("tickedAfterRestart");
        const Field onTop = [](const AppSettings &s) { return int(s.alwaysOnTop); };
        const Field tray = [](const AppSettings &s) { return int(s.minimizeToTray); };
        const Field sounds = [](const AppSettings &s) { return int(s.soundsOn); };
        const Field size = [](const AppSettings &s) { return int(s.rememberSize); };
        const Field centre = [](const AppSettings &s) { return int(s.centerWindow); };
        QTest::newRow("on top") << "mnuontop" << 1 << onTop << 1 << true;
        QTest::newRow("on top, twice") << "mnuontop" << 2 << onTop << 0 << false;
        QTest::newRow("close to tray") << "mnumin" << 1 << tray << 1 << true;
        QTest::newRow("sounds") << "mnuklang" << 1 << sounds << 1 << true;
        QTest::newRow("sounds, twice") << "mnuklang" << 2 << sounds << 0 << false;
        QTest::newRow("remember size") << "mnugroesse" << 1 << size << 1 << true;
        // A first start centres; either entry of the pair moves the tick.
        QTest::newRow("position") << "mnuposition" << 1 << centre << 0 << true;
        QTest::newRow("ticked centre") << "mnuzentrieren" << 1 << centre << 0 << false;
        QTest::newRow("centre again") << "mnuzentrieren" << 2 << centre << 1 << true;
    }

    void optionsRoundTrip()
    {
        QFETCH(QString, action);
        QFETCH(int, clicks);
        QFETCH(Field, field);
        QFETCH(int, stored);
        QFETCH(bool, tickedAfterRestart);
        QByteArray written;
        {
            Session s;
            for (int i = 0; i < clicks; ++i)
                s.action(qPrintable(action))->trigger();
            s.w().close(); // writes the settings, also when it only hides
            QCOMPARE(field(readBack(s)), stored);
            written = testutil::readBytes(s.state.settingsFilePath());
        }
        Session again(written);
        QCOMPARE(again.action(qPrintable(action))->isChecked(), tickedAfterRestart);
        QCOMPARE(field(again.state.settings), stored);
    }

    void helpCommand_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("alwaysOnTop");
        QTest::addColumn<bool>("present");
        QTest::newRow("German") << false << false << true;
        QTest::newRow("German, on top") << false << true << true;
        QTest::newRow("English, on top") << true << true << true;
        QTest::newRow("German, no help") << false << false << false;
        QTest::newRow("English, no help, on top") << true << true << false;
    }

    void helpCommand()
    {
        QFETCH(bool, english);
        QFETCH(bool, alwaysOnTop);
        QFETCH(bool, present);
        Session s(settingsBytes([&](AppSettings &st) {
            st.language = english ? Language::English : Language::German;
            st.alwaysOnTop = alwaysOnTop;
            st.soundsOn = true;
        }));
        const QString help = s.path(QStringLiteral("askbright.html"));
        if (present)
            QVERIFY(testutil::writeBytes(help, "<html></html>"));
        s.sounds.played.clear();
        s.action("mnuhilfe")->trigger();

        QList<Message> expected;
        if (english)
            expected << Message{QStringLiteral("Sorry, but the helpfile is only in German."),
                                QStringLiteral("Notice"), MessageButtons::Ok,
                                MessageIcon::Information, 1};
        if (!present)
            expected << missingDocument(english);
        QCOMPARE(s.dialogs.messages, expected);
        QCOMPARE(s.dialogs.opened, present ? QStringList{help} : QStringList());
        QCOMPARE(s.sounds.played, QStringList{"help"});
        // The option is off afterwards, as if switched off in the menu.
        QVERIFY(!onTop(s.w()) && !s.action("mnuontop")->isChecked());
        QVERIFY(!s.state.settings.alwaysOnTop);
        QVERIFY(s.w().isVisible());
    }

    void whatsNew_data()
    {
        QTest::addColumn<QString>("file"); // in the program folder; "" none
        QTest::addColumn<bool>("english");
        QTest::newRow("present") << "whats_new.pdf" << false;
        QTest::newRow("other case") << "WHATS_New.PDF" << true;
        QTest::newRow("missing") << "" << false;
        QTest::newRow("missing, English") << "" << true;
        QTest::newRow("another document") << "whats_new.pdf.txt" << false;
    }

    void whatsNew()
    {
        QFETCH(QString, file);
        QFETCH(bool, english);
        Session s;
        if (english)
            s.w().onEnglishTriggered();
        const QString path = s.path(file);
        if (!file.isEmpty())
            QVERIFY(testutil::writeBytes(path, "%PDF-1.4"));
        s.action("mnuwasneu")->trigger();
        const bool found = file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
        QCOMPARE(s.dialogs.opened, found ? QStringList{path} : QStringList());
        QCOMPARE(s.dialogs.messages,
                 found ? QList<Message>() : QList<Message>{missingDocument(english)});
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
        QCOMPARE(s.w().pos(), remembered);
        const QRect screen = s.w().screen()->availableGeometry();
        const QSize frame = s.w().frameGeometry().size();
        const QPoint centred(screen.x() + screen.width() / 2 - frame.width() / 2,
                             screen.y() + screen.height() / 2 - frame.height() / 2);
        QVERIFY(centred != remembered);
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
        s.w().move(300, 200);
        s.action("mnuposition")->trigger(); // the ticked entry centres
        QCOMPARE(s.w().pos(), centred);
        s.action("mnuzentrieren")->trigger(); // the ticked entry goes back
        QCOMPARE(s.w().pos(), remembered);

        // A maximised window stays as it is, ticks included.
        s.w().showMaximized();
        QTRY_VERIFY(s.w().isMaximized());
        s.action("mnuzentrieren")->trigger();
        QCOMPARE(ticks(), QStringLiteral("01"));
        QVERIFY(!s.state.settings.centerWindow);
    }

    void fonts_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("fromAnswer");
        QTest::addColumn<bool>("question"); // whether the field takes the font
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("family"); // as the dialog names it
        QTest::newRow("question field")
            << "mnufontfrage" << false << true << false << "DejaVu Sans Mono";
        QTest::newRow("answer field")
            << "mnufontantwort" << true << false << true << "DejaVu Sans Mono";
        QTest::newRow("both fields, a foundry tag dropped")
            << "mnufontgesamt" << true << true << true << "DejaVu Sans Mono [urw]";
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
            st.soundsOn = true;
        }));
        const FontChoice chosen{
            QStringLiteral("DejaVu Sans Mono"), 16, false, true, true, 0x00AA00};
        s.dialogs.fonts << chosen;
        s.dialogs.fonts.first()->name = family;
        s.sounds.played.clear();
        QVERIFY(s.get<QMenu>("mnufont")->isEnabled());
        s.action(qPrintable(command))->trigger();

        const FieldFont &from = fromAnswer ? answerFont : questionFont;
        const FontChoice expectedStart{from.name, from.size,      from.bold,
                                       false,     from.underline, colors[fromAnswer ? 1 : 0]};
        QCOMPARE(s.dialogs.fontRequests, QList<FontChoice>{expectedStart});
        QCOMPARE(s.sounds.played, QStringList{"menu"});
        QVERIFY(s.dialogs.messages.isEmpty());

        const FieldFont stored{chosen.name, chosen.size, chosen.bold, chosen.underline};
        const AppSettings read = readBack(s); // written at once
        QCOMPARE(read.questionFont, question ? stored : questionFont);
        QCOMPARE(read.answerFont, answer ? stored : answerFont);
        QCOMPARE(read.textColors[0], question ? chosen.color : colors[0]);
        QCOMPARE(read.textColors[1], answer ? chosen.color : colors[1]);

        const std::pair<const char *, bool> fields[] = {{"txtfrage", question},
                                                        {"txtantwort", answer}};
        for (const auto &[name, changed] : fields) {
            auto *field = s.get<QPlainTextEdit>(name);
            QCOMPARE(field->font().family() == chosen.name, changed);
            QCOMPARE(field->font().italic(), changed); // shown, though never stored
            QCOMPARE(field->palette().color(QPalette::Text) == colorFromBgr(chosen.color), changed);
        }

        // The chosen size survives stretching the window and going back.
        auto *changedField = s.get<QPlainTextEdit>(question ? "txtfrage" : "txtantwort");
        QWidget *client = s.w().centralWidget();
        const QSize clientBefore = client->size();
        s.w().resize(s.w().width() * 3 / 2, s.w().height());
        QTRY_COMPARE(client->width(), clientBefore.width() * 3 / 2);
        s.w().resize(s.w().width() * 2 / 3, s.w().height());
        QTRY_COMPARE(client->size(), clientBefore);
        QCOMPARE(changedField->font().pointSizeF(), 16.0);

        Session again(testutil::readBytes(s.state.settingsFilePath()));
        QVERIFY(!again.get<QPlainTextEdit>(question ? "txtfrage" : "txtantwort")->font().italic());
    }

    void cancelledFontChangesNothing()
    {
        Session s;
        const QByteArray before = testutil::readBytes(s.state.settingsFilePath());
        const QFont font = s.get<QPlainTextEdit>("txtfrage")->font();
        s.action("mnufontgesamt")->trigger(); // unscripted: cancelled
        QCOMPARE(s.dialogs.fontRequests.size(), 1);
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(s.get<QPlainTextEdit>("txtfrage")->font(), font);
        QCOMPARE(testutil::readBytes(s.state.settingsFilePath()), before);
        QVERIFY(s.errors.reports.isEmpty());
    }

    void sounds_data()
    {
        QTest::addColumn<Act>("prepare");
        QTest::addColumn<Act>("act");
        QTest::addColumn<QStringList>("clips");
        const Act none = [](Session &) {};
        const Act open = [](Session &s) { s.open(s.writeDatabase(QStringLiteral("a.faq"), 3)); };
        const Act second = [open](Session &s) {
            open(s);
            s.w().recordEditor().onNextClicked();
        };
        const auto menu = [](const char *name) {
            return Act([name](Session &s) { emit s.get<QMenu>(name)->aboutToShow(); });
        };
        const auto trigger = [](const char *name) {
            return Act([name](Session &s) { s.action(name)->trigger(); });
        };
        const QStringList nothing;
        QTest::newRow("first") << second << Act([](Session &s) { s.button("cmdanfang")->click(); })
                               << QStringList{"anfang"};
        QTest::newRow("previous") << second << Act([](Session &s) {
            s.w().recordEditor().onPreviousClicked();
        }) << QStringList{"zurueck"};
        QTest::newRow("next") << open << Act([](Session &s) { s.button("cmdvor")->click(); })
                              << QStringList{"vor"};
        QTest::newRow("last") << open << Act([](Session &s) { s.button("cmdende")->click(); })
                              << QStringList{"ende"};
        QTest::newRow("delete") << open << Act([](Session &s) {
            s.dialogs.answers << AnswerOk;
            s.w().recordEditor().onDeleteClicked();
        }) << QStringList{"loeschen"};
        QTest::newRow("delete cancelled") << open << Act([](Session &s) {
            s.dialogs.answers << AnswerCancel;
            s.w().recordEditor().onDeleteClicked();
        }) << nothing;
        QTest::newRow("new") << none << trigger("mnudatneu") << QStringList{"menu", "menu"};
        QTest::newRow("open") << none << open << QStringList{"open_fem"};
        QTest::newRow("save") << open << trigger("mnudatspeichern") << QStringList{"menu"};
        QTest::newRow("save as") << open << Act([](Session &s) {
            s.dialogs.files << s.path(QStringLiteral("b.faq"));
            s.action("mnudatspeiunter")->trigger();
        }) << QStringList{"menu"};
        QTest::newRow("file menu") << none << menu("mnudatei") << QStringList{"menu"};
        QTest::newRow("settings menu") << none << menu("mnueinstell") << QStringList{"menu"};
        QTest::newRow("window menu") << none << menu("mnufenster") << QStringList{"menu"};
        QTest::newRow("font menu") << none << menu("mnufont") << QStringList{"menu"};
        QTest::newRow("help menu") << none << menu("mnuinfo") << QStringList{"help"};
        QTest::newRow("help") << none << trigger("mnuhilfe") << QStringList{"help"};
        QTest::newRow("font") << none << trigger("mnufontfrage") << QStringList{"menu"};
        QTest::newRow("remember size") << none << trigger("mnugroesse") << QStringList{"vor"};
        QTest::newRow("forget size")
            << trigger("mnugroesse") << trigger("mnugroesse") << QStringList{"menu"};
        QTest::newRow("centre") << trigger("mnuposition") << trigger("mnuzentrieren")
                                << QStringList{"menu"};
        QTest::newRow("position") << none << trigger("mnuposition") << QStringList{"menu"};
        QTest::newRow("sound toggle") << none << trigger("mnuklang") << nothing;
        QTest::newRow("tray click")
            << none << Act([](Session &s) { s.w().onTrayMouseDown(1); }) << QStringList{"quietsch"};
        QTest::newRow("close box to tray") << trigger("mnumin") << Act([](Session &s) {
            s.w().tray().setAvailable(true);
            s.w().close();
        }) << QStringList{"quietsch"};
        QTest::newRow("close") << none << Act([](Session &s) { s.w().close(); })
                               << QStringList{"thanks"};
        QTest::newRow("close refused") << open << Act([](Session &s) {
            s.type(QStringLiteral("changed"), QStringLiteral("A1"));
            s.dialogs.answers << AnswerNo;
            s.w().close();
        }) << nothing;
        QTest::newRow("exit") << open << trigger("mnuende") << QStringList{"thanks"};
    }

    // Each action plays its clips, and with the sounds off nothing plays at
    // all, start-up included.
    void sounds()
    {
        QFETCH(Act, prepare);
        QFETCH(Act, act);
        QFETCH(QStringList, clips);
        for (const bool on : {true, false}) {
            Session s(settingsBytes([on](AppSettings &st) { st.soundsOn = on; }));
            QCOMPARE(s.sounds.played, on ? QStringList{"ha"} : QStringList());
            prepare(s);
            s.sounds.played.clear();
            act(s);
            QCOMPARE(s.sounds.played, on ? clips : QStringList());
        }
    }

    void helpMenuAtTheRightEdge()
    {
        Session s;
        QMenuBar *bar = s.w().menuBar();
        auto right = [&](const char *menu) {
            return bar->actionGeometry(s.get<QMenu>(menu)->menuAction()).right();
        };
        for (const bool english : {false, true}) {
            if (english)
                s.w().onEnglishTriggered();
            QVERIFY2(
                bar->width() - right("mnuinfo") < 12,
                qPrintable(QStringLiteral("%1 of %2").arg(right("mnuinfo")).arg(bar->width())));
            QVERIFY(right("mnufenster") < bar->width() / 2);
        }
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
        QList<bool> topmostDuringMessage;
        s.dialogs.onMessage = [&](const Message &) { topmostDuringMessage << onTop(s.w()); };
        s.w().onRecentFileTriggered(1);
        QCOMPARE(s.dialogs.messages.last().title, QStringLiteral("Datei nicht gefunden"));
        QCOMPARE(topmostDuringMessage.last(), false);
        QVERIFY(onTop(s.w()));
    }
};

QTEST_MAIN(tst_options)
#include "tst_options.moc"
