#include "app/apperror.h"
#include "settings/recentfiles.h"
#include "testutil.h"

#include <QTemporaryDir>

using namespace askbright;

class tst_recentfiles : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstStartCreatesOneEmptyLine();
    void addsOpenFileNewestLast();
    void ninthFileDropsOldest();
    void reopeningListedFileChangesNothing();
    void vanishedFileDropsOut();
    void nineLinesAreRefused();
    void clearDeletesList();

private:
    QString touch(const QString &name)
    {
        const QString path = m_dir->filePath(name);
        testutil::writeBytes(path, " 0 \r\n");
        return path;
    }
    QString listPath() const { return m_dir->filePath(recentFilesName); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_recentfiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void tst_recentfiles::firstStartCreatesOneEmptyLine()
{
    createRecentFilesIfMissing(listPath());
    QCOMPARE(testutil::readBytes(listPath()), QByteArray("\r\n"));
    // The start-up rebuild with no open file shows nothing and keeps the file as it is.
    QCOMPARE(historie(listPath(), QString()), QStringList());
    QCOMPARE(testutil::readBytes(listPath()), QByteArray("\r\n"));
    createRecentFilesIfMissing(listPath());
    QCOMPARE(testutil::readBytes(listPath()), QByteArray("\r\n"));
}

void tst_recentfiles::addsOpenFileNewestLast()
{
    createRecentFilesIfMissing(listPath());
    const QString a = touch("a.faq"), b = touch("b.faq");
    historie(listPath(), a);
    QCOMPARE(historie(listPath(), b), (QStringList{a, b}));
    QCOMPARE(testutil::readBytes(listPath()), (a + "\r\n" + b + "\r\n").toLocal8Bit());
}

void tst_recentfiles::ninthFileDropsOldest()
{
    QStringList files;
    for (int i = 1; i <= 9; ++i)
        files << touch(QStringLiteral("f%1.faq").arg(i));
    QStringList list;
    for (const QString &f : files)
        list = historie(listPath(), f);
    QCOMPARE(list, files.mid(1));
    QCOMPARE(readRecentFiles(listPath()), files.mid(1));
}

void tst_recentfiles::reopeningListedFileChangesNothing()
{
    const QString a = touch("a.faq"), b = touch("b.faq"), c = touch("c.faq");
    historie(listPath(), a);
    historie(listPath(), b);
    historie(listPath(), c);
    QCOMPARE(historie(listPath(), a), (QStringList{a, b, c}));
}

void tst_recentfiles::vanishedFileDropsOut()
{
    const QString a = touch("a.faq"), b = touch("b.faq"), c = touch("c.faq");
    for (const QString &f : {a, b, c})
        historie(listPath(), f);
    QFile::remove(b);
    QCOMPARE(historie(listPath(), QString()), (QStringList{a, c}));
    QCOMPARE(readRecentFiles(listPath()), (QStringList{a, c}));
}

void tst_recentfiles::nineLinesAreRefused()
{
    QByteArray bytes;
    for (int i = 1; i <= 9; ++i)
        bytes += touch(QStringLiteral("f%1.faq").arg(i)).toLocal8Bit() + "\r\n";
    testutil::writeBytes(listPath(), bytes);
    try {
        historie(listPath(), touch("new.faq"));
        QFAIL("a list of nine lines was accepted");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), int(AppError::SubscriptOutOfRange));
    }
    QCOMPARE(testutil::readBytes(listPath()), bytes);
}

void tst_recentfiles::clearDeletesList()
{
    historie(listPath(), touch("a.faq"));
    clearRecentFiles(listPath());
    QVERIFY(!QFile::exists(listPath()));
    clearRecentFiles(listPath());
    QCOMPARE(readRecentFiles(listPath()), QStringList());
}

QTEST_GUILESS_MAIN(tst_recentfiles)
#include "tst_recentfiles.moc"
