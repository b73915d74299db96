#include "html/templatefolders.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>

using namespace askbright;
using namespace Qt::StringLiterals;

class tst_templatefolders : public QObject {
    Q_OBJECT
private slots:
    void longfixShortens_data();
    void longfixShortens();
    void foldersAndProjects();
};

void tst_templatefolders::longfixShortens_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("expected");
    // Beyond the maximum: head, "...", and from the first separator in the last maximum - 6.
    QTest::newRow("drive") << u"C:\\dir\\sub\\fq\\a.faq"_s << 16 << u"C:\\...\\fq\\a.faq"_s;
    QTest::newRow("UNC") << u"\\\\srv\\dir\\sub\\fq\\a.faq"_s << 16 << u"\\\\srv\\...\\fq\\a.faq"_s;
    QTest::newRow("root") << u"/home/anna/Kunden/Fragen/a.faq"_s << 20 << u"/.../Fragen/a.faq"_s;
    QTest::newRow("long name") << u"D:\\abcdefghij.faq"_s << 12 << u"D:\\...ij.faq"_s;
    QTest::newRow("exactly max") << u"C:\\abcdefghijklmnopq"_s << 20 << u"C:\\abcdefghijklmnopq"_s;
    QTest::newRow("separator at limit") << u"C:\\abcdefg\\ijklmn"_s << 12 << u"C:\\...\\ijklmn"_s;
    QTest::newRow("UNC, no share") << u"\\\\serverserver"_s << 8 << u"\\\\serverserver...er"_s;
}

void tst_templatefolders::longfixShortens()
{
    QFETCH(QString, path);
    QFETCH(int, maximum);
    QFETCH(QString, expected);
    QCOMPARE(longfix(path, maximum), expected);
}

void tst_templatefolders::foldersAndProjects()
{
    QTemporaryDir dir;
    for (const char *name : {"b.pdt", "A.PDT", "c.pdt.bak", "notes.txt"})
        QVERIFY(testutil::writeBytes(dir.filePath(QLatin1String(name)), "x"));
    QVERIFY(QDir(dir.path()).mkdir(u"folder.pdt"_s));
    QCOMPARE(pageProjectNames(dir.path()), (QStringList{u"A.PDT"_s, u"b.pdt"_s}));

    // Folders and files are kept, named with either separator; what names nothing is marked.
    const QString backslashed = dir.filePath(u"notes.txt"_s).replace(u'/', u'\\');
    const QStringList kept = {dir.path(), dir.path() + u'/', backslashed};
    QStringList paths = kept + QStringList{dir.filePath(u"fehlt"_s), QString()};
    for (QString &path : paths)
        dir_check(path);
    QCOMPARE(paths, (kept + QStringList{u"nix"_s, u"nix"_s}));
}

QTEST_GUILESS_MAIN(tst_templatefolders)
#include "tst_templatefolders.moc"
