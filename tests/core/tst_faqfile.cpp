#include "app/apperror.h"
#include "database/faqfile.h"
#include "database/recovery.h"
#include "testutil.h"

using namespace askbright;
using namespace Qt::StringLiterals;

using Records = QList<FaqRecord>;

class tst_faqfile : public QObject {
    Q_OBJECT
private slots:
    void files_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::addColumn<Records>("records");
        QTest::addColumn<int>("error"); // -1: read, but not written back byte for byte
        const Records two{{"Wie geht das mit ¨Anführungszeichen¨?", "So.", "Max Müller",
                           "www.example.org", 1, "01.02.2004"},
                          {"Frage, mit Komma", "Zeile eins\r\nZeile zwei\r\nZeile drei", QString(),
                           QString(), 0, "1.2.2004  "}};
        const auto fixture = [](const char *n) {
            return testutil::readBytes(testutil::dataPath(n));
        };
        QTest::newRow("two records") << fixture("two_records.faq") << two << 0;
        QTest::newRow("no records") << fixture("empty_database.faq") << Records() << 0;
        // As an input statement reads them: commas, blanks around unquoted fields, bare LF.
        QTest::newRow("input statement")
            << QByteArray(
                   "2\n\"a\",\"b\",\"c\",\"d\", 1 ,01.01.2004\n\"e\" , \"f\"\n\"\"\n\"\"\n0\n"
                   "  02.02.2004  \n")
            << Records{{"a", "b", "c", "d", 1, "01.01.2004"}, {"e", "f", {}, {}, 0, "02.02.2004"}}
            << -1;
        QTest::newRow("unquoted text, blanks around, a quote inside")
            << QByteArray(" 1 \r\n  Fr\"age  \r\n\"a\"\r\n\"\"\r\n\"\"\r\n 0 \r\n01.01.2004\r\n")
            << Records{{"Fr¨age", "a", {}, {}, 0, "01.01.2004"}} << -1;
        const QByteArray one("\"q\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\n 0 \r\n01.01.2004\r\n");
        const int ended = AppError::InputPastEndOfFile, mismatch = AppError::TypeMismatch;
        const int range = AppError::SubscriptOutOfRange, overflow = AppError::Overflow;
        QTest::newRow("no file") << QByteArray() << Records() << int(AppError::FileNotFound);
        QTest::newRow("empty file") << QByteArray("") << Records() << ended;
        QTest::newRow("count 70000") << QByteArray(" 70000 \r\n") << Records() << overflow;
        QTest::newRow("count 2000") << " 2000 \r\n" + one.repeated(2000)
                                    << Records(2000, {"q", "a", {}, {}, 0, "01.01.2004"}) << 0;
        QTest::newRow("count 2001") << QByteArray(" 2001 \r\n") << Records() << range;
        QTest::newRow("count -1") << QByteArray("-1 \r\n") << Records() << range;
        QTest::newRow("flag x") << " 1 \r\n" + QByteArray(one).replace(" 0 ", "x") << Records()
                                << mismatch;
        QTest::newRow("open quote")
            << QByteArray(" 1 \r\n\"q\"\r\n\"a\r\nrest") << Records() << ended;
        const QByteArray longest(maxTextLength, 'x');
        QTest::newRow("longest text, unquoted")
            << " 1 \r\n\"q\"\r\n" + longest + "\r\n\"\"\r\n\"\"\r\n 0 \r\n01.01.2004\r\n"
            << Records{{"q", QString::fromLatin1(longest), {}, {}, 0, "01.01.2004"}} << -1;
        QTest::newRow("text too long") << " 2 \r\n" + one + "\"q\"\r\n\"x" + longest + "\"\r\n"
                                       << Records() << int(AppError::OutOfMemory);
    }

    void files()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Records, records);
        QFETCH(int, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("a.faq");
        QVERIFY(bytes.isNull() || testutil::writeBytes(path, bytes));
        try {
            QCOMPARE(faq_einlesen(path), records);
            QVERIFY(error <= 0);
        } catch (const AppError &e) {
            QCOMPARE(e.number(), error);
            if (error == AppError::OutOfMemory) {
                // The reader names the text it refuses, and the writer refuses it too.
                QCOMPARE(
                    e.description(),
                    u"Record 2, answer: 1048577 characters; a text may hold at most 1048576 characters"_s);
                const FaqRecord tooLong{"q", QString(maxTextLength + 1, u'x'), {}, {}};
                QVERIFY_THROWS_EXCEPTION(AppError, faq_speichern(path, {tooLong}));
                QCOMPARE(testutil::readBytes(path), bytes);
            }
            return;
        }
        // A raw quote that reached the writer is stored as the substitute, never as a field end.
        Records written = records;
        for (FaqRecord &r : written)
            r.question.replace(u'¨', u'"');
        faq_speichern(path, written);
        QCOMPARE(faq_einlesen(path), records);
        if (error == 0)
            QCOMPARE(testutil::readBytes(path), bytes);
        // A record beyond the most a file holds is refused, and the file stays.
        if (records.size() == 2000) {
            QVERIFY_THROWS_EXCEPTION(AppError, faq_speichern(path, written << FaqRecord()));
            QCOMPARE(testutil::readBytes(path), bytes);
        }
    }

    void dates_data()
    {
        QTest::addColumn<QString>("date");     // in memory
        QTest::addColumn<QByteArray>("line");  // the date as written, without CR LF
        QTest::addColumn<QString>("readBack"); // after writing and reading again
        QTest::newRow("short, padded") << u"1.2.2004"_s << "1.2.2004  "_ba << u"1.2.2004  "_s;
        QTest::newRow("too long, cut") << u"01.02.20041"_s << "01.02.2004"_ba << u"01.02.2004"_s;
        QTest::newRow("empty") << QString() << QByteArray(10, ' ') << QString(10, u' ');
        QTest::newRow("quote inside stays bare")
            << u"ab\"cd"_s << "ab\"cd     "_ba << u"ab\"cd     "_s;
        QTest::newRow("comma") << u"01,02,2004"_s << "\"01,02,2004\""_ba << u"01,02,2004"_s;
        QTest::newRow("leading blank") << u" 1.2.2004"_s << "\" 1.2.2004 \""_ba << u" 1.2.2004 "_s;
        QTest::newRow("lone LF") << u"a\nb"_s << "\"a\nb       \""_ba << u"a\nb       "_s;
        // A leading quote would open a quoted field; inside quotes it takes the substitute.
        QTest::newRow("leading quote") << u"\"x"_s << "\"\xA8x        \""_ba << u"¨x        "_s;
    }

    // The date line is unquoted whenever that reads back, and the record after it still reads.
    void dates()
    {
        QFETCH(QString, date);
        QFETCH(QByteArray, line);
        const FaqRecord next{u"zweite"_s, u"a"_s, {}, {}, 1, u"02.02.2002"_s};
        const QByteArray bytes = formatFaq({{u"q"_s, u"a"_s, {}, {}, 0, date}, next});
        QCOMPARE(bytes, " 2 \r\n\"q\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\n 0 \r\n" + line +
                            "\r\n\"zweite\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\n 1 \r\n02.02.2002\r\n");
        const QList<FaqRecord> back = parseFaq(bytes);
        QCOMPARE(back.size(), 2);
        QTEST(back.at(0).createdDate, "readBack");
        QCOMPARE(back.at(1), next);
    }

    // A file is read through a window of 256 KiB. Long first fields move every
    // byte of the rest across the window's edge: each place must read as the same
    // bytes in memory do, records and errors alike.
    void fileReadInPiecesLikeBytes_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<bool>("readable");
        QTest::newRow("quoted field")
            << QByteArray("1\r\n\"")
            << QByteArray("\" ,unquoted a\r\n\"e\",\"l\"\r\n 1 \r\n01.02.2004\r\n") << true;
        QTest::newRow("unquoted field")
            << QByteArray("1\r\n") << QByteArray("  ,\"a\"\r\n\"e\"\r\nl\r\n0\r\n\"1,2\"\r\n")
            << true;
        QTest::newRow("unclosed quote") << QByteArray("1\r\n\"") << QByteArray("\",\"a") << false;
        QTest::newRow("field missing")
            << QByteArray("1\r\n\"") << QByteArray("\",\"a\"\r\n\r") << false;
    }

    void fileReadInPiecesLikeBytes()
    {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, tail);
        constexpr qsizetype window = 256 * 1024;
        QTemporaryDir dir;
        const QString path = dir.filePath(u"piece.faq"_s);
        for (qsizetype shift = 0; shift <= tail.size(); ++shift) {
            const QByteArray bytes = head + QByteArray(window - head.size() - shift, 'x') + tail;
            QVERIFY(testutil::writeBytes(path, bytes));
            const auto outcome = [](const auto &read) -> std::pair<QList<FaqRecord>, QString> {
                try {
                    return {read(), QString()};
                } catch (const AppError &e) {
                    return {{}, e.numberAndDescription()};
                }
            };
            const auto inMemory = outcome([&] { return parseFaq(bytes); });
            QTEST(inMemory.second.isEmpty(), "readable");
            QCOMPARE(outcome([&] { return faq_einlesen(path); }), inMemory);
        }
    }

    void recoveryFile_data()
    {
        QTest::addColumn<QString>("database");    // in the test's folder; empty: never saved
        QTest::addColumn<QStringList>("present"); // files already in the folder
        QTest::addColumn<QString>("recovery");
        QTest::newRow("beside the database")
            << u"liste.faq"_s << QStringList() << u"liste-recovery.faq"_s;
        QTest::newRow("extension in capitals")
            << u"LISTE.FAQ"_s << QStringList() << u"LISTE-recovery.faq"_s;
        QTest::newRow("never saved") << QString() << QStringList() << u"unsaved-recovery.faq"_s;
        QTest::newRow("never an existing file")
            << u"liste.faq"_s << QStringList{u"liste-recovery.faq"_s, u"liste-recovery-2.faq"_s}
            << u"liste-recovery-3.faq"_s;
    }

    // Unsaved records go to a new file beside the database, never over one.
    void recoveryFile()
    {
        QFETCH(QString, database);
        QFETCH(QStringList, present);
        QFETCH(QString, recovery);
        QTemporaryDir dir;
        for (const QString &name : present)
            QVERIFY(testutil::writeBytes(dir.filePath(name), "old"));
        const QString path =
            writeRecoveryFile(database.isEmpty() ? QString() : dir.filePath(database), dir.path(),
                              {{u"q"_s, u"a"_s, {}, {}}});
        QCOMPARE(QDir::cleanPath(path), dir.filePath(recovery));
        QCOMPARE(faq_einlesen(path), (Records{{u"q"_s, u"a"_s, {}, {}}}));
        for (const QString &name : present)
            QCOMPARE(testutil::readBytes(dir.filePath(name)), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(tst_faqfile)
#include "tst_faqfile.moc"
