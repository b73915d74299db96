#include "app/product.h"
#include "app/textcodec.h"
#include "html/htmltext.h"
#include "html/pagegenerator.h"
#include "recordingsink.h"
#include "testutil.h"

#include <QRegularExpression>
#include <sys/stat.h>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

// Lines 2..19 of a plain project, separated by '|'.
const QString plain = u"Titel|#000000|#FFFFFF|#FF0000|#800080|#0000FF||nein|faq|Autor|Text|"
                      u"mitte|||Arial|16|12|links"_s;

using testutil::pageProject;
using Records = QList<FaqRecord>;

// The plain project with one piece of its lines replaced.
QByteArray plainWith(const QString &from, const QString &to, const QStringList &keywords = {})
{
    return pageProject(QString(plain).replace(from, to), keywords);
}

} // namespace

class tst_pagegenerator : public QObject {
    Q_OBJECT
private slots:
    void init();
    void htmlText_data();
    void htmlText();
    void wholePages_data();
    void wholePages();
    void sizesKeywordsAndBreaks();
    void pictureKeepsExistingFileUnderLowerCaseName();
    void largePageWholeOrNotAtAll();
    void linksAndContact_data();
    void linksAndContact();
    void failedRunLeavesOutputUntouched_data();
    void failedRunLeavesOutputUntouched();

private:
    PageResult run(const QByteArray &project, const Records &records = {},
                   const ExportOptions &options = {}, Language variant = Language::German,
                   QDate date = {2026, 12, 6}, const QString &contact = {})
    {
        if (!project.isNull()) // null: no project file at all
            testutil::writeBytes(m_projectPath, project);
        FaqDatabase database;
        database.replaceRecords(records);
        return generatePage(variant, {m_projectPath, m_out, options, contact}, database,
                            FixedClock(date), m_sink);
    }
    QByteArray page() const { return testutil::readBytes(m_out + u"faq.html"_s); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_out;
    QString m_projectPath;
    RecordingSink m_sink;
};

void tst_pagegenerator::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkdir(u"out"_s));
    m_out = m_dir->filePath(u"out/"_s);
    m_projectPath = m_dir->filePath(u"seite.pdt"_s);
    m_sink.messages.clear();
}

// The one way text gets into either page, form by form.
void tst_pagegenerator::htmlText_data()
{
    QTest::addColumn<bool>("modern"); // UTF-8, else Windows-1252
    QTest::addColumn<TextForm>("form");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("entities, the rest as it is")
        << false << TextForm{Escapes::Entities} << u"<\"x\"> &ÄÖÜäöüß'é\u00A0\r\n\t¨€"_s
        << "&lt;&quot;x&quot;&gt; &amp;&Auml;&Ouml;&Uuml;&auml;&ouml;&uuml;&szlig;'\xE9\xA0\r\n\t\xA8\x80"_ba;
    QTest::newRow("classic breaks") << false << TextForm{Escapes::Entities, LineBreaks::CrAsBr}
                                    << u"w\r\nx\r\ry\n\nz<"_s << "w<br>x<br><br>yz&lt;"_ba;
    QTest::newRow("modern breaks, quotes restored")
        << true << TextForm{Escapes::Markup, LineBreaks::BrNewline, true}
        << u"a\r\nb\rc\nd¨é\uFFFE"_s << "a<br />\nb<br />\nc<br />\nd&quot;\xC3\xA9"_ba;
    QTest::newRow("JSON") << true << TextForm{Escapes::JsonString, LineBreaks::JsonNewline}
                          << u"\"\\\t</x>&\r\n"_s << "\\\"\\\\\\t\\u003c/x\\u003e\\u0026\\n"_ba;
    QTest::newRow("links") << true << TextForm{Escapes::Markup, LineBreaks::Newline, false, true}
                           << u"see https://x.org/?a&b. xhttp://y"_s
                           << "see <a href=\"https://x.org/?a&amp;b\">https://x.org/?a&amp;b</a>. "
                              "xhttp://y"_ba;
}

