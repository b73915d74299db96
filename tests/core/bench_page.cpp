#include "html/pagegenerator.h"
#include "testutil.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace askbright;

namespace {

class SilentSink : public MessageSink {
public:
    int showMessage(const Message &) override
    {
        ++count;
        return AnswerOk;
    }
    int count = 0;
};

} // namespace

// Page generation for the largest database: 2000 records with 2 KB answers.
class bench_page : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void generateLargestPage();
    void composeWithoutWriting();

private:
    QTemporaryDir m_dir;
    FaqDatabase m_database;
    PageRequest m_request;
};

void bench_page::initTestCase()
{
    QList<FaqRecord> records;
    for (int i = 1; i <= 2000; ++i) {
        FaqRecord r;
        r.question = QStringLiteral("Frage Nummer %1: wie funktioniert das mit ¨Größe¨?").arg(i);
        r.answer = QStringLiteral("Antwort mit Umlauten äöü, <Klammern> & Zeilen\r\n")
                       .repeated(50)
                       .left(2048);
        r.extraInfo = QStringLiteral("Fragesteller %1").arg(i);
        r.homepageLink = QStringLiteral("http://www.example.org/?id=%1&x=1").arg(i);
        r.infoWithQuestion = qint16(i % 2);
        records << r;
    }
    m_database.replaceRecords(records);
    const QString project = m_dir.filePath(QStringLiteral("gross.pdt"));
    QVERIFY(testutil::writeBytes(project,
                                 "[Projektdatei f\xFCr Askbright]\r\nGro\xDF\r\n#000000\r\n"
                                 "#FFFFFF\r\n#FF0000\r\n#800080\r\n#0000FF\r\n\r\nnein\r\n"
                                 "faq\r\nAutor\r\nText\r\nmitte\r\nFett\r\n\r\nArial\r\n"
                                 "16\r\n12\r\nlinks\r\n 2 \r\nk1\r\nk2\r\n"));
    m_request = {project,
                 m_dir.path() + QStringLiteral("/"),
                 {},
                 QStringLiteral("a@b"),
                 QStringLiteral("deutsch")};
}

void bench_page::generateLargestPage()
{
    const FixedClock clock(QDate(2026, 12, 6));
    SilentSink sink;
    PageResult result;
    QBENCHMARK
    {
        result = generieren_deutsch(m_request, m_database, clock, sink);
    }
    QCOMPARE(result.status, PageStatus::Ok);
    QCOMPARE(sink.count, 0);
    QVERIFY(QFileInfo(result.pagePath).size() > 2000 * 2048);
}

// The same page in memory only: the part of the time that is not the disk.
void bench_page::composeWithoutWriting()
{
    GeneratorSlots working;
    QVERIFY(readGeneratorSlots(m_request.projectPath, linkSizeSmall, working));
    QString page;
    QBENCHMARK
    {
        page = composePage(PageLanguage::Deutsch, working, false, m_request, m_database,
                           QDate(2026, 12, 6));
    }
    QVERIFY(page.startsWith(QStringLiteral("<html>\r\n")));
    QVERIFY(page.endsWith(QStringLiteral("</body></html>\r\n")));
}

QTEST_GUILESS_MAIN(bench_page)
#include "bench_page.moc"
