#include "about/abouttext.h"
#include "app/apperror.h"
#include "testutil.h"

#include <sys/stat.h>

using namespace askbright;
using namespace Qt::StringLiterals;

class tst_abouttext : public QObject {
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("truncated");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty") << QByteArray() << false << QStringList();
        QTest::newRow("CR LF, CR, LF, LF CR is two ends, last line without end")
            << QByteArray("a\r\nb\rc\nd\n\re") << false << QStringList{"a", "b", "c", "d", "", "e"};
        QTest::newRow("empty lines keep their place, an end at the end starts no line")
            << QByteArray("\r\n\r\nx\r\n\r\n") << false << QStringList{"", "", "x", ""};
        QTest::newRow("Windows-1252, control bytes stay text")
            << QByteArray("F\xFCr \x80 und \x84Zitat\x93\0\t", 19) << false
            << QStringList{QString::fromUtf8("Für € und „Zitat“\0\t", 26)};
        QTest::newRow("cut beginning drops its cut line")
            << QByteArray("a\r\nb\r\npart") << true << QStringList{"a", "b"};
        QTest::newRow("cut inside the only line") << QByteArray("abc") << true << QStringList();
        QTest::newRow("cut right after a line end")
            << QByteArray("a\r\nb\n") << true << QStringList{"a", "b"};
    }

    void lines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, truncated);
        QTEST(parseAboutText(bytes, truncated), "expected");
    }

    void limits_data()
    {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("lineLength");
        QTest::addColumn<int>("expectedCount");
        QTest::addColumn<int>("expectedLength");
        QTest::newRow("3000 lines") << 3000 << 10 << 3000 << 10;
        QTest::newRow("3001 lines show the first 3000") << 3001 << 10 << 3000 << 10;
        QTest::newRow("long line cut") << 2 << 5000 << 2 << int(maxAboutLineLength);
    }

    void limits()
    {
        QFETCH(int, lineCount);
        QFETCH(int, lineLength);
        QFETCH(int, expectedCount);
        QFETCH(int, expectedLength);
        QByteArray bytes;
        for (int i = 0; i < lineCount; ++i)
            bytes += QByteArray::number(i % 10).repeated(lineLength) + "\r\n";
        const QStringList lines = parseAboutText(bytes);
        QCOMPARE(lines.size(), expectedCount);
        QCOMPARE(lines.first().size(), expectedLength);
        QCOMPARE(lines.last().size(), expectedLength);
        QCOMPARE(lines.last().front(), QChar(u'0' + (expectedCount - 1) % 10));
    }

    void readsFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"about.txt"_s);
        QVERIFY(testutil::writeBytes(path, "Askbright\r\n\r\nteam\r\n"));
        QCOMPARE(readAboutText(path), (QStringList{"Askbright", "", "team"}));

        // A huge file is read only as far as the window's lines go.
        QVERIFY(testutil::writeBytes(path, QByteArray("line\r\n").repeated(maxAboutLines + 10) +
                                               QByteArray(2 * maxAboutBytes, 'x')));
        QCOMPARE(readAboutText(path), QStringList(maxAboutLines, u"line"_s));
    }

    void refusesWhatIsNoFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("folder") << "folder";
        QTest::newRow("pipe") << "pipe";
    }

    void refusesWhatIsNoFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"about.txt"_s);
        if (kind == u"folder"_s)
            QVERIFY(QDir(dir.path()).mkdir(u"about.txt"_s));
        else if (kind == u"pipe"_s)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        try {
            readAboutText(path);
            QFAIL("read something that is no file");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), int(AppError::FileNotFound));
        }
    }

    void lineColour_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<AboutRgb>("expected");
        QTest::newRow("at 245 still white") << 245 << AboutRgb{255, 255, 255};
        QTest::newRow("244: ramp, capped") << 244 << AboutRgb{255, 255, 255};
        QTest::newRow("234") << 234 << AboutRgb{254, 254, 255};
        QTest::newRow("100 rounds up") << 100 << AboutRgb{109, 109, 255};
        QTest::newRow("17: blue just full") << 17 << AboutRgb{18, 18, 255};
        QTest::newRow("16: last of the ramp") << 16 << AboutRgb{17, 17, 240};
        QTest::newRow("15: pure blue") << 15 << AboutRgb{0, 0, 255};
    }

    void lineColour()
    {
        QFETCH(int, y);
        QTEST(aboutLineColour(y), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_abouttext)
#include "tst_abouttext.moc"
