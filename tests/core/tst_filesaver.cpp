#include "app/apperror.h"
#include "app/filesaver.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

using namespace askbright;

class tst_filesaver : public QObject {
    Q_OBJECT
private slots:
    void replacesContent();
    void failures_data();
    void failures();
    void fullDeviceKeepsOldFile();
    void readOnlyFolderKeepsOldFile();
    void unencodableTextKeepsOldFile();

private:
    static void expectError(const QString &path, const QByteArray &content, int number)
    {
        try {
            saveFile(path, content);
            QFAIL("the write was reported as success");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), number);
        }
    }
};

void tst_filesaver::replacesContent()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    saveFile(path, "first");
    saveFile(path, "second, longer");
    QCOMPARE(testutil::readBytes(path), QByteArray("second, longer"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.txt"});
}

void tst_filesaver::failures_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<int>("number");
    QTest::newRow("folder missing") << QStringLiteral("nowhere/a.txt") << int(AppError::PathNotFound);
    QTest::newRow("target is a folder") << QStringLiteral("sub") << int(AppError::PathFileAccessError);
    QTest::newRow("parent is a file") << QStringLiteral("plain/a.txt") << int(AppError::PathNotFound);
}

void tst_filesaver::failures()
{
    QFETCH(QString, relativePath);
    QFETCH(int, number);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    QVERIFY(testutil::writeBytes(dir.filePath(QStringLiteral("plain")), "keep"));
    expectError(dir.filePath(relativePath), "content", number);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub"))).isDir());
    QCOMPARE(testutil::readBytes(dir.filePath(QStringLiteral("plain"))), QByteArray("keep"));
}

void tst_filesaver::fullDeviceKeepsOldFile()
{
    // A file-size limit makes writes fail the way a full disk does, also for root.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.faq"));
    QVERIFY(testutil::writeBytes(path, "old content"));
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    int number = 0;
    try {
        saveFile(path, QByteArray(100000, 'x'));
    } catch (const AppError &e) {
        number = e.number();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(number, int(AppError::DiskFull));
    QCOMPARE(testutil::readBytes(path), QByteArray("old content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"data.faq"});
}

void tst_filesaver::readOnlyFolderKeepsOldFile()
{
    if (testutil::runningAsRoot())
        QSKIP("permission bits do not stop root");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.faq"));
    QVERIFY(testutil::writeBytes(path, "old content"));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    expectError(path, "new content", AppError::PermissionDenied);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(testutil::readBytes(path), QByteArray("old content"));
}

void tst_filesaver::unencodableTextKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.txt"));
    QVERIFY(testutil::writeBytes(path, "old"));
    QVERIFY_THROWS_EXCEPTION(AppError, saveTextFile(path, QStringLiteral("Привет")));
    QCOMPARE(testutil::readBytes(path), QByteArray("old"));
}

QTEST_GUILESS_MAIN(tst_filesaver)
#include "tst_filesaver.moc"
