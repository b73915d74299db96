#include "app/apperror.h"
#include "app/interfacetexts.h"

#include <QTest>

using namespace askbright;

class tst_interfacetexts : public QObject {
    Q_OBJECT
private slots:
    void captions_data()
    {
        QTest::addColumn<QString>("german");
        QTest::addColumn<int>("germanId");
        QTest::addColumn<QString>("english");
        // Typing errors are part of the texts users know and stay as they are.
        QTest::newRow("typo") << "Datenabank speichern &unter..." << 1040
                              << "Save Database &under...";
        QTest::newRow("&&") << "S&chriftart && Schriftfarben" << 1080 << "&Font && Fontcolor";
        QTest::newRow("layout editor")
            << "Seiteneinstellung/Vorschau" << 1500 << "Page layout/preview";
        QTest::newRow("last pair") << "Unterstützung" << 4009 << "Donation";
        // No text: the id is missing in both languages.
        QTest::newRow("below table") << QString() << 999 << QString();
        QTest::newRow("gap") << QString() << 1005 << QString();
        QTest::newRow("above table") << QString() << 4011 << QString();
    }

    void captions()
    {
        QFETCH(QString, german);
        QFETCH(int, germanId);
        QFETCH(QString, english);
        for (const Language language : {Language::German, Language::English}) {
            try {
                QCOMPARE(caption(germanId, language), language.isEnglish() ? english : german);
                QVERIFY2(!german.isNull(), "a missing id gave a text");
            } catch (const AppError &e) {
                QVERIFY(german.isNull());
                QCOMPARE(e.number(), int(AppError::ResourceNotFound));
            }
        }
    }

    void everyGermanTextHasAnEnglishPartner()
    {
        int found = 0;
        for (int id = 1000; id <= 1860; id += 5) {
            try {
                interfaceText(id);
            } catch (const AppError &) {
                continue;
            }
            ++found;
            QVERIFY2(!caption(id, Language::English).isEmpty(), qPrintable(QString::number(id)));
        }
        QVERIFY(found >= 60);
    }
};

QTEST_GUILESS_MAIN(tst_interfacetexts)
#include "tst_interfacetexts.moc"
