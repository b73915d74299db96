#include "app/textcodec.h"
#include "html/modernpage.h"
#include "html/pagegenerator.h"
#include "recordingsink.h"
#include "testutil.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

// A project's lines 2..19 separated by '|', as the page project file holds them.
const QString plain = u"Unsere FAQ|#000000|#FFFFFF|#FF0000|#800080|#0000FF||nein|faq|Autor|"
                      u"Beschreibung|mitte|Fett||Times New Roman|16|12|links"_s;

QByteArray pdt(const QString &lines, const QStringList &keywords = {})
{
    const QStringList all = QStringList{u"[Projektdatei für Askbright]"_s} + lines.split(u'|') +
                            QStringList{u" %1 "_s.arg(keywords.size())} + keywords;
    return encodeCp1252(all.join(u"\r\n"_s) + u"\r\n"_s);
}

struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text; // the element's own text, entities resolved
};

// Reads the page as XML: fails the test on any well-formedness error.
QList<Element> elements(const QByteArray &page, QString *error)
{
    QList<Element> found;
    QXmlStreamReader xml(page);
    QList<qsizetype> open;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            open << found.size();
            found << Element{xml.name().toString(), xml.attributes(), {}};
        } else if (xml.isEndElement()) {
            open.removeLast();
        } else if (xml.isCharacters() && !open.isEmpty()) {
            found[open.last()].text += xml.text();
        }
    }
    if (xml.hasError())
        *error = u"%1 at line %2"_s.arg(xml.errorString()).arg(xml.lineNumber());
    return found;
}

QList<Element> named(const QList<Element> &all, const QString &name)
{
    QList<Element> out;
    for (const Element &e : all) {
        if (e.name == name)
            out << e;
    }
    return out;
}

} // namespace

class tst_modernpage : public QObject {
    Q_OBJECT
private slots:
    void anchors_data()
    {
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("words") << u"Was ist eine FAQ?"_s << u"was-ist-eine-faq"_s;
        QTest::newRow("umlauts and quote substitute")
            << u"Wie heißt ¨Größe¨ über?"_s << u"wie-heisst-groesse-ueber"_s;
        QTest::newRow("leading digit") << u"2000 Fragen"_s << u"faq-2000-fragen"_s;
        QTest::newRow("nothing left") << u"?! ..."_s << u"faq"_s;
        QTest::newRow("long, no trailing hyphen")
            << u"a"_s.repeated(59) + u" bcd"_s << u"a"_s.repeated(59);
    }

    void anchors()
    {
        QFETCH(QString, question);
        QFETCH(QString, anchor);
        QCOMPARE(anchorFor(question), anchor);
    }

    void anchorsOnce_data()
    {
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("anchors");
        QTest::newRow("repeated") << QStringList{u"x"_s, u"x"_s, u"x 2"_s, u"x"_s}
                                  << QStringList{u"x"_s, u"x-2"_s, u"x-2-2"_s, u"x-3"_s};
        QTest::newRow("the page's own ids") << QStringList{u"FAQ search"_s, u"FAQ none"_s}
                                            << QStringList{u"faq-search-2"_s, u"faq-none-2"_s};
    }

    void anchorsOnce()
    {
        QFETCH(QStringList, questions);
        QFETCH(QStringList, anchors);
        AnchorSet set;
        QStringList taken;
        for (const QString &q : questions)
            taken << set.take(q);
        QCOMPARE(taken, anchors);
    }

    // A whole page through the generator, read back as XML and JSON.
    void structureAndStructuredData()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(u"seite.pdt"_s);
        QVERIFY(testutil::writeBytes(project, pdt(plain, {u"Hilfe\u0002"_s, u"A & B"_s})));
        const QList<FaqRecord> records{
            {u"Was ist ¨FAQ¨?"_s, u"Fragen & Antworten\r\nauf <einer> Seite."_s, u"Max"_s,
             u"javascript:alert(1)"_s, 1, u"01.02.2004"_s},
            {u"Was ist ¨FAQ¨?"_s,
             u"</script><script>alert(1)</script>"_s,
             {},
             {},
             0,
             u"01.02.2004"_s},
            {u"Übrigens\u0001"_s, u"Ende"_s, u"Eva\u001F"_s, u"https://eva.example"_s, 0,
             u"01.02.2004"_s},
        };
        FaqDatabase database;
        database.replaceRecords(records);
        PageRequest request{project, dir.path() + u"/"_s, {}, u"&#97;&#98;"_s};
        request.options.modernPage = true;
        RecordingSink sink;
        const PageResult result = generatePage(Language::English, request, database,
                                               FixedClock(QDate(2026, 12, 6)), sink);
        QCOMPARE(pageStatusText(result.status), u"ok"_s);
        QVERIFY(sink.messages.isEmpty());
        const QByteArray page = testutil::readBytes(dir.filePath(u"faq.html"_s));
        QVERIFY(page.startsWith("<!DOCTYPE html>\n<html lang=\"en\">"));

