// The main window's file menu: New, Open, Save, Save as and the recent files.

#include "app/apperror.h"
#include "app/paths.h"
#include "app/textcodec.h"
#include "app/windowcontext.h"
#include "database/faqfile.h"
#include "editor/mainwindow.h"
#include "editor/recordeditor.h"
#include "settings/recentfiles.h"
#include "state/appstate.h"

#include <QAction>
#include <QFileInfo>

namespace askbright {

namespace {

const QString faqFilter = QStringLiteral("FAQ_Datei (*.faq)|*.faq");

QString fileTitleSuffix(const QString &path)
{
    return QStringLiteral("   Datei: ") + fileNameOf(path);
}

} // namespace

void MainWindow::onFileMenuAboutToShow()
{
    guard("mnudatei_Click", [this] {
        m_saveAction->setEnabled(!m_state.database.filePath().isEmpty());
        m_ctx.play("menu");
    });
}

bool MainWindow::commitBeforeSave()
{
    FaqDatabase &db = m_state.database;
    if (db.recordCount() >= 1 && !m_recordEditor->questionFilled() &&
        !m_recordEditor->answerFilled()) {
        m_ctx.inform(m_ctx.pick(u"Bitte diesen Datensatz noch ausfüllen oder\rden Lösch-Button "
                                u"drücken",
                                u"Please put data in this data record or\rpush then DELETE-Button"),
                     QStringLiteral("Leere Datensatze nicht speichern"), MessageIcon::Information);
        return false;
    }
    // The record in the window is saved as shown, wherever it stands.
    if (db.recordCount() >= 1)
        m_recordEditor->commit();
    return true;
}

bool MainWindow::writeDatabase(const QString &previousPath)
{
    FaqDatabase &db = m_state.database;
    return m_ctx.guarded([&] { faq_speichern(db.filePath(), db.records()); },
                         [&](const AppError &e) {
                             m_ctx.inform(e.number() == AppError::FileNotFound
                                              ? QStringLiteral("Nisch vorhanden!")
                                              : QStringLiteral("Abspeichern wurde abgebrochen..."));
                             db.setFilePath(previousPath);
                         });
}

void MainWindow::afterSave()
{
    FaqDatabase &db = m_state.database;
    db.markSaved();
    db.setFaqFolder(folderOf(db.filePath()));
    for (QAction *a : {m_saveAction, m_saveAsAction, m_newAction, m_openAction})
        a->setEnabled(true);
    m_state.setTitleSuffix(fileTitleSuffix(db.filePath()));
    setExportAllowed(true);
    setRecentEntriesEnabled(true);
    refreshRecentFiles();
}

bool MainWindow::onSaveDatabaseTriggered()
{
    bool saved = false;
    guard("mnudatspeichern_Click", [&] {
        FaqDatabase &db = m_state.database;
        m_ctx.play("menu");
        if (!commitBeforeSave())
            return;
        const QString previous = db.filePath();
        if (trimBlanks(previous).isEmpty()) {
            // Title and folder stay as the dialog last had them.
            prepareFaqDialog(DialogFlags::Save);
            if (!m_faqDialog.showSave()) {
                db.markChanged();
                return;
            }
            db.setFilePath(m_faqDialog.fileName);
        }
        if (!writeDatabase(previous)) {
            db.markChanged();
            return;
        }
        afterSave();
        m_reorderAction->setEnabled(true);
        saved = true;
    });
    return saved;
}

bool MainWindow::onSaveDatabaseAsTriggered()
{
    bool saved = false;
    m_ctx.guarded(
        [&] {
            FaqDatabase &db = m_state.database;
            m_ctx.play("menu");
            if (!commitBeforeSave())
                return;
            prepareFaqDialog(DialogFlags::Save);
            m_faqDialog.initDir = db.faqFolder();
            m_faqDialog.dialogTitle = QStringLiteral("FAQ- Datei unter neuem Namen speichern");
            m_faqDialog.fileName.clear();
            if (!m_faqDialog.showSave())
                return;
            const QString previous = db.filePath();
            db.setFilePath(m_faqDialog.fileName);
            if (writeDatabase(previous)) {
                afterSave();
                saved = true;
            }
        },
        [this](const AppError &) {
            m_ctx.inform(QStringLiteral("Fehler beim Abspeichern! Evtl. abgebrochen..."));
        });
    return saved;
}

void MainWindow::onOpenDatabaseTriggered()
{
    guard("mnudatoeffnen_Click", [this] {
        const bool fromHistory = m_openFromHistory;
        m_openFromHistory = false;
        bool saved = false;
        if (!offerSaveFirst(u"Lose of data!", saved))
            return;
        if (saved)
            m_ctx.inform(m_ctx.pick(u"Datenbank gespeichert!", u"Database was saved!"),
                         m_ctx.pick(u"Bestätigung", u"Confirmation"), MessageIcon::Information);
        QString path = m_historyPath;
        if (!fromHistory) {
            prepareFaqDialog(DialogFlags::Open);
            m_faqDialog.initDir = m_state.database.faqFolder();
            m_faqDialog.dialogTitle = QStringLiteral("FAQ - Datei öffnen");
            m_faqDialog.fileName.clear();
            if (!m_faqDialog.showOpen())
                return; // the database shown stays as it is
            path = m_faqDialog.fileName;
        }
        openFile(path);
    });
}

void MainWindow::openFromCommandLine(const QString &path)
{
    guard("openFromCommandLine", [&] { openFile(QFileInfo(path).absoluteFilePath()); });
}

void MainWindow::openFile(const QString &path)
{
    FaqDatabase &db = m_state.database;
    QList<FaqRecord> records;
    if (!m_ctx.guarded(
            [&] { records = faq_einlesen(path); },
            [this](const AppError &e) { m_ctx.inform(e.numberAndDescription(m_ctx.language())); }))
        return;
    m_ctx.play("open_fem");
    db.replaceRecords(records);
    db.setFilePath(path);
    db.setFaqFolder(folderOf(path));
    db.markSaved();
    m_state.setTitleSuffix(fileTitleSuffix(path));
    m_recordEditor->showRecord(db.editBuffer());
    writeSettings();
    setWindowState(records.isEmpty() ? WindowState::EmptyDatabase : WindowState::DatabaseOpen);
    for (QAction *a : {m_saveAction, m_saveAsAction, m_openAction, m_newAction, m_reorderAction})
        a->setEnabled(true);
    // An export button that is enabled must not look disabled.
    setExportAllowed(true);
    m_recordEditor->setNextCaptionStep();
    m_recordEditor->refreshPosition();
    setRecentEntriesEnabled(false);
    refreshRecentFiles();
}

void MainWindow::prepareFaqDialog(int flags)
{
    m_faqDialog.flags = flags;
    m_faqDialog.filter = faqFilter;
    m_faqDialog.filterIndex = 1;
}

bool MainWindow::offerSaveFirst(const char16_t *englishTitle, bool &saved)
{
    saved = false;
    if (!m_state.database.hasUnsavedChanges())
        return true;
    if (m_ctx.ask(m_ctx.pick(u"Datensatz erst speichern?", u"Data record save first?"),
                  m_ctx.pick(u"Datenverlust droht!", englishTitle), MessageButtons::YesNo,
                  MessageIcon::Question) != AnswerYes)
        return true;
    // Replacing a database that could not be saved would lose it.
    saved = onSaveDatabaseTriggered();
    return saved;
}

void MainWindow::onNewDatabaseTriggered()
{
    guard("mnudatneu_Click", [this] {
        FaqDatabase &db = m_state.database;
        m_ctx.play("menu");
        bool saved = false;
        if (!offerSaveFirst(u"Loss of data!", saved))
            return;
        setWindowState(WindowState::NewDatabase);
        m_state.setTitleSuffix(m_ctx.pick(u"   Neuanlage", u"   New File"));
        db.newDatabase(m_state.today());
        m_recordEditor->refreshPosition();
        // The check box keeps its state: the record reaches the database
        // when it is committed.
        m_recordEditor->clearForNewDatabase();
        m_ctx.play("menu");
        refreshRecentFiles();
    });
}

// ---------------------------------------------------------------- recent files

void MainWindow::refreshRecentFiles()
{
    guard("historie", [this] {
        m_recentFiles = updateRecentFiles(m_state.recentFilesPath(), m_state.database.filePath());
        const bool any = !m_recentFiles.isEmpty();
        for (QAction *a :
             {m_recentSeparator, m_exitSeparator, m_clearRecentAction, m_clearRecentSeparator})
            a->setVisible(any);
        for (int i = 0; i < 8; ++i) {
            QAction *entry = m_recentActions[size_t(i)];
            if (i < m_recentFiles.size()) {
                QString text = shortenedPath(m_recentFiles.at(i), 35);
                entry->setText(text.replace(u'&', QLatin1String("&&")));
                entry->setVisible(true);
            } else {
                entry->setText(QString());
                entry->setVisible(false);
            }
        }
    });
}

void MainWindow::onRecentFileTriggered(int index)
{
    guard("m_Click", [this, index] {
        const QString path = m_recentFiles.value(index - 1);
        if (path.isEmpty())
            return;
        if (!QFileInfo(localPath(path)).isFile()) {
            outOfTopmostBand([this] {
                m_ctx.inform(m_ctx.pick(u"Datei wurde verschoben oder gelöscht",
                                        u"File not found in this folder"),
                             m_ctx.pick(u"Datei nicht gefunden", u"file not found!"),
                             MessageIcon::Information);
            });
            return;
        }
        m_faqDialog.fileName = path;
        m_openFromHistory = true;
        m_historyPath = path;
        onOpenDatabaseTriggered();
    });
}

void MainWindow::onClearRecentFilesTriggered()
{
    guard("mnuhistorie_Click", [this] {
        clearRecentFiles(m_state.recentFilesPath());
        m_recentFiles.clear();
        for (QAction *entry : m_recentActions)
            entry->setVisible(false);
        for (QAction *a : {m_exitSeparator, m_clearRecentAction, m_clearRecentSeparator})
            a->setVisible(false);
    });
}

} // namespace askbright
