#include "editor/mainwindow.h"

#include "app/apperror.h"
#include "app/placement.h"
#include "app/product.h"
#include "app/twips.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "controls/colorvalue.h"
#include "controls/formontop.h"
#include "controls/pathlabel.h"
#include "controls/storedtext.h"
#include "controls/traycontrol.h"
#include "database/faqfile.h"
#include "resize/resizeengine.h"
#include "settings/recentfiles.h"
#include "settings/settingsfile.h"
#include "state/appstate.h"
#include "windows/splashwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace askbright {

namespace {

constexpr int minimumWidthTwips = 9240;
constexpr int minimumHeightTwips = 7320;

QFont fieldFont(const FieldFont &f)
{
    QFont font(f.name);
    font.setPointSizeF(f.size > 0 ? f.size : 11.25);
    font.setBold(f.bold);
    font.setUnderline(f.underline);
    return font;
}

} // namespace

MainWindow::MainWindow(WindowContext &context, QWidget *parent)
    : QMainWindow(parent), m_ctx(context), m_state(context.state),
      m_stddialog(context.dialogs, [&context] { return context.language(); }),
      m_tray(new TrayControl(this))
{
    setObjectName(QStringLiteral("frm1"));
    m_tray->setObjectName(QStringLiteral("tray"));
    buildControls();
    buildMenus();
    buildExchangeMenu();
    buildFindBar();
    // The design captions are the German ones; the menu bar needs its texts
    // to take its height before the layout is recorded.
    applyCaptions(Language::German);
    setMinimumSize(pixelsFromTwips(minimumWidthTwips), pixelsFromTwips(minimumHeightTwips));
    resize(minimumSize());
    m_resize = new ResizeEngine(centralWidget(), this);
    connect(m_tray, &TrayControl::mouseDown, this, &MainWindow::tray_MouseDown);
    // The desktop session ending closes without questions, like the exit command.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { noteSessionEnd(); });

    // The tray indicator, the modified mark and the title follow the state.
    FaqDatabase &db = m_state.database;
    connect(&db, &FaqDatabase::unsavedChangesChanged, this, [this](bool unsaved) {
        m_tray->setIndicator(unsaved ? 1 : 0);
        setWindowModified(unsaved);
    });
    connect(&m_state, &AppState::titleSuffixChanged, this, [this] { updateTitle(); });
    connect(&m_state, &AppState::schemeApplied, this,
            [this] { m_ctx.guarded("Module1", "skin_aktuell", [this] { skin_aktuell(); }); });
    connect(&m_state, &AppState::languageChanged, this, [this](Language language) {
        mnudeutsch->setChecked(language.isGerman());
        mnuenglisch->setChecked(language.isEnglish());
        guard(language.isEnglish() ? "englisch_form1" : "deutsch_frm1",
              [&] { language.isEnglish() ? englisch_form1() : deutsch_frm1(); });
    });
    // Records that must be kept when the program ends at once include the
    // one being edited.
    m_ctx.unsavedRecords = [this] { return recordsWithShown(); };
}

bool MainWindow::guard(const char *procedure, const std::function<void()> &body)
{
    return m_ctx.guarded("frm1", procedure, body);
}

Language MainWindow::language() const
{
    return m_state.language();
}

