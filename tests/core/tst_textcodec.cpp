#include "app/apperror.h"
#include "app/textcodec.h"

#include <QTest>

using namespace askbright;

class tst_textcodec : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips();
    void knownCharacters_data();
    void knownCharacters();
    void unencodableIsRefused();
    void trimRemovesBlanksOnly_data();
    void trimRemovesBlanksOnly();
    void lineReader_data();
    void lineReader();
    void lineReaderPastEnd();
};

void tst_textcodec::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeCp1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(encodeCp1252(text), all);
}

void tst_textcodec::knownCharacters_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("euro") << QByteArray("\x80") << QString(QChar(0x20AC));
    QTest::newRow("quote substitute") << QByteArray("\xA8") << QString(QChar(0x00A8));
    QTest::newRow("umlauts") << QByteArray("\xE4\xF6\xFC\xDF\xC4") << QStringLiteral("äöüßÄ");
    QTest::newRow("typographic quotes") << QByteArray("\x84\x93") << QStringLiteral("„“");
    QTest::newRow("unassigned 81 8D 8F 90 9D")
        << QByteArray("\x81\x8D\x8F\x90\x9D")
        << QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D");
    QTest::newRow("thorn and y diaeresis") << QByteArray("\xFE\xFF") << QStringLiteral("þÿ");
}

void tst_textcodec::knownCharacters()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeCp1252(bytes), text);
    QCOMPARE(encodeCp1252(text), bytes);
}

void tst_textcodec::unencodableIsRefused()
{
    const QString text = QStringLiteral("abc Ω def");
    QCOMPARE(firstUnencodable(text), 4);
    QCOMPARE(firstUnencodable(QStringLiteral("plain €")), -1);
    try {
        encodeCp1252(text);
        QFAIL("an unencodable character was written");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), int(AppError::InvalidCall));
        QVERIFY(e.description().contains(QStringLiteral("U+03A9")));
    }
}

void tst_textcodec::trimRemovesBlanksOnly_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks") << QStringLiteral("  a b  ") << QStringLiteral("a b");
    QTest::newRow("only blanks") << QStringLiteral("    ") << QString();
    QTest::newRow("line breaks stay") << QStringLiteral(" a\r\n ") << QStringLiteral("a\r\n");
    QTest::newRow("tabs stay") << QStringLiteral("\ta\t") << QStringLiteral("\ta\t");
}

void tst_textcodec::trimRemovesBlanksOnly()
{
    QFETCH(QString, input);
    QFETCH(QString, trimmed);
    QCOMPARE(trimBlanks(input), trimmed);
}

void tst_textcodec::lineReader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("no final line end") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("lf and cr alone") << QStringLiteral("a\nb\rc") << QStringList{"a", "b", "c"};
    QTest::newRow("empty lines") << QStringLiteral("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
    QTest::newRow("single empty line") << QStringLiteral("\r\n") << QStringList{""};
    QTest::newRow("empty text") << QString() << QStringList{};
}

void tst_textcodec::lineReader()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    LineReader in(text);
    QStringList read;
    while (!in.atEnd())
        read << in.next();
    QCOMPARE(read, lines);
}

void tst_textcodec::lineReaderPastEnd()
{
    LineReader in(QStringLiteral("only\r\n"));
    in.next();
    try {
        in.next();
        QFAIL("read past the end");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), int(AppError::InputPastEndOfFile));
    }
}

QTEST_GUILESS_MAIN(tst_textcodec)
#include "tst_textcodec.moc"
