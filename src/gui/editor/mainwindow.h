#pragma once

#include "app/language.h"
#include "controls/dialogservice.h"
#include "controls/storedtext.h"
#include "database/faqsearch.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <initializer_list>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QToolBar;

namespace askbright {

class AppState;
class Button3D;
class PathLabel;
class ResizeEngine;

class TrayControl;
class WindowContext;
struct FaqRecord;

// The main window: one record at a time, the file commands, the recent-files
// menu, the settings at start and close, both interface languages. Its
// handlers live in mainwindow.cpp (life cycle and window states), mainwindow_records.cpp,
// mainwindow_files.cpp, mainwindow_options.cpp (captions, options, help, re-ordering) and
// mainwindow_appearance.cpp (colour scheme, about, donation), mainwindow_find.cpp (the
// find bar) and mainwindow_exchange.cpp (CSV and Markdown import and export).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(WindowContext &context, QWidget *parent = nullptr);

    // The start-up sequence; shows the window.
    void Form_Load();
    // Opens a database named on the command line, as Open does after its dialog.
    void openFromCommandLine(const QString &path);

    // File commands; the save commands report whether the file was written.
    void mnudatneu_Click();
    void mnudatoeffnen_Click();
    bool mnudatspeichern_Click();
    bool mnudatspeiunter_Click();
    void mnuende_Click();
    void mnudatei_Click();

    // Record buttons.
    void cmdanfang_Click();
    void cmdzurueck_Click();
    void cmdvor_Click();
    void cmdende_Click();
    void cmdinsert_Click();
    void cmdloeschen_Click();
    void cmdaktuell_Click();

    // Recent files (index 1..8) and clearing them.
    void m_Click(int index);
    void mnuhistorie_Click();
    void historie();

    // Language.
    void mnudeutsch_Click();
    void mnuenglisch_Click();
    void deutsch_frm1();
    void englisch_form1();

    // Window options, fonts, help and the menus as they open.
    void mnuontop_Click();
    void mnumin_Click();
    void mnuklang_Click();
    void mnugroesse_Click();
    void mnuzentrieren_Click();
    void mnuposition_Click();
    void mnufontgesamt_Click();
    void mnufontfrage_Click();
    void mnufontantwort_Click();
    void mnuhilfe_Click();
    void mnuhome_Click();
    void mnuwasneu_Click();
    void mnueinstell_Click();
    void mnufenster_Click();
    void mnufont_Click();
    void mnuinfo_Click();
    void tray_MouseDown(int button);
    // Puts the Help menu at the right edge of the menu bar.
    void hilfe_rechts();

    // Re-ordering the records.
    void mnusort_Click();

    // Colour scheme, about and donation windows (mainwindow_appearance.cpp).
    void skin_aktuell();
    void mnufarbe_Click();
    void mnuueber_Click();
    void mnudonate_Click();

    void status_aktuell();
    void unvollstaendig();

    // Reads the page list of the templates folder again.
    void dir_einlesen();
    // The folder browser: the chosen folder, or "" when cancelled.
    QString BrowseForFolder(const QString &prompt);

    // Folders, page projects and the export.
    void mnuvorlagen_Click();
    void mnuhtml_Click();
    void cmdsloeschen_Click();
    void Command1_Click();
    void mnuexporttext_Click();
    void cmdhtml_Click();

    // Finding text in the records: the find bar at the bottom (mainwindow_find.cpp).
    void mnusuchen_Click();
    void txtsuchen_Change();
    void cmdsuchweiter_Click();
    void cmdsuchzurueck_Click();
    void cmdsuchende_Click();

    // Records from and to CSV and Markdown files (mainwindow_exchange.cpp).
    void mnuimportcsv_Click();
    void mnuimportmd_Click();
    void mnuexportcsv_Click();
    void mnuexportmd_Click();

