#include "app/twips.h"
#include "editor/findbar.h"
#include "gui/session.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

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
    QList<SearchHit> selected;
    QWidget window;
    FindBar bar{context,
                {[this] { return records; }, [this] { return shown; },
                 [this](int record, bool) {
                     if (!refuseMoves)
                         shown = record;
                     return !refuseMoves;
                 },
                 [this](const SearchHit &hit) { selected << hit; }},
                &window};

    Bar()
    {
        bar.retranslate(Language::German);
        window.show();
        bar.open();
    }
    QLineEdit *edit() { return testutil::child<QLineEdit>(bar, QStringLiteral("txtsuchen")); }
    QString count() { return testutil::child<QLabel>(bar, QStringLiteral("lbltreffer"))->text(); }
    void step(int steps)
    {
        for (int i = 0; i < std::abs(steps); ++i)
            steps > 0 ? bar.onNextClicked() : bar.onPreviousClicked();
    }
    // "record field position length" of the last hit selected.
    QString lastSelected()
    {
        if (selected.isEmpty())
            return {};
        const SearchHit &h = selected.last();
        return QStringLiteral("%1 %2 %3 %4")
            .arg(h.record)
            .arg(h.field)
            .arg(h.position)
            .arg(h.length);
    }
};

} // namespace

