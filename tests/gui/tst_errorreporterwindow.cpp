#include "app/apperror.h"
#include "app/product.h"
#include "app/textcodec.h"
#include "controls/soundplayer.h"
#include "errors/errorreporterwindow.h"
#include "gui/scripteddialogs.h"
#include "state/appstate.h"
#include "testutil.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace askbright;

namespace {

const QString dashes = QString(70, u'-') + QStringLiteral("\r\n");
const QString ind = QString(10, u' ');

// Records the clips asked for; can fail like a clip that does not exist.
class RecordingSounds : public SoundPlayer {
public:
    QStringList played;
    bool fail = false;
    void PlayWaveRes(const QString &name) override
    {
        played << name;
        if (fail)
            throw AppError(AppError::ResourceNotFound);
    }
};

// A desktop that cannot open anything.
class RefusingShell : public testutil::ScriptedDialogService {
public:
    bool openExternal(const QString &target) override
    {
        opened << target;
        return false;
    }
};

Message plain(const QString &text, MessageButtons buttons = MessageButtons::Ok)
{
    return {text, {}, buttons, MessageIcon::None, 1};
}

// One run: a temporary program folder, a fixed date and time, scripted
// dialogs and the reporter.
struct Run {
    QTemporaryDir dir;
    FixedClock clock{QDate(2026, 12, 6), QTime(14, 3, 9)};
    AppState state{dir.path(), clock};
    testutil::ScriptedDialogService ownDialogs;
    testutil::ScriptedDialogService &dialogs;
    RecordingSounds sounds;
    ErrorReporterWindow window{state, dialogs, sounds};

    explicit Run(testutil::ScriptedDialogService *service = nullptr)
        : dialogs(service ? *service : ownDialogs)
    {
    }

    template <typename T> T *get(const QString &name) { return testutil::child<T>(window, name); }
    QPushButton *button(const char *row, int index)
    {
        return get<QPushButton>(QLatin1String(row) + QString::number(index));
    }
    QString value(int index)
    {
        return get<QLabel>(QStringLiteral("lblError%1").arg(index))->text();
    }

    // Reports an error; while the window shows, runs meanwhile and then
    // presses the continue button. Returns the reporter's answer.
    int report(const AppError &error, int press = NextStatement,
               const std::function<void()> &meanwhile = {},
               const QString &procedure = QStringLiteral("cmdvor_Click"))
    {
        QTimer::singleShot(0, &window, [this, press, meanwhile] {
            if (meanwhile)
                meanwhile();
            button("cmdContinue", press)->click();
        });
        return window.OnError(QStringLiteral("frm1"), procedure, error);
    }

    QString log() const { return decodeCp1252(testutil::readBytes(state.errorLogPath())); }
};

const AppError mismatch(AppError::TypeMismatch, QStringLiteral("Type mismatch"));

} // namespace

