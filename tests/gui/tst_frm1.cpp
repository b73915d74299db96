#include "app/textcodec.h"
#include "gui/session.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QMenu>

using namespace askbright;
using testutil::Session;

class tst_frm1 : public QObject {
    Q_OBJECT
private slots:
    void firstStart();
    void storedSettingsAreApplied();
    void newTypeAndBrowse();
    void insertAndDelete_data();
    void insertAndDelete();
    void deletingTheOnlyRecordEmptiesTheWindow();
    void refusalMessages_data();
    void refusalMessages();
    void linkCompletion_data();
    void linkCompletion();
    void saveAsThenOpenRoundTrip();
    void typingMarksUnsaved();
    void saveWritesTheRecordShown();
    void failedOrCancelledSaveStopsOpenAndNew_data();
    void failedOrCancelledSaveStopsOpenAndNew();
    void cancelledOpenKeepsDatabase();
    void unreadableFileKeepsDatabase();
    void emptyFileOpensIntoEmptyState();
    void limitOf2000Records();
    void recentFilesMenu();
    void recentFileGone();
    void clearHistory();
    void closeAsksBeforeLosingWork_data();
    void closeAsksBeforeLosingWork();
    void exitCommand();
    void closeToTray_data();
    void closeToTray();
    void languageSwitch();
    void unencodableCharactersAreRefused();
};

void tst_frm1::firstStart()
{
    Session s;
    QCOMPARE(s.w().windowTitle(), QStringLiteral("Askbright Version 1.6"));
    QCOMPARE(s.get<QMenu>("mnudatei")->title(), QStringLiteral("&Datei"));
    QCOMPARE(testutil::readBytes(s.state.recentFilesPath()), QByteArray("\r\n"));
    for (int i = 1; i <= 8; ++i)
        QVERIFY(!s.action(qPrintable(QStringLiteral("m%1").arg(i)))->isVisible());
    QVERIFY(!s.action("mnuhistorie")->isVisible());
    // No database yet: record buttons hidden, fields read-only.
    QVERIFY(s.button("cmdvor")->isHidden());
    QVERIFY(s.get<QPlainTextEdit>("txtfrage")->isReadOnly());
    QVERIFY(!s.get<QCheckBox>("chkfragez2")->isEnabled());
    QVERIFY(!s.action("mnudatspeiunter")->isEnabled());
    QCOMPARE(s.get<QPlainTextEdit>("txtfrage")->font().family(), QStringLiteral("Arial"));
    QCOMPARE(s.get<QPlainTextEdit>("txtantwort")->font().pointSizeF(), 11.25);
    QVERIFY(s.action("mnuzentrieren")->isChecked());
    QVERIFY(!s.action("mnuposition")->isChecked());
    QCOMPARE(s.state.settings.language, QStringLiteral("deutsch"));
    // The missing settings file was recovered and written at once.
    QCOMPARE(testutil::readBytes(s.state.settingsFilePath()).count("\r\n"), 59);

    QFile::remove(s.state.settingsFilePath());
    QVERIFY(s.w().close());
    const QByteArray written = testutil::readBytes(s.state.settingsFilePath());
    QCOMPARE(written.count("\r\n"), 59);
    QVERIFY(written.contains("\r\nmerken\r\n") || written.contains("\r\nnicht merken\r\n"));
}

