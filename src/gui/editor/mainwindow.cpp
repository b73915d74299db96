#include "editor/mainwindow.h"

#include "app/apperror.h"
#include "app/placement.h"
#include "app/product.h"
#include "app/twips.h"
#include "app/windowcontext.h"
#include "controls/colorvalue.h"
#include "controls/formontop.h"
#include "controls/storedtext.h"
#include "controls/traycontrol.h"
#include "database/faqfile.h"
#include "editor/findbar.h"
#include "editor/pagepanel.h"
#include "editor/recordeditor.h"
#include "editor/recordexchangecommands.h"
#include "resize/resizeengine.h"
#include "settings/recentfiles.h"
#include "settings/settingsfile.h"
#include "state/appstate.h"
#include "windows/splashwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <tuple>

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
      m_faqDialog(context.dialogs, [&context] { return context.language(); }),
      m_tray(new TrayControl(this))
{
    setObjectName(QStringLiteral("frm1"));
    m_tray->setObjectName(QStringLiteral("tray"));
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    m_recordEditor = new RecordEditor(context, client);
    m_pagePanel = new PagePanel(context, client);
    buildMenus();
    m_exchange = new RecordExchangeCommands(context, m_fileMenu, m_reorderAction,
                                            [this] { return m_recordEditor->recordsWithShown(); });
    addFindEntry();
    m_findBar =
        new FindBar(context,
                    {[this] { return m_recordEditor->recordsWithShown(); },
                     [this] { return m_state.database.currentIndex(); },
                     [this](int record, bool typing) { return showRecordForHit(record, typing); },
                     [this](const SearchHit &hit) { m_recordEditor->select(hit); }},
                    this);
    addToolBar(Qt::BottomToolBarArea, m_findBar);
    // The bar comes and goes with its menu entry, not from a context menu.
    setContextMenuPolicy(Qt::NoContextMenu);
    connectCollaborators();

    // The design captions are the German ones; the menu bar needs its texts
    // to take its height before the layout is recorded.
    retranslate(Language::German);
    setMinimumSize(pixelsFromTwips(minimumWidthTwips), pixelsFromTwips(minimumHeightTwips));
    resize(minimumSize());
    m_resize = new ResizeEngine(centralWidget(), this);
    connect(m_tray, &TrayControl::mouseDown, this, &MainWindow::onTrayMouseDown);
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
            [this] { m_ctx.guarded("Module1", "skin_aktuell", [this] { applyScheme(); }); });
    connect(&m_state, &AppState::languageChanged, this, [this](Language language) {
        m_germanAction->setChecked(language.isGerman());
        m_englishAction->setChecked(language.isEnglish());
        guard(language.isEnglish() ? "englisch_form1" : "deutsch_frm1",
              [&] { retranslate(language); });
    });
    // Records that must be kept when the program ends at once include the
    // one being edited.
    m_ctx.unsavedRecords = [this] { return m_recordEditor->recordsWithShown(); };
}

bool MainWindow::guard(const char *procedure, const std::function<void()> &body)
{
    return m_ctx.guarded("frm1", procedure, body);
}

Language MainWindow::language() const
{
    return m_state.language();
}

void MainWindow::connectCollaborators()
{
    RecordEditor *editor = m_recordEditor;
    connect(editor, &RecordEditor::recordAppended, this,
            [this] { m_saveAsAction->setEnabled(true); });
    connect(editor, &RecordEditor::allRecordsDeleted, this,
            [this] { setWindowState(WindowState::EmptyDatabase); });
    connect(editor, &RecordEditor::deleteWithoutRecords, this, [this] {
        m_saveAsAction->setEnabled(false);
        m_newAction->setEnabled(true);
    });

    connect(m_pagePanel, &PagePanel::layoutEditorRequested, this, &MainWindow::openLayoutEditor);
    connect(m_pagePanel, &PagePanel::exportRequested, this, &MainWindow::onExportPageTriggered);
    connect(m_templatesFolderAction, &QAction::triggered, m_pagePanel,
            &PagePanel::onChooseTemplatesFolderTriggered);
    connect(m_outputFolderAction, &QAction::triggered, m_pagePanel,
            &PagePanel::onChooseOutputFolderTriggered);

    connect(m_exchange, &RecordExchangeCommands::recordsImported, this, [this](int first) {
        setWindowState(WindowState::DatabaseOpen);
        m_recordEditor->showSlot(first);
        m_recordEditor->setNextCaptionForPosition();
        m_recordEditor->refreshPosition();
    });

    // The hits follow the records: the whole list when the database changes,
    // the shown record's part while its fields are typed in.
    connect(&m_state.database, &FaqDatabase::recordsChanged, m_findBar, &FindBar::recordsChanged);
    connect(editor, &RecordEditor::searchableTextEdited, m_findBar, &FindBar::shownRecordEdited);
    connect(m_findBar, &FindBar::closed, this,
            [this](SearchHit::Field field) { onFindBarClosed(field); });
}

