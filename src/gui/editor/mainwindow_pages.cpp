// The main window's page projects and export: the templates and output
// folders, the page list, deleting a page project, the layout editor and the
// export command.

#include "app/apperror.h"
#include "app/paths.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "controls/pathlabel.h"
#include "editor/mainwindow.h"
#include "html/exportdialog.h"
#include "html/templatefolders.h"
#include "project/layouteditordialog.h"
#include "state/appstate.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalBlocker>
#include <cerrno>

namespace askbright {

namespace {

const QString folderPrompt = QStringLiteral("Bitte wählen Sie ein Verzeichnis");

} // namespace

void MainWindow::connectPageSelection()
{
    PageSelection &pages = m_state.pages;
    connect(&pages, &PageSelection::templatesFolderChanged, lbltest, &PathLabel::setPath);
    connect(&pages, &PageSelection::outputFolderChanged, lblhtml, &PathLabel::setPath);
    connect(&pages, &PageSelection::pagesChanged, cseite, [this](const QStringList &names) {
        const QSignalBlocker quiet(cseite);
        cseite->clear();
        cseite->addItems(names);
        cseite->setEditText(m_state.pages.page());
    });
    connect(&pages, &PageSelection::pageChanged, cseite, [this](const QString &name) {
        if (cseite->currentText() != name)
            cseite->setEditText(name);
    });
    connect(cseite, &QComboBox::currentTextChanged, &pages, &PageSelection::setPage);
}

void MainWindow::dir_einlesen()
{
    guard("dir_einlesen", [&] { m_state.pages.rescan(); });
}

void MainWindow::setPageListEnabled(bool enabled)
{
    cseite->setEnabled(enabled);
    cmdsloeschen->setEnabled(enabled);
}

QString MainWindow::BrowseForFolder(const QString &prompt)
{
    QString folder;
    guard("BrowseForFolder", [&] { folder = m_ctx.dialogs.browseForFolder(this, prompt); });
    return folder;
}

// ---------------------------------------------------------------- start-up

void MainWindow::checkFolders()
{
    AppSettings &settings = m_state.settings;
    if (!settings.HtmlOutputFolder.isEmpty()) {
        // The page's path is this folder followed by its file name.
        m_state.pages.setOutputFolder(withTrailingSeparator(settings.HtmlOutputFolder));
        QString folder = settings.HtmlOutputFolder;
        dir_check(folder);
        // The first start's output folder is made when first used.
        if (folder == missingPathMarker &&
            settings.HtmlOutputFolder != m_state.defaultOutputFolder()) {
            m_ctx.inform(m_ctx.pick(u"Der HTML-Exportpfad ist ungültig\rBitte neu zuordnen!",
                                    u"Invalid HTML-Export path!\rPlease select new path!"),
                         m_ctx.pick(u"Ungültige Pfadangabe", u"Invalid Path"),
                         MessageIcon::Critical);
            m_state.pages.setOutputFolder(QString());
        }
    }

    if (settings.TemplatesFolder.isEmpty()) {
        setPageListEnabled(false);
        m_ctx.inform(m_ctx.pick(u"Bitte geben Sie unter Einstellungen zuerst den Pfad an,\rin dem "
                                u"die Seitenvorlagen gespeichert werden sollen!",
                                u"Please select a Folder to save the templates (under OPTIONS)"),
                     m_ctx.pick(u"Hinweis", u"Notice"), MessageIcon::Information);
    } else {
        settings.TemplatesFolder = withTrailingSeparator(settings.TemplatesFolder);
        QString folder = settings.TemplatesFolder;
        dir_check(folder);
        if (folder == missingPathMarker) {
            settings.TemplatesFolder.clear();
            m_ctx.inform(
                m_ctx.pick(u"Der Pfad für die Seitenvorlagen ist ungültig\rBitte neu zuordnen!",
                           u"Invalid page template path!\rPlease select new path!"),
                m_ctx.pick(u"Ungültige Pfadangabe", u"Invalid Path"), MessageIcon::Critical);
        }
    }

    if (settings.TemplatesFolder.isEmpty())
        return;
    if (pageProjectNames(settings.TemplatesFolder).isEmpty()) {
        m_ctx.ask(m_ctx.pick(u"Im festgelegtem Ordner für die Seitenvorlagen\rbefinden sich zur "
                             u"Zeit keine Vorlagen.\rSie können einen Ordner mit Vorlagen "
                             u"suchen\r(unter Menüpunkt 'Einstellungen/Speicherort "
                             u"Seitenvorlagen')\roder unter dem selben Menüpunkt einen neuen "
                             u"Ordner festlegen.",
                             u"In the Template Folder you don't have pages.\rYou can search a "
                             u"directory with templates, or you can\rselect some Folder for your "
                             u"pattern pages. Where?\rUnder 'Options/Templates Folder"),
                  m_ctx.pick(u"Keine Vorlagen im Vorlagenordner!",
                             u"No Templates found in this directory!"),
                  MessageButtons::Ok, MessageIcon::Question, 2);
        // The setting is forgotten with the folder.
        m_state.pages.setTemplatesFolder(QString());
        return;
    }
    m_state.pages.setTemplatesFolder(settings.TemplatesFolder);
    setPageListEnabled(true);

    // The remembered page stays selected while it is still there; the file
    // system decides the spelling.
    const QString remembered = settings.lastTemplatePage;
    dir_einlesen();
    m_state.pages.chooseListed(remembered);
}

// ---------------------------------------------------------------- folders

void MainWindow::mnuvorlagen_Click()
{
    guard("mnuvorlagen_Click", [this] {
        m_ctx.play("menu");
        if (!m_state.pages.templatesFolder().isEmpty() &&
            m_ctx.ask(m_ctx.pick(u"Ordner bereits festgelegt! Neuen Speicherort festlegen?",
                                 u"A Folder is already selected! You want choose another Folder?"),
                      m_ctx.pick(u"Sicherheitsabfrage", u"Validation your choice"),
                      MessageButtons::YesNo, MessageIcon::Question, 2) == AnswerNo)
            return;
        const QString folder = BrowseForFolder(folderPrompt);
        if (folder.isEmpty())
            return;
        setPageListEnabled(true);
        m_state.pages.setTemplatesFolder(withTrailingSeparator(folder));
        dir_einlesen();
    });
}

void MainWindow::mnuhtml_Click()
{
    guard("mnuhtml_Click", [this] {
        const QString folder = BrowseForFolder(folderPrompt);
        if (!folder.isEmpty())
            m_state.pages.setOutputFolder(withTrailingSeparator(folder));
    });
}

// ---------------------------------------------------------------- page projects

void MainWindow::cmdsloeschen_Click()
{
    guard("cmdsloeschen_Click", [this] {
        const QString page = m_state.pages.page();
        // Only a listed page project is deleted, never a name typed into the
        // list's text (a folder, another kind of file).
        if (page.isEmpty() || !m_state.pages.isListed(page)) {
            m_ctx.inform(m_ctx.pick(u"Bitte zuerst eine Seitenvorlage aus der Liste auswählen.",
                                    u"Please choose a page template from the list first."),
                         {}, MessageIcon::Information);
            return;
        }
        const QString path = m_state.pages.projectPath();
        if (m_ctx.ask(path + m_ctx.pick(u" wirklich von der\rFestplatte löschen?",
                                        u" really remove\rfrom the hard drive?"),
                      m_ctx.pick(u"Löschen bestätigen!", u"Confirm delete!"),
                      MessageButtons::OkCancel, MessageIcon::Critical, 2) != AnswerOk)
            return;
        m_ctx.play("loeschen");
        QFile file(localPath(path));
        if (!file.remove())
            throw AppError::fromFile(file, errno);
        dir_einlesen();
    });
}

void MainWindow::Command1_Click()
{
    guard("Command1_Click", [this] {
        if (m_state.pages.templatesFolder().isEmpty()) {
            m_ctx.inform(
                m_ctx.pick(u"Erst einen Speicherort für die Seitenvorlagen auswählen (unter "
                           u"Einstellungen)",
                           u"Please select a Folder to save the templates (under OPTIONS)"));
            return;
        }
        m_ctx.play("generieren");
        openLayoutEditor();
    });
}

void MainWindow::openLayoutEditor()
{
    LayoutEditorDialog::showFor(m_ctx, this);
}

// ---------------------------------------------------------------- export

void MainWindow::mnuexporttext_Click()
{
    guard("mnuexporttext_Click", [this] {
        // A page is only published from records that are safely saved: when
        // the save is cancelled or fails, nothing is exported.
        if (m_state.database.hasUnsavedChanges() && !mnudatspeichern_Click())
            return;
        if (m_state.pages.page().isEmpty()) {
            m_ctx.inform(
                m_ctx.pick(u"Keine Vorlagenseite gewählt!", u"You must first choose a page"),
                m_ctx.pick(u"Abbruch", u"Cancel"), MessageIcon::Critical);
            return;
        }
        PageSelection &pages = m_state.pages;
        pages.setOutputFolder(pages.outputFolder().isEmpty()
                                  ? withTrailingSeparator(BrowseForFolder(folderPrompt))
                                  : pages.outputFolder());
        m_ctx.play("generieren");
        const QString output = pages.outputFolder();
        if (output.isEmpty())
            return;
        if (output == m_state.defaultOutputFolder() && !QDir().mkpath(localPath(output)))
            throw AppError::fromErrno(errno, output);
        ExportDialog dialog(m_ctx, this);
        m_ctx.showModal(this, dialog);
    });
}

void MainWindow::cmdhtml_Click()
{
    mnuexporttext_Click();
}

} // namespace askbright