void tst_frm1::storedSettingsAreApplied()
{
    AppSettings stored;
    stored.language = QStringLiteral("englisch");
    stored.alwaysOnTop = 1;
    stored.minimizeToTray = 0;
    stored.centerWindow = 0;
    stored.windowLeft = 1500; // 100 px
    stored.windowTop = 750;
    stored.rememberSize = 1;
    stored.windowWidth = 700 * 15;
    stored.windowHeight = 520 * 15;
    stored.questionFont = {QStringLiteral("DejaVu Sans"), 14, true, false};
    stored.textColors = {0x0000FF, 0xFF0000};
    Session s(encodeCp1252(formatSettings(stored)));
    QCOMPARE(s.get<QMenu>("mnudatei")->title(), QStringLiteral("&File"));
    QVERIFY(s.action("mnuenglisch")->isChecked());
    QVERIFY(!s.action("mnudeutsch")->isChecked());
    QVERIFY(s.action("mnuontop")->isChecked());
    QVERIFY(s.w().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!s.action("mnumin")->isChecked());
    QVERIFY(s.action("mnuposition")->isChecked());
    QVERIFY(s.action("mnugroesse")->isChecked());
    QCOMPARE(s.w().size(), QSize(700, 520));
    QCOMPARE(s.w().pos(), QPoint(100, 50));
    const QFont font = s.get<QPlainTextEdit>("txtfrage")->font();
    QCOMPARE(font.family(), QStringLiteral("DejaVu Sans"));
    QVERIFY(font.bold());
    QCOMPARE(s.get<QPlainTextEdit>("txtfrage")->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(s.get<QPlainTextEdit>("txtantwort")->palette().color(QPalette::Text),
             QColor(Qt::blue));
}

void tst_frm1::newTypeAndBrowse()
{
    Session s;
    s.w().mnudatneu_Click();
    QCOMPARE(s.w().windowTitle(), QStringLiteral("Askbright Version 1.6   Neuanlage"));
    QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&neu"));
    QCOMPARE(s.position(), QStringLiteral(" 1 von  1"));
    QVERIFY(!s.action("mnudatneu")->isEnabled());
    QVERIFY(s.state.database.hasUnsavedChanges());
    QCOMPARE(s.w().tray().indicator(), 1);
    QCOMPARE(s.get<QLabel>("lbldatum0")->text(), QStringLiteral("06.12.2026"));

    s.type(QStringLiteral("Q1"), QStringLiteral("A1"));
    s.w().cmdvor_Click();
    QCOMPARE(s.position(), QStringLiteral(" 2 von  2"));
    QCOMPARE(s.question(), QString());
    s.type(QStringLiteral("Q2"), QStringLiteral("A2"));
    s.w().cmdvor_Click();
    s.type(QStringLiteral("Q3"), QStringLiteral("A3"));
    s.w().cmdvor_Click();
    QCOMPARE(s.position(), QStringLiteral(" 4 von  4"));
    QCOMPARE(s.questions(), (QStringList{"Q1", "Q2", "Q3", ""}));
    QCOMPARE(s.state.database.record(3).createdDate, QStringLiteral("06.12.2026"));

    s.type(QStringLiteral("Q4"), QStringLiteral("A4"));
    s.w().cmdanfang_Click();
    QCOMPARE(s.position(), QStringLiteral(" 1 von  4"));
    QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));
    QVERIFY(s.button("cmdinsert")->isEnabled());
    s.w().cmdvor_Click();
    s.w().cmdvor_Click();
    QCOMPARE(s.position(), QStringLiteral(" 3 von  4"));
    QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));
    s.w().cmdvor_Click(); // reaching the last record offers a new one
    QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&neu"));
    s.w().cmdzurueck_Click();
    QCOMPARE(s.question(), QStringLiteral("Q3"));
    QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));
    s.w().cmdende_Click();
    QCOMPARE(s.position(), QStringLiteral(" 4 von  4"));
    QCOMPARE(s.question(), QStringLiteral("Q4"));
    QVERIFY(!s.button("cmdinsert")->isEnabled());
    QVERIFY(s.dialogs.messages.isEmpty());

    // On record 1 the previous button refuses but still resets the caption.
    s.w().cmdanfang_Click();
    s.w().cmdende_Click();
    s.w().cmdanfang_Click();
    s.w().cmdzurueck_Click();
    QCOMPARE(s.dialogs.messageTexts(), QStringList{QStringLiteral("Dateianfang erreicht!")});
    QCOMPARE(s.position(), QStringLiteral(" 1 von  4"));

    // A move with a question but no answer is allowed forwards only.
    s.w().cmdvor_Click();
    s.get<QPlainTextEdit>("txtantwort")->clear();
    s.w().cmdvor_Click();
    QCOMPARE(s.position(), QStringLiteral(" 3 von  4"));
    s.get<QPlainTextEdit>("txtantwort")->clear();
    s.w().cmdzurueck_Click();
    QCOMPARE(s.position(), QStringLiteral(" 3 von  4"));
    QCOMPARE(s.dialogs.messages.last().title, QStringLiteral("Unvollständige Eingabe"));
}