void tst_pagegenerator::htmlText()
{
    QFETCH(bool, modern);
    QFETCH(TextForm, form);
    QFETCH(QString, text);
    QByteArray page;
    const PieceWriter collect = [&page](QByteArrayView piece) { page += piece; };
    HtmlWriter out(collect, modern ? PageEncoding::Utf8 : PageEncoding::Windows1252);
    out.text(text, form);
    out.flush();
    QTEST(page, "written");
}

// Blanks around names, alignments and the file name, and "fett" instead of "Fett", must not
// show in the pages.
void tst_pagegenerator::wholePages_data()
{
    QTest::addColumn<QByteArray>("project");
    QTest::addColumn<Records>("records");
    QTest::addColumn<ExportOptions>("options");
    QTest::addColumn<QString>("contact");
    QTest::addColumn<QString>("expected"); // en_*: the English variant

    QTest::newRow("no records")
        << pageProject(u"Leere Seite|#000000|#FFFFFF|#FF0000|#800080|#0000FF||nein|faq|Anna|Nichts|"
                       u"links|||Verdana|16|12|rechts"_s)
        << Records() << ExportOptions() << QString() << u"empty_de.html"_s;
    QTest::newRow("German layout 1, every option")
        << pageProject(
               u"Das \"große\" FAQ\u00FE\u00FFTeil 2|#000000|#ffffcc|#FF0000|#800080|#0000FF|"
               u"C:\\Bilder\\x.jpg|nein|faq|Müller & Söhne|Fragen <und> Antworten| rechts |Fett|"
               u"italic| Arial |+1|+2|mitte"_s,
               {u"k1"_s, u" Fragen & Antworten "_s, u"k3"_s})
        << Records{{u"Was ist ¨neu¨?"_s, u"Zeile 1\r\nZeile <2>"_s, u"Max <max@example.org>"_s,
                    u"http://example.org/?a=1&b=2"_s, 1},
                   {u"Zweite\r\nFrage"_s, u"Ende"_s, u"Erika"_s, u"http://erika.example.org"_s, 0},
                   {u"Ohne Link"_s, u"Nur Info"_s, u"Info ohne Link"_s, {}, 1}}
        << ExportOptions{.smallLinks = false, .preformattedAnswers = true} << u"info@example.org"_s
        << u"de_layout1_all.html"_s;
    QTest::newRow("English layout 2, background, contact")
        << pageProject(u"Help & \"Support\"|#111111|#EEEEEE|#222222|#444444|#333333|{{PICTURE}}|ja|"
                       u"  faq  |Team|Desc|Mitte|fett|Italic|arial|18|12|"_s,
                       {u"solo"_s})
        << Records{{u"Line one\r\nline two"_s, u"A1"_s, u"Info1"_s, u"http://one.example"_s, 1},
                   {u"Q2"_s, u"A2 ä"_s, u"Info2"_s, u"http://two.example"_s, 0}}
        << ExportOptions{.formatParagraphs = false, .answerLayout = AnswerLayout::AnswersOnly}
        << u"&#97;&#64;&#98;"_s << u"en_layout2_background.html"_s;
}

