#include "app/paths.h"
#include "controls/colorvalue.h"
#include "gui/session.h"

#include <QMenu>
#include <QTimer>

using namespace askbright;
using testutil::Session;

namespace {

// Plays what a user does, step by step: "new", "open" (two records), "empty"
// (a file without records), "type" (the record shown), "next", "saveas",
// "delete" (answered OK), "delete!" (a delete that finds no record), "import"
// (one record from CSV).
void play(Session &s, const QString &script)
{
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step == u"new") {
            s.action("mnudatneu")->trigger();
        } else if (step == u"open") {
            s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        } else if (step == u"empty") {
            testutil::writeBytes(s.path(QStringLiteral("leer.faq")), " 0 \r\n");
            s.open(s.path(QStringLiteral("leer.faq")));
        } else if (step == u"type") {
            s.type(QStringLiteral("Q"), QStringLiteral("A"));
        } else if (step == u"next") {
            s.button("cmdvor")->click();
        } else if (step == u"saveas") {
            s.dialogs.files << s.path(QStringLiteral("b.faq"));
            s.w().onSaveDatabaseAsTriggered();
        } else if (step == u"delete") {
            s.dialogs.answers << AnswerOk;
            s.button("cmdloeschen")->click();
        } else if (step == u"delete!") {
            s.w().recordEditor().onDeleteClicked();
        } else {
            QCOMPARE(step, QStringLiteral("import"));
            const QString csv = s.path(QStringLiteral("neu.csv"));
            testutil::writeBytes(csv, "Frage,Antwort\r\nNeu?,Ja\r\n");
            s.dialogs.files << csv;
            s.action("mnuimportcsv")->trigger();
        }
    }
}

// What the window offers, as 0/1 in this order: New, Open, Save as, Re-order,
// Export entry, HTML button, the separator before Export, next button shown,
// question editable, check box; then, once the file menu opens, CSV and
// Markdown import, CSV and Markdown export.
QString offered(Session &s)
{
    QString out;
    for (const char *name :
         {"mnudatneu", "mnudatoeffnen", "mnudatspeiunter", "mnusort", "mnuexporttext"})
        out += QChar(u'0' + s.action(name)->isEnabled());
    out += QChar(u'0' + s.button("cmdhtml")->isEnabled());
    out += QChar(u'0' + s.action("strich3")->isVisible());
    out += QChar(u'0' + !s.button("cmdvor")->isHidden());
    out += QChar(u'0' + !s.get<QPlainTextEdit>("txtfrage")->isReadOnly());
    out += QChar(u'0' + s.get<QCheckBox>("chkfragez2")->isEnabled());
    emit s.get<QMenu>("mnudatei")->aboutToShow();
    out += u' ';
    for (const char *name : {"mnuimportcsv", "mnuimportmd", "mnuexportcsv", "mnuexportmd"})
        out += QChar(u'0' + s.action(name)->isEnabled());
    return out;
}

} // namespace