void tst_frm1::insertAndDelete_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("insert");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("shown");

    QTest::newRow("insert on 2 of 5")
        << 5 << 2 << true << QStringList{"Q1", "", "Q2", "Q3", "Q4", "Q5"}
        << QStringLiteral(" 2 von  6") << QString();
    QTest::newRow("delete 2 of 5") << 5 << 2 << false << QStringList{"Q1", "Q3", "Q4", "Q5"}
                                   << QStringLiteral(" 2 von  4") << QStringLiteral("Q3");
    QTest::newRow("delete 5 of 5") << 5 << 5 << false << QStringList{"Q1", "Q2", "Q3", "Q4"}
                                   << QStringLiteral(" 4 von  4") << QStringLiteral("Q4");
    QTest::newRow("delete 1 of 2") << 2 << 1 << false << QStringList{"Q2"}
                                   << QStringLiteral(" 1 von  1") << QStringLiteral("Q2");
}

void tst_frm1::insertAndDelete()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(bool, insert);
    QFETCH(QStringList, expected);
    QFETCH(QString, position);
    QFETCH(QString, shown);
    Session s;
    s.open(s.writeDatabase(QStringLiteral("five.faq"), count));
    for (int i = 1; i < current; ++i)
        s.w().cmdvor_Click();
    QVERIFY(!s.state.database.hasUnsavedChanges());
    if (insert) {
        s.w().cmdinsert_Click();
    } else {
        s.dialogs.answers << AnswerOk;
        s.w().cmdloeschen_Click();
        const Message asked{QStringLiteral("Diesen Datensatz wirklich löschen?"),
                            QStringLiteral("Datensatz löschen"), MessageButtons::OkCancel,
                            MessageIcon::Critical, 2};
        QCOMPARE(s.dialogs.messages.last(), asked);
    }
    QCOMPARE(s.questions(), expected);
    QCOMPARE(s.position(), position);
    QCOMPARE(s.question(), shown);
    // Inserting and deleting change the database: quitting must ask.
    QVERIFY(s.state.database.hasUnsavedChanges());
    QCOMPARE(s.w().tray().indicator(), 1);
}

void tst_frm1::deletingTheOnlyRecordEmptiesTheWindow()
{
    Session s;
    s.open(s.writeDatabase(QStringLiteral("one.faq"), 1));
    s.dialogs.answers << AnswerCancel;
    s.w().cmdloeschen_Click();
    QCOMPARE(s.questions(), QStringList{"Q1"});

    s.dialogs.answers << AnswerOk;
    s.w().cmdloeschen_Click();
    QCOMPARE(s.state.database.recordCount(), 0);
    QCOMPARE(s.position(), QStringLiteral(" 0 von  0"));
    for (const char *name : {"cmdanfang", "cmdzurueck", "cmdvor", "cmdende", "cmdinsert",
                             "cmdloeschen"})
        QVERIFY2(s.button(name)->isHidden(), name);
    QVERIFY(s.get<QPlainTextEdit>("txtantwort")->isReadOnly());
    QVERIFY(!s.get<QCheckBox>("chkfragez2")->isEnabled());
    // The file on disk still holds the record, so this is unsaved work.
    QVERIFY(s.state.database.hasUnsavedChanges());
}

void tst_frm1::refusalMessages_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");

    const QString incompleteDe =
        QStringLiteral("Nicht so faul sein ;-))\rMindestens Frage und Antwort eingeben !");
    const QString incompleteEn =
        QStringLiteral("Please fill out the question AND the answer\ror press the DELETE- Button.");
    QTest::newRow("new without answer, de")
        << false << "vor" << incompleteDe << QStringLiteral("Unvollständige Eingabe");
    QTest::newRow("new without answer, en")
        << true << "vor" << incompleteEn << QStringLiteral("fill incompletely ");
    QTest::newRow("first without question, en")
        << true << "anfang-empty" << incompleteEn << QStringLiteral("fill incompletely ");
    QTest::newRow("previous on first, de") << false << "zurueck" << "Dateianfang erreicht!"
                                           << QStringLiteral("Rückwartsblättern");
    QTest::newRow("previous on first, en")
        << true << "zurueck" << "This is the first data base" << QStringLiteral("Browse back");
    QTest::newRow("insert on last, de") << false << "insert"
                                        << QStringLiteral("Datensatz mit dem Button 'neu' anlegen")
                                        << QStringLiteral("Funktion steht nicht zur Verfügung");
    QTest::newRow("insert on last, en") << true << "insert" << "Please use the button 'new'!"
                                        << QStringLiteral("Function not avaible");
    QTest::newRow("save empty record, de")
        << false << "save-empty"
        << QStringLiteral("Bitte diesen Datensatz noch ausfüllen oder\rden Lösch-Button drücken")
        << QStringLiteral("Leere Datensatze nicht speichern");
    QTest::newRow("save as empty record, en")
        << true << "saveas-empty"
        << QStringLiteral("Please put data in this data record or\rpush then DELETE-Button")
        << QStringLiteral("Leere Datensatze nicht speichern");
}

