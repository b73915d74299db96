#include "html/pagegenerator.h"
#include "project/projectfile.h"
#include "recordingsink.h"
#include "testutil.h"

#include <QFileInfo>

using namespace askbright;
using namespace Qt::StringLiterals;

class bench_page : public QObject {
    Q_OBJECT
private slots:
    void generateLargestPage();
    void composeLargestPage();
    void removeDuplicateKeywords();
    void readProjectWithHugeKeywordCount();
};

// The largest database: 2000 records with 2 KB answers.
static void fillLargest(FaqDatabase &database)
{
    const QString answer =
        u"Antwort mit Umlauten äöü, <Klammern> & Zeilen\r\n"_s.repeated(50).left(2048);
    QList<FaqRecord> records;
    for (int i = 1; i <= 2000; ++i)
        records << FaqRecord{u"Frage Nummer %1: wie funktioniert das mit ¨Größe¨?"_s.arg(i), answer,
                             u"Fragesteller %1"_s.arg(i),
                             u"http://www.example.org/?id=%1&x=1"_s.arg(i), qint16(i % 2)};
    database.replaceRecords(records);
}

static PageRequest projectIn(const QTemporaryDir &dir)
{
    const PageRequest request{dir.filePath(u"gross.pdt"_s), dir.path() + u"/"_s, {}, u"a@b"_s};
    testutil::writeBytes(request.projectPath,
                         testutil::pageProject(u"Titel|#000000|#FFFFFF|#FF0000|#800080|#0000FF||"
                                               u"nein|faq|||mitte|||Arial|16|12|links"_s));
    return request;
}

// Page generation for the largest database, file access included.
void bench_page::generateLargestPage()
{
    FaqDatabase database;
    fillLargest(database);
    QTemporaryDir dir;
    const PageRequest request = projectIn(dir);
    RecordingSink sink;
    PageResult result;
    QBENCHMARK
    {
        result =
            generatePage(Language::German, request, database, FixedClock(QDate(2026, 12, 6)), sink);
    }
    QCOMPARE(result.status, PageStatus::Ok);
    QVERIFY(QFileInfo(result.pagePath).size() > 2000 * 2048);
}

// Composition alone, without reading the project or writing the file.
void bench_page::composeLargestPage()
{
    FaqDatabase database;
    fillLargest(database);
    QTemporaryDir dir;
    const PageRequest request = projectIn(dir);
    const PagePlan plan = preparePage(Language::German, request);
    QByteArray page;
    QBENCHMARK
    {
        page =
            composePage(Language::German, plan, request, recordsOf(database), QDate(2026, 12, 6));
    }
    QVERIFY(page.size() > 2000 * 2048);
    QVERIFY(page.endsWith("</body></html>\r\n"));
}

// 100 000 keywords, half of them repeated: linear, not quadratic.
void bench_page::removeDuplicateKeywords()
{
    QStringList keywords;
    for (int i = 0; i < 100000; ++i)
        keywords << QString::number(i % 50000);
    QStringList unique;
    QBENCHMARK
    {
        unique = keywords;
        askbright::removeDuplicateKeywords(unique);
    }
    QCOMPARE(unique.size(), 50000);
    QCOMPARE(unique.constLast(), u"49999"_s);
}

// A count of two billion keywords with 200 000 keyword lines: the editor reads to the end.
void bench_page::readProjectWithHugeKeywordCount()
{
    QByteArray bytes = "[Projektdatei f\xFCr Askbright]\r\n" + QByteArray("x\r\n").repeated(18) +
                       " 2000000000 \r\n" + QByteArray("kw\r\n").repeated(200000);
    PageProject project;
    RecordingSink sink;
    QBENCHMARK
    {
        QCOMPARE(readProjectForEditor(ProjectLines(bytes), project, Language::German, sink),
                 ProjectReadOutcome::Stopped);
    }
    QCOMPARE(project.keywords.size(), 200000);
}

QTEST_GUILESS_MAIN(bench_page)
#include "bench_page.moc"
