#include "app/apperror.h"
#include "appearance/schemefile.h"
#include "testutil.h"

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

ColorScheme scheme(qint32 button, qint32 font, qint32 background, qint32 buttonFont)
{
    return ColorScheme{{button, font, background, buttonFont}};
}

} // namespace

class tst_schemefile : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ColorScheme>("expected");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("description"); // after "The colour scheme file "
        const auto read = [](const char *name, const QByteArray &bytes,
                             const ColorScheme &expected = scheme(1, 2, 3, 4)) {
            QTest::newRow(name) << bytes << expected << 0 << QString();
        };
        const auto refused = [](const char *name, const QByteArray &bytes, int error,
                                const QString &description) {
            QTest::newRow(name) << bytes << ColorScheme() << error << description;
        };
        read("print form", " 1 \r\n 2 \r\n 3 \r\n 4 \r\n");
        read("white, negative, extremes", " 16777215 \r\n-1 \r\n 2147483647 \r\n-2147483648 \r\n",
             scheme(16777215, -1, 2147483647, -2147483647 - 1));
        read("commas on one line", "1,2,3,4");
        read("blank lines skipped", "\r\n\r\n 1 \r\n\r\n   \r\n 2 \r\n 3 \r\n 4 ");
        const int ended = AppError::InputPastEndOfFile, mismatch = AppError::TypeMismatch;
        refused("empty file", "", ended, u"holds no colours"_s);
        refused("one number", " 7 \r\n", ended, u"holds only 1 colour"_s);
        refused("three numbers", " 1 \r\n 2 \r\n 3 \r\n", ended, u"holds only 3 colours"_s);
        refused("a word where a number belongs", " 1 \r\nblau\r\n 3 \r\n 4 \r\n", mismatch,
                u"holds \"blau\" where colour 2 belongs"_s);
        refused("an empty entry between commas", "1,,2,3", mismatch,
                u"has an empty entry where colour 2 belongs"_s);
        refused("beyond 32 bits", "1 2 3 2147483648", AppError::Overflow,
                u"holds \"2147483648\" as colour 4, which is out of range"_s);
        refused("long garbage is quoted short", QByteArray(200, 'x'), mismatch,
                u"holds \"xxxxxxxxxxxxxxxxxxxx...\" where colour 1 belongs"_s);
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, error);
        QFETCH(QString, description);
        try {
            const ColorScheme read = parseScheme(bytes);
            QCOMPARE(error, 0);
            QTEST(read, "expected");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), error);
            QCOMPARE(e.description(), u"The colour scheme file "_s + description);
        }
    }

    void readsOnlyTheBeginningOfLargeFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"big.sch"_s);
        QVERIFY(testutil::writeBytes(path, " 1 \r\n 2 \r\n 3 \r\n 4 \r\n" +
                                               QByteArray(4 * maxSchemeFileBytes, 'x')));
        QCOMPARE(readSchemeFile(path), scheme(1, 2, 3, 4));

        // Numbers past the limit are never reached, and a number cut by the
        // limit is not taken for a shorter one.
        const QByteArray padding(maxSchemeFileBytes - 7, '\n');
        for (const QByteArray &tail :
             {QByteArray(7, '\n') + "1 2 3 4\r\n", QByteArray("1 2 3 44\r\n")}) {
            QVERIFY(testutil::writeBytes(path, padding + tail));
            try {
                readSchemeFile(path);
                QFAIL("a scheme beyond the limit was taken");
            } catch (const AppError &e) {
                QCOMPARE(e.number(), int(AppError::OutOfMemory));
            }
        }

        // A file of exactly the limit is read whole.
        QVERIFY(testutil::writeBytes(path, padding + "1 2 3 4"));
        QCOMPARE(readSchemeFile(path), scheme(1, 2, 3, 4));
    }

    void schemeNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isScheme");
        QTest::newRow("standard") << u"standard.sch"_s << true;
        QTest::newRow("capitals") << u"FARBEN.SCH"_s << false;
        QTest::newRow("no dot needed") << u"farbensch"_s << true;
        QTest::newRow("backup copy") << u"farben.sch.bak"_s << false;
        QTest::newRow("empty") << QString() << false;
    }

    void schemeNames()
    {
        QFETCH(QString, name);
        QTEST(isSchemeFileName(name), "isScheme");
    }

    void startupChoice_data()
    {
        // Paths are relative to a temporary program folder holding "own.sch",
        // "own.txt", "OWN.SCH" and the folder "dir.sch"; "" is the empty setting.
        QTest::addColumn<bool>("standardPresent");
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("applied");
        QTest::newRow("nothing remembered, no standard")
            << false << QString() << u"standard.sch"_s << false;
        QTest::newRow("nothing remembered, standard")
            << true << QString() << u"standard.sch"_s << true;
        QTest::newRow("remembered scheme kept") << true << u"own.sch"_s << u"own.sch"_s << true;
        QTest::newRow("remembered file deleted")
            << true << u"gone.sch"_s << u"standard.sch"_s << true;
        QTest::newRow("remembered without sch ending")
            << true << u"own.txt"_s << u"own.txt"_s << false;
        QTest::newRow("remembered with capital ending")
            << true << u"OWN.SCH"_s << u"OWN.SCH"_s << false;
        QTest::newRow("a folder is no file") << true << u"dir.sch"_s << u"standard.sch"_s << true;
    }

    void startupChoice()
    {
        QFETCH(bool, standardPresent);
        QFETCH(QString, remembered);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        for (const QString &name : {u"own.sch"_s, u"own.txt"_s, u"OWN.SCH"_s})
            saveSchemeFile(folder + name, scheme(1, 2, 3, 4));
        QVERIFY(QDir(folder).mkdir(u"dir.sch"_s));
        if (standardPresent)
            saveSchemeFile(folder + standardSchemeName, scheme(5, 6, 7, 8));

        const QString path =
            startupSchemePath(remembered.isEmpty() ? QString() : folder + remembered, folder);
        QCOMPARE(path, folder + chosen);
        QTEST(isUsableScheme(path), "applied");
    }

    void saveAndLoad()
    {
        QTemporaryDir dir;
        const ColorScheme picked = scheme(0xC08040, -1, 0xF0E8E0, 0xFFFFFF);
        ColorScheme saved;
        QString remembered = u"old.sch"_s;

        // Written paths may use backslashes as files from other systems do.
        const QString chosen =
            QDir::toNativeSeparators(dir.path()).replace(u'/', u'\\') + u"\\mein"_s;
        saveScheme(chosen, picked, saved, remembered);
        QCOMPARE(remembered, chosen);
        QCOMPARE(saved, picked);
        QCOMPARE(testutil::readBytes(dir.filePath(u"mein"_s)),
                 QByteArray(" 12615744 \r\n-1 \r\n 15788256 \r\n 16777215 \r\n"));
        // No extension is added, so the file is written but never taken as a scheme.
        QVERIFY(!isUsableScheme(chosen));

        ColorScheme current, startCurrent, startSaved;
        saved = ColorScheme{};
        loadScheme(chosen, current, saved, remembered);
        skin_einlesen(chosen, startCurrent, startSaved);
        QCOMPARE(QList<ColorScheme>({current, saved, startCurrent, startSaved}),
                 QList<ColorScheme>(4, picked));
    }

    // A scheme that cannot be saved or read leaves the remembered path and colours.
    void failuresChangeNothing()
    {
        QTemporaryDir dir;
        const QString three = dir.filePath(u"three.sch"_s);
        QVERIFY(testutil::writeBytes(three, " 10 \r\n 20 \r\n 30 \r\n"));
        ColorScheme current = scheme(1, 2, 3, 4), saved = scheme(5, 6, 7, 8);
        QString remembered = dir.filePath(u"old.sch"_s);
        QVERIFY_THROWS_EXCEPTION(AppError, saveScheme(dir.filePath(u"missing/new.sch"_s),
                                                      scheme(9, 9, 9, 9), saved, remembered));
        QVERIFY_THROWS_EXCEPTION(AppError, loadScheme(three, current, saved, remembered));
        QVERIFY_THROWS_EXCEPTION(AppError, skin_einlesen(three, current, saved));
        QCOMPARE(current, scheme(1, 2, 3, 4));
        QCOMPARE(saved, scheme(5, 6, 7, 8));
        QCOMPARE(remembered, dir.filePath(u"old.sch"_s));
    }
};

QTEST_GUILESS_MAIN(tst_schemefile)
#include "tst_schemefile.moc"
