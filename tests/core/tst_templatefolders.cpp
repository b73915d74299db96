#include "html/templatefolders.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>

using namespace askbright;

class tst_templatefolders : public QObject {
    Q_OBJECT
private slots:
    void longfixShortens_data();
    void longfixShortens();
    void dirCheck();
    void listsPageProjects();
};

void tst_templatefolders::longfixShortens_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("expected");
    const QString longName = QString(48, u'x') + QStringLiteral(".faq");
    QTest::newRow("drive") << QStringLiteral(
                                  "C:\\Eigene Dateien\\Kunden\\Handbuch\\Fragen\\liste.faq")
                           << 35 << QStringLiteral("C:\\...\\Handbuch\\Fragen\\liste.faq");
    QTest::newRow("UNC") << QStringLiteral("\\\\server\\daten\\projekte\\2004\\fragen\\hilfe.faq")
                         << 35 << QStringLiteral("\\\\server\\...\\2004\\fragen\\hilfe.faq");
    QTest::newRow("long file name") << QStringLiteral("D:\\") + longName << 35
                                    << QStringLiteral("D:\\...") + longName.right(29);
    QTest::newRow("exactly 35") << QStringLiteral("C:\\") + QString(32, u'a') << 35
                                << QStringLiteral("C:\\") + QString(32, u'a');
    QTest::newRow("Linux") << QStringLiteral("/home/anna/Dokumente/Kunden/Fragen/liste.faq") << 35
                           << QStringLiteral("/.../Kunden/Fragen/liste.faq");
    QTest::newRow("separator exactly at the limit")
        << QStringLiteral("C:\\abcdefg\\ijklmn") << 12 << QStringLiteral("C:\\...\\ijklmn");
    QTest::newRow("UNC without share") << QStringLiteral("\\\\serverserverserver") << 8
                                       << QStringLiteral("\\\\serverserverserver...er");
}

void tst_templatefolders::longfixShortens()
{
    QFETCH(QString, path);
    QFETCH(int, maximum);
    QFETCH(QString, expected);
    QCOMPARE(longfix(path, maximum), expected);
}

void tst_templatefolders::dirCheck()
{
    QTemporaryDir dir;
    QStringList kept = {dir.path(), dir.path() + QStringLiteral("/")};
    for (QString path : kept) {
        const QString before = path;
        dir_check(path);
        QCOMPARE(path, before);
    }
    for (QString path : {dir.filePath(QStringLiteral("fehlt")), QString()}) {
        dir_check(path);
        QCOMPARE(path, QStringLiteral("nix"));
    }
}

void tst_templatefolders::listsPageProjects()
{
    QTemporaryDir dir;
    for (const char *name : {"b.pdt", "A.PDT", "c.pdt.bak", "notes.txt"})
        QVERIFY(testutil::writeBytes(dir.filePath(QLatin1String(name)), "x"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.pdt")));
    QCOMPARE(pageProjectNames(dir.path()),
             QStringList({QStringLiteral("A.PDT"), QStringLiteral("b.pdt")}));
    QCOMPARE(pageProjectNames(dir.filePath(QStringLiteral("fehlt"))), QStringList());
}

QTEST_GUILESS_MAIN(tst_templatefolders)
#include "tst_templatefolders.moc"
