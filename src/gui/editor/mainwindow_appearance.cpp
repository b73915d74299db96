// The main window's colour scheme and the windows its colour, about and
// donation entries open.

#include "about/abouttext.h"
#include "app/messages.h"
#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "appearance/schemeeditordialog.h"
#include "appearance/schemefile.h"
#include "editor/findbar.h"
#include "editor/mainwindow.h"
#include "editor/pagepanel.h"
#include "editor/recordeditor.h"
#include "state/appstate.h"
#include "windows/aboutwindow.h"
#include "windows/infowindow.h"

#include <QFileInfo>

namespace askbright {

void MainWindow::startupScheme()
{
    AppSettings &s = m_state.settings;
    s.schemeFilePath = startupSchemePath(s.schemeFilePath, m_state.programFolder());
    if (!isUsableScheme(s.schemeFilePath))
        return;
    // A scheme that cannot be read whole is not applied: the reporter tells
    // why and the window keeps its colours.
    if (m_ctx.guarded("Module1", "skin_einlesen", [&] {
            skin_einlesen(s.schemeFilePath, m_state.currentColors, m_state.savedColors);
        }))
        m_state.applyScheme();
}

void MainWindow::applyScheme()
{
    const ColorScheme &c = m_state.currentColors;
    m_recordEditor->paint(c);
    m_pagePanel->paint(c);
    m_findBar->paint(c);
    // The client area is the window's background; the menu bar is not coloured.
    paintWithScheme(centralWidget(), SchemeRole::Window, c);
}

void MainWindow::onColourSchemeTriggered()
{
    guard("mnufarbe_Click", [this] {
        SchemeEditorDialog editor(m_ctx, this);
        m_ctx.showModal(this, editor);
    });
}

void MainWindow::onAboutTriggered()
{
    guard("mnuueber_Click", [this] {
        if (!QFileInfo(m_state.programFolder() + aboutTextName).isFile()) {
            missingDocument();
            return;
        }
        AboutWindow about(m_ctx, this);
        m_ctx.showModal(this, about);
    });
}

void MainWindow::onDonateTriggered()
{
    guard("mnudonate_Click", [this] {
        InfoWindow info(m_ctx, this);
        m_ctx.showModal(this, info);
    });
}

} // namespace askbright
