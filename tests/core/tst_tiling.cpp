#include "project/tiling.h"

#include <QTest>
#include <numeric>

using namespace askbright;

class tst_tiling : public QObject {
    Q_OBJECT
private slots:
    void tiles_data()
    {
        QTest::addColumn<QSize>("target");
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QSize>("inner");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        // Columns and rows run from 0 to round(extent / step + 1), both included.
        QTest::newRow("preview") << QSize(450, 200) << QSize(7, 5) << QSize(7, 5) << 66 << 42;
        // 10 / 4 + 1 = 3.5 rounds to 4, 6 / 4 + 1 = 2.5 to 2: halves go to even.
        QTest::newRow("half to even, up") << QSize(10, 6) << QSize(4, 4) << QSize(4, 4) << 5 << 3;
        // Copies are placed at the inner size: a bordered box leaves no gaps.
        QTest::newRow("bordered source")
            << QSize(100, 100) << QSize(12, 12) << QSize(10, 10) << 10 << 10;
        QTest::newRow("empty source") << QSize(50, 40) << QSize(0, 60) << QSize(0, 60) << 0 << 0;
        QTest::newRow("no drawing area") << QSize(50, 40) << QSize(2, 2) << QSize(0, 0) << 0 << 0;
    }

    void tiles()
    {
        QFETCH(QSize, target);
        QFETCH(QSize, source);
        QFETCH(QSize, inner);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const QList<QRect> rects = tileRects(target, source, inner);
        QCOMPARE(rects.size(), columns * rows);
        if (rects.isEmpty())
            return;
        QCOMPARE(rects.first(), QRect(QPoint(0, 0), inner));
        // Column by column, each from the top.
        QCOMPARE(rects.at(1).topLeft(), QPoint(0, rows > 1 ? inner.height() : 0));
        QCOMPARE(rects.last(),
                 QRect(QPoint((columns - 1) * inner.width(), (rows - 1) * inner.height()), inner));
        // Together they cover the whole target.
        QVERIFY(std::accumulate(rects.begin(), rects.end(), QRect(), std::bit_or<>())
                    .contains(QRect(QPoint(0, 0), target)));
    }
};

QTEST_GUILESS_MAIN(tst_tiling)
#include "tst_tiling.moc"
