// The main window's page projects: the templates folder and the page list.

#include "app/windowcontext.h"
#include "editor/frm1.h"
#include "html/templatefolders.h"
#include "state/appstate.h"

#include <QComboBox>
#include <QLabel>

namespace askbright {

QString frm1::templatesFolderShown() const
{
    return lbltest->text();
}

void frm1::showTemplatesFolder(const QString &folder)
{
    m_state.settings.TemplatesFolder = folder;
    lbltest->setText(folder);
}

QString frm1::selectedPage() const
{
    return cseite->currentText();
}

void frm1::setSelectedPage(const QString &name)
{
    cseite->setEditText(name);
    m_state.settings.lastTemplatePage = name;
}

void frm1::dir_einlesen(const QString &folder)
{
    guard("dir_einlesen", [&] {
        cseite->clear();
        const QStringList names = pageProjectNames(folder);
        cseite->addItems(names);
        if (!names.isEmpty())
            cseite->setEditText(names.first());
    });
}

} // namespace askbright
