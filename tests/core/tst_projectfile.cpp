#include "app/textcodec.h"
#include "project/projectfile.h"
#include "recordingsink.h"
#include "testutil.h"

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

// Every field in file order, lines 9, 13 and 19 as the file holds them, so
// that a failed comparison shows which one differs.
QString dump(const PageProject &p)
{
    const QStringList written = formatPageProject(p, {}).split(u"\r\n"_s);
    return (QStringList() << p.title << p.textColor << p.bgColor << p.alinkColor << p.vlinkColor
                          << p.linkColor << p.picturePath << written.at(8) << p.pageFileName
                          << p.author << p.description << written.at(12) << QString::number(p.bold)
                          << QString::number(p.italic) << p.fontName << p.titleSize << p.textSize
                          << written.at(18) << p.keywords.join(u','))
        .join(u'|');
}

} // namespace

class tst_projectfile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // Line breaks become \xFE and \xFF in trimmed values; later copies of a keyword are dropped
    // (case matters); the pending keyword is added unless empty or listed.
    void writesProject()
    {
        const QString keywords = u"rechts\r\n 4 \r\na\r\nb\r\nc\r\nC\r\n"_s;
        const QString path = m_dir.filePath(u"seite.pdt"_s);
        savePageProject(path, sample(), u"neu"_s);
        QCOMPARE(
            testutil::readBytes(path),
            "[Projektdatei f\xFCr Askbright]\r\nErste Zeile\xFE\xFFZweite\r\n#000000\r\n"
            "#FFFFFF\r\n#FF0000\r\n#800080\r\n#0000FF\r\n\r\nnein\r\n faq \r\nAnna\xFFJ\xF6rg\r\n"
            "Zeile eins Zeile zwei\r\nmitte\r\nFett\r\n\r\nArial\r\n 8\r\n10\r\n"_ba +
                QString(keywords).replace(u" 4 "_s, u" 5 "_s).toLatin1() + "neu\r\n");
        QVERIFY(formatPageProject(sample(), u"b"_s).endsWith(keywords));
        QVERIFY(formatPageProject(sample(), {}).endsWith(keywords));
    }

    // Every read starts from sample(); fields after a line that failed keep their values.
    void openProject_data()
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
        QTest::newRow("every line")
            << u"seite.pdt"_s << linksItalic << false << O::Read << none
            << QString(read).replace(u"|mitte|1|0|"_s, u"|links|1|1|"_s) + u",neu"_s;
        QTest::newRow("picture missing")
            << u"bild.pdt"_s
            << QByteArray(saved).replace("\r\n\r\nnein\r\n", "\r\n{{DIR}}/weg.jpg\r\nja\r\n")
            << false << O::Read
            << info(u"Das Hintergrundbild befindet sich nicht mehr an der\r"
                    u"gespeicherten Position!\rBitte neu zuordnen!"_s,
                    u"Hinweis"_s)
            << QString(read).replace(u"||nein|"_s, u"|{{DIR}}/weg.jpg|ja|"_s);
        QTest::newRow("picture missing, not used")
            << u"ohne.pdt"_s
            << QByteArray(saved).replace("\r\n\r\nnein\r\n", "\r\n{{DIR}}/weg.jpg\r\nnein\r\n")
            << false << O::Read << none
            << QString(read).replace(u"||nein|"_s, u"|{{DIR}}/weg.jpg|nein|"_s);
        QTest::newRow("marker with blanks around")
            << u"blank.pdt"_s << QByteArray(saved).replace("[Projektdatei", "  [Projektdatei")
            << false << O::Read << none << read;
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
        QTest::newRow("cut short")
            << u"kurz.pdt"_s << "[Projektdatei f\xFCr Askbright]\r\nNeu\r\n#111111\r\n"_ba << false
            << O::Stopped << none << u"Neu|#111111"_s + before.mid(before.indexOf(u"|#FFFFFF"_s));
        // A count that is not a number stops before the list is emptied.
        QTest::newRow("count not a number")
            << u"zahl.pdt"_s << QByteArray(saved).replace("\r\n 4 \r\n", "\r\nx\r\n") << false
            << O::Stopped << none << QString(read).replace(u"a,b,c,C"_s, u"a,b,a,c,C"_s);
    }

    void openProject()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, english);
        QFETCH(QString, expected);
        const QString path = m_dir.filePath(file);
        if (!bytes.isNull())
            QVERIFY(
                testutil::writeBytes(path, bytes.replace("{{DIR}}", m_dir.path().toLocal8Bit())));
        PageProject project = sample();
        RecordingSink sink;
        QTEST(openPageProject(path, project, english ? Language::English : Language::German, sink),
              "outcome");
        QTEST(sink.messages, "messages");
        QCOMPARE(dump(project), expected.replace(u"{{DIR}}"_s, m_dir.path()));
    }

    // A count of two billion with 40 keyword lines: the editor takes all 40, beyond
    // the 31 a page holds.
    void editorKeepsEveryKeyword()
    {
        QByteArray bytes = "[Projektdatei f\xFCr Askbright]\r\n" +
                           QByteArray("x\r\n").repeated(18) + " 2000000000 \r\n";
        for (int i = 1; i <= 40; ++i)
            bytes += "k" + QByteArray::number(i) + "\r\n";
        PageProject project;
        RecordingSink sink;
        QCOMPARE(readProjectForEditor(ProjectLines(bytes), project, Language::German, sink),
                 ProjectReadOutcome::Stopped);
        QCOMPARE(project.keywords.size(), 40);
        QCOMPARE(project.keywords.constLast(), u"k40"_s);
    }

    // The deliberate differences of the editor's and the generator's reading.
    void readings()
    {
        QStringList lines = formatPageProject(sample(), {}).split(u"\r\n"_s);
        const QMap<int, QString> changed{{8, u" /b.gif "_s}, {13, u"Mitte"_s}, {15, u" italic "_s},
                                         {17, u"+1"_s},      {18, u"+2"_s},    {19, u" Rechts "_s}};
        for (auto it = changed.begin(); it != changed.end(); ++it)
            lines[it.key() - 1] = it.value();
        const ProjectLines file(encodeCp1252(lines.join(u"\r\n"_s)));
        PageProject forEditor;
        RecordingSink sink;
        QCOMPARE(readProjectForEditor(file, forEditor, Language::German, sink),
                 ProjectReadOutcome::Read);
        const std::optional<PageProject> forPage = readProjectForPage(file);
        QVERIFY(forPage);
        const QString read =
            u"Erste Zeile\r\nZweite|#000000|#FFFFFF|#FF0000|#800080|#0000FF|%1|nein|%2|"
            u"Anna\nJörg|Zeile eins Zeile zwei|%3|1|%4|Arial|%5|%6|%3|a,b,c,C"_s;
        QCOMPARE(dump(forEditor),
                 read.arg(u" /b.gif "_s, u" faq "_s, u"mitte"_s, u"0"_s, u"16"_s, u"12"_s));
        QCOMPARE(dump(*forPage),
                 read.arg(u"/b.gif"_s, u"faq"_s, u"links"_s, u"1"_s, u"14"_s, u"10"_s));
    }
};

QTEST_GUILESS_MAIN(tst_projectfile)
#include "tst_projectfile.moc"
