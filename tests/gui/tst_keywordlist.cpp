#include "project/keywordlist.h"
#include "testutil.h"

#include <QApplication>
#include <QKeyEvent>

using namespace askbright;
using namespace Qt::StringLiterals;

class tst_keywordlist : public QObject {
    Q_OBJECT
private slots:
    // Enter adds the entry and empties the field, up to thirty keywords; the
    // key goes no further.
    void enterAdds()
    {
        KeywordList list;
        for (int i = 1; i <= KeywordList::maxKeywords; ++i) {
            list.setEditText(u"k%1"_s.arg(i));
            QKeyEvent enter(QEvent::KeyPress, i % 2 ? Qt::Key_Return : Qt::Key_Enter, {});
            QApplication::sendEvent(&list, &enter);
            QVERIFY(enter.isAccepted());
            QCOMPARE(list.currentText(), QString());
        }
        QCOMPARE(list.keywords().size(), 30);
        QCOMPARE(list.keywords().last(), u"k30"_s);
        list.setEditText(u"k31"_s);
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.keywords().size(), 30);
        QCOMPARE(list.currentText(), u"k31"_s);
    }

    void removalKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("entry");
        const QStringList left{u"y"_s, u"X"_s};
        // The key still edits the entry field after the removal.
        QTest::newRow("Delete") << int(Qt::Key_Delete) << left << u"x"_s;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << left << QString();
        QTest::newRow("Clear") << int(Qt::Key_Clear) << left << u"x"_s;
        QTest::newRow("other key")
            << int(Qt::Key_Z) << QStringList{u"x"_s, u"y"_s, u"x"_s, u"X"_s} << u"xz"_s;
    }

    void removalKeys()
    {
        QFETCH(int, key);
        QFETCH(QStringList, left);
        QFETCH(QString, entry);
        KeywordList list;
        list.setKeywords({u"x"_s, u"y"_s, u"x"_s, u"X"_s}, false);
        list.setEditText(u"x"_s);
        QTest::keyClick(&list, Qt::Key(key));
        QCOMPARE(list.keywords(), left);
        QCOMPARE(list.currentText(), entry);
    }

    // A read list shows its first keyword in the field, or none.
    void setKeywords_data()
    {
        QTest::addColumn<QStringList>("keywords");
        QTest::addColumn<bool>("firstInField");
        QTest::addColumn<QString>("field");
        QTest::newRow("first shown") << QStringList{u"eins"_s, u"zwei"_s} << true << u"eins"_s;
        QTest::newRow("field empty") << QStringList{u"eins"_s, u"zwei"_s} << false << QString();
        QTest::newRow("no keywords") << QStringList{} << true << QString();
    }

    void setKeywords()
    {
        QFETCH(QStringList, keywords);
        QFETCH(bool, firstInField);
        QFETCH(QString, field);
        KeywordList list;
        list.setKeywords({u"alt"_s}, true);
        list.setKeywords(keywords, firstInField);
        QCOMPARE(list.keywords(), keywords);
        QCOMPARE(list.currentText(), field);
    }

    // Each keyword once (letter case counts), in the order of first entries;
    // the field keeps its text.
    void removeDuplicates()
    {
        KeywordList list;
        list.setKeywords({u"b"_s, u"a"_s, u"B"_s, u"b"_s, u"c"_s, u"a"_s}, false);
        list.setEditText(u"neu"_s);
        list.removeDuplicates();
        QCOMPARE(list.keywords(), (QStringList{u"b"_s, u"a"_s, u"B"_s, u"c"_s}));
        QCOMPARE(list.currentText(), u"neu"_s);
    }
};

QTEST_MAIN(tst_keywordlist)
#include "tst_keywordlist.moc"