    TrayControl &tray() { return *m_tray; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    enum class WindowState { NoDatabase, DatabaseOpen, NewDatabase, EmptyDatabase };

    // Runs a handler of this window through the error reporter's guard.
    bool guard(const char *procedure, const std::function<void()> &body);
    Language language() const;

    void buildControls();
    void buildMenus();
    QAction *addAction(QMenu *menu, const char *name, void (MainWindow::*handler)());

    // Window <-> record.
    FaqRecord fieldsRecord() const;
    void showRecord(const FaqRecord &record);
    void commit();
    void showSlot(int index);
    // Commits the window and shows slot index, unless the fields are
    // incomplete for the move; then tells the user and stays.
    bool moveTo(int index, bool answerNeeded);
    bool questionFilled() const;
    bool answerFilled() const;
    void completeLink();
    void markChanged();
    void refuseFullDatabase();
    // The records as a save now would write them, the shown one included.
    QList<FaqRecord> recordsWithShown() const;

    void setWindowState(WindowState state);
    void setRecordButtonsVisible(bool visible);
    void setFieldsEditable(bool editable);
    void setExportAllowed(bool allowed);
    void setPageListEnabled(bool enabled);
    // The folder labels and the page list follow the shared page selection.
    void connectPageSelection();
    // Start-up: checks the output and templates folders, fills the page list.
    void checkFolders();
    void openLayoutEditor();
    void setRecentEntriesEnabled(bool enabled);
    void updateTitle();
    void setNextCaptionNew();
    // "neu" on the last record, where the next step adds one; ">" elsewhere.
    void setNextCaptionForPosition();
    void applyCaptions(Language language);

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

    // Window options.
    void setAlwaysOnTop(bool on);
    // centre: centred on the screen, otherwise at the position read at start.
    void choosePosition(const char *procedure, bool centre);
    // The font dialog, prepared from source, applied to the fields.
    void chooseFieldFont(QPlainTextEdit *source, std::initializer_list<QPlainTextEdit *> fields);
    // Shows what show() shows with the main window out of the topmost band.
    void outOfTopmostBand(const std::function<void()> &show);
    // The message for a companion document missing from the program folder.
    void missingDocument();

    // The find bar.
    void buildFindBar();
    void findCaptions(Language language);
    // All hits again, from the records as the window shows them.
    void recomputeHits();
    // The hits of the shown record again, after typing in its fields.
    void refreshShownHits();
    // Shows the hit after (or before) the current place; typing: the search
    // text changed, so a hit at the current place itself counts.
    void stepHit(bool forward, bool typing);
    void selectHit(const SearchHit &hit);
    void showHitCount();

    // CSV and Markdown.
    void buildExchangeMenu();
    void exchangeCaptions(Language language);
    // The records as they go out or as imported ones are appended to.
    QList<FaqRecord> recordsToExchange() const;
    void importRecords(bool csv);
    void exportRecords(bool csv);

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
    CommonDialog m_stddialog;
    TrayControl *m_tray;
    ResizeEngine *m_resize;

    // Form-level state.
    QStringList m_recentFiles;
    bool m_openFromHistory = false;
    QString m_historyPath;
    bool m_showingRecord = false;
    bool m_unloading = false;

    // Controls, named as the handlers refer to them.
    StoredTextEdit *txtfrage;
    StoredTextEdit *txtantwort;
    QLineEdit *txtzusatz1;
    QLineEdit *txtzusatz2;
    QCheckBox *chkfragez2;
    QLabel *lbldatum0;
    QLabel *lblxvony;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8;
    QLabel *lbl1;
    QLabel *lblpfad;
    PathLabel *lbltest;
    QLabel *lblhtmlpfad;
    PathLabel *lblhtml;
    QComboBox *cseite;
    Button3D *cmdanfang, *cmdzurueck, *cmdvor, *cmdende, *cmdinsert, *cmdloeschen;
    Button3D *cmdaktuell, *cmdsloeschen, *cmdhtml, *Command1;

    QMenu *mnudatei, *mnueinstell, *mnufenster, *mnuinfo, *mnufont, *mnusprache;
    QAction *mnudatneu, *mnudatoeffnen, *mnudatspeichern, *mnudatspeiunter, *mnusort;
    QAction *strich3, *mnuexporttext, *mnustrich, *mnunix, *mnuhistorie, *mmmmm, *mnuende;
    std::array<QAction *, 8> m;
    QAction *mnuklang, *mnufontgesamt, *mnufontfrage, *mnufontantwort, *mnufarbe;
    QAction *mnuvorlagen, *mnuhtml, *mnudeutsch, *mnuenglisch;
    QAction *mnuontop, *mnumin, *mnuzentrieren, *mnuposition, *mnugroesse;
    QAction *mnuhilfe, *mnuhome, *mnuwasneu, *mnuueber, *mnudonate;
    QAction *m_helpSeparator = nullptr; // in the menu bar, before the Help menu

    QAction *strichtausch, *mnuimportcsv, *mnuimportmd, *mnuexportcsv, *mnuexportmd;
    QAction *strichsuchen, *mnusuchen;
    QToolBar *barsuchen;
    QLineEdit *txtsuchen;
    Button3D *cmdsuchzurueck, *cmdsuchweiter, *cmdsuchende;
    QLabel *lbltreffer;
    QList<SearchHit> m_hits;   // in record order
    bool m_hitsStale = true;   // the records changed while the bar was closed
    qsizetype m_hitIndex = -1; // the hit shown, -1 none
    SearchHit m_lastHit;       // where the last hit shown stands; record 0: none
    int m_findBarGrowth = 0;   // what the window grew by to make room for the bar
};

} // namespace askbright
