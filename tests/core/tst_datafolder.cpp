// Where the program writes its own files: beside itself when it may, in the
// per-user data folder when its program folder is read-only.

#include "app/clock.h"
#include "state/appstate.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

// Makes a folder unwritable for the running user. Root passes permission
// bits, so for root the folder is made immutable instead, which holds for
// everyone. Undone when the object goes.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &path) : m_path(path)
    {
        if (::geteuid() != 0) {
            m_done = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
            return;
        }
        m_done = setImmutable(true);
    }
    ~ReadOnlyFolder()
    {
        if (!m_done)
            return;
        if (::geteuid() != 0)
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        else
            setImmutable(false);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool done() const { return m_done; }

private:
    bool setImmutable(bool on) const
    {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }

    QString m_path;
    bool m_done = false;
};

} // namespace

class tst_datafolder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void writableProgramFolder();
    void readOnlyProgramFolder();
};

void tst_datafolder::writableProgramFolder()
{
    QTemporaryDir dir;
    FixedClock clock(QDate(2025, 3, 15));
    AppState state(dir.path(), clock);
    const QString folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    QCOMPARE(state.programFolder(), folder);
    QCOMPARE(state.dataFolder(), folder);
    QCOMPARE(state.settingsFilePath(), folder + u"askbright.ini"_s);
}

void tst_datafolder::readOnlyProgramFolder()
{
    QTemporaryDir dir;
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(userFolder.contains(u".qttest"_s)); // never the real user's folder
    QDir(userFolder).removeRecursively();
    {
        ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.done())
            QSKIP("this file system cannot make a folder read-only for the running user");
        QVERIFY(!QFileInfo(dir.path()).isWritable());

        FixedClock clock(QDate(2025, 3, 15));
        AppState state(dir.path(), clock, u"prog"_s);
        const QString data = QDir::toNativeSeparators(userFolder) + QDir::separator();
        // The companion files are still read from the program folder.
        QCOMPARE(state.programFolder(), QDir::toNativeSeparators(dir.path()) + QDir::separator());
        QCOMPARE(state.dataFolder(), data);
        QVERIFY(QFileInfo(userFolder).isDir());
        for (const QString &path : {state.settingsFilePath(), state.recentFilesPath(),
                                    state.errorLogPath(), state.errorProtocolPath()})
            QVERIFY2(path.startsWith(data), qPrintable(path));
        QCOMPARE(state.settingsFilePath(), data + u"prog.ini"_s);
    }
    QDir(userFolder).removeRecursively();
}

QTEST_GUILESS_MAIN(tst_datafolder)
#include "tst_datafolder.moc"
