#include "app/twips.h"
#include "database/exchange.h"
#include "gui/captions.h"
#include "gui/session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QToolBar>
#include <unistd.h>

using namespace askbright;
using testutil::Session;

namespace {

FaqRecord record(const QString &question, const QString &answer, const QString &extra = {})
{
    FaqRecord r;
    r.question = question;
    r.answer = answer;
    r.extraInfo = extra;
    r.createdDate = QStringLiteral("01.02.2024");
    return r;
}

// Stored texts: the quote substitute stands for a double quote.
const QList<FaqRecord> sample{
    record(QStringLiteral("Wie installiere ich das Programm?"), QStringLiteral("Mit dem Setup."),
           QStringLiteral("Anna")),
    record(QStringLiteral("Wo finde ich Hilfe?"),
           QStringLiteral("Im Menü Hilfe, siehe Setup-Seite."), QStringLiteral("Setup-Team")),
    record(QStringLiteral("Was kostet es?"), QStringLiteral("Nichts.")),
    record(QStringLiteral("Was heißt \u00A8frei\u00A8?"), QStringLiteral("Ohne Kosten.")),
};

// A session with the sample database open, in the given language.
void openSample(Session &s, bool english = false, const QList<FaqRecord> &records = sample)
{
    s.state.setLanguage(english ? Language::English : Language::German);
    faq_speichern(s.path(QStringLiteral("beispiel.faq")), records);
    s.open(s.path(QStringLiteral("beispiel.faq")));
    s.dialogs.messages.clear();
}

struct FindDriver {
    Session &s;
    QToolBar *bar() { return s.get<QToolBar>("barsuchen"); }
    QLineEdit *edit() { return s.get<QLineEdit>("txtsuchen"); }
    QString count() { return s.get<QLabel>("lbltreffer")->text(); }
    // byKey: Ctrl+F in the window, which must be the active one.
    void open(bool byKey = false)
    {
        if (byKey)
            QTest::keyClick(&s.w(), Qt::Key_F, Qt::ControlModifier);
        else
            s.action("mnusuchen")->trigger();
    }
    void search(const QString &text, bool byKey = false)
    {
        open(byKey);
        QTest::keyClicks(edit(), text);
    }
    // The whole text at once, as pasted.
    void paste(const QString &text)
    {
        open();
        edit()->setText(text);
    }
    // Positive: Next that many times, negative: Previous.
    void step(int steps, const QString &how)
    {
        for (int i = 0; i < std::abs(steps); ++i) {
            const bool forward = steps > 0;
            if (how == QLatin1String("button"))
                s.button(forward ? "cmdsuchweiter" : "cmdsuchzurueck")->click();
            else if (how == QLatin1String("return"))
                QTest::keyClick(edit(), Qt::Key_Return,
                                forward ? Qt::NoModifier : Qt::ShiftModifier);
            else
                QTest::keyClick(&s.w(), Qt::Key_F3, forward ? Qt::NoModifier : Qt::ShiftModifier);
        }
    }
};

// The selected text of each field that has a selection, as "name=text".
QStringList selections(Session &s)
{
    QStringList out;
    for (const char *name : {"txtfrage", "txtantwort"}) {
        const QString text = s.get<QPlainTextEdit>(name)->textCursor().selectedText();
        if (!text.isEmpty())
            out << QLatin1String(name) + u'=' + text;
    }
    const QString extra = s.get<QLineEdit>("txtzusatz1")->selectedText();
    if (!extra.isEmpty())
        out << QStringLiteral("txtzusatz1=") + extra;
    return out;
}

QByteArray csvOf(const QStringList &rows)
{
    return (QStringLiteral("Frage,Antwort\r\n") + rows.join(QStringLiteral("\r\n")) +
            QStringLiteral("\r\n"))
        .toUtf8();
}

} // namespace

