// Where the program writes its own files: beside itself when it may, in the
// per-user data folder when its program folder is read-only.

#include "app/clock.h"
#include "app/textcodec.h"
#include "state/appstate.h"
#include "testutil.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

// Makes a folder unwritable for the running user, or writable again. Root
// passes permission bits, so for root the folder is made immutable instead,
// which holds for everyone.
bool setReadOnly(const QString &path, bool readOnly)
{
    if (::geteuid() != 0)
        return QFile::setPermissions(path,
                                     QFile::ReadOwner | QFile::ExeOwner |
                                         (readOnly ? QFile::Permissions() : QFile::WriteOwner));
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = readOnly ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

QString folder(const QString &path)
{
    return QDir::toNativeSeparators(path) + QDir::separator();
}

} // namespace

class tst_datafolder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void whereFilesGo_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("settingsFile"); // one in the program folder: not a first start
        QTest::newRow("first start beside the program") << false << false;
        QTest::newRow("settings beside the program") << false << true;
        QTest::newRow("read-only: samples copied once") << true << false;
        QTest::newRow("read-only: shipped settings are the starting point") << true << true;
    }

    // A first start leads to the samples (copied to the data folder when the
    // program folder is read-only) and an output folder made when first used;
    // a settings file decides from then on.
    void whereFilesGo()
    {
        QFETCH(bool, readOnly);
        QFETCH(bool, settingsFile);
        QTemporaryDir dir, documents;
        // A program folder as delivered: the sample database and page projects.
        QDir(dir.path()).mkdir(u"vorlagen"_s);
        QVERIFY(testutil::writeBytes(dir.filePath(u"vorlagen/a.pdt"_s), "pdt"));
        QVERIFY(testutil::writeBytes(dir.filePath(u"beispiel.faq"_s), "faq"));
        AppSettings shipped;
        shipped.language = Language::English;
        if (settingsFile)
            QVERIFY(testutil::writeBytes(dir.filePath(u"prog.ini"_s),
                                         encodeCp1252(formatSettings(shipped))));
        const QString userFolder =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(userFolder.contains(u".qttest"_s)); // never the real user's folder
        QDir(userFolder).removeRecursively();
        const auto cleanUp = qScopeGuard([&] {
            setReadOnly(dir.path(), false);
            QDir(userFolder).removeRecursively();
        });
        if (readOnly && !setReadOnly(dir.path(), true))
            QSKIP("this file system cannot make a folder read-only for the running user");
        FixedClock clock(QDate(2025, 3, 15));
        AppState state(dir.path(), clock, u"prog"_s, documents.path());
        const QString program = folder(dir.path()), data = readOnly ? folder(userFolder) : program;
        // The companion files are still read from the program folder.
        QCOMPARE(state.programFolder(), program);
        QCOMPARE(state.dataFolder(), data);
        for (const QString &path : {state.settingsFilePath(), state.recentFilesPath(),
                                    state.errorLogPath(), state.errorProtocolPath()})
            QVERIFY2(path.startsWith(data), qPrintable(path));
        QCOMPARE(state.settingsFilePath(), data + u"prog.ini"_s);

        state.readStartSettings();
        const AppSettings &s = state.settings;
        QCOMPARE(s.language, settingsFile ? Language::English : Language::German);
        const QStringList firstStart{data + u"vorlagen"_s + QDir::separator(),
                                     folder(documents.filePath(u"Askbright"_s)), data};
        QCOMPARE(QStringList({s.TemplatesFolder, s.HtmlOutputFolder, s.faqFolder}),
                 settingsFile ? QStringList({{}, {}, {}}) : firstStart);
        QVERIFY(!QFileInfo::exists(documents.filePath(u"Askbright"_s)));
        if (readOnly)
            QCOMPARE(QFileInfo::exists(data + u"vorlagen/a.pdt"_s), !settingsFile);
        if (readOnly && !settingsFile) {
            // Still no settings file: the copy the user changed is kept.
            QVERIFY(testutil::writeBytes(data + u"beispiel.faq"_s, "changed"));
            AppState again(dir.path(), clock, u"prog"_s, documents.path());
            again.readStartSettings();
            QCOMPARE(testutil::readBytes(data + u"beispiel.faq"_s), QByteArray("changed"));
        }
    }
};

QTEST_GUILESS_MAIN(tst_datafolder)
#include "tst_datafolder.moc"
