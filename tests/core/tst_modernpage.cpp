#include "app/textcodec.h"
#include "html/modernpage.h"
#include "html/pagegenerator.h"
#include "project/colors.h"
#include "project/contrast.h"
#include "recordingsink.h"
#include "testutil.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QXmlStreamReader>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

// A project's lines 2..19 separated by '|', as the page project file holds them.
const QString plain = u"Unsere FAQ|#000000|#FFFFFF|#FF0000|#800080|#0000FF||nein|faq|Autor|"
                      u"Beschreibung|mitte|Fett||Times New Roman|16|12|links"_s;

using testutil::pageProject;

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
    for (const Element &e : all)
        if (e.name == name)
            out << e;
    return out;
}

// The modern page the generator writes for a project and records (German page, English
// program); empty when the generator fails or reports anything.
QByteArray generated(const QByteArray &projectFile, const QList<FaqRecord> &records,
                     const QString &contact = {})
{
    QTemporaryDir dir;
    const QString project = dir.filePath(u"seite.pdt"_s);
    if (!testutil::writeBytes(project, projectFile))
        return {};
    FaqDatabase database;
    database.replaceRecords(records);
    PageRequest request{project, dir.path() + u"/"_s, {}, contact};
    request.options.modernPage = true;
    request.options.pageLanguage = Language::German;
    RecordingSink sink;
    const PageResult result =
        generatePage(Language::English, request, database, FixedClock(QDate(2026, 12, 6)), sink);
    if (result.status != PageStatus::Ok || !sink.messages.isEmpty())
        return {};
    return testutil::readBytes(dir.filePath(u"faq.html"_s));
}

} // namespace

class tst_modernpage : public QObject {
    Q_OBJECT
private slots:
    // Each question's anchor, given once on the page.
    void anchors_data()
    {
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("anchors");
        QTest::newRow("umlauts and quote substitute") << QStringList{u"Wie heißt ¨Größe¨ über?"_s}
                                                      << QStringList{u"wie-heisst-groesse-ueber"_s};
        QTest::newRow("leading digit")
            << QStringList{u"2000 Fragen"_s} << QStringList{u"faq-2000-fragen"_s};
        QTest::newRow("nothing left") << QStringList{u"?! ..."_s} << QStringList{u"faq"_s};
        QTest::newRow("accents as base letters")
            << QStringList{u"Café à la Ñandú"_s} << QStringList{u"cafe-a-la-nandu"_s};
        QTest::newRow("long, no trailing hyphen")
            << QStringList{u"a"_s.repeated(59) + u" bcd"_s} << QStringList{u"a"_s.repeated(59)};
        QTest::newRow("repeated") << QStringList{u"x"_s, u"x"_s, u"x 2"_s, u"x"_s}
                                  << QStringList{u"x"_s, u"x-2"_s, u"x-2-2"_s, u"x-3"_s};
        QTest::newRow("the page's own ids") << QStringList{u"FAQ search"_s, u"FAQ none"_s}
                                            << QStringList{u"faq-search-2"_s, u"faq-none-2"_s};
    }

    void anchors()
    {
        QFETCH(QStringList, questions);
        AnchorSet set;
        QStringList taken;
        for (const QString &q : questions)
            taken << set.take(q);
        QTEST(taken, "anchors");
    }

