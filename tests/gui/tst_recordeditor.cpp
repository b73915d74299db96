#include "controls/storedtext.h"
#include "gui/session.h"

#include <QSignalSpy>

using namespace askbright;
using namespace Qt::StringLiterals;
using testutil::Kit;

namespace {

// A record editor on its own, showing record `shown` of `count` records.
struct Editor : Kit {
    QWidget client;
    RecordEditor editor{context, &client};

    explicit Editor(int count, int shown = 1)
    {
        state.database.replaceRecords(numberedRecords(count));
        state.database.setFilePath(path(QStringLiteral("daten.faq")));
        state.database.markSaved();
        editor.setEditing(true);
        editor.showSlot(shown);
        editor.refreshPosition();
    }
    template <typename T> T *get(const char *name) { return testutil::child<T>(client, name); }
    QString position() { return get<QLabel>("lblxvony")->text(); }
};

} // namespace

class tst_recordeditor : public QObject {
    Q_OBJECT
private slots:
    // The buttons clicked in turn; "-name" clears that field first.
    void buttons_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("script");
        // position | next caption | insert enabled | the questions | messages
        QTest::addColumn<QString>("after");
        const auto row = [](const char *name, int shown, const char *script, const char *after) {
            QTest::newRow(name) << shown << script << after;
        };
        row("first", 3, "first", " 1 von  4|&>|1|Q1,Q2,Q3,Q4|0");
        row("previous", 3, "previous", " 2 von  4|&>|1|Q1,Q2,Q3,Q4|0");
        row("next", 1, "next", " 2 von  4|&>|1|Q1,Q2,Q3,Q4|0");
        row("next onto the last offers a new one", 3, "next", " 4 von  4|&neu|0|Q1,Q2,Q3,Q4|0");
        row("last", 1, "last", " 4 von  4|&neu|0|Q1,Q2,Q3,Q4|0");
        row("previous from the last", 1, "last previous", " 3 von  4|&>|1|Q1,Q2,Q3,Q4|0");
        row("next on the last adds one", 1, "last next", " 5 von  5|&neu|0|Q1,Q2,Q3,Q4,|0");
        row("insert before the shown one", 2, "insert", " 2 von  5|&>|1|Q1,,Q2,Q3,Q4|0");
        row("previous on the first is refused", 1, "previous", " 1 von  4|&>|1|Q1,Q2,Q3,Q4|1");
        row("insert on the last is refused", 1, "last insert", " 4 von  4|&neu|0|Q1,Q2,Q3,Q4|1");
        row("a new one needs an answer", 1, "last -txtantwort next",
            " 4 von  4|&neu|0|Q1,Q2,Q3,Q4|1");
        row("previous needs an answer", 2, "-txtantwort previous", " 2 von  4|&>|1|Q1,Q2,Q3,Q4|1");
        row("next does not", 2, "-txtantwort next", " 3 von  4|&>|1|Q1,Q2,Q3,Q4|0");
        row("first needs a question", 2, "-txtfrage first", " 2 von  4|&>|1|Q1,Q2,Q3,Q4|1");
    }

    void buttons()
    {
        QFETCH(int, shown);
        QFETCH(QString, script);
        Editor e(4, shown);
        const QHash<QString, void (RecordEditor::*)()> handlers{
            {u"first"_s, &RecordEditor::onFirstClicked},
            {u"previous"_s, &RecordEditor::onPreviousClicked},
            {u"next"_s, &RecordEditor::onNextClicked},
            {u"last"_s, &RecordEditor::onLastClicked},
            {u"insert"_s, &RecordEditor::onInsertClicked}};
        for (const QString &step : script.split(u' '))
            if (step.startsWith(u'-'))
                e.get<QPlainTextEdit>(qPrintable(step.mid(1)))->clear();
            else
                (e.editor.*handlers.value(step))();
        const QStringList after{e.position(), e.get<Button3D>("cmdvor")->caption(),
                                QString::number(e.get<Button3D>("cmdinsert")->isEnabled()),
                                e.questions().join(u','),
                                QString::number(e.dialogs.messages.size())};
        QTEST(after.join(u'|'), "after");
    }

    void deleteRecord_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("after"); // the questions | position and question shown
        QTest::newRow("OK deletes") << 5 << 2 << int(AnswerOk) << "Q1,Q3,Q4,Q5| 2 von  4Q3";
        QTest::newRow("Cancel keeps")
            << 5 << 2 << int(AnswerCancel) << "Q1,Q2,Q3,Q4,Q5| 2 von  5Q2";
        QTest::newRow("the last one") << 5 << 5 << int(AnswerOk) << "Q1,Q2,Q3,Q4| 4 von  4Q4";
        QTest::newRow("the only one") << 1 << 1 << int(AnswerOk) << "| 0 von  0";
    }

    void deleteRecord()
    {
        QFETCH(int, count);
        QFETCH(int, shown);
        QFETCH(int, answer);
        Editor e(count, shown);
        QSignalSpy emptied(&e.editor, &RecordEditor::allRecordsDeleted);
        e.dialogs.answers << answer;
        e.editor.onDeleteClicked();
        QTEST(e.questions().join(u',') + u'|' + e.position() +
                  e.get<QPlainTextEdit>("txtfrage")->toPlainText(),
              "after");
        QCOMPARE(e.dialogs.messages.value(0).defaultButton, 2); // Enter keeps the record
        QCOMPARE(emptied.size(), int(e.state.database.recordCount() == 0));
        QCOMPARE(e.state.database.hasUnsavedChanges(), answer == AnswerOk);
    }

    // The date button dates the record shown; leaving a record completes its
    // link; the record finished with the next button is dated today.
    void storedOnTheMove()
    {
        Editor e(3, 2);
        e.editor.onDateTodayClicked();
        QCOMPARE(e.get<QLabel>("lbldatum0")->text(), QStringLiteral("06.12.2026"));
        QVERIFY(e.state.database.hasUnsavedChanges());
        auto *link = e.get<QLineEdit>("txtzusatz2");
        link->setText(QStringLiteral("example.org"));
        e.editor.onNextClicked();
        link->setText(QStringLiteral("example.net"));
        e.editor.onPreviousClicked();
        QCOMPARE(e.state.database.record(2).homepageLink, QStringLiteral("http://example.org"));
        QCOMPARE(e.state.database.record(3).homepageLink, QStringLiteral("http://example.net"));
        QSignalSpy appended(&e.editor, &RecordEditor::recordAppended);
        e.editor.onLastClicked();
        e.editor.onNextClicked();
        QCOMPARE(appended.size(), 1);
        QCOMPARE(e.state.database.record(2).createdDate + e.state.database.record(3).createdDate,
                 QStringLiteral("06.12.202606.12.2026"));
    }

    void fullDatabaseRefusesMore()
    {
        Editor e(2000);
        e.editor.onLastClicked();
        e.editor.onNextClicked();
        e.editor.onFirstClicked();
        e.editor.onInsertClicked();
        QCOMPARE(e.state.database.recordCount(), 2000);
        QCOMPARE(e.position(), QStringLiteral(" 1 von  2000"));
        QCOMPARE(e.dialogs.messages.size(), 2);
        QCOMPARE(e.dialogs.messages.first(), e.dialogs.messages.last());
        QCOMPARE(e.dialogs.messages.first().icon, MessageIcon::Exclamation);
    }

    void editsMarkUnsaved_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("searched"); // the find bar is told
        QTest::newRow("question") << "txtfrage" << true;
        QTest::newRow("answer") << "txtantwort" << true;
        QTest::newRow("extra info") << "txtzusatz1" << true;
        QTest::newRow("link") << "txtzusatz2" << false;
        QTest::newRow("check box") << "chkfragez2" << false;
        QTest::newRow("a record shown") << "" << false;
    }

    void editsMarkUnsaved()
    {
        QFETCH(QString, field);
        Editor e(3);
        QSignalSpy searched(&e.editor, &RecordEditor::searchableTextEdited);
        QWidget *w = field.isEmpty() ? nullptr : e.get<QWidget>(qPrintable(field));
        if (auto *text = qobject_cast<QPlainTextEdit *>(w))
            text->insertPlainText(QStringLiteral("x"));
        else if (auto *line = qobject_cast<QLineEdit *>(w))
            QTest::keyClicks(line, QStringLiteral("x"));
        else if (auto *box = qobject_cast<QCheckBox *>(w))
            box->click();
        else
            e.editor.onLastClicked();
        QCOMPARE(e.state.database.hasUnsavedChanges(), w != nullptr);
        QTEST(!searched.isEmpty(), "searched");
    }

    // What a file cannot store never enters a field: characters outside the
    // code page, and text beyond the longest a record may hold.
    void unstorableTextIsRefused()
    {
        Editor e(1);
        auto *answer = e.get<StoredTextEdit>("txtantwort");
        answer->clear();
        answer->insertPlainText(QStringLiteral("Preis 5 € – ok ✓"));
        QCOMPARE(answer->toPlainText(), QStringLiteral("Preis 5 € – ok "));
        auto *link = e.get<QLineEdit>("txtzusatz2");
        link->insert(QStringLiteral("例え.jp"));
        QCOMPARE(link->text(), QStringLiteral(".jp"));
        link->setText(QString(maxTextLength + 5, u'l'));
        QCOMPARE(link->text().size(), maxTextLength);
        auto *extra = e.get<QLineEdit>("txtzusatz1");
        extra->insert(QStringLiteral("✓"));
        QCOMPARE(extra->text(), QString());
    }
};

QTEST_MAIN(tst_recordeditor)
#include "tst_recordeditor.moc"
