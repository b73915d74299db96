#include "html/templatefolders.h"
#include "settings/appsettings.h"
#include "state/pageselection.h"
#include "testutil.h"

#include <QSignalSpy>

using namespace askbright;
using namespace Qt::StringLiterals;

class tst_templatefolders : public QObject {
    Q_OBJECT
private slots:
    void folderCheck()
    {
        QTemporaryDir dir;
        QVERIFY(testutil::writeBytes(dir.filePath(u"notes.txt"_s), "x"));
        // Folders and files are kept, named with either separator; what names nothing is marked.
        const QString backslashed = dir.filePath(u"notes.txt"_s).replace(u'/', u'\\');
        const QStringList kept = {dir.path(), dir.path() + u'/', backslashed};
        QStringList paths = kept + QStringList{dir.filePath(u"fehlt"_s), QString()};
        for (QString &path : paths)
            dir_check(path);
        QCOMPARE(paths, (kept + QStringList{u"nix"_s, u"nix"_s}));
    }

    void pageSelection_data()
    {
        QTest::addColumn<QString>("chosen"); // given to chooseListed
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("page"); // the page afterwards; the rescan chose "A.PDT"
        QTest::newRow("listed, other case") << u"a.pdt"_s << true << u"A.PDT"_s;
        QTest::newRow("file system's spelling") << u"B.PDT"_s << true << u"b.pdt"_s;
        QTest::newRow("not listed") << u"c.pdt"_s << false << u"A.PDT"_s;
    }

    // A rescan lists the folder's page projects and chooses the first; choosing
    // matches a listed page in any letter case. Signals tell each change once.
    void pageSelection()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, page);
        QTemporaryDir dir;
        for (const char *name : {"b.pdt", "A.PDT", "c.pdt.bak", "notes.txt"})
            QVERIFY(testutil::writeBytes(dir.filePath(QLatin1String(name)), "x"));
        QVERIFY(QDir(dir.path()).mkdir(u"folder.pdt"_s)); // only files are listed
        AppSettings settings;
        PageSelection selection(settings);
        selection.setTemplatesFolder(dir.path());
        QSignalSpy lists(&selection, &PageSelection::pagesChanged);
        QSignalSpy pages(&selection, &PageSelection::pageChanged);
        selection.rescan();
        QCOMPARE(selection.pages(), (QStringList{u"A.PDT"_s, u"b.pdt"_s}));
        QCOMPARE(lists.last().first().toStringList(), selection.pages());
        QCOMPARE(pages.size(), 1);
        QCOMPARE(selection.projectPath(), selection.templatesFolder() + u"A.PDT"_s);

        QTEST(selection.chooseListed(chosen), "listed");
        QCOMPARE(selection.page(), page);
        QCOMPARE(pages.size(), page == u"A.PDT"_s ? 1 : 2);
        QCOMPARE(pages.last().first().toString(), page);

        // A folder without page projects leaves no page chosen.
        selection.setTemplatesFolder(dir.filePath(u"fehlt"_s));
        selection.rescan();
        QCOMPARE(selection.pages(), QStringList());
        QCOMPARE(selection.page(), QString());
        QCOMPARE(pages.last().first().toString(), QString());
    }

    // Both folders end with a separator, live in the settings and are announced.
    void pageSelectionFolders()
    {
        AppSettings settings;
        PageSelection selection(settings);
        QSignalSpy templates(&selection, &PageSelection::templatesFolderChanged);
        QSignalSpy outputs(&selection, &PageSelection::outputFolderChanged);
        const QString folder = u"/tmp/seiten"_s, withSeparator = folder + QDir::separator();
        selection.setTemplatesFolder(folder);
        selection.setOutputFolder(folder);
        QCOMPARE(
            QStringList({selection.templatesFolder(), selection.outputFolder(),
                         settings.TemplatesFolder, settings.HtmlOutputFolder,
                         templates.last().first().toString(), outputs.last().first().toString()}),
            QStringList(6, withSeparator));
        selection.setOutputFolder(QString());
        QCOMPARE(selection.outputFolder(), QString());
    }
};

QTEST_GUILESS_MAIN(tst_templatefolders)
#include "tst_templatefolders.moc"