    // A whole page through the generator, read back as XML and JSON.
    void structureAndStructuredData()
    {
        const QString d = u"01.02.2004"_s, none;
        const QList<FaqRecord> records{
            {u"Was ist ¨FAQ¨?"_s,
             u"Fragen & Antworten\r\nauf <einer> Seite: https://example.org/a?b=1&c=2."_s, u"Max"_s,
             u"javascript:alert(1)"_s, 1, d},
            {u"Was ist ¨FAQ¨?"_s, u"</script><script>alert(1)</script>"_s, none, none, 0, d},
            {u"Übrigens\u0001"_s, u"Ende"_s, u"Eva\u001F"_s, u"https://eva.example"_s, 0, d},
            {u"Café"_s, u" "_s, none, none, 0, d}};
        const QByteArray page =
            generated(pageProject(plain, {u"Hilfe\u0002"_s, u"A & B"_s}), records, u"&#97;&#98;"_s);
        QVERIFY(page.startsWith("<!DOCTYPE html>\n<html lang=\"de\">"));

        QString error;
        const QList<Element> all = elements(page, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // Control characters are no XML characters (the reader lets them pass).
        QVERIFY(!QString::fromUtf8(page).contains(
            QRegularExpression(u"[\\x00-\\x08\\x0B\\x0C\\x0E-\\x1F]"_s)));
        QStringList ids;
        for (const Element &e : all)
            if (e.attributes.hasAttribute(u"id"_s))
                ids << e.attributes.value(u"id"_s).toString();
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
        QStringList keywords;
        for (const Element &m : named(all, u"meta"_s))
            if (m.attributes.value(u"name"_s) == u"keywords"_s)
                keywords << m.attributes.value(u"content"_s).toString();
        QCOMPARE(keywords, QStringList{u"Hilfe, A & B"_s});
        QCOMPARE(named(all, u"title"_s).value(0).text, u"Unsere FAQ"_s);
        // The stylesheet as a browser reads it: no character references there.
        QVERIFY(page.contains("font-family: \"Times New Roman\", Arial, Helvetica, sans-serif;"));
        const QString css = named(all, u"style"_s).value(0).text;
        for (const QString &rule : {u"@media print"_s, u"@media (prefers-color-scheme: dark)"_s})
            QVERIFY(css.contains(rule));

        // One numbered item per record, anchors unique, texts as typed.
        QStringList anchors;
        for (const Element &item : named(all, u"li"_s))
            anchors << item.attributes.value(u"id"_s).toString();
        QCOMPARE(anchors,
                 (QStringList{u"was-ist-faq"_s, u"was-ist-faq-2"_s, u"uebrigens"_s, u"cafe"_s}));
        QCOMPARE(named(all, u"span"_s).value(0).text, u"Was ist \"FAQ\"?"_s);
        // No script ever reaches an href; addresses in answers become links.
        QStringList hrefs;
        for (const Element &a : named(all, u"a"_s))
            hrefs << a.attributes.value(u"href"_s).toString();
        for (const QString &href :
             {u"http://javascript:alert(1)"_s, u"https://example.org/a?b=1&c=2"_s,
              u"#was-ist-faq-2"_s, u"https://eva.example"_s, u"mailto:ab"_s})
            QVERIFY2(hrefs.contains(href), qPrintable(href));
        // The extra link goes with the question or with the answer, as the record says.
        const auto heading = [&page](const QByteArray &id) {
            const qsizetype at = page.indexOf("id=\"" + id + "\"");
            return page.mid(at, page.indexOf("</h2>", at) - at);
        };
        QVERIFY(heading("was-ist-faq").contains("javascript"));
        QVERIFY(!heading("uebrigens").contains("eva.example"));
        // The contact address keeps its references: a reader resolves them.
        QVERIFY(page.contains("mailto:&#97;&#98;"));
        const QList<Element> scripts = named(all, u"script"_s);
        QCOMPARE(scripts.size(), 2);

        // The structured data equals the records as the visitor reads them;
        // a record without an answer is left out.
        const QJsonDocument json = QJsonDocument::fromJson(scripts.at(0).text.toUtf8());
        QCOMPARE(json[u"@type"_s].toString(), u"FAQPage"_s);
        const QJsonArray questions = json[u"mainEntity"_s].toArray();
        QCOMPARE(questions.size(), 3);
        QCOMPARE(questions.at(0)[u"name"_s].toString(), u"Was ist \"FAQ\"?"_s);
        QCOMPARE(questions.at(0)[u"acceptedAnswer"_s][u"text"_s].toString(),
                 u"Fragen & Antworten\nauf <einer> Seite: https://example.org/a?b=1&c=2."_s);
        QCOMPARE(questions.at(1)[u"acceptedAnswer"_s][u"text"_s].toString(),
                 u"</script><script>alert(1)</script>"_s);
    }

    // The dark palette keeps every text readable, whatever the project's colours.
    void darkPaletteReadable_data()
    {
        QTest::addColumn<QString>("colors"); // text, background, active, visited, link
        QTest::newRow("black on white") << u"#000000|#FFFFFF|#FF0000|#800080|#0000FF"_s;
        QTest::newRow("pale on white") << u"#CCCCCC|#FFFFFF|#FFFF00|#00FFFF|#EEEEEE"_s;
        QTest::newRow("dark blue already") << u"#F2F2F2|#1F2A44|#FF8C69|#C9B3FF|#FFD966"_s;
        QTest::newRow("mid grey") << u"#000000|#777777|#000080|#202020|#101010"_s;
    }

    void darkPaletteReadable()
    {
        QFETCH(QString, colors);
        PagePlan plan;
        PageProject &p = plan.project;
        const QStringList parts = colors.split(u'|');
        qsizetype i = 0;
        for (QString *color :
             {&p.textColor, &p.bgColor, &p.alinkColor, &p.vlinkColor, &p.linkColor})
            *color = parts.at(i++);
        QByteArray page;
        writeModernPage(Language::German, plan, {}, recordsOf(FaqDatabase()), {},
                        [&page](QByteArrayView piece) { page += piece; });
        const QString css = QString::fromUtf8(page);
        const QString dark = css.mid(css.indexOf(u"prefers-color-scheme: dark"_s));
        const auto color = [&dark](const QString &name) {
            const qsizetype at = dark.indexOf(name + u": #"_s) + name.size() + 2;
            return rgb_errechnen(dark.mid(at, 7));
        };
        for (const QString &name : {u"--text"_s, u"--link"_s, u"--visited"_s})
            QVERIFY2(contrastRatio(color(name), color(u"--background"_s)) >= 4.5, qPrintable(name));
    }

    // Many equal long questions: each gets its own anchor at the cost of a new
    // one, and the page goes out in pieces, never whole.
    void repeatedQuestionsStreamed()
    {
        const QString question = u"Gleiche Frage "_s.repeated(600);
        FaqDatabase database;
        database.replaceRecords(QList<FaqRecord>(2000, {question, u"A"_s, {}, {}, 0, {}}));
        PageRequest request;
        request.options.modernPage = true;
        qsizetype largestPiece = 0;
        QByteArray page;
        writePage(Language::German, {}, request, recordsOf(database), {},
                  [&](QByteArrayView piece) {
                      largestPiece = std::max(largestPiece, piece.size());
                      page += piece;
                  });
        QVERIFY(largestPiece <= 64 * 1024);
        const QByteArray anchor = anchorFor(question).toLatin1();
        QCOMPARE(page.count("<li class=\"item\" id=\"" + anchor + "\""), 1);
        QCOMPARE(page.count("<li class=\"item\" id=\"" + anchor + "-2000\""), 1);
    }

    // Values that would break out of the stylesheet are left out of it, and sizes it cannot
    // use give way to the usual ones.
    void hostileProjectValuesStayOutOfTheStylesheet()
    {
        const QByteArray page = generated(
            pageProject(QString(plain)
                            .replace(u"#FFFFFF"_s, u"red;}body{display:none"_s)
                            .replace(u"Times New Roman|16|12"_s, u"x;}*{color:red|500|0"_s)),
            {{u"Q"_s, u"A"_s, {}, {}, 0, u"01.02.2004"_s}});
        QVERIFY(!page.contains("display:none"));
        QVERIFY(!page.contains("*{color:red"));
        QVERIFY(page.contains(
            "font-family: Arial, Helvetica, sans-serif; font-size: 10pt; line-height: 1.5;"));
        QVERIFY(page.contains("h1 { font-size: 14pt;"));
        QVERIFY(!page.contains("name=\"keywords\""));
    }
};

QTEST_GUILESS_MAIN(tst_modernpage)
#include "tst_modernpage.moc"
