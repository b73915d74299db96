#include "html/templatefolders.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>

using namespace askbright;
using namespace Qt::StringLiterals;

class tst_templatefolders : public QObject {
    Q_OBJECT
private slots:
    void foldersAndProjects();
};

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
