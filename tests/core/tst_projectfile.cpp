#include "app/textcodec.h"
#include "project/projectfile.h"
#include "recordingsink.h"
#include "testutil.h"

#include <QTemporaryDir>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

PageProject sample()
{
    return PageProject(u"  Erste Zeile\r\nZweite  "_s, u" #000000 "_s, u"#FFFFFF"_s, u"#FF0000"_s,
                       u"#800080"_s, u"#0000FF"_s, QString(), PictureUse::NotUsed, u" faq "_s,
                       u"Anna\nJörg"_s, u" Zeile eins\r\nZeile zwei "_s, Alignment::Unset, true,
                       false, u"Arial"_s, u" 8"_s, u"10"_s, Alignment::Right,
                       QStringList{u"a"_s, u"b"_s, u"a"_s, u"c"_s, u"C"_s});
}

// Line number of the file a project writes.
QString writtenLine(const PageProject &p, int number)
{
    return formatPageProject(p, {}).split(u"\r\n"_s).at(number - 1);
}

// Every field in file order, line 9, 13 and 19 as the file holds them, so a
// failed comparison shows which one differs.
QString dump(const PageProject &p)
{
    return (QStringList() << p.title << p.textColor << p.bgColor << p.alinkColor << p.vlinkColor
                          << p.linkColor << p.picturePath << writtenLine(p, 9) << p.pageFileName
                          << p.author << p.description << writtenLine(p, 13)
                          << QString::number(p.bold) << QString::number(p.italic) << p.fontName
                          << p.titleSize << p.textSize << writtenLine(p, 19)
                          << p.keywords.join(u','))
        .join(u'|');
}

} // namespace

class tst_projectfile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void writesProject();
    void openProject_data();
    void openProject();
    void readings_data();
    void readings();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_projectPath;
    RecordingSink m_sink;
};

void tst_projectfile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_projectPath = m_dir->filePath(u"seite.pdt"_s);
    m_sink.messages.clear();
}

// Line breaks become \xFE and \xFF in trimmed values; later copies of a keyword are dropped
// (case matters); the pending keyword is added unless empty or listed.
void tst_projectfile::writesProject()
{
    const QString keywords = u"rechts\r\n 4 \r\na\r\nb\r\nc\r\nC\r\n"_s;
    savePageProject(m_projectPath, sample(), u"neu"_s);
    QCOMPARE(testutil::readBytes(m_projectPath),
             "[Projektdatei f\xFCr Askbright]\r\nErste Zeile\xFE\xFFZweite\r\n#000000\r\n"
             "#FFFFFF\r\n#FF0000\r\n#800080\r\n#0000FF\r\n\r\nnein\r\n faq \r\nAnna\xFFJ\xF6rg\r\n"
             "Zeile eins Zeile zwei\r\nmitte\r\nFett\r\n\r\nArial\r\n 8\r\n10\r\n"_ba +
                 QString(keywords).replace(u" 4 "_s, u" 5 "_s).toLatin1() + "neu\r\n");
    QVERIFY(formatPageProject(sample(), u"b"_s).endsWith(keywords));
    QVERIFY(formatPageProject(sample(), {}).endsWith(keywords));
}

