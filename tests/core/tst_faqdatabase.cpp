#include "app/apperror.h"
#include "database/faqdatabase.h"
#include "database/faqfile.h"
#include "testutil.h"

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
    void edits_data()
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
        const Op replace = [](FaqDatabase &db) { db.replaceRecords({rec(u"a"_s), rec(u"b"_s)}); };
        const Op tooMany = [](FaqDatabase &db) { db.replaceRecords(Records(2001)); };
        const auto swap = [](int a, int b) {
            return Op([a, b](FaqDatabase &db) { db.swapRecords(a, b); });
        };
        const int refused = AppError::InvalidCall, full = AppError::SubscriptOutOfRange;
        const auto set = DirtyState::Set, unset = DirtyState::Unset;
        const QString all = numbers(2000);
        // Removing shows the follower in its place, or the new last record.
        QTest::newRow("remove middle") << 5 << 2 << remove << u"1 3 4 5"_s << 2 << 0 << set;
        QTest::newRow("remove last") << 5 << 5 << remove << u"1 2 3 4"_s << 4 << 0 << set;
        // Emptying a database that has a file changes the file; one never saved has nothing to
        // lose.
        QTest::newRow("remove only")
            << 1 << 1 << remove << QString() << 0 << 0 << DirtyState::Cleared;
        QTest::newRow("remove only, saved") << 1 << 1 << removeSaved << QString() << 0 << 0 << set;
        QTest::newRow("insert") << 5 << 2 << insert << u"1 new 2 3 4 5"_s << 2 << 0 << set;
        QTest::newRow("insert at last") << 3 << 3 << insert << u"1 2 3"_s << 3 << refused << unset;
        QTest::newRow("add the last")
            << 1999 << 1 << add << numbers(1999) + u" new"_s << 2000 << 0 << set;
        QTest::newRow("add when full") << 2000 << 2000 << add << all << 2000 << full << unset;
        QTest::newRow("commit") << 3 << 2 << commitX << u"1 x 3"_s << 2 << 0 << set;
        QTest::newRow("commit same") << 3 << 2 << commitSame << u"1 2 3"_s << 2 << 0 << unset;
        QTest::newRow("replace") << 4 << 4 << replace << u"a b"_s << 1 << 0 << unset;
        QTest::newRow("replace 2001") << 2 << 2 << tooMany << u"1 2"_s << 2 << full << unset;
        // Swaps move whole records; the record shown follows its slot.
        QTest::newRow("swap ends") << 5 << 2 << swap(1, 5) << u"5 2 3 4 1"_s << 2 << 0 << set;
        QTest::newRow("swap same") << 3 << 2 << swap(2, 2) << u"1 2 3"_s << 2 << 0 << unset;
        QTest::newRow("swap past count")
            << 3 << 2 << swap(3, 4) << u"1 2 3"_s << 2 << full << unset;
    }

    void edits()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(Op, op);
        QFETCH(int, shown);
        QFETCH(int, error);
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
        QTEST(questions.join(u' '), "left");
        QCOMPARE(db.currentIndex(), shown);
        // The window shows the current record, or the blank one in an empty database.
        QCOMPARE(db.editBuffer(), shown > 0 ? db.record(shown) : rec(u"new"_s));
        QTEST(db.unsavedChanges(), "dirty");
        // A freed slot keeps no stale copy of the record that was last.
        if (db.recordCount() < count)
            QCOMPARE_NE(db.record(count), rec(QString::number(count)));
    }
};

QTEST_GUILESS_MAIN(tst_faqdatabase)
#include "tst_faqdatabase.moc"
