#include "app/product.h"
#include "app/textcodec.h"
#include "html/pagegenerator.h"
#include "recordingsink.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>

using namespace askbright;

namespace {

// Lines 2..19 of a plain project, each replaceable by index (0 = line 2).
QStringList baseLines()
{
    return {QStringLiteral("Titel"),
            QStringLiteral("#000000"),
            QStringLiteral("#FFFFFF"),
            QStringLiteral("#FF0000"),
            QStringLiteral("#800080"),
            QStringLiteral("#0000FF"),
            QString(),
            QStringLiteral("nein"),
            QStringLiteral("faq"),
            QStringLiteral("Autor"),
            QStringLiteral("Text"),
            QStringLiteral("mitte"),
            QString(),
            QString(),
            QStringLiteral("Arial"),
            QStringLiteral("16"),
            QStringLiteral("12"),
            QStringLiteral("links")};
}

QByteArray projectBytes(const QStringList &lines, const QStringList &keywords,
                        const QString &count = {})
{
    QStringList all = {QStringLiteral("[Projektdatei für Askbright]")};
    all << lines << (count.isNull() ? QStringLiteral(" %1 ").arg(keywords.size()) : count)
        << keywords;
    return encodeCp1252(all.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

FaqRecord record(const QString &q, const QString &a, const QString &info = {},
                 const QString &url = {}, qint16 withQuestion = 0)
{
    FaqRecord r;
    r.question = q;
    r.answer = a;
    r.extraInfo = info;
    r.homepageLink = url;
    r.infoWithQuestion = withQuestion;
    return r;
}

QByteArray expectedPage(const QString &name)
{
    QByteArray page = testutil::readBytes(testutil::dataPath(QStringLiteral("pages/") + name));
    return page.replace("{{HOMEPAGE}}", homepageUrl.toLatin1());
}

} // namespace

class tst_pagegenerator : public QObject {
    Q_OBJECT
private slots:
    void init();
    void wholePages_data();
    void wholePages();
    void fragments_data();
    void fragments();
    void paragraphFormattingOff();
    void pictureKeepsExistingFileUnderLowerCaseName();
    void failedRunLeavesOutputUntouched_data();
    void failedRunLeavesOutputUntouched();
    void diskErrorMessagesFollowInterfaceLanguage();

private:
    PageResult run(PageLanguage variant, const QByteArray &project, QList<FaqRecord> records = {},
                   ExportOptions options = {}, const QString &contact = {},
                   const QString &language = QStringLiteral("deutsch"));
    QByteArray page() const { return testutil::readBytes(m_out + QStringLiteral("faq.html")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_out;
    QString m_projectPath;
    RecordingSink m_sink;
};

void tst_pagegenerator::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir(m_dir->path()).mkdir(QStringLiteral("out"));
    m_out = m_dir->filePath(QStringLiteral("out/"));
    m_projectPath = m_dir->filePath(QStringLiteral("seite.pdt"));
    m_sink.messages.clear();
}

PageResult tst_pagegenerator::run(PageLanguage variant, const QByteArray &project,
                                  QList<FaqRecord> records, ExportOptions options,
                                  const QString &contact, const QString &language)
{
    testutil::writeBytes(m_projectPath, project);
    FaqDatabase database;
    database.replaceRecords(records);
    PageRequest request{m_projectPath, m_out, options, contact, language};
    const FixedClock clock(QDate(2026, 12, 6));
    return generatePage(variant, request, database, clock, m_sink);
}

void tst_pagegenerator::wholePages_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("keywords");
    QTest::addColumn<QList<FaqRecord>>("records");
    QTest::addColumn<ExportOptions>("options");
    QTest::addColumn<QString>("contact");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");

    QStringList empty = baseLines();
    empty[0] = QStringLiteral("Leere Seite");
    empty[9] = QStringLiteral("Anna");
    empty[10] = QStringLiteral("Nichts");
    empty[11] = QStringLiteral("links");
    empty[14] = QStringLiteral("Verdana");
    empty[17] = QStringLiteral("rechts");
    QTest::newRow("no records") << int(PageLanguage::Deutsch) << empty << QStringList()
                                << QList<FaqRecord>() << ExportOptions() << QString()
                                << QDate(2026, 12, 6) << QStringLiteral("empty_de.html");

    const QStringList all = {QStringLiteral("Das \"große\" FAQ\u00FE\u00FFTeil 2"),
                             QStringLiteral("#000000"),
                             QStringLiteral("#ffffcc"),
                             QStringLiteral("#FF0000"),
                             QStringLiteral("#800080"),
                             QStringLiteral("#0000FF"),
                             QStringLiteral("C:\\Bilder\\x.jpg"),
                             QStringLiteral("nein"),
                             QStringLiteral("faq"),
                             QStringLiteral("Müller & Söhne"),
                             QStringLiteral("Fragen <und> Antworten"),
                             QStringLiteral("rechts"),
                             QStringLiteral("Fett"),
                             QStringLiteral("italic"),
                             QStringLiteral("Arial"),
                             QStringLiteral("+1"),
                             QStringLiteral("+2"),
                             QStringLiteral("mitte")};
    ExportOptions everything;
    everything.linkSize = linkSizeLarge;
    everything.preformattedAnswers = 1;
    const QList<FaqRecord> three = {
        record(QStringLiteral("Was ist ¨neu¨?"), QStringLiteral("Zeile 1\r\nZeile <2>"),
               QStringLiteral("Max <max@example.org>"),
               QStringLiteral("http://example.org/?a=1&b=2"), 1),
        record(QStringLiteral("Zweite\r\nFrage"), QStringLiteral("Ende"), QStringLiteral("Erika"),
               QStringLiteral("http://erika.example.org"), 0),
        record(QStringLiteral("Ohne Link"), QStringLiteral("Nur Info"),
               QStringLiteral("Info ohne Link"), QString(), 1)};
    QTest::newRow("German layout 1, every option")
        << int(PageLanguage::Deutsch) << all
        << QStringList{QStringLiteral("k1"), QStringLiteral(" Fragen & Antworten "),
                       QStringLiteral("k3")}
        << three << everything << QStringLiteral("info@example.org") << QDate(2026, 12, 6)
        << QStringLiteral("de_layout1_all.html");

    const QStringList english = {QStringLiteral("Help & \"Support\""),
                                 QStringLiteral("#111111"),
                                 QStringLiteral("#EEEEEE"),
                                 QStringLiteral("#222222"),
                                 QStringLiteral("#444444"),
                                 QStringLiteral("#333333"),
                                 QStringLiteral("{{PICTURE}}"),
                                 QStringLiteral("ja"),
                                 QStringLiteral("  faq  "),
                                 QStringLiteral("Team"),
                                 QStringLiteral("Desc"),
                                 QStringLiteral("Mitte"),
                                 QString(),
                                 QStringLiteral("Italic"),
                                 QStringLiteral("arial"),
                                 QStringLiteral("18"),
                                 QStringLiteral("12"),
                                 QString()};
    ExportOptions layout2;
    layout2.answerLayout = 2;
    layout2.paragraphFormatting = 0;
    const QList<FaqRecord> two = {
        record(QStringLiteral("Line one\r\nline two"), QStringLiteral("A1"),
               QStringLiteral("Info1"), QStringLiteral("http://one.example"), 1),
        record(QStringLiteral("Q2"), QStringLiteral("A2 ä"), QStringLiteral("Info2"),
               QStringLiteral("http://two.example"), 0)};
    QTest::newRow("English layout 2, background, contact")
        << int(PageLanguage::Englisch) << english << QStringList{QStringLiteral("solo")} << two
        << layout2 << QStringLiteral("&#97;&#64;&#98;") << QDate(2026, 3, 9)
        << QStringLiteral("en_layout2_background.html");
}

void tst_pagegenerator::wholePages()
{
    QFETCH(int, variant);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, keywords);
    QFETCH(QList<FaqRecord>, records);
    QFETCH(ExportOptions, options);
    QFETCH(QString, contact);
    QFETCH(QDate, date);
    QFETCH(QString, expected);

    const QString picture = m_dir->filePath(QStringLiteral("Hintergrund.JPG"));
    QVERIFY(testutil::writeBytes(picture, "JPEGDATA"));
    lines.replaceInStrings(QStringLiteral("{{PICTURE}}"), QDir::toNativeSeparators(picture));
    testutil::writeBytes(m_projectPath, projectBytes(lines, keywords));
    FaqDatabase database;
    database.replaceRecords(records);
    const FixedClock clock(date);
    const PageRequest request{m_projectPath, m_out, options, contact, QStringLiteral("deutsch")};
    const PageResult result = generatePage(PageLanguage(variant), request, database, clock, m_sink);

    QCOMPARE(m_sink.messages, QList<Message>());
    QCOMPARE(pageStatusText(result.status), QStringLiteral("ok"));
    QCOMPARE(result.pageFileName, QStringLiteral("faq.html"));
    const QByteArray actual = page();
    const QByteArray wanted = expectedPage(expected);
    QVERIFY(!wanted.isEmpty());
    // Line by line first, so a failure names the line that differs.
    const QList<QByteArray> actualLines = actual.split('\n');
    const QList<QByteArray> wantedLines = wanted.split('\n');
    for (qsizetype i = 0; i < std::min(actualLines.size(), wantedLines.size()); ++i)
        QCOMPARE(actualLines[i], wantedLines[i]);
    QCOMPARE(actual, wanted);
    if (lines[7] == QLatin1String("ja")) {
        QCOMPARE(result.pictureSlot, QStringLiteral("hintergrund.jpg"));
        QCOMPARE(testutil::readBytes(m_out + QStringLiteral("hintergrund.jpg")),
                 QByteArray("JPEGDATA"));
    }
}

void tst_pagegenerator::fragments_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("keywords");
    QTest::addColumn<QString>("linkSize");
    QTest::addColumn<QStringList>("expected");

