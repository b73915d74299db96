#include "appearance/schemeeditordialog.h"
#include "appearance/schemefile.h"
#include "controls/colorvalue.h"
#include "gui/session.h"

#include <QApplication>
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
        for (const QString &name : files)
            if (name == u"three.sch")
                testutil::writeBytes(s.path(name), " 1 \r\n 2 \r\n 3 \r\n");
            else
                saveSchemeFile(s.path(name), name == standardSchemeName ? schemeA : schemeB);
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

// Runs editor commands in turn: "pick" a colour, "cancel" the colour dialog,
// "save" to new.sch, "load" other.sch, "cancel save" or "cancel load" the file
// dialog. Returns whether the scheme counts as saved after each.
QStringList run(Session &s, SchemeEditorDialog &w, const QStringList &steps)
{
    QStringList saved;
    for (const QString &step : steps) {
        if (step == u"pick")
            s.dialogs.colors << 0x0A0B0C;
        else if (step == u"cancel")
            s.dialogs.colors << std::nullopt;
        else if (!step.startsWith(u"cancel"))
            s.dialogs.files << s.path(step == u"save" ? "new.sch" : "other.sch");
        if (step.endsWith(u"save"))
            w.onSaveSchemeClicked();
        else if (step.endsWith(u"load"))
            w.onLoadSchemeClicked();
        else
            w.onPickColorClicked();
        saved << w.schemeSaved();
    }
    return saved;
}

} // namespace

