#include "app/twips.h"
#include "editor/findbar.h"
#include "gui/session.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QSignalSpy>

using namespace askbright;
using namespace Qt::StringLiterals;
using testutil::Kit;
using testutil::Session;

namespace {

// "setup": record 1 answer, record 2 answer, record 2 extra info. Stored
// texts: the quote substitute stands for a double quote.
FaqRecord record(const QString &question, const QString &answer, const QString &extra = {})
{
    return {question, answer, extra, {}, 0, u"01.02.2024"_s};
}

const QList<FaqRecord> sample{
    record(u"Wie installiere ich das Programm?"_s, u"Mit dem Setup."_s, u"Anna"_s),
    record(u"Wo finde ich Hilfe?"_s, u"Im Menü Hilfe, siehe Setup-Seite."_s, u"Setup-Team"_s),
    record(u"Was kostet es?"_s, u"Nichts."_s),
    record(u"Was heißt \u00A8frei\u00A8?"_s, u"Ohne Kosten."_s),
};

// A find bar on its own, over records the test holds.
struct Bar : Kit {
    QList<FaqRecord> records = sample;
    int shown = 1;
    bool refuseMoves = false;
    QString selected; // "record field position length" of the last hit selected
    QWidget window;
    FindBar bar{context,
                {[this] { return records; }, [this] { return shown; },
                 [this](int record, bool) {
                     if (!refuseMoves)
                         shown = record;
                     return !refuseMoves;
                 },
                 [this](const SearchHit &h) {
                     selected =
                         u"%1 %2 %3 %4"_s.arg(h.record).arg(h.field).arg(h.position).arg(h.length);
                 }},
                &window};

    Bar()
    {
        bar.retranslate(Language::German);
        window.show();
        bar.open();
    }
    QString count() { return testutil::child<QLabel>(bar, u"lbltreffer"_s)->text(); }
};

} // namespace

