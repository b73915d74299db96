#include "app/paths.h"
#include "app/textcodec.h"
#include "controls/colorvalue.h"
#include "controls/pathlabel.h"
#include "controls/storedtext.h"
#include "gui/captions.h"
#include "gui/session.h"
#include "project/layouteditordialog.h"
#include "settings/settingsfile.h"

#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTimer>

using namespace askbright;
Q_DECLARE_METATYPE(askbright::Message)
using testutil::itemTexts;
using testutil::Session;

namespace {

Message info(const char16_t *text, const char16_t *title)
{
    return {QString::fromUtf16(text), QString::fromUtf16(title), MessageButtons::Ok,
            MessageIcon::Information, 1};
}

Message critical(const char16_t *text, const char16_t *title)
{
    return {QString::fromUtf16(text), QString::fromUtf16(title), MessageButtons::Ok,
            MessageIcon::Critical, 1};
}

// Folders for the page list: templates with three page projects and a file
// that is none, one without projects, and an HTML output folder.
struct PageFolders {
    QTemporaryDir dir;
    QString templates = withTrailingSeparator(dir.filePath(QStringLiteral("vorlagen")));
    QString empty = withTrailingSeparator(dir.filePath(QStringLiteral("leer")));
    QString html = withTrailingSeparator(dir.filePath(QStringLiteral("html")));

    PageFolders()
    {
        for (const QString &f : {templates, empty, html})
            QDir().mkpath(f);
        for (const char *name : {"b.pdt", "a.pdt", "C.PDT", "notiz.txt"})
            testutil::writeBytes(templates + QLatin1String(name), "x");
    }

    // {{T}} the templates folder, {{E}} the empty one, {{H}} the HTML folder,
    // {{T-}} and {{H-}} without their separator, {{X}} a folder that does not exist.
    QString expand(QString text) const
    {
        return text.replace(QStringLiteral("{{T-}}"), templates.chopped(1))
            .replace(QStringLiteral("{{H-}}"), html.chopped(1))
            .replace(QStringLiteral("{{T}}"), templates)
            .replace(QStringLiteral("{{E}}"), empty)
            .replace(QStringLiteral("{{H}}"), html)
            .replace(QStringLiteral("{{X}}"), dir.filePath(QStringLiteral("weg/")));
    }

