#include "app/apperror.h"
#include "database/faqdatabase.h"
#include "database/faqfile.h"
#include "testutil.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

using Op = std::function<void(FaqDatabase &)>;
using Records = QList<FaqRecord>;

const auto rec = [](const QString &question) { return FaqRecord{question, {}, {}, {}}; };

// "1 2 3 ... count"
QString numbers(int count)
{
    QStringList words;
    for (int i = 1; i <= count; ++i)
        words << QString::number(i);
    return words.join(u' ');
}

} // namespace

class tst_faqdatabase : public QObject {
    Q_OBJECT
private slots:
    void edits_data();
    void edits();
    void files_data();
    void files();
    void randomBytesNeverCrash();
};

void tst_faqdatabase::edits_data()
{
    QTest::addColumn<int>("count"); // records "1" to "count" before the edit
    QTest::addColumn<int>("current");
    QTest::addColumn<Op>("op");
    QTest::addColumn<QString>("left"); // questions afterwards; the blank record is "new"
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("error");
    QTest::addColumn<DirtyState>("dirty");
    const Op remove = [](FaqDatabase &db) { db.removeCurrent(); };
    const Op removeSaved = [](FaqDatabase &db) {
        db.setFilePath(u"/x.faq"_s);
        db.removeCurrent();
    };
    const Op insert = [](FaqDatabase &db) { db.insertBeforeCurrent(); };
    const Op add = [](FaqDatabase &db) { db.addRecord(); };
    const Op commitX = [](FaqDatabase &db) { db.commit(rec(u"x"_s)); };
    const Op commitSame = [](FaqDatabase &db) { db.commit(db.record(2)); };
    const Op date = [](FaqDatabase &db) { db.setCreatedDate(2, u"02.02.2002"_s); };
    const Op replace = [](FaqDatabase &db) { db.replaceRecords({rec(u"a"_s), rec(u"b"_s)}); };
    const Op tooMany = [](FaqDatabase &db) { db.replaceRecords(Records(2001)); };
    const Op show2001 = [](FaqDatabase &db) { db.show(2001); };
    const auto swap = [](int a, int b) {
        return Op([a, b](FaqDatabase &db) { db.swapRecords(a, b); });
    };
    const int refused = AppError::InvalidCall, full = AppError::SubscriptOutOfRange;
    const auto set = DirtyState::Set, unset = DirtyState::Unset;
    const QString all = numbers(2000);
    // Removing shows the follower in its place, or the new last record.
    QTest::newRow("remove middle") << 5 << 2 << remove << u"1 3 4 5"_s << 2 << 0 << set;
    QTest::newRow("remove last") << 5 << 5 << remove << u"1 2 3 4"_s << 4 << 0 << set;
    // Emptying a database that has a file changes the file; one never saved has nothing to lose.
    QTest::newRow("remove only") << 1 << 1 << remove << QString() << 0 << 0 << DirtyState::Cleared;
    QTest::newRow("remove only, saved") << 1 << 1 << removeSaved << QString() << 0 << 0 << set;
    QTest::newRow("insert") << 5 << 2 << insert << u"1 new 2 3 4 5"_s << 2 << 0 << set;
    QTest::newRow("insert at last") << 3 << 3 << insert << u"1 2 3"_s << 3 << refused << unset;
    QTest::newRow("add") << 3 << 1 << add << u"1 2 3 new"_s << 4 << 0 << set;
    QTest::newRow("add when full") << 2000 << 2000 << add << all << 2000 << full << unset;
    QTest::newRow("insert when full") << 2000 << 5 << insert << all << 5 << full << unset;
    QTest::newRow("commit") << 3 << 2 << commitX << u"1 x 3"_s << 2 << 0 << set;
    QTest::newRow("commit same") << 3 << 2 << commitSame << u"1 2 3"_s << 2 << 0 << unset;
    QTest::newRow("date") << 3 << 2 << date << u"1 2 3"_s << 2 << 0 << set;
    QTest::newRow("replace") << 4 << 4 << replace << u"a b"_s << 1 << 0 << unset;
    QTest::newRow("replace 2001") << 2 << 2 << tooMany << u"1 2"_s << 2 << full << unset;
    // Swaps move whole records; the record shown follows its slot.
    QTest::newRow("swap ends") << 5 << 2 << swap(1, 5) << u"5 2 3 4 1"_s << 2 << 0 << set;
    QTest::newRow("swap shown") << 3 << 1 << swap(2, 1) << u"2 1 3"_s << 1 << 0 << set;
    QTest::newRow("swap same") << 3 << 2 << swap(2, 2) << u"1 2 3"_s << 2 << 0 << unset;
    QTest::newRow("swap past count") << 3 << 2 << swap(3, 4) << u"1 2 3"_s << 2 << full << unset;
    QTest::newRow("swap slot 0") << 3 << 2 << swap(0, 1) << u"1 2 3"_s << 2 << full << unset;
    QTest::newRow("show 2001") << 2 << 2 << show2001 << u"1 2"_s << 2 << full << unset;
}