QAction *MainWindow::addAction(QMenu *menu, const char *name, void (MainWindow::*handler)())
{
    QAction *action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    return action;
}

void MainWindow::playWhenOpened(QMenu *menu, const char *procedure, const char *clip)
{
    connect(menu, &QMenu::aboutToShow, this,
            [this, procedure, clip] { guard(procedure, [this, clip] { m_ctx.play(clip); }); });
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

    m_fileMenu = menu(nullptr, "mnudatei");
    connect(m_fileMenu, &QMenu::aboutToShow, this, &MainWindow::onFileMenuAboutToShow);
    m_newAction = addAction(m_fileMenu, "mnudatneu", &MainWindow::onNewDatabaseTriggered);
    m_openAction = addAction(m_fileMenu, "mnudatoeffnen", &MainWindow::onOpenDatabaseTriggered);
    m_saveAction = addAction(m_fileMenu, "mnudatspeichern", nullptr);
    connect(m_saveAction, &QAction::triggered, this, [this] { onSaveDatabaseTriggered(); });
    m_saveAsAction = addAction(m_fileMenu, "mnudatspeiunter", nullptr);
    connect(m_saveAsAction, &QAction::triggered, this, [this] { onSaveDatabaseAsTriggered(); });
    // Saving waits for a database.
    m_saveAction->setEnabled(false);
    m_saveAsAction->setEnabled(false);
    m_reorderAction = addAction(m_fileMenu, "mnusort", &MainWindow::onReorderTriggered);
    m_exportSeparator = separator(m_fileMenu, "strich3");
    m_exportAction = addAction(m_fileMenu, "mnuexporttext", &MainWindow::onExportPageTriggered);
    m_recentSeparator = separator(m_fileMenu, "mnustrich");
    for (int i = 0; i < 8; ++i) {
        QAction *entry = m_fileMenu->addAction(QString());
        entry->setObjectName(QStringLiteral("m%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, i] { onRecentFileTriggered(i + 1); });
        m_recentActions[size_t(i)] = entry;
    }
    m_clearRecentSeparator = separator(m_fileMenu, "mnunix");
    m_clearRecentAction =
        addAction(m_fileMenu, "mnuhistorie", &MainWindow::onClearRecentFilesTriggered);
    m_exitSeparator = separator(m_fileMenu, "mmmmm");
    m_exitAction = addAction(m_fileMenu, "mnuende", &MainWindow::onExitTriggered);

    m_settingsMenu = menu(nullptr, "mnueinstell");
    playWhenOpened(m_settingsMenu, "mnueinstell_Click", "menu");
    m_soundsAction = addAction(m_settingsMenu, "mnuklang", &MainWindow::onSoundsTriggered);
    m_fontMenu = menu(m_settingsMenu, "mnufont");
    playWhenOpened(m_fontMenu, "mnufont_Click", "menu");
    m_bothFontsAction = addAction(m_fontMenu, "mnufontgesamt", &MainWindow::onBothFontsTriggered);
    m_questionFontAction =
        addAction(m_fontMenu, "mnufontfrage", &MainWindow::onQuestionFontTriggered);
    m_answerFontAction =
        addAction(m_fontMenu, "mnufontantwort", &MainWindow::onAnswerFontTriggered);
    m_colourSchemeAction =
        addAction(m_settingsMenu, "mnufarbe", &MainWindow::onColourSchemeTriggered);
    m_templatesFolderAction = addAction(m_settingsMenu, "mnuvorlagen", nullptr);
    m_outputFolderAction = addAction(m_settingsMenu, "mnuhtml", nullptr);
    m_languageMenu = menu(m_settingsMenu, "mnusprache");
    m_germanAction = addAction(m_languageMenu, "mnudeutsch", &MainWindow::onGermanTriggered);
    m_englishAction = addAction(m_languageMenu, "mnuenglisch", &MainWindow::onEnglishTriggered);

    m_windowMenu = menu(nullptr, "mnufenster");
    playWhenOpened(m_windowMenu, "mnufenster_Click", "menu");
    m_alwaysOnTopAction = addAction(m_windowMenu, "mnuontop", &MainWindow::onAlwaysOnTopTriggered);
    m_closeToTrayAction = addAction(m_windowMenu, "mnumin", &MainWindow::onCloseToTrayTriggered);
    m_centreAction = addAction(m_windowMenu, "mnuzentrieren", &MainWindow::onCentreTriggered);
    m_rememberedPositionAction =
        addAction(m_windowMenu, "mnuposition", &MainWindow::onRememberedPositionTriggered);
    m_rememberSizeAction =
        addAction(m_windowMenu, "mnugroesse", &MainWindow::onRememberSizeTriggered);

    m_helpMenu = menu(nullptr, "mnuinfo");
    playWhenOpened(m_helpMenu, "mnuinfo_Click", "help");
    m_helpAction = addAction(m_helpMenu, "mnuhilfe", &MainWindow::onHelpTriggered);
    m_homepageAction = addAction(m_helpMenu, "mnuhome", &MainWindow::onHomepageTriggered);
    m_homepageAction->setText(QStringLiteral("Homepage"));
    m_whatsNewAction = addAction(m_helpMenu, "mnuwasneu", &MainWindow::onWhatsNewTriggered);
    m_aboutAction = addAction(m_helpMenu, "mnuueber", &MainWindow::onAboutTriggered);
    m_donateAction = addAction(m_helpMenu, "mnudonate", &MainWindow::onDonateTriggered);

    for (QAction *a :
         {m_soundsAction, m_germanAction, m_englishAction, m_alwaysOnTopAction, m_closeToTrayAction,
          m_centreAction, m_rememberedPositionAction, m_rememberSizeAction})
        a->setCheckable(true);
}

// ---------------------------------------------------------------- window states

void MainWindow::updateTitle()
{
    // "[*]" shows the modified mark and nothing else.
    setWindowTitle(productTitle + versionText() + m_state.titleSuffix() + QStringLiteral("[*]"));
}

void MainWindow::setExportAllowed(bool allowed)
{
    m_exportAction->setEnabled(allowed);
    m_pagePanel->setExportAllowed(allowed);
}

void MainWindow::setRecentEntriesEnabled(bool enabled)
{
    for (QAction *entry : m_recentActions)
        entry->setEnabled(enabled);
}

void MainWindow::setWindowState(WindowState state)
{
    switch (state) {
    case WindowState::NoDatabase:
        m_recordEditor->setEditing(false);
        setExportAllowed(false);
        m_saveAsAction->setEnabled(false);
        m_reorderAction->setEnabled(false);
        m_newAction->setEnabled(true);
        m_openAction->setEnabled(true);
        m_exportSeparator->setVisible(false);
        setRecentEntriesEnabled(true);
        break;
    case WindowState::DatabaseOpen:
        m_recordEditor->setEditing(true);
        m_recordEditor->setNextCaptionStep();
        for (QAction *a : {m_saveAction, m_saveAsAction, m_openAction, m_newAction})
            a->setEnabled(true);
        m_exportSeparator->setVisible(true);
        break;
    case WindowState::NewDatabase:
        m_recordEditor->setEditing(true);
        m_exportSeparator->setVisible(true);
        m_recordEditor->setNextCaptionNew();
        setExportAllowed(false);
        m_newAction->setEnabled(false);
        break;
    case WindowState::EmptyDatabase:
        m_recordEditor->setEditing(false);
        m_openAction->setEnabled(true);
        break;
    }
}

// ---------------------------------------------------------------- find bar

void MainWindow::addFindEntry()
{
    QAction *separator = m_fileMenu->insertSeparator(m_reorderAction);
    separator->setObjectName(QStringLiteral("strichsuchen"));
    m_findAction = new QAction(m_fileMenu);
    m_findAction->setObjectName(QStringLiteral("mnusuchen"));
    m_findAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(m_findAction, &QAction::triggered, this, &MainWindow::onFindTriggered);
    m_fileMenu->insertAction(m_reorderAction, m_findAction);
}

void MainWindow::onFindTriggered()
{
    guard("mnusuchen_Click", [this] {
        if (!m_findBar->isVisible()) {
            // The window grows by the bar, so the record's controls keep their size.
            const bool grow = !isMaximized() && !isFullScreen();
            m_findBar->show();
            m_findBarGrowth = grow ? m_findBar->sizeHint().height() : 0;
            if (grow)
                resize(width(), height() + m_findBarGrowth);
        }
        m_findBar->open();
    });
}

void MainWindow::onFindBarClosed(int field)
{
    if (m_findBarGrowth > 0 && !isMaximized() && !isFullScreen())
        resize(width(), height() - m_findBarGrowth);
    m_findBarGrowth = 0;
    m_recordEditor->focusField(SearchHit::Field(field));
}

bool MainWindow::showRecordForHit(int record, bool typing)
{
    // While typing, a record the user has left incomplete is not left;
    // stepping on asks to complete it, as the record buttons do.
    RecordEditor &editor = *m_recordEditor;
    if ((typing && !editor.questionFilled()) || !editor.moveTo(record, false))
        return false;
    editor.setNextCaptionForPosition();
    editor.refreshPosition();
    return true;
}

// ---------------------------------------------------------------- start-up

void MainWindow::load()
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
    step([&] {
        createRecentFilesIfMissing(m_state.recentFilesPath());
        refreshRecentFiles();
    });
    m_openFromHistory = false;
    db.setBlankRecord(leerds_erstellen(m_state.clock().today()));
    m_recordEditor->showRecord(db.editBuffer());
    updateTitle();
    setWindowState(WindowState::NoDatabase);
    putHelpMenuRight();
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
    m_resize->recordWindow();
    QPlainTextEdit *const fields[] = {m_recordEditor->questionField(),
                                      m_recordEditor->answerField()};
    for (QPlainTextEdit *field : fields)
        m_resize->setResizeOption(field, 0, false);
    m_resize->setFollowsResize(true);
    // Written once the window shows, so that a failed write is told over it.
    if (settingsRecovered)
        writeSettings();

    m_alwaysOnTopAction->setChecked(settings.alwaysOnTop);
    FormOnTop(this, settings.alwaysOnTop);
    m_closeToTrayAction->setChecked(settings.minimizeToTray);
    m_soundsAction->setChecked(settings.soundsOn);
    startupScheme();
    m_ctx.play("ha");

    if (settings.rememberSize) {
        m_rememberSizeAction->setChecked(true);
        resize(pixelsFromTwips(settings.windowWidth), pixelsFromTwips(settings.windowHeight));
    } else {
        settings.windowHeight = twips16FromPixels(height() + 1);
        settings.windowWidth = twips16FromPixels(width() + 1);
    }
    if (settings.centerWindow) {
        m_centreAction->setChecked(true);
        centreOnScreen(this);
    } else {
        m_rememberedPositionAction->setChecked(true);
    }
    // The captions of the language follow its signal.
    step([&] { m_state.setLanguage(settings.language); });
    show();
    step([&] { m_pagePanel->checkFolders(); });

    const std::tuple<QPlainTextEdit *, const FieldFont &, qint32> looks[] = {
        {m_recordEditor->questionField(), settings.questionFont, settings.textColors[0]},
        {m_recordEditor->answerField(), settings.answerFont, settings.textColors[1]},
    };
    for (const auto &[field, font, color] : looks) {
        field->setFont(fieldFont(font));
        m_resize->recordFontSize(field);
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

void MainWindow::onExitTriggered()
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
            refreshRecentFiles();
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
