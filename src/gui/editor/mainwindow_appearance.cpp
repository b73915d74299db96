// The main window's colour scheme and the windows its colour, about and
// donation entries open.

#include "about/abouttext.h"
#include "app/messages.h"
#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "appearance/schemeeditordialog.h"
#include "appearance/schemefile.h"
#include "controls/button3d.h"
#include "controls/pathlabel.h"
#include "editor/mainwindow.h"
#include "state/appstate.h"
#include "windows/aboutwindow.h"
#include "windows/infowindow.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>

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

void MainWindow::skin_aktuell()
{
    const ColorScheme &c = m_state.currentColors;
    paintWithScheme(cmdinsert, SchemeRole::Button, c);
    paintWithScheme({cmdaktuell, cmdanfang, cmdende, cmdhtml, cmdloeschen, cmdsloeschen, cmdvor,
                     cmdzurueck, Command1},
                    SchemeRole::ButtonFace, c);
    paintWithScheme({lblhtmlpfad, lblhtml}, SchemeRole::Text, c);
    paintWithScheme(
        {cmdaktuell, cmdanfang, cmdende, cmdloeschen, cmdsloeschen, cmdvor, cmdzurueck, Command1},
        SchemeRole::ButtonCaption, c);
    // A disabled export button keeps the grey caption that says so.
    if (cmdhtml->isEnabled())
        paintWithScheme(cmdhtml, SchemeRole::ButtonCaption, c);
    paintWithScheme(chkfragez2, SchemeRole::Box, c);
    paintWithScheme({Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, lbl1,
                     lbldatum0, lblpfad, lbltest, lblxvony},
                    SchemeRole::Text, c);
    // The client area is the window's background; the menu bar is not coloured.
    paintWithScheme(centralWidget(), SchemeRole::Window, c);
}

void MainWindow::mnufarbe_Click()
{
    guard("mnufarbe_Click", [this] {
        SchemeEditorDialog editor(m_ctx, this);
        m_ctx.showModal(this, editor);
    });
}

void MainWindow::mnuueber_Click()
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

void MainWindow::mnudonate_Click()
{
    guard("mnudonate_Click", [this] {
        InfoWindow info(m_ctx, this);
        m_ctx.showModal(this, info);
    });
}

} // namespace askbright
