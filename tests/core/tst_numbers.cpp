#include "app/apperror.h"
#include "app/numbers.h"

#include <QTest>

using namespace askbright;

class tst_numbers : public QObject {
    Q_OBJECT
private slots:
    void toInt16_data();
    void toInt16();
    void decimals_data();
    void decimals();
    void printed_data();
    void printed();
};

void tst_numbers::toInt16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("error");
    QTest::newRow("printed") << QStringLiteral(" 12 ") << 12 << 0;
    QTest::newRow("negative") << QStringLiteral("-150 ") << -150 << 0;
    QTest::newRow("empty is zero") << QString() << 0 << 0;
    QTest::newRow("half to even down") << QStringLiteral("2,5") << 2 << 0;
    QTest::newRow("half to even up") << QStringLiteral("3.5") << 4 << 0;
    QTest::newRow("largest") << QStringLiteral("32767") << 32767 << 0;
    QTest::newRow("smallest") << QStringLiteral("-32768") << -32768 << 0;
    QTest::newRow("16-bit overflow") << QStringLiteral("70000") << 0 << int(AppError::Overflow);
    QTest::newRow("just over") << QStringLiteral("32768") << 0 << int(AppError::Overflow);
    QTest::newRow("letters") << QStringLiteral("abc") << 0 << int(AppError::TypeMismatch);
    QTest::newRow("trailing letters") << QStringLiteral("12x") << 0 << int(AppError::TypeMismatch);
    QTest::newRow("sign alone") << QStringLiteral("-") << 0 << int(AppError::TypeMismatch);
    QTest::newRow("thousands and decimal")
        << QStringLiteral("1.000,5") << 0 << int(AppError::TypeMismatch);
}

void tst_numbers::toInt16()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(int, error);
    try {
        const int got = askbright::toInt16(text);
        QCOMPARE(error, 0);
        QCOMPARE(got, value);
    } catch (const AppError &e) {
        QCOMPARE(e.number(), error);
    }
}

void tst_numbers::decimals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("german comma") << QStringLiteral(" 11,25 ") << 11.25;
    QTest::newRow("point") << QStringLiteral("11.25") << 11.25;
    QTest::newRow("whole") << QStringLiteral("8") << 8.0;
}

void tst_numbers::decimals()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(toDecimal(text), value);
}

void tst_numbers::printed_data()
{
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << printNumber(0) << QStringLiteral(" 0 ");
    QTest::newRow("count") << printNumber(2000) << QStringLiteral(" 2000 ");
    QTest::newRow("negative") << printNumber(-15) << QStringLiteral("-15 ");
    QTest::newRow("decimal comma") << printDecimal(11.25) << QStringLiteral(" 11,25 ");
    QTest::newRow("whole decimal") << printDecimal(12) << QStringLiteral(" 12 ");
    QTest::newRow("small decimal") << printDecimal(8.25) << QStringLiteral(" 8,25 ");
}

void tst_numbers::printed()
{
    QFETCH(QString, printed);
    QFETCH(QString, expected);
    QCOMPARE(printed, expected);
}

QTEST_GUILESS_MAIN(tst_numbers)
#include "tst_numbers.moc"