class tst_find : public QObject {
    Q_OBJECT
private slots:
    void stepsSelectTheHit_data();
    void stepsSelectTheHit();
    void noMatchStays_data();
    void noMatchStays();
    void countFollowsEdits_data();
    void countFollowsEdits();
    void closing_data();
    void closing();
    void editCommittedBeforeMoving_data();
    void editCommittedBeforeMoving();
    void captions_data();
    void captions();
    void manySteps();
    void exchangeEntriesEnabled_data();
    void exchangeEntriesEnabled();
    void import_data();
    void import();
    void exportReadsBack_data();
    void exportReadsBack();
    void exportFailure_data();
    void exportFailure();
};

void tst_find::stepsSelectTheHit_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("count");

    const QStringList firstSetup{QStringLiteral("txtantwort=Setup")};
    // "setup": record 1 answer, record 2 answer, record 2 extra info.
    QTest::newRow("typing shows the first hit, in an answer")
        << false << "setup" << 0 << "button"
        << " 1 von  4" << firstSetup << "1 von 3 Treffern";
    QTest::newRow("next reaches the extra info")
        << true << "setup" << 2 << "button"
        << " 2 of  4" << QStringList{"txtzusatz1=Setup"} << "3 of 3 hits";
    QTest::newRow("next wraps around to the first hit")
        << false << "setup" << 3 << "return"
        << " 1 von  4" << firstSetup << "1 von 3 Treffern";
    QTest::newRow("previous wraps backwards to the last hit")
        << true << "setup" << -1 << "return"
        << " 2 of  4" << QStringList{"txtzusatz1=Setup"} << "3 of 3 hits";
    QTest::newRow("previous from the last hit")
        << true << "setup" << -2 << "f3"
        << " 2 of  4" << QStringList{"txtantwort=Setup"} << "2 of 3 hits";
    QTest::newRow("a question, letter case ignored")
        << false << "KOSTET" << 0 << "button"
        << " 3 von  4" << QStringList{"txtfrage=kostet"} << "1 von 1 Treffer";
    QTest::newRow("a double quote as the window shows it")
        << true << "\"frei\"" << 0 << "button"
        << " 4 of  4" << QStringList{"txtfrage=\"frei\""} << "1 of 1 hit";
    QTest::newRow("F3 steps from anywhere in the window")
        << true << "hilfe" << 2 << "f3"
        << " 2 of  4" << QStringList{"txtfrage=Hilfe"} << "1 of 2 hits";
}

void tst_find::stepsSelectTheHit()
{
    QFETCH(bool, english);
    QFETCH(QString, text);
    QFETCH(int, steps);
    QFETCH(QString, how);
    Session s;
    openSample(s, english);
    s.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.w()));
    FindDriver find{s};
    find.search(text, how == QLatin1String("f3"));
    find.step(steps, how);

    QTEST(s.position(), "position");
    QTEST(selections(s), "selected");
    QTEST(find.count(), "count");
    QVERIFY(s.dialogs.messages.isEmpty());
    QVERIFY(find.edit()->hasFocus());
}

void tst_find::noMatchStays_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("count");

    QTest::newRow("German") << false << "Zauberei"
                            << "Kein Treffer";
    QTest::newRow("English") << true << "magic"
                             << "No match";
    QTest::newRow("a link is not searched") << true << "http"
                                            << "No match";
}

void tst_find::noMatchStays()
{
    QFETCH(bool, english);
    QFETCH(QString, text);
    QList<FaqRecord> records = sample;
    records[2].homepageLink = QStringLiteral("http://example.org");
    Session s;
    openSample(s, english, records);
    s.w().recordEditor().onLastClicked();
    FindDriver find{s};
    find.paste(text);
    find.step(2, QStringLiteral("button"));

    QTEST(find.count(), "count");
    QCOMPARE(s.position(), english ? QStringLiteral(" 4 of  4") : QStringLiteral(" 4 von  4"));
    QCOMPARE(s.question(), QStringLiteral("Was heißt \"frei\"?"));
    QVERIFY(selections(s).isEmpty());
    QVERIFY(s.dialogs.messages.isEmpty());
    QVERIFY(!s.state.database.hasUnsavedChanges());
}

