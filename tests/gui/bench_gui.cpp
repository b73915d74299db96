#include "gui/session.h"

#include <QElapsedTimer>

using namespace askbright;

// Start-up to the main window, and the largest database in the window:
// 2000 records with 2 KB answers opened, browsed and saved.
class bench_gui : public QObject {
    Q_OBJECT
private slots:
    void startUp();
    void openLargeDatabase();
    void browseLargeDatabase();
    void saveLargeDatabase();

private:
    static QString writeLarge(testutil::Session &s);
};

QString bench_gui::writeLarge(testutil::Session &s)
{
    QList<FaqRecord> records;
    for (int i = 1; i <= 2000; ++i) {
        FaqRecord r;
        r.question = QStringLiteral("Frage %1?").arg(i);
        r.answer = QStringLiteral("Antwort äöü mit Zeilen\r\n").repeated(90).left(2048);
        r.createdDate = QStringLiteral("06.12.2026");
        records << r;
    }
    const QString path = s.path(QStringLiteral("large.faq"));
    faq_speichern(path, records);
    return path;
}

void bench_gui::startUp()
{
    QBENCHMARK {
        testutil::Session s;
        QVERIFY(s.w().isVisible());
    }
}

void bench_gui::openLargeDatabase()
{
    testutil::Session s;
    const QString path = writeLarge(s);
    QBENCHMARK {
        s.open(path);
    }
    QCOMPARE(s.state.database.recordCount(), 2000);
}

void bench_gui::browseLargeDatabase()
{
    testutil::Session s;
    s.open(writeLarge(s));
    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i < 2000; ++i)
        s.w().cmdvor_Click();
    qInfo("one move: %lld us", timer.nsecsElapsed() / 1999 / 1000);
    QCOMPARE(s.position(), QStringLiteral(" 2000 von  2000"));
}

void bench_gui::saveLargeDatabase()
{
    testutil::Session s;
    s.open(writeLarge(s));
    QBENCHMARK {
        QVERIFY(s.w().mnudatspeichern_Click());
    }
}

QTEST_MAIN(bench_gui)
#include "bench_gui.moc"