        QString error;
        const QList<Element> all = elements(page, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // Control characters are no XML characters (the reader lets them pass).
        QVERIFY(!QString::fromUtf8(page).contains(
            QRegularExpression(u"[\\x00-\\x08\\x0B\\x0C\\x0E-\\x1F]"_s)));
        const QList<Element> metas = named(all, u"meta"_s);
        auto metaContent = [&](const QString &name) {
            for (const Element &m : metas) {
                if (m.attributes.value(u"name"_s) == name)
                    return m.attributes.value(u"content"_s).toString();
            }
            return QString();
        };
        QCOMPARE(metaContent(u"viewport"_s), u"width=device-width, initial-scale=1"_s);
        QCOMPARE(metaContent(u"keywords"_s), u"Hilfe, A & B"_s);
        QCOMPARE(named(all, u"title"_s).value(0).text, u"Unsere FAQ"_s);
        const QString css = named(all, u"style"_s).value(0).text;
        QVERIFY(css.contains(u"font-family: \"Times New Roman\", Arial, Helvetica, sans-serif;"_s));
        QVERIFY(css.contains(u"@media print"_s));

        // One collapsible section per record, anchors unique, texts as typed.
        const QList<Element> sections = named(all, u"details"_s);
        QCOMPARE(sections.size(), 3);
        QCOMPARE(sections.at(0).attributes.value(u"id"_s), u"was-ist-faq"_s);
        QCOMPARE(sections.at(1).attributes.value(u"id"_s), u"was-ist-faq-2"_s);
        QCOMPARE(sections.at(2).attributes.value(u"id"_s), u"uebrigens"_s);
        const QList<Element> summaries = named(all, u"summary"_s);
        QCOMPARE(summaries.at(0).text.trimmed(), u"Was ist \"FAQ\"?"_s);
        // No script ever reaches an href; the extra link sits with the question.
        const QList<Element> links = named(all, u"a"_s);
        QCOMPARE(links.at(0).attributes.value(u"href"_s), u"http://javascript:alert(1)"_s);
        QCOMPARE(links.at(0).text, u"Max"_s);
        QCOMPARE(links.at(1).attributes.value(u"href"_s), u"https://eva.example"_s);
        // The contact address keeps its references: a reader resolves them.
        QCOMPARE(links.at(2).attributes.value(u"href"_s), u"mailto:ab"_s);
        QVERIFY(page.contains("mailto:&#97;&#98;"));
        // Only the structured data and the filter are scripts.
        const QList<Element> scripts = named(all, u"script"_s);
        QCOMPARE(scripts.size(), 2);
        QVERIFY(scripts.at(1).text.contains(u"beforeprint"_s));
        QCOMPARE(named(all, u"input"_s).value(0).attributes.value(u"type"_s), u"search"_s);

        // The structured data equals the records as the visitor reads them.
        QJsonParseError jsonError;
        const QJsonDocument json = QJsonDocument::fromJson(scripts.at(0).text.toUtf8(), &jsonError);
        QCOMPARE(jsonError.error, QJsonParseError::NoError);
        QCOMPARE(json[u"@type"_s].toString(), u"FAQPage"_s);
        const QJsonArray questions = json[u"mainEntity"_s].toArray();
        QCOMPARE(questions.size(), 3);
        QCOMPARE(questions.at(0)[u"name"_s].toString(), u"Was ist \"FAQ\"?"_s);
        QCOMPARE(questions.at(0)[u"acceptedAnswer"_s][u"text"_s].toString(),
                 u"Fragen & Antworten\nauf <einer> Seite."_s);
        QCOMPARE(questions.at(1)[u"acceptedAnswer"_s][u"text"_s].toString(),
                 u"</script><script>alert(1)</script>"_s);
    }

    // Many equal long questions: each gets its own anchor at the cost of a new
    // one, and the page goes out in pieces, never whole.
    void repeatedQuestionsStreamed()
    {
        const QString question = u"Gleiche Frage "_s.repeated(600);
        FaqDatabase database;
        database.replaceRecords(QList<FaqRecord>(2000, {question, u"A"_s, {}, {}, 0, {}}));
        GeneratorSlots working;
        PageRequest request;
        request.options.modernPage = true;
        qsizetype largestPiece = 0;
        QByteArray page;
        writeChosenPage(Language::German, working, false, request, recordsOf(database), {},
                        [&](QByteArrayView piece) {
                            largestPiece = std::max(largestPiece, piece.size());
                            page += piece;
                        });
        QVERIFY(largestPiece <= 64 * 1024);
        const QByteArray anchor = anchorFor(question).toLatin1();
        QCOMPARE(page.count("<details id=\"" + anchor + "\""), 1);
        QCOMPARE(page.count("<details id=\"" + anchor + "-2000\""), 1);
    }

    // Values that would break out of the stylesheet are left out of it.
    void hostileProjectValuesStayOutOfTheStylesheet()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(u"seite.pdt"_s);
        QVERIFY(testutil::writeBytes(project,
                                     pdt(QString(plain)
                                             .replace(u"#FFFFFF"_s, u"red;}body{display:none"_s)
                                             .replace(u"Times New Roman"_s, u"x;}*{color:red"_s))));
        FaqDatabase database;
        database.replaceRecords({{u"Q"_s, u"A"_s, {}, {}, 0, u"01.02.2004"_s}});
        PageRequest request{project, dir.path() + u"/"_s, {}, {}};
        request.options.modernPage = true;
        RecordingSink sink;
        generatePage(Language::German, request, database, FixedClock(QDate(2026, 12, 6)), sink);
        const QByteArray page = testutil::readBytes(dir.filePath(u"faq.html"_s));
        QVERIFY(page.startsWith("<!DOCTYPE html>\n<html lang=\"de\">"));
        QVERIFY(!page.contains("display:none"));
        QVERIFY(!page.contains("*{color:red"));
        QVERIFY(page.contains("font-family: Arial, Helvetica, sans-serif;"));
    }
};

QTEST_GUILESS_MAIN(tst_modernpage)
#include "tst_modernpage.moc"