    const QStringList none;
    const QString small = linkSizeSmall;
    QTest::newRow("title +1 is 14pt")
        << 17 << QStringLiteral("+1") << none << small
        << QStringList{QStringLiteral("<span style=\"font-size:14pt;\">Titel<a name")};
    QTest::newRow("text +2 is 10pt, small links 8pt")
        << 18 << QStringLiteral("+2") << none << small
        << QStringList{QStringLiteral("<span style=\"font-size:10pt;\">Fragen:"),
                       QStringLiteral("<span style=\"font-size:8pt;\">(zur Antwort)")};
    QTest::newRow("text +2 with large links 10pt")
        << 18 << QStringLiteral("+2") << none << linkSizeLarge
        << QStringList{QStringLiteral("<span style=\"font-size:10pt;\">(zur Antwort)")};
    QTest::newRow("text abc with large links")
        << 18 << QStringLiteral("abc") << none << linkSizeLarge
        << QStringList{QStringLiteral("<span style=\"font-size:abcpt;\">(zur Antwort)")};
    QTest::newRow("Arial") << 16 << QStringLiteral(" Arial ") << none << small
                           << QStringList{QStringLiteral("face=\"Arial,Helvetica\"")};
    QTest::newRow("arial") << 16 << QStringLiteral("arial") << none << small
                           << QStringList{QStringLiteral("face=\"arial,Arial,Helvetica\"")};
    QTest::newRow("Verdana") << 16 << QStringLiteral("Verdana") << none << small
                             << QStringList{QStringLiteral("face=\"Verdana,Arial,Helvetica\"")};
    QTest::newRow("title Mitte is LEFT")
        << 13 << QStringLiteral("Mitte") << none << small
        << QStringList{QStringLiteral("<p align=\"LEFT\"><font face")};
    QTest::newRow("title rechts") << 13 << QStringLiteral(" rechts ") << none << small
                                  << QStringList{QStringLiteral("<p align=\"RIGHT\"><font face")};
    QTest::newRow("list mitte") << 19 << QStringLiteral("mitte") << none << small
                                << QStringList{QStringLiteral("<div align=\"CENTER\">")};
    QTest::newRow("bold only with Fett")
        << 14 << QStringLiteral("fett") << none << small
        << QStringList{QStringLiteral("<p align=\"CENTER\"><font face")};
    QTest::newRow("no keywords") << 0 << QString() << none << small
                                 << QStringList{
                                        QStringLiteral("<meta name=\"keywords\" content=\"\">")};
    QTest::newRow("one keyword") << 0 << QString() << QStringList{QStringLiteral("eins")} << small
                                 << QStringList{QStringLiteral(
                                        "<meta name=\"keywords\" content=\"eins\">")};
    QTest::newRow("three keywords")
        << 0 << QString()
        << QStringList{QStringLiteral("k1"), QStringLiteral("k2"), QStringLiteral("k3")} << small
        << QStringList{QStringLiteral("<meta name=\"keywords\" content=\"k1, k2, k3\">")};
    QTest::newRow("31 keywords") << 0 << QString() << QStringList(31, QStringLiteral("w")) << small
                                 << QStringList{QStringLiteral("content=\"w, w, w")};
}