// Every read starts from sample(); fields after a line that failed keep their values.
void tst_projectfile::openProject_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes"); // null: no file; {{DIR}}: the test's folder
    QTest::addColumn<bool>("english");
    QTest::addColumn<ProjectReadOutcome>("outcome");
    QTest::addColumn<QList<Message>>("messages");
    QTest::addColumn<QString>("expected");

    using O = ProjectReadOutcome;
    const QList<Message> none;
    const auto info = [](const QString &text, const QString &title = {}) {
        return QList{Message{text, title, MessageButtons::Ok, MessageIcon::Information}};
    };
    const QString before = dump(sample());
    const QString read = // sample() saved and read back
        u"Erste Zeile\r\nZweite|#000000|#FFFFFF|#FF0000|#800080|#0000FF||nein| faq |Anna\nJörg|"
        u"Zeile eins Zeile zwei|mitte|1|0|Arial|8|10|rechts|a,b,c,C"_s;
    const QByteArray saved = encodeCp1252(formatPageProject(sample(), {}));
    const QByteArray linksItalic =
        encodeCp1252(formatPageProject(sample(), u"neu"_s))
            .replace("\nmitte\r\nFett\r\n\r", "\nlinks\r\nFett\r\nItalic\r");
    QTest::newRow("every line") << u"seite.pdt"_s << linksItalic << false << O::Read << none
                                << QString(read).replace(u"|mitte|1|0|"_s, u"|links|1|1|"_s) +
                                       u",neu"_s;
    QTest::newRow("picture missing")
        << u"bild.pdt"_s
        << QByteArray(saved).replace("\r\n\r\nnein\r\n", "\r\n{{DIR}}/weg.jpg\r\nja\r\n") << false
        << O::Read
        << info(u"Das Hintergrundbild befindet sich nicht mehr an der\r"
                u"gespeicherten Position!\rBitte neu zuordnen!"_s,
                u"Hinweis"_s)
        << QString(read).replace(u"||nein|"_s, u"|{{DIR}}/weg.jpg|ja|"_s);
    QTest::newRow("upper-case extension")
        << u"seite.PDT"_s << saved << false << O::NotPdt << none << before;
    QTest::newRow("not a project")
        << u"falsch.pdt"_s << "[projektdatei f\xFCr askbright]\r\nX\r\n"_ba << true
        << O::NotAProject << info(u"Isn't a template-file"_s) << before;
    QTest::newRow("folder missing")
        << u"fehlt/x.pdt"_s << QByteArray() << false << O::FolderMissing
        << info(u"Kein Seitenname ausgewählt, falscher Pfad oder Datei verschoben"_s,
                u"Datei nicht gefunden"_s)
        << before;
    QTest::newRow("cut short") << u"kurz.pdt"_s
                               << "[Projektdatei f\xFCr Askbright]\r\nNeu\r\n#111111\r\n"_ba
                               << false << O::Stopped << none
                               << u"Neu|#111111"_s + before.mid(before.indexOf(u"|#FFFFFF"_s));
    // A count that is not a number stops before the list is emptied.
    QTest::newRow("count not a number")
        << u"zahl.pdt"_s << QByteArray(saved).replace("\r\n 4 \r\n", "\r\nx\r\n") << false
        << O::Stopped << none << QString(read).replace(u"a,b,c,C"_s, u"a,b,a,c,C"_s);
}

void tst_projectfile::openProject()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, english);
    QFETCH(ProjectReadOutcome, outcome);
    QFETCH(QList<Message>, messages);
    QFETCH(QString, expected);
    const QString path = m_dir->filePath(file);
    if (!bytes.isNull())
        QVERIFY(testutil::writeBytes(path, bytes.replace("{{DIR}}", m_dir->path().toLocal8Bit())));
    PageProject project = sample();
    QCOMPARE(openPageProject(path, project, english ? Language::English : Language::German, m_sink),
             outcome);
    QCOMPARE(m_sink.messages, messages);
    QCOMPARE(dump(project), expected.replace(u"{{DIR}}"_s, m_dir->path()));
}

// The deliberate differences of the editor's and the generator's reading,
// each value as the editor writes it back.
void tst_projectfile::readings_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("page");
    QTest::newRow("picture path") << 8 << u" /b.gif "_s << u" /b.gif "_s << u"/b.gif"_s;
    QTest::newRow("file name") << 10 << u" faq "_s << u" faq "_s << u"faq"_s;
    QTest::newRow("title alignment") << 13 << u"Mitte"_s << u"mitte"_s << u"links"_s;
    QTest::newRow("italic") << 15 << u" italic "_s << QString() << u"Italic"_s;
    QTest::newRow("relative title size") << 17 << u"+1"_s << u"16"_s << u"14"_s;
    QTest::newRow("relative text size") << 18 << u"+2"_s << u"12"_s << u"10"_s;
    QTest::newRow("list alignment") << 19 << u" Rechts "_s << u"mitte"_s << u"links"_s;
}

void tst_projectfile::readings()
{
    QFETCH(int, line);
    QFETCH(QString, value);
    QFETCH(QString, editor);
    QFETCH(QString, page);
    QStringList lines = formatPageProject(sample(), {}).split(u"\r\n"_s);
    lines[line - 1] = value;
    const ProjectLines file(encodeCp1252(lines.join(u"\r\n"_s)));
    PageProject forEditor;
    QCOMPARE(readProjectForEditor(file, forEditor, Language::German, m_sink),
             ProjectReadOutcome::Read);
    const std::optional<PageProject> forPage = readProjectForPage(file);
    QVERIFY(forPage);
    QCOMPARE(writtenLine(forEditor, line), editor);
    QCOMPARE(writtenLine(*forPage, line), page);
}

QTEST_GUILESS_MAIN(tst_projectfile)
#include "tst_projectfile.moc"