void tst_find::countFollowsEdits_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("next"); // the count after one more step

    // Before each edit: "setup" found, the first hit (record 1 answer) shown.
    QTest::newRow("typing a hit into the shown answer") << "answer"
                                                        << "1 von 4 Treffern"
                                                        << "2 von 4 Treffern";
    QTest::newRow("typing a hit into the extra info") << "extra"
                                                      << "1 von 4 Treffern"
                                                      << "2 von 4 Treffern";
    // The hit shown no longer stands where it was; the step goes on from there.
    QTest::newRow("typing a hit before the shown one") << "before"
                                                       << "4 Treffer"
                                                       << "2 von 4 Treffern";
    QTest::newRow("deleting the record shown") << "delete"
                                               << "2 Treffer"
                                               << "1 von 2 Treffern";
    QTest::newRow("a record inserted and typed") << "insert"
                                                 << "1 von 4 Treffern"
                                                 << "2 von 4 Treffern";
}

void tst_find::countFollowsEdits()
{
    QFETCH(QString, edit);
    Session s;
    openSample(s);
    FindDriver find{s};
    find.search(QStringLiteral("setup"));
    QCOMPARE(find.count(), QStringLiteral("1 von 3 Treffern"));

    auto *answer = s.get<QPlainTextEdit>("txtantwort");
    if (edit == QLatin1String("answer")) {
        answer->moveCursor(QTextCursor::End);
        answer->insertPlainText(QStringLiteral(" Setup hilft."));
    } else if (edit == QLatin1String("extra")) {
        auto *extra = s.get<QLineEdit>("txtzusatz1");
        extra->setFocus();
        extra->end(false);
        QTest::keyClicks(extra, QStringLiteral(" setup"));
    } else if (edit == QLatin1String("before")) {
        answer->moveCursor(QTextCursor::Start);
        answer->insertPlainText(QStringLiteral("Setup: "));
    } else if (edit == QLatin1String("delete")) {
        s.dialogs.answers << AnswerOk;
        s.w().recordEditor().onDeleteClicked();
    } else {
        s.w().recordEditor().onNextClicked();
        s.w().recordEditor().onInsertClicked();
        s.type(QStringLiteral("Braucht es ein Setup?"), QStringLiteral("Ja."));
    }
    QFETCH(QString, count);
    QTRY_COMPARE(find.count(), count);
    find.step(1, QStringLiteral("button"));
    QTEST(find.count(), "next");
    QCOMPARE(selections(s).size(), 1);
    QVERIFY(selections(s).first().endsWith(QLatin1String("=Setup"), Qt::CaseInsensitive));
}

void tst_find::closing_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("Escape in the text box") << "escape";
    QTest::newRow("Escape on a button") << "escape button";
    QTest::newRow("close button") << "close";
    QTest::newRow("closing the window with the bar open") << "window";
}

void tst_find::closing()
{
    QFETCH(QString, how);
    Session s;
    openSample(s);
    FindDriver find{s};
    const QSize before = s.w().size();
    const QRect field = s.get<QPlainTextEdit>("txtantwort")->geometry();
    find.search(QStringLiteral("setup"));
    QVERIFY(find.bar()->isVisible());
    QVERIFY(s.w().height() > before.height());
    // The record's controls keep their size while the bar is open.
    QTRY_COMPARE(s.get<QPlainTextEdit>("txtantwort")->geometry(), field);

    if (how == QLatin1String("window")) {
        // The size remembered for the next start is the window's without the bar.
        s.w().close();
        QCOMPARE(s.state.settings.windowHeight, twips16FromPixels(before.height()));
        QCOMPARE(s.state.settings.windowWidth, twips16FromPixels(before.width()));
        return;
    }
    if (how == QLatin1String("escape"))
        QTest::keyClick(find.edit(), Qt::Key_Escape);
    else if (how == QLatin1String("escape button"))
        QTest::keyClick(s.button("cmdsuchweiter"), Qt::Key_Escape);
    else
        s.button("cmdsuchende")->click();

    QVERIFY(!find.bar()->isVisible());
    QCOMPARE(s.w().size(), before);
    // The hit shown stays selected where the user goes on typing.
    QCOMPARE(selections(s), QStringList{QStringLiteral("txtantwort=Setup")});
}

