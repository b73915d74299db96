#include "app/apperror.h"
#include "app/textcodec.h"
#include "database/faqfile.h"
#include "testutil.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace askbright;

class tst_faqfile : public QObject {
    Q_OBJECT
private slots:
    void readsFixture();
    void roundTripsByteForByte_data();
    void roundTripsByteForByte();
    void writesBlankTextsAsTwoQuotes();
    void unassignedBytesSurvive();
    void separatorsAsAnInputStatementReadsThem();
    void badInput_data();
    void badInput();
    void randomBytesNeverCrash();
    void missingFile();
};

void tst_faqfile::readsFixture()
{
    const QList<FaqRecord> records = faq_einlesen(testutil::dataPath("two_records.faq"));
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[0].question, QStringLiteral("Wie geht das mit ¨Anführungszeichen¨?"));
    QCOMPARE(records[0].extraInfo, QStringLiteral("Max Müller"));
    QCOMPARE(records[0].infoWithQuestion, qint16(1));
    QCOMPARE(records[0].createdDate, QStringLiteral("01.02.2004"));
    QCOMPARE(records[1].question, QStringLiteral("Frage, mit Komma"));
    QCOMPARE(records[1].answer, QStringLiteral("Zeile eins\r\nZeile zwei\r\nZeile drei"));
    QCOMPARE(records[1].homepageLink, QString());
    QCOMPARE(records[1].createdDate, QStringLiteral("1.2.2004  "));
}

void tst_faqfile::roundTripsByteForByte_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("physicalLines");
    // 1 + 2 x 6 logical lines; the three-line answer adds two physical ones.
    QTest::newRow("two records") << QStringLiteral("two_records.faq") << 15;
    QTest::newRow("no records") << QStringLiteral("empty_database.faq") << 1;
}

void tst_faqfile::roundTripsByteForByte()
{
    QFETCH(QString, fixture);
    QFETCH(int, physicalLines);
    const QByteArray original = testutil::readBytes(testutil::dataPath(fixture));
    QCOMPARE(original.count("\r\n"), physicalLines);
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.faq"));
    faq_speichern(copy, faq_einlesen(testutil::dataPath(fixture)));
    QCOMPARE(testutil::readBytes(copy), original);
}

void tst_faqfile::writesBlankTextsAsTwoQuotes()
{
    FaqRecord r;
    r.question = QStringLiteral("q");
    r.createdDate = QStringLiteral("1.1.2004");
    QCOMPARE(formatFaq({r}),
             QByteArray(" 1 \r\n\"q\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n 0 \r\n1.1.2004  \r\n"));
    // A raw quote that reached the writer is stored as the substitute, never as a field end.
    r.answer = QStringLiteral("a \"b\"");
    QCOMPARE(parseFaq(formatFaq({r})).at(0).answer, QStringLiteral("a ¨b¨"));
}

void tst_faqfile::unassignedBytesSurvive()
{
    const QByteArray bytes(" 1 \r\n\"\x81\x8D\x8F\x90\x9D\"\r\n\"\x80\"\r\n\"\"\r\n\"\"\r\n 0 \r\n"
                           "01.01.2004\r\n");
    QCOMPARE(formatFaq(parseFaq(bytes)), bytes);
}

void tst_faqfile::separatorsAsAnInputStatementReadsThem()
{
    // Comma-separated fields on one line, blanks around unquoted ones, LF-only line ends.
    const QByteArray bytes("2\n\"a\",\"b\",\"c\",\"d\", 1 ,01.01.2004\n"
                           "\"e\" , \"f\"\n\"\"\n\"\"\n0\n  02.02.2004  \n");
    const QList<FaqRecord> records = parseFaq(bytes);
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[0].homepageLink, QStringLiteral("d"));
    QCOMPARE(records[0].infoWithQuestion, qint16(1));
    QCOMPARE(records[1].answer, QStringLiteral("f"));
    QCOMPARE(records[1].createdDate, QStringLiteral("02.02.2004"));
}

void tst_faqfile::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("number");
    const QByteArray rec("\"q\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\n 0 \r\n01.01.2004\r\n");
    QTest::newRow("empty file") << QByteArray() << int(AppError::InputPastEndOfFile);
    QTest::newRow("count 5, two records") << " 5 \r\n" + rec + rec << int(AppError::InputPastEndOfFile);
    QTest::newRow("count abc") << QByteArray("abc\r\n") + rec << int(AppError::TypeMismatch);
    QTest::newRow("count 70000") << QByteArray(" 70000 \r\n") << int(AppError::Overflow);
    QTest::newRow("count 2001") << QByteArray(" 2001 \r\n") << int(AppError::SubscriptOutOfRange);
    QTest::newRow("count -1") << QByteArray("-1 \r\n") << int(AppError::SubscriptOutOfRange);
    QTest::newRow("flag x") << QByteArray(" 1 \r\n\"q\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\nx\r\n01.01.2004\r\n")
                            << int(AppError::TypeMismatch);
    QTest::newRow("unterminated quote")
        << QByteArray(" 1 \r\n\"q\"\r\n\"a\r\nrest of file") << int(AppError::InputPastEndOfFile);
    QTest::newRow("date missing") << QByteArray(" 1 \r\n\"q\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\n 0 \r\n")
                                  << int(AppError::InputPastEndOfFile);
}

void tst_faqfile::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, number);
    try {
        parseFaq(bytes);
        QFAIL("bad input was accepted");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), number);
        QVERIFY(!e.description().isEmpty());
    }
}

void tst_faqfile::randomBytesNeverCrash()
{
    QRandomGenerator gen(20261206);
    QByteArray bytes(10 * 1024 * 1024, Qt::Uninitialized);
    gen.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    for (int variant = 0; variant < 3; ++variant) {
        // Also with a believable count in front, so the record loop runs over noise.
        const QByteArray input = variant == 0 ? bytes : QByteArray(variant == 1 ? " 3 \r\n" : " 2000 \r\n") + bytes;
        try {
            const QList<FaqRecord> records = parseFaq(input);
            QVERIFY(records.size() <= 2000);
        } catch (const AppError &e) {
            QVERIFY(e.number() > 0);
        }
    }
}

void tst_faqfile::missingFile()
{
    QTemporaryDir dir;
    try {
        faq_einlesen(dir.filePath(QStringLiteral("gone.faq")));
        QFAIL("a missing file was read");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), int(AppError::FileNotFound));
    }
}

QTEST_GUILESS_MAIN(tst_faqfile)
#include "tst_faqfile.moc"