class tst_mainwindow : public QObject {
    Q_OBJECT
private slots:
    void firstStart()
    {
        // The sample page projects and an output folder made when first used
        // lead a new user from the start to a page.
        Session s([](Session &s) {
            QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("vorlagen")));
            for (const char *name : {"vorlagen/a.pdt", "vorlagen/b.pdt"})
                testutil::writeBytes(s.path(QLatin1String(name)), "x");
        });
        QCOMPARE(s.startMessages, QList<Message>());
        QCOMPARE(s.state.pages.page(), QStringLiteral("a.pdt"));
        const QString output = withTrailingSeparator(s.path(QStringLiteral("Dokumente/Askbright")));
        QCOMPARE(s.get<QLabel>("lblhtml")->text(), output);
        QCOMPARE(testutil::readBytes(s.state.recentFilesPath()), QByteArray("\r\n"));
        QVERIFY(!s.action("m1")->isVisible() && !s.action("mnuhistorie")->isVisible());
        const QFont font = s.get<QPlainTextEdit>("txtantwort")->font();
        QCOMPARE(font.family() + QString::number(font.pointSizeF()), QStringLiteral("Arial11.25"));
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 1));
        QTimer::singleShot(0, &s.w(), [] { QApplication::activeModalWidget()->close(); });
        s.button("cmdhtml")->click();
        QVERIFY(QFileInfo(output).isDir());
        QCOMPARE(s.dialogs.messages, QList<Message>());

        // The page chosen is remembered on close.
        s.get<QComboBox>("cseite")->setCurrentIndex(1);
        QVERIFY(s.w().close());
        QCOMPARE(s.storedSettings().lastTemplatePage, QStringLiteral("b.pdt"));
    }

    // The stored settings are applied at the start; the checked language entry
    // switches to the other language, the one chosen is stored on close.
    void storedSettingsAndLanguageSwitch()
    {
        Session s(testutil::settingsBytes([](AppSettings &stored) {
            stored.language = Language::English;
            stored.windowLeft = 1500; // twips: 100 px
            stored.windowTop = 750;
            stored.rememberSize = true;
            stored.windowWidth = 700 * 15;
            stored.windowHeight = 520 * 15;
            stored.questionFont = {QStringLiteral("DejaVu Sans"), 14, true, false};
            stored.textColors = {0x0000FF, 0xFF0000};
        }));
        QVERIFY(s.action("mnuenglisch")->isChecked() && !s.action("mnudeutsch")->isChecked());
        QCOMPARE(QRect(s.w().pos(), s.w().size()), QRect(100, 50, 700, 520));
        QVERIFY(s.get<QPlainTextEdit>("txtfrage")->font().bold());
        QCOMPARE(s.get<QPlainTextEdit>("txtfrage")->palette().color(QPalette::Text),
                 QColor(Qt::red));
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        s.button("cmdende")->click();
        s.action("mnuenglisch")->trigger();
        QVERIFY(s.action("mnudeutsch")->isChecked() && !s.action("mnuenglisch")->isChecked());
        QCOMPARE(s.button("cmdvor")->caption() + s.position(), QStringLiteral("&neu 2 von  2"));
        s.action("mnuenglisch")->trigger();
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&new"));
        s.button("cmdanfang")->click();
        s.action("mnudeutsch")->trigger();
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));
        QVERIFY(s.w().close());
        QCOMPARE(s.storedSettings().language, Language::German);
    }

    void windowStates_data()
    {
        QTest::addColumn<QString>("script");  // see play()
        QTest::addColumn<QString>("offered"); // see offered() | question, position, next button
        const auto row = [](const char *name, const char *script, const char *offered) {
            QTest::newRow(name) << QString::fromUtf8(script) << QString::fromUtf8(offered);
        };
        row("no database", "", "1100000000 0000| 0 von  0&>");
        row("new", "new", "0100001111 1111| 1 von  1&neu");
        row("new, a record added", "new type next", "0110001111 1111| 2 von  2&neu");
        row("new, saved as", "new type saveas", "1110111111 1111|Q 1 von  1&neu");
        row("opened", "open", "1111111111 1111|Q1 1 von  2&>");
        row("an empty file opened", "empty", "1111110000 1100| 0 von  0&>");
        row("opened, every record deleted", "open delete delete", "1111111000 1100| 0 von  0&>");
        // A delete that finds no record: nothing left to save as, a new one can be made.
        row("opened, deleted once more", "open delete delete delete!",
            "1101111000 1100| 0 von  0&>");
        row("new, deleted twice", "new delete delete", "1100001000 0000| 0 von  0&neu");
        // An import shows the first record it added.
        row("new, imported", "new type import", "1110001111 1111|Neu? 2 von  2&neu");
    }

    // The export button takes the scheme's caption colour when allowed and
    // looks disabled when not.
    void windowStates()
    {
        QFETCH(QString, script);
        Session s;
        s.state.currentColors[ColorScheme::buttonFontColor] = 0x0000FF;
        play(s, script);
        QTEST(offered(s) + u'|' + s.question() + s.position() + s.button("cmdvor")->caption(),
              "offered");
        Button3D *html = s.button("cmdhtml");
        QCOMPARE(html->captionColor(),
                 std::optional<qint32>(html->isEnabled() ? 0x0000FF : lightGrey));
    }

    // The title and the tray indicator follow the database; a record without
    // a question is not saved, a record saved opens as typed.
    void savedRecordOpensAsTyped()
    {
        Session s;
        const QString plain = s.title();
        s.action("mnudatneu")->trigger();
        QVERIFY(s.title().startsWith(plain) && s.title().endsWith(u'*'));
        QCOMPARE(s.w().tray().indicator(), 1);
        s.type(QStringLiteral("   "), QString()); // no question: not saved
        QVERIFY(!s.w().onSaveDatabaseTriggered());
        QVERIFY(!s.w().onSaveDatabaseAsTriggered());
        QCOMPARE(s.dialogs.messages.size(), 2);
        QVERIFY(s.dialogs.fileRequests.isEmpty());
        s.type(QStringLiteral("Was heißt \"FAQ\"?"), QStringLiteral("Häufige Fragen,\nkurz: FAQ"));
        s.get<QCheckBox>("chkfragez2")->setChecked(true);
        const QString file = s.path(QStringLiteral("neu.faq"));
        s.dialogs.files << file;
        QVERIFY(s.w().onSaveDatabaseAsTriggered());
        QCOMPARE(s.title() + QString::number(s.w().tray().indicator()),
                 plain + QStringLiteral("   Datei: neu.faq0"));
        // A first start's dialog opens where the sample database is.
        QCOMPARE(s.dialogs.fileRequests.value(0).initDir, withTrailingSeparator(s.dir.path()));

        Session again;
        again.open(file);
        QCOMPARE(again.question(), QStringLiteral("Was heißt \"FAQ\"?"));
        QCOMPARE(again.get<QPlainTextEdit>("txtantwort")->toPlainText(),
                 QStringLiteral("Häufige Fragen,\nkurz: FAQ"));
        QVERIFY(again.get<QCheckBox>("chkfragez2")->isChecked());
        // Open writes the settings, with the file's folder for the next dialog.
        QCOMPARE(again.storedSettings().faqFolder, withTrailingSeparator(s.dir.path()));
    }

    void failedOrCancelledSaveStopsOpenAndNew_data()
    {
        QTest::addColumn<bool>("viaNew");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("open, save cancelled") << false << true;
        QTest::newRow("open, save fails") << false << false;
        QTest::newRow("new, save cancelled") << true << true;
    }

    void failedOrCancelledSaveStopsOpenAndNew()
    {
        QFETCH(bool, viaNew);
        QFETCH(bool, cancel);
        Session s;
        s.w().onNewDatabaseTriggered();
        s.type(QStringLiteral("keep me"), QStringLiteral("please"));
        s.dialogs.answers << AnswerYes;
        s.dialogs.files << (cancel ? std::nullopt
                                   : std::optional<QString>(s.path(QStringLiteral("gone/x.faq"))))
                        << s.writeDatabase(QStringLiteral("other.faq"), 2);
        viaNew ? s.w().onNewDatabaseTriggered() : s.w().onOpenDatabaseTriggered();
        // No confirmation of a save that did not happen, no open dialog, and
        // the database is still there and still unsaved.
        QCOMPARE(s.dialogs.messages.size(), cancel ? 1 : 3);
        QCOMPARE(s.dialogs.fileRequests.size(), 1);
        QCOMPARE(s.questions() << s.question(), (QStringList{"keep me", "keep me"}));
        QVERIFY(s.state.database.hasUnsavedChanges());
    }

    // A cancelled open dialog, a file that is no database and a missing file
    // named on the command line keep the database shown; save writes it.
    void failedOpenKeepsDatabase()
    {
        Session s;
        const QString good = s.writeDatabase(QStringLiteral("good.faq"), 3);
        s.open(good);
        s.button("cmdvor")->click();
        s.w().onOpenDatabaseTriggered(); // nothing scripted: the dialog is cancelled
        testutil::writeBytes(s.path(QStringLiteral("bad.faq")), " 5 \r\n\"a\"\r\n");
        s.open(s.path(QStringLiteral("bad.faq")));
        s.w().openFromCommandLine(s.path(QStringLiteral("fehlt.faq")));
        QCOMPARE(s.dialogs.messages.size(), 2);
        QCOMPARE(s.state.database.filePath(), good);
        QCOMPARE(s.questions().join(u',') + s.position(), QStringLiteral("Q1,Q2,Q3 2 von  3"));
        QVERIFY(s.title().endsWith(QStringLiteral("good.faq")));
        // Save writes the record shown, without a dialog.
        s.type(QStringLiteral("Q2 edited"), QStringLiteral("A2"));
        emit s.get<QMenu>("mnudatei")->aboutToShow();
        s.action("mnudatspeichern")->trigger();
        QCOMPARE(s.dialogs.fileRequests.size(), 3); // the open dialogs only
        QCOMPARE(faq_einlesen(good).at(1).question, QStringLiteral("Q2 edited"));
        QCOMPARE(s.position(), QStringLiteral(" 2 von  3"));
        QVERIFY(!s.state.database.hasUnsavedChanges());
        // A name on the command line is found from the current folder.
        QDir::setCurrent(s.dir.path());
        s.writeDatabase(QStringLiteral("arg.faq"), 1);
        s.w().openFromCommandLine(QStringLiteral("arg.faq"));
        QCOMPARE(s.question() + s.position(), QStringLiteral("Q1 1 von  1"));
        QCOMPARE(s.state.database.filePath(), s.path(QStringLiteral("arg.faq")));
    }

    void recentFiles()
    {
        Session s;
        QStringList files;
        for (int i = 1; i <= 9; ++i)
            files << s.writeDatabase(QStringLiteral("f&%1.faq").arg(i), 1);
        for (const QString &f : files)
            s.open(f);
        QVERIFY(s.action("m8")->text().endsWith(QStringLiteral("f&&9.faq")));
        QVERIFY(s.action("m1")->text().size() <= 36);

        // A listed file opens without a dialog.
        const int dialogs = s.dialogs.fileRequests.size();
        s.action("m1")->setEnabled(true);
        s.action("m1")->trigger();
        QCOMPARE(s.dialogs.fileRequests.size(), dialogs);
        QCOMPARE(s.state.database.filePath(), files.at(1));

        // A vanished file: the message, nothing opened, dropped at the next rebuild.
        QFile::remove(files.at(2));
        s.w().onRecentFileTriggered(2);
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.state.database.filePath(), files.at(1));
        s.w().refreshRecentFiles();
        QVERIFY(s.action("m2")->text().endsWith(QStringLiteral("f&&4.faq")));
        QVERIFY(!s.action("m8")->isVisible());

        s.action("mnuhistorie")->trigger();
        QVERIFY(!QFileInfo::exists(s.state.recentFilesPath()));
        QVERIFY(!s.action("m1")->isVisible() && !s.action("mnuhistorie")->isVisible());
    }

    // Closing the window and the exit command ask before unsaved work is lost.
    // With the option to close to the tray, the close box asks nothing and
    // hides the window, or only minimises it without a notification area: a
    // hidden window could never come back.
    void leaving_data()
    {
        QTest::addColumn<bool>("exit");
        QTest::addColumn<bool>("dirty");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("tray");  // with the option: whether a notification area exists
        QTest::addColumn<bool>("left"); // the window no longer shown
        QTest::newRow("nothing to lose") << false << false << 0 << -1 << true;
        QTest::newRow("Yes: leave") << false << true << int(AnswerYes) << -1 << true;
        QTest::newRow("No: stay") << false << true << int(AnswerNo) << -1 << false;
        QTest::newRow("Cancel: stay") << false << true << int(AnswerCancel) << -1 << false;
        QTest::newRow("exit, Yes: leave") << true << true << int(AnswerYes) << -1 << true;
        QTest::newRow("exit, No: stay") << true << true << int(AnswerNo) << -1 << false;
        QTest::newRow("to the tray") << false << true << 0 << 1 << true;
        QTest::newRow("no notification area") << false << true << 0 << 0 << false;
    }

    void leaving()
    {
        QFETCH(bool, exit);
        QFETCH(bool, dirty);
        QFETCH(int, answer);
        QFETCH(int, tray);
        QFETCH(bool, left);
        Session s;
        if (tray >= 0) {
            s.w().tray().setAvailable(tray);
            s.action("mnumin")->trigger();
        }
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        if (dirty)
            s.type(QStringLiteral("changed"), QStringLiteral("A1"));
        s.dialogs.answers << answer;
        QFile::remove(s.state.settingsFilePath());
        if (exit)
            s.action("mnuende")->trigger();
        else
            QCOMPARE(s.w().close(), left && tray < 0);
        QCOMPARE(s.w().isVisible(), !left);
        QCOMPARE(s.w().isMinimized(), tray == 0);
        QCOMPARE(s.programQuit, int(exit && left));
        // Once: the exit's close asks no more.
        QCOMPARE(s.dialogs.messages.size(), int(dirty && tray < 0));
        // The settings are written on every close.
        QCOMPARE(QFileInfo::exists(s.state.settingsFilePath()), !exit || left);
        if (tray == 1) {
            emit s.w().tray().mouseDown(2); // only the left button brings it back
            QVERIFY(!s.w().isVisible());
            emit s.w().tray().mouseDown(1);
            QVERIFY(s.w().isVisible());
        }
    }
};

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
