#include "app/apperror.h"
#include "app/clock.h"
#include "app/wavefile.h"
#include "app/windowcontext.h"
#include "controls/alsasoundplayer.h"
#include "gui/scripteddialogs.h"
#include "gui/scriptederrors.h"
#include "state/appstate.h"
#include "testutil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <cstdio>
#include <unistd.h>

using namespace askbright;

namespace {

// Devices that cannot exist on any machine, so no test makes a sound.
const QStringList absentDevices{QStringLiteral("askbright_no_such_device"),
                                QStringLiteral("hw:99,0")};

// Collects what the process writes to stderr while it lives.
class StderrCapture {
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }
    QByteArray text()
    {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    QTemporaryFile m_file;
    int m_saved = -1;
};

int errorOf(const std::function<void()> &body)
{
    try {
        body();
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}

} // namespace

class tst_sound : public QObject {
    Q_OBJECT
private slots:
    // ALSA reads its configuration from a home folder of the test's own, which
    // also offers the real-time test device; the user's own setup stays out.
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
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
        QByteArray bytes;
        QCOMPARE(errorOf([&] { bytes = AlsaSoundPlayer::clipBytes(name); }), 0);
        QCOMPARE(bytes, testutil::readBytes(QStringLiteral(ASKBRIGHT_SOUNDS "/") + file));
        for (const QString &device : absentDevices) {
            AlsaSoundPlayer player(device);
            StderrCapture capture;
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(errorOf([&] { player.PlayWaveRes(name); }), 0);
            QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
            QCOMPARE(capture.text(), QByteArray());
        }
    }

    void missing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("unknown") << "nix";
        QTest::newRow("empty") << "";
        QTest::newRow("with extension") << "menu.wav";
        QTest::newRow("path") << "../sounds/menu";
        QTest::newRow("resource path") << ":/sounds/menu";
        QTest::newRow("trailing blank") << "menu ";
    }

    void missing()
    {
        QFETCH(QString, name);
        AlsaSoundPlayer player(absentDevices.first());
        QCOMPARE(errorOf([&] { AlsaSoundPlayer::clipBytes(name); }),
                 int(AppError::ResourceNotFound));
        QCOMPARE(errorOf([&] { player.PlayWaveRes(name); }), int(AppError::ResourceNotFound));
    }

    // Through ALSA's file plugin the samples arrive unchanged, and all of them
    // are there when the call returns: playback is synchronous.
    void playsThroughDevice_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("vor") << "vor";
        QTest::newRow("loeschen") << "loeschen";
        QTest::newRow("quietsch") << "quietsch";
    }

    void playsThroughDevice()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.raw"));
        AlsaSoundPlayer player(QStringLiteral("file:'%1',raw").arg(out));
        WaveClip clip;
        QCOMPARE(errorOf([&] { clip = readWave(AlsaSoundPlayer::clipBytes(name)); }), 0);
        StderrCapture capture;
        QCOMPARE(errorOf([&] { player.PlayWaveRes(name); }), 0);
        QCOMPARE(capture.text(), QByteArray());
        QCOMPARE(testutil::readBytes(out), clip.samples);
    }

    // On a device that plays in real time the call returns when the clip has
    // been heard to its end, not when its samples were handed over.
    void playsInRealTime_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("shortest") << "menu";
        QTest::newRow("longest") << "ha";
        QTest::newRow("lowest rate") << "loeschen";
    }

    void playsInRealTime()
    {
        QFETCH(QString, name);
        AlsaSoundPlayer player(QStringLiteral("askbright_paced"));
        WaveClip clip;
        QCOMPARE(errorOf([&] { clip = readWave(AlsaSoundPlayer::clipBytes(name)); }), 0);
        const qint64 duration = clip.durationMs();
        StderrCapture capture;
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(errorOf([&] { player.PlayWaveRes(name); }), 0);
        const qint64 elapsed = timer.elapsed();
        QCOMPARE(capture.text(), QByteArray());
        QVERIFY2(elapsed >= duration * 9 / 10 && elapsed < duration + 1500,
                 qPrintable(QStringLiteral("%1 ms for %2 ms").arg(elapsed).arg(duration)));
    }

    // Through a window's context a missing clip is reported under Module1 /
    // PlayWaveRes; a clip the machine cannot play is no error at all.
    void reportedThroughTheContext_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QStringList>("reports");
        QTest::newRow("no device") << "thanks" << QStringList();
        QTest::newRow("clip missing") << "nix" << QStringList{"Module1/PlayWaveRes/326"};
    }

    void reportedThroughTheContext()
    {
        QFETCH(QString, clip);
        QFETCH(QStringList, reports);
        QTemporaryDir folder;
        FixedClock clock(QDate(2026, 12, 6));
        AppState state(folder.path(), clock);
        state.settings.soundsOn = true;
        testutil::ScriptedDialogService dialogs;
        testutil::ScriptedErrorReporter errors;
        AlsaSoundPlayer player(absentDevices.first());
        WindowContext context(state, dialogs, errors, player);
        context.play(clip.toLatin1().constData());
        QCOMPARE(errors.reports, reports);
        QVERIFY(dialogs.messages.isEmpty());
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(tst_sound)
#include "tst_sound.moc"