void tst_pagegenerator::fragments()
{
    QFETCH(int, line);
    QFETCH(QString, value);
    QFETCH(QStringList, keywords);
    QFETCH(QString, linkSize);
    QFETCH(QStringList, expected);
    QStringList lines = baseLines();
    if (line > 0)
        lines[line - 2] = value;
    ExportOptions options;
    options.linkSize = linkSize;
    const PageResult result = run(PageLanguage::Deutsch, projectBytes(lines, keywords),
                                  {record(QStringLiteral("q"), QStringLiteral("a"))}, options);
    QCOMPARE(result.status, PageStatus::Ok);
    const QString text = decodeCp1252(page());
    for (const QString &fragment : expected)
        QVERIFY2(text.contains(fragment), qPrintable(fragment));
}

void tst_pagegenerator::paragraphFormattingOff()
{
    ExportOptions options;
    options.paragraphFormatting = 0;
    QCOMPARE(run(PageLanguage::Deutsch, projectBytes(baseLines(), {}),
                 {record(QStringLiteral("a\r\nb"), QStringLiteral("c\rd"))}, options)
                 .status,
             PageStatus::Ok);
    const QByteArray bytes = page();
    QVERIFY(bytes.contains("\r\na\r\nb<br><a href=\"#antwort1\">"));
    QVERIFY(bytes.contains("A:&nbsp;c\rd<br>"));
}

