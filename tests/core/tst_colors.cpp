#include "project/colors.h"

#include <QTest>

using namespace askbright;

class tst_colors : public QObject {
    Q_OBJECT
private slots:
    void splitting_data();
    void splitting();
    void partsToText_data();
    void partsToText();
    void platformValue();
    void standardColors();
};

void tst_colors::splitting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("#0A0B0C") << QStringLiteral("#0A0B0C") << 10 << 11 << 12;
    QTest::newRow("lower case") << QStringLiteral("#ff80c0") << 255 << 128 << 192;
    QTest::newRow("short #FFF") << QStringLiteral("#FFF") << 255 << 15 << 0;
    QTest::newRow("first char ignored") << QStringLiteral("x102030") << 16 << 32 << 48;
    QTest::newRow("stops at non-digit") << QStringLiteral("#1G2H3Z") << 1 << 2 << 3;
    QTest::newRow("no digit") << QStringLiteral("#GGHHZZ") << 0 << 0 << 0;
    QTest::newRow("empty") << QString() << 0 << 0 << 0;
}

void tst_colors::splitting()
{
    QFETCH(QString, text);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QCOMPARE(rgb_errechnen(text), (ColorParts{red, green, blue}));
}

void tst_colors::partsToText_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("text");
    QTest::newRow("leading zeros") << 10 << 0 << 15 << QStringLiteral("#0A000F");
    QTest::newRow("upper case") << 171 << 205 << 239 << QStringLiteral("#ABCDEF");
    QTest::newRow("white") << 255 << 255 << 255 << QStringLiteral("#FFFFFF");
}

void tst_colors::partsToText()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(QString, text);
    QCOMPARE(colorText({red, green, blue}), text);
    QCOMPARE(rgb_errechnen(text), (ColorParts{red, green, blue}));
}

void tst_colors::platformValue()
{
    QCOMPARE(platformColor({1, 2, 3}), quint32(1 + 2 * 256 + 3 * 65536));
    QCOMPARE(platformColor({255, 0, 0}), quint32(0x0000FF));
    QCOMPARE(partsOfPlatformColor(0x00C08040), (ColorParts{0x40, 0x80, 0xC0}));
    // A value with a high byte set (a system colour index) keeps only the low three bytes.
    QCOMPARE(partsOfPlatformColor(0x80112233), (ColorParts{0x33, 0x22, 0x11}));
}

void tst_colors::standardColors()
{
    QCOMPARE(StandardColors.front(), QStringLiteral("#000000"));
    QCOMPARE(StandardColors[1], QStringLiteral("#800000"));
    QCOMPARE(StandardColors[8], QStringLiteral("#C0C0C0"));
    QCOMPARE(StandardColors.back(), QStringLiteral("#FFFFFF"));
    for (const QString &c : StandardColors)
        QCOMPARE(colorText(rgb_errechnen(c)), c);
}

QTEST_GUILESS_MAIN(tst_colors)
#include "tst_colors.moc"
