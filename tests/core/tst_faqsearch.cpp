#include "database/faqsearch.h"

#include <QElapsedTimer>
#include <QTest>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

const QList<FaqRecord> records{
    {u"Was ist eine FAQ?"_s, u"Eine Liste häufiger Fragen.\r\nMit Antworten."_s, u"Max"_s,
     u"http://faq.example"_s, 0, u"01.01.2020"_s},
    {u"Wie heißt ¨das¨?"_s, u"Gar nicht."_s, u"Frage von faq-Leser ¨x¨"_s, u"faq"_s, 1,
     u"02.01.2020"_s},
    {u"Leer"_s, u"nichts"_s, {}, {}, 0, u"03.01.2020"_s},
};

using F = SearchHit::Field;

} // namespace

class tst_faqsearch : public QObject {
    Q_OBJECT
private slots:
    void findAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<SearchHit>>("hits");
        QTest::newRow("any case, each field, never the link")
            << u"faq"_s << QList<SearchHit>{{1, F::Question, 13, 3}, {2, F::ExtraInfo, 10, 3}};
        QTest::newRow("quote as the window shows it")
            << u"\"das\""_s << QList<SearchHit>{{2, F::Question, 10, 5}};
        // In the additional info the substitute is shown as stored.
        QTest::newRow("substitute in the info")
            << u"¨x¨"_s << QList<SearchHit>{{2, F::ExtraInfo, 20, 3}};
        QTest::newRow("position after a line break counts one character")
            << u"mit"_s << QList<SearchHit>{{1, F::Answer, 28, 3}};
        QTest::newRow("umlaut, case-insensitive")
            << u"HÄUFIGER"_s << QList<SearchHit>{{1, F::Answer, 11, 8}};
        QTest::newRow("several in one field")
            << u"en"_s << QList<SearchHit>{{1, F::Answer, 24, 2}, {1, F::Answer, 39, 2}};
        QTest::newRow("empty text") << QString() << QList<SearchHit>{};
    }

    void findAll()
    {
        QFETCH(QString, text);
        QTEST(askbright::findAll(records, text), "hits");
    }

    void nextHitWrapsAround_data()
    {
        QTest::addColumn<SearchHit>("from");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("expected");
        // Hits of "faq": [0] record 1 question 13, [1] record 2 info 10.
        QTest::newRow("from a hit, forward") << SearchHit{1, F::Question, 13, 3} << true << 1;
        QTest::newRow("past the last wraps") << SearchHit{2, F::ExtraInfo, 10, 3} << true << 0;
        QTest::newRow("from a hit, back") << SearchHit{2, F::ExtraInfo, 10, 3} << false << 0;
        QTest::newRow("before the first wraps") << SearchHit{1, F::Question, 13, 3} << false << 1;
        QTest::newRow("between, back") << SearchHit{2, F::Question, 0, 0} << false << 0;
    }

    void nextHitWrapsAround()
    {
        QFETCH(SearchHit, from);
        QFETCH(bool, forward);
        QFETCH(int, expected);
        const QList<SearchHit> hits = askbright::findAll(records, u"faq"_s);
        QCOMPARE(nextHit(hits, from, forward), qsizetype(expected));
        QCOMPARE(nextHit({}, from, forward), qsizetype(-1));
    }

    // 2000 records of 2 KB: every search step is far below what a user notices.
    void largeDatabaseIsInstant()
    {
        QList<FaqRecord> many(2000);
        for (FaqRecord &r : many) {
            r.question = u"Frage?"_s;
            r.answer = u"Antwort mit Zeilen\r\n"_s.repeated(100).left(2048);
        }
        many[1999].extraInfo = u"Nadel"_s;
        QElapsedTimer timer;
        timer.start();
        const QList<SearchHit> hits = askbright::findAll(many, u"nadel"_s);
        QCOMPARE(hits, (QList<SearchHit>{{2000, F::ExtraInfo, 0, 5}}));
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    }
};

QTEST_GUILESS_MAIN(tst_faqsearch)
#include "tst_faqsearch.moc"
