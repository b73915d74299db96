// The main window's captions, language switch and window options.

#include "app/interfacetexts.h"
#include "app/placement.h"
#include "app/product.h"
#include "app/twips.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "controls/formontop.h"
#include "editor/frm1.h"
#include "state/appstate.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>

namespace askbright {

void frm1::deutsch_frm1()
{
    applyCaptions(Language::German);
}

void frm1::englisch_form1()
{
    applyCaptions(Language::English);
}

void frm1::applyCaptions(Language lang)
{
    const std::pair<QMenu *, int> menus[] = {
        {mnudatei, 1000},   {mnueinstell, 1060}, {mnufont, 1080},
        {mnufenster, 1140}, {mnuinfo, 1180},     {mnusprache, 1660},
    };
    for (const auto &[menu, id] : menus)
        menu->setTitle(caption(id, lang));

    const std::pair<QAction *, int> actions[] = {
        {mnudatneu, 1010},       {mnudatoeffnen, 1020}, {mnudatspeichern, 1030},
        {mnudatspeiunter, 1040}, {mnuende, 1050},       {mnuklang, 1070},
        {mnufontgesamt, 1090},   {mnufontfrage, 1100},  {mnufontantwort, 1110},
        {mnufarbe, 1120},        {mnuvorlagen, 1130},   {mnuzentrieren, 1150},
        {mnuposition, 1160},     {mnugroesse, 1170},    {mnuhilfe, 1190},
        {mnuueber, 1200},        {mnudeutsch, 1670},    {mnuenglisch, 1680},
        {mnuexporttext, 1690},   {mnuontop, 1810},      {mnumin, 1820},
        {mnuhtml, 1830},         {mnuhistorie, 1860},   {mnusort, 3000},
        {mnuwasneu, 4005},       {mnudonate, 4007},
    };
    for (const auto &[action, id] : actions)
        action->setText(caption(id, lang));

    const std::pair<QLabel *, int> labels[] = {
        {Label1, 1210}, {Label2, 1220},  {Label3, 1230},      {Label5, 1240},
        {Label4, 1250}, {Label8, 1255},  {lbl1, 1260},        {Label6, 1280},
        {Label7, 1320}, {lblpfad, 1130}, {lblhtmlpfad, 1840},
    };
    for (const auto &[label, id] : labels)
        label->setText(caption(id, lang));

    chkfragez2->setText(caption(1700, lang));
    const std::pair<Button3D *, int> buttons[] = {
        {cmdaktuell, 1270},   {cmdloeschen, 1290}, {Command1, 1300},
        {cmdsloeschen, 1310}, {cmdinsert, 4003},
    };
    for (const auto &[b, id] : buttons)
        b->setCaption(caption(id, lang));

    cmdinsert->setToolTip(lang.pick(u"fügt einen Datensatz vor dem aktuellen ein",
                                    u"insert a database after the current database"));
    chkfragez2->setToolTip(lang.pick(u"Zusatz erscheint bei Frage, sonst bei Antwort",
                                     u"additionally info write with the question"));
    const QString linkTip = lang.pick(u"'http://' wird automatisch eingesetzt",
                                      u"'http://' can skip over, get operating by itself");
    Label4->setToolTip(linkTip);
    Label8->setToolTip(linkTip);

    if (lang.isEnglish() && cmdvor->caption() == QLatin1String("&neu"))
        cmdvor->setCaption(QStringLiteral("&new"));
    else if (lang.isGerman() && cmdvor->caption() == QLatin1String("&new"))
        cmdvor->setCaption(QStringLiteral("&neu"));
    status_aktuell();
}

void frm1::mnudeutsch_Click()
{
    // Choosing the checked entry switches to the other language too, so
    // either entry always switches; the captions follow the signal.
    guard("mnudeutsch_Click", [this] { m_state.setLanguage(language().other()); });
}

void frm1::mnuenglisch_Click()
{
    guard("mnuenglisch_Click", [this] { m_state.setLanguage(language().other()); });
}

// ---------------------------------------------------------------- window options

void frm1::mnuontop_Click()
{
    guard("mnuontop_Click", [this] {
        AppSettings &s = m_state.settings;
        s.alwaysOnTop = s.alwaysOnTop == 1 ? 0 : 1;
        mnuontop->setChecked(s.alwaysOnTop == 1);
        FormOnTop(this, s.alwaysOnTop == 1);
    });
}

void frm1::mnumin_Click()
{
    guard("mnumin_Click", [this] {
        AppSettings &s = m_state.settings;
        s.minimizeToTray = s.minimizeToTray == 1 ? 0 : 1;
        mnumin->setChecked(s.minimizeToTray == 1);
    });
}

void frm1::mnuklang_Click()
{
    guard("mnuklang_Click", [this] {
        AppSettings &s = m_state.settings;
        s.soundsOn = s.soundsOn == 1 ? 0 : 1;
        mnuklang->setChecked(s.soundsOn == 1);
    });
}

void frm1::mnugroesse_Click()
{
    guard("mnugroesse_Click", [this] {
        AppSettings &s = m_state.settings;
        s.rememberSize = s.rememberSize == 1 ? 0 : 1;
        mnugroesse->setChecked(s.rememberSize == 1);
    });
}

void frm1::mnuzentrieren_Click()
{
    guard("mnuzentrieren_Click", [this] {
        if (isMaximized())
            return;
        AppSettings &s = m_state.settings;
        s.centerWindow = s.centerWindow == 1 ? 0 : 1;
        mnuzentrieren->setChecked(s.centerWindow == 1);
        mnuposition->setChecked(s.centerWindow != 1);
        if (s.centerWindow == 1)
            centreOnScreen(this);
        else
            move(pixelsFromTwips(s.windowLeft), pixelsFromTwips(s.windowTop));
    });
}

void frm1::mnuposition_Click()
{
    mnuzentrieren_Click();
}

void frm1::mnuhome_Click()
{
    guard("mnuhome_Click", [this] { m_ctx.dialogs.openExternal(homepageUrl); });
}

void frm1::tray_MouseDown(int button)
{
    guard("tray_MouseDown", [this, button] {
        if (button != 1)
            return;
        if (isVisible()) {
            hide();
        } else {
            showNormal();
            raise();
            activateWindow();
        }
    });
}

} // namespace askbright