void tst_frm1::refusalMessages()
{
    QFETCH(bool, english);
    QFETCH(QString, action);
    QFETCH(QString, text);
    QFETCH(QString, title);
    Session s;
    if (english)
        s.w().mnudeutsch_Click();
    s.w().mnudatneu_Click();
    s.type(QStringLiteral("Q"), action == QLatin1String("vor") ? QString() : QStringLiteral("A"));
    if (action == QLatin1String("vor"))
        s.w().cmdvor_Click();
    else if (action == QLatin1String("anfang-empty")) {
        s.type(QString(), QString());
        s.w().cmdanfang_Click();
    } else if (action == QLatin1String("zurueck"))
        s.w().cmdzurueck_Click();
    else if (action == QLatin1String("insert"))
        s.w().cmdinsert_Click();
    else {
        s.type(QStringLiteral("   "), QString());
        QVERIFY(action == QLatin1String("save-empty") ? !s.w().mnudatspeichern_Click()
                                                      : !s.w().mnudatspeiunter_Click());
        QVERIFY(s.dialogs.fileRequests.isEmpty());
    }
    QCOMPARE(s.dialogs.messages.size(), 1);
    if (action == QLatin1String("zurueck")) // reset even though the move was refused
        QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));
    const Message &m = s.dialogs.messages.first();
    QCOMPARE(m.text, text);
    QCOMPARE(m.title, title);
    QCOMPARE(m.icon, MessageIcon::Information);
    QCOMPARE(m.buttons, MessageButtons::Ok);
    QCOMPARE(s.state.database.recordCount(), 1);
}

void tst_frm1::linkCompletion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("bare host") << "example.org" << "http://example.org";
    QTest::newRow("already complete") << "http://example.org" << "http://example.org";
    QTest::newRow("capitals get a second prefix") << "HTTP://example.org"
                                                  << "http://HTTP://example.org";
    QTest::newRow("blank stays empty") << "   " << "";
}

void tst_frm1::linkCompletion()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Session s;
    s.open(s.writeDatabase(QStringLiteral("three.faq"), 3));
    s.get<QLineEdit>("txtzusatz2")->setText(typed);
    s.w().cmdvor_Click();
    QCOMPARE(s.state.database.record(1).homepageLink, stored);
}

void tst_frm1::saveAsThenOpenRoundTrip()
{
    Session s;
    s.w().mnudatneu_Click();
    s.type(QStringLiteral("Was heißt \"FAQ\"?"), QStringLiteral("Häufige Fragen,\nkurz: FAQ"));
    s.get<QLineEdit>("txtzusatz1")->setText(QStringLiteral("Max <max@example.org>"));
    s.get<QCheckBox>("chkfragez2")->setChecked(true);
    const QString file = s.path(QStringLiteral("neu.faq"));
    s.dialogs.files << file;
    QVERIFY(s.w().mnudatspeiunter_Click());

    const FileDialogRequest request{FileDialogKind::Save,
                                    QStringLiteral("FAQ- Datei unter neuem Namen speichern"),
                                    QString(),
                                    QString(),
                                    QStringLiteral("FAQ_Datei (*.faq)|*.faq"),
                                    1,
                                    0x202006};
    QCOMPARE(s.dialogs.fileRequests.value(0), request);
    const QByteArray expected = " 1 \r\n"
                                "\"Was hei\xDF" "t \xA8" "FAQ\xA8?\"\r\n"
                                "\"H\xE4ufige Fragen,\r\nkurz: FAQ\"\r\n"
                                "\"Max <max@example.org>\"\r\n"
                                "\"\"\r\n"
                                " 1 \r\n"
                                "06.12.2026\r\n";
    QCOMPARE(testutil::readBytes(file), expected);
    QCOMPARE(s.w().windowTitle(), QStringLiteral("Askbright Version 1.6   Datei: neu.faq"));
    QVERIFY(!s.state.database.hasUnsavedChanges());
    QCOMPARE(s.w().tray().indicator(), 0);
    QCOMPARE(s.state.database.faqFolder(), withTrailingSeparator(s.dir.path()));
    QVERIFY(s.dialogs.messages.isEmpty());

    Session again;
    again.open(file);
    QCOMPARE(again.dialogs.fileRequests.value(0).title, QStringLiteral("FAQ - Datei öffnen"));
    QCOMPARE(again.dialogs.fileRequests.value(0).flags, 0x281804);
    QCOMPARE(again.question(), QStringLiteral("Was heißt \"FAQ\"?"));
    QCOMPARE(again.get<QPlainTextEdit>("txtantwort")->toPlainText(),
             QStringLiteral("Häufige Fragen,\nkurz: FAQ"));
    QVERIFY(again.get<QCheckBox>("chkfragez2")->isChecked());
    QCOMPARE(again.position(), QStringLiteral(" 1 von  1"));
    QCOMPARE(again.w().windowTitle(), QStringLiteral("Askbright Version 1.6   Datei: neu.faq"));
    QVERIFY(!again.state.database.hasUnsavedChanges());
    // Open writes the settings with the file's folder.
    AppSettings read;
    readSettingsFile(again.state.settingsFilePath(), read);
    QCOMPARE(read.faqFolder, withTrailingSeparator(s.dir.path()));
    // Browsing an unchanged database is no change.
    again.w().mnudatei_Click();
    QVERIFY(again.action("mnudatspeichern")->isEnabled());
    again.w().cmdende_Click();
    again.w().cmdanfang_Click();
    QVERIFY(!again.state.database.hasUnsavedChanges());
}

