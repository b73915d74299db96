#include "appearance/schemeeditordialog.h"
#include "appearance/schemefile.h"
#include "controls/colorvalue.h"
#include "gui/captions.h"
#include "gui/session.h"
#include "settings/settingsfile.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>

using namespace askbright;
using testutil::Session;

namespace {

// Two schemes that differ in every entry from each other and from black.
const ColorScheme schemeA{{0x604020, 0x0000C0, 0xD0E0F0, 0x00FFFF}};
const ColorScheme schemeB{{0x302010, 0x605040, 0x908070, 0xC0B0A0}};

// A run whose settings remember scheme (a file name in the program folder,
// "" for none) and whose program folder holds files: "standard.sch" gets
// scheme A, "three.sch" only three numbers, any other name scheme B.
std::unique_ptr<Session> startWith(const QString &remembered, const QStringList &files,
                                   Language language = Language::German)
{
    return std::make_unique<Session>([&](Session &s) {
        for (const QString &name : files) {
            if (name == QLatin1String("three.sch"))
                testutil::writeBytes(s.path(name), " 1 \r\n 2 \r\n 3 \r\n");
            else
                saveSchemeFile(s.path(name), name == standardSchemeName ? schemeA : schemeB);
        }
        AppSettings settings;
        settings.language = language;
        settings.schemeFilePath = remembered.isEmpty() ? QString() : s.path(remembered);
        writeSettingsFile(s.state.settingsFilePath(), settings);
    });
}

QColor textColour(QWidget *w)
{
    return w->palette().color(QPalette::Active, QPalette::WindowText);
}

// What a control shows its text with: text boxes and lists their base and
// text, buttons and menus their button and window colours.
QList<QColor> ownColours(QWidget *w)
{
    QList<QColor> colours;
    for (const QPalette::ColorRole role :
         {QPalette::Base, QPalette::Text, QPalette::Button, QPalette::ButtonText})
        colours << w->palette().color(QPalette::Active, role);
    return colours;
}

// Runs trigger; when it opens a modal window, inspect sees it and must
// close it. Returns the modal window's name, "" when none opened.
QString whileModal(const std::function<void()> &trigger,
                   const std::function<void(QWidget *)> &inspect)
{
    QString seen;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer.stop();
            seen = modal->objectName();
            inspect(modal);
        }
    });
    timer.start();
    trigger();
    return seen;
}

} // namespace