class tst_appearance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Which file is chosen and read is the scheme file's business; here: a
    // bad file is reported, nothing is applied and the editor stays readable.
    void unusableSchemeAtStartUp()
    {
        auto s = startWith(QStringLiteral("three.sch"), {QStringLiteral("three.sch")});
        QCOMPARE(s->errors.reports, QStringList{"Module1/skin_einlesen/62"});
        QVERIFY(s->state.currentColors.isUnset() && s->state.savedColors.isUnset());
        QVERIFY(!s->button("cmdinsert")->faceColor());
        SchemeEditorDialog editor(s->context, s->window.get());
        QVERIFY(editor.palette().color(QPalette::WindowText) !=
                editor.palette().color(QPalette::Window));
    }

    // ------------------------------------------------------------ painting

    // One start with the standard scheme, compared control by control with
    // a start without one: each role painted, text fields, menus and the
    // window keep the platform's colours, the disabled export button its grey.
    void paintsTheMainWindowByRole()
    {
        Session plain;
        auto s = startWith({}, {QStringLiteral("standard.sch")});
        using E = ColorScheme;
        for (const char *name : {"cmdinsert", "cmdvor", "Command1"}) {
            QCOMPARE(s->button(name)->faceColor(), schemeA[E::buttonColor]);
            QCOMPARE(s->button(name)->captionColor(), schemeA[E::buttonFontColor]);
        }
        QCOMPARE(s->button("cmdhtml")->captionColor(), plain.button("cmdhtml")->captionColor());
        for (const char *name : {"Label1", "lblxvony", "lblhtml", "chkfragez2"})
            QCOMPARE(textColour(s->get<QWidget>(name)), colorFromBgr(schemeA[E::fontColor]));
        for (QWidget *w : {s->get<QWidget>("chkfragez2"), s->get<QWidget>("client")}) {
            QVERIFY(w->autoFillBackground());
            QCOMPARE(w->palette().color(QPalette::Window),
                     colorFromBgr(schemeA[E::backgroundColor]));
        }
        // Text boxes and lists show their text with base and text, buttons with
        // button colours.
        for (const char *name : {"txtfrage", "cseite"})
            for (const auto role :
                 {QPalette::Base, QPalette::Text, QPalette::Button, QPalette::ButtonText})
                QCOMPARE(s->get<QWidget>(name)->palette().color(QPalette::Active, role),
                         plain.get<QWidget>(name)->palette().color(QPalette::Active, role));
        QCOMPARE(s->w().menuBar()->palette(), plain.w().menuBar()->palette());
        QCOMPARE(s->w().palette(), plain.w().palette());
    }

    // ------------------------------------------------------------ the editor

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
        s.w().move(40, 30);
        SchemeEditorDialog w(s.context, s.window.get());
        // Centred over the main window.
        const QPoint offset = w.frameGeometry().center() - s.w().frameGeometry().center();
        QVERIFY(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1);
        w.findChild<QRadioButton *>(option)->setChecked(true);
        s.dialogs.colors << 0x112233 << std::nullopt << 0x445566;
        for (int i = 0; i < 3; ++i) // the second is cancelled: nothing changes
            w.onPickColorClicked();
        ColorScheme expected;
        expected.entries[size_t(entry)] = 0x445566;
        QCOMPARE(s.state.currentColors, expected);
        // Each dialog starts from the colour picked last, black the first time.
        QCOMPARE(s.dialogs.colorRequests, (QList<qint32>{0, 0x112233, 0x112233}));
        QVERIFY(s.state.savedColors.isUnset());
        // The preview shows the current colours.
        using E = ColorScheme;
        QCOMPARE(w.findChild<Button3D *>("cmdtest2")->faceColor(), expected[E::buttonColor]);
        QCOMPARE(w.findChild<Button3D *>("cmdtest2")->captionColor(), expected[E::buttonFontColor]);
        QCOMPARE(textColour(w.findChild<QLabel *>("lblfrbtest")),
                 colorFromBgr(expected[E::fontColor]));
        QCOMPARE(w.palette().color(QPalette::Window), colorFromBgr(expected[E::backgroundColor]));
    }

    void schemeSavedTransitions_data()
    {
        QTest::addColumn<bool>("schemePresent");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("states"); // after opening, then after each step
        QTest::newRow("opens with scheme") << true << QStringList{} << QStringList{"nein"};
        QTest::newRow("pick, save, pick") << false << QStringList{"pick", "save", "pick"}
                                          << QStringList{"", "nein", "ja", "nein"};
        QTest::newRow("load, cancelled pick")
            << true << QStringList{"load", "cancel"} << QStringList{"nein", "ja", "ja"};
        QTest::newRow("cancelled save and load")
            << false << QStringList{"pick", "cancel save", "cancel load"}
            << QStringList{"", "nein", "nein", "nein"};
    }

    void schemeSavedTransitions()
    {
        QFETCH(bool, schemePresent);
        QFETCH(QStringList, steps);
        auto s = startWith({}, schemePresent ? QStringList{"standard.sch", "other.sch"}
                                             : QStringList{"other.sch"});
        SchemeEditorDialog w(s->context, s->window.get());
        const QStringList opened{w.schemeSaved()}; // before any step
        QTEST(opened + run(*s, w, steps), "states");
    }

    // Both file commands start in the data folder (the program folder when
    // it can be written to) with the scheme filter.
    void fileDialogs()
    {
        testutil::Kit k;
        AppState state(k.path(QStringLiteral("not/there")), k.clock); // read-only install
        WindowContext context(state, k.dialogs, k.errors, k.sounds);
        SchemeEditorDialog w(context);
        w.onSaveSchemeClicked();
        w.onLoadSchemeClicked();
        QCOMPARE(k.dialogs.fileRequests.size(), 2);
        for (const FileDialogRequest &r : std::as_const(k.dialogs.fileRequests)) {
            QCOMPARE(r.initDir, state.dataFolder());
            QCOMPARE(r.filter, QStringLiteral("Farbschema (*.sch)|*.sch"));
            QCOMPARE(r.flags, 0x202006);
        }
        QCOMPARE(k.dialogs.fileRequests.first().kind, FileDialogKind::Save);
        QCOMPARE(k.dialogs.fileRequests.last().kind, FileDialogKind::Open);
        QVERIFY(k.dialogs.messages.isEmpty());
        QCOMPARE(w.schemeSaved(), QString());
    }

    // A written or read scheme becomes the saved one and is remembered,
    // without repainting the main window before leaving; a failed write or
    // an incomplete file changes nothing but is told.
    void fileCommands_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("taken");
        QTest::newRow("save") << true << "new.sch" << true;
        QTest::newRow("save fails") << true << "no folder/new.sch" << false;
        QTest::newRow("load") << false << "standard.sch" << true;
        QTest::newRow("load refuses three numbers") << false << "three.sch" << false;
    }

    void fileCommands()
    {
        QFETCH(bool, save);
        QFETCH(QString, file);
        QFETCH(bool, taken);
        auto s = startWith(QStringLiteral("mine.sch"), {"mine.sch", "three.sch", "standard.sch"});
        const QString path = s->path(file);
        SchemeEditorDialog w(s->context, s->window.get());
        run(*s, w, {"pick"});
        const ColorScheme picked = s->state.currentColors;
        s->dialogs.files << path;
        s->dialogs.answers << AnswerYes; // create it
        save ? w.onSaveSchemeClicked() : w.onLoadSchemeClicked();

        const ColorScheme expected = !taken ? schemeB : save ? picked : schemeA;
        QCOMPARE(s->state.savedColors, expected);
        QCOMPARE(s->state.currentColors, save || !taken ? picked : expected);
        QCOMPARE(s->state.settings.schemeFilePath, taken ? path : s->path("mine.sch"));
        QCOMPARE(s->dialogs.messages.size(), int(save) + int(!taken));
        if (!taken)
            QCOMPARE(s->dialogs.messages.last().icon, MessageIcon::Exclamation);
        if (save && taken)
            QCOMPARE(readSchemeFile(path), picked);
        QCOMPARE(s->button("cmdinsert")->faceColor(), schemeB[ColorScheme::buttonColor]);
        QCOMPARE(w.findChild<Button3D *>("cmdtest0")->faceColor(),
                 s->state.currentColors[ColorScheme::buttonColor]);
        QCOMPARE(w.schemeSaved(), taken ? QStringLiteral("ja") : QStringLiteral("nein"));
        QVERIFY(s->errors.reports.isEmpty());
    }

    // The leave button asks only when colours would be lost and repaints
    // the main window with a saved scheme; the close box and Escape always
    // ask (Cancel the default) and never repaint.
    void leaving_data()
    {
        QTest::addColumn<QString>("before"); // steps as run() takes them
        QTest::addColumn<int>("answer");     // 0: nothing asked
        QTest::addColumn<QString>("how");    // "button", "close", "escape"
        QTest::addColumn<bool>("repainted");
        const int ok = AnswerOk, cancel = AnswerCancel; // Cancel stays, all else leaves
        QTest::newRow("button, nothing shown: silent") << "" << 0 << "button" << false;
        QTest::newRow("button, picked, OK discards") << "pick" << ok << "button" << false;
        QTest::newRow("button, picked, Cancel stays") << "pick" << cancel << "button" << false;
        QTest::newRow("button, saved: repaints") << "pick save" << 0 << "button" << true;
        QTest::newRow("close box, picked, OK") << "pick" << ok << "close" << false;
        QTest::newRow("close box, loaded, OK") << "load" << ok << "close" << false;
        QTest::newRow("Escape, picked, Cancel") << "pick" << cancel << "escape" << false;
    }

    void leaving()
    {
        QFETCH(QString, before);
        QFETCH(QString, how);
        QFETCH(int, answer);
        QFETCH(bool, repainted);
        const bool closed = answer != AnswerCancel;
        auto s = startWith({}, {QStringLiteral("other.sch")});
        s->state.settings.alwaysOnTop = true;
        SchemeEditorDialog w(s->context, s->window.get());
        QSignalSpy finished(&w, &QDialog::finished);
        run(*s, w, before.split(u' ', Qt::SkipEmptyParts));
        const ColorScheme picked = s->state.currentColors;
        const ColorScheme saved = s->state.savedColors;
        const std::optional<qint32> faceBefore = s->button("cmdinsert")->faceColor();
        s->dialogs.messages.clear();
        if (answer)
            s->dialogs.answers << answer;

        w.show();
        if (how == u"button")
            w.onLeaveClicked();
        else if (how == u"close")
            w.close();
        else
            QTest::keyClick(&w, Qt::Key_Escape);

        QCOMPARE(s->dialogs.messages.size(), int(answer != 0));
        if (answer) {
            QCOMPARE(s->dialogs.messages.first().buttons, MessageButtons::OkCancel);
            QCOMPARE(s->dialogs.messages.first().defaultButton, how == u"button" ? 1 : 2);
        }
        QCOMPARE(finished.size(), int(closed));
        // Leaving without saving drops the picked colours; staying keeps them
        // in the preview.
        QCOMPARE(s->state.currentColors, closed && before == u"pick" ? saved : picked);
        QCOMPARE(s->state.savedColors, saved);
        QCOMPARE(s->button("cmdinsert")->faceColor(),
                 repainted ? saved[ColorScheme::buttonColor] : faceBefore);
        if (!closed)
            QCOMPARE(w.findChild<Button3D *>("cmdtest1")->faceColor(),
                     picked[ColorScheme::buttonColor]);
        QCOMPARE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint), !closed);
    }

    // ------------------------------------------------------------ menu entries

    // Each entry opens its own window; keys go to the main window again
    // afterwards. Without its text the about window is not opened but told.
    void menuEntriesOpenTheirWindows_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("window"); // "": none
        QTest::newRow("colours") << QByteArray("mnufarbe") << "frmfarb";
        QTest::newRow("about") << QByteArray("mnuueber") << "frmueber";
        QTest::newRow("donation") << QByteArray("mnudonate") << "frminfo";
        QTest::newRow("about without its text") << QByteArray("mnuueber") << "";
    }

    void menuEntriesOpenTheirWindows()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, window);
        Session s([&](Session &s) {
            if (!window.isEmpty())
                testutil::writeBytes(s.path(QStringLiteral("about.txt")), "Askbright\r\n");
        });
        QString seen;
        QTimer poll; // closes the window it opens, past any question on leaving
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                seen = modal->objectName();
                modal->done(QDialog::Rejected);
            }
        });
        poll.start(10);
        s.action(entry.constData())->trigger();
        QCOMPARE(seen, window);
        QCOMPARE(s.dialogs.messages.size(), int(window.isEmpty()));
        if (window.isEmpty())
            QCOMPARE(s.dialogs.messages.first().icon, MessageIcon::Exclamation);
        QVERIFY(s.errors.reports.isEmpty());
        QTRY_COMPARE(QApplication::activeWindow(), &s.w());
    }
};

QTEST_MAIN(tst_appearance)
#include "tst_appearance.moc"
