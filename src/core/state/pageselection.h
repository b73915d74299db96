#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace askbright {

struct AppSettings;

// The page the main window offers for layout and export: the templates
// folder with its page projects, the page chosen (or typed) in the list and
// the HTML output folder. The folders live in the settings, which keep them
// between runs; the windows that show them follow the signals.
class PageSelection : public QObject {
    Q_OBJECT
public:
    explicit PageSelection(AppSettings &settings);

    // Ends with a separator; "" while none is set.
    QString templatesFolder() const;
    // The page project names of the templates folder as last read.
    QStringList pages() const { return m_pages; }
    // The list's text: a listed page or whatever was typed there.
    QString page() const { return m_page; }
    QString projectPath() const { return templatesFolder() + m_page; }
    bool isListed(const QString &name) const { return m_pages.contains(name); }
    // Ends with a separator; "" while none is set.
    QString outputFolder() const;

    void setTemplatesFolder(const QString &folder);
    // Reads the templates folder's page projects again and chooses the first;
    // throws AppError when the folder cannot be read.
    void rescan();
    void setPage(const QString &name);
    // Chooses the listed page of this name in any letter case, spelled as the
    // file system spells it; false when there is none.
    bool chooseListed(const QString &name);
    void setOutputFolder(const QString &folder);

signals:
    void templatesFolderChanged(const QString &folder);
    void pagesChanged(const QStringList &pages);
    void pageChanged(const QString &name);
    void outputFolderChanged(const QString &folder);

private:
    AppSettings &m_settings;
    QStringList m_pages;
    QString m_page;
};

} // namespace askbright
