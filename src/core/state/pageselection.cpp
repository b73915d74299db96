#include "state/pageselection.h"

#include "app/paths.h"
#include "html/templatefolders.h"
#include "settings/appsettings.h"

namespace askbright {

PageSelection::PageSelection(AppSettings &settings) : m_settings(settings) {}

QString PageSelection::templatesFolder() const
{
    return m_settings.TemplatesFolder;
}

QString PageSelection::outputFolder() const
{
    return m_settings.HtmlOutputFolder;
}

void PageSelection::setTemplatesFolder(const QString &folder)
{
    m_settings.TemplatesFolder = withTrailingSeparator(folder);
    emit templatesFolderChanged(m_settings.TemplatesFolder);
}

void PageSelection::rescan()
{
    // A folder that cannot be read leaves an empty list.
    m_pages.clear();
    emit pagesChanged(m_pages);
    setPage(QString());
    m_pages = pageProjectNames(templatesFolder());
    emit pagesChanged(m_pages);
    if (!m_pages.isEmpty())
        setPage(m_pages.first());
}

void PageSelection::setPage(const QString &name)
{
    if (name == m_page)
        return;
    m_page = name;
    emit pageChanged(name);
}

bool PageSelection::chooseListed(const QString &name)
{
    for (const QString &listed : std::as_const(m_pages)) {
        if (!name.isEmpty() && listed.compare(name, Qt::CaseInsensitive) == 0) {
            setPage(listed);
            return true;
        }
    }
    return false;
}

void PageSelection::setOutputFolder(const QString &folder)
{
    m_settings.HtmlOutputFolder = withTrailingSeparator(folder);
    emit outputFolderChanged(m_settings.HtmlOutputFolder);
}

} // namespace askbright
