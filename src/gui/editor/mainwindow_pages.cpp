// The main window's page commands: the layout editor and the export.

#include "app/apperror.h"
#include "app/paths.h"
#include "app/windowcontext.h"
#include "editor/mainwindow.h"
#include "editor/pagepanel.h"
#include "html/exportdialog.h"
#include "project/layouteditordialog.h"
#include "state/appstate.h"

#include <QDir>
#include <cerrno>

namespace askbright {

void MainWindow::openLayoutEditor()
{
    LayoutEditorDialog::showFor(m_ctx, this);
}

// ---------------------------------------------------------------- export

void MainWindow::onExportPageTriggered()
{
    guard("mnuexporttext_Click", [this] {
        // A page is only published from records that are safely saved: when
        // the save is cancelled or fails, nothing is exported.
        if (m_state.database.hasUnsavedChanges() && !onSaveDatabaseTriggered())
            return;
        if (m_state.pages.page().isEmpty()) {
            m_ctx.inform(
                m_ctx.pick(u"Keine Vorlagenseite gewählt!", u"You must first choose a page"),
                m_ctx.pick(u"Abbruch", u"Cancel"), MessageIcon::Critical);
            return;
        }
        PageSelection &pages = m_state.pages;
        pages.setOutputFolder(pages.outputFolder().isEmpty()
                                  ? withTrailingSeparator(m_pagePanel->browseForFolder())
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

} // namespace askbright