void tst_pagegenerator::pictureKeepsExistingFileUnderLowerCaseName()
{
    const QString picture = m_dir->filePath(QStringLiteral("Bild.GIF"));
    QVERIFY(testutil::writeBytes(picture, "NEW"));
    QVERIFY(testutil::writeBytes(m_out + QStringLiteral("BILD.gif"), "OLD"));
    QStringList lines = baseLines();
    lines[6] = picture;
    lines[7] = QStringLiteral("ja");
    const PageResult result = run(PageLanguage::Deutsch, projectBytes(lines, {}));
    QCOMPARE(result.status, PageStatus::Ok);
    QCOMPARE(QDir(m_out).entryList(QDir::Files),
             QStringList({QStringLiteral("bild.gif"), QStringLiteral("faq.html")}));
    QCOMPARE(testutil::readBytes(m_out + QStringLiteral("bild.gif")), QByteArray("OLD"));
    QVERIFY(page().contains(" background=\"bild.gif\">"));
}

void tst_pagegenerator::failedRunLeavesOutputUntouched_data()
{
    QTest::addColumn<QByteArray>("project");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("message");

    const QByteArray valid = projectBytes(baseLines(), {});
    QStringList missingPicture = baseLines();
    missingPicture[6] = QStringLiteral("/nirgends/Bild.jpg");
    missingPicture[7] = QStringLiteral("ja");
    QStringList folderPicture = baseLines();
    folderPicture[6] = QStringLiteral("{{FOLDER}}");
    folderPicture[7] = QStringLiteral("ja");
    QStringList textSizeAbc = baseLines();
    textSizeAbc[16] = QStringLiteral("abc");
    const QString pictureText =
        QStringLiteral("Bildpfad für Hintergrundbild nicht korrekt! Aktion wird abgebrochen.");

    QTest::newRow("0 bytes") << QByteArray() << "fehler"
                             << "Die FAQ-Seite wurde nicht erzeugt:\r62  Input past end of file";
    QTest::newRow("5 lines") << valid.left(valid.indexOf("#800080")) << "fehler"
                             << "Die FAQ-Seite wurde nicht erzeugt:\r62  Input past end of file";
    QTest::newRow("marker in other case")
        << QByteArray(valid).replace("Projektdatei", "projektdatei") << "raus"
        << "Keine Projektdatei";
    QTest::newRow("32 keywords")
        << projectBytes(baseLines(), QStringList(32, QStringLiteral("k"))) << "fehler"
        << "Die FAQ-Seite wurde nicht erzeugt:\r9  More than 31 keywords: 32";
    QTest::newRow("keyword count x")
        << projectBytes(baseLines(), {}, QStringLiteral("x")) << "fehler"
        << "Die FAQ-Seite wurde nicht erzeugt:\r13  Keyword count is not a number: \"x\"";
    QTest::newRow("text size abc")
        << projectBytes(textSizeAbc, {}) << "fehler"
        << "Die FAQ-Seite wurde nicht erzeugt:\r13  Text size is not a number: \"abc\"";
    QTest::newRow("picture missing") << projectBytes(missingPicture, {}) << "raus" << pictureText;
    QTest::newRow("picture path is a folder")
        << projectBytes(folderPicture, {}) << "raus" << pictureText;
}

