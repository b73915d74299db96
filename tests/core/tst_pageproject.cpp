#include "app/textcodec.h"
#include "project/pageproject.h"
#include "recordingsink.h"
#include "testutil.h"

#include <QTemporaryDir>

using namespace askbright;

namespace {

PageProject sample()
{
    PageProject p;
    p.title = QStringLiteral("  Erste Zeile\r\nZweite  ");
    p.textColor = QStringLiteral(" #000000 ");
    p.bgColor = QStringLiteral("#FFFFFF");
    p.alinkColor = QStringLiteral("#FF0000");
    p.vlinkColor = QStringLiteral("#800080");
    p.linkColor = QStringLiteral("#0000FF");
    p.picturePath = QString();
    p.pictureOn = QStringLiteral("nein");
    p.pageFileName = QStringLiteral(" faq ");
    p.author = QStringLiteral("Anna");
    p.description = QStringLiteral(" Zeile eins\r\nZeile zwei ");
    p.titleAlign = QString();
    p.bold = true;
    p.italic = false;
    p.fontName = QStringLiteral("Arial");
    p.titleSize = QStringLiteral(" 8");
    p.textSize = QStringLiteral("10");
    p.faqAlign = QStringLiteral("rechts");
    p.keywords = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a"),
                  QStringLiteral("c")};
    return p;
}

} // namespace

class tst_pageproject : public QObject {
    Q_OBJECT
private slots:
    void lineCodec_data();
    void lineCodec();
    void writesEveryLine();
    void keywordCount_data();
    void keywordCount();
    void roundTrip();
    void editorFallbacks();
    void editorRefusals();
    void stopsKeepingWhatWasRead();
    void missingPictureNotice();
};

void tst_pageproject::lineCodec_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("stored");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringLiteral("a\u00FE\u00FFb");
    QTest::newRow("lone LF") << QStringLiteral("a\nb") << QStringLiteral("a\u00FFb");
    QTest::newRow("nothing to do") << QStringLiteral("Größe") << QStringLiteral("Größe");
}

void tst_pageproject::lineCodec()
{
    QFETCH(QString, plain);
    QFETCH(QString, stored);
    QCOMPARE(enter_raus(plain), stored);
    QCOMPARE(enter_rein(stored), plain);
    QCOMPARE(enter_raus(QStringLiteral("  ") + plain + QStringLiteral(" ")), stored);
    // No escape: a typed thorn comes back as a line break.
    QCOMPARE(enter_rein(QStringLiteral("\u00FEx")), QStringLiteral("\rx"));
}

void tst_pageproject::writesEveryLine()
{
    const QByteArray expected = "[Projektdatei f\xFCr Askbright]\r\n"
                                "Erste Zeile\xFE\xFFZweite\r\n"
                                "#000000\r\n#FFFFFF\r\n#FF0000\r\n#800080\r\n#0000FF\r\n"
                                "\r\n"
                                "nein\r\n"
                                " faq \r\n"
                                "Anna\r\n"
                                "Zeile eins Zeile zwei\r\n"
                                "mitte\r\n"
                                "Fett\r\n"
                                "\r\n"
                                "Arial\r\n"
                                " 8\r\n"
                                "10\r\n"
                                "rechts\r\n"
                                " 4 \r\n"
                                "a\r\nb\r\nc\r\nneu\r\n";
    QCOMPARE(encodeCp1252(formatPageProject(sample(), QStringLiteral("neu"))), expected);
}

void tst_pageproject::keywordCount_data()
{
    QTest::addColumn<QStringList>("keywords");
    QTest::addColumn<QString>("pending");
    QTest::addColumn<QString>("tail");
    QTest::newRow("none") << QStringList() << QString() << QStringLiteral("rechts\r\n 0 \r\n");
    QTest::newRow("only pending") << QStringList() << QStringLiteral("x")
                                  << QStringLiteral(" 1 \r\nx\r\n");
    QTest::newRow("pending already listed")
        << QStringList{QStringLiteral("x"), QStringLiteral("y")} << QStringLiteral("x")
        << QStringLiteral(" 2 \r\nx\r\ny\r\n");
    QTest::newRow("case matters") << QStringList{QStringLiteral("x"), QStringLiteral("X")}
                                  << QStringLiteral("X") << QStringLiteral(" 2 \r\nx\r\nX\r\n");
}

void tst_pageproject::keywordCount()
{
    QFETCH(QStringList, keywords);
    QFETCH(QString, pending);
    QFETCH(QString, tail);
    PageProject p = sample();
    p.keywords = keywords;
    QVERIFY2(formatPageProject(p, pending).endsWith(tail),
             qPrintable(formatPageProject(p, pending)));
}

void tst_pageproject::roundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("seite.pdt"));
    PageProject written = sample();
    written.titleAlign = QStringLiteral("links");
    written.italic = true;
    savePageProject(path, written, QStringLiteral("neu"));
    RecordingSink sink;
    PageProject read;
    QCOMPARE(openPageProject(path, read, false, sink), ProjectReadOutcome::Read);
    QCOMPARE(sink.messages.size(), 0);
    QCOMPARE(read.title, QStringLiteral("Erste Zeile\r\nZweite"));
    QCOMPARE(read.description, QStringLiteral("Zeile eins Zeile zwei"));
    QCOMPARE(read.textColor, QStringLiteral("#000000"));
    QCOMPARE(read.pageFileName, QStringLiteral(" faq "));
    QCOMPARE(read.titleSize, QStringLiteral("8"));
    QCOMPARE(read.keywords, QStringList({QStringLiteral("a"), QStringLiteral("b"),
                                         QStringLiteral("c"), QStringLiteral("neu")}));
    // Saving what was read gives the same file again.
    QByteArray first = testutil::readBytes(path);
    savePageProject(path, read, read.keywords.first());
    QCOMPARE(testutil::readBytes(path), first.replace("\r\n 8\r\n", "\r\n8\r\n"));
}

