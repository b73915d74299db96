#include "fonts/fontlist.h"

#include <QTest>

using namespace askbright;

class tst_fontlist : public QObject {
    Q_OBJECT
private slots:
    void percent_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        QTest::newRow("first of 200") << 0 << 200 << 1;
        QTest::newRow("last of 200") << 199 << 200 << 100;
        QTest::newRow("29 of 100 is exact") << 29 << 100 << 30;
        QTest::newRow("two thirds") << 2 << 3 << 67;
        QTest::newRow("many fonts, no overflow") << 99999 << 100000 << 100;
    }

    void percent()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        QTEST(fontLoadingPercent(index, count), "expected");
    }

    void foundryTags_data()
    {
        QTest::addColumn<QStringList>("families");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("tags dropped, each family once")
            << QStringList{"P052 [urw]", "Arial", "P052 [other]", "Noto Sans"}
            << QStringList{"P052", "Arial", "Noto Sans"};
        QTest::newRow("only a trailing tag") << QStringList{"[x] Mono", "Mono [x] Serif"}
                                             << QStringList{"[x] Mono", "Mono [x] Serif"};
    }

    void foundryTags()
    {
        QFETCH(QStringList, families);
        QTEST(familiesWithoutFoundry(families), "expected");
    }

    void sort_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<SortOrder>("order");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("capitals first, empty entry stays first")
            << QStringList{"", "arial", "Courier", "Arial", "courier"} << SortOrder::Ascending
            << QStringList{"", "Arial", "Courier", "arial", "courier"};
        QTest::newRow("descending") << QStringList{"", "b", "A", "a"} << SortOrder::Descending
                                    << QStringList{"b", "a", "A", ""};
        QTest::newRow("by character codes, not the dictionary")
            << QStringList{"", QString::fromUtf8("Ärial"), "Zapf", "zapf", "Bb", "B"}
            << SortOrder::Ascending
            << QStringList{"", "B", "Bb", "Zapf", "zapf", QString::fromUtf8("Ärial")};
    }

    void sort()
    {
        QFETCH(QStringList, list);
        QFETCH(SortOrder, order);
        sortByCharacterCodes(list, order);
        QTEST(list, "expected");
    }
};

QTEST_GUILESS_MAIN(tst_fontlist)
#include "tst_fontlist.moc"
