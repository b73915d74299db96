#include "app/apperror.h"
#include "database/faqdatabase.h"

#include <QTest>

using namespace askbright;

namespace {

FaqRecord rec(const QString &q)
{
    FaqRecord r;
    r.question = q;
    r.answer = q + QStringLiteral(" answer");
    return r;
}

QStringList questions(const FaqDatabase &db)
{
    QStringList out;
    for (const FaqRecord &r : db.records())
        out << r.question;
    return out;
}

FaqDatabase withRecords(int count)
{
    FaqDatabase db;
    QList<FaqRecord> list;
    for (int i = 1; i <= count; ++i)
        list << rec(QString::number(i));
    db.replaceRecords(list);
    return db;
}

} // namespace

class tst_faqdatabase : public QObject {
    Q_OBJECT
private slots:
    void startsEmpty();
    void slotsOutsideRangeAreRefused();
    void remove_data();
    void remove();
    void insertBeforeCurrent();
    void insertIsRefusedOnLastOrSingle();
    void addAfterLast();
    void limitOf2000();
    void everyChangeMarksUnsaved();
    void replaceRecordsShowsFirst();
};

void tst_faqdatabase::startsEmpty()
{
    FaqDatabase db;
    QCOMPARE(db.recordCount(), 0);
    QCOMPARE(db.currentIndex(), 0);
    QCOMPARE(db.unsavedChanges(), DirtyState::Unset);
    QCOMPARE(db.record(0), FaqRecord());
}

void tst_faqdatabase::slotsOutsideRangeAreRefused()
{
    FaqDatabase db;
    QVERIFY_THROWS_EXCEPTION(AppError, db.record(2001));
    QVERIFY_THROWS_EXCEPTION(AppError, db.record(-1));
    QVERIFY_THROWS_EXCEPTION(AppError, db.show(2001));
    db.record(2000);
}

void tst_faqdatabase::remove_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("shown");
    QTest::newRow("middle: follower takes its place")
        << 5 << 2 << QStringList{"1", "3", "4", "5"} << 2;
    QTest::newRow("last: the new last is shown") << 5 << 5 << QStringList{"1", "2", "3", "4"} << 4;
    QTest::newRow("first") << 3 << 1 << QStringList{"2", "3"} << 1;
    QTest::newRow("only record: empty database") << 1 << 1 << QStringList{} << 0;
}

void tst_faqdatabase::remove()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(QStringList, left);
    QFETCH(int, shown);
    FaqDatabase db = withRecords(count);
    db.show(current);
    db.removeCurrent();
    QCOMPARE(questions(db), left);
    QCOMPARE(db.currentIndex(), shown);
    QCOMPARE(db.editBuffer(), db.record(shown));
    // The freed slot holds the blank record, not a stale copy.
    QCOMPARE(db.record(count), db.blankRecord());
}

void tst_faqdatabase::insertBeforeCurrent()
{
    FaqDatabase db = withRecords(5);
    FaqRecord blank;
    blank.createdDate = QStringLiteral("01.01.2026");
    db.setBlankRecord(blank);
    db.show(2);
    db.insertBeforeCurrent();
    QCOMPARE(questions(db), (QStringList{"1", "", "2", "3", "4", "5"}));
    QCOMPARE(db.currentIndex(), 2);
    QCOMPARE(db.editBuffer(), blank);
    QCOMPARE(db.record(2).createdDate, QStringLiteral("01.01.2026"));
}

void tst_faqdatabase::insertIsRefusedOnLastOrSingle()
{
    FaqDatabase single = withRecords(1);
    QVERIFY(!single.canInsert());
    QVERIFY_THROWS_EXCEPTION(AppError, single.insertBeforeCurrent());
    FaqDatabase db = withRecords(3);
    db.show(3);
    QVERIFY(!db.canInsert());
    QVERIFY_THROWS_EXCEPTION(AppError, db.insertBeforeCurrent());
    QCOMPARE(db.recordCount(), 3);
}

void tst_faqdatabase::addAfterLast()
{
    FaqDatabase db = withRecords(3);
    db.show(3);
    db.addRecord();
    QCOMPARE(db.recordCount(), 4);
    QCOMPARE(db.currentIndex(), 4);
    QCOMPARE(db.editBuffer(), db.blankRecord());
}

void tst_faqdatabase::limitOf2000()
{
    FaqDatabase db = withRecords(2000);
    QVERIFY(db.isFull());
    db.show(2000);
    try {
        db.addRecord();
        QFAIL("a 2001st record was added");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), int(AppError::SubscriptOutOfRange));
    }
    db.show(5);
    QVERIFY_THROWS_EXCEPTION(AppError, db.insertBeforeCurrent());
    QCOMPARE(db.recordCount(), 2000);
    QCOMPARE(db.record(5).question, QStringLiteral("5"));
    QCOMPARE(db.record(2000).question, QStringLiteral("2000"));
    QList<FaqRecord> tooMany(2001);
    QVERIFY_THROWS_EXCEPTION(AppError, db.replaceRecords(tooMany));
    QCOMPARE(db.recordCount(), 2000);
}

void tst_faqdatabase::everyChangeMarksUnsaved()
{
    using Op = std::function<void(FaqDatabase &)>;
    const QList<QPair<const char *, Op>> ops = {
        {"commit", [](FaqDatabase &db) { db.commit(rec("x")); }},
        {"add", [](FaqDatabase &db) { db.show(3); db.addRecord(); }},
        {"insert", [](FaqDatabase &db) { db.insertBeforeCurrent(); }},
        {"remove", [](FaqDatabase &db) { db.removeCurrent(); }},
        {"date", [](FaqDatabase &db) { db.setCreatedDate(1, QStringLiteral("02.02.2002")); }},
    };
    for (const auto &[name, op] : ops) {
        FaqDatabase db = withRecords(3);
        db.markSaved();
        op(db);
        QVERIFY2(db.hasUnsavedChanges(), name);
    }
    FaqDatabase db = withRecords(3);
    db.markSaved();
    db.commit(db.record(1));
    QVERIFY(!db.hasUnsavedChanges());

    // Emptying a database that has a file is a change to that file; emptying
    // one that was never saved leaves nothing to lose.
    FaqDatabase saved = withRecords(1);
    saved.setFilePath(QStringLiteral("/tmp/x.faq"));
    saved.markSaved();
    saved.removeCurrent();
    QVERIFY(saved.hasUnsavedChanges());
    FaqDatabase fresh = withRecords(1);
    fresh.removeCurrent();
    QCOMPARE(fresh.unsavedChanges(), DirtyState::Cleared);
}

void tst_faqdatabase::replaceRecordsShowsFirst()
{
    FaqDatabase db = withRecords(4);
    db.show(4);
    db.replaceRecords({rec("a"), rec("b")});
    QCOMPARE(db.recordCount(), 2);
    QCOMPARE(db.currentIndex(), 1);
    QCOMPARE(db.editBuffer().question, QStringLiteral("a"));
    // Slots beyond the new count hold nothing of the old database.
    QCOMPARE(db.record(3), FaqRecord());
}

QTEST_GUILESS_MAIN(tst_faqdatabase)
#include "tst_faqdatabase.moc"