void tst_frm1::typingMarksUnsaved()
{
    Session s;
    s.open(s.writeDatabase(QStringLiteral("three.faq"), 3));
    QVERIFY(!s.state.database.hasUnsavedChanges());
    QCOMPARE(s.w().tray().indicator(), 0);
    s.get<QPlainTextEdit>("txtantwort")->insertPlainText(QStringLiteral("more "));
    QVERIFY(s.state.database.hasUnsavedChanges());
    QCOMPARE(s.w().tray().indicator(), 1);

    Session date;
    date.open(date.writeDatabase(QStringLiteral("three.faq"), 3));
    date.w().cmdaktuell_Click();
    QCOMPARE(date.get<QLabel>("lbldatum0")->text(), QStringLiteral("06.12.2026"));
    QCOMPARE(date.state.database.record(1).createdDate, QStringLiteral("06.12.2026"));
    QVERIFY(date.state.database.hasUnsavedChanges());
}

void tst_frm1::saveWritesTheRecordShown()
{
    Session s;
    const QString file = s.writeDatabase(QStringLiteral("three.faq"), 3);
    s.open(file);
    s.w().cmdvor_Click();
    s.type(QStringLiteral("Q2 edited"), QStringLiteral("A2"));
    QVERIFY(s.w().mnudatspeichern_Click());
    QVERIFY(s.dialogs.fileRequests.size() == 1); // only the open dialog
    QCOMPARE(faq_einlesen(file).at(1).question, QStringLiteral("Q2 edited"));
    QCOMPARE(s.position(), QStringLiteral(" 2 von  3"));
    QVERIFY(!s.state.database.hasUnsavedChanges());
}

void tst_frm1::failedOrCancelledSaveStopsOpenAndNew_data()
{
    QTest::addColumn<bool>("viaNew");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QStringList>("messages");
    const QStringList asked{QStringLiteral("Datensatz erst speichern?")};
    QTest::newRow("open, save cancelled") << false << true << asked;
    QTest::newRow("open, save fails")
        << false << false << (asked + QStringList{"Abspeichern wurde abgebrochen..."});
    QTest::newRow("new, save cancelled") << true << true << asked;
    QTest::newRow("new, save fails")
        << true << false << (asked + QStringList{"Abspeichern wurde abgebrochen..."});
}

