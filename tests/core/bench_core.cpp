#include "database/faqfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace askbright;

// Load and save of the largest database: 2000 records with 2 KB answers.
class bench_core : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("large.faq"));
    QList<FaqRecord> m_records;

private slots:
    void initTestCase()
    {
        const QString answer =
            QStringLiteral("Antwort mit Umlauten äöü, Zeilen\r\n").repeated(64).left(2048);
        m_records.fill(
            {"Wie geht das?", answer, "Fragesteller", "www.example.org", 1, "06.12.2026"}, 2000);
        faq_speichern(m_path, m_records);
    }

    void loadFaq()
    {
        QBENCHMARK
        {
            QCOMPARE(faq_einlesen(m_path).size(), 2000);
        }
    }

    // Saving is checked by reading the result back in full.
    void saveFaq()
    {
        QBENCHMARK
        {
            faq_speichern(m_path, m_records);
        }
        QCOMPARE(faq_einlesen(m_path), m_records);
    }
};

QTEST_GUILESS_MAIN(bench_core)
#include "bench_core.moc"
