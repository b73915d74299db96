#include "app/apperror.h"
#include "app/product.h"
#include "errors/errorprotocol.h"
#include "errors/errorreporterwindow.h"
#include "gui/session.h"

#include <QClipboard>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

using namespace askbright;

namespace {

// Scripted dialogs on a desktop that may refuse to open anything.
struct Shell : testutil::ScriptedDialogService {
    bool refuses = false;
    bool openExternal(const QString &target) override
    {
        return ScriptedDialogService::openExternal(target) && !refuses;
    }
};

const AppError mismatch(AppError::TypeMismatch, QStringLiteral("Type mismatch"));

// One run: a temporary program folder, a fixed date and time, scripted
// dialogs and the reporter.
struct Run {
    QTemporaryDir dir;
    FixedClock clock{QDate(2026, 12, 6), QTime(14, 3, 9)};
    AppState state{dir.path(), clock};
    Shell dialogs;
    testutil::RecordingSoundPlayer sounds;
    ErrorReporterWindow window{state, dialogs, sounds};

    template <typename T> T *get(const QString &name) { return testutil::child<T>(window, name); }
    QPushButton *button(const char *row, int i)
    {
        return get<QPushButton>(row + QString::number(i));
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
    // Two reports in one window: what it shows (markup in a description stays
    // text, no resume button, no call stack, the info line made once per run),
    // the protocol appended to the log, its clip, the topmost option, no busy
    // pointer. Only a continue button closes it and answers its action; a
    // failing clip or log changes nothing.
    void reports_data()
    {
        QTest::addColumn<int>("press");
        QTest::addColumn<bool>("soundsOn");
        QTest::addColumn<bool>("onTop");
        QTest::addColumn<bool>("failing");
        QTest::newRow("next statement, sounds off")
            << int(NextStatement) << false << false << false;
        QTest::newRow("leave procedure, on top") << int(LeaveProcedure) << true << true << false;
        QTest::newRow("end program, clip and log fail") << int(EndProgram) << true << false << true;
    }

    void reports()
    {
        QFETCH(int, press);
        QFETCH(bool, soundsOn);
        QFETCH(bool, onTop);
        QFETCH(bool, failing);
        Run run;
        run.state.settings.soundsOn = soundsOn;
        run.state.settings.alwaysOnTop = onTop;
        if (failing) {
            run.sounds.missing << QStringLiteral("sorry4");
            QVERIFY(QDir().mkpath(run.state.errorLogPath()));
        } else {
            QVERIFY(testutil::writeBytes(run.state.errorLogPath(), "alt\r\n"));
        }
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QStringList shown;
        const auto look = [&] {
            QString flags;
            for (int i = 0; i < 4; ++i) {
                shown << run.get<QLabel>(QStringLiteral("lblError%1").arg(i))->text();
                flags += QChar(u'0' + run.button("cmdContinue", i)->isVisible());
            }
            flags += QChar(u'0' + run.get<QGroupBox>("framCallStack")->isVisible());
            flags += QChar(u'0' + run.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            flags += QChar(u'0' + (QGuiApplication::overrideCursor() != nullptr));
            run.window.close();
            QTest::keyClick(&run.window, Qt::Key_Escape);
            shown << flags + QChar(u'0' + run.window.isVisible())
                  << run.get<QLabel>("lblProgInfo")->text();
        };
        QCOMPARE(run.report(AppError(5, "<b>fett</b>"), press, look, "Item [GET]"), press);
        QCOMPARE(run.window.continueAction(), press);
        QVERIFY(!run.window.isVisible());
        QCOMPARE(run.get<QLabel>("lblError0")->textFormat(), Qt::PlainText);
        run.get<QLabel>("lblProgInfo")->setText("gesetzt");
        const int next = press == NextStatement ? EndProgram : NextStatement;
        QCOMPARE(run.report(AppError(7, "voll"), next, look, "cmdinsert_Click"), next);
        const QString flags = "01110" + QString::number(onTop) + "01";
        QCOMPARE(shown.join(u'|'), "5 (<b>fett</b>)|frm1|Item [GET]|0|" + flags + "|askbright  V" +
                                       fullVersionText() + "|7 (voll)|frm1|cmdinsert_Click|0|" +
                                       flags + "|gesetzt");
        QCOMPARE(run.sounds.played,
                 soundsOn && !failing ? QStringList(2, "sorry4") : QStringList());
        // The protocol's text is the core's.
        const QString log = run.log();
        QVERIFY(failing || log.startsWith("alt\r\n-"));
        const qsizetype first = log.indexOf("Fehler-Nr:\t5 (<b>fett</b>)\r\n");
        QCOMPARE(first > 0 && log.indexOf("Fehler-Nr:\t7 (voll)", first) > first, !failing);
    }

    // Print hands the protocol's lines over and tells when nothing was printed.
    // Save asks before overwriting, tells where it wrote; a file that cannot be
    // written is told with its name. Mail and homepage copy the protocol to the
    // clipboard and open their address, one the desktop refuses is told. The
    // window stays.
    void protocolButtons_data()
    {
        using Outcome = ErrorReporterWindow::PrintOutcome;
        QTest::addColumn<int>("button");
        // a print job's outcome, or the answer to overwriting; -1: the desktop refuses
        QTest::addColumn<int>("outcome");
        // the address opened, or what is in the saved file's way: "file", "folder"
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("messages");
        QTest::newRow("printed") << 0 << int(Outcome::Printed) << "" << 0;
        QTest::newRow("print cancelled") << 0 << int(Outcome::Cancelled) << "" << 1;
        QTest::newRow("no printer") << 0 << int(Outcome::Failed) << "" << 1;
        QTest::newRow("saved") << 1 << 0 << "" << 1;
        QTest::newRow("saved over, Yes") << 1 << int(AnswerYes) << "file" << 2;
        QTest::newRow("saved over, No") << 1 << int(AnswerNo) << "file" << 1;
        QTest::newRow("a folder in the way") << 1 << int(AnswerYes) << "folder" << 2;
        QTest::newRow("mail") << 2 << 0 << "mailto:support@askbright.example.org" << 1;
        QTest::newRow("homepage") << 3 << 0 << homepageUrl << 0;
        QTest::newRow("homepage refused") << 3 << -1 << homepageUrl << 1;
    }

    void protocolButtons()
    {
        QFETCH(int, button);
        QFETCH(int, outcome);
        QFETCH(QString, target);
        Run run;
        run.dialogs.refuses = outcome < 0;
        run.dialogs.answers << outcome;
        const QString path = run.state.errorProtocolPath();
        if (target == u"file")
            QVERIFY(testutil::writeBytes(path, "alt\r\n"));
        else if (target == u"folder")
            QVERIFY(QDir().mkpath(path));
        QStringList printed;
        run.window.printJob = [&](QWidget *, const QStringList &lines) {
            printed = lines;
            return ErrorReporterWindow::PrintOutcome(outcome);
        };
        QGuiApplication::clipboard()->setText("vorher");
        QVERIFY(run.pressProtocol(button));
        QTEST(int(run.dialogs.messages.size()), "messages");
        QCOMPARE(run.dialogs.opened, button < 2 ? QStringList() : QStringList{target});
        QCOMPARE(printed.isEmpty(), button != 0);
        if (button == 0) {
            QCOMPARE(printed, wrapForPrint(run.window.buildProtocol()));
        } else if (button == 1) {
            if (!target.isEmpty())
                QCOMPARE(run.dialogs.messages.first().buttons, MessageButtons::YesNo);
            if (outcome != AnswerNo)
                QVERIFY(run.dialogs.messages.last().text.contains(path));
            // No keeps the old file; a saved one holds the protocol the log got.
            if (target != u"folder")
                QCOMPARE(testutil::readBytes(path),
                         outcome == AnswerNo ? QByteArray("alt\r\n")
                                             : testutil::readBytes(run.state.errorLogPath()));
        } else {
            if (outcome < 0)
                QVERIFY(run.dialogs.messages.first().text.contains(target));
            QCOMPARE(QGuiApplication::clipboard()->text() + "\r\n", run.log());
        }
    }
};

QTEST_MAIN(tst_errorreporterwindow)
#include "tst_errorreporterwindow.moc"