class tst_find : public QObject {
    Q_OBJECT
private slots:
    void steps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("steps");     // positive: Next, negative: Previous
        QTest::addColumn<QString>("after"); // record shown | hit selected | count
        const auto row = [](const char *name, const char *text, int steps, const char *after) {
            QTest::newRow(name) << QString::fromUtf8(text) << steps << QString::fromUtf8(after);
        };
        row("typing shows the first hit", "setup", 0, "1|1 1 8 5|1 von 3 Treffern");
        row("next reaches the extra info", "setup", 2, "2|2 2 0 5|3 von 3 Treffern");
        row("previous from the last hit", "setup", -2, "2|2 1 21 5|2 von 3 Treffern");
        row("one hit, in a question", "\"frei\"", 0, "4|4 0 10 6|1 von 1 Treffer");
        row("no match stays", "Zauberei", 2, "1||Kein Treffer");
    }

    void steps()
    {
        QFETCH(QString, text);
        QFETCH(int, steps);
        Bar b;
        QTest::keyClicks(b.edit(), text);
        b.step(steps);
        QTEST(QStringLiteral("%1|%2|%3").arg(b.shown).arg(b.lastSelected(), b.count()), "after");
        QVERIFY(b.dialogs.messages.isEmpty());
    }

    void keys_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("count"); // empty: the bar closed
        const auto row = [](const char *name, const char *target, Qt::Key key, bool shift,
                            const char *count) {
            QTest::newRow(name) << target << int(key) << shift << QString::fromUtf8(count);
        };
        row("Return steps on", "txtsuchen", Qt::Key_Return, false, "2 von 3 Treffern");
        row("Enter on a button steps on", "cmdsuchzurueck", Qt::Key_Enter, false,
            "2 von 3 Treffern");
        row("Shift+Return steps back", "txtsuchen", Qt::Key_Return, true, "3 von 3 Treffern");
        row("Escape closes", "txtsuchen", Qt::Key_Escape, false, "");
    }

    void keys()
    {
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(bool, shift);
        QFETCH(QString, count);
        Bar b;
        QSignalSpy closed(&b.bar, &FindBar::closed);
        QTest::keyClicks(b.edit(), QStringLiteral("setup"));
        QTest::keyClick(testutil::child<QWidget>(b.bar, target), Qt::Key(key),
                        shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(b.bar.isVisible(), !count.isEmpty());
        if (!count.isEmpty())
            QCOMPARE(b.count(), count);
        else // where the user goes on typing: the hit shown
            QCOMPARE(closed.value(0).value(0).value<SearchHit::Field>(), SearchHit::Answer);
    }

    // Closing after the window moved on: the user goes on in the question.
    void closingElsewhere()
    {
        Bar b;
        QSignalSpy closed(&b.bar, &FindBar::closed);
        QTest::keyClicks(b.edit(), QStringLiteral("setup"));
        b.shown = 3;
        b.bar.onCloseClicked();
        QCOMPARE(closed.value(0).value(0).value<SearchHit::Field>(), SearchHit::Question);
    }

    // The window may keep its record (one left incomplete): nothing is selected.
    void refusedMove()
    {
        Bar b;
        b.refuseMoves = true;
        QTest::keyClicks(b.edit(), QStringLiteral("kostet"));
        QCOMPARE(b.shown, 1);
        QVERIFY(b.selected.isEmpty());
        QCOMPARE(b.count(), QStringLiteral("1 Treffer"));
    }

    void countFollowsEdits_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("count"); // after the edit | after one more step
        // Before each edit: "setup" found, the first hit (record 1 answer) shown.
        QTest::newRow("a hit typed after the shown one") << "after"
                                                         << "1 von 4 Treffern|2 von 4 Treffern";
        QTest::newRow("a hit typed before the shown one") << "before"
                                                          << "4 Treffer|2 von 4 Treffern";
        QTest::newRow("the record shown deleted") << "delete"
                                                  << "2 Treffer|1 von 2 Treffern";
    }

    void countFollowsEdits()
    {
        QFETCH(QString, edit);
        Bar b;
        QTest::keyClicks(b.edit(), QStringLiteral("setup"));
        if (edit == QLatin1String("delete")) {
            b.records.removeFirst();
            b.bar.recordsChanged();
        } else {
            QString &answer = b.records[0].answer;
            answer = edit == QLatin1String("after") ? answer + QStringLiteral(" Setup hilft.")
                                                    : QStringLiteral("Setup: ") + answer;
            b.bar.shownRecordEdited();
        }
        QFETCH(QString, count);
        QTRY_COMPARE(b.count(), count.section(u'|', 0, 0));
        b.step(1);
        QCOMPARE(b.count(), count.section(u'|', 1));
    }

    // The window: Ctrl+F, the selection in the record's fields, F3 from
    // anywhere, Escape back to the field of the hit, the room the bar takes.
    void windowWiring()
    {
        Session s;
        faq_speichern(s.path(QStringLiteral("beispiel.faq")), sample);
        s.open(s.path(QStringLiteral("beispiel.faq")));
        s.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.w()));
        const QSize before = s.w().size();
        const QRect field = s.get<QPlainTextEdit>("txtantwort")->geometry();
        QTest::keyClick(&s.w(), Qt::Key_F, Qt::ControlModifier);
        auto *edit = s.get<QLineEdit>("txtsuchen");
        QVERIFY(edit->hasFocus());
        QVERIFY(s.w().height() > before.height());
        QTRY_COMPARE(s.get<QPlainTextEdit>("txtantwort")->geometry(), field);

        QTest::keyClicks(edit, QStringLiteral("setup"));
        QCOMPARE(s.get<QPlainTextEdit>("txtantwort")->textCursor().selectedText(),
                 QStringLiteral("Setup"));
        s.get<QPlainTextEdit>("txtfrage")->setFocus();
        QTest::keyClick(&s.w(), Qt::Key_F3);
        QTest::keyClick(&s.w(), Qt::Key_F3);
        QCOMPARE(s.position(), QStringLiteral(" 2 von  4"));
        QCOMPARE(s.get<QLineEdit>("txtzusatz1")->selectedText(), QStringLiteral("Setup"));
        QVERIFY(s.get<QPlainTextEdit>("txtantwort")->textCursor().selectedText().isEmpty());
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!s.get<QToolBar>("barsuchen")->isVisible());
        QCOMPARE(s.w().size(), before);
        QVERIFY(s.get<QLineEdit>("txtzusatz1")->hasFocus());
        // F3 does nothing while the bar is closed.
        QTest::keyClick(&s.w(), Qt::Key_F3);
        QCOMPARE(s.position(), QStringLiteral(" 2 von  4"));

        // The size remembered for the next start is the window's without the bar.
        s.action("mnusuchen")->trigger();
        s.w().close();
        QCOMPARE(s.state.settings.windowHeight, twips16FromPixels(before.height()));
    }

    // A step stores the record being edited first; a record without a
    // question is not left: stepping asks to complete it, typing stays.
    void editCommittedBeforeMoving()
    {
        Session s;
        faq_speichern(s.path(QStringLiteral("beispiel.faq")), sample);
        s.open(s.path(QStringLiteral("beispiel.faq")));
        s.action("mnusuchen")->trigger();
        QTest::keyClicks(s.get<QLineEdit>("txtsuchen"), QStringLiteral("setup"));
        auto *question = s.get<QPlainTextEdit>("txtfrage");
        question->setPlainText(QStringLiteral("Wie richte ich \"alles\" ein?"));
        s.button("cmdsuchweiter")->click();
        QCOMPARE(s.position(), QStringLiteral(" 2 von  4"));
        QCOMPARE(s.state.database.record(1).question,
                 QStringLiteral("Wie richte ich \u00A8alles\u00A8 ein?"));
        QVERIFY(s.dialogs.messages.isEmpty());

        question->clear();
        s.get<QLineEdit>("txtsuchen")->setText(QStringLiteral("kostet"));
        QCOMPARE(s.position(), QStringLiteral(" 2 von  4"));
        QVERIFY(s.dialogs.messages.isEmpty());
        s.button("cmdsuchweiter")->click();
        QCOMPARE(s.position(), QStringLiteral(" 2 von  4"));
        QCOMPARE(s.dialogs.messages.size(), 1);
    }

    // The entry sits after Save as with the CSV and Markdown entries; a count
    // shown follows the language.
    void menuEntryAndCountLanguage()
    {
        Session s;
        const QList<QAction *> actions = s.get<QMenu>("mnudatei")->actions();
        const qsizetype saveAs = actions.indexOf(s.action("mnudatspeiunter"));
        QStringList names;
        for (const QAction *a : actions.mid(saveAs + 1, 8))
            names << a->objectName();
        QCOMPARE(names, (QStringList{"strichtausch", "mnuimportcsv", "mnuimportmd", "mnuexportcsv",
                                     "mnuexportmd", "strichsuchen", "mnusuchen", "mnusort"}));
        s.action("mnusuchen")->trigger();
        QTest::keyClicks(s.get<QLineEdit>("txtsuchen"), QStringLiteral("nirgends"));
        const QString noMatch = s.get<QLabel>("lbltreffer")->text();
        s.w().onEnglishTriggered();
        QVERIFY(s.get<QLabel>("lbltreffer")->text() != noMatch);
    }

    void manySteps()
    {
        Session s;
        s.open(s.writeDatabase(QStringLiteral("gross.faq"), 2000));
        s.action("mnusuchen")->trigger();
        QTest::keyClicks(s.get<QLineEdit>("txtsuchen"), QStringLiteral("Q1"));
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 100; ++i)
            s.button("cmdsuchweiter")->click();
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(s.get<QLabel>("lbltreffer")->text(), QStringLiteral("101 von 1111 Treffern"));
        QCOMPARE(s.question(), QStringLiteral("Q189"));
    }
};

QTEST_MAIN(tst_find)
#include "tst_find.moc"
