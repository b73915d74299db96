#include "editor/pagepanel.h"

#include "app/apperror.h"
#include "app/interfacetexts.h"
#include "app/paths.h"
#include "app/placement.h"
#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "controls/colorvalue.h"
#include "controls/dialogservice.h"
#include "controls/pathlabel.h"
#include "html/templatefolders.h"
#include "state/appstate.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSignalBlocker>
#include <cerrno>

namespace askbright {

PagePanel::PagePanel(WindowContext &context, QWidget *client)
    : QObject(client), m_ctx(context), m_state(context.state)
{
    auto label = [client](const char *name, int x, int y, int w, int h) {
        return place(new QLabel(client), name, x, y, w, h);
    };
    auto button = [client](const char *name, const QString &caption, int x, int y, int w, int h) {
        return place(new Button3D(caption, client), name, x, y, w, h);
    };
    m_templatesCaption = label("lblpfad", 8, 362, 200, 16);
    m_templatesFolderLabel = place(new PathLabel(client), "lbltest", 208, 362, 400, 16);
    m_outputCaption = label("lblhtmlpfad", 8, 380, 200, 16);
    m_outputFolderLabel = place(new PathLabel(client), "lblhtml", 208, 380, 400, 16);
    m_pageCaption = label("Label6", 8, 404, 92, 20);
    m_pageList = place(new QComboBox(client), "cseite", 100, 402, 208, 24);
    m_pageList->setEditable(true);
    m_pageHint = label("Label7", 100, 428, 208, 16);
    m_layoutEditorButton = button("Command1", {}, 316, 402, 190, 24);
    m_deletePageButton = button("cmdsloeschen", {}, 316, 430, 190, 24);
    m_exportButton = button("cmdhtml", QStringLiteral("HTML"), 512, 402, 96, 52);

    // Usable once a templates folder is set.
    setListEnabled(false);

    PageSelection &pages = m_state.pages;
    connect(&pages, &PageSelection::templatesFolderChanged, m_templatesFolderLabel,
            &PathLabel::setPath);
    connect(&pages, &PageSelection::outputFolderChanged, m_outputFolderLabel, &PathLabel::setPath);
    connect(&pages, &PageSelection::pagesChanged, m_pageList, [this](const QStringList &names) {
        const QSignalBlocker quiet(m_pageList);
        m_pageList->clear();
        m_pageList->addItems(names);
        m_pageList->setEditText(m_state.pages.page());
    });
    connect(&pages, &PageSelection::pageChanged, m_pageList, [this](const QString &name) {
        if (m_pageList->currentText() != name)
            m_pageList->setEditText(name);
    });
    connect(m_pageList, &QComboBox::currentTextChanged, &pages, &PageSelection::setPage);

    connect(m_layoutEditorButton, &QPushButton::clicked, this, &PagePanel::onLayoutEditorClicked);
    connect(m_deletePageButton, &QPushButton::clicked, this, &PagePanel::onDeletePageClicked);
    connect(m_exportButton, &QPushButton::clicked, this, &PagePanel::exportRequested);
}

bool PagePanel::guard(const char *procedure, const std::function<void()> &body)
{
    return m_ctx.guarded("frm1", procedure, body);
}

void PagePanel::rescanPages()
{
    guard("dir_einlesen", [&] { m_state.pages.rescan(); });
}

void PagePanel::setListEnabled(bool enabled)
{
    m_pageList->setEnabled(enabled);
    m_deletePageButton->setEnabled(enabled);
}

void PagePanel::setExportAllowed(bool allowed)
{
    m_exportButton->setEnabled(allowed);
    // Enabled: the scheme's button text colour (the platform's without a scheme).
    const ColorScheme &scheme = m_state.currentColors;
    const qint32 enabled = scheme.isUnset()
                               ? bgrFromColor(QApplication::palette().color(QPalette::ButtonText))
                               : scheme[ColorScheme::buttonFontColor];
    m_exportButton->setCaptionColor(allowed ? enabled : lightGrey);
}

QString PagePanel::browseForFolder()
{
    QString folder;
    guard("BrowseForFolder", [&] {
        folder = m_ctx.dialogs.browseForFolder(m_pageList->window(),
                                               QStringLiteral("Bitte wählen Sie ein Verzeichnis"));
    });
    return folder;
}

void PagePanel::retranslate(Language lang)
{
    const std::pair<QLabel *, int> labels[] = {
        {m_pageCaption, 1280},
        {m_pageHint, 1320},
        {m_templatesCaption, 1130},
        {m_outputCaption, 1840},
    };
    for (const auto &[label, id] : labels)
        label->setText(caption(id, lang));
    m_layoutEditorButton->setCaption(caption(1300, lang));
    m_deletePageButton->setCaption(caption(1310, lang));
}

void PagePanel::paint(const ColorScheme &c)
{
    paintWithScheme({m_exportButton, m_deletePageButton, m_layoutEditorButton},
                    SchemeRole::ButtonFace, c);
    paintWithScheme({m_outputCaption, m_outputFolderLabel}, SchemeRole::Text, c);
    paintWithScheme({m_deletePageButton, m_layoutEditorButton}, SchemeRole::ButtonCaption, c);
    // A disabled export button keeps the grey caption that says so.
    if (m_exportButton->isEnabled())
        paintWithScheme(m_exportButton, SchemeRole::ButtonCaption, c);
    paintWithScheme({m_pageCaption, m_pageHint, m_templatesCaption, m_templatesFolderLabel},
                    SchemeRole::Text, c);
}

// ---------------------------------------------------------------- start-up

void PagePanel::checkFolders()
{
    AppSettings &settings = m_state.settings;
    if (!settings.HtmlOutputFolder.isEmpty()) {
        // The page's path is this folder followed by its file name.
        m_state.pages.setOutputFolder(settings.HtmlOutputFolder);
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
        setListEnabled(false);
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
    setListEnabled(true);

    // The remembered page stays selected while it is still there; the file
    // system decides the spelling.
    const QString remembered = settings.lastTemplatePage;
    rescanPages();
    m_state.pages.chooseListed(remembered);
}

// ---------------------------------------------------------------- folders

void PagePanel::onChooseTemplatesFolderTriggered()
{
    guard("mnuvorlagen_Click", [this] {
        m_ctx.play("menu");
        if (!m_state.pages.templatesFolder().isEmpty() &&
            m_ctx.ask(m_ctx.pick(u"Ordner bereits festgelegt! Neuen Speicherort festlegen?",
                                 u"A Folder is already selected! You want choose another Folder?"),
                      m_ctx.pick(u"Sicherheitsabfrage", u"Validation your choice"),
                      MessageButtons::YesNo, MessageIcon::Question, 2) == AnswerNo)
            return;
        const QString folder = browseForFolder();
        if (folder.isEmpty())
            return;
        setListEnabled(true);
        m_state.pages.setTemplatesFolder(folder);
        rescanPages();
    });
}

void PagePanel::onChooseOutputFolderTriggered()
{
    guard("mnuhtml_Click", [this] {
        const QString folder = browseForFolder();
        if (!folder.isEmpty())
            m_state.pages.setOutputFolder(folder);
    });
}

// ---------------------------------------------------------------- page projects

void PagePanel::onDeletePageClicked()
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
        rescanPages();
    });
}

void PagePanel::onLayoutEditorClicked()
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
        emit layoutEditorRequested();
    });
}

} // namespace askbright