class tst_find : public QObject {
    Q_OBJECT
private slots:
    // What the user does after typing text: n the Next button, a key on the text field or @ a
    // button, "away" the window showing record 3, "close", "refuse" the window keeping its record
    // (one left incomplete), and edits: a hit typed "after" or "before" the shown one in its
    // answer, the record shown deleted.
    void use_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("script");
        // the count after typing and after each step | record shown | hit
        // selected | the field the user goes on in after closing
        QTest::addColumn<QString>("after");
        const auto row = [](const char *name, const char *text, const char *script,
                            const char *after) {
            QTest::newRow(name) << QString::fromUtf8(text) << script << QString::fromUtf8(after);
        };
        row("typing shows the first hit", "setup", "", "1 von 3 Treffern|1|1 1 8 5|");
        row("one hit, in a question", "\"frei\"", "", "1 von 1 Treffer|4|4 0 10 6|");
        row("no match stays", "Zauberei", "n n", "Kein Treffer,Kein Treffer,Kein Treffer|1||");
        row("Return steps on", "setup", "Return", "1 von 3 Treffern,2 von 3 Treffern|2|2 1 21 5|");
        row("Enter on a button steps on", "setup", "Enter@cmdsuchzurueck",
            "1 von 3 Treffern,2 von 3 Treffern|2|2 1 21 5|");
        row("Shift+Return steps back", "setup", "Shift+Return",
            "1 von 3 Treffern,3 von 3 Treffern|2|2 2 0 5|");
        row("Escape closes: on in the hit's field", "setup", "Escape",
            "1 von 3 Treffern,1 von 3 Treffern|1|1 1 8 5|1");
        row("closed after the window moved on: the question", "setup", "away close",
            "1 von 3 Treffern,1 von 3 Treffern,1 von 3 Treffern|3|1 1 8 5|0");
        row("a refused move selects nothing", "kostet", "refuse", "1 Treffer|1||");
        row("a hit typed after the shown one", "setup", "after n",
            "1 von 3 Treffern,1 von 4 Treffern,2 von 4 Treffern|1|1 1 15 5|");
        row("a hit typed before the shown one", "setup", "before n",
            "1 von 3 Treffern,4 Treffer,2 von 4 Treffern|1|1 1 15 5|");
        row("the record shown deleted", "setup", "delete n",
            "1 von 3 Treffern,2 Treffer,1 von 2 Treffern|1|1 1 21 5|");
    }

    void use()
    {
        QFETCH(QString, text);
        QFETCH(QString, script);
        Bar b;
        QSignalSpy closed(&b.bar, &FindBar::closed);
        b.refuseMoves = script == u"refuse";
        QTest::keyClicks(testutil::child<QLineEdit>(b.bar, u"txtsuchen"_s), text);
        QStringList counts{b.count()};
        for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"refuse")
                continue;
            if (step == u"n") {
                b.bar.onNextClicked();
            } else if (step == u"away") {
                b.shown = 3;
            } else if (step == u"close") {
                b.bar.onCloseClicked();
            } else if (step == u"delete") {
                b.records.removeFirst();
                b.bar.recordsChanged(); // found again once the window shows its record
                QCoreApplication::processEvents();
            } else if (step == u"after" || step == u"before") {
                QString &answer = b.records[0].answer;
                answer = step == u"after" ? answer + u" Setup hilft."_s : u"Setup: "_s + answer;
                b.bar.shownRecordEdited();
            } else {
                const QKeyCombination key = QKeySequence(step.section(u'@', 0, 0))[0];
                const QString target = step.section(u'@', 1);
                QTest::keyClick(
                    testutil::child<QWidget>(b.bar, target.isEmpty() ? u"txtsuchen"_s : target),
                    key.key(), key.keyboardModifiers());
            }
            counts << b.count();
        }
        const QString field =
            closed.isEmpty() ? QString()
                             : QString::number(closed.value(0).value(0).value<SearchHit::Field>());
        QTEST(u"%1|%2|%3|%4"_s.arg(counts.join(u','), QString::number(b.shown), b.selected, field),
              "after");
        QCOMPARE(b.bar.isVisible(), closed.isEmpty());
        QVERIFY(b.dialogs.messages.isEmpty());
    }

    // The window: Ctrl+F, the selection in the record's fields, F3 from
    // anywhere, Escape back to the field of the hit, the record being edited
    // stored before a step, the count in either language, the room the bar takes.
    void windowWiring()
    {
        Session s;
        faq_speichern(s.path(u"beispiel.faq"_s), sample);
        s.open(s.path(u"beispiel.faq"_s));
        // The entry sits after Save as with the CSV and Markdown entries.
        QStringList names;
        for (const QAction *a : s.get<QMenu>("mnudatei")->actions())
            names << a->objectName();
        QCOMPARE(names.mid(names.indexOf(u"mnudatspeiunter"_s) + 1, 8),
                 (QStringList{"strichtausch", "mnuimportcsv", "mnuimportmd", "mnuexportcsv",
                              "mnuexportmd", "strichsuchen", "mnusuchen", "mnusort"}));
        s.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.w()));
        const QSize before = s.w().size();
        const QRect field = s.get<QPlainTextEdit>("txtantwort")->geometry();
        QTest::keyClick(&s.w(), Qt::Key_F, Qt::ControlModifier);
        auto *edit = s.get<QLineEdit>("txtsuchen");
        QVERIFY(edit->hasFocus());
        QVERIFY(s.w().height() > before.height());
        QTRY_COMPARE(s.get<QPlainTextEdit>("txtantwort")->geometry(), field);

        QTest::keyClicks(edit, u"setup"_s);
        QCOMPARE(s.get<QPlainTextEdit>("txtantwort")->textCursor().selectedText(), u"Setup"_s);
        s.get<QPlainTextEdit>("txtfrage")->setFocus();
        QTest::keyClick(&s.w(), Qt::Key_F3);
        QTest::keyClick(&s.w(), Qt::Key_F3);
        QCOMPARE(s.position(), u" 2 von  4"_s);
        QCOMPARE(s.get<QLineEdit>("txtzusatz1")->selectedText(), u"Setup"_s);
        QVERIFY(s.get<QPlainTextEdit>("txtantwort")->textCursor().selectedText().isEmpty());
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!s.get<QToolBar>("barsuchen")->isVisible());
        QCOMPARE(s.w().size(), before);
        QVERIFY(s.get<QLineEdit>("txtzusatz1")->hasFocus());
        // F3 does nothing while the bar is closed.
        QTest::keyClick(&s.w(), Qt::Key_F3);
        QCOMPARE(s.position(), u" 2 von  4"_s);
        // The next step leaves the user in the question, wherever the focus was.
        s.button("cmdvor")->click();
        QVERIFY(s.get<QPlainTextEdit>("txtfrage")->hasFocus());

        // A step stores the record being edited first; a record without a
        // question is not left: stepping asks to complete it, typing stays.
        s.action("mnusuchen")->trigger();
        auto *question = s.get<QPlainTextEdit>("txtfrage");
        question->setPlainText(u"Was kostet \"alles\"?"_s);
        s.button("cmdsuchweiter")->click();
        QCOMPARE(s.position(), u" 1 von  4"_s);
        QCOMPARE(s.state.database.record(3).question, u"Was kostet \u00A8alles\u00A8?"_s);
        question->clear();
        edit->setText(u"kostet"_s);
        QCOMPARE(s.position(), u" 1 von  4"_s);
        s.button("cmdsuchweiter")->click();
        QCOMPARE(s.position(), u" 1 von  4"_s);
        QCOMPARE(s.dialogs.messages.size(), 1);
        // A count shown follows the language.
        const QString german = s.get<QLabel>("lbltreffer")->text();
        s.w().onEnglishTriggered();
        QVERIFY(s.get<QLabel>("lbltreffer")->text() != german);

        // The size remembered for the next start is the window's without the bar.
        s.w().close();
        QCOMPARE(s.state.settings.windowHeight, twips16FromPixels(before.height()));
    }

    void manySteps()
    {
        Session s;
        s.open(s.writeDatabase(u"gross.faq"_s, 2000));
        s.action("mnusuchen")->trigger();
        QTest::keyClicks(s.get<QLineEdit>("txtsuchen"), u"Q1"_s);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 100; ++i)
            s.button("cmdsuchweiter")->click();
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(s.get<QLabel>("lbltreffer")->text(), u"101 von 1111 Treffern"_s);
        QCOMPARE(s.question(), u"Q189"_s);
    }
};

QTEST_MAIN(tst_find)
#include "tst_find.moc"
