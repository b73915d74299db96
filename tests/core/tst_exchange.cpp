#include "app/apperror.h"
#include "database/exchange.h"

#include <QTest>

using namespace askbright;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(askbright::SkippedRow)

namespace {

const QString today = u"06.12.2026"_s;

FaqRecord rec(const QString &q, const QString &a, const QString &x = {}, const QString &l = {},
              const QString &d = u"06.12.2026"_s, qint16 flag = 0)
{
    return {q, a, x, l, flag, fitDate(d)};
}

} // namespace

class tst_exchange : public QObject {
    Q_OBJECT
private slots:
    void importCsv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("room");
        QTest::addColumn<QList<FaqRecord>>("records");
        QTest::addColumn<QList<SkippedRow>>("skipped");
        const QByteArray header = "question,answer,extra info,link,date\r\n";
        QTest::newRow("commas, quotes and line breaks in quoted fields")
            << header + "\"Was, bitte?\",\"Er sagte \"\"ja\"\".\nZweite Zeile\",Max,,01.02.2004\r\n"
            << 10
            << QList<FaqRecord>{rec(u"Was, bitte?"_s, u"Er sagte ¨ja¨.\r\nZweite Zeile"_s, u"Max"_s,
                                    {}, u"01.02.2004"_s)}
            << QList<SkippedRow>{};
        QTest::newRow("utf-8 with byte order mark")
            << "\xEF\xBB\xBFquestion,answer\r\nWarum \xC3\xA4?,Darum\r\n"_ba << 10
            << QList<FaqRecord>{rec(u"Warum ä?"_s, u"Darum"_s)} << QList<SkippedRow>{};
        QTest::newRow("windows-1252")
            << "question,answer\r\nWarum \xE4?,Darum \x80\r\n"_ba << 10
            << QList<FaqRecord>{rec(u"Warum ä?"_s, u"Darum €"_s)} << QList<SkippedRow>{};
        QTest::newRow("German header, semicolons, any column order, flag")
            << "Antwort;Frage;Zur Frage;Zusatz;Link;Datum\nA1;F1;1;Eva;eva.example;1.2.2004\n"_ba
            << 10
            << QList<FaqRecord>{rec(u"F1"_s, u"A1"_s, u"Eva"_s, u"eva.example"_s, u"1.2.2004"_s, 1)}
            << QList<SkippedRow>{};
        QTest::newRow("the 2001st record is refused with a report")
            << header + "Q1,A1\r\nQ2,A2\r\nQ3,A3\r\n"
            << 1 << QList<FaqRecord>{rec(u"Q1"_s, u"A1"_s)}
            << QList<SkippedRow>{{3, SkippedRow::DatabaseFull, u"Q2"_s},
                                 {4, SkippedRow::DatabaseFull, u"Q3"_s}};
        QTest::newRow("characters the file cannot hold, an empty question, blank lines")
            << header + "Gut?,\xE2\x9C\x93\r\n,nur Antwort\r\n\r\n,,\r\nOK,ja\r\n"
            << 10 << QList<FaqRecord>{rec(u"OK"_s, u"ja"_s)}
            << QList<SkippedRow>{{2, SkippedRow::Unencodable, u"✓"_s},
                                 {3, SkippedRow::NoQuestion, u"nur Antwort"_s}};
        QTest::newRow("line numbers count breaks inside fields")
            << header + "\"a\r\nb\",x\r\n,y\r\n"
            << 10 << QList<FaqRecord>{rec(u"a\r\nb"_s, u"x"_s)}
            << QList<SkippedRow>{{4, SkippedRow::NoQuestion, u"y"_s}};
    }

    void importCsv()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, room);
        QFETCH(QList<FaqRecord>, records);
        QFETCH(QList<SkippedRow>, skipped);
        const ImportResult result = askbright::importCsv(bytes, room, today);
        QCOMPARE(result.records, records);
        QCOMPARE(result.skipped, skipped);
    }

    void notACsv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << u"The file holds no header line"_s;
        QTest::newRow("no question column")
            << "a,b\r\n1,2\r\n"_ba << u"The first line names no question column"_s;
        QTest::newRow("unterminated quote") << "question\r\nok\r\n\"open\r\nand on"_ba
                                            << u"The quoted field of line 3 never ends"_s;
    }

    void notACsv()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        try {
            askbright::importCsv(bytes, 10, today);
            QFAIL("accepted");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), int(AppError::TypeMismatch));
            QCOMPARE(e.description(), reason);
        }
    }

    void csvRoundTrips()
    {
        const QList<FaqRecord> records{
            rec(u"Was heißt ¨FAQ¨?"_s, u"Häufige, \"gestellte\"\r\nFragen"_s, u"Max ¨M¨"_s,
                u"http://x.example/?a=1,b=2"_s, u"1.2.2004"_s, 1),
            rec(u"Leer?"_s, {}, {}, {}, u"31.12.1999"_s, 0),
        };
        const QByteArray csv = exportCsv(records);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF\"question\",\"answer\""));
        const ImportResult back = askbright::importCsv(csv, 2000, today);
        // The answer's typed quote becomes the substitute, as in the window.
        QList<FaqRecord> expected = records;
        expected[0].answer = u"Häufige, ¨gestellte¨\r\nFragen"_s;
        QCOMPARE(back.records, expected);
        QVERIFY(back.skipped.isEmpty());
        // CSV -> database -> CSV gives the same bytes.
        QCOMPARE(exportCsv(back.records), csv);
    }

    void importMarkdown()
    {
        const QByteArray md = "# Unsere FAQ\n\nEinleitung, kein Teil einer Antwort.\n\n"
                              "## Erste Frage?\n\nErster Absatz.\nNoch Zeile.\n\n"
                              "Zweiter Absatz.\n\n### Kein Frage-Kopf\n\\## Auch keiner\n\n"
                              "## Zweite \"Frage\"   \r\n\r\nKurz.\r\n##Kein Kopf\n"
                              "## \n\nohne Frage\n";
        const ImportResult result = askbright::importMarkdown(md, 10, today);
        QCOMPARE(result.records,
                 (QList<FaqRecord>{rec(u"Erste Frage?"_s,
                                       u"Erster Absatz.\r\nNoch Zeile.\r\n\r\nZweiter "
                                       u"Absatz.\r\n\r\n### Kein Frage-Kopf\r\n## Auch keiner"_s),
                                   rec(u"Zweite ¨Frage¨"_s, u"Kurz.\r\n##Kein Kopf"_s)}));
        QCOMPARE(result.skipped,
                 (QList<SkippedRow>{{19, SkippedRow::NoQuestion, u"ohne Frage"_s}}));
    }

    void markdownRoundTrips()
    {
        const QList<FaqRecord> records{
            rec(u"Zwei\r\nZeilen?"_s, u"Absatz eins.\r\n\r\n## kein Kopf\r\nEnde"_s),
            rec(u"Zitat ¨x¨?"_s, u"Ja."_s)};
        const QByteArray md = exportMarkdown(records, u"Titel"_s);
        QVERIFY(md.startsWith("# Titel\n\n## Zwei Zeilen?\n\nAbsatz eins.\n\n\\## kein Kopf"));
        const ImportResult back = askbright::importMarkdown(md, 10, today);
        QList<FaqRecord> expected = records;
        expected[0].question = u"Zwei Zeilen?"_s;
        QCOMPARE(back.records, expected);
    }
};

QTEST_GUILESS_MAIN(tst_exchange)
#include "tst_exchange.moc"