void MainWindow::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    auto label = [client](const char *name, int x, int y, int w, int h) {
        return place(new QLabel(client), name, x, y, w, h);
    };
    auto button = [client](const char *name, const QString &caption, int x, int y, int w, int h) {
        return place(new Button3D(caption, client), name, x, y, w, h);
    };

    const LanguageOf language = [this] { return m_ctx.language(); };
    Label1 = label("Label1", 8, 10, 22, 18);
    txtfrage = place(new StoredTextEdit(language, client), "txtfrage", 30, 8, 578, 92);
    Label2 = label("Label2", 8, 108, 22, 18);
    txtantwort = place(new StoredTextEdit(language, client), "txtantwort", 30, 106, 578, 152);
    for (QPlainTextEdit *field : {txtfrage, txtantwort})
        field->setTabChangesFocus(true);

    Label3 = label("Label3", 30, 264, 250, 16);
    txtzusatz1 = place(new QLineEdit(client), "txtzusatz1", 30, 280, 250, 24);
    chkfragez2 = place(new QCheckBox(client), "chkfragez2", 290, 281, 140, 22);
    Label4 = label("Label4", 30, 308, 130, 16);
    Label8 = label("Label8", 160, 308, 120, 16);
    txtzusatz2 = place(new QLineEdit(client), "txtzusatz2", 30, 324, 250, 24);
    lbl1 = label("lbl1", 290, 308, 62, 16);
    lbldatum0 = label("lbldatum0", 352, 308, 80, 16);
    cmdaktuell = button("cmdaktuell", {}, 290, 323, 140, 26);

    Label5 = label("Label5", 440, 264, 168, 16);
    Label5->setAlignment(Qt::AlignCenter);
    lblxvony = label("lblxvony", 440, 280, 168, 18);
    lblxvony->setAlignment(Qt::AlignCenter);
    cmdanfang = button("cmdanfang", QStringLiteral("|<"), 440, 300, 40, 26);
    cmdzurueck = button("cmdzurueck", QStringLiteral("<"), 482, 300, 40, 26);
    cmdvor = button("cmdvor", QStringLiteral("&>"), 524, 300, 40, 26);
    cmdende = button("cmdende", QStringLiteral(">|"), 566, 300, 42, 26);
    cmdinsert = button("cmdinsert", {}, 440, 328, 83, 24);
    cmdloeschen = button("cmdloeschen", {}, 525, 328, 83, 24);

    lblpfad = label("lblpfad", 8, 362, 200, 16);
    lbltest = place(new PathLabel(client), "lbltest", 208, 362, 400, 16);
    lblhtmlpfad = label("lblhtmlpfad", 8, 380, 200, 16);
    lblhtml = place(new PathLabel(client), "lblhtml", 208, 380, 400, 16);
    Label6 = label("Label6", 8, 404, 92, 20);
    cseite = place(new QComboBox(client), "cseite", 100, 402, 208, 24);
    cseite->setEditable(true);
    Label7 = label("Label7", 100, 428, 208, 16);
    Command1 = button("Command1", {}, 316, 402, 190, 24);
    cmdsloeschen = button("cmdsloeschen", {}, 316, 430, 190, 24);
    cmdhtml = button("cmdhtml", QStringLiteral("HTML"), 512, 402, 96, 52);

    // Usable once a templates folder is set.
    setPageListEnabled(false);
    connectPageSelection();

    guardStoredText(txtzusatz1, language);
    guardStoredText(txtzusatz2, language);

    // Typing changes the record shown, and so the database.
    for (QPlainTextEdit *field : {txtfrage, txtantwort})
        connect(field, &QPlainTextEdit::textChanged, this, [this] {
            if (!m_showingRecord)
                markChanged();
        });
    for (QLineEdit *field : {txtzusatz1, txtzusatz2})
        connect(field, &QLineEdit::textEdited, this, [this] { markChanged(); });
    connect(chkfragez2, &QCheckBox::clicked, this, [this] { markChanged(); });

    const std::pair<Button3D *, void (MainWindow::*)()> handlers[] = {
        {cmdanfang, &MainWindow::cmdanfang_Click},
        {cmdzurueck, &MainWindow::cmdzurueck_Click},
        {cmdvor, &MainWindow::cmdvor_Click},
        {cmdende, &MainWindow::cmdende_Click},
        {cmdinsert, &MainWindow::cmdinsert_Click},
        {cmdloeschen, &MainWindow::cmdloeschen_Click},
        {cmdaktuell, &MainWindow::cmdaktuell_Click},
        {Command1, &MainWindow::Command1_Click},
        {cmdsloeschen, &MainWindow::cmdsloeschen_Click},
        {cmdhtml, &MainWindow::cmdhtml_Click},
    };
    for (const auto &[b, handler] : handlers)
        connect(b, &QPushButton::clicked, this, handler);
}