    QByteArray settings(const QString &templatesFolder, const QString &page = {},
                        const QString &htmlFolder = {}, bool english = false) const
    {
        AppSettings s;
        s.soundsOn = true;
        s.language = english ? Language::English : Language::German;
        s.TemplatesFolder = expand(templatesFolder);
        s.lastTemplatePage = page;
        s.HtmlOutputFolder = expand(htmlFolder);
        return encodeCp1252(formatSettings(s));
    }
};

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
            testutil::writeBytes(s.path(QStringLiteral("vorlagen/a.pdt")), "x");
        });
        QCOMPARE(s.startMessages, QList<Message>());
        QCOMPARE(s.state.pages.templatesFolder() + s.state.pages.page(),
                 withTrailingSeparator(s.path(QStringLiteral("vorlagen"))) + "a.pdt");
        const QString output = withTrailingSeparator(s.path(QStringLiteral("Dokumente/Askbright")));
        QCOMPARE(s.get<QLabel>("lblhtml")->text(), output);
        QCOMPARE(s.title(), QStringLiteral("Askbright Version 1.6"));
        QCOMPARE(s.get<QMenu>("mnudatei")->title(), QStringLiteral("&Datei"));
        QCOMPARE(testutil::readBytes(s.state.recentFilesPath()), QByteArray("\r\n"));
        QVERIFY(!s.action("m1")->isVisible() && !s.action("mnuhistorie")->isVisible());
        QVERIFY(s.button("cmdvor")->isHidden());
        QVERIFY(s.get<QPlainTextEdit>("txtfrage")->isReadOnly());
        QVERIFY(!s.get<QCheckBox>("chkfragez2")->isEnabled());
        QVERIFY(!s.action("mnudatspeiunter")->isEnabled());
        const QFont font = s.get<QPlainTextEdit>("txtantwort")->font();
        QCOMPARE(font.family() + QString::number(font.pointSizeF()), QStringLiteral("Arial11.25"));
        QVERIFY(s.action("mnuzentrieren")->isChecked() && !s.action("mnuposition")->isChecked());
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 1));
        QTimer::singleShot(0, &s.w(), [] { QApplication::activeModalWidget()->close(); });
        s.w().onExportPageTriggered();
        QVERIFY(QFileInfo(output).isDir());
        QCOMPARE(s.dialogs.messages, QList<Message>());
        // The missing settings file is written at once, and again on close.
        QCOMPARE(testutil::readBytes(s.state.settingsFilePath()).count("\r\n"), 59);
        QFile::remove(s.state.settingsFilePath());
        QVERIFY(s.w().close());
        QCOMPARE(testutil::readBytes(s.state.settingsFilePath()).count("\r\n"), 59);
    }

    void storedSettingsAreApplied()
    {
        AppSettings stored;
        stored.language = Language::English;
        stored.alwaysOnTop = true;
        stored.windowLeft = 1500; // twips: 100 px
        stored.windowTop = 750;
        stored.rememberSize = true;
        stored.windowWidth = 700 * 15;
        stored.windowHeight = 520 * 15;
        stored.questionFont = {QStringLiteral("DejaVu Sans"), 14, true, false};
        stored.textColors = {0x0000FF, 0xFF0000};
        Session s(encodeCp1252(formatSettings(stored)));
        QCOMPARE(s.get<QMenu>("mnudatei")->title(), QStringLiteral("&File"));
        QVERIFY(s.action("mnuenglisch")->isChecked() && !s.action("mnudeutsch")->isChecked());
        QVERIFY(s.action("mnuontop")->isChecked());
        QVERIFY(s.w().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(s.action("mnuposition")->isChecked() && s.action("mnugroesse")->isChecked());
        QCOMPARE(QRect(s.w().pos(), s.w().size()), QRect(100, 50, 700, 520));
        QVERIFY(s.get<QPlainTextEdit>("txtfrage")->font().bold());
        QCOMPARE(s.get<QPlainTextEdit>("txtfrage")->palette().color(QPalette::Text),
                 QColor(Qt::red));
    }

    void newTypeAndBrowse()
    {
        Session s;
        s.w().onNewDatabaseTriggered();
        QCOMPARE(s.title(), QStringLiteral("Askbright Version 1.6   Neuanlage*"));
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&neu"));
        QCOMPARE(s.position(), QStringLiteral(" 1 von  1"));
        QVERIFY(!s.action("mnudatneu")->isEnabled());
        QCOMPARE(s.w().tray().indicator(), 1);
        QCOMPARE(s.get<QLabel>("lbldatum0")->text(), QStringLiteral("06.12.2026"));
        for (int i = 1; i <= 3; ++i) {
            s.type(QStringLiteral("Q%1").arg(i), QStringLiteral("A%1").arg(i));
            s.w().recordEditor().onNextClicked();
        }
        QCOMPARE(s.position(), QStringLiteral(" 4 von  4"));
        QCOMPARE(s.questions(), (QStringList{"Q1", "Q2", "Q3", ""}));
        QCOMPARE(s.state.database.record(3).createdDate, QStringLiteral("06.12.2026"));

        s.type(QStringLiteral("Q4"), QStringLiteral("A4"));
        s.w().recordEditor().onFirstClicked();
        QCOMPARE(s.position() + s.button("cmdvor")->caption(), QStringLiteral(" 1 von  4&>"));
        QVERIFY(s.button("cmdinsert")->isEnabled());
        s.w().recordEditor().onNextClicked();
        s.w().recordEditor().onNextClicked();
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));
        s.w().recordEditor().onNextClicked(); // reaching the last record offers a new one
        QCOMPARE(s.position() + s.button("cmdvor")->caption(), QStringLiteral(" 4 von  4&neu"));
        QVERIFY(!s.button("cmdinsert")->isEnabled());
        s.w().recordEditor().onPreviousClicked();
        QCOMPARE(s.question() + s.button("cmdvor")->caption(), QStringLiteral("Q3&>"));
        s.w().recordEditor().onLastClicked();
        QCOMPARE(s.question(), QStringLiteral("Q4"));
        QVERIFY(s.dialogs.messages.isEmpty());

        // Without an answer only forward moves are allowed.
        s.w().recordEditor().onFirstClicked();
        s.get<QPlainTextEdit>("txtantwort")->clear();
        s.w().recordEditor().onNextClicked();
        QCOMPARE(s.position(), QStringLiteral(" 2 von  4"));
        s.get<QPlainTextEdit>("txtantwort")->clear();
        s.w().recordEditor().onPreviousClicked();
        QCOMPARE(s.position(), QStringLiteral(" 2 von  4"));
        QCOMPARE(s.dialogs.messages.last().title, QStringLiteral("Unvollständige Eingabe"));
    }

    void insertAndDelete_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("insert");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("shown");
        QTest::newRow("insert on 2 of 5")
            << 5 << 2 << true << QStringList{"Q1", "", "Q2", "Q3", "Q4", "Q5"} << " 2 von  6";
        QTest::newRow("delete 2 of 5")
            << 5 << 2 << false << QStringList{"Q1", "Q3", "Q4", "Q5"} << " 2 von  4Q3";
        QTest::newRow("delete 5 of 5")
            << 5 << 5 << false << QStringList{"Q1", "Q2", "Q3", "Q4"} << " 4 von  4Q4";
        QTest::newRow("delete the only record") << 1 << 1 << false << QStringList{} << " 0 von  0";
    }

    void insertAndDelete()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(bool, insert);
        QFETCH(QStringList, expected);
        QFETCH(QString, shown);
        Session s;
        s.open(s.writeDatabase(QStringLiteral("five.faq"), count));
        for (int i = 1; i < current; ++i)
            s.w().recordEditor().onNextClicked();
        if (insert) {
            s.w().recordEditor().onInsertClicked();
        } else {
            s.dialogs.answers << AnswerCancel << AnswerOk;
            s.w().recordEditor().onDeleteClicked();
            QCOMPARE(s.state.database.recordCount(), count);
            s.w().recordEditor().onDeleteClicked();
            QCOMPARE(s.dialogs.messages.last(),
                     (Message{QStringLiteral("Diesen Datensatz wirklich löschen?"),
                              QStringLiteral("Datensatz löschen"), MessageButtons::OkCancel,
                              MessageIcon::Critical, 2}));
        }
        QCOMPARE(s.questions(), expected);
        QCOMPARE(s.position() + s.question(), shown);
        QCOMPARE(s.button("cmdvor")->isHidden(), expected.isEmpty());
        QCOMPARE(s.get<QPlainTextEdit>("txtantwort")->isReadOnly(), expected.isEmpty());
        // These change the database (and the file on disk still differs): quitting must ask.
        QVERIFY(s.state.database.hasUnsavedChanges());
        QCOMPARE(s.w().tray().indicator(), 1);
    }

    void refusalMessages_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("action");
        QTest::addColumn<Message>("message");
        const Message incompleteDe =
            info(u"Nicht so faul sein ;-))\rMindestens Frage und Antwort eingeben !",
                 u"Unvollständige Eingabe");
        const Message incompleteEn =
            info(u"Please fill out the question AND the answer\ror press the DELETE- Button.",
                 u"fill incompletely ");
        QTest::newRow("new without answer, de") << false << "vor" << incompleteDe;
        QTest::newRow("new without answer, en") << true << "vor" << incompleteEn;
        QTest::newRow("first without question") << true << "anfang" << incompleteEn;
        QTest::newRow("previous on first, de")
            << false << "zurueck" << info(u"Dateianfang erreicht!", u"Rückwartsblättern");
        QTest::newRow("previous on first, en")
            << true << "zurueck" << info(u"This is the first data base", u"Browse back");
        QTest::newRow("insert on last, de") << false << "insert"
                                            << info(u"Datensatz mit dem Button 'neu' anlegen",
                                                    u"Funktion steht nicht zur Verfügung");
        QTest::newRow("insert on last, en")
            << true << "insert" << info(u"Please use the button 'new'!", u"Function not avaible");
        QTest::newRow("save empty record, de")
            << false << "save"
            << info(u"Bitte diesen Datensatz noch ausfüllen oder\rden Lösch-Button drücken",
                    u"Leere Datensatze nicht speichern");
        QTest::newRow("save as empty record, en")
            << true << "saveas"
            << info(u"Please put data in this data record or\rpush then DELETE-Button",
                    u"Leere Datensatze nicht speichern");
    }

    void refusalMessages()
    {
        QFETCH(bool, english);
        QFETCH(QString, action);
        QFETCH(Message, message);
        Session s;
        if (english)
            s.w().onGermanTriggered();
        s.w().onNewDatabaseTriggered();
        s.type(QStringLiteral("Q"),
               action == QLatin1String("vor") ? QString() : QStringLiteral("A"));
        if (action == QLatin1String("vor")) {
            s.w().recordEditor().onNextClicked();
        } else if (action == QLatin1String("anfang")) {
            s.type(QString(), QString());
            s.w().recordEditor().onFirstClicked();
        } else if (action == QLatin1String("zurueck")) {
            s.w().recordEditor().onPreviousClicked();
            // The caption goes back even though the move was refused.
            QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));
        } else if (action == QLatin1String("insert")) {
            s.w().recordEditor().onInsertClicked();
        } else {
            s.type(QStringLiteral("   "), QString());
            QVERIFY(action == QLatin1String("save") ? !s.w().onSaveDatabaseTriggered()
                                                    : !s.w().onSaveDatabaseAsTriggered());
            QVERIFY(s.dialogs.fileRequests.isEmpty());
        }
        QCOMPARE(s.dialogs.messages, QList<Message>{message});
        QCOMPARE(s.state.database.recordCount(), 1);
    }

    void linkIsCompletedOnTheMove()
    {
        Session s;
        s.open(s.writeDatabase(QStringLiteral("three.faq"), 3));
        s.get<QLineEdit>("txtzusatz2")->setText(QStringLiteral("example.org"));
        s.w().recordEditor().onNextClicked();
        s.get<QLineEdit>("txtzusatz2")->setText(QStringLiteral("   "));
        s.w().recordEditor().onPreviousClicked();
        QCOMPARE(s.state.database.record(1).homepageLink, QStringLiteral("http://example.org"));
        QCOMPARE(s.state.database.record(2).homepageLink, QString());
    }

    void saveAsThenOpenRoundTrip()
    {
        Session s;
        s.w().onNewDatabaseTriggered();
        s.type(QStringLiteral("Was heißt \"FAQ\"?"), QStringLiteral("Häufige Fragen,\nkurz: FAQ"));
        s.get<QLineEdit>("txtzusatz1")->setText(QStringLiteral("Max <max@example.org>"));
        s.get<QCheckBox>("chkfragez2")->setChecked(true);
        const QString file = s.path(QStringLiteral("neu.faq"));
        s.dialogs.files << file;
        QVERIFY(s.w().onSaveDatabaseAsTriggered());
        QCOMPARE(s.dialogs.fileRequests.value(0),
                 (FileDialogRequest{FileDialogKind::Save,
                                    QStringLiteral("FAQ- Datei unter neuem Namen speichern"),
                                    // a first start's: where the sample database is
                                    withTrailingSeparator(s.dir.path()),
                                    {},
                                    QStringLiteral("FAQ_Datei (*.faq)|*.faq"),
                                    1,
                                    0x202006}));
        QCOMPARE(testutil::readBytes(file), QByteArray(" 1 \r\n\"Was hei\xDF"
                                                       "t \xA8"
                                                       "FAQ\xA8?\"\r\n"
                                                       "\"H\xE4ufige Fragen,\r\nkurz: FAQ\"\r\n"
                                                       "\"Max <max@example.org>\"\r\n\"\"\r\n"
                                                       " 1 \r\n06.12.2026\r\n"));
        QCOMPARE(s.title(), QStringLiteral("Askbright Version 1.6   Datei: neu.faq"));
        QVERIFY(!s.state.database.hasUnsavedChanges());
        QCOMPARE(s.w().tray().indicator(), 0);
        // The new file was created after the question (answered Yes by default).
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("neu.faq ist nicht vorhanden.\rSoll die Datei "
                                            "erstellt werden?")});

        Session again;
        again.open(file);
        QCOMPARE(again.dialogs.fileRequests.value(0).title, QStringLiteral("FAQ - Datei öffnen"));
        QCOMPARE(again.dialogs.fileRequests.value(0).flags, 0x281804);
        QCOMPARE(again.question(), QStringLiteral("Was heißt \"FAQ\"?"));
        QCOMPARE(again.get<QPlainTextEdit>("txtantwort")->toPlainText(),
                 QStringLiteral("Häufige Fragen,\nkurz: FAQ"));
        QVERIFY(again.get<QCheckBox>("chkfragez2")->isChecked());
        QCOMPARE(again.title(), s.title());
        // Open writes the settings, with the file's folder for the next dialog.
        AppSettings read;
        readSettingsFile(again.state.settingsFilePath(), read);
        QCOMPARE(read.faqFolder, withTrailingSeparator(s.dir.path()));
        // Browsing an unchanged database is no change.
        again.w().recordEditor().onLastClicked();
        again.w().recordEditor().onFirstClicked();
        QVERIFY(!again.state.database.hasUnsavedChanges());
    }

    void editsMarkUnsaved()
    {
        Session s;
        s.open(s.writeDatabase(QStringLiteral("three.faq"), 3));
        QVERIFY(!s.state.database.hasUnsavedChanges());
        s.get<QPlainTextEdit>("txtantwort")->insertPlainText(QStringLiteral("more "));
        QVERIFY(s.state.database.hasUnsavedChanges());
        QCOMPARE(s.w().tray().indicator(), 1);

        Session date;
        date.open(date.writeDatabase(QStringLiteral("three.faq"), 3));
        date.w().recordEditor().onDateTodayClicked();
        QCOMPARE(date.get<QLabel>("lbldatum0")->text(), QStringLiteral("06.12.2026"));
        QCOMPARE(date.state.database.record(1).createdDate, QStringLiteral("06.12.2026"));
        QVERIFY(date.state.database.hasUnsavedChanges());
    }

    void saveWritesTheRecordShown()
    {
        Session s;
        const QString file = s.writeDatabase(QStringLiteral("three.faq"), 3);
        s.open(file);
        s.w().recordEditor().onNextClicked();
        s.type(QStringLiteral("Q2 edited"), QStringLiteral("A2"));
        QVERIFY(s.w().onSaveDatabaseTriggered());
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
        QTest::newRow("new, save fails") << true << false;
    }

    void failedOrCancelledSaveStopsOpenAndNew()
    {
        QFETCH(bool, viaNew);
        QFETCH(bool, cancel);
        Session s;
        const QString gone = s.path(QStringLiteral("gone/x.faq"));
        s.w().onNewDatabaseTriggered();
        s.type(QStringLiteral("keep me"), QStringLiteral("please"));
        s.dialogs.answers << AnswerYes;
        s.dialogs.files << (cancel ? std::optional<QString>() : std::optional<QString>(gone))
                        << s.writeDatabase(QStringLiteral("other.faq"), 2);
        viaNew ? s.w().onNewDatabaseTriggered() : s.w().onOpenDatabaseTriggered();
        // No confirmation of a save that did not happen, no open dialog, and
        // the database is still there and still unsaved.
        QStringList expected{QStringLiteral("Datensatz erst speichern?")};
        if (!cancel)
            expected << QStringLiteral("x.faq ist nicht vorhanden.\rSoll die Datei erstellt "
                                       "werden?")
                     << QStringLiteral("Abspeichern wurde abgebrochen...");
        QCOMPARE(s.dialogs.messageTexts(), expected);
        QCOMPARE(s.dialogs.fileRequests.size(), 1);
        QCOMPARE(s.questions() << s.question(), (QStringList{"keep me", "keep me"}));
        QCOMPARE(s.state.database.filePath(), QString());
        QVERIFY(s.state.database.hasUnsavedChanges());
    }

    void failedOpenKeepsDatabase_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("dialog cancelled") << QByteArray() << QStringList{};
        QTest::newRow("count too high")
            << QByteArray(" 5 \r\n\"a\"\r\n\"b\"\r\n\"\"\r\n\"\"\r\n 0 \r\n01.01.2020\r\n")
            << QStringList{"62  Einlesen hinter Dateiende"};
    }

    void failedOpenKeepsDatabase()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, messages);
        Session s;
        const QString good = s.writeDatabase(QStringLiteral("good.faq"), 3);
        s.open(good);
        s.w().recordEditor().onNextClicked();
        if (bytes.isEmpty()) {
            s.w().onOpenDatabaseTriggered(); // nothing scripted: the dialog is cancelled
        } else {
            testutil::writeBytes(s.path(QStringLiteral("bad.faq")), bytes);
            s.open(s.path(QStringLiteral("bad.faq")));
        }
        QCOMPARE(s.dialogs.messageTexts(), messages);
        QCOMPARE(s.state.database.filePath(), good);
        QCOMPARE(s.questions(), (QStringList{"Q1", "Q2", "Q3"}));
        QCOMPARE(s.position(), QStringLiteral(" 2 von  3"));
        QVERIFY(s.title().endsWith(QStringLiteral("good.faq")));
    }

    void emptyFileOpensIntoEmptyState()
    {
        Session s;
        const QString file = s.path(QStringLiteral("empty.faq"));
        testutil::writeBytes(file, " 0 \r\n");
        s.open(file);
        QCOMPARE(s.position(), QStringLiteral(" 0 von  0"));
        QVERIFY(s.button("cmdvor")->isHidden());
        QVERIFY(s.w().onSaveDatabaseTriggered());
        QCOMPARE(testutil::readBytes(file), QByteArray(" 0 \r\n"));
    }

    void limitOf2000Records()
    {
        Session s;
        s.open(s.writeDatabase(QStringLiteral("full.faq"), 2000));
        s.w().recordEditor().onLastClicked();
        s.w().recordEditor().onNextClicked();
        s.w().recordEditor().onFirstClicked();
        s.w().onGermanTriggered();
        s.w().recordEditor().onInsertClicked();
        QCOMPARE(s.state.database.recordCount(), 2000);
        QCOMPARE(s.question(), QStringLiteral("Q1"));
        const QList<Message> expected{
            {QStringLiteral(
                 "Die Datenbank enthält bereits 2000 Datensätze;\rmehr sind nicht möglich."),
             QStringLiteral("Höchstzahl erreicht"), MessageButtons::Ok, MessageIcon::Exclamation,
             1},
            {QStringLiteral("The database already holds 2000 records;\rno more can be added."),
             QStringLiteral("Limit reached"), MessageButtons::Ok, MessageIcon::Exclamation, 1}};
        QCOMPARE(s.dialogs.messages, expected);
    }

    void recentFiles()
    {
        Session s;
        QStringList files;
        for (int i = 1; i <= 9; ++i)
            files << s.writeDatabase(QStringLiteral("f&%1.faq").arg(i), 1);
        for (const QString &f : files)
            s.open(f);
        const QByteArray list = testutil::readBytes(s.state.recentFilesPath());
        QCOMPARE(list.count("\r\n"), 8);
        QVERIFY(!list.contains("f&1.faq") && list.endsWith("f&9.faq\r\n"));
        QVERIFY(s.action("m8")->text().endsWith(QStringLiteral("f&&9.faq")));
        QVERIFY(s.action("m1")->text().size() <= 36);

        // Re-opening a listed file neither adds nor moves it, and shows no dialog.
        const int dialogs = s.dialogs.fileRequests.size();
        s.w().onRecentFileTriggered(1);
        QCOMPARE(s.dialogs.fileRequests.size(), dialogs);
        QCOMPARE(s.state.database.filePath(), files.at(1));
        QCOMPARE(testutil::readBytes(s.state.recentFilesPath()), list);

        // A vanished file: the message, nothing opened, dropped at the next rebuild.
        QFile::remove(files.at(2));
        s.w().onRecentFileTriggered(2);
        QCOMPARE(s.dialogs.messages, QList<Message>{info(u"Datei wurde verschoben oder gelöscht",
                                                         u"Datei nicht gefunden")});
        QCOMPARE(s.state.database.filePath(), files.at(1));
        s.w().refreshRecentFiles();
        QVERIFY(s.action("m2")->text().endsWith(QStringLiteral("f&&4.faq")));
        QVERIFY(!s.action("m8")->isVisible());

        s.w().onClearRecentFilesTriggered();
        QVERIFY(!QFileInfo::exists(s.state.recentFilesPath()));
        QVERIFY(!s.action("m1")->isVisible() && !s.action("mnuhistorie")->isVisible());
    }

    void closeAsksBeforeLosingWork_data()
    {
        QTest::addColumn<bool>("dirty");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("nothing to lose") << false << 0 << true;
        QTest::newRow("yes: leave") << true << int(AnswerYes) << true;
        QTest::newRow("no: stay") << true << int(AnswerNo) << false;
        QTest::newRow("cancel: stay") << true << int(AnswerCancel) << false;
    }

    void closeAsksBeforeLosingWork()
    {
        QFETCH(bool, dirty);
        QFETCH(int, answer);
        QFETCH(bool, closed);
        Session s;
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        if (dirty)
            s.type(QStringLiteral("changed"), QStringLiteral("A1"));
        s.dialogs.answers << answer;
        QFile::remove(s.state.settingsFilePath());
        QCOMPARE(s.w().close(), closed);
        QCOMPARE(s.w().isVisible(), !closed);
        QVERIFY(QFileInfo::exists(s.state.settingsFilePath())); // written on every attempt
        QList<Message> asked;
        if (dirty)
            asked << Message{QStringLiteral("Noch nicht gespeichert! Trotzdem raus?"),
                             QStringLiteral("Sicherheitsabfrage"), MessageButtons::YesNoCancel,
                             MessageIcon::Question, 3};
        QCOMPARE(s.dialogs.messages, asked);
    }

    void exitCommand()
    {
        Session s;
        s.w().onGermanTriggered();
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        s.type(QStringLiteral("changed"), QStringLiteral("A1"));
        s.dialogs.answers << AnswerNo << AnswerYes;
        s.w().onExitTriggered();
        QVERIFY(s.w().isVisible());
        QCOMPARE(s.state.exitConfirmed, 0);
        QCOMPARE(s.programQuit, 0);
        s.w().onExitTriggered();
        QVERIFY(!s.w().isVisible());
        QCOMPARE(s.programQuit, 1);
        const Message asked{QStringLiteral("Changed data are not saved! Really leave?"),
                            QStringLiteral("Loss data!"), MessageButtons::YesNo,
                            MessageIcon::Critical, 2};
        QCOMPARE(s.dialogs.messages, (QList<Message>{asked, asked})); // the close asks no more
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
        s.w().onCloseToTrayTriggered();
        s.w().onNewDatabaseTriggered();
        s.type(QStringLiteral("unsaved"), QString());
        QFile::remove(s.state.settingsFilePath());
        QVERIFY(!s.w().close());
        QVERIFY(s.dialogs.messages.isEmpty());
        QVERIFY(QFileInfo::exists(s.state.settingsFilePath()));
        // Hidden without a notification area, the window could never come back.
        QCOMPARE(s.w().isVisible(), !trayAvailable);
        QCOMPARE(s.w().isMinimized(), !trayAvailable);
        s.w().onTrayMouseDown(2); // only the left button brings it back
        QCOMPARE(s.w().isVisible(), !trayAvailable);
        if (trayAvailable) {
            s.w().onTrayMouseDown(1);
            QVERIFY(s.w().isVisible());
        }
    }

    void languageSwitch()
    {
        Session s;
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        s.w().recordEditor().onLastClicked();
        s.w().onGermanTriggered(); // the checked entry switches to the other language
        QVERIFY(s.action("mnuenglisch")->isChecked() && !s.action("mnudeutsch")->isChecked());
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&new"));
        QCOMPARE(s.position(), QStringLiteral(" 2 of  2"));
        QCOMPARE(s.action("mnudatspeiunter")->text(), QStringLiteral("Save Database &under..."));
        QCOMPARE(s.get<QLabel>("Label8")->toolTip(),
                 QStringLiteral("'http://' can skip over, get operating by itself"));
        s.w().onGermanTriggered();
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&neu"));
        QCOMPARE(s.button("cmdinsert")->caption(), QStringLiteral("ein&fügen"));
        s.w().recordEditor().onFirstClicked();
        s.w().onEnglishTriggered();
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));
        QVERIFY(s.w().close());
        AppSettings read;
        readSettingsFile(s.state.settingsFilePath(), read);
        QCOMPARE(read.language, Language::English);
    }

    // The controls stretch with the window; the text boxes keep the user's font size.
    void controlsFollowTheWindowSize()
    {
        AppSettings stored;
        stored.answerFont = {QStringLiteral("DejaVu Sans"), 14, false, false};
        Session s(encodeCp1252(formatSettings(stored)));
        auto *answer = s.get<QPlainTextEdit>("txtantwort");
        auto *label = s.get<QLabel>("Label5");
        auto *client = s.w().centralWidget();
        const QRect before = answer->geometry();
        const QSize clientBefore = client->size();
        const qreal labelFont = label->font().pointSizeF();
        s.w().resize(s.w().width() * 3 / 2, s.w().height() + clientBefore.height() / 5);
        QTRY_COMPARE(client->width(), clientBefore.width() * 3 / 2);
        QCOMPARE(answer->x(), qRound(before.x() * 1.5));
        QVERIFY(qAbs(answer->width() - before.width() * 1.5) <= 1);
        const double heightRatio = double(client->height()) / clientBefore.height();
        QVERIFY(heightRatio > 1.1);
        QVERIFY(qAbs(answer->height() - before.height() * heightRatio) <= 1);
        QCOMPARE(answer->font().pointSizeF(), 14.0);
        QVERIFY(label->font().pointSizeF() > labelFont);
        // Back at the recorded size everything is as designed, the user's font included.
        s.w().resize(s.w().width() * 2 / 3, s.w().height() - clientBefore.height() / 5);
        QTRY_COMPARE(answer->geometry(), before);
        QCOMPARE(answer->font().pointSizeF(), 14.0);
        QCOMPARE(label->font().pointSizeF(), labelFont);
    }

    // Start-up checks the output and templates folders and fills the page list.
    void startupFolderCheck_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("templates"); // the setting, see PageFolders::expand
        QTest::addColumn<QString>("page");      // lastTemplatePage
        QTest::addColumn<QString>("html");
        QTest::addColumn<QList<Message>>("messages");
        QTest::addColumn<QString>("shown");    // lbltest and the setting afterwards
        QTest::addColumn<QString>("selected"); // the page list's text
        QTest::addColumn<QString>("htmlShown");
        // "templates|page|html -> shown|selected|htmlShown"
        const auto row = [](const char *name, bool english, const QString &io,
                            const QList<Message> &messages = {}) {
            const QStringList v =
                QString(io).replace(QStringLiteral(" -> "), QStringLiteral("|")).split(u'|');
            QTest::newRow(name) << english << v.at(0) << v.at(1) << v.at(2) << messages << v.at(3)
                                << v.at(4) << v.at(5);
        };

        row("remembered page present", false, "{{T}}|b.pdt|{{H}} -> {{T}}|b.pdt|{{H}}");
        row("remembered page in other letter case", false, "{{T}}|c.pdt| -> {{T}}|C.PDT|");
        row("remembered page deleted outside: the first", false, "{{T}}|weg.pdt| -> {{T}}|C.PDT|");
        row("folders without separator get one", false, "{{T-}}||{{H-}} -> {{T}}|C.PDT|{{H}}");

        const Message htmlDe = critical(u"Der HTML-Exportpfad ist ungültig\rBitte neu zuordnen!",
                                        u"Ungültige Pfadangabe");
        const Message htmlEn =
            critical(u"Invalid HTML-Export path!\rPlease select new path!", u"Invalid Path");
        row("HTML folder missing, German", false, "{{T}}|a.pdt|{{X}} -> {{T}}|a.pdt|", {htmlDe});
        row("HTML folder missing, English", true, "{{T}}|a.pdt|{{X}} -> {{T}}|a.pdt|", {htmlEn});

        const Message unsetDe = info(u"Bitte geben Sie unter Einstellungen zuerst den Pfad an,\rin "
                                     u"dem die Seitenvorlagen gespeichert werden sollen!",
                                     u"Hinweis");
        const Message unsetEn =
            info(u"Please select a Folder to save the templates (under OPTIONS)", u"Notice");
        row("no templates folder, German", false, "|a.pdt|{{H}} -> ||{{H}}", {unsetDe});
        row("no templates folder, English", true, "|| -> ||", {unsetEn});
        row("both folders missing or unset", false, "||{{X}} -> ||", {htmlDe, unsetDe});

        row("templates folder missing, German", false, "{{X}}|a.pdt| -> ||",
            {critical(u"Der Pfad für die Seitenvorlagen ist ungültig\rBitte neu zuordnen!",
                      u"Ungültige Pfadangabe")});
        row("templates folder missing, English", true, "{{X}}|| -> ||",
            {critical(u"Invalid page template path!\rPlease select new path!", u"Invalid Path")});

        const auto noProjects = [](const char16_t *text, const char16_t *title) {
            return QList<Message>{{QString::fromUtf16(text), QString::fromUtf16(title),
                                   MessageButtons::Ok, MessageIcon::Question, 2}};
        };
        row("folder without page projects, German", false, "{{E}}|| -> ||",
            noProjects(u"Im festgelegtem Ordner für die Seitenvorlagen\rbefinden sich zur Zeit "
                       u"keine Vorlagen.\rSie können einen Ordner mit Vorlagen suchen\r(unter "
                       u"Menüpunkt 'Einstellungen/Speicherort Seitenvorlagen')\roder unter dem "
                       u"selben Menüpunkt einen neuen Ordner festlegen.",
                       u"Keine Vorlagen im Vorlagenordner!"));
        row("folder without page projects, English", true, "{{E}}|| -> ||",
            noProjects(u"In the Template Folder you don't have pages.\rYou can search a "
                       u"directory with templates, or you can\rselect some Folder for your "
                       u"pattern pages. Where?\rUnder 'Options/Templates Folder",
                       u"No Templates found in this directory!"));
    }

    void startupFolderCheck()
    {
        QFETCH(bool, english);
        QFETCH(QString, templates);
        QFETCH(QString, page);
        QFETCH(QString, html);
        QFETCH(QList<Message>, messages);
        QFETCH(QString, shown);
        QFETCH(QString, selected);
        QFETCH(QString, htmlShown);
        PageFolders f;
        Session s(f.settings(templates, page, html, english));
        QCOMPARE(s.startMessages, messages);
        QCOMPARE(s.state.pages.templatesFolder(), f.expand(shown));
        QCOMPARE(s.state.settings.TemplatesFolder, f.expand(shown));
        auto *list = s.get<QComboBox>("cseite");
        QCOMPARE(s.state.pages.page(), selected);
        QCOMPARE(itemTexts(list),
                 shown.isEmpty() ? QStringList() : (QStringList{"C.PDT", "a.pdt", "b.pdt"}));
        QCOMPARE(list->isEnabled(), !shown.isEmpty());
        QCOMPARE(s.button("cmdsloeschen")->isEnabled(), !shown.isEmpty());
        QCOMPARE(s.get<QLabel>("lblhtml")->text(), f.expand(htmlShown));
        QCOMPARE(s.state.settings.HtmlOutputFolder, f.expand(htmlShown));
        // The layout editor button is always there to tell what is missing.
        QVERIFY(s.button("Command1")->isEnabled());
    }

    void selectedPageIsSaved()
    {
        PageFolders f;
        Session s(f.settings(QStringLiteral("{{T}}"), QStringLiteral("a.pdt")));
        s.get<QComboBox>("cseite")->setCurrentIndex(2);
        QVERIFY(s.w().close());
        AppSettings read;
        readSettingsFile(s.state.settingsFilePath(), read);
        QCOMPARE(read.lastTemplatePage, QStringLiteral("b.pdt"));
        QCOMPARE(read.TemplatesFolder, f.templates);
    }

    void chooseTemplatesFolder_data()
    {
        QTest::addColumn<QString>("before"); // the templates folder at start
        QTest::addColumn<int>("answer");     // to the question whether to replace it
        QTest::addColumn<QString>("chosen"); // from the folder browser, "" cancels
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("pages");
        const QStringList three{"C.PDT", "a.pdt", "b.pdt"};
        QTest::newRow("set, No: nothing changes") << "{{T}}" << int(AnswerNo) << "{{E}}"
                                                  << "{{T}}" << three;
        QTest::newRow("set, Yes, cancelled") << "{{T}}" << int(AnswerYes) << ""
                                             << "{{T}}" << three;
        QTest::newRow("set, Yes, an empty folder is accepted")
            << "{{T}}" << int(AnswerYes) << "{{E}}"
            << "{{E}}" << QStringList{};
        QTest::newRow("unset: chosen without separator gets one") << "" << 0 << "{{T-}}"
                                                                  << "{{T}}" << three;
    }

    void chooseTemplatesFolder()
    {
        QFETCH(QString, before);
        QFETCH(int, answer);
        QFETCH(QString, chosen);
        QFETCH(QString, after);
        QFETCH(QStringList, pages);
        PageFolders f;
        Session s(f.settings(before, QStringLiteral("b.pdt")));
        s.dialogs.answers << answer;
        s.dialogs.folders << f.expand(chosen);
        s.sounds.played.clear();
        s.action("mnuvorlagen")->trigger();

        QList<Message> asked;
        if (!before.isEmpty())
            asked << Message{
                QStringLiteral("Ordner bereits festgelegt! Neuen Speicherort festlegen?"),
                QStringLiteral("Sicherheitsabfrage"), MessageButtons::YesNo, MessageIcon::Question,
                2};
        QCOMPARE(s.dialogs.messages, asked);
        QCOMPARE(s.dialogs.folderPrompts,
                 answer == AnswerNo
                     ? QStringList()
                     : QStringList{QStringLiteral("Bitte wählen Sie ein Verzeichnis")});
        QCOMPARE(s.sounds.played, QStringList{QStringLiteral("menu")});
        QCOMPARE(s.state.pages.templatesFolder(), f.expand(after));
        QCOMPARE(s.state.settings.TemplatesFolder, f.expand(after));
        QCOMPARE(itemTexts(s.get<QComboBox>("cseite")), pages);
        QCOMPARE(s.state.pages.page(), after == before ? QStringLiteral("b.pdt") : pages.value(0));
        QVERIFY(s.get<QComboBox>("cseite")->isEnabled());
        QVERIFY(s.button("cmdsloeschen")->isEnabled());
    }

    void chooseHtmlFolder_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("after");
        QTest::newRow("cancelled") << ""
                                   << "{{H}}";
        QTest::newRow("chosen without separator") << "{{T-}}"
                                                  << "{{T}}";
        QTest::newRow("chosen with separator") << "{{E}}"
                                               << "{{E}}";
        const QString deep = "{{E}}" + QStringList(12, "Unterordner").join(u'/') + "/Ende/";
        QTest::newRow("too long to show whole") << deep << deep;
    }

    void chooseHtmlFolder()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, after);
        PageFolders f;
        Session s(f.settings(QString(), QString(), QStringLiteral("{{H}}")));
        s.dialogs.folders << f.expand(chosen);
        s.action("mnuhtml")->trigger();
        QCOMPARE(s.dialogs.folderPrompts,
                 QStringList{QStringLiteral("Bitte wählen Sie ein Verzeichnis")});
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(s.state.settings.HtmlOutputFolder, f.expand(after));
        auto *label = s.get<PathLabel>("lblhtml");
        QCOMPARE(label->text() + label->toolTip(), f.expand(after) + f.expand(after));
        // A path too long to show whole is shortened in the middle: its start
        // and its last folder stay in sight.
        const QString shown = label->shownText();
        QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->width());
        QVERIFY(shown.startsWith(f.dir.path().left(4)));
        QCOMPARE(shown.endsWith(QStringLiteral("/Ende/")),
                 after.endsWith(QStringLiteral("/Ende/")));
    }

    void deletePageProject_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("page"); // the page list's text
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("selected");
        QTest::newRow("OK deletes, the first is selected")
            << false << QStringList{"a.pdt", "b.pdt", "c.pdt"} << "b.pdt" << int(AnswerOk)
            << QStringList{"a.pdt", "c.pdt"} << "a.pdt";
        QTest::newRow("Cancel keeps it")
            << true << QStringList{"a.pdt", "b.pdt"} << "b.pdt" << int(AnswerCancel)
            << QStringList{"a.pdt", "b.pdt"} << "b.pdt";
        QTest::newRow("the last one: empty list, nothing selected")
            << true << QStringList{"a.pdt"} << "a.pdt" << int(AnswerOk) << QStringList{} << "";
        QTest::newRow("a typed name is not deleted")
            << false << QStringList{"a.pdt", "z.faq"} << "z.faq" << -1
            << QStringList{"a.pdt", "z.faq"} << "z.faq";
    }

    void deletePageProject()
    {
        QFETCH(bool, english);
        QFETCH(QStringList, files);
        QFETCH(QString, page);
        QFETCH(int, answer);
        QFETCH(QStringList, left);
        QFETCH(QString, selected);
        PageFolders f;
        for (const QString &file : files)
            QVERIFY(testutil::writeBytes(f.empty + file, "x"));
        Session s(f.settings(QStringLiteral("{{E}}"), QString(), QString(), english));
        s.state.pages.setPage(page);
        if (answer > 0)
            s.dialogs.answers << answer;
        s.sounds.played.clear();
        s.button("cmdsloeschen")->click();

        QList<Message> asked;
        if (answer > 0)
            asked << Message{
                f.empty + page +
                    (english ? QStringLiteral(" really remove\rfrom the hard drive?")
                             : QStringLiteral(" wirklich von der\rFestplatte löschen?")),
                english ? QStringLiteral("Confirm delete!") : QStringLiteral("Löschen bestätigen!"),
                MessageButtons::OkCancel, MessageIcon::Critical, 2};
        else
            asked << info(u"Bitte zuerst eine Seitenvorlage aus der Liste auswählen.", u"");
        QCOMPARE(s.dialogs.messages, asked);
        QCOMPARE(QDir(f.empty).entryList(QDir::Files, QDir::Name), left);
        QCOMPARE(s.state.pages.page(), selected);
        QCOMPARE(s.sounds.played,
                 answer == AnswerOk ? QStringList{QStringLiteral("loeschen")} : QStringList{});
        if (answer == AnswerOk)
            QCOMPARE(itemTexts(s.get<QComboBox>("cseite")), left.filter(QStringLiteral(".pdt")));
        QVERIFY(s.errors.reports.isEmpty());
    }

    void layoutEditorButtonNeedsAFolder_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("templates");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("sounds");
        QTest::newRow("no folder, German")
            << false << ""
            << QStringList{"Erst einen Speicherort für die Seitenvorlagen auswählen (unter "
                           "Einstellungen)"}
            << QStringList{};
        QTest::newRow("no folder, English")
            << true << ""
            << QStringList{"Please select a Folder to save the templates (under OPTIONS)"}
            << QStringList{};
        // The editor opens; leaving it at once asks the unsaved question.
        QTest::newRow("folder set")
            << false << "{{T}}"
            << QStringList{"Änderungen sind noch nicht gespeichert! Wirklich verlassen?"}
            << QStringList{"generieren", "good1"};
    }

    void layoutEditorButtonNeedsAFolder()
    {
        QFETCH(bool, english);
        QFETCH(QString, templates);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, sounds);
        PageFolders f;
        Session s(f.settings(templates, QString(), QString(), english));
        s.sounds.played.clear();
        s.state.settings.soundsOn = true;
        bool editorShown = false;
        QTimer::singleShot(0, &s.w(), [&] {
            if (auto *editor =
                    qobject_cast<LayoutEditorDialog *>(QApplication::activeModalWidget())) {
                editorShown = true;
                s.dialogs.answers << AnswerYes;
                editor->cmdrausprojekt_Click();
            }
        });
        s.button("Command1")->click();
        QCOMPARE(editorShown, !templates.isEmpty());
        QCOMPARE(s.dialogs.messageTexts(), messages);
        if (templates.isEmpty()) {
            for (const Message &m : std::as_const(s.dialogs.messages))
                QVERIFY(m.title.isEmpty() && m.icon == MessageIcon::None &&
                        m.buttons == MessageButtons::Ok);
        }
        QCOMPARE(s.sounds.played, sounds);
    }

    // Export is allowed with a saved database; the HTML button then takes the
    // scheme's caption colour, and disabled it looks disabled.
    void exportFollowsTheWindowState()
    {
        Session s;
        s.state.currentColors[ColorScheme::buttonFontColor] = 0x0000FF;
        Button3D *html = s.button("cmdhtml");
        const auto exportAllowed = [&](bool allowed) {
            QCOMPARE(s.action("mnuexporttext")->isEnabled(), allowed);
            QCOMPARE(html->isEnabled(), allowed);
            QCOMPARE(html->captionColor(), std::optional<qint32>(allowed ? 0x0000FF : lightGrey));
        };
        exportAllowed(false);
        QVERIFY(s.action("mnuvorlagen")->isEnabled() && s.action("mnuhtml")->isEnabled());
        s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
        exportAllowed(true);
        QVERIFY(s.w().onSaveDatabaseTriggered());
        exportAllowed(true);
        s.w().onNewDatabaseTriggered();
        exportAllowed(false);
        s.type(QStringLiteral("Q"), QStringLiteral("A"));
        s.dialogs.files << s.path(QStringLiteral("b.faq"));
        QVERIFY(s.w().onSaveDatabaseAsTriggered());
        exportAllowed(true);
    }

    void captionsFit()
    {
        Session s;
        s.w().onNewDatabaseTriggered(); // every control with its caption
        QCOMPARE(testutil::cutOffCaptions(&s.w()), QStringList());
        s.w().onEnglishTriggered();
        QCOMPARE(testutil::cutOffCaptions(&s.w()), QStringList());
    }

    void openFromCommandLine_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no such file
        QTest::addColumn<QString>("message");
        QTest::newRow("database")
            << QByteArray(" 1 \r\n\"Q\"\r\n\"A\"\r\n\"\"\r\n\"\"\r\n 0 \r\n01.01.2020\r\n")
            << QString();
        QTest::newRow("no such file") << QByteArray() << "53  Datei nicht gefunden: {{PATH}}";
        QTest::newRow("not a database") << QByteArray("abc") << "13  {{ANY}}";
        QTest::newRow("a text too long") << " 1 \r\n\"" + QByteArray(2'000'000, 'x') + '"'
                                         << "7  Datensatz 1, Frage: 2000000 Zeichen; ein Text darf "
                                            "höchstens 1048576 Zeichen enthalten";
    }

    void openFromCommandLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Session s;
        const QString path = s.path(QStringLiteral("arg.faq"));
        if (!bytes.isNull())
            QVERIFY(testutil::writeBytes(path, bytes));
        s.w().openFromCommandLine(path);
        if (message.isEmpty()) {
            QVERIFY(s.dialogs.messages.isEmpty());
            QCOMPARE(s.title(), QStringLiteral("Askbright Version 1.6   Datei: arg.faq"));
            QCOMPARE(s.question() + s.position(), QStringLiteral("Q 1 von  1"));
            QVERIFY(testutil::readBytes(s.state.recentFilesPath()).contains("arg.faq"));
            return;
        }
        // Open's message, and the window stays without a database.
        QCOMPARE(s.dialogs.messages.size(), 1);
        const QString shown = s.dialogs.messages.first().text;
        QVERIFY2(message.endsWith(QStringLiteral("{{ANY}}"))
                     ? shown.startsWith(message.chopped(7))
                     : shown == QString(message).replace(QStringLiteral("{{PATH}}"), path),
                 qPrintable(shown));
        QCOMPARE(s.title(), QStringLiteral("Askbright Version 1.6"));
        QVERIFY(s.button("cmdvor")->isHidden());
        QCOMPARE(s.state.database.recordCount(), 0);
    }

    // What a file cannot store never enters a field: characters outside the
    // code page, and text beyond the longest a record may hold (a line field
    // would otherwise cut every text at 32767 characters).
    void unstorableTextIsRefused()
    {
        Session s;
        s.w().onNewDatabaseTriggered();
        auto *answer = s.get<StoredTextEdit>("txtantwort");
        answer->insertPlainText(QStringLiteral("Preis 5 € – ok ✓"));
        QCOMPARE(answer->toPlainText(), QStringLiteral("Preis 5 € – ok "));
        answer->setText(QString(maxTextLength + 5, u'a'));
        QCOMPARE(answer->toPlainText().size(), maxTextLength);
        auto *link = s.get<QLineEdit>("txtzusatz2");
        link->insert(QStringLiteral("例え.jp"));
        QCOMPARE(link->text(), QStringLiteral(".jp"));
        link->setText(QString(40000, u'l'));
        QCOMPARE(link->text().size(), 40000);
        link->setText(QString(maxTextLength + 5, u'l'));
        QCOMPARE(link->text().size(), maxTextLength);
    }
};

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
