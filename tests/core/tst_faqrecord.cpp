#include "database/faqrecord.h"

#include <QTest>

using namespace askbright;

class tst_faqrecord : public QObject {
    Q_OBJECT
private slots:
    // Window fields are stored and shown again: texts lose blanks (only blanks) at both ends,
    // double quotes are stored as ¨ in all four texts but come back in question and answer only.
    void transfer_data()
    {
        QTest::addColumn<RecordFields>("typed");
        QTest::addColumn<FaqRecord>("stored");
        QTest::addColumn<RecordFields>("shown");
        QTest::newRow("trim and substitute")
            << RecordFields{" \"Q\"?\t ", " \"A\"\r\nB ", " M\"M ", " x\"y ", true, "01.02.2004 +"}
            << FaqRecord{"¨Q¨?\t", "¨A¨\r\nB", "M¨M", "x¨y", 1, "01.02.2004"}
            << RecordFields{"\"Q\"?\t", "\"A\"\r\nB", "M¨M", "x¨y", true, "01.02.2004"};
        QTest::newRow("typed ¨, no date") << RecordFields{"a¨b", "c¨", {}, {}, false, {}}
                                          << FaqRecord{"a¨b", "c¨", {}, {}, 0, "          "}
                                          << RecordFields{"a\"b", "c\"", {}, {}, false, {}};
        QTest::newRow("blanks, short date") << RecordFields{"   ", " ", {}, {}, false, "  1.2.2004"}
                                            << FaqRecord{{}, {}, {}, {}, 0, "1.2.2004  "}
                                            << RecordFields{{}, {}, {}, {}, false, "1.2.2004"};
    }

    void transfer()
    {
        QFETCH(RecordFields, typed);
        QFETCH(FaqRecord, stored);
        QCOMPARE(felder_an_maskeds(typed), stored);
        QTEST(maskeds_an_felder(stored), "shown");
    }

    void linkCompletion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("completed");
        QTest::newRow("bare host") << QString("example.org") << QString("http://example.org");
        QTest::newRow("complete") << QString("http://example.org") << QString("http://example.org");
        QTest::newRow("blanks stay") << QString("   ") << QString("   ");
    }

    void linkCompletion()
    {
        QFETCH(QString, typed);
        QTEST(completeLink(typed), "completed");
    }

    void blankRecordCarriesToday()
    {
        QCOMPARE(leerds_erstellen(QDate(2026, 3, 7)), (FaqRecord{{}, {}, {}, {}, 0, "07.03.2026"}));
    }
};

QTEST_GUILESS_MAIN(tst_faqrecord)
#include "tst_faqrecord.moc"