void tst_find::editCommittedBeforeMoving_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("position");

    QTest::newRow("next") << 1 << " 2 von  4";
    QTest::newRow("previous") << -1 << " 2 von  4";
}

void tst_find::editCommittedBeforeMoving()
{
    QFETCH(int, steps);
    Session s;
    openSample(s);
    FindDriver find{s};
    find.search(QStringLiteral("setup"));
    auto *question = s.get<QPlainTextEdit>("txtfrage");
    question->setPlainText(QStringLiteral("Wie richte ich \"alles\" ein?"));
    find.step(steps, QStringLiteral("button"));

    QTEST(s.position(), "position");
    QCOMPARE(s.state.database.record(1).question,
             QStringLiteral("Wie richte ich \u00A8alles\u00A8 ein?"));
    QVERIFY(s.state.database.hasUnsavedChanges());
    QVERIFY(s.dialogs.messages.isEmpty());

    // A record without question is not left: the user is asked to complete
    // it. (Record 2 holds two hits; the second step would leave it.)
    question->clear();
    find.step(2 * steps, QStringLiteral("button"));
    QTEST(s.position(), "position");
    QCOMPARE(s.dialogs.messages.size(), 1);
    QCOMPARE(s.dialogs.messages.first().title, QStringLiteral("Unvollständige Eingabe"));
}

void tst_find::captions_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("buttons");

    QTest::newRow("German") << false
                            << QStringList{"",
                                           "CSV &importieren...",
                                           "&Markdown importieren...",
                                           "Als CS&V exportieren...",
                                           "Als Mar&kdown exportieren...",
                                           "",
                                           "Su&chen..."}
                            << QStringList{"Zurück", "Weiter", "X", "Kein Treffer"};
    QTest::newRow("English") << true << QStringList{"",
                                                    "Import &CSV...",
                                                    "Import &Markdown...",
                                                    "Export as CS&V...",
                                                    "Export as Mar&kdown...",
                                                    "",
                                                    "&Find..."}
                             << QStringList{"Previous", "Next", "X", "No match"};
}

void tst_find::captions()
{
    QFETCH(bool, english);
    QFETCH(QStringList, entries);
    Session s;
    openSample(s);
    FindDriver find{s};
    find.search(QStringLiteral("nirgends"));
    // The bar follows a language switch while it is open.
    if (english)
        s.w().onEnglishTriggered();

    const QList<QAction *> actions = s.get<QMenu>("mnudatei")->actions();
    const qsizetype saveAs = actions.indexOf(s.action("mnudatspeiunter"));
    QStringList texts;
    for (const QAction *a : actions.mid(saveAs + 1, entries.size()))
        texts << a->text();
    QCOMPARE(texts, entries);
    QCOMPARE(actions.value(saveAs + 1 + entries.size()), s.action("mnusort"));
    QCOMPARE(s.action("mnusuchen")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    // Every entry but the recent files has an access key of its own.
    QStringList keys;
    for (const QAction *a : actions)
        if (!a->isSeparator() &&
            !a->objectName().contains(QRegularExpression(QStringLiteral("^m\\d$"))))
            keys << QKeySequence::mnemonic(a->text()).toString();
    QVERIFY(!keys.contains(QString()));
    QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), keys.size());

    QStringList captions;
    for (const char *name : {"cmdsuchzurueck", "cmdsuchweiter", "cmdsuchende"})
        captions << s.button(name)->caption();
    captions << find.count();
    QTEST(captions, "buttons");
    QCOMPARE(testutil::cutOffCaptions(find.bar()), QStringList());
    // Every part of the bar is shown whole, none pushed out of the window.
    for (const char *name :
         {"txtsuchen", "cmdsuchzurueck", "cmdsuchweiter", "lbltreffer", "cmdsuchende"}) {
        const auto *w = find.bar()->findChild<QWidget *>(QLatin1String(name));
        QTRY_VERIFY2(w->isVisible(), name);
        QVERIFY2(s.w().rect().contains(QRect(w->mapTo(&s.w(), QPoint()), w->size())), name);
    }
}