void tst_pagegenerator::wholePages()
{
    QFETCH(QByteArray, project);
    QFETCH(Records, records);
    QFETCH(ExportOptions, options);
    QFETCH(QString, contact);
    QFETCH(QString, expected);
    QByteArray wanted = testutil::readBytes(testutil::dataPath(u"pages/"_s + expected));
    wanted.replace("{{HOMEPAGE}}", homepageUrl.toLatin1());
    // The clock shows the page's own date.
    const qsizetype at = wanted.indexOf("<meta name=\"date\" content=\"") + 27;
    const QDate date = QDate::fromString(QString::fromLatin1(wanted.mid(at, 10)), Qt::ISODate);
    const QString picture = m_dir->filePath(u"Hintergrund.JPG"_s);
    QVERIFY(testutil::writeBytes(picture, "\xFF\xD8\xFFJPEGDATA"));
    const bool background = project.contains("{{PICTURE}}");
    project.replace("{{PICTURE}}", QDir::toNativeSeparators(picture).toLocal8Bit());

    const Language variant = expected.startsWith(u"en_"_s) ? Language::English : Language::German;
    QCOMPARE(run(project, records, options, variant, date, contact).status, PageStatus::Ok);
    QCOMPARE(m_sink.messages, QList<Message>());
    // Compared as lists of lines, so a failure names the first line that differs.
    QCOMPARE(page().split('\n'), wanted.split('\n'));
    QCOMPARE(testutil::readBytes(m_out + u"hintergrund.jpg"_s),
             background ? QByteArray("\xFF\xD8\xFFJPEGDATA") : QByteArray());
}

void tst_pagegenerator::sizesKeywordsAndBreaks()
{
    // Small links are two points below a "+" text size; 31 keywords are the most allowed;
    // without paragraph formatting an answer keeps its line breaks.
    run(plainWith(u"|12|"_s, u"|+2|"_s, QStringList(31, u"w"_s)), {{u"q"_s, u"c\rd"_s, {}, {}}},
        {.formatParagraphs = false});
    const QString text = decodeCp1252(page());
    QVERIFY(text.contains(u"<span style=\"font-size:8pt;\">(zur Antwort)"_s));
    QVERIFY(text.contains(u"content=\"%1\">"_s.arg(QStringList(31, u"w"_s).join(u", "_s))));
    QVERIFY(text.contains(u"A:&nbsp;c\rd<br>"_s));
    // An empty colour is left out of the body tag; control characters are left out everywhere;
    // the title block shows the title without the blanks around it.
    const QString c0 = u"\u0001\u001F\u007F"_s;
    run(plainWith(u"Titel|#000000|#FFFFFF|#FF0000|"_s,
                  u"  Ti"_s + c0 + u"tel  |#000000|#FFFFFF||"_s, {u"k"_s + c0}),
        {{u"q"_s + c0, u"a"_s + c0, u"i"_s + c0, u"x.org/"_s + c0, 1}});
    const QString clean = decodeCp1252(page());
    QVERIFY(
        clean.contains(u"<body bgcolor=#FFFFFF text=#000000 link=#0000FF vlink=#800080>\r\n"_s));
    QVERIFY2(clean.contains(u"<title>Titel</title>"_s), qPrintable(clean.left(400)));
    QVERIFY(clean.contains(u"16pt;\">Titel<a name=\"_oben\">"_s));
    QVERIFY(!clean.contains(QRegularExpression(u"[\\x00-\\x08\\x0B\\x0C\\x0E-\\x1F\\x7F]"_s)));
}

// A page far larger than the pieces it is written in is written whole, and a
// character found late in the run leaves the old page.
void tst_pagegenerator::largePageWholeOrNotAtAll()
{
    Records records;
    for (int i = 0; i < 300; ++i)
        records.append({u"Frage %1 \"ä\""_s.arg(i), QString(700, u'ß') + u"\r\n<x>"_s, u"I"_s,
                        u"example.org/%1"_s.arg(i), qint16(i % 2)});
    run(pageProject(plain), records);
    const QByteArray whole = page();
    QVERIFY(whole.endsWith("</body></html>\r\n"));
    QCOMPARE(whole.count("<LI><a name=\"antwort"), 300);

    records.last().answer += u'\u4E00';
    QCOMPARE(run(pageProject(plain), records).status, PageStatus::Failed);
    QCOMPARE(page(), whole);
    QCOMPARE(QDir(m_out).entryList(QDir::Files), QStringList{u"faq.html"_s});
}

