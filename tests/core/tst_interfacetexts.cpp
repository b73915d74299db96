#include "app/apperror.h"
#include "app/interfacetexts.h"

#include <QTest>

using namespace askbright;

class tst_interfacetexts : public QObject {
    Q_OBJECT
private slots:
    void captions_data();
    void captions();
    void everyGermanTextHasAnEnglishPartner();
    void missingIdIsAnError_data();
    void missingIdIsAnError();
};

void tst_interfacetexts::captions_data()
{
    QTest::addColumn<int>("germanId");
    QTest::addColumn<QString>("german");
    QTest::addColumn<QString>("english");
    QTest::newRow("file menu") << 1000 << "&Datei" << "&File";
    QTest::newRow("typo kept") << 1040 << "Datenabank speichern &unter..." << "Save Database &under...";
    QTest::newRow("double ampersand") << 1080 << "S&chriftart && Schriftfarben" << "&Font && Fontcolor";
    QTest::newRow("odd id 1255") << 1255 << "ohne 'http://'" << "without 'http://'";
    QTest::newRow("same in both") << 1690 << "HTML - E&xport" << "HTML - E&xport";
    QTest::newRow("answer label") << 1220 << "A:" << "A:";
    QTest::newRow("sort") << 3000 << "Datenbank s&ortieren" << "Sor&t Database";
    QTest::newRow("insert pair") << 4003 << "ein&fügen" << "&insert";
    QTest::newRow("donation pair") << 4009 << "Unterstützung" << "Donation";
    QTest::newRow("scheme editor") << 1480 << "zurück" << "go back";
}

void tst_interfacetexts::captions()
{
    QFETCH(int, germanId);
    QFETCH(QString, german);
    QFETCH(QString, english);
    QCOMPARE(caption(germanId, false), german);
    QCOMPARE(caption(germanId, true), english);
}

void tst_interfacetexts::everyGermanTextHasAnEnglishPartner()
{
    int found = 0;
    for (int id = 1000; id <= 1860; id += 5) {
        try {
            interfaceText(id);
        } catch (const AppError &) {
            continue;
        }
        ++found;
        QVERIFY2(!interfaceText(captionId(id, true)).isEmpty(), qPrintable(QString::number(id)));
    }
    QVERIFY(found >= 60);
}

void tst_interfacetexts::missingIdIsAnError_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("below the table") << 999;
    QTest::newRow("gap") << 1005;
    QTest::newRow("unused pair") << 1490;
    QTest::newRow("above the table") << 4011;
}

void tst_interfacetexts::missingIdIsAnError()
{
    QFETCH(int, id);
    try {
        interfaceText(id);
        QFAIL("a missing id gave a text");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), int(AppError::ResourceNotFound));
    }
}

QTEST_GUILESS_MAIN(tst_interfacetexts)
#include "tst_interfacetexts.moc"
