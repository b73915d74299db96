#include "database/exchange.h"
#include "editor/recordexchangecommands.h"
#include "gui/session.h"

#include <QMenu>
#include <QSignalSpy>

using namespace askbright;
using testutil::Kit;

namespace {

// The commands on their own, in a file menu, over a database of `count`
// records "Q1"/"A1" ... saved as daten.faq.
struct Commands : Kit {
    QMenu menu;
    QAction *before = menu.addAction(QStringLiteral("sort"));
    RecordExchangeCommands commands{context, &menu, before,
                                    [this] { return state.database.records(); }};

    explicit Commands(int count)
    {
        state.database.replaceRecords(numberedRecords(count));
        state.database.setFilePath(path(QStringLiteral("daten.faq")));
        state.database.markSaved();
        commands.retranslate(Language::German);
    }
    QAction *action(const char *name) { return testutil::child<QAction>(menu, name); }
};

QByteArray csvOf(const QStringList &rows)
{
    return ("Frage,Antwort\r\n" + rows.join("\r\n") + "\r\n").toUtf8();
}

} // namespace

class tst_recordexchange : public QObject {
    Q_OBJECT
private slots:
    void import_data()
    {
        QTest::addColumn<int>("existing");
        QTest::addColumn<QString>("file"); // "": one that does not exist
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("message");
        QTest::newRow("a database of 1999 records takes one")
            << 1999 << "voll.csv" << csvOf({"Eins,Antwort", "Zwei,Antwort", "Drei,Antwort"}) << 2000
            << "1 Datensatz übernommen.\r2 Zeilen nicht übernommen.\r\r"
               "Zeilen 3–4: nicht übernommen, die Datenbank enthält bereits 2000 Datensätze";
        QTest::newRow("a changed record is told")
            << 2 << "luecken.csv" << csvOf({"Gut,Antwort", "Pfeil \u2192,Antwort"}) << 4
            << "2 Datensätze übernommen, 1 davon geändert.\r\r"
               "Zeile 3, Frage: „\u2192“ durch „?“ ersetzt";
        const QStringList empty = QStringList{"Eine,Antwort"} + QStringList(25, ",,x");
        QStringList listed;
        for (int line = 3; line < 23; ++line)
            listed
                << QStringLiteral("Zeile %1: nicht übernommen, weder Frage noch Antwort").arg(line);
        QTest::newRow("a long list is cut short, all of it in the details")
            << 1 << "lang.csv" << csvOf(empty) << 2
            << "1 Datensatz übernommen.\r25 Zeilen nicht übernommen.\r\r" + listed.join(u'\r') +
                   "\r... und 5 weitere (siehe Details)";
        QTest::newRow("not CSV")
            << 2 << "brief.csv" << QByteArray("Lieber Hans,\r\nwie geht es dir?\r\n") << 2
            << "Die Datei ist keine CSV-Datei mit einer Kopfzeile der Spalten\r"
               "(Frage, Antwort, Zusatz, Link, Datum).\rEs wurde nichts übernommen.";
        QTest::newRow("no such file") << 2 << "" << QByteArray() << 2
                                      << "53  Datei nicht gefunden: {{path}}\r"
                                         "Es wurde nichts übernommen.";
        QTest::newRow("Markdown without a question")
            << 2 << "brief.md" << QByteArray("# Titel\n\nText\n") << 2
            << "Die Datei enthält keine Frage: keine Zeile beginnt mit „## “.\r"
               "Es wurde nichts übernommen.";
    }

    void import()
    {
        QFETCH(int, existing);
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(QString, message);
        Commands c(existing);
        QSignalSpy imported(&c.commands, &RecordExchangeCommands::recordsImported);
        const QString path = c.path(file.isEmpty() ? QStringLiteral("fehlt.csv") : file);
        if (!file.isEmpty())
            QVERIFY(testutil::writeBytes(path, bytes));
        c.dialogs.files << path;
        const bool markdown = file.endsWith(QLatin1String(".md"));
        c.action(markdown ? "mnuimportmd" : "mnuimportcsv")->trigger();

        const FaqDatabase &db = c.state.database;
        QCOMPARE(db.recordCount(), count);
        QCOMPARE(db.records().first(existing), testutil::Kit::numberedRecords(existing));
        QCOMPARE(db.hasUnsavedChanges(), count > existing);
        QCOMPARE(imported.value(0).value(0),
                 count > existing ? QVariant(existing + 1) : QVariant());
        QCOMPARE(c.dialogs.messages.size(), 1);
        const Message &shown = c.dialogs.messages.first();
        QCOMPARE(shown.text, message.replace(QLatin1String("{{path}}"), path));
        // Every note is in the details when the text lists only the first.
        QCOMPARE(shown.details.split(u'\n', Qt::SkipEmptyParts).size(),
                 message.contains(QLatin1String("Details")) ? 25 : 0);
        QCOMPARE(c.dialogs.fileRequests.last().filter.startsWith(u'M'), markdown);
    }

    // The records go out as the window shows them, a blank one at the end
    // left out; the Markdown title is the database's name. A file that cannot
    // be written is told, not reported as an error.
    void exportRecords_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("firstLine"); // of Markdown
        QTest::newRow("CSV") << "aus.csv" << true << "";
        QTest::newRow("Markdown of a saved database") << "aus.md" << true << "# daten";
        QTest::newRow("Markdown of a new database") << "aus.md" << false << "# FAQ";
        QTest::newRow("a folder that does not exist") << "fehlt/aus.csv" << true << "";
    }

    void exportRecords()
    {
        QFETCH(QString, file);
        QFETCH(bool, saved);
        Commands c(2);
        if (!saved)
            c.state.database.setFilePath(QString());
        c.state.database.addRecord(); // shown, still blank
        const QString path = c.path(file);
        const bool csv = file.endsWith(u".csv"), fails = file.startsWith(u"fehlt");
        c.dialogs.files << path;
        c.action(csv ? "mnuexportcsv" : "mnuexportmd")->trigger();
        QCOMPARE(c.dialogs.fileRequests.last().kind, FileDialogKind::Save);
        QCOMPARE(c.dialogs.messages.size(), int(fails));
        QVERIFY(c.errors.reports.isEmpty());
        if (fails) {
            QVERIFY(c.dialogs.messages.first().text.contains(path));
            QCOMPARE(c.dialogs.messages.first().icon, MessageIcon::Critical);
            return;
        }
        const QByteArray bytes = testutil::readBytes(path);
        const ImportResult back = csv ? importCsv(bytes, 2000, QStringLiteral("01.01.2020"))
                                      : importMarkdown(bytes, 2000, QStringLiteral("01.01.2020"));
        QCOMPARE(back.records, testutil::Kit::numberedRecords(2));
        if (!csv)
            QTEST(QString::fromUtf8(bytes).section(u'\n', 0, 0).trimmed(), "firstLine");
    }
};

QTEST_MAIN(tst_recordexchange)
#include "tst_recordexchange.moc"
