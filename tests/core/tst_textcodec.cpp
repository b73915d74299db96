#include "app/apperror.h"
#include "app/numbers.h"
#include "app/textcodec.h"

#include <QLocale>
#include <QTest>

using namespace askbright;

// The error number f throws, 0 when it returns.
template <typename F> static int errorOf(F f)
{
    try {
        f();
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}

// The building blocks of the text files: code page, lines and numbers.
class tst_textcodec : public QObject {
    Q_OBJECT
private slots:
    // A German default locale must not change how files are read or written.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void codec_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("unencodable");
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        // Bytes 80..9F as in the code page chart, the five unassigned ones as U+0081 etc.
        const QStringView high = u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";
        const QString chart = QString::fromLatin1(all).replace(0x80, 32, high.toString());
        QTest::newRow("every byte") << all << chart << -1;
        QTest::newRow("omega") << QByteArray() << QStringLiteral("abc Ω def") << 4;
        // The euro sign took byte 80, so U+0080 itself has none.
        QTest::newRow("U+0080") << QByteArray() << QString(QChar(0x80)) << 0;
    }

    void codec()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, unencodable);
        QCOMPARE(firstUnencodable(text), unencodable);
        if (unencodable >= 0) {
            QCOMPARE(errorOf([&] { encodeCp1252(text); }), int(AppError::InvalidCall));
        } else {
            QCOMPARE(decodeCp1252(bytes), text);
            QCOMPARE(encodeCp1252(text), bytes);
        }
    }

    void lineReader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("no final end") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("lone lf, cr") << QStringLiteral("a\nb\rc") << QStringList{"a", "b", "c"};
        QTest::newRow("lf cr is two") << QStringLiteral("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("empty lines") << QStringLiteral("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
    }

    void lineReader()
    {
        QFETCH(QString, text);
        LineReader in(text);
        QStringList read;
        while (!in.atEnd())
            read << in.next();
        QTEST(read, "lines");
        QCOMPARE(errorOf([&] { in.next(); }), int(AppError::InputPastEndOfFile));
    }

    void toInt16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("printed") << " 12 " << 12 << 0;
        QTest::newRow("empty is zero") << QString() << 0 << 0;
        QTest::newRow("half to even down") << "2,5" << 2 << 0;
        QTest::newRow("half to even up") << "-3.5" << -4 << 0;
        QTest::newRow("largest") << "32767" << 32767 << 0;
        QTest::newRow("just over") << "32768" << 0 << int(AppError::Overflow);
        QTest::newRow("sign alone") << "-" << 0 << int(AppError::TypeMismatch);
        QTest::newRow("thousands and decimal") << "1.000,5" << 0 << int(AppError::TypeMismatch);
    }

    void toInt16()
    {
        QFETCH(QString, text);
        int got = 0;
        QTEST(errorOf([&] { got = askbright::toInt16(text); }), "error");
        QTEST(got, "value");
    }

    void printedNumbers()
    {
        QCOMPARE(printNumber(0) + printNumber(-15), QStringLiteral(" 0 -15 "));
        QCOMPARE(printDecimal(11.25) + printDecimal(-0.5), QStringLiteral(" 11,25 -0,5 "));
        QCOMPARE(toDecimal(QStringLiteral("-0,5 ")), -0.5);
    }
};

QTEST_GUILESS_MAIN(tst_textcodec)
#include "tst_textcodec.moc"