QAction *MainWindow::addAction(QMenu *menu, const char *name, void (MainWindow::*handler)())
{
    QAction *action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    else
        action->setEnabled(false); // its command arrives with its window
    return action;
}

void MainWindow::buildMenus()
{
    auto menu = [this](QMenu *parent, const char *name) {
        QMenu *m = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto separator = [](QMenu *parent, const char *name) {
        QAction *s = parent->addSeparator();
        s->setObjectName(QLatin1String(name));
        return s;
    };

    mnudatei = menu(nullptr, "mnudatei");
    connect(mnudatei, &QMenu::aboutToShow, this, &MainWindow::mnudatei_Click);
    mnudatneu = addAction(mnudatei, "mnudatneu", &MainWindow::mnudatneu_Click);
    mnudatoeffnen = addAction(mnudatei, "mnudatoeffnen", &MainWindow::mnudatoeffnen_Click);
    mnudatspeichern = addAction(mnudatei, "mnudatspeichern", nullptr);
    connect(mnudatspeichern, &QAction::triggered, this, [this] { mnudatspeichern_Click(); });
    mnudatspeiunter = addAction(mnudatei, "mnudatspeiunter", nullptr);
    connect(mnudatspeiunter, &QAction::triggered, this, [this] { mnudatspeiunter_Click(); });
    mnusort = addAction(mnudatei, "mnusort", &MainWindow::mnusort_Click);
    strich3 = separator(mnudatei, "strich3");
    mnuexporttext = addAction(mnudatei, "mnuexporttext", &MainWindow::mnuexporttext_Click);
    mnustrich = separator(mnudatei, "mnustrich");
    for (int i = 0; i < 8; ++i) {
        m[size_t(i)] = mnudatei->addAction(QString());
        m[size_t(i)]->setObjectName(QStringLiteral("m%1").arg(i + 1));
        connect(m[size_t(i)], &QAction::triggered, this, [this, i] { m_Click(i + 1); });
    }
    mnunix = separator(mnudatei, "mnunix");
    mnuhistorie = addAction(mnudatei, "mnuhistorie", &MainWindow::mnuhistorie_Click);
    mmmmm = separator(mnudatei, "mmmmm");
    mnuende = addAction(mnudatei, "mnuende", &MainWindow::mnuende_Click);

    mnueinstell = menu(nullptr, "mnueinstell");
    connect(mnueinstell, &QMenu::aboutToShow, this, &MainWindow::mnueinstell_Click);
    mnuklang = addAction(mnueinstell, "mnuklang", &MainWindow::mnuklang_Click);
    mnufont = menu(mnueinstell, "mnufont");
    connect(mnufont, &QMenu::aboutToShow, this, &MainWindow::mnufont_Click);
    mnufontgesamt = addAction(mnufont, "mnufontgesamt", &MainWindow::mnufontgesamt_Click);
    mnufontfrage = addAction(mnufont, "mnufontfrage", &MainWindow::mnufontfrage_Click);
    mnufontantwort = addAction(mnufont, "mnufontantwort", &MainWindow::mnufontantwort_Click);
    mnufarbe = addAction(mnueinstell, "mnufarbe", &MainWindow::mnufarbe_Click);
    mnuvorlagen = addAction(mnueinstell, "mnuvorlagen", &MainWindow::mnuvorlagen_Click);
    mnuhtml = addAction(mnueinstell, "mnuhtml", &MainWindow::mnuhtml_Click);
    mnusprache = menu(mnueinstell, "mnusprache");
    mnudeutsch = addAction(mnusprache, "mnudeutsch", &MainWindow::mnudeutsch_Click);
    mnuenglisch = addAction(mnusprache, "mnuenglisch", &MainWindow::mnuenglisch_Click);

    mnufenster = menu(nullptr, "mnufenster");
    connect(mnufenster, &QMenu::aboutToShow, this, &MainWindow::mnufenster_Click);
    mnuontop = addAction(mnufenster, "mnuontop", &MainWindow::mnuontop_Click);
    mnumin = addAction(mnufenster, "mnumin", &MainWindow::mnumin_Click);
    mnuzentrieren = addAction(mnufenster, "mnuzentrieren", &MainWindow::mnuzentrieren_Click);
    mnuposition = addAction(mnufenster, "mnuposition", &MainWindow::mnuposition_Click);
    mnugroesse = addAction(mnufenster, "mnugroesse", &MainWindow::mnugroesse_Click);

    mnuinfo = menu(nullptr, "mnuinfo");
    connect(mnuinfo, &QMenu::aboutToShow, this, &MainWindow::mnuinfo_Click);
    mnuhilfe = addAction(mnuinfo, "mnuhilfe", &MainWindow::mnuhilfe_Click);
    mnuhome = addAction(mnuinfo, "mnuhome", &MainWindow::mnuhome_Click);
    mnuhome->setText(QStringLiteral("Homepage"));
    mnuwasneu = addAction(mnuinfo, "mnuwasneu", &MainWindow::mnuwasneu_Click);
    mnuueber = addAction(mnuinfo, "mnuueber", &MainWindow::mnuueber_Click);
    mnudonate = addAction(mnuinfo, "mnudonate", &MainWindow::mnudonate_Click);

    for (QAction *a : {mnuklang, mnudeutsch, mnuenglisch, mnuontop, mnumin, mnuzentrieren,
                       mnuposition, mnugroesse})
        a->setCheckable(true);
}

// ---------------------------------------------------------------- window states

void MainWindow::updateTitle()
{
    // "[*]" shows the modified mark and nothing else.
    setWindowTitle(productTitle + versionText() + m_state.titleSuffix() + QStringLiteral("[*]"));
}

void MainWindow::setRecordButtonsVisible(bool visible)
{
    for (Button3D *b : {cmdanfang, cmdzurueck, cmdvor, cmdende, cmdinsert, cmdloeschen})
        b->setVisible(visible);
}

void MainWindow::setFieldsEditable(bool editable)
{
    txtfrage->setReadOnly(!editable);
    txtantwort->setReadOnly(!editable);
    for (QWidget *field :
         std::initializer_list<QWidget *>{txtfrage, txtantwort, txtzusatz1, txtzusatz2}) {
        QPalette p = field->palette();
        p.setColor(QPalette::Base, editable ? QApplication::palette().color(QPalette::Base)
                                            : colorFromBgr(lightGrey));
        field->setPalette(p);
    }
}

void MainWindow::setExportAllowed(bool allowed)
{
    mnuexporttext->setEnabled(allowed);
    cmdhtml->setEnabled(allowed);
    // Enabled: the scheme's button text colour (the platform's without a scheme).
    const ColorScheme &scheme = m_state.currentColors;
    const qint32 enabled = scheme.isUnset()
                               ? bgrFromColor(QApplication::palette().color(QPalette::ButtonText))
                               : scheme[ColorScheme::buttonFontColor];
    cmdhtml->setCaptionColor(allowed ? enabled : lightGrey);
}

void MainWindow::setRecentEntriesEnabled(bool enabled)
{
    for (QAction *entry : m)
        entry->setEnabled(enabled);
}

void MainWindow::setNextCaptionNew()
{
    cmdvor->setCaption(m_ctx.pick(u"&neu", u"&new"));
}

void MainWindow::setNextCaptionForPosition()
{
    const FaqDatabase &db = m_state.database;
    if (db.currentIndex() == db.recordCount())
        setNextCaptionNew();
    else
        cmdvor->setCaption(QStringLiteral("&>"));
}

void MainWindow::setWindowState(WindowState state)
{
    switch (state) {
    case WindowState::NoDatabase:
        setRecordButtonsVisible(false);
        setFieldsEditable(false);
        chkfragez2->setEnabled(false);
        setExportAllowed(false);
        mnudatspeiunter->setEnabled(false);
        mnusort->setEnabled(false);
        mnudatneu->setEnabled(true);
        mnudatoeffnen->setEnabled(true);
        strich3->setVisible(false);
        setRecentEntriesEnabled(true);
        break;
    case WindowState::DatabaseOpen:
        setRecordButtonsVisible(true);
        setFieldsEditable(true);
        chkfragez2->setEnabled(true);
        lblxvony->setEnabled(true);
        cmdloeschen->setEnabled(true);
        cmdvor->setCaption(QStringLiteral("&>"));
        for (QAction *a : {mnudatspeichern, mnudatspeiunter, mnudatoeffnen, mnudatneu})
            a->setEnabled(true);
        mnueinstell->menuAction()->setVisible(true);
        strich3->setVisible(true);
        break;
    case WindowState::NewDatabase:
        setRecordButtonsVisible(true);
        setFieldsEditable(true);
        chkfragez2->setEnabled(true);
        lblxvony->setEnabled(true);
        mnueinstell->menuAction()->setVisible(true);
        strich3->setVisible(true);
        setNextCaptionNew();
        setExportAllowed(false);
        mnudatneu->setEnabled(false);
        break;
    case WindowState::EmptyDatabase:
        setRecordButtonsVisible(false);
        setFieldsEditable(false);
        chkfragez2->setEnabled(false);
        mnudatoeffnen->setEnabled(true);
        break;
    }
}

// ---------------------------------------------------------------- start-up

void MainWindow::Form_Load()
{
    // Start-up failures are shown and start-up goes on with the next step.
    auto step = [this](const std::function<void()> &body) {
        m_ctx.guarded(body, [this](const AppError &e) {
            m_ctx.inform(QStringLiteral("Fehler ") + e.numberAndDescription());
        });
    };
    AppSettings &settings = m_state.settings;
    FaqDatabase &db = m_state.database;

    // The splash has done its work once the main window loads.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *splash = qobject_cast<SplashWindow *>(w))
            splash->close();
    step([&] { m_tray->start(); });
    lbltest->clear();
    step([&] {
        createRecentFilesIfMissing(m_state.recentFilesPath());
        historie();
    });
    m_openFromHistory = false;
    db.setBlankRecord(leerds_erstellen(m_state.clock().today()));
    showRecord(db.editBuffer());
    updateTitle();
    setWindowState(WindowState::NoDatabase);
    hilfe_rechts();
    // The remembered position is the frame's. Only a window not shown yet is
    // placed by its frame everywhere: once shown, a window manager may not
    // have told the frame's size, and the window would creep up by a title
    // bar with every start. So the settings are read before the first show.
    bool settingsRecovered = false;
    step([&] { settingsRecovered = readSettings(); });
    if (!settings.centerWindow)
        move(pixelsFromTwips(settings.windowLeft), pixelsFromTwips(settings.windowTop));
    show();
    // Recorded as shown, so the menu bar has its real height: the controls
    // stretch with the window, the two text boxes keep the user's fonts.
    m_resize->Initialize();
    for (QPlainTextEdit *field : {txtfrage, txtantwort})
        m_resize->ResizeOption(field, 0, false);
    m_resize->setFollowsResize(true);
    // Written once the window shows, so that a failed write is told over it.
    if (settingsRecovered)
        writeSettings();

    mnuontop->setChecked(settings.alwaysOnTop);
    FormOnTop(this, settings.alwaysOnTop);
    mnumin->setChecked(settings.minimizeToTray);
    mnuklang->setChecked(settings.soundsOn);
    startupScheme();
    m_ctx.play("ha");

    if (settings.rememberSize) {
        mnugroesse->setChecked(true);
        resize(pixelsFromTwips(settings.windowWidth), pixelsFromTwips(settings.windowHeight));
    } else {
        settings.windowHeight = twips16FromPixels(height() + 1);
        settings.windowWidth = twips16FromPixels(width() + 1);
    }
    if (settings.centerWindow) {
        mnuzentrieren->setChecked(true);
        centreOnScreen(this);
    } else {
        mnuposition->setChecked(true);
    }
    // The captions of the language follow its signal.
    step([&] { m_state.setLanguage(settings.language); });
    show();
    step([&] { checkFolders(); });

    txtfrage->setFont(fieldFont(settings.questionFont));
    txtantwort->setFont(fieldFont(settings.answerFont));
    for (QPlainTextEdit *field : {txtfrage, txtantwort})
        m_resize->RecordFontSize(field);
    for (auto [field, color] : {std::pair{txtfrage, settings.textColors[0]},
                                std::pair{txtantwort, settings.textColors[1]}}) {
        QPalette p = field->palette();
        p.setColor(QPalette::Text, colorFromBgr(color));
        field->setPalette(p);
    }
}

bool MainWindow::readSettings()
{
    const SettingsReadResult result = m_state.readStartSettings();
    m_state.database.setFaqFolder(m_state.settings.faqFolder);
    return result.outcome == SettingsReadOutcome::Recovered;
}

void MainWindow::writeSettings()
{
    // The remembered position stays what was read at start; the file gets
    // where the window is now.
    AppSettings current = m_state.settings;
    current.lastTemplatePage = m_state.pages.page();
    current.windowLeft = twips16FromPixels(pos().x());
    current.windowTop = twips16FromPixels(pos().y());
    current.faqFolder = m_state.database.faqFolder();
    m_state.settings.faqFolder = current.faqFolder;
    m_ctx.guarded([&] { writeSettingsFile(m_state.settingsFilePath(), current); },
                  [this](const AppError &) {
                      m_ctx.inform(QStringLiteral("Fehler beim Speichern der *.ini-Datei"),
                                   QStringLiteral("Einstellungsdatei speichern fehlgeschlagen"));
                  });
}

// ---------------------------------------------------------------- ending

void MainWindow::noteSessionEnd()
{
    m_state.exitConfirmed = 1;
}

void MainWindow::mnuende_Click()
{
    m_ctx.guarded(
        [this] {
            m_state.exitConfirmed = 1;
            if (m_state.database.hasUnsavedChanges()) {
                const int answer = m_ctx.ask(
                    m_ctx.pick(u"Änderungen sind noch nicht gespeichert! Wirklich verlassen?",
                               u"Changed data are not saved! Really leave?"),
                    m_ctx.pick(u"Ohne Speichern verlassen?", u"Loss data!"), MessageButtons::YesNo,
                    MessageIcon::Critical, 2);
                if (answer == AnswerNo) {
                    m_state.exitConfirmed = 0;
                    return;
                }
            }
            m_ctx.play("thanks");
            historie();
            unloadForms();
            m_ctx.quit();
        },
        [this](const AppError &e) {
            m_ctx.inform(QStringLiteral("%1\r%2").arg(e.number()).arg(e.description()),
                         QStringLiteral("mnuende_click"));
        });
}

void MainWindow::unloadForms()
{
    m_unloading = true;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isWindow())
            w->close();
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    AppSettings &s = m_state.settings;
    // The find bar does not come back at start; the room it took does not either.
    s.windowHeight = twips16FromPixels(height() - m_findBarGrowth);
    s.windowWidth = twips16FromPixels(width());
    writeSettings();

    const bool closeBox = !m_unloading && m_state.exitConfirmed != 1;
    if (closeBox && s.minimizeToTray) {
        event->ignore();
        // Without a notification area a hidden window could not come back.
        if (m_tray->available())
            hide();
        else
            showMinimized();
        m_ctx.play("quietsch");
        return;
    }
    if (m_state.exitConfirmed != 1 && m_state.database.hasUnsavedChanges()) {
        const int answer = m_ctx.ask(m_ctx.pick(u"Noch nicht gespeichert! Trotzdem raus?",
                                                u"Not saving! You'r sure exit the program? "),
                                     m_ctx.pick(u"Sicherheitsabfrage", u"Verifications question"),
                                     MessageButtons::YesNoCancel, MessageIcon::Question, 3);
        if (answer != AnswerYes) {
            m_unloading = false;
            event->ignore();
            return;
        }
    }
    if (m_state.exitConfirmed != 1)
        m_ctx.play("thanks"); // the exit command has said goodbye already
    event->accept();
}

} // namespace askbright
