#pragma once

#include "app/language.h"
#include "controls/dialogservice.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <initializer_list>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace askbright {

class AppState;
class FindBar;
class PagePanel;
class RecordEditor;
class RecordExchangeCommands;
class ResizeEngine;
class TrayControl;
class WindowContext;

// The main window coordinates: the menus, the file commands, the recent-files
// menu, the settings at start and close, the window options and both
// interface languages live here (mainwindow.cpp for the life cycle and window
// states, mainwindow_files.cpp, mainwindow_options.cpp, mainwindow_appearance.cpp
// for the colour scheme and the about and donation windows, mainwindow_pages.cpp
// for the layout editor and the export). The record, the page part, the find
// bar and the CSV and Markdown entries are collaborators of their own.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(WindowContext &context, QWidget *parent = nullptr);

    // The start-up sequence; shows the window.
    void load();
    // Opens a database named on the command line, as Open does after its dialog.
    void openFromCommandLine(const QString &path);

    RecordEditor &recordEditor() { return *m_recordEditor; }
    TrayControl &tray() { return *m_tray; }

    // File commands; the save commands report whether the file was written.
    void onNewDatabaseTriggered();
    void onOpenDatabaseTriggered();
    bool onSaveDatabaseTriggered();
    bool onSaveDatabaseAsTriggered();
    void onReorderTriggered();
    void onExportPageTriggered();
    void onFindTriggered();
    void onExitTriggered();

    // Recent files (index 1..8), clearing them, and the menu rebuilt from the list.
    void onRecentFileTriggered(int index);
    void onClearRecentFilesTriggered();
    void refreshRecentFiles();

    void onGermanTriggered();
    void onEnglishTriggered();
    void retranslate(Language language);

    // Window options, fonts, colours, help.
    void onAlwaysOnTopTriggered();
    void onCloseToTrayTriggered();
    void onSoundsTriggered();
    void onRememberSizeTriggered();
    void onCentreTriggered();
    void onRememberedPositionTriggered();
    void onBothFontsTriggered();
    void onQuestionFontTriggered();
    void onAnswerFontTriggered();
    void onColourSchemeTriggered();
    void onHelpTriggered();
    void onHomepageTriggered();
    void onWhatsNewTriggered();
    void onAboutTriggered();
    void onDonateTriggered();
    void onTrayMouseDown(int button);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    enum class WindowState { NoDatabase, DatabaseOpen, NewDatabase, EmptyDatabase };

    // Runs a handler of this window through the error reporter's guard.
    bool guard(const char *procedure, const std::function<void()> &body);
    Language language() const;

    void buildMenus();
    QAction *addAction(QMenu *menu, const char *name, void (MainWindow::*handler)());
    void addFindEntry();
    void connectCollaborators();

    void setWindowState(WindowState state);
    void setExportAllowed(bool allowed);
    void setRecentEntriesEnabled(bool enabled);
    void updateTitle();
    // Puts the Help menu at the right edge of the menu bar.
    void putHelpMenuRight();
    void applyScheme();
    void openLayoutEditor();
    // The find bar asks for the record of a hit.
    bool showRecordForHit(int record, bool typing);
    void onFindBarClosed(int field);

    void onFileMenuAboutToShow();
    // Plays clip as menu opens, guarded as procedure.
    void playWhenOpened(QMenu *menu, const char *procedure, const char *clip);

    // Common tail of Save and Save as once the file is written.
    void afterSave();
    // Writes the database to its path; on failure tells the user, puts the
    // previous path back and returns false.
    bool writeDatabase(const QString &previousPath);
    // Commits the shown record unless it is empty; false when refused.
    bool commitBeforeSave();
    void openFile(const QString &path);
    // Open and New: asks whether to save unsaved changes first; false when
    // the save was wanted but did not happen, so the command must stop.
    bool offerSaveFirst(const char16_t *englishTitle, bool &saved);
    void prepareFaqDialog(int flags);

    void setAlwaysOnTop(bool on);
    // centre: centred on the screen, otherwise at the position read at start.
    void choosePosition(const char *procedure, bool centre);
    // The font dialog, prepared from source, applied to the fields.
    void chooseFieldFont(QPlainTextEdit *source, std::initializer_list<QPlainTextEdit *> fields);
    // Shows what show() shows with the main window out of the topmost band.
    void outOfTopmostBand(const std::function<void()> &show);
    // The message for a companion document missing from the program folder.
    void missingDocument();

    // Whether the settings could not be read whole and the file must be
    // written with what there is.
    bool readSettings();
    // Start-up: the remembered scheme, else the standard one, read and applied.
    void startupScheme();
    void writeSettings();
    void unloadForms();
    void noteSessionEnd();

    WindowContext &m_ctx;
    AppState &m_state;
    CommonDialog m_faqDialog;
    TrayControl *m_tray;
    ResizeEngine *m_resize;
    RecordEditor *m_recordEditor;
    PagePanel *m_pagePanel;
    FindBar *m_findBar;
    RecordExchangeCommands *m_exchange;

    QStringList m_recentFiles;
    bool m_openFromHistory = false;
    QString m_historyPath;
    bool m_unloading = false;
    int m_findBarGrowth = 0; // what the window grew by to make room for the find bar

    QMenu *m_fileMenu, *m_settingsMenu, *m_windowMenu, *m_helpMenu, *m_fontMenu, *m_languageMenu;
    QAction *m_newAction, *m_openAction, *m_saveAction, *m_saveAsAction, *m_reorderAction;
    QAction *m_findAction;
    QAction *m_exportSeparator, *m_exportAction, *m_recentSeparator, *m_clearRecentSeparator;
    QAction *m_clearRecentAction, *m_exitSeparator, *m_exitAction;
    std::array<QAction *, 8> m_recentActions;
    QAction *m_soundsAction, *m_bothFontsAction, *m_questionFontAction, *m_answerFontAction;
    QAction *m_colourSchemeAction, *m_templatesFolderAction, *m_outputFolderAction;
    QAction *m_germanAction, *m_englishAction;
    QAction *m_alwaysOnTopAction, *m_closeToTrayAction, *m_centreAction;
    QAction *m_rememberedPositionAction, *m_rememberSizeAction;
    QAction *m_helpAction, *m_homepageAction, *m_whatsNewAction, *m_aboutAction, *m_donateAction;
    QAction *m_helpSeparator = nullptr; // in the menu bar, before the Help menu
};

} // namespace askbright
