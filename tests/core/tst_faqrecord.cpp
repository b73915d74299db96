#include "app/textcodec.h"
#include "database/faqrecord.h"

#include <QTest>

using namespace askbright;

Q_DECLARE_METATYPE(askbright::RecordFields)
Q_DECLARE_METATYPE(askbright::FaqRecord)

class tst_faqrecord : public QObject {
    Q_OBJECT
private slots:
    void fromWindow_data();
    void fromWindow();
    void toWindow();
    void quotesSurviveOnlyInQuestionAndAnswer();
    void fitDate_data();
    void fitDate();
    void blankRecordCarriesToday();
};

void tst_faqrecord::fromWindow_data()
{
    const QChar sub = quoteSubstitute;
    QTest::addColumn<RecordFields>("fields");
    QTest::addColumn<FaqRecord>("record");

    RecordFields f{QStringLiteral("  Was ist \"FAQ\"?  "), QStringLiteral(" Antwort\r\nzwei "),
                   QStringLiteral(" Max \"M\" "), QStringLiteral(" www.example.org "), true,
                   QStringLiteral("01.02.2004")};
    FaqRecord r{QStringLiteral("Was ist ") + sub + "FAQ" + sub + "?",
                QStringLiteral("Antwort\r\nzwei"), QStringLiteral("Max ") + sub + "M" + sub,
                QStringLiteral("www.example.org"), 1, QStringLiteral("01.02.2004")};
    QTest::newRow("trim and substitute") << f << r;

    RecordFields blanks{QStringLiteral("   "), QStringLiteral(" "), {}, {}, false,
                        QStringLiteral("  1.2.2004")};
    FaqRecord blankOut{{}, {}, {}, {}, 0, QStringLiteral("1.2.2004  ")};
    QTest::newRow("blank-only texts, short date padded") << blanks << blankOut;

    RecordFields longDate{QStringLiteral("q"), QStringLiteral("a"), {}, {}, false,
                          QStringLiteral("01.02.2004 extra")};
    FaqRecord cut{QStringLiteral("q"), QStringLiteral("a"), {}, {}, 0, QStringLiteral("01.02.2004")};
    QTest::newRow("long date cut") << longDate << cut;
}

void tst_faqrecord::fromWindow()
{
    QFETCH(RecordFields, fields);
    QFETCH(FaqRecord, record);
    QCOMPARE(felder_an_maskeds(fields), record);
}

void tst_faqrecord::toWindow()
{
    FaqRecord r{QStringLiteral("q"), QStringLiteral("a"), QStringLiteral("x"),
                QStringLiteral("y"), 1, QStringLiteral("1.2.2004  ")};
    const RecordFields f = maskeds_an_felder(r);
    QCOMPARE(f.dateLabel, QStringLiteral("1.2.2004"));
    QVERIFY(f.infoWithQuestion);
    // Showing and reading back gives the same record again.
    QCOMPARE(felder_an_maskeds(f), r);
}

void tst_faqrecord::quotesSurviveOnlyInQuestionAndAnswer()
{
    RecordFields typed;
    typed.question = QStringLiteral("say \"hi\"");
    typed.answer = QStringLiteral("\"x\"");
    typed.extraInfo = QStringLiteral("say \"hi\"");
    const RecordFields shown = maskeds_an_felder(felder_an_maskeds(typed));
    QCOMPARE(shown.question, typed.question);
    QCOMPARE(shown.answer, typed.answer);
    QCOMPARE(shown.extraInfo, QStringLiteral("say ¨hi¨"));
    // A diaeresis typed into the question comes back as a double quote.
    typed.question = QStringLiteral("a¨b");
    QCOMPARE(maskeds_an_felder(felder_an_maskeds(typed)).question, QStringLiteral("a\"b"));
}

void tst_faqrecord::fitDate_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("exact") << QStringLiteral("24.12.2004") << QStringLiteral("24.12.2004");
    QTest::newRow("eight") << QStringLiteral("1.1.2004") << QStringLiteral("1.1.2004  ");
    QTest::newRow("empty") << QString() << QStringLiteral("          ");
    QTest::newRow("long") << QStringLiteral("2004-12-24T10") << QStringLiteral("2004-12-24");
}

void tst_faqrecord::fitDate()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(askbright::fitDate(in), out);
}

void tst_faqrecord::blankRecordCarriesToday()
{
    const FaqRecord blank = leerds_erstellen(QDate(2026, 3, 7));
    QCOMPARE(blank.createdDate, QStringLiteral("07.03.2026"));
    QVERIFY(blank.question.isEmpty() && blank.answer.isEmpty());
    QCOMPARE(blank.infoWithQuestion, qint16(0));
}

QTEST_GUILESS_MAIN(tst_faqrecord)
#include "tst_faqrecord.moc"