void tst_pagegenerator::pictureKeepsExistingFileUnderLowerCaseName()
{
    const QString picture = m_dir->filePath(u"Bild.GIF"_s);
    QVERIFY(testutil::writeBytes(picture, "GIF89a"));
    QVERIFY(testutil::writeBytes(m_out + u"BILD.gif"_s, "OLD"));
    QCOMPARE(run(plainWith(u"||nein|"_s, u'|' + picture + u"|ja|"_s)).noticePicture, u"bild.gif"_s);
    QCOMPARE(QDir(m_out).entryList(QDir::Files), QStringList({u"bild.gif"_s, u"faq.html"_s}));
    QCOMPARE(testutil::readBytes(m_out + u"bild.gif"_s), QByteArray("OLD"));
    QVERIFY(page().contains(" background=\"bild.gif\">"));
}

void tst_pagegenerator::linksAndContact_data()
{
    QTest::addColumn<QString>("link");    // of the one record, shown with the info "i"
    QTest::addColumn<QString>("contact"); // contact address
    QTest::addColumn<QString>("written"); // part of the page
    const QString c = u"a@b"_s;
    QTest::newRow("http") << u"http://x.org/?a=1&b"_s << c << u"href=\"http://x.org/?a=1&amp;b\""_s;
    QTest::newRow("HTTPS") << u"HTTPS://x.org"_s << c << u"href=\"HTTPS://x.org\""_s;
    QTest::newRow("ftp") << u"ftp://x.org"_s << c << u"href=\"ftp://x.org\""_s;
    QTest::newRow("mailto") << u"MailTo:i@x.org"_s << c << u"href=\"MailTo:i@x.org\""_s;
    QTest::newRow("no scheme") << u"www.x.org"_s << c << u"href=\"http://www.x.org\""_s;
    QTest::newRow("script") << u"javascript:alert(1)"_s << c
                            << u"href=\"http://javascript:alert(1)\""_s;
    QTest::newRow("blank, then script")
        << u" JavaScript:x"_s << c << u"href=\"http:// JavaScript:x\""_s;
    QTest::newRow("quote in link") << u"http://x\"y"_s << c << u"href=\"http://x&quot;y\""_s;
    // Only what ends the attribute is encoded (the whole English page shows an address that
    // keeps its character references).
    QTest::newRow("address breaking out")
        << u"http://x"_s << u"a\"><script>@b"_s
        << u"mailto:a&quot;&gt;&lt;script&gt;@b?subject=Feedback Titel\""_s;
}

void tst_pagegenerator::linksAndContact()
{
    QFETCH(QString, link);
    QFETCH(QString, contact);
    QFETCH(QString, written);
    run(pageProject(plain), {{u"q"_s, u"a"_s, u"i"_s, link, 1}}, {}, Language::German,
        {2026, 12, 6}, contact);
    const QString page = decodeCp1252(this->page());
    QVERIFY2(page.contains(written), qPrintable(page));
    // Nothing of the link or the address escapes its attribute.
    QCOMPARE(page.count(u"<script"_s), 0);
}

