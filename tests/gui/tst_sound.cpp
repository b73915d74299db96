#include "app/apperror.h"
#include "app/clock.h"
#include "app/wavefile.h"
#include "app/windowcontext.h"
#include "controls/alsasoundplayer.h"
#include "gui/scripteddialogs.h"
#include "gui/scriptederrors.h"
#include "state/appstate.h"
#include "testutil.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

using namespace askbright;

namespace {

// Devices that cannot exist on any machine, so no test makes a sound.
const QStringList absentDevices{QStringLiteral("askbright_no_such_device"),
                                QStringLiteral("hw:99,0")};

int errorOf(const std::function<void()> &body)
{
    try {
        body();
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}

struct Played {
    int error;       // 0: none
    QByteArray said; // what reached stderr meanwhile
};

// Plays name, keeping what ALSA writes to stderr: a machine without sound stays quiet.
Played play(AlsaSoundPlayer &player, const QString &name)
{
    QTemporaryFile capture;
    capture.open();
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(capture.handle(), STDERR_FILENO);
    const int error = errorOf([&] { player.PlayWaveRes(name); });
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    capture.seek(0);
    return {error, capture.readAll()};
}

} // namespace

class tst_sound : public QObject {
    Q_OBJECT
private slots:
    // ALSA reads its configuration from a home folder of the test's own, which
    // also offers the real-time test device; the user's own setup stays out.
    void initTestCase()
    {
        QVERIFY(testutil::writeBytes(m_home.filePath(QStringLiteral(".asoundrc")),
                                     "pcm_type.askbright_paced { lib \"" ASKBRIGHT_PACED_PCM
                                     "\" }\n"
                                     "pcm.askbright_paced { type askbright_paced }\n"));
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
    }

    // The clips' names and contents are the wave file test's table; here
    // every built clip is in the resources under its name in any case.
    void clips_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        const QStringList files = QDir(QStringLiteral(ASKBRIGHT_SOUNDS)).entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        for (qsizetype i = 0; i < files.size(); ++i) {
            // Upper case, lower case and capitalised by turns.
            const QString base = QFileInfo(files.at(i)).completeBaseName();
            const QString name = i % 3 == 0   ? base.toUpper()
                                 : i % 3 == 1 ? base
                                              : base.left(1).toUpper() + base.mid(1);
            QTest::newRow(qPrintable(name)) << files.at(i) << name;
        }
    }

    // Without a sound device a clip is skipped at once and without a word.
    void clips()
    {
        QFETCH(QString, file);
        QFETCH(QString, name);
        // A clip that is not found throws, which fails the test.
        QCOMPARE(AlsaSoundPlayer::clipBytes(name),
                 testutil::readBytes(QStringLiteral(ASKBRIGHT_SOUNDS "/") + file));
        for (const QString &device : absentDevices) {
            AlsaSoundPlayer player(device);
            QElapsedTimer timer;
            timer.start();
            const Played played = play(player, name);
            QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
            QCOMPARE(played.error, 0);
            QCOMPARE(played.said, QByteArray());
        }
    }

    void missing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("unknown") << "nix";
        QTest::newRow("path into the resources") << "../sounds/menu";
    }

    // Through a window's context a missing clip is reported under Module1 / PlayWaveRes.
    void missing()
    {
        QFETCH(QString, name);
        QCOMPARE(errorOf([&] { AlsaSoundPlayer::clipBytes(name); }),
                 int(AppError::ResourceNotFound));
        QTemporaryDir folder;
        FixedClock clock(QDate(2026, 12, 6));
        AppState state(folder.path(), clock);
        state.settings.soundsOn = true;
        testutil::ScriptedDialogService dialogs;
        testutil::ScriptedErrorReporter errors;
        AlsaSoundPlayer player(absentDevices.first());
        WindowContext context(state, dialogs, errors, player);
        context.play(qPrintable(name));
        QCOMPARE(errors.reports, QStringList{"Module1/PlayWaveRes/326"});
        QVERIFY(dialogs.messages.isEmpty());
    }

    // Through ALSA's file plugin the samples arrive unchanged; on a device that
    // plays in real time the call returns when the clip has been heard to its
    // end, not when its samples were handed over.
    void plays_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("paced");
        QTest::newRow("file") << "loeschen" << false;
        QTest::newRow("real time, shortest") << "menu" << true;
        QTest::newRow("real time, lowest rate") << "loeschen" << true;
    }

    void plays()
    {
        QFETCH(QString, name);
        QFETCH(bool, paced);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.raw"));
        AlsaSoundPlayer player(paced ? QStringLiteral("askbright_paced")
                                     : QStringLiteral("file:'%1',raw").arg(out));
        const WaveClip clip = readWave(AlsaSoundPlayer::clipBytes(name));
        QElapsedTimer timer;
        timer.start();
        const Played played = play(player, name);
        const qint64 elapsed = timer.elapsed(), duration = clip.durationMs();
        QCOMPARE(played.error, 0);
        QCOMPARE(played.said, QByteArray());
        if (paced)
            QVERIFY2(elapsed >= duration * 9 / 10 && elapsed < duration + 1500,
                     qPrintable(QStringLiteral("%1 ms for %2 ms").arg(elapsed).arg(duration)));
        else
            QCOMPARE(testutil::readBytes(out), clip.samples);
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(tst_sound)
#include "tst_sound.moc"