class tst_appearance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // ------------------------------------------------------------ start-up

    // Which file is chosen is the scheme file's business; here: the window
    // applies what was chosen, nothing when unusable, and reports a bad file.
    void startupScheme_data()
    {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expectedPath");
        QTest::addColumn<QString>("applied"); // "A", "B" or "" for none
        QTest::addColumn<QStringList>("reports");
        const QStringList none;
        QTest::newRow("no standard, no path") << "" << none << "standard.sch"
                                              << "" << none;
        QTest::newRow("remembered scheme")
            << "mine.sch" << QStringList{"standard.sch", "mine.sch"} << "mine.sch"
            << "B" << none;
        QTest::newRow("deleted scheme falls back to standard")
            << "gone.sch" << QStringList{"standard.sch"} << "standard.sch"
            << "A" << none;
        QTest::newRow("three numbers refused whole")
            << "three.sch" << QStringList{"three.sch"} << "three.sch"
            << "" << QStringList{"Module1/skin_einlesen/62"};
    }

    void startupScheme()
    {
        QFETCH(QString, remembered);
        QFETCH(QStringList, files);
        QFETCH(QString, expectedPath);
        QFETCH(QString, applied);
        QFETCH(QStringList, reports);
        auto s = startWith(remembered, files);

        QCOMPARE(s->state.settings.schemeFilePath, s->path(expectedPath));
        QCOMPARE(s->errors.reports, reports);
        Button3D *insert = s->button("cmdinsert");
        if (applied.isEmpty()) {
            QVERIFY(s->state.currentColors.isUnset());
            QVERIFY(s->state.savedColors.isUnset());
            QVERIFY(!insert->faceColor());
            // The scheme editor stays readable in its design colours.
            SchemeEditorDialog editor(s->context, s->window.get());
            QVERIFY(editor.palette().color(QPalette::WindowText) !=
                    editor.palette().color(QPalette::Window));
            return;
        }
        const ColorScheme &expected = applied == QLatin1String("A") ? schemeA : schemeB;
        QCOMPARE(s->state.currentColors, expected);
        QCOMPARE(s->state.savedColors, expected);
        QCOMPARE(insert->faceColor(), expected[ColorScheme::buttonColor]);
        QCOMPARE(insert->captionColor(), expected[ColorScheme::buttonFontColor]);
    }

    // ------------------------------------------------------------ skin_aktuell

    // One start with the standard scheme, compared control by control with
    // a start without one.
    void paintsTheListedControls()
    {
        Session plain;
        auto s = startWith({}, {QStringLiteral("standard.sch")});
        using E = ColorScheme;
        for (const char *name : {"cmdinsert", "cmdaktuell", "cmdanfang", "cmdende", "cmdloeschen",
                                 "cmdsloeschen", "cmdvor", "cmdzurueck", "Command1", "cmdhtml"}) {
            QCOMPARE(s->get<Button3D>(name)->faceColor(), schemeA[E::buttonColor]);
            if (qstrcmp(name, "cmdhtml") != 0)
                QCOMPARE(s->get<Button3D>(name)->captionColor(), schemeA[E::buttonFontColor]);
        }
        // The disabled export button keeps the grey caption that says so.
        Button3D *html = s->button("cmdhtml");
        QVERIFY(!html->isEnabled());
        QCOMPARE(html->captionColor(), plain.button("cmdhtml")->captionColor());
        html->setEnabled(true);
        s->state.applyScheme();
        QCOMPARE(html->captionColor(), schemeA[E::buttonFontColor]);

        for (const char *name :
             {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8",
              "lbl1", "lbldatum0", "lblpfad", "lbltest", "lblxvony", "lblhtmlpfad", "lblhtml"})
            QCOMPARE(textColour(s->get<QWidget>(name)), colorFromBgr(schemeA[E::fontColor]));
        for (QWidget *w : {s->get<QWidget>("chkfragez2"), s->get<QWidget>("client")}) {
            QVERIFY(w->autoFillBackground());
            QCOMPARE(w->palette().color(QPalette::Window),
                     colorFromBgr(schemeA[E::backgroundColor]));
            QCOMPARE(textColour(w), colorFromBgr(schemeA[E::fontColor]));
        }
        for (const char *name : {"txtfrage", "txtantwort", "txtzusatz1", "txtzusatz2", "cseite"})
            QCOMPARE(ownColours(s->get<QWidget>(name)), ownColours(plain.get<QWidget>(name)));
        // Menus and the window itself keep the platform's colours.
        QCOMPARE(s->w().menuBar()->palette(), plain.w().menuBar()->palette());
        QCOMPARE(s->w().palette(), plain.w().palette());
    }

    // ------------------------------------------------------------ the editor

    void captions_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("texts"); // Frame, the options, buttons, lblfrbtest
        QTest::newRow("deutsch")
            << false << "Farbeinstellung Askbright"
            << QStringList{"Element auswählen",     "Button-Farbe",        "Schriftfarbe allgemein",
                           "Hintergrund",           "Schriftfarbe Button", "Farbdialog öffnen",
                           "Farbschema speichern",  "Farbschema laden",    "zurück",
                           "Schriftfarbe allgemein"};
        QTest::newRow("englisch")
            << true << "Color settings Askbright"
            << QStringList{"select component",   "Button-Color",      "Fontcolor generally",
                           "Background",         "Fontcolor Buttons", "Choose a Color",
                           "Save Color Scheme",  "Load Color Scheme", "go back",
                           "Fontcolor generally"};
    }

    void captions()
    {
        QFETCH(bool, english);
        QFETCH(QString, title);
        QFETCH(QStringList, texts);
        auto s = startWith({}, {}, english ? Language::English : Language::German);
        SchemeEditorDialog w(s->context, s->window.get());
        QCOMPARE(w.windowTitle(), title);
        QStringList shown{w.findChild<QGroupBox *>("Frame")->title()};
        for (const char *name : {"optbutton", "optschrift", "opthigru", "optfontbt", "cmdauswahl",
                                 "Command1", "Command2", "cmdrausf"})
            shown << w.findChild<QAbstractButton *>(name)->text();
        shown << w.findChild<QLabel *>("lblfrbtest")->text();
        QCOMPARE(shown, texts);
        const QStringList cut = testutil::cutOffCaptions(&w);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'|')));
        QVERIFY(!w.findChild<QGroupBox *>("Frame")->title().isEmpty());
    }

    void opensCentredOverTheMainWindow_data()
    {
        QTest::addColumn<int>("onTop");
        QTest::newRow("normal") << 0;
        QTest::newRow("always on top") << 1;
    }

    void opensCentredOverTheMainWindow()
    {
        QFETCH(int, onTop);
        Session s;
        s.state.settings.alwaysOnTop = onTop;
        s.w().move(40, 30);
        SchemeEditorDialog w(s.context, s.window.get());
        const QPoint offset = w.frameGeometry().center() - s.w().frameGeometry().center();
        QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        QCOMPARE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop == 1);
        w.cmdrausf_Click();
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void pickingColours_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("entry");
        QTest::newRow("optbutton") << "optbutton" << int(ColorScheme::buttonColor);
        QTest::newRow("optschrift") << "optschrift" << int(ColorScheme::fontColor);
        QTest::newRow("opthigru") << "opthigru" << int(ColorScheme::backgroundColor);
        QTest::newRow("optfontbt") << "optfontbt" << int(ColorScheme::buttonFontColor);
    }

    void pickingColours()
    {
        QFETCH(QString, option);
        QFETCH(int, entry);
        Session s;
        SchemeEditorDialog w(s.context, s.window.get());
        w.findChild<QRadioButton *>(option)->setChecked(true);
        s.dialogs.colors << 0x112233 << std::nullopt << 0x445566;
        w.cmdauswahl_Click();
        w.cmdauswahl_Click(); // cancelled: nothing changes
        ColorScheme expected;
        expected.entries[size_t(entry)] = 0x112233;
        QCOMPARE(s.state.currentColors, expected);
        w.cmdauswahl_Click();
        expected.entries[size_t(entry)] = 0x445566;
        QCOMPARE(s.state.currentColors, expected);
        // Each dialog starts from the colour picked last, black the first time.
        QCOMPARE(s.dialogs.colorRequests, (QList<qint32>{0, 0x112233, 0x112233}));
        QVERIFY(s.state.savedColors.isUnset());
        QVERIFY(s.dialogs.messages.isEmpty());

        // The preview shows the current colours.
        auto *test = w.findChild<Button3D *>("cmdtest2");
        QCOMPARE(test->faceColor(), expected[ColorScheme::buttonColor]);
        QCOMPARE(test->captionColor(), expected[ColorScheme::buttonFontColor]);
        QCOMPARE(textColour(w.findChild<QLabel *>("lblfrbtest")),
                 colorFromBgr(expected[ColorScheme::fontColor]));
        QCOMPARE(w.palette().color(QPalette::Window),
                 colorFromBgr(expected[ColorScheme::backgroundColor]));
    }

    void schemeSavedTransitions_data()
    {
        QTest::addColumn<bool>("schemePresent");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("states"); // after opening, then after each step
        QTest::newRow("opens without scheme") << false << QStringList{} << QStringList{""};
        QTest::newRow("opens with scheme") << true << QStringList{} << QStringList{"nein"};
        QTest::newRow("cancelled pick") << false << QStringList{"cancel"} << QStringList{"", ""};
        QTest::newRow("pick, save, pick") << false << QStringList{"pick", "save", "pick"}
                                          << QStringList{"", "nein", "ja", "nein"};
        QTest::newRow("load, cancelled pick")
            << true << QStringList{"load", "cancel"} << QStringList{"nein", "ja", "ja"};
        QTest::newRow("cancelled save and load")
            << false << QStringList{"pick", "cancel save", "cancel load"}
            << QStringList{"", "nein", "nein", "nein"};
        QTest::newRow("failed save, bad load")
            << false << QStringList{"pick", "failed save", "bad load"}
            << QStringList{"", "nein", "nein", "nein"};
    }

    void schemeSavedTransitions()
    {
        QFETCH(bool, schemePresent);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, states);
        auto s = startWith({}, schemePresent ? QStringList{"standard.sch", "other.sch", "three.sch"}
                                             : QStringList{"other.sch", "three.sch"});
        SchemeEditorDialog w(s->context, s->window.get());
        QStringList seen{w.schemeSaved()};
        for (const QString &step : steps) {
            if (step == QLatin1String("pick"))
                s->dialogs.colors << 0x0A0B0C;
            else if (step == QLatin1String("cancel"))
                s->dialogs.colors << std::nullopt;
            else if (step == QLatin1String("save"))
                s->dialogs.files << s->path(QStringLiteral("new.sch"));
            else if (step == QLatin1String("failed save"))
                s->dialogs.files << s->path(QStringLiteral("no folder/new.sch"));
            else if (step == QLatin1String("load"))
                s->dialogs.files << s->path(QStringLiteral("other.sch"));
            else if (step == QLatin1String("bad load"))
                s->dialogs.files << s->path(QStringLiteral("three.sch"));
            if (step.contains(QLatin1String("save")))
                w.Command1_Click();
            else if (step.contains(QLatin1String("load")))
                w.Command2_Click();
            else
                w.cmdauswahl_Click();
            seen << w.schemeSaved();
        }
        QCOMPARE(seen, states);
    }

    void saveAndLoadDialogs_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("title");
        QTest::newRow("save") << true << "Farbschema speichern";
        QTest::newRow("load") << false << "Projektdatei öffnen";
    }

    void saveAndLoadDialogs()
    {
        QFETCH(bool, save);
        QFETCH(QString, title);
        Session s(QByteArray{});
        s.state.setLanguage(Language::English); // the same in both languages
        SchemeEditorDialog w(s.context, s.window.get());
        save ? w.Command1_Click() : w.Command2_Click();
        const FileDialogRequest expected{save ? FileDialogKind::Save : FileDialogKind::Open,
                                         title,
                                         s.state.programFolder(),
                                         QString(),
                                         QStringLiteral("Farbschema (*.sch)|*.sch"),
                                         1,
                                         0x202006,
                                         false}; // no extension added
        QCOMPARE(s.dialogs.fileRequests, QList<FileDialogRequest>{expected});
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(w.schemeSaved(), QString());
    }

    void dialogsStartInTheDataFolderWhenTheProgramFolderIsReadOnly()
    {
        // A program folder that cannot be written to, as after a system-wide install.
        QTemporaryDir dir;
        FixedClock clock(QDate(2026, 1, 1));
        AppState state(dir.filePath(QStringLiteral("not/there")), clock);
        QVERIFY(state.dataFolder() != state.programFolder());
        testutil::ScriptedDialogService dialogs;
        testutil::ScriptedErrorReporter errors;
        testutil::RecordingSoundPlayer sounds;
        WindowContext context(state, dialogs, errors, sounds);
        SchemeEditorDialog w(context);
        w.Command1_Click();
        QCOMPARE(dialogs.fileRequests.size(), 1);
        QCOMPARE(dialogs.fileRequests.first().initDir, state.dataFolder());
    }

    void saveWritesTheSchemeFile()
    {
        Session s;
        SchemeEditorDialog w(s.context, s.window.get());
        for (const auto &[option, colour] :
             {std::pair{"optbutton", 0x010203}, std::pair{"optschrift", 0x040506},
              std::pair{"opthigru", 0xFFFFFF}, std::pair{"optfontbt", 0}}) {
            w.findChild<QRadioButton *>(option)->setChecked(true);
            s.dialogs.colors << colour;
            w.cmdauswahl_Click();
        }
        const QString path = s.path(QStringLiteral("mine.sch"));
        s.dialogs.files << path;
        w.Command1_Click();
        QCOMPARE(testutil::readBytes(path),
                 QByteArray(" 66051 \r\n 263430 \r\n 16777215 \r\n 0 \r\n"));
        QCOMPARE(s.state.settings.schemeFilePath, path);
        QCOMPARE(s.state.savedColors, s.state.currentColors);
        // Saving does not repaint the main window yet.
        QVERIFY(!s.button("cmdinsert")->faceColor());
        // The file did not exist: the dialog asked before creating it.
        QCOMPARE(s.dialogs.messages.size(), 1);
    }

    void failedSaveIsReportedAndKeepsThePath_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("deutsch") << false << "Das Farbschema wurde nicht gespeichert:\r"
                                 << "Farbschema speichern";
        QTest::newRow("englisch") << true << "The color scheme was not saved:\r"
                                  << "Save Color Scheme";
    }

    void failedSaveIsReportedAndKeepsThePath()
    {
        QFETCH(bool, english);
        QFETCH(QString, text);
        QFETCH(QString, title);
        auto s = startWith(QStringLiteral("mine.sch"), {QStringLiteral("mine.sch")},
                           english ? Language::English : Language::German);
        const QString remembered = s->state.settings.schemeFilePath;
        SchemeEditorDialog w(s->context, s->window.get());
        s->dialogs.colors << 0x0000FF;
        w.cmdauswahl_Click();
        s->dialogs.files << s->path(QStringLiteral("no folder/new.sch"));
        s->dialogs.answers << AnswerYes; // create it
        w.Command1_Click();

        QCOMPARE(s->dialogs.messages.size(), 2);
        const Message &m = s->dialogs.messages.last();
        QVERIFY2(m.text.startsWith(text) && m.text.size() > text.size(), qPrintable(m.text));
        QCOMPARE(m.title, title);
        QCOMPARE(m.icon, MessageIcon::Exclamation);
        QCOMPARE(s->state.settings.schemeFilePath, remembered);
        QCOMPARE(s->state.savedColors, schemeB);
        QCOMPARE(w.schemeSaved(), QStringLiteral("nein"));
        QVERIFY(s->errors.reports.isEmpty());
    }

    void loadRefusesAnIncompleteSchemeWhole()
    {
        auto s = startWith(QStringLiteral("mine.sch"), {"mine.sch", "three.sch"});
        SchemeEditorDialog w(s->context, s->window.get());
        s->dialogs.files << s->path(QStringLiteral("three.sch"));
        w.Command2_Click();
        QCOMPARE(s->dialogs.messages.size(), 1);
        QVERIFY2(s->dialogs.messages.first().text.startsWith(
                     QStringLiteral("Das Farbschema wurde nicht geladen:\r62")),
                 qPrintable(s->dialogs.messages.first().text));
        QCOMPARE(s->state.currentColors, schemeB);
        QCOMPARE(s->state.savedColors, schemeB);
        QCOMPARE(s->state.settings.schemeFilePath, s->path(QStringLiteral("mine.sch")));

        // A good file replaces both and is remembered.
        saveSchemeFile(s->path(QStringLiteral("a.sch")), schemeA);
        s->dialogs.files << s->path(QStringLiteral("a.sch"));
        w.Command2_Click();
        QCOMPARE(s->state.currentColors, schemeA);
        QCOMPARE(s->state.savedColors, schemeA);
        QCOMPARE(s->state.settings.schemeFilePath, s->path(QStringLiteral("a.sch")));
        QCOMPARE(w.findChild<Button3D *>("cmdtest0")->faceColor(),
                 schemeA[ColorScheme::buttonColor]);
    }

    void leaving_data()
    {
        QTest::addColumn<bool>("schemePresent");
        QTest::addColumn<QString>("before"); // "", "pick", "save", "load"
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("current"); // afterwards: "saved", "picked"
        QTest::addColumn<bool>("repainted");
        QTest::newRow("nothing shown: silent")
            << false << "" << 0 << false << false << true << "saved" << false;
        QTest::newRow("scheme present, at once, OK")
            << true << "" << int(AnswerOk) << false << true << true << "saved" << false;
        QTest::newRow("picked, OK discards")
            << true << "pick" << int(AnswerOk) << false << true << true << "saved" << false;
        QTest::newRow("picked, Cancel stays")
            << false << "pick" << int(AnswerCancel) << false << true << false << "picked" << false;
        QTest::newRow("picked, English question")
            << false << "pick" << int(AnswerOk) << true << true << true << "saved" << false;
        QTest::newRow("saved: repaints")
            << false << "save" << 0 << false << false << true << "picked" << true;
        QTest::newRow("loaded: repaints")
            << false << "load" << 0 << false << false << true << "saved" << true;
    }

    void leaving()
    {
        QFETCH(bool, schemePresent);
        QFETCH(QString, before);
        QFETCH(int, answer);
        QFETCH(bool, english);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        QFETCH(QString, current);
        QFETCH(bool, repainted);
        auto s = startWith(
            {}, schemePresent ? QStringList{"standard.sch", "b.sch"} : QStringList{"b.sch"},
            english ? Language::English : Language::German);
        SchemeEditorDialog w(s->context, s->window.get());
        QSignalSpy finished(&w, &QDialog::finished);
        if (before == QLatin1String("pick") || before == QLatin1String("save")) {
            s->dialogs.colors << 0x123456;
            w.cmdauswahl_Click();
        }
        if (before == QLatin1String("save")) {
            s->dialogs.files << s->path(QStringLiteral("new.sch"));
            w.Command1_Click();
        } else if (before == QLatin1String("load")) {
            s->dialogs.files << s->path(QStringLiteral("b.sch"));
            w.Command2_Click();
        }
        const ColorScheme picked = s->state.currentColors;
        const ColorScheme saved = s->state.savedColors;
        const qsizetype messagesBefore = s->dialogs.messages.size();
        const std::optional<qint32> faceBefore = s->button("cmdinsert")->faceColor();
        if (answer)
            s->dialogs.answers << answer;

        w.cmdrausf_Click();

        const QList<Message> shown = s->dialogs.messages.mid(messagesBefore);
        if (asked) {
            const Message expected =
                english
                    ? Message{"Colors not saved. The Theme of Color are lose!", "Colors not saved!",
                              MessageButtons::OkCancel, MessageIcon::Information, 1}
                    : Message{"Farbschema nicht gespeichert. Farben werden nicht übernommen!",
                              "Farben nicht gespeichert!", MessageButtons::OkCancel,
                              MessageIcon::Information, 1};
            QCOMPARE(shown, QList<Message>{expected});
        } else {
            QVERIFY(shown.isEmpty());
        }
        QCOMPARE(finished.size(), closed ? 1 : 0);
        QCOMPARE(s->state.currentColors, current == QLatin1String("saved") ? saved : picked);
        QCOMPARE(s->state.savedColors, saved);
        const std::optional<qint32> face = s->button("cmdinsert")->faceColor();
        if (repainted)
            QCOMPARE(face, saved[ColorScheme::buttonColor]);
        else
            QCOMPARE(face, faceBefore);
        if (!closed) // the preview keeps the picked colours
            QCOMPARE(w.findChild<Button3D *>("cmdtest1")->faceColor(),
                     picked[ColorScheme::buttonColor]);
    }

    void closeBoxAsksInEveryState_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("escape");
        for (const char *state : {"", "nein", "ja"}) {
            QTest::addRow("'%s', OK", state) << state << int(AnswerOk) << false;
            QTest::addRow("'%s', Cancel", state) << state << int(AnswerCancel) << false;
        }
        QTest::newRow("Escape, 'nein', Cancel") << "nein" << int(AnswerCancel) << true;
        QTest::newRow("Escape, 'nein', OK") << "nein" << int(AnswerOk) << true;
    }

    void closeBoxAsksInEveryState()
    {
        QFETCH(QString, state);
        QFETCH(int, answer);
        QFETCH(bool, escape);
        auto s = startWith({}, {"b.sch"}, Language::English);
        s->state.settings.alwaysOnTop = true;
        SchemeEditorDialog w(s->context, s->window.get());
        QSignalSpy finished(&w, &QDialog::finished);
        if (!state.isEmpty()) {
            s->dialogs.colors << 0x123456;
            w.cmdauswahl_Click();
        }
        if (state == QLatin1String("ja")) {
            s->dialogs.files << s->path(QStringLiteral("b.sch"));
            w.Command2_Click();
        }
        QCOMPARE(w.schemeSaved(), state);
        const ColorScheme before = s->state.currentColors;
        const ColorScheme saved = s->state.savedColors;
        const qsizetype messagesBefore = s->dialogs.messages.size();
        s->dialogs.answers << answer;

        if (escape) {
            w.show();
            QTest::keyClick(&w, Qt::Key_Escape);
        } else {
            w.close();
        }

        // Asked in German in both languages, Cancel the default.
        const Message expected{"Farbschema wird nicht gespeichert und nicht übernommen!",
                               "Farbschema erst speichern!", MessageButtons::OkCancel,
                               MessageIcon::Critical, 2};
        QCOMPARE(s->dialogs.messages.mid(messagesBefore), QList<Message>{expected});
        QCOMPARE(finished.size(), answer == AnswerOk ? 1 : 0);
        QCOMPARE(s->state.currentColors, answer == AnswerOk ? saved : before);
        // The close box never repaints the main window.
        QVERIFY(!s->button("cmdinsert")->faceColor());
        if (answer == AnswerOk)
            QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    // ------------------------------------------------------------ menu entries

    void menuEntriesOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("closeWith");
        QTest::addColumn<int>("onTop");
        QTest::newRow("colours") << "mnufarbe"
                                 << "frmfarb"
                                 << "cmdrausf" << 0;
        QTest::newRow("colours, on top") << "mnufarbe"
                                         << "frmfarb"
                                         << "cmdrausf" << 1;
        QTest::newRow("about") << "mnuueber"
                               << "frmueber"
                               << "" << 0;
        QTest::newRow("about, on top") << "mnuueber"
                                       << "frmueber"
                                       << "" << 1;
        QTest::newRow("donation") << "mnudonate"
                                  << "frminfo"
                                  << "cmdinfoend" << 0;
        QTest::newRow("donation, on top") << "mnudonate"
                                          << "frminfo"
                                          << "cmdinfoend" << 1;
    }

    void menuEntriesOpenTheirWindows()
    {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        QFETCH(QString, closeWith);
        QFETCH(int, onTop);
        Session s([](Session &s) {
            testutil::writeBytes(s.path(QStringLiteral("about.txt")), "Askbright\r\n");
        });
        if (onTop)
            s.w().onAlwaysOnTopTriggered();
        QAction *action = s.action(entry.toLatin1().constData());
        QVERIFY(action->isEnabled());
        bool mainOnTopMeanwhile = true;
        const QString seen =
            whileModal([&] { action->trigger(); },
                       [&](QWidget *modal) {
                           mainOnTopMeanwhile =
                               s.w().windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                           if (closeWith.isEmpty())
                               modal->close();
                           else
                               modal->findChild<QAbstractButton *>(closeWith)->click();
                       });
        QCOMPARE(seen, window);
        QVERIFY(!mainOnTopMeanwhile);
        QCOMPARE(s.w().windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop == 1);
        QVERIFY(s.dialogs.messages.isEmpty());
        QVERIFY(s.errors.reports.isEmpty());
        // Keys go to the main window again.
        QTRY_COMPARE(QApplication::activeWindow(), &s.w());
    }

    void aboutWithoutItsTextTellsSo_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("deutsch") << false
                                 << "Dokument nicht gefunden, evtl. fehlerhafte Installation"
                                 << "Fehlendes Dokument";
        QTest::newRow("englisch") << true << "Can't find the file, possible wrong installion."
                                  << "Missing File";
    }

    void aboutWithoutItsTextTellsSo()
    {
        QFETCH(bool, english);
        QFETCH(QString, text);
        QFETCH(QString, title);
        Session s;
        if (english)
            s.state.setLanguage(Language::English);
        const QString seen =
            whileModal([&] { s.w().onAboutTriggered(); }, [](QWidget *modal) { modal->close(); });
        QCOMPARE(seen, QString());
        const Message expected{text, title, MessageButtons::Ok, MessageIcon::Exclamation, 1};
        QCOMPARE(s.dialogs.messages, QList<Message>{expected});
    }
};

QTEST_MAIN(tst_appearance)
#include "tst_appearance.moc"