void tst_find::manySteps()
{
    Session s;
    s.open(s.writeDatabase(QStringLiteral("gross.faq"), 2000));
    FindDriver find{s};
    find.search(QStringLiteral("Q1"));
    QCOMPARE(find.count(), QStringLiteral("1 von 1111 Treffern"));
    QElapsedTimer timer;
    timer.start();
    find.step(100, QStringLiteral("button"));
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(find.count(), QStringLiteral("101 von 1111 Treffern"));
    QCOMPARE(s.question(), QStringLiteral("Q189"));
}

void tst_find::exchangeEntriesEnabled_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<bool>("import");
    QTest::addColumn<bool>("exportable");

    QTest::newRow("none yet") << "none" << false << false;
    QTest::newRow("a new one") << "new" << true << true;
    QTest::newRow("one opened") << "open" << true << true;
    QTest::newRow("every record deleted") << "emptied" << true << false;
}

void tst_find::exchangeEntriesEnabled()
{
    QFETCH(QString, database);
    Session s;
    if (database == QLatin1String("new")) {
        s.w().onNewDatabaseTriggered();
    } else if (database != QLatin1String("none")) {
        s.open(s.writeDatabase(QStringLiteral("eins.faq"), 1));
        if (database == QLatin1String("emptied")) {
            s.dialogs.answers << AnswerOk;
            s.w().recordEditor().onDeleteClicked();
        }
    }
    emit s.get<QMenu>("mnudatei")->aboutToShow();
    for (const char *name : {"mnuimportcsv", "mnuimportmd"})
        QTEST(s.action(name)->isEnabled(), "import");
    for (const char *name : {"mnuexportcsv", "mnuexportmd"})
        QTEST(s.action(name)->isEnabled(), "exportable");
    QVERIFY(s.action("mnusuchen")->isEnabled());
}

void tst_find::import_data()
{
    QTest::addColumn<int>("existing"); // records Q1.. in the database, -1: the sample
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("shown"); // question | answer of the record shown
    QTest::addColumn<QString>("message");

    QTest::newRow("CSV with quoted commas, quotes and line breaks")
        << -1 << "neu.csv"
        << QByteArray("Frage,Antwort,Zusatz\r\n"
                      "\"Komma, Punkt?\",\"Er sagte \"\"Hallo\"\"\r\nund ging.\",Anna\r\n"
                      "Zweite Frage,Zweite Antwort,\r\n")
        << 6 << "Komma, Punkt?|Er sagte \"Hallo\"\nund ging."
        << "2 Datensätze übernommen.";
    QTest::newRow("a database of 1999 records takes one")
        << 1999 << "voll.csv" << csvOf({"Eins,Antwort", "Zwei,Antwort", "Drei,Antwort"}) << 2000
        << "Eins|Antwort"
        << "1 Datensatz übernommen.\r2 Zeilen nicht übernommen.\r\r"
           "Zeilen 3–4: nicht übernommen, die Datenbank enthält bereits 2000 Datensätze";
    QTest::newRow("characters a .faq cannot hold are replaced, a record of an answer taken")
        << 2 << "luecken.csv"
        << csvOf({",nur Antwort", "Gut,Antwort", "Pfeil \u2192 \U0001F600,Antwort"}) << 5
        << "|nur Antwort"
        << "3 Datensätze übernommen, 1 davon geändert.\r\r"
           "Zeile 4, Frage: „\u2192\U0001F600“ durch „?“ ersetzt";
    QStringList empty(25, QStringLiteral(",,x"));
    empty.prepend(QStringLiteral("Eine,Antwort"));
    QStringList listed;
    for (int line = 3; line < 23; ++line)
        listed << QStringLiteral("Zeile %1: nicht übernommen, weder Frage noch Antwort").arg(line);
    QTest::newRow("a long list is cut short, all of it in the details")
        << 1 << "lang.csv" << csvOf(empty) << 2 << "Eine|Antwort"
        << "1 Datensatz übernommen.\r25 Zeilen nicht übernommen.\r\r" + listed.join(u'\r') +
               "\r... und 5 weitere (siehe Details)";
    QTest::newRow("a file that is not CSV")
        << 2 << "brief.csv" << QByteArray("Lieber Hans,\r\nwie geht es dir?\r\n") << 2 << "Q1|A1"
        << "Die Datei ist keine CSV-Datei mit einer Kopfzeile der Spalten\r"
           "(Frage, Antwort, Zusatz, Link, Datum).\rEs wurde nichts übernommen.";
    QTest::newRow("a file that does not exist")
        << 2 << "" << QByteArray() << 2 << "Q1|A1"
        << "53  Datei nicht gefunden: {{path}}\rEs wurde nichts übernommen.";
    QTest::newRow("Markdown with two headings")
        << 2 << "faq.md"
        << QByteArray("# Titel\n\n## Erste Frage?\n\nErste Antwort.\n\n"
                      "## Zweite Frage?\nZweite Antwort.\n")
        << 4 << "Erste Frage?|Erste Antwort."
        << "2 Datensätze übernommen.";
    QTest::newRow("Markdown without a question")
        << 2 << "brief.md" << QByteArray("# Titel\n\nText\n") << 2 << "Q1|A1"
        << "Die Datei enthält keine Frage: keine Zeile beginnt mit „## “.\r"
           "Es wurde nichts übernommen.";
    QTest::newRow("tab-separated")
        << 2 << "neu.tsv" << csvOf({"Neu?,Ja"}).replace(',', '\t') << 3 << "Neu?|Ja"
        << "1 Datensatz übernommen.";
}

