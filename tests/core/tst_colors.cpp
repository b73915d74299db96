#include "project/colors.h"

#include <QTest>

using namespace askbright;
using namespace Qt::StringLiterals;

class tst_colors : public QObject {
    Q_OBJECT
private slots:
    void conversions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<ColorParts>("parts");
        QTest::addColumn<QString>("written"); // colorText(parts)
        QTest::newRow("leading zeros") << u"#0A000F"_s << ColorParts{10, 0, 15} << u"#0A000F"_s;
        QTest::newRow("upper case") << u"#ABCDEF"_s << ColorParts{171, 205, 239} << u"#ABCDEF"_s;
        QTest::newRow("lower case") << u"#ff80c0"_s << ColorParts{255, 128, 192} << u"#FF80C0"_s;
        QTest::newRow("short") << u"#FFF"_s << ColorParts{255, 15, 0} << u"#FF0F00"_s;
        QTest::newRow("first char ignored")
            << u"x102030"_s << ColorParts{16, 32, 48} << u"#102030"_s;
        QTest::newRow("stops at non-digit") << u"#1G2H3Z"_s << ColorParts{1, 2, 3} << u"#010203"_s;
    }

    void conversions()
    {
        QFETCH(QString, text);
        QFETCH(ColorParts, parts);
        QCOMPARE(rgb_errechnen(text), parts);
        QTEST(colorText(parts), "written");
    }

    void paletteAndPlatformValues()
    {
        for (const QString &c : StandardColors)
            QCOMPARE(colorText(rgb_errechnen(c)), c);
        // Red is the low byte; a system colour index in the high byte is ignored.
        QCOMPARE(platformColor({1, 2, 3}), 0x030201u);
        QCOMPARE(partsOfPlatformColor(0x80112233), (ColorParts{0x33, 0x22, 0x11}));
    }
};

QTEST_GUILESS_MAIN(tst_colors)
#include "tst_colors.moc"