void tst_pagegenerator::failedRunLeavesOutputUntouched_data()
{
    QTest::addColumn<QByteArray>("project"); // null: no project file
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title"); // empty: given up ("raus"), else an error ("fehler")

    const QByteArray valid = pageProject(plain);
    const QString de = u"deutsch"_s, en = u"englisch"_s, failed = u"Seite nicht erzeugt"_s;
    const QString notCreated = u"Die FAQ-Seite wurde nicht erzeugt:\r"_s;
    const QString badPicture =
        u"Bildpfad für Hintergrundbild nicht korrekt! Aktion wird abgebrochen."_s;
    // The page's own name is a folder, so writing it fails after the picture was copied.
    const QByteArray pageIsFolder = plainWith(u"||nein|faq|"_s, u"|{{DIR}}/bild.gif|ja|ordner|"_s);
    QTest::newRow("5 lines") << valid.left(valid.indexOf("#800080")) << de
                             << notCreated + u"62  Input past end of file"_s << failed;
    QTest::newRow("32 keywords") << pageProject(plain, QStringList(32, u"k"_s)) << de
                                 << notCreated + u"9  More than 31 keywords: 32"_s << failed;
    QTest::newRow("picture missing")
        << plainWith(u"||nein|"_s, u"|/nirgends/Bild.jpg|ja|"_s) << de << badPicture << QString();
    QTest::newRow("disk, German") << pageIsFolder << de << "Kein Zugriff auf Datenträger möglich!"
                                  << "Zugriff nicht möglich";
    // The page name decides the page path: anything but a plain name is refused.
    const QString notPlain = u"Zeile 10 der Projektdatei nennt keinen einfachen Dateinamen (ohne "
                             u"Ordner, nicht leer, ohne Steuerzeichen):\r\"%1\""_s;
    for (const char *name : {"../escaped", "..\\..\\x", "sub/faq", "..", "", "a\tb"}) {
        QTest::addRow("page name %s", name)
            << plainWith(u"|faq|"_s, u"|  "_s + QString::fromLatin1(name) + u"  |"_s) << de
            << notPlain.arg(QString::fromLatin1(name)) << QString();
    }
    QTest::newRow("page name with NUL") << plainWith(u"|faq|"_s, u"|fa\u0000q|"_s) << de
                                        << notPlain.arg(u"fa\u0000q"_s) << QString();
    // Values written into attributes may not end them.
    const QString ends =
        u"Zeile %1 der Projektdatei enthält Zeichen, die in der Seite nicht stehen dürfen:\r\"%2\""_s;
    const auto hostile = [&](const char *name, const QString &from, const QString &to, int line,
                             const QString &value) {
        QTest::newRow(name) << plainWith(from, to) << de << ends.arg(line).arg(value) << QString();
    };
    hostile("text colour with blank", u"|#000000|"_s, u"|#000000 onload=x|"_s, 3,
            u"#000000 onload=x"_s);
    hostile("background with quote", u"|#FFFFFF|"_s, u"|\"#FFF|"_s, 4, u"\"#FFF"_s);
    hostile("link colour with >", u"|#0000FF|"_s, u"|#00F><x|"_s, 7, u"#00F><x"_s);
    hostile("font with quote", u"|Arial|"_s, u"|Arial\"><script>|"_s, 16, u"Arial\"><script>"_s);
    // Sizes are numbers, or they could add style rules.
    const QString notASize =
        u"Zeile %1 der Projektdatei ist keine Schriftgröße (eine Zahl in Punkt):\r\"%2\""_s;
    for (const auto &[line, size] :
         {std::pair{17, u"12pt;background-image:url(http://evil.example/x.png);x:"_s},
          std::pair{18, u"expression(alert(1))"_s}, std::pair{18, u"abc"_s}}) {
        QTest::addRow("size %s", qPrintable(size))
            << plainWith(line == 17 ? u"|16|"_s : u"|12|"_s, u'|' + size + u'|') << de
            << notASize.arg(line).arg(size) << QString();
    }
    hostile("picture name with quote", u"||nein|"_s, u"|{{DIR}}/a\">.gif|ja|"_s, 8,
            u"{{DIR}}/a\">.gif"_s);
    for (const char *name : {"text.png", "ohne-kennung.emf"})
        QTest::addRow("picture not its type: %s", name)
            << plainWith(u"||nein|"_s, u"|{{DIR}}/"_s + QLatin1String(name) + u"|ja|"_s) << de
            << u"Das Hintergrundbild ist kein Bild der Art, die seine Endung nennt:\r\"{{DIR}}/"_s +
                   QLatin1String(name) + u'"'
            << QString();
    // Links in the output folder lead nowhere outside it.
    const QString outside =
        u"Im Ausgabeordner verweist \"{{DIR}}/out/%1\" auf eine Datei außerhalb "
        u"des Ordners; dorthin wird nicht geschrieben."_s;
    QTest::newRow("page through a link")
        << plainWith(u"|faq|"_s, u"|link|"_s) << de << outside.arg(u"link.html"_s) << QString();
    QTest::newRow("picture through a link") << plainWith(u"||nein|"_s, u"|{{DIR}}/zeiger.gif|ja|"_s)
                                            << de << outside.arg(u"zeiger.gif"_s) << QString();
    // Only a regular picture file of an image type is a background picture.
    for (const char *picture : {"/proc/self/environ", "/dev/zero.gif", "{{DIR}}/seite.pdt",
                                "{{DIR}}/pipe.gif", "{{DIR}}/out/"})
        QTest::addRow("picture %s", picture)
            << plainWith(u"||nein|"_s, u'|' + QString::fromLatin1(picture) + u"|ja|"_s) << de
            << badPicture << QString();
    // Messages quote only the start of a long value.
    hostile("long value quoted short", u"|#000000|"_s, u"|#"_s + QString(5000, u'0') + u" x|"_s, 3,
            u"#"_s + QString(59, u'0') + u"..."_s);
    QTest::newRow("no project, English")
        << QByteArray() << en
        << "The FAQ page was not created:\r53  File not found: {{DIR}}/seite.pdt"
        << "Page not created";
}