void tst_find::import()
{
    QFETCH(int, existing);
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    Session s;
    if (existing < 0)
        openSample(s);
    else
        s.open(s.writeDatabase(QStringLiteral("daten.faq"), existing));
    s.dialogs.messages.clear();
    const QList<FaqRecord> before = s.state.database.records();
    const QString path = s.path(file.isEmpty() ? QStringLiteral("fehlt.csv") : file);
    if (!file.isEmpty())
        QVERIFY(testutil::writeBytes(path, bytes));
    s.dialogs.files << path;
    if (file.endsWith(QLatin1String(".md")))
        s.action("mnuimportmd")->trigger();
    else
        s.action("mnuimportcsv")->trigger();

    QFETCH(int, count);
    const FaqDatabase &db = s.state.database;
    QCOMPARE(db.recordCount(), count);
    QCOMPARE(db.records().first(before.size()), before);
    QCOMPARE(db.hasUnsavedChanges(), count > before.size());
    QTEST(s.question() + u'|' + s.get<QPlainTextEdit>("txtantwort")->toPlainText(), "shown");
    QCOMPARE(s.position(), QStringLiteral(" %1 von  %2")
                               .arg(count > before.size() ? before.size() + 1 : 1)
                               .arg(count));
    QCOMPARE(s.dialogs.messages.size(), 1);
    QFETCH(QString, message);
    const Message &shownMessage = s.dialogs.messages.first();
    QCOMPARE(shownMessage.text, message.replace(QLatin1String("{{path}}"), path));
    // Every note is in the details when the text lists only the first.
    QCOMPARE(shownMessage.details.split(u'\n', Qt::SkipEmptyParts).size(),
             message.contains(QLatin1String("Details")) ? 25 : 0);
    QCOMPARE(s.dialogs.fileRequests.last().filter,
             file.endsWith(QLatin1String(".md"))
                 ? QStringLiteral("Markdown (*.md, *.markdown)|*.md;*.markdown")
                 : QStringLiteral("CSV (*.csv, *.tsv, *.txt)|*.csv;*.tsv;*.txt"));
}

