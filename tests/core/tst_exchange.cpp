#include "app/apperror.h"
#include "app/textcodec.h"
#include "database/exchange.h"
#include "database/faqfile.h"
#include "testutil.h"

#include <sys/resource.h>

using namespace askbright;
using namespace Qt::StringLiterals;

using Notes = QList<ImportNote>;
using Records = QList<FaqRecord>;
Q_DECLARE_METATYPE(askbright::ExchangeFormat)

namespace {

const QString today = u"06.12.2026"_s;

FaqRecord rec(const QString &q, const QString &a, const QString &x = {}, const QString &l = {},
              const QString &d = u"06.12.2026"_s, qint16 flag = 0)
{
    return {q, a, x, l, flag, fitDate(d)};
}

ImportNote note(int line, ImportNote::Kind kind, RecordField field = RecordField::Question,
                const QString &detail = {}, int lastLine = 0)
{
    return {line, lastLine ? lastLine : line, kind, field, detail};
}

ImportResult import(ExchangeFormat format, QByteArrayView bytes, int room = 2000)
{
    return format == ExchangeFormat::Csv ? importCsv(bytes, room, today)
                                         : importMarkdown(bytes, room, today);
}

} // namespace

class tst_exchange : public QObject {
    Q_OBJECT
private slots:
    void importCsv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Records>("records");
        QTest::addColumn<Notes>("notes");
        const QByteArray header = "question,answer,extra info,link,date\r\n";
        QTest::newRow("commas, quotes and line breaks in quoted fields")
            << header + "\"Was, bitte?\",\"Er sagte \"\"ja\"\".\nZweite Zeile\",Max,,01.02.2004\r\n"
            << Records{rec(u"Was, bitte?"_s, u"Er sagte ¨ja¨.\r\nZweite Zeile"_s, u"Max"_s, {},
                           u"01.02.2004"_s)}
            << Notes{};
        QTest::newRow("windows-1252") << "question,answer\r\nWarum \xE4?,Darum \x80\r\n"_ba
                                      << Records{rec(u"Warum ä?"_s, u"Darum €"_s)} << Notes{};
        QTest::newRow("German header, semicolons, any column order, flag")
            << "Antwort;Frage;Zur Frage;Zusatz;Link;Datum\nA1;F1;1;Eva;eva.example;1.2.2004\n"_ba
            << Records{rec(u"F1"_s, u"A1"_s, u"Eva"_s, u"eva.example"_s, u"1.2.2004"_s, 1)}
            << Notes{};
        QTest::newRow("tabs") << "Frage\tAntwort\tDatum\r\nF, eins\tA; zwei\t1.2.2004\r\n"_ba
                              << Records{rec(u"F, eins"_s, u"A; zwei"_s, {}, {}, u"1.2.2004"_s)}
                              << Notes{};
        QTest::newRow("rows beyond the room, blank ones among them, are one range")
            << header + "Q1,A1\r\nQ2,A2\r\nQ3,A3\r\nQ4,A4\r\n\r\nQ5,A5\r\n"
            << Records{rec(u"Q1"_s, u"A1"_s), rec(u"Q2"_s, u"A2"_s), rec(u"Q3"_s, u"A3"_s)}
            << Notes{note(5, ImportNote::DatabaseFull, {}, {}, 7)};
        QTest::newRow("characters the file cannot hold, a row of neither question nor answer")
            << header + "Gut?,\xE2\x9C\x93 und \xF0\x9F\x98\x80\r\n,nur Antwort\r\n,,Max\r\n,,\r\n"
            << Records{rec(u"Gut?"_s, u"? und ?"_s), rec({}, u"nur Antwort"_s)}
            << Notes{note(2, ImportNote::Replaced, RecordField::Answer, u"✓😀"_s),
                     note(4, ImportNote::Empty)};
        QTest::newRow("line numbers count breaks inside fields")
            << header + "\"a\r\nb\",x\r\n,,y\r\n"
            << Records{rec(u"a\r\nb"_s, u"x"_s)} << Notes{note(4, ImportNote::Empty)};
        QTest::newRow("quotes, dates and flags as written, or reported")
            << "question,answer,extra info,link,date,info with question\r\n"
               "Q,A,\"x \"\"y\"\"\",\"h?q=\"\"b\"\"\",\"1,2\"\"3\",2\r\nR,B,,,\" 1.2.2004\",1\r\n"
               "S,C,,,01.02.2004 und mehr,0\r\n"_ba
            << Records{rec(u"Q"_s, u"A"_s, u"x ¨y¨"_s, u"h?q=¨b¨"_s, u"1,2¨3"_s),
                       rec(u"R"_s, u"B"_s, {}, {}, u" 1.2.2004"_s, 1),
                       rec(u"S"_s, u"C"_s, {}, {}, u"01.02.2004"_s)}
            << Notes{note(2, ImportNote::FlagRead, RecordField::InfoWithQuestion, u"2"_s),
                     note(4, ImportNote::DateCut, RecordField::CreatedDate,
                          u"01.02.2004 und mehr"_s)};
        // A blank date is today's; an overlong UTF-8 form makes the file Windows-1252.
        QTest::newRow("blank date, overlong form")
            << "question,answer,date\r\nQ\xE0\x80\xAF,A,\r\n"_ba << Records{rec(u"Qà€¯"_s, u"A"_s)}
            << Notes{};
        QTest::newRow("a text longer than a record holds")
            << header + "Q," + QByteArray(maxTextLength + 1, 'x') + "\r\nR,B\r\n"
            << Records{rec(u"R"_s, u"B"_s)}
            << Notes{note(2, ImportNote::TooLong, RecordField::Answer, u"1048577"_s)};
    }

    void importCsv()
    {
        QFETCH(QByteArray, bytes);
        // Room for three records.
        const ImportResult result = askbright::importCsv(bytes, 3, today);
        QTEST(result.records, "records");
        QTEST(result.notes, "notes");
    }

    void notAFileOfRecords_data()
    {
        QTest::addColumn<ExchangeFormat>("format");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const auto csv = ExchangeFormat::Csv, md = ExchangeFormat::Markdown;
        const QString noQuestion = u"The file holds no question: no line begins with \"## \""_s;
        QTest::newRow("empty") << csv << QByteArray() << u"The file holds no header line"_s;
        QTest::newRow("no question column")
            << csv << "a,b\r\n1,2\r\n"_ba << u"The first line names no question column"_s;
        QTest::newRow("unterminated quote") << csv << "question\r\nok\r\n\"open\r\nand on"_ba
                                            << u"The quoted field of line 3 never ends"_s;
        QTest::newRow("no heading") << md << "# Titel\n\nText\n### drei\n"_ba << noQuestion;
        QTest::newRow("a heading in a fence only")
            << md << "~~~~\n~~~\n## x\n~~~~\n"_ba << noQuestion;
    }

    void notAFileOfRecords()
    {
        QFETCH(ExchangeFormat, format);
        QFETCH(QByteArray, bytes);
        try {
            import(format, bytes, 10);
            QFAIL("accepted");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), int(AppError::TypeMismatch));
            QTEST(e.description(), "reason");
        }
    }

    void importMarkdown()
    {
        const QByteArray md = "# Unsere FAQ\n\nEinleitung,\nkein Teil einer Antwort.\n\n"
                              "## Erste Frage?\n\nErster Absatz.\\\nNoch Zeile.\n\n"
                              "Zweiter Absatz.\n\n```\n## im Code\n```\n### Kein Kopf\n"
                              "\\## Auch keiner\n\n\n"
                              "## Zweite \"Frage\" &#35; ##\r\n\r\n- link: h?a=1\\&b=2\r\n"
                              "- zur Frage: ja\r\nKurz.\r\n##Kein Kopf\r\n"
                              "## \n\nohne Frage\n## \n\n";
        const ImportResult result = askbright::importMarkdown(md, 10, today);
        QCOMPARE(result.records,
                 (Records{rec(u"Erste Frage?"_s, u"Erster Absatz.\r\nNoch Zeile.\r\n\r\nZweiter "
                                                 u"Absatz.\r\n\r\n```\r\n## im Code\r\n```\r\n### "
                                                 u"Kein Kopf\r\n## Auch keiner"_s),
                          rec(u"Zweite ¨Frage¨ #"_s, u"Kurz.\r\n##Kein Kopf"_s, {}, u"h?a=1&b=2"_s),
                          rec({}, u"ohne Frage"_s)}));
        QCOMPARE(result.notes,
                 (Notes{note(3, ImportNote::NotARecord, {}, {}, 4),
                        note(20, ImportNote::FlagRead, RecordField::InfoWithQuestion, u"ja"_s),
                        note(29, ImportNote::Empty)}));
    }

    // The documented form: every field, each text shown as it is by a renderer.
    void markdownForm()
    {
        const Records records{
            rec(u"Wie <b>fett</b> & *so*? #1\r\nzwei"_s,
                u"1. Punkt\r\n- Strich\r\n  eingerückt \r\n\r\n\r\nC:\\Pfad & <i>x</i>"_s,
                u"Max ¨M¨"_s, u"http://x.example/a_b"_s, u" 1.2.2004"_s, 1),
            rec({}, {}, {}, {}, {})};
        QCOMPARE(QString::fromUtf8(exportMarkdown(records, u"Titel\n## zwei"_s)),
                 u"# Titel&#10;\\#\\# zwei\n\n"
                 "## Wie \\<b\\>fett\\</b\\> \\& \\*so\\*? \\#1&#10;zwei\n\n"
                 "- extra info: Max \"M\"\n- link: http://x.example/a\\_b\n"
                 "- info with question: 1\n- date: &#32;1.2.2004\n\n"
                 "1\\. Punkt\\\n\\- Strich\\\n&#32; eingerückt&#32;\n\n\n"
                 "C:\\\\Pfad \\& \\<i\\>x\\</i\\>\n\n"
                 "## \n\n- extra info:\n- link:\n- info with question: 0\n- date:\n\n\n"_s);
    }

    // A file is read piece by piece into records: megabytes of empty lines
    // take next to no memory.
    void largeFilesTakeLittleMemory()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"leer"_s);
        for (const auto &[format, head] : {std::pair{ExchangeFormat::Csv, "question,answer\r\n"},
                                           {ExchangeFormat::Markdown, "## q\n\n"}}) {
            QVERIFY(testutil::writeBytes(path, head + QByteArray(4'000'000, '\n')));
            rusage before{}, after{};
            getrusage(RUSAGE_SELF, &before);
            const ImportResult result = importFile(path, format, 2000, today);
            getrusage(RUSAGE_SELF, &after);
            QCOMPARE(result.records.size(), format == ExchangeFormat::Csv ? 0 : 1);
            QVERIFY2(after.ru_maxrss - before.ru_maxrss < 100 * 1024,
                     qPrintable(QString::number(after.ru_maxrss - before.ru_maxrss)));
        }
    }

    void exportsAreLossless_data()
    {
        QTest::addColumn<FaqRecord>("record");
        // What either format treats specially, at the places where it matters.
        QTest::newRow("separators and quotes")
            << rec(u"a, b; c\t¨d¨"_s, u"¨x¨,y"_s, u"¨M¨"_s, u"h?a=1&b=2"_s);
        QTest::newRow("line starts")
            << rec(u"# 1. q"_s, u"1. a\r\n- b\r\n+ c\r\n= d\r\n2) e\r\n- date: f"_s);
        QTest::newRow("blanks and tabs at line ends")
            << rec(u" q\t"_s, u"\ta \r\n b\t\r\n \r\n"_s, u" x "_s, {}, u" 1.2.2004"_s, 1);
        QTest::newRow("line breaks") << rec(u"q\r\nz"_s, u"a\r\n\r\n\r\nb\r\n"_s);
        QTest::newRow("markup and references")
            << rec(u"<b>&#10;</b>"_s, u"\\ ` * _ [ ] < > & # ~ | :x &amp;"_s, u"a_b"_s);
        QTest::newRow("empty but the answer") << rec({}, u"€ Zß"_s, {}, {}, u"x"_s);
    }

    // Every record a database holds goes out and comes back unchanged.
    void exportsAreLossless()
    {
        QFETCH(FaqRecord, record);
        const Records records{record, rec(u"q"_s, u"a"_s)};
        for (const ExchangeFormat format : {ExchangeFormat::Csv, ExchangeFormat::Markdown}) {
            const ImportResult back =
                import(format, format == ExchangeFormat::Csv ? exportCsv(records)
                                                             : exportMarkdown(records, u"T"_s));
            QCOMPARE(back.records, records);
            QCOMPARE(back.notes, Notes());
        }
    }
};

QTEST_GUILESS_MAIN(tst_exchange)
#include "tst_exchange.moc"
