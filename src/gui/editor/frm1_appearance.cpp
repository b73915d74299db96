// The main window's colour scheme and the windows its colour, about and
// donation entries open.

#include "about/abouttext.h"
#include "app/messages.h"
#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "appearance/frmfarb.h"
#include "appearance/schemefile.h"
#include "controls/button3d.h"
#include "controls/pathlabel.h"
#include "editor/frm1.h"
#include "state/appstate.h"
#include "windows/frminfo.h"
#include "windows/frmueber.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>

namespace askbright {

void frm1::startupScheme()
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

void frm1::skin_aktuell()
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

void frm1::mnufarbe_Click()
{
    guard("mnufarbe_Click", [this] {
        frmfarb editor(m_ctx, this);
        m_ctx.showModal(this, editor);
    });
}

void frm1::mnuueber_Click()
{
    guard("mnuueber_Click", [this] {
        if (!QFileInfo(m_state.programFolder() + aboutTextName).isFile()) {
            missingDocument();
            return;
        }
        frmueber about(m_ctx, this);
        m_ctx.showModal(this, about);
    });
}

void frm1::mnudonate_Click()
{
    guard("mnudonate_Click", [this] {
        frminfo info(m_ctx, this);
        m_ctx.showModal(this, info);
    });
}

} // namespace askbright