void tst_find::exportReadsBack_data()
{
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("csv");
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("CSV") << true << true << "";
    QTest::newRow("Markdown of a saved database") << true << false << "# beispiel.v2";
    QTest::newRow("Markdown of a new database") << false << false << "# FAQ";
}

void tst_find::exportReadsBack()
{
    QFETCH(bool, saved);
    QFETCH(bool, csv);
    QList<FaqRecord> records = sample;
    records[0].homepageLink = QStringLiteral("http://example.org/a,b");
    records[1].infoWithQuestion = 1;
    records[2].answer = QStringLiteral("Zeile eins\r\nZeile \u00A8zwei\u00A8, drei");
    Session s;
    if (saved) {
        faq_speichern(s.path(QStringLiteral("beispiel.v2.faq")), records);
        s.open(s.path(QStringLiteral("beispiel.v2.faq")));
    } else {
        s.w().onNewDatabaseTriggered();
        records = {record(QString(), sample[0].answer)};
        records[0].createdDate = s.state.database.record(1).createdDate;
        s.get<QPlainTextEdit>("txtantwort")->setPlainText(sample[0].answer);
    }
    // The record being typed is written as shown; the export changes nothing.
    s.get<QPlainTextEdit>("txtfrage")->setPlainText(QStringLiteral("Wie installiere ich es?"));
    records[0].question = QStringLiteral("Wie installiere ich es?");
    const bool dirty = s.state.database.hasUnsavedChanges();

    const QString path = s.path(csv ? QStringLiteral("aus.csv") : QStringLiteral("aus.md"));
    s.dialogs.files << path;
    csv ? s.action("mnuexportcsv")->trigger() : s.action("mnuexportmd")->trigger();

    QVERIFY(s.dialogs.messages.isEmpty());
    QCOMPARE(s.dialogs.fileRequests.last().kind, FileDialogKind::Save);
    QCOMPARE(s.state.database.hasUnsavedChanges(), dirty);
    const QByteArray bytes = testutil::readBytes(path);
    const ImportResult back = csv ? importCsv(bytes, 2000, QStringLiteral("09.09.2099"))
                                  : importMarkdown(bytes, 2000, QStringLiteral("09.09.2099"));
    QVERIFY(back.notes.isEmpty());
    QCOMPARE(back.records, records);
    QFETCH(QString, firstLine);
    if (!csv)
        QCOMPARE(QString::fromUtf8(bytes).section(u'\n', 0, 0).trimmed(), firstLine);
}

void tst_find::exportFailure_data()
{
    QTest::addColumn<QString>("target");

    QTest::newRow("folder that does not exist") << "fehlt/aus.csv";
    QTest::newRow("a file where the folder should be") << "datei.txt/aus.csv";
    QTest::newRow("read-only folder") << "nurlesen/aus.csv";
}

void tst_find::exportFailure()
{
    QFETCH(QString, target);
    if (target.startsWith(QLatin1String("nurlesen")) && ::geteuid() == 0)
        QSKIP("the superuser writes into read-only folders");
    Session s;
    openSample(s);
    QVERIFY(testutil::writeBytes(s.path(QStringLiteral("datei.txt")), "x"));
    QDir(s.dir.path()).mkdir(QStringLiteral("nurlesen"));
    QFile::setPermissions(s.path(QStringLiteral("nurlesen")), QFile::ReadOwner | QFile::ExeOwner);
    const QString path = s.path(target);
    s.dialogs.files << path;
    s.action("mnuexportcsv")->trigger();
    QFile::setPermissions(s.path(QStringLiteral("nurlesen")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(s.dialogs.messages.size(), 1);
    const Message &m = s.dialogs.messages.first();
    QVERIFY2(m.text.startsWith(QStringLiteral("Die Datei konnte nicht geschrieben werden:\r") +
                               path + u'\r'),
             qPrintable(m.text));
    QCOMPARE(m.title, QStringLiteral("Als CSV exportieren"));
    QCOMPARE(m.icon, MessageIcon::Critical);
    QVERIFY(s.errors.reports.isEmpty());
}

QTEST_MAIN(tst_find)
#include "tst_find.moc"