void tst_frm1::failedOrCancelledSaveStopsOpenAndNew()
{
    QFETCH(bool, viaNew);
    QFETCH(bool, cancel);
    QFETCH(QStringList, messages);
    Session s;
    const QString other = s.writeDatabase(QStringLiteral("other.faq"), 2);
    s.w().mnudatneu_Click();
    s.type(QStringLiteral("keep me"), QStringLiteral("please"));
    s.dialogs.answers << AnswerYes;
    s.dialogs.files << (cancel ? std::optional<QString>()
                               : std::optional<QString>(s.path(QStringLiteral("gone/x.faq"))));
    s.dialogs.files << other;
    if (viaNew)
        s.w().mnudatneu_Click();
    else
        s.w().mnudatoeffnen_Click();
    // No confirmation of a save that did not happen, no open dialog, and the
    // database in the window is still there and still unsaved.
    QCOMPARE(s.dialogs.messageTexts(), messages);
    QCOMPARE(s.dialogs.fileRequests.size(), 1);
    QCOMPARE(s.questions(), QStringList{"keep me"});
    QCOMPARE(s.question(), QStringLiteral("keep me"));
    QCOMPARE(s.state.database.filePath(), QString());
    QVERIFY(s.state.database.hasUnsavedChanges());
    QVERIFY(!QFileInfo::exists(s.path(QStringLiteral("gone/x.faq"))));
}

void tst_frm1::cancelledOpenKeepsDatabase()
{
    Session s;
    const QString file = s.writeDatabase(QStringLiteral("three.faq"), 3);
    s.open(file);
    s.w().cmdvor_Click();
    s.w().mnudatoeffnen_Click(); // no scripted file: the dialog is cancelled
    QCOMPARE(s.dialogs.fileRequests.size(), 2);
    QCOMPARE(s.state.database.filePath(), file);
    QCOMPARE(s.questions(), (QStringList{"Q1", "Q2", "Q3"}));
    QCOMPARE(s.position(), QStringLiteral(" 2 von  3"));
    QVERIFY(!s.state.database.hasUnsavedChanges());
    QVERIFY(s.w().windowTitle().endsWith(QStringLiteral("three.faq")));
}

void tst_frm1::unreadableFileKeepsDatabase()
{
    Session s;
    const QString good = s.writeDatabase(QStringLiteral("good.faq"), 2);
    s.open(good);
    const QString bad = s.path(QStringLiteral("bad.faq"));
    testutil::writeBytes(bad, " 5 \r\n\"a\"\r\n\"b\"\r\n\"\"\r\n\"\"\r\n 0 \r\n01.01.2020\r\n");
    s.open(bad);
    QCOMPARE(s.dialogs.messageTexts(), QStringList{"62  Input past end of file"});
    QCOMPARE(s.dialogs.messages.first().title, QString());
    QCOMPARE(s.state.database.filePath(), good);
    QCOMPARE(s.questions(), (QStringList{"Q1", "Q2"}));
    QVERIFY(s.w().windowTitle().endsWith(QStringLiteral("good.faq")));
}

void tst_frm1::emptyFileOpensIntoEmptyState()
{
    Session s;
    const QString file = s.path(QStringLiteral("empty.faq"));
    testutil::writeBytes(file, " 0 \r\n");
    s.open(file);
    QCOMPARE(s.state.database.recordCount(), 0);
    QCOMPARE(s.position(), QStringLiteral(" 0 von  0"));
    QVERIFY(s.button("cmdvor")->isHidden());
    // Saving an empty database is allowed and writes the count alone.
    QVERIFY(s.w().mnudatspeichern_Click());
    QCOMPARE(testutil::readBytes(file), QByteArray(" 0 \r\n"));
}

void tst_frm1::limitOf2000Records()
{
    Session s;
    s.open(s.writeDatabase(QStringLiteral("full.faq"), 2000));
    s.w().cmdende_Click();
    QCOMPARE(s.position(), QStringLiteral(" 2000 von  2000"));
    s.w().cmdvor_Click();
    QCOMPARE(s.state.database.recordCount(), 2000);
    QCOMPARE(s.dialogs.messages.size(), 1);
    QCOMPARE(s.dialogs.messages.first().title, QStringLiteral("Höchstzahl erreicht"));
    s.w().cmdanfang_Click();
    s.w().cmdinsert_Click();
    QCOMPARE(s.state.database.recordCount(), 2000);
    QCOMPARE(s.dialogs.messages.size(), 2);
    QCOMPARE(s.question(), QStringLiteral("Q1"));

    s.w().mnudeutsch_Click();
    s.w().cmdinsert_Click();
    QCOMPARE(s.dialogs.messages.last().title, QStringLiteral("Limit reached"));
}

