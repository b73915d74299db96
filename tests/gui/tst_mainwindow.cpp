#include "app/paths.h"
#include "controls/colorvalue.h"
#include "gui/session.h"
#include "project/layouteditordialog.h"

#include <QDir>
#include <QMenu>
#include <QTimer>

using namespace askbright;
using testutil::Session;

namespace {

using Act = std::function<void(Session &)>;

// What the window offers, as 0/1 in this order: New, Open, Save as, Re-order,
// Export entry, HTML button, the separator before Export, next button shown,
// question editable, check box.
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
        QVERIFY(s.action("mnuzentrieren")->isChecked() && !s.action("mnuposition")->isChecked());
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 1));
        QTimer::singleShot(0, &s.w(), [] { QApplication::activeModalWidget()->close(); });
        s.button("cmdhtml")->click();
        QVERIFY(QFileInfo(output).isDir());
        QCOMPARE(s.dialogs.messages, QList<Message>());

        bool editorShown = false;
        QTimer::singleShot(0, &s.w(), [&] {
            auto *editor = qobject_cast<LayoutEditorDialog *>(QApplication::activeModalWidget());
            editorShown = editor;
            if (editor) { // leaving it at once asks the unsaved question
                s.dialogs.answers << AnswerYes;
                testutil::child<Button3D>(*editor, QStringLiteral("cmdrausprojekt"))->click();
            }
        });
        s.button("Command1")->click();
        QVERIFY(editorShown);
        // The page chosen is remembered on close.
        s.get<QComboBox>("cseite")->setCurrentIndex(1);
        QVERIFY(s.w().close());
        QCOMPARE(s.storedSettings().lastTemplatePage, QStringLiteral("b.pdt"));
    }

    void storedSettingsAreApplied()
    {
        Session s(testutil::settingsBytes([](AppSettings &stored) {
            stored.language = Language::English;
            stored.alwaysOnTop = true;
            stored.windowLeft = 1500; // twips: 100 px
            stored.windowTop = 750;
            stored.rememberSize = true;
            stored.windowWidth = 700 * 15;
            stored.windowHeight = 520 * 15;
            stored.questionFont = {QStringLiteral("DejaVu Sans"), 14, true, false};
            stored.textColors = {0x0000FF, 0xFF0000};
        }));
        QVERIFY(s.action("mnuenglisch")->isChecked() && !s.action("mnudeutsch")->isChecked());
        QVERIFY(s.w().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(QRect(s.w().pos(), s.w().size()), QRect(100, 50, 700, 520));
        QVERIFY(s.get<QPlainTextEdit>("txtfrage")->font().bold());
        QCOMPARE(s.get<QPlainTextEdit>("txtfrage")->palette().color(QPalette::Text),
                 QColor(Qt::red));
    }

    void windowStates_data()
    {
        QTest::addColumn<Act>("act");
        QTest::addColumn<QString>("offered"); // see offered()
        const Act open = [](Session &s) { s.open(s.writeDatabase(QStringLiteral("a.faq"), 2)); };
        const Act newOne = [](Session &s) { s.action("mnudatneu")->trigger(); };
        const auto then = [](const Act &first, const Act &second) {
            return Act([first, second](Session &s) {
                first(s);
                second(s);
            });
        };
        const Act typed = [](Session &s) { s.type(QStringLiteral("Q"), QStringLiteral("A")); };
        const Act emptied = [](Session &s) {
            for (int i = 0; i < 2; ++i) {
                s.dialogs.answers << AnswerOk;
                s.button("cmdloeschen")->click();
            }
        };
        QTest::newRow("no database") << Act([](Session &) {}) << "1100000000";
        QTest::newRow("new") << newOne << "0100001111";
        QTest::newRow("new, a record added")
            << then(then(newOne, typed), [](Session &s) { s.button("cmdvor")->click(); })
            << "0110001111";
        QTest::newRow("new, saved as") << then(then(newOne, typed), [](Session &s) {
            s.dialogs.files << s.path(QStringLiteral("b.faq"));
            s.w().onSaveDatabaseAsTriggered();
        }) << "1110111111";
        QTest::newRow("opened") << open << "1111111111";
        QTest::newRow("an empty file opened") << Act([](Session &s) {
            testutil::writeBytes(s.path(QStringLiteral("leer.faq")), " 0 \r\n");
            s.open(s.path(QStringLiteral("leer.faq")));
        }) << "1111110000";
        QTest::newRow("opened, every record deleted") << then(open, emptied) << "1111111000";
        // A delete that finds no record: nothing left to save as, a new one can be made.
        QTest::newRow("opened, deleted once more")
            << then(then(open, emptied), [](Session &s) { s.w().recordEditor().onDeleteClicked(); })
            << "1101111000";
        QTest::newRow("new, deleted twice") << then(newOne, emptied) << "1100001000";
    }

    // The export button takes the scheme's caption colour when allowed and
    // looks disabled when not.
    void windowStates()
    {
        QFETCH(Act, act);
        Session s;
        s.state.currentColors[ColorScheme::buttonFontColor] = 0x0000FF;
        act(s);
        QTEST(offered(s), "offered");
        Button3D *html = s.button("cmdhtml");
        QCOMPARE(html->captionColor(),
                 std::optional<qint32>(html->isEnabled() ? 0x0000FF : lightGrey));
    }

    void saveRefusesAnEmptyRecord()
    {
        Session s;
        s.w().onNewDatabaseTriggered();
        s.type(QStringLiteral("   "), QString());
        QVERIFY(!s.w().onSaveDatabaseTriggered());
        QVERIFY(!s.w().onSaveDatabaseAsTriggered());
        QCOMPARE(s.dialogs.messages.size(), 2);
        QVERIFY(s.dialogs.fileRequests.isEmpty());
    }

    // The title and the tray indicator follow the database; a record saved
    // opens as typed.
    void savedRecordOpensAsTyped()
    {
        Session s;
        const QString plain = s.title();
        s.action("mnudatneu")->trigger();
        QVERIFY(s.title().startsWith(plain) && s.title().endsWith(u'*'));
        QCOMPARE(s.w().tray().indicator(), 1);
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

    void saveWritesTheRecordShown()
    {
        Session s;
        const QString file = s.writeDatabase(QStringLiteral("three.faq"), 3);
        s.open(file);
        s.button("cmdvor")->click();
        s.type(QStringLiteral("Q2 edited"), QStringLiteral("A2"));
        emit s.get<QMenu>("mnudatei")->aboutToShow();
        s.action("mnudatspeichern")->trigger();
        QCOMPARE(s.dialogs.fileRequests.size(), 1); // only the open dialog
        QCOMPARE(faq_einlesen(file).at(1).question, QStringLiteral("Q2 edited"));
        QCOMPARE(s.position(), QStringLiteral(" 2 von  3"));
        QVERIFY(!s.state.database.hasUnsavedChanges());
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

    // A cancelled open dialog and a file that is no database keep the database shown.
    void failedOpenKeepsDatabase()
    {
        Session s;
        const QString good = s.writeDatabase(QStringLiteral("good.faq"), 3);
        s.open(good);
        s.button("cmdvor")->click();
        s.w().onOpenDatabaseTriggered(); // nothing scripted: the dialog is cancelled
        QVERIFY(s.dialogs.messages.isEmpty());
        testutil::writeBytes(s.path(QStringLiteral("bad.faq")), " 5 \r\n\"a\"\r\n");
        s.open(s.path(QStringLiteral("bad.faq")));
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.state.database.filePath(), good);
        QCOMPARE(s.questions().join(u',') + s.position(), QStringLiteral("Q1,Q2,Q3 2 von  3"));
        QVERIFY(s.title().endsWith(QStringLiteral("good.faq")));
    }

    void openFromCommandLine()
    {
        Session s;
        s.w().openFromCommandLine(s.path(QStringLiteral("fehlt.faq")));
        QCOMPARE(s.dialogs.messages.size(), 1);
        QVERIFY(s.button("cmdvor")->isHidden());
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
    void leaving_data()
    {
        QTest::addColumn<bool>("exit");
        QTest::addColumn<bool>("dirty");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("left");
        QTest::newRow("nothing to lose") << false << false << 0 << true;
        QTest::newRow("Yes: leave") << false << true << int(AnswerYes) << true;
        QTest::newRow("No: stay") << false << true << int(AnswerNo) << false;
        QTest::newRow("Cancel: stay") << false << true << int(AnswerCancel) << false;
        QTest::newRow("exit, Yes: leave") << true << true << int(AnswerYes) << true;
        QTest::newRow("exit, No: stay") << true << true << int(AnswerNo) << false;
    }

    void leaving()
    {
        QFETCH(bool, exit);
        QFETCH(bool, dirty);
        QFETCH(int, answer);
        QFETCH(bool, left);
        Session s;
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        if (dirty)
            s.type(QStringLiteral("changed"), QStringLiteral("A1"));
        s.dialogs.answers << answer;
        QFile::remove(s.state.settingsFilePath());
        exit ? s.action("mnuende")->trigger() : void(s.w().close());
        QCOMPARE(s.w().isVisible(), !left);
        QCOMPARE(s.programQuit, int(exit && left));
        QCOMPARE(s.dialogs.messages.size(), int(dirty)); // once: the exit's close asks no more
        // The settings are written on every close.
        QCOMPARE(QFileInfo::exists(s.state.settingsFilePath()), !exit || left);
    }

    void closeToTray_data()
    {
        QTest::addColumn<bool>("trayAvailable");
        QTest::newRow("notification area") << true;
        QTest::newRow("no notification area") << false;
    }

    void closeToTray()
    {
        QFETCH(bool, trayAvailable);
        Session s;
        s.w().tray().setAvailable(trayAvailable);
        s.action("mnumin")->trigger();
        s.w().onNewDatabaseTriggered();
        s.type(QStringLiteral("unsaved"), QString());
        QVERIFY(!s.w().close());
        QVERIFY(s.dialogs.messages.isEmpty());
        // Hidden without a notification area, the window could never come back.
        QCOMPARE(s.w().isVisible(), !trayAvailable);
        QCOMPARE(s.w().isMinimized(), !trayAvailable);
        emit s.w().tray().mouseDown(2); // only the left button brings it back
        QCOMPARE(s.w().isVisible(), !trayAvailable);
        if (trayAvailable) {
            emit s.w().tray().mouseDown(1);
            QVERIFY(s.w().isVisible());
        }
    }

    void languageSwitch()
    {
        Session s;
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        s.button("cmdende")->click();
        s.action("mnudeutsch")->trigger(); // the checked entry switches to the other language
        QVERIFY(s.action("mnuenglisch")->isChecked() && !s.action("mnudeutsch")->isChecked());
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&new"));
        QCOMPARE(s.position(), QStringLiteral(" 2 of  2"));
        s.action("mnudeutsch")->trigger();
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&neu"));
        s.button("cmdanfang")->click();
        s.action("mnuenglisch")->trigger();
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));
        QVERIFY(s.w().close());
        QCOMPARE(s.storedSettings().language, Language::English);
    }

    // The next step leaves the user in the question, wherever the focus was.
    void nextReturnsFocusToTheQuestion()
    {
        Session s;
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        s.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.w()));
        s.get<QLineEdit>("txtzusatz2")->setFocus();
        s.button("cmdvor")->click();
        QVERIFY(s.get<QPlainTextEdit>("txtfrage")->hasFocus());
    }

    void importShowsTheFirstNewRecord()
    {
        Session s;
        s.w().onNewDatabaseTriggered();
        s.type(QStringLiteral("Q"), QStringLiteral("A"));
        const QString csv = s.path(QStringLiteral("neu.csv"));
        testutil::writeBytes(csv, "Frage,Antwort\r\nNeu?,Ja\r\n");
        s.dialogs.files << csv;
        s.action("mnuimportcsv")->trigger();
        QCOMPARE(s.question() + s.position() + s.button("cmdvor")->caption(),
                 QStringLiteral("Neu? 2 von  2&neu"));
        QCOMPARE(offered(s), QStringLiteral("1110001111"));
    }
};

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
