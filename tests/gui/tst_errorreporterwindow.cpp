#include "app/apperror.h"
#include "app/product.h"
#include "app/textcodec.h"
#include "controls/soundplayer.h"
#include "errors/errorprotocol.h"
#include "errors/errorreporterwindow.h"
#include "gui/scripteddialogs.h"
#include "state/appstate.h"
#include "testutil.h"

#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
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

const AppError mismatch(AppError::TypeMismatch, QStringLiteral("Type mismatch"));

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

    // Reports an error and, while the window shows, presses protocol button
    // index. Returns whether the window stayed open.
    bool pressProtocol(int index)
    {
        bool stayed = false;
        report(mismatch, NextStatement, [&] {
            button("cmdProtocol", index)->click();
            stayed = window.isVisible();
        });
        return stayed;
    }

    QString log() const { return decodeCp1252(testutil::readBytes(state.errorLogPath())); }
};

} // namespace

class tst_errorreporterwindow : public QObject {
    Q_OBJECT
private slots:
    // The error's number and text, module, procedure and line; markup in a
    // description stays text; no call stack and no resume button.
    void showsTheError()
    {
        Run run;
        QStringList shown;
        QList<bool> visible;
        run.report(
            AppError(5, QStringLiteral("<b>fett</b>")), NextStatement,
            [&] {
                shown << run.value(0) << run.value(1) << run.value(2) << run.value(3);
                for (int i = 0; i < 4; ++i)
                    visible << run.button("cmdContinue", i)->isVisible();
                visible << run.get<QGroupBox>("framCallStack")->isVisible();
            },
            QStringLiteral("Item [GET]"));
        QCOMPARE(shown, (QStringList{"5 (<b>fett</b>)", "frm1", "Item [GET]", "0"}));
        QCOMPARE(visible, (QList<bool>{false, true, true, true, false}));
        QCOMPARE(run.get<QLabel>("lblError0")->textFormat(), Qt::PlainText);
    }

