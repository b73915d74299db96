#include "app/apperror.h"
#include "app/textcodec.h"
#include "database/faqfile.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

QList<QByteArray> corpus()
{
    QList<QByteArray> files;
    const QDir dir(testutil::dataPath(u"../fuzz/faq"_s));
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        files << testutil::readBytes(dir.filePath(name));
    return files;
}

// Small edits that hit the separators the reader cares about.
QByteArray mutate(QByteArray bytes, QRandomGenerator &gen)
{
    static const QByteArray alphabet = QByteArray("\",\r\n \t0123456789x-+.\xA8\xFF", 22);
    const int edits = 1 + int(gen.bounded(4));
    for (int e = 0; e < edits; ++e) {
        const qsizetype at = bytes.isEmpty() ? 0 : qsizetype(gen.bounded(quint32(bytes.size())));
        const char c = alphabet.at(gen.bounded(quint32(alphabet.size())));
        switch (gen.bounded(3)) {
        case 0:
            bytes.insert(at, c);
            break;
        case 1:
            if (!bytes.isEmpty())
                bytes[at] = c;
            break;
        default:
            bytes.remove(at, 1);
            break;
        }
    }
    return bytes;
}

} // namespace

class tst_faqfile : public QObject {
    Q_OBJECT
private slots:
    void dates_data();
    void dates();
    void acceptedFilesReadBackTheSame();
    void fileReadInPiecesLikeBytes_data();
    void fileReadInPiecesLikeBytes();
};

void tst_faqfile::dates_data()
{
    QTest::addColumn<QString>("date");     // in memory
    QTest::addColumn<QByteArray>("line");  // the date as written, without CR LF
    QTest::addColumn<QString>("readBack"); // after writing and reading again
    QTest::newRow("plain") << u"01.02.2004"_s << "01.02.2004"_ba << u"01.02.2004"_s;
    QTest::newRow("short, padded") << u"1.2.2004"_s << "1.2.2004  "_ba << u"1.2.2004  "_s;
    QTest::newRow("too long, cut") << u"01.02.20041"_s << "01.02.2004"_ba << u"01.02.2004"_s;
    QTest::newRow("empty") << QString() << QByteArray(10, ' ') << QString(10, u' ');
    QTest::newRow("quote inside stays bare") << u"ab\"cd"_s << "ab\"cd     "_ba << u"ab\"cd     "_s;
    QTest::newRow("comma") << u"01,02,2004"_s << "\"01,02,2004\""_ba << u"01,02,2004"_s;
    QTest::newRow("leading blank") << u" 1.2.2004"_s << "\" 1.2.2004 \""_ba << u" 1.2.2004 "_s;
    QTest::newRow("leading tab") << u"\t1.2.2004"_s << "\"\t1.2.2004 \""_ba << u"\t1.2.2004 "_s;
    QTest::newRow("line break") << u"zwei\r\nzeil"_s << "\"zwei\r\nzeil\""_ba << u"zwei\r\nzeil"_s;
    QTest::newRow("lone LF") << u"a\nb"_s << "\"a\nb       \""_ba << u"a\nb       "_s;
    // A leading quote would open a quoted field; inside quotes it takes the substitute.
    QTest::newRow("leading quote") << u"\"x"_s << "\"\xA8x        \""_ba << u"¨x        "_s;
    QTest::newRow("quote and comma") << u"a\",b"_s << "\"a\xA8,b      \""_ba << u"a¨,b      "_s;
}

// The date line is unquoted whenever that reads back, and the record after it still reads.
void tst_faqfile::dates()
{
    QFETCH(QString, date);
    QFETCH(QByteArray, line);
    QFETCH(QString, readBack);
    const FaqRecord next{u"zweite"_s, u"a"_s, {}, {}, 1, u"02.02.2002"_s};
    const QByteArray bytes = formatFaq({{u"q"_s, u"a"_s, {}, {}, 0, date}, next});
    QCOMPARE(bytes, " 2 \r\n\"q\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\n 0 \r\n" + line +
                        "\r\n\"zweite\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\n 1 \r\n02.02.2002\r\n");
    const QList<FaqRecord> back = parseFaq(bytes);
    QCOMPARE(back.size(), 2);
    QCOMPARE(back.at(0).createdDate, readBack);
    QCOMPARE(back.at(1), next);
}

// Every file the reader accepts, written and read again, gives the same records: the seed
// corpus of the fuzz target and a few thousand edits of it.
void tst_faqfile::acceptedFilesReadBackTheSame()
{
    const QList<QByteArray> seeds = corpus();
    QVERIFY(seeds.size() >= 5);
    QRandomGenerator gen(20040229);
    int accepted = 0;
    for (const QByteArray &seed : seeds) {
        for (int round = 0; round < 3000; ++round) {
            const QByteArray input = round == 0 ? seed : mutate(seed, gen);
            QList<FaqRecord> records;
            try {
                records = parseFaq(input);
            } catch (const AppError &) {
                continue;
            }
            ++accepted;
            const QByteArray written = formatFaq(records);
            QList<FaqRecord> again;
            try {
                again = parseFaq(written);
            } catch (const AppError &e) {
                QFAIL(qPrintable(u"written file not readable: %1\n%2"_s.arg(
                    e.numberAndDescription(), decodeCp1252(input).toHtmlEscaped())));
            }
            QVERIFY2(again == records, qPrintable(decodeCp1252(input)));
            QCOMPARE(formatFaq(again), written);
        }
    }
    // Most edits keep the file readable, so the property is checked on thousands of files.
    QVERIFY2(accepted > seeds.size() * 1000, qPrintable(QString::number(accepted)));
}

// A file is read through a window of 256 KiB. Long first fields move every
// byte of the rest across the window's edge: each place must read as the same
// bytes in memory do, records and errors alike.
void tst_faqfile::fileReadInPiecesLikeBytes_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<bool>("readable");
    QTest::newRow("quoted field") << QByteArray("1\r\n\"")
                                  << QByteArray(
                                         "\" ,unquoted a\r\n\"e\",\"l\"\r\n 1 \r\n01.02.2004\r\n")
                                  << true;
    QTest::newRow("unquoted field")
        << QByteArray("1\r\n") << QByteArray("  ,\"a\"\r\n\"e\"\r\nl\r\n0\r\n\"1,2\"\r\n") << true;
    QTest::newRow("unclosed quote") << QByteArray("1\r\n\"") << QByteArray("\",\"a") << false;
    QTest::newRow("field missing")
        << QByteArray("1\r\n\"") << QByteArray("\",\"a\"\r\n\r") << false;
}

void tst_faqfile::fileReadInPiecesLikeBytes()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, tail);
    QFETCH(bool, readable);
    constexpr qsizetype window = 256 * 1024;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"piece.faq"_s);
    for (qsizetype shift = 0; shift <= tail.size(); ++shift) {
        const QByteArray bytes = head + QByteArray(window - head.size() - shift, 'x') + tail;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        const auto outcome = [](const auto &read) -> std::pair<QList<FaqRecord>, QString> {
            try {
                return {read(), QString()};
            } catch (const AppError &e) {
                return {{}, e.numberAndDescription()};
            }
        };
        const auto inMemory = outcome([&] { return parseFaq(bytes); });
        QCOMPARE(inMemory.second.isEmpty(), readable);
        QCOMPARE(outcome([&] { return faq_einlesen(path); }), inMemory);
    }
}

QTEST_GUILESS_MAIN(tst_faqfile)
#include "tst_faqfile.moc"