class tst_errorreporterwindow : public QObject {
    Q_OBJECT
private slots:
    void showsTheError_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("type mismatch") << 13 << "Type mismatch" << false << "cmdvor_Click"
                                       << "13 (Type mismatch)";
        QTest::newRow("property procedure")
            << 53 << "File not found: /x/a.faq" << false << "Item [GET]"
            << "53 (File not found: /x/a.faq)";
        QTest::newRow("markup stays text") << 5 << "<b>fett</b>" << false << "p"
                                           << "5 (<b>fett</b>)";
        // A classic text has both wordings (the German one: see
        // secondErrorReusesTheWindow); a description of its own keeps its one.
        QTest::newRow("classic text, English") << 53 << "" << true << "p"
                                               << "53 (File not found)";
    }

    void showsTheError()
    {
        QFETCH(int, number);
        QFETCH(QString, description);
        QFETCH(bool, english);
        QFETCH(QString, procedure);
        QFETCH(QString, firstRow);
        Run run;
        run.state.settings.language = english ? Language::English : Language::German;
        QStringList shown;
        QList<bool> visible;
        run.report(
            AppError(number, description), NextStatement,
            [&] {
                shown << run.window.windowTitle() << run.value(0) << run.value(1) << run.value(2)
                      << run.value(3) << run.get<QLabel>("lblComment")->text();
                for (int i = 0; i < 4; ++i)
                    visible << run.button("cmdContinue", i)->isVisible();
                visible << run.get<QGroupBox>("framCallStack")->isVisible();
            },
            procedure);
        const QString hint =
            "Es liegt ein Problem vor, mit dem Sie sich an den technischen Support von Brennwald\n"
            "wenden sollten. Bitte benutzen Sie die EMail-Funktion zum direkten Senden. Sie können "
            "auch die Supportseite auf meiner Homepage benutzen. Fahren Sie dann am besten mit dem "
            "nächsten Befehl fort.";
        QCOMPARE(shown, (QStringList{"ACHTUNG ! Ein Fehler ist aufgetreten ...", firstRow, "frm1",
                                     procedure, "0", hint}));
        QCOMPARE(visible, (QList<bool>{false, true, true, true, false}));
        QCOMPARE(run.get<QLabel>("lblError0")->textFormat(), Qt::PlainText);
    }

    void continueButtons_data()
    {
        QTest::addColumn<int>("press");
        QTest::newRow("next statement") << int(NextStatement);
        QTest::newRow("leave procedure") << int(LeaveProcedure);
        QTest::newRow("end program") << int(EndProgram);
    }

    void continueButtons()
    {
        QFETCH(int, press);
        Run run;
        QCOMPARE(run.report(mismatch, press), press);
        QCOMPARE(run.window.continueAction(), press);
        QVERIFY(!run.window.isVisible());
    }

    void framesStackedAndCentred()
    {
        Run run;
        QList<QRect> frames;
        QSize window;
        QPoint centre;
        int margin = 0;
        run.report(mismatch, NextStatement, [&] {
            for (const char *name :
                 {"framComment", "framFehler", "framProgInfo", "framProtocol", "framContinue"})
                frames << run.get<QGroupBox>(QLatin1String(name))->geometry();
            window = run.window.size();
            centre = run.window.frameGeometry().center();
            margin = run.window.geometry().left() - run.window.frameGeometry().left();
        });
        QCOMPARE(frames.first().top(), 0);
        for (qsizetype i = 1; i < frames.size(); ++i)
            QCOMPARE(frames[i].top(), frames[i - 1].bottom() + 1);
        for (const QRect &r : frames) {
            QCOMPARE(r.left(), 0);
            QCOMPARE(r.width(), window.width());
        }
        QCOMPARE(frames.last().bottom() + 1, window.height());
        const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
        // The window frame, known only once shown, may shift it by its width.
        QVERIFY((centre - screenCentre).manhattanLength() <= 2 * margin + 2);
    }

    void secondErrorReusesTheWindow()
    {
        Run run;
        QCOMPARE(run.report(mismatch, LeaveProcedure), int(LeaveProcedure));
        QCOMPARE(run.get<QLabel>("lblProgInfo")->text(), "askbright  V" + fullVersionText());
        // Whatever the info line holds stays: it is made once per run.
        run.get<QLabel>("lblProgInfo")->setText("gesetzt");
        QStringList shown;
        QCOMPARE(run.report(
                     AppError(AppError::DiskFull), NextStatement,
                     [&] {
                         shown << run.value(0) << run.value(2)
                               << run.get<QLabel>("lblProgInfo")->text();
                     },
                     "cmdinsert_Click"),
                 int(NextStatement));
        QCOMPARE(shown, (QStringList{"61 (Datenträger voll)", "cmdinsert_Click", "gesetzt"}));
        QCOMPARE(run.window.continueAction(), int(NextStatement));
    }

    void oneProtocolPerReport()
    {
        Run run;
        testutil::writeBytes(run.state.errorLogPath(), "alt\r\n");
        run.report(mismatch);
        run.report(AppError(AppError::DiskFull));
        const QString log = run.log();
        QVERIFY(log.startsWith("alt\r\n" + dashes +
                               "F E H L E R P R O T O K O L L vom DaverUdivada\r\n"));
        QCOMPARE(log.count("F E H L E R P R O T O K O L L"), 2);
        QCOMPARE(log.count(ind + "Datum/Uhrzeit:\t12-06-2026 / 14:03:09\r\n"), 2);
        QCOMPARE(
            log.count("PROGRAMM-INFOS:\r\n" + ind + "askbright  V" + fullVersionText() + "\r\n"),
            2);
        const qsizetype first =
            log.indexOf(ind + "Fehler-Nr:\t13 (Type mismatch)\r\n" + ind + "Modul:\tfrm1\r\n" +
                        ind + "Prozedur:\tcmdvor_Click\r\n" + ind + "Zeilen-Nr.:\t0\r\n");
        const qsizetype second = log.indexOf(ind + "Fehler-Nr:\t61 (Datenträger voll)\r\n");
        QVERIFY(first > 0 && second > first);
        QVERIFY(log.contains(dashes + "\r\n" + dashes + "F E H L E R"));
        QVERIFY(log.endsWith(dashes + "\r\n"));
    }

    void unwritableLogStillShowsTheWindow()
    {
        Run run;
        QVERIFY(QDir().mkpath(run.state.errorLogPath()));
        QCOMPARE(run.report(mismatch, EndProgram), int(EndProgram));
    }

    void save_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("new file") << false << 0 << true;
        QTest::newRow("existing, yes") << true << int(AnswerYes) << true;
        QTest::newRow("existing, no") << true << int(AnswerNo) << false;
    }

    void save()
    {
        QFETCH(bool, exists);
        QFETCH(int, answer);
        QFETCH(bool, written);
        Run run;
        const QString path = run.state.errorProtocolPath();
        if (exists)
            QVERIFY(testutil::writeBytes(path, "alt\r\n"));
        if (answer)
            run.dialogs.answers << answer;
        bool stayedOpen = false;
        run.report(mismatch, NextStatement, [&] {
            run.button("cmdProtocol", 1)->click();
            stayedOpen = run.window.isVisible();
        });
        QVERIFY(stayedOpen);
        QList<Message> expected;
        if (exists)
            expected << plain("Vorhandene Datei '" + path + "' überschreiben ?",
                              MessageButtons::YesNo);
        if (written)
            expected << plain("Das Fehlerprotokoll wurde in die Datei '" + path +
                              "' geschrieben !");
        QCOMPARE(run.dialogs.messages, expected);
        const QByteArray content = testutil::readBytes(path);
        if (!written) {
            QCOMPARE(content, QByteArray("alt\r\n"));
            return;
        }
        // The file holds the protocol the log got, followed by CR LF.
        QCOMPARE(content, testutil::readBytes(run.state.errorLogPath()));
    }

    void saveFailureKeepsTheWindowOpen()
    {
        Run run;
        QVERIFY(QDir().mkpath(run.state.errorProtocolPath()));
        run.dialogs.answers << AnswerYes;
        bool stayedOpen = false;
        run.report(mismatch, LeaveProcedure, [&] {
            run.button("cmdProtocol", 1)->click();
            stayedOpen = run.window.isVisible();
        });
        QVERIFY(stayedOpen);
        QCOMPARE(run.dialogs.messages.size(), 2);
        QVERIFY(run.dialogs.messages[1].text.startsWith(
            "Das Fehlerprotokoll konnte nicht in die Datei '" + run.state.errorProtocolPath() +
            "' geschrieben werden:\r"));
        QVERIFY(QFileInfo(run.state.errorProtocolPath()).isDir());
    }

    void mail()
    {
        Run run;
        run.report(mismatch, NextStatement, [&] { run.button("cmdProtocol", 2)->click(); });
        const QString notice =
            "Es wird jetzt Ihr Standard-Email-Programm aufgerufen. Die Fehlerbeschreibung sowie "
            "das "
            "Fehlerprotokoll\r\nwurden zu Ihrer Bequemlichkeit in die Zwischenablage kopiert.\r\n"
            "\r\nBitte fügen Sie den Inhalt der Zwischenablage in Ihre Email ein, indem Sie in "
            "Ihrem "
            "Email-Programm\r\ndie Tasten [Strg] und [Einfg] gleichzeitig betätigen. Alternativ "
            "können Sie den Inhalt in die EMail\r\neinfügen, indem Sie den Befehl 'Einfügen' aus "
            "dem Menü 'Bearbeiten' ausführen.";
        QCOMPARE(run.dialogs.messages, QList<Message>{plain(notice)});
        QCOMPARE(QGuiApplication::clipboard()->text() + "\r\n", run.log());
        QCOMPARE(run.dialogs.opened, QStringList{"mailto:support@askbright.example.org"});
    }

    void homepage()
    {
        Run run;
        QGuiApplication::clipboard()->setText("vorher");
        run.report(mismatch, NextStatement, [&] { run.button("cmdProtocol", 3)->click(); });
        QVERIFY(run.dialogs.messages.isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text() + "\r\n", run.log());
        QCOMPARE(run.dialogs.opened, QStringList{homepageUrl});
    }

    void refusedShellReported()
    {
        RefusingShell shell;
        Run run(&shell);
        bool stayedOpen = false;
        run.report(mismatch, NextStatement, [&] {
            run.button("cmdProtocol", 3)->click();
            stayedOpen = run.window.isVisible();
        });
        QVERIFY(stayedOpen);
        QCOMPARE(shell.messageTexts(),
                 QStringList{"Die Adresse '" + homepageUrl + "' konnte nicht geöffnet werden."});
    }

    void print_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("printed") << int(ErrorReporterWindow::PrintOutcome::Printed)
                                 << QStringList();
        QTest::newRow("cancelled") << int(ErrorReporterWindow::PrintOutcome::Cancelled)
                                   << QStringList{"Das Fehlerprotokoll wurde nicht gedruckt."};
        QTest::newRow("no printer")
            << int(ErrorReporterWindow::PrintOutcome::Failed)
            << QStringList{
                   "Das Fehlerprotokoll konnte nicht gedruckt werden: Es ist kein Drucker bereit."};
    }

    void print()
    {
        QFETCH(int, outcome);
        QFETCH(QStringList, messages);
        Run run;
        QStringList printed;
        run.window.printJob = [&](QWidget *, const QStringList &lines) {
            printed = lines;
            return ErrorReporterWindow::PrintOutcome(outcome);
        };
        const QString words = QStringList(12, "Beschreibung").join(u' ');
        bool stayedOpen = false;
        run.report(AppError(AppError::InvalidCall, words), NextStatement, [&] {
            run.button("cmdProtocol", 0)->click();
            stayedOpen = run.window.isVisible();
        });
        QVERIFY(stayedOpen);
        QCOMPARE(run.dialogs.messageTexts(), messages);
        QCOMPARE(printed.first(), QString(70, u'-') + " ");
        QCOMPARE(printed.last(), " ");
        // The long first row goes on in lines indented by 20 blanks.
        const qsizetype row =
            printed.indexOf(ind + "Fehler-Nr:    5 (Beschreibung Beschreibung Beschreibung ");
        QVERIFY(row > 0);
        QCOMPARE(printed[row + 1], QString(20, u' ') + QStringList(5, "Beschreibung ").join(""));
        QCOMPARE(printed[row + 2],
                 QString(20, u' ') + QStringList(3, "Beschreibung ").join("") + "Beschreibung) ");
    }

    void closesOnlyByItsButtons()
    {
        Run run;
        QList<bool> open;
        run.report(mismatch, LeaveProcedure, [&] {
            run.window.close();
            open << run.window.isVisible();
            QTest::keyClick(&run.window, Qt::Key_Escape);
            open << run.window.isVisible();
        });
        QCOMPARE(open, (QList<bool>{true, true}));
    }

    void sound_data()
    {
        QTest::addColumn<bool>("soundsOn");
        QTest::addColumn<bool>("fail");
        QTest::addColumn<QStringList>("played");
        QTest::newRow("sounds off") << false << false << QStringList();
        QTest::newRow("sounds on") << true << false << QStringList{"sorry4"};
        QTest::newRow("clip fails") << true << true << QStringList{"sorry4"};
    }

    void sound()
    {
        QFETCH(bool, soundsOn);
        QFETCH(bool, fail);
        QFETCH(QStringList, played);
        Run run;
        run.state.settings.soundsOn = soundsOn;
        run.sounds.fail = fail;
        QCOMPARE(run.report(mismatch, EndProgram), int(EndProgram));
        QCOMPARE(run.sounds.played, played);
    }

    void topmostFollowsTheOption_data()
    {
        QTest::addColumn<bool>("alwaysOnTop");
        QTest::newRow("off") << false;
        QTest::newRow("on") << true;
    }

    void topmostFollowsTheOption()
    {
        QFETCH(bool, alwaysOnTop);
        Run run;
        run.state.settings.alwaysOnTop = alwaysOnTop;
        bool onTop = !alwaysOnTop;
        run.report(mismatch, NextStatement,
                   [&] { onTop = run.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint); });
        QCOMPARE(onTop, alwaysOnTop);
    }

    void busyPointerReset()
    {
        Run run;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        bool busy = true;
        run.report(mismatch, NextStatement,
                   [&] { busy = QGuiApplication::overrideCursor() != nullptr; });
        QVERIFY(!busy);
    }
};

QTEST_MAIN(tst_errorreporterwindow)
#include "tst_errorreporterwindow.moc"