    // Each continue button answers its own action and closes; a second
    // error reuses the window, the info line made once per run.
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
        QCOMPARE(run.get<QLabel>("lblProgInfo")->text(), "askbright  V" + fullVersionText());
        run.get<QLabel>("lblProgInfo")->setText("gesetzt");
        QStringList shown;
        const int next = press == NextStatement ? EndProgram : NextStatement;
        QCOMPARE(run.report(
                     AppError(AppError::DiskFull), next,
                     [&] {
                         shown << run.value(0).left(4) << run.value(2)
                               << run.get<QLabel>("lblProgInfo")->text();
                     },
                     "cmdinsert_Click"),
                 next);
        QCOMPARE(shown, (QStringList{"61 (", "cmdinsert_Click", "gesetzt"}));
    }

    // Each report appends its protocol (its text is the core's); a log that
    // cannot be written still shows the window.
    void oneProtocolPerReport()
    {
        Run run;
        testutil::writeBytes(run.state.errorLogPath(), "alt\r\n");
        run.report(mismatch);
        run.report(AppError(AppError::DiskFull));
        const QString log = run.log();
        QVERIFY(log.startsWith("alt\r\n" + dashes));
        const qsizetype first = log.indexOf(ind + "Fehler-Nr:\t13 (Type mismatch)\r\n");
        QVERIFY(first > 0 && log.indexOf(ind + "Fehler-Nr:\t61 (", first) > first);
        Run unwritable;
        QVERIFY(QDir().mkpath(unwritable.state.errorLogPath()));
        QCOMPARE(unwritable.report(mismatch, EndProgram), int(EndProgram));
    }

    // Saving asks before overwriting, tells where it wrote, and a file that
    // cannot be written leaves the window open with a message naming it.
    void save_data()
    {
        QTest::addColumn<QString>("before"); // "", "file", "folder"
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("messages");
        QTest::addColumn<bool>("written");
        QTest::newRow("new file") << "" << 0 << 1 << true;
        QTest::newRow("existing, yes") << "file" << int(AnswerYes) << 2 << true;
        QTest::newRow("existing, no") << "file" << int(AnswerNo) << 1 << false;
        QTest::newRow("a folder in the way") << "folder" << int(AnswerYes) << 2 << false;
    }

    void save()
    {
        QFETCH(QString, before);
        QFETCH(int, answer);
        QFETCH(int, messages);
        QFETCH(bool, written);
        Run run;
        const QString path = run.state.errorProtocolPath();
        if (before == u"file")
            QVERIFY(testutil::writeBytes(path, "alt\r\n"));
        else if (before == u"folder")
            QVERIFY(QDir().mkpath(path));
        if (answer)
            run.dialogs.answers << answer;
        QVERIFY(run.pressProtocol(1));
        QCOMPARE(run.dialogs.messages.size(), messages);
        if (!before.isEmpty())
            QCOMPARE(run.dialogs.messages.first().buttons, MessageButtons::YesNo);
        if (answer != AnswerNo)
            QVERIFY(run.dialogs.messages.last().text.contains(path));
        // The file holds the protocol the log got.
        if (written)
            QCOMPARE(testutil::readBytes(path), testutil::readBytes(run.state.errorLogPath()));
        else if (before == u"file")
            QCOMPARE(testutil::readBytes(path), QByteArray("alt\r\n"));
    }

    // Print hands the protocol's lines over and tells when nothing was
    // printed; mail and homepage copy the protocol to the clipboard and open
    // their address, one the desktop refuses is told. The window stays.
    void protocolButtons_data()
    {
        using Outcome = ErrorReporterWindow::PrintOutcome;
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("outcome"); // of a print job; refused: the desktop refuses
        QTest::addColumn<QString>("opened");
        QTest::addColumn<int>("messages");
        const int refused = -1;
        QTest::newRow("printed") << 0 << int(Outcome::Printed) << "" << 0;
        QTest::newRow("print cancelled") << 0 << int(Outcome::Cancelled) << "" << 1;
        QTest::newRow("no printer") << 0 << int(Outcome::Failed) << "" << 1;
        QTest::newRow("mail") << 2 << 0 << "mailto:support@askbright.example.org" << 1;
        QTest::newRow("homepage") << 3 << 0 << homepageUrl << 0;
        QTest::newRow("homepage refused") << 3 << refused << homepageUrl << 1;
    }

    void protocolButtons()
    {
        QFETCH(int, button);
        QFETCH(int, outcome);
        QFETCH(QString, opened);
        QFETCH(int, messages);
        RefusingShell shell;
        Run run(outcome < 0 ? &shell : nullptr);
        QStringList printed;
        run.window.printJob = [&](QWidget *, const QStringList &lines) {
            printed = lines;
            return ErrorReporterWindow::PrintOutcome(outcome);
        };
        QGuiApplication::clipboard()->setText("vorher");
        QVERIFY(run.pressProtocol(button));
        QCOMPARE(run.dialogs.messages.size(), messages);
        QCOMPARE(run.dialogs.opened, opened.isEmpty() ? QStringList() : QStringList{opened});
        if (outcome < 0)
            QVERIFY(run.dialogs.messages.first().text.contains(opened));
        QCOMPARE(printed.isEmpty(), button != 0);
        if (button == 0)
            QCOMPARE(printed, wrapForPrint(run.window.buildProtocol()));
        else
            QCOMPARE(QGuiApplication::clipboard()->text() + "\r\n", run.log());
    }

    // Only the continue buttons close the window; it plays its clip (a
    // failing clip changes nothing), follows the topmost option and drops
    // any busy pointer while it shows.
    void whileShown_data()
    {
        QTest::addColumn<bool>("soundsOn");
        QTest::addColumn<bool>("fail");
        QTest::addColumn<bool>("onTop");
        QTest::newRow("sounds off") << false << false << false;
        QTest::newRow("sounds on, on top") << true << false << true;
        QTest::newRow("clip fails") << true << true << false;
    }

    void whileShown()
    {
        QFETCH(bool, soundsOn);
        QFETCH(bool, fail);
        QFETCH(bool, onTop);
        Run run;
        run.state.settings.soundsOn = soundsOn;
        run.state.settings.alwaysOnTop = onTop;
        run.sounds.fail = fail;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QList<bool> seen;
        QCOMPARE(run.report(mismatch, EndProgram,
                            [&] {
                                seen << run.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint)
                                     << (QGuiApplication::overrideCursor() != nullptr);
                                run.window.close();
                                seen << run.window.isVisible();
                                QTest::keyClick(&run.window, Qt::Key_Escape);
                                seen << run.window.isVisible();
                            }),
                 int(EndProgram));
        QCOMPARE(seen, (QList<bool>{onTop, false, true, true}));
        QCOMPARE(run.sounds.played, soundsOn ? QStringList{"sorry4"} : QStringList());
    }
};

QTEST_MAIN(tst_errorreporterwindow)
#include "tst_errorreporterwindow.moc"
