// Where the program writes its own files: beside itself when it may, in the
// per-user data folder when its program folder is read-only.

#include "app/clock.h"
#include "app/textcodec.h"
#include "state/appstate.h"
#include "testutil.h"

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
    void readOnlyProgramFolder_data();
    void readOnlyProgramFolder();
};

namespace {

// A program folder as delivered: the sample database and page projects.
void placeSamples(const QString &programFolder)
{
    QDir(programFolder).mkdir(u"vorlagen"_s);
    QVERIFY(testutil::writeBytes(programFolder + u"/vorlagen/a.pdt"_s, "pdt"));
    QVERIFY(testutil::writeBytes(programFolder + u"/beispiel.faq"_s, "faq"));
}

QString folder(const QString &path)
{
    return QDir::toNativeSeparators(path) + QDir::separator();
}

} // namespace

// A first start leads to the samples beside the program and an output folder
// that is made when first used; a settings file decides from then on.
void tst_datafolder::writableProgramFolder()
{
    QTemporaryDir dir, documents;
    placeSamples(dir.path());
    FixedClock clock(QDate(2025, 3, 15));
    AppState state(dir.path(), clock, u"askbright"_s, documents.path());
    const QString program = folder(dir.path());
    QCOMPARE(state.programFolder(), program);
    QCOMPARE(state.dataFolder(), program);
    QCOMPARE(state.settingsFilePath(), program + u"askbright.ini"_s);
    state.readStartSettings();
    const AppSettings &s = state.settings;
    QCOMPARE(QStringList({s.TemplatesFolder, s.HtmlOutputFolder, s.faqFolder}),
             QStringList({program + u"vorlagen"_s + QDir::separator(),
                          folder(documents.filePath(u"Askbright"_s)), program}));
    QVERIFY(!QFileInfo::exists(documents.filePath(u"Askbright"_s)));

    QVERIFY(testutil::writeBytes(state.settingsFilePath(), encodeCp1252(formatSettings({}))));
    AppState again(dir.path(), clock, u"askbright"_s, documents.path());
    again.readStartSettings();
    QCOMPARE(again.settings.TemplatesFolder + again.settings.HtmlOutputFolder, QString());
}

void tst_datafolder::readOnlyProgramFolder_data()
{
    QTest::addColumn<bool>("shippedSettings");
    QTest::newRow("samples copied once") << false;
    QTest::newRow("shipped settings are the starting point") << true;
}

void tst_datafolder::readOnlyProgramFolder()
{
    QFETCH(bool, shippedSettings);
    QTemporaryDir dir, documents;
    placeSamples(dir.path());
    AppSettings shipped;
    shipped.language = Language::English;
    if (shippedSettings)
        QVERIFY(testutil::writeBytes(dir.filePath(u"prog.ini"_s),
                                     encodeCp1252(formatSettings(shipped))));
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(userFolder.contains(u".qttest"_s)); // never the real user's folder
    QDir(userFolder).removeRecursively();
    {
        ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.done())
            QSKIP("this file system cannot make a folder read-only for the running user");
        QVERIFY(!QFileInfo(dir.path()).isWritable());

        FixedClock clock(QDate(2025, 3, 15));
        AppState state(dir.path(), clock, u"prog"_s, documents.path());
        const QString data = folder(userFolder);
        // The companion files are still read from the program folder.
        QCOMPARE(state.programFolder(), QDir::toNativeSeparators(dir.path()) + QDir::separator());
        QCOMPARE(state.dataFolder(), data);
        QVERIFY(QFileInfo(userFolder).isDir());
        for (const QString &path : {state.settingsFilePath(), state.recentFilesPath(),
                                    state.errorLogPath(), state.errorProtocolPath()})
            QVERIFY2(path.startsWith(data), qPrintable(path));
        QCOMPARE(state.settingsFilePath(), data + u"prog.ini"_s);

        state.readStartSettings();
        QCOMPARE(state.settings.language, shippedSettings ? Language::English : Language::German);
        QCOMPARE(state.settings.TemplatesFolder,
                 shippedSettings ? QString() : data + u"vorlagen"_s + QDir::separator());
        QCOMPARE(QFileInfo::exists(data + u"vorlagen/a.pdt"_s), !shippedSettings);
        if (!shippedSettings) {
            // Still no settings file: the copy the user changed is kept.
            QVERIFY(testutil::writeBytes(data + u"beispiel.faq"_s, "changed"));
            AppState again(dir.path(), clock, u"prog"_s, documents.path());
            again.readStartSettings();
            QCOMPARE(testutil::readBytes(data + u"beispiel.faq"_s), QByteArray("changed"));
            QCOMPARE(again.settings.faqFolder, data);
        }
    }
    QDir(userFolder).removeRecursively();
}

QTEST_GUILESS_MAIN(tst_datafolder)
#include "tst_datafolder.moc"