void tst_pageproject::editorFallbacks()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alt.pdt"));
    QByteArray bytes = encodeCp1252(formatPageProject(sample(), {}));
    bytes.replace("\r\nmitte\r\n", "\r\nMitte\r\n")
        .replace("\r\n 8\r\n10\r\nrechts\r\n", "\r\n+1\r\n+2\r\nRechts\r\n");
    QVERIFY(testutil::writeBytes(path, bytes));
    RecordingSink sink;
    PageProject p;
    QCOMPARE(openPageProject(path, p, false, sink), ProjectReadOutcome::Read);
    QCOMPARE(p.titleAlign, QStringLiteral("mitte"));
    QCOMPARE(p.faqAlign, QStringLiteral("mitte"));
    QCOMPARE(p.titleSize, QStringLiteral("16"));
    QCOMPARE(p.textSize, QStringLiteral("12"));
}

void tst_pageproject::editorRefusals()
{
    QTemporaryDir dir;
    const PageProject before = sample();
    RecordingSink sink;

    const QString upper = dir.filePath(QStringLiteral("seite.PDT"));
    savePageProject(upper, before, {});
    PageProject p = before;
    QCOMPARE(openPageProject(upper, p, false, sink), ProjectReadOutcome::NotPdt);

    const QString wrong = dir.filePath(QStringLiteral("falsch.pdt"));
    QVERIFY(testutil::writeBytes(wrong, "[projektdatei für askbright]\r\nX\r\n"));
    QCOMPARE(openPageProject(wrong, p, true, sink), ProjectReadOutcome::NotAProject);
    QCOMPARE(p, before);
    QCOMPARE(sink.messages.size(), 1);
    QCOMPARE(sink.messages[0].text, QStringLiteral("Isn't a template-file"));
    QCOMPARE(sink.messages[0].icon, MessageIcon::Information);

    QCOMPARE(openPageProject(dir.filePath(QStringLiteral("fehlt/x.pdt")), p, false, sink),
             ProjectReadOutcome::FolderMissing);
    QCOMPARE(sink.messages.last().title, QStringLiteral("Datei nicht gefunden"));
    QCOMPARE(sink.messages.last().text,
             QStringLiteral("Kein Seitenname ausgewählt, falscher Pfad oder Datei verschoben"));
    QCOMPARE(openPageProject(dir.filePath(QStringLiteral("fehlt.pdt")), p, false, sink),
             ProjectReadOutcome::Stopped);
    QCOMPARE(sink.messages.size(), 2);
    QCOMPARE(p, before);
}

void tst_pageproject::stopsKeepingWhatWasRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kurz.pdt"));
    QVERIFY(testutil::writeBytes(path, "[Projektdatei f\xFCr Askbright]\r\nNeu\r\n#111111\r\n"));
    PageProject p = sample();
    RecordingSink sink;
    QCOMPARE(openPageProject(path, p, false, sink), ProjectReadOutcome::Stopped);
    QCOMPARE(p.title, QStringLiteral("Neu"));
    QCOMPARE(p.textColor, QStringLiteral("#111111"));
    QCOMPARE(p.bgColor, sample().bgColor);
    QCOMPARE(p.keywords, sample().keywords);
    QCOMPARE(sink.messages.size(), 0);

    // A count that is not a number stops before the list is emptied.
    PageProject q = sample();
    q.keywords.clear();
    savePageProject(path, q, {});
    QByteArray bytes = testutil::readBytes(path).replace("\r\n 0 \r\n", "\r\nx\r\n");
    QVERIFY(testutil::writeBytes(path, bytes));
    PageProject r = sample();
    QCOMPARE(openPageProject(path, r, false, sink), ProjectReadOutcome::Stopped);
    QCOMPARE(r.keywords, sample().keywords);
}

void tst_pageproject::missingPictureNotice()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bild.pdt"));
    PageProject p = sample();
    p.picturePath = dir.filePath(QStringLiteral("weg.jpg"));
    p.pictureOn = QStringLiteral("ja");
    savePageProject(path, p, {});
    RecordingSink sink;
    PageProject read;
    QCOMPARE(openPageProject(path, read, false, sink), ProjectReadOutcome::Read);
    QCOMPARE(sink.messages.size(), 1);
    QCOMPARE(sink.messages[0].title, QStringLiteral("Hinweis"));
    QCOMPARE(sink.messages[0].text,
             QStringLiteral("Das Hintergrundbild befindet sich nicht mehr an der\r"
                            "gespeicherten Position!\rBitte neu zuordnen!"));
    QCOMPARE(read.picturePath, p.picturePath);
    QCOMPARE(read.pictureOn, QStringLiteral("ja"));
}

QTEST_GUILESS_MAIN(tst_pageproject)
#include "tst_pageproject.moc"
