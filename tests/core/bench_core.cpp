#include "database/faqfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace askbright;

// Load and save of the largest database: 2000 records with 2 KB answers.
class bench_core : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void loadFaq();
    void saveFaq();

private:
    QTemporaryDir m_dir;
    QString m_path;
    QList<FaqRecord> m_records;
};

void bench_core::initTestCase()
{
    for (int i = 1; i <= 2000; ++i) {
        FaqRecord r;
        r.question = QStringLiteral("Frage Nummer %1: wie funktioniert das?").arg(i);
        r.answer = QStringLiteral("Antwort mit Umlauten äöü und Zeilen\r\n").repeated(56).left(2048);
        r.extraInfo = QStringLiteral("Fragesteller %1").arg(i);
        r.homepageLink = QStringLiteral("http://www.example.org/%1").arg(i);
        r.infoWithQuestion = qint16(i % 2);
        r.createdDate = QStringLiteral("06.12.2026");
        m_records << r;
    }
    m_path = m_dir.filePath(QStringLiteral("large.faq"));
    faq_speichern(m_path, m_records);
}

void bench_core::loadFaq()
{
    QList<FaqRecord> read;
    QBENCHMARK {
        read = faq_einlesen(m_path);
    }
    QCOMPARE(read, m_records);
}

void bench_core::saveFaq()
{
    QBENCHMARK {
        faq_speichern(m_path, m_records);
    }
    QCOMPARE(faq_einlesen(m_path).size(), 2000);
}

QTEST_GUILESS_MAIN(bench_core)
#include "bench_core.moc"
