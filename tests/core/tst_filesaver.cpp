#include "app/apperror.h"
#include "app/filesaver.h"
#include "testutil.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace askbright;
using namespace Qt::StringLiterals;

class tst_filesaver : public QObject {
    Q_OBJECT
private slots:
    // Writes beyond the file-size limit then fail with EFBIG instead of ending the process.
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    void save_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("replaces") << "old" << false << "neu ä" << 0;
        QTest::newRow("no folder") << "no/a" << false << "new" << int(AppError::PathNotFound);
        QTest::newRow("file as folder") << "old/a" << false << "new" << int(AppError::PathNotFound);
        const int refused = AppError::PathFileAccessError;
        QTest::newRow("folder") << "sub" << false << "new" << refused;
        QTest::newRow("named pipe") << "pipe" << false << "new" << refused;
        QTest::newRow("link to nothing") << "dangling" << false << "new" << refused;
        QTest::newRow("link loop") << "loop" << false << "new" << refused;
        QTest::newRow("link to a file writes the file") << "link" << false << "neu" << 0;
        // Past the 4 KB file-size limit a write fails as on a full disk, also for root.
        QTest::newRow("full") << "old" << false << QString(100000, 'x') << int(AppError::DiskFull);
        QTest::newRow("small") << "old" << false << QString(9000, 'x') << int(AppError::DiskFull);
        QTest::newRow("read-only") << "old" << true << "new" << int(AppError::PermissionDenied);
        QTest::newRow("unencodable") << "old" << false << "Привет" << int(AppError::InvalidCall);
        // A path of blanks names no file, not one called "  " in the working folder.
        QTest::newRow("path of blanks") << "  " << false << "new" << int(AppError::BadFileName);
    }

    // Whatever fails, the old file stays as it was and nothing else is left in the folder; a
    // pipe or a link is never replaced.
    void save()
    {
        QFETCH(QString, target);
        QFETCH(bool, readOnly);
        QFETCH(QString, text);
        QFETCH(int, number);
        if (readOnly && ::geteuid() == 0)
            QSKIP("root ignores permission bits");
        QTemporaryDir dir;
        const QString old = dir.filePath(u"old"_s);
        QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
        QVERIFY(testutil::writeBytes(old, "old content"));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(u"pipe"_s)), 0600), 0);
        const QStringList links{"dangling", "missing", "loop", "loop", "link", "old"};
        for (qsizetype i = 0; i < links.size(); i += 2)
            QVERIFY(QFile::link(links.at(i + 1), dir.filePath(links.at(i))));
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit small{4096, saved.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        if (readOnly)
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        int got = 0;
        QString description;
        try {
            saveTextFile(target.trimmed().isEmpty() ? target : dir.filePath(target), text);
        } catch (const AppError &e) {
            got = e.number();
            description = e.description();
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(got, number);
        // A refusal names what it refused.
        QVERIFY(got != AppError::PathFileAccessError || description.contains(dir.filePath(target)));
        QCOMPARE(testutil::readBytes(old), number ? QByteArray("old content") : text.toLatin1());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 (QStringList{"dangling", "link", "loop", "old", "pipe", "sub"}));
        QVERIFY(QFileInfo(dir.filePath(u"sub"_s)).isDir());
        QCOMPARE(QFileInfo(dir.filePath(u"pipe"_s)).isFile(), false);
        for (qsizetype i = 0; i < links.size(); i += 2)
            QCOMPARE(QFileInfo(dir.filePath(links.at(i))).symLinkTarget(),
                     dir.filePath(links.at(i + 1)));
    }
};

QTEST_GUILESS_MAIN(tst_filesaver)
#include "tst_filesaver.moc"
