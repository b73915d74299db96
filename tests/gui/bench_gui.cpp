#include "gui/session.h"

#include <QElapsedTimer>

using namespace askbright;

// Start-up to the main window, and the largest database in the window:
// 2000 records with 2 KB answers opened, browsed and saved.
class bench_gui : public QObject {
    Q_OBJECT
private slots:
    void startUp()
    {
        QBENCHMARK
        {
            testutil::Session s;
            QVERIFY(s.w().isVisible());
        }
    }

    void largeDatabase()
    {
        testutil::Session s;
        QList<FaqRecord> records(2000);
        for (FaqRecord &r : records) {
            r.question = QStringLiteral("Frage?");
            r.answer = QStringLiteral("Antwort äöü mit Zeilen\r\n").repeated(90).left(2048);
        }
        const QString path = s.path(QStringLiteral("large.faq"));
        faq_speichern(path, records);
        QElapsedTimer timer;
        timer.start();
        s.open(path);
        const qint64 open = timer.restart();
        for (int i = 1; i < 2000; ++i)
            s.w().recordEditor().onNextClicked();
        const qint64 browse = timer.restart();
        QVERIFY(s.w().onSaveDatabaseTriggered());
        qInfo("open %lld ms, one move %lld us, save %lld ms", open, browse * 1000 / 1999,
              timer.elapsed());
        QCOMPARE(s.position(), QStringLiteral(" 2000 von  2000"));
    }
};

QTEST_MAIN(bench_gui)
#include "bench_gui.moc"
