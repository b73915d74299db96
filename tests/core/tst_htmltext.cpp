#include "html/htmltext.h"

#include <QTest>

using namespace askbright;

class tst_htmltext : public QObject {
    Q_OBJECT
private slots:
    void zeichen_data();
    void zeichen();
    void umbruch_data();
    void umbruch();
    void zeichenThenUmbruch();
};

void tst_htmltext::zeichen_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("less, space, ampersand")
        << QStringLiteral("< &") << QStringLiteral("&lt; &amp;");
    QTest::newRow("Größe") << QStringLiteral("Größe") << QStringLiteral("Gr&ouml;&szlig;e");
    QTest::newRow("capital umlauts")
        << QStringLiteral("ÄÖÜ") << QStringLiteral("&Auml;&Ouml;&Uuml;");
    QTest::newRow("small umlauts") << QStringLiteral("äöü") << QStringLiteral("&auml;&ouml;&uuml;");
    QTest::newRow("typed entity encoded again")
        << QStringLiteral("a&amp;b") << QStringLiteral("a&amp;amp;b");
    QTest::newRow("typed nbsp entity") << QStringLiteral("&nbsp;") << QStringLiteral("&amp;nbsp;");
    QTest::newRow("quote and greater")
        << QStringLiteral("\"x\">") << QStringLiteral("&quot;x&quot;&gt;");
    QTest::newRow("left alone") << QStringLiteral("'é\u00A0\r\n\t¨")
                                << QStringLiteral("'é\u00A0\r\n\t¨");
}

void tst_htmltext::zeichen()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    html_zeichen(input);
    QCOMPARE(input, expected);
}

void tst_htmltext::umbruch_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("CR LF") << QStringLiteral("x\r\ny") << QStringLiteral("x<br>y");
    QTest::newRow("CR CR") << QStringLiteral("x\r\ry") << QStringLiteral("x<br><br>y");
    QTest::newRow("LF LF") << QStringLiteral("x\n\ny") << QStringLiteral("xy");
    QTest::newRow("trailing CR") << QStringLiteral("x\r") << QStringLiteral("x<br>");
    QTest::newRow("brackets untouched") << QStringLiteral("<b>&") << QStringLiteral("<b>&");
}

void tst_htmltext::umbruch()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    html_umbruch(input);
    QCOMPARE(input, expected);
}

void tst_htmltext::zeichenThenUmbruch()
{
    QString text = QStringLiteral("a<b\r\nc");
    html_zeichen(text);
    html_umbruch(text);
    QCOMPARE(text, QStringLiteral("a&lt;b<br>c"));
}

QTEST_GUILESS_MAIN(tst_htmltext)
#include "tst_htmltext.moc"