void tst_pagegenerator::failedRunLeavesOutputUntouched()
{
    QFETCH(QByteArray, project);
    QFETCH(QString, status);
    QFETCH(QString, message);
    project.replace("{{FOLDER}}", m_dir->path().toLocal8Bit());
    QVERIFY(testutil::writeBytes(m_out + QStringLiteral("faq.html"), "OLD PAGE"));

    const PageResult result =
        run(PageLanguage::Deutsch, project, {record(QStringLiteral("q"), QStringLiteral("a"))});
    QCOMPARE(pageStatusText(result.status), status);
    QCOMPARE(m_sink.messages.size(), 1);
    QCOMPARE(m_sink.messages[0].text, message);
    QCOMPARE(page(), QByteArray("OLD PAGE"));
    QCOMPARE(QDir(m_out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("faq.html")});
}

void tst_pagegenerator::diskErrorMessagesFollowInterfaceLanguage()
{
    // A folder where the page should go cannot be replaced: error 75.
    QVERIFY(QDir(m_out).mkdir(QStringLiteral("faq.html")));
    const QByteArray project = projectBytes(baseLines(), {});
    PageResult result = run(PageLanguage::Deutsch, project);
    QCOMPARE(result.status, PageStatus::Fehler);
    QCOMPARE(m_sink.messages.last().text, QStringLiteral("Kein Zugriff auf Datenträger möglich!"));
    QCOMPARE(m_sink.messages.last().title, QStringLiteral("Zugriff nicht möglich"));
    QCOMPARE(m_sink.messages.last().icon, MessageIcon::Critical);

    result = run(PageLanguage::Deutsch, project, {}, {}, {}, QStringLiteral("englisch"));
    QCOMPARE(m_sink.messages.last().text,
             QStringLiteral("access impossibly! Please control drive or disk"));
    QCOMPARE(m_sink.messages.last().title, QStringLiteral("impossible access"));

    // A missing project file is reported too, in the interface language.
    QFile::remove(m_projectPath);
    FaqDatabase database;
    const FixedClock clock(QDate(2026, 1, 1));
    result = generatePage(PageLanguage::Englisch,
                          {m_projectPath, m_out, {}, {}, QStringLiteral("englisch")}, database,
                          clock, m_sink);
    QCOMPARE(result.status, PageStatus::Fehler);
    QVERIFY(m_sink.messages.last().text.startsWith(
        QStringLiteral("The FAQ page was not created:\r53  ")));
    QCOMPARE(m_sink.messages.last().title, QStringLiteral("Page not created"));
}

QTEST_GUILESS_MAIN(tst_pagegenerator)
#include "tst_pagegenerator.moc"
