#include "project/contrast.h"

#include <QTest>

using namespace askbright;

class tst_contrast : public QObject {
    Q_OBJECT
private slots:
    void ratios_data()
    {
        QTest::addColumn<QString>("colors"); // text, background
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << "#000000 #FFFFFF" << 21.0;
        QTest::newRow("order does not matter") << "#FFFFFF #000000" << 21.0;
        // A known reference pair: grey 777777 just fails 4.5.
        QTest::newRow("grey 77 on white") << "#777777 #FFFFFF" << 4.48;
        QTest::newRow("pure red on white") << "#FF0000 #FFFFFF" << 4.0;
        QTest::newRow("pure blue on black") << "#0000FF #000000" << 2.44;
    }

    void ratios()
    {
        QFETCH(QString, colors);
        QFETCH(double, ratio);
        const QStringList pair = colors.split(u' ');
        const double actual = contrastRatio(rgb_errechnen(pair[0]), rgb_errechnen(pair[1]));
        QVERIFY2(qAbs(actual - ratio) < 0.01, qPrintable(QString::number(actual)));
    }
};

QTEST_GUILESS_MAIN(tst_contrast)
#include "tst_contrast.moc"
