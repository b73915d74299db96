#include "html/pagegenerator.h"
#include "recordingsink.h"
#include "testutil.h"

#include <QFileInfo>
#include <QTemporaryDir>

using namespace askbright;
using namespace Qt::StringLiterals;

class bench_page : public QObject {
    Q_OBJECT
private slots:
    void generateLargestPage();
};

// Page generation for the largest database: 2000 records with 2 KB answers.
void bench_page::generateLargestPage()
{
    const QString answer =
        u"Antwort mit Umlauten äöü, <Klammern> & Zeilen\r\n"_s.repeated(50).left(2048);
    QList<FaqRecord> records;
    for (int i = 1; i <= 2000; ++i)
        records << FaqRecord{u"Frage Nummer %1: wie funktioniert das mit ¨Größe¨?"_s.arg(i), answer,
                             u"Fragesteller %1"_s.arg(i),
                             u"http://www.example.org/?id=%1&x=1"_s.arg(i), qint16(i % 2)};
    FaqDatabase database;
    database.replaceRecords(records);
    QTemporaryDir dir;
    const PageRequest request{dir.filePath(u"gross.pdt"_s), dir.path() + u"/"_s, {}, u"a@b"_s};
    const QByteArray project = "[Projektdatei f\xFCr Askbright]|Titel|#000000|#FFFFFF|#FF0000|"
                               "#800080|#0000FF||nein|faq|||mitte|||Arial|16|12|links| 0 |";
    QVERIFY(testutil::writeBytes(request.projectPath, QByteArray(project).replace('|', "\r\n")));
    RecordingSink sink;
    PageResult result;
    QBENCHMARK
    {
        result = generieren_deutsch(request, database, FixedClock(QDate(2026, 12, 6)), sink);
    }
    QCOMPARE(result.status, PageStatus::Ok);
    QVERIFY(QFileInfo(result.pagePath).size() > 2000 * 2048);
}

QTEST_GUILESS_MAIN(bench_page)
#include "bench_page.moc"