void tst_pagegenerator::failedRunLeavesOutputUntouched()
{
    QFETCH(QByteArray, project);
    QFETCH(QString, language);
    QFETCH(QString, message);
    QFETCH(QString, title);
    project.replace("{{DIR}}", m_dir->path().toLocal8Bit());
    message.replace(u"{{DIR}}"_s, m_dir->path());
    for (const char *picture : {"bild.gif", "zeiger.gif"})
        QVERIFY(testutil::writeBytes(m_dir->filePath(QString::fromLatin1(picture)), "GIF89a"));
    QVERIFY(testutil::writeBytes(m_dir->filePath(u"text.png"_s), "no picture"));
    // An enhanced metafile starts like many files; its mark " EMF" at byte 40 is missing here.
    QVERIFY(testutil::writeBytes(m_dir->filePath(u"ohne-kennung.emf"_s),
                                 QByteArray("\1\0\0\0", 4) + QByteArray(60, 'x')));
    QVERIFY(testutil::writeBytes(m_out + u"faq.html"_s, "OLD PAGE"));
    QVERIFY(QDir(m_out).mkdir(u"ordner.html"_s));
    QVERIFY(QFile::link(u"../opfer.txt"_s, m_out + u"link.html"_s));
    QVERIFY(QFile::link(u"../opfer.gif"_s, m_out + u"zeiger.gif"_s));
    QCOMPARE(::mkfifo(QFile::encodeName(m_dir->filePath(u"pipe.gif"_s)).constData(), 0600), 0);
    const auto entries = [](const QString &path) {
        return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                    QDir::System);
    };
    if (!project.isNull())
        QVERIFY(testutil::writeBytes(m_projectPath, project));
    const QStringList around = entries(m_dir->path());

    QCOMPARE(run(project, {{u"q"_s, u"a"_s, {}, {}}}, {}, Language::fromSetting(language)).status,
             title.isEmpty() ? PageStatus::GivenUp : PageStatus::Failed);
    const Message wanted{message, title, MessageButtons::Ok,
                         title.isEmpty() ? MessageIcon::None : MessageIcon::Critical};
    QCOMPARE(m_sink.messages, QList<Message>{wanted});
    QCOMPARE(page(), QByteArray("OLD PAGE"));
    QCOMPARE(entries(m_out),
             QStringList({u"faq.html"_s, u"link.html"_s, u"ordner.html"_s, u"zeiger.gif"_s}));
    // Nothing beside or above the output folder either.
    QCOMPARE(entries(m_dir->path()), around);
}

QTEST_GUILESS_MAIN(tst_pagegenerator)
#include "tst_pagegenerator.moc"