void tst_faqdatabase::edits()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(Op, op);
    QFETCH(QString, left);
    QFETCH(int, shown);
    QFETCH(int, error);
    QFETCH(DirtyState, dirty);
    Records records;
    for (const QString &question : numbers(count).split(u' '))
        records << rec(question);
    FaqDatabase db;
    db.replaceRecords(records);
    db.setBlankRecord(rec(u"new"_s));
    db.show(current);
    try {
        op(db);
        QCOMPARE(0, error);
    } catch (const AppError &e) {
        QCOMPARE(e.number(), error);
    }
    QStringList questions;
    for (const FaqRecord &r : db.records())
        questions << r.question;
    QCOMPARE(questions.join(u' '), left);
    QCOMPARE(db.currentIndex(), shown);
    // The window shows the current record, or the blank one in an empty database.
    QCOMPARE(db.editBuffer(), shown > 0 ? db.record(shown) : rec(u"new"_s));
    QCOMPARE(db.unsavedChanges(), dirty);
    // A freed slot keeps no stale copy of the record that was last.
    if (db.recordCount() < count)
        QCOMPARE_NE(db.record(count), rec(QString::number(count)));
}

void tst_faqdatabase::files_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: no file
    QTest::addColumn<Records>("records");
    QTest::addColumn<int>("error"); // -1: read, but not written back byte for byte
    const Records two{{"Wie geht das mit ¨Anführungszeichen¨?", "So.", "Max Müller",
                       "www.example.org", 1, "01.02.2004"},
                      {"Frage, mit Komma", "Zeile eins\r\nZeile zwei\r\nZeile drei", QString(),
                       QString(), 0, "1.2.2004  "}};
    const auto fixture = [](const char *n) { return testutil::readBytes(testutil::dataPath(n)); };
    QTest::newRow("two records") << fixture("two_records.faq") << two << 0;
    QTest::newRow("no records") << fixture("empty_database.faq") << Records() << 0;
    // As an input statement reads them: commas, blanks around unquoted fields, bare LF.
    QTest::newRow("input statement")
        << QByteArray("2\n\"a\",\"b\",\"c\",\"d\", 1 ,01.01.2004\n\"e\" , \"f\"\n\"\"\n\"\"\n0\n"
                      "  02.02.2004  \n")
        << Records{{"a", "b", "c", "d", 1, "01.01.2004"}, {"e", "f", {}, {}, 0, "02.02.2004"}}
        << -1;
    const QByteArray one("\"q\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\n 0 \r\n01.01.2004\r\n");
    const int ended = AppError::InputPastEndOfFile, mismatch = AppError::TypeMismatch;
    const int range = AppError::SubscriptOutOfRange, overflow = AppError::Overflow;
    QTest::newRow("no file") << QByteArray() << Records() << int(AppError::FileNotFound);
    QTest::newRow("empty file") << QByteArray("") << Records() << ended;
    QTest::newRow("count 5, 2 records") << " 5 \r\n" + one + one << Records() << ended;
    QTest::newRow("count abc") << "abc\r\n" + one << Records() << mismatch;
    QTest::newRow("count 70000") << QByteArray(" 70000 \r\n") << Records() << overflow;
    QTest::newRow("count 2001") << QByteArray(" 2001 \r\n") << Records() << range;
    QTest::newRow("count -1") << QByteArray("-1 \r\n") << Records() << range;
    QTest::newRow("flag x") << " 1 \r\n" + QByteArray(one).replace(" 0 ", "x") << Records()
                            << mismatch;
    QTest::newRow("open quote") << QByteArray(" 1 \r\n\"q\"\r\n\"a\r\nrest") << Records() << ended;
    const QByteArray longest(maxTextLength, 'x');
    QTest::newRow("longest text, unquoted")
        << " 1 \r\n\"q\"\r\n" + longest + "\r\n\"\"\r\n\"\"\r\n 0 \r\n01.01.2004\r\n"
        << Records{{"q", QString::fromLatin1(longest), {}, {}, 0, "01.01.2004"}} << -1;
    QTest::newRow("text too long") << " 2 \r\n" + one + "\"q\"\r\n\"x" + longest + "\"\r\n"
                                   << Records() << int(AppError::OutOfMemory);
}

void tst_faqdatabase::files()
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
}

void tst_faqdatabase::randomBytesNeverCrash()
{
    QRandomGenerator gen(20261206);
    QByteArray noise(10 * 1024 * 1024, Qt::Uninitialized);
    gen.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    // Also behind a believable count, so the record loop runs over noise.
    for (const char *count : {"", " 3 \r\n", " 2000 \r\n"}) {
        try {
            QVERIFY(parseFaq(count + noise).size() <= 2000);
        } catch (const AppError &) {
            // Refusing noise is fine.
        }
    }
}

QTEST_GUILESS_MAIN(tst_faqdatabase)
#include "tst_faqdatabase.moc"