void tst_frm1::recentFilesMenu()
{
    Session s;
    QStringList files;
    for (int i = 1; i <= 9; ++i)
        files << s.writeDatabase(QStringLiteral("f%1.faq").arg(i), 1);
    for (const QString &f : files)
        s.open(f);
    const QByteArray list = testutil::readBytes(s.state.recentFilesPath());
    QCOMPARE(list.count("\r\n"), 8);
    QVERIFY(!list.contains("f1.faq"));
    QVERIFY(list.endsWith("f9.faq\r\n"));
    QVERIFY(s.action("m8")->isVisible());
    QVERIFY(s.action("m8")->text().endsWith(QStringLiteral("f9.faq")));
    QVERIFY(s.action("m1")->text().size() <= 35);

    // Re-opening a listed file neither adds nor moves it; no dialog is shown.
    const int dialogs = s.dialogs.fileRequests.size();
    s.w().m_Click(1);
    QCOMPARE(s.dialogs.fileRequests.size(), dialogs);
    QCOMPARE(s.state.database.filePath(), files.at(1));
    QCOMPARE(testutil::readBytes(s.state.recentFilesPath()), list);
    QVERIFY(s.dialogs.messages.isEmpty());
}

void tst_frm1::recentFileGone()
{
    Session s;
    const QString a = s.writeDatabase(QStringLiteral("a&b.faq"), 1);
    const QString b = s.writeDatabase(QStringLiteral("b.faq"), 1);
    s.open(a);
    s.open(b);
    QVERIFY(s.action("m1")->text().contains(QStringLiteral("a&&b.faq")));
    QFile::remove(a);
    s.w().m_Click(1);
    const Message notFound{QStringLiteral("Datei wurde verschoben oder gelöscht"),
                           QStringLiteral("Datei nicht gefunden"), MessageButtons::Ok,
                           MessageIcon::Information, 1};
    QCOMPARE(s.dialogs.messages.value(0), notFound);
    QCOMPARE(s.state.database.filePath(), b);
    s.w().historie();
    QVERIFY(s.action("m1")->text().endsWith(QStringLiteral("b.faq")));
    QVERIFY(!s.action("m2")->isVisible());
    QCOMPARE(testutil::readBytes(s.state.recentFilesPath()),
             QDir::toNativeSeparators(b).toUtf8() + "\r\n");
}

void tst_frm1::clearHistory()
{
    Session s;
    s.open(s.writeDatabase(QStringLiteral("a.faq"), 1));
    QVERIFY(s.action("mnuhistorie")->isVisible());
    s.w().mnuhistorie_Click();
    QVERIFY(!QFileInfo::exists(s.state.recentFilesPath()));
    QVERIFY(!s.action("m1")->isVisible());
    QVERIFY(!s.action("mnuhistorie")->isVisible());
}

void tst_frm1::closeAsksBeforeLosingWork_data()
{
    QTest::addColumn<bool>("dirty");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("nothing to lose") << false << 0 << true;
    QTest::newRow("yes: leave") << true << int(AnswerYes) << true;
    QTest::newRow("no: stay") << true << int(AnswerNo) << false;
    QTest::newRow("cancel: stay") << true << int(AnswerCancel) << false;
}

void tst_frm1::closeAsksBeforeLosingWork()
{
    QFETCH(bool, dirty);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    Session s;
    s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
    if (dirty)
        s.type(QStringLiteral("changed"), QStringLiteral("A1"));
    if (answer)
        s.dialogs.answers << answer;
    QFile::remove(s.state.settingsFilePath());
    QCOMPARE(s.w().close(), closed);
    QCOMPARE(s.w().isVisible(), !closed);
    // The settings are written on every attempt.
    QVERIFY(QFileInfo::exists(s.state.settingsFilePath()));
    if (dirty) {
        const Message asked{QStringLiteral("Noch nicht gespeichert! Trotzdem raus?"),
                            QStringLiteral("Sicherheitsabfrage"), MessageButtons::YesNoCancel,
                            MessageIcon::Question, 3};
        QCOMPARE(s.dialogs.messages, QList<Message>{asked});
    } else {
        QVERIFY(s.dialogs.messages.isEmpty());
    }
}

void tst_frm1::exitCommand()
{
    Session s;
    s.w().mnudeutsch_Click();
    s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
    s.type(QStringLiteral("changed"), QStringLiteral("A1"));
    s.dialogs.answers << AnswerNo;
    s.w().mnuende_Click();
    const Message asked{QStringLiteral("Changed data are not saved! Really leave?"),
                        QStringLiteral("Loss data!"), MessageButtons::YesNo,
                        MessageIcon::Critical, 2};
    QCOMPARE(s.dialogs.messages, QList<Message>{asked});
    QVERIFY(s.w().isVisible());
    QCOMPARE(s.state.exitConfirmed, 0);

    s.dialogs.answers << AnswerYes;
    s.w().mnuende_Click();
    QVERIFY(!s.w().isVisible());
    QCOMPARE(s.dialogs.messages.size(), 2); // the close itself asks nothing more
}

void tst_frm1::closeToTray_data()
{
    QTest::addColumn<bool>("trayAvailable");
    QTest::newRow("notification area") << true;
    QTest::newRow("no notification area") << false;
}

void tst_frm1::closeToTray()
{
    QFETCH(bool, trayAvailable);
    Session s;
    s.w().tray().setAvailable(trayAvailable);
    s.w().mnumin_Click();
    QCOMPARE(s.state.settings.minimizeToTray, 1);
    s.w().mnudatneu_Click();
    s.type(QStringLiteral("unsaved"), QString());
    QFile::remove(s.state.settingsFilePath());
    QVERIFY(!s.w().close());
    QVERIFY(s.dialogs.messages.isEmpty());
    QVERIFY(QFileInfo::exists(s.state.settingsFilePath()));
    if (trayAvailable) {
        QVERIFY(!s.w().isVisible());
        s.w().tray_MouseDown(2);
        QVERIFY(!s.w().isVisible());
        s.w().tray_MouseDown(1);
        QVERIFY(s.w().isVisible());
    } else {
        // Hidden without a notification area it could never come back.
        QVERIFY(s.w().isVisible());
        QVERIFY(s.w().isMinimized());
    }
}

void tst_frm1::languageSwitch()
{
    Session s;
    s.open(s.writeDatabase(QStringLiteral("a.faq"), 2));
    s.w().cmdende_Click();
    QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&neu"));
    // Choosing the checked entry switches to the other language.
    s.w().mnudeutsch_Click();
    QCOMPARE(s.state.settings.language, QStringLiteral("englisch"));
    QVERIFY(s.action("mnuenglisch")->isChecked());
    QVERIFY(!s.action("mnudeutsch")->isChecked());
    QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&new"));
    QCOMPARE(s.position(), QStringLiteral(" 2 of  2"));
    QCOMPARE(s.action("mnudatspeiunter")->text(), QStringLiteral("Save Database &under..."));
    QCOMPARE(s.get<QLabel>("Label3")->text(), QStringLiteral("additionally info, eg.asker"));
    QCOMPARE(s.get<QLabel>("Label2")->text(), QStringLiteral("A:"));
    QCOMPARE(s.action("mnuexporttext")->text(), QStringLiteral("HTML - E&xport"));
    QCOMPARE(s.action("mnusort")->text(), QStringLiteral("Sor&t Database"));
    QCOMPARE(s.button("cmdinsert")->toolTip(),
             QStringLiteral("insert a database after the current database"));
    QCOMPARE(s.get<QLabel>("Label8")->toolTip(),
             QStringLiteral("'http://' can skip over, get operating by itself"));

    s.w().mnudeutsch_Click();
    QCOMPARE(s.state.settings.language, QStringLiteral("deutsch"));
    QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&neu"));
    QCOMPARE(s.get<QMenu>("mnuinfo")->title(), QStringLiteral("&Hilfe"));
    QCOMPARE(s.button("cmdinsert")->caption(), QStringLiteral("ein&fügen"));
    s.w().cmdanfang_Click();
    s.w().mnuenglisch_Click();
    QCOMPARE(s.button("cmdvor")->caption(), QStringLiteral("&>"));

    // The language is kept for the next start.
    QVERIFY(s.w().close());
    AppSettings read;
    readSettingsFile(s.state.settingsFilePath(), read);
    QCOMPARE(read.language, QStringLiteral("englisch"));
}

void tst_frm1::unencodableCharactersAreRefused()
{
    Session s;
    s.w().mnudatneu_Click();
    auto *answer = s.get<QPlainTextEdit>("txtantwort");
    answer->insertPlainText(QStringLiteral("Preis 5 € – ok ✓"));
    QCOMPARE(answer->toPlainText(), QStringLiteral("Preis 5 € – ok "));
    auto *link = s.get<QLineEdit>("txtzusatz2");
    link->insert(QStringLiteral("例え.jp"));
    QCOMPARE(link->text(), QStringLiteral(".jp"));
}

QTEST_MAIN(tst_frm1)
#include "tst_frm1.moc"
