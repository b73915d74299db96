// The main window's captions, language switch, window options, fonts, help
// menu and the re-ordering command.

#include "app/apperror.h"
#include "app/interfacetexts.h"
#include "app/paths.h"
#include "app/placement.h"
#include "app/product.h"
#include "app/twips.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "controls/colorvalue.h"
#include "controls/formontop.h"
#include "editor/mainwindow.h"
#include "editor/reorderdialog.h"
#include "fonts/fontlist.h"
#include "resize/resizeengine.h"
#include "state/appstate.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QStyleFactory>

namespace askbright {

void MainWindow::deutsch_frm1()
{
    applyCaptions(Language::German);
}

void MainWindow::englisch_form1()
{
    applyCaptions(Language::English);
}

void MainWindow::applyCaptions(Language lang)
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
    exchangeCaptions(lang);
    findCaptions(lang);
    hilfe_rechts();
    status_aktuell();
}

void MainWindow::mnudeutsch_Click()
{
    // Choosing the checked entry switches to the other language too, so
    // either entry always switches; the captions follow the signal.
    guard("mnudeutsch_Click", [this] { m_state.setLanguage(language().other()); });
}

void MainWindow::mnuenglisch_Click()
{
    guard("mnuenglisch_Click", [this] { m_state.setLanguage(language().other()); });
}

// ---------------------------------------------------------------- window options

void MainWindow::setAlwaysOnTop(bool on)
{
    m_state.settings.alwaysOnTop = on;
    mnuontop->setChecked(on);
    FormOnTop(this, on);
}

void MainWindow::outOfTopmostBand(const std::function<void()> &show)
{
    const bool onTop = m_state.settings.alwaysOnTop;
    if (onTop)
        FormOnTop(this, false);
    show();
    if (onTop)
        FormOnTop(this, true);
}

void MainWindow::mnuontop_Click()
{
    guard("mnuontop_Click", [this] { setAlwaysOnTop(!m_state.settings.alwaysOnTop); });
}

void MainWindow::mnumin_Click()
{
    guard("mnumin_Click", [this] {
        AppSettings &s = m_state.settings;
        s.minimizeToTray = !s.minimizeToTray;
        mnumin->setChecked(s.minimizeToTray);
    });
}

void MainWindow::mnuklang_Click()
{
    guard("mnuklang_Click", [this] {
        AppSettings &s = m_state.settings;
        s.soundsOn = !s.soundsOn;
        mnuklang->setChecked(s.soundsOn);
    });
}

void MainWindow::mnugroesse_Click()
{
    guard("mnugroesse_Click", [this] {
        AppSettings &s = m_state.settings;
        s.rememberSize = !s.rememberSize;
        mnugroesse->setChecked(s.rememberSize);
        m_ctx.play(s.rememberSize ? "vor" : "menu");
    });
}

void MainWindow::choosePosition(const char *procedure, bool centre)
{
    guard(procedure, [this, centre] {
        if (isMaximized()) {
            // Nothing changes; the ticks go back to what they were.
            mnuzentrieren->setChecked(m_state.settings.centerWindow);
            mnuposition->setChecked(!m_state.settings.centerWindow);
            return;
        }
        AppSettings &s = m_state.settings;
        s.centerWindow = centre;
        mnuzentrieren->setChecked(centre);
        mnuposition->setChecked(!centre);
        if (centre)
            centreOnScreen(this);
        else
            move(pixelsFromTwips(s.windowLeft), pixelsFromTwips(s.windowTop));
        m_ctx.play("menu");
    });
}

void MainWindow::mnuzentrieren_Click()
{
    // The two entries are a pair: clicking either one, ticked or not, moves
    // the tick to the other choice.
    choosePosition("mnuzentrieren_Click", !m_state.settings.centerWindow);
}

void MainWindow::mnuposition_Click()
{
    choosePosition("mnuposition_Click", !m_state.settings.centerWindow);
}

// ---------------------------------------------------------------- fonts

void MainWindow::chooseFieldFont(QPlainTextEdit *source,
                                 std::initializer_list<QPlainTextEdit *> fields)
{
    // Any failure, the cancelled dialog included, ends the command silently.
    m_ctx.guarded(
        [&] {
            m_ctx.play("menu");
            const QFont current = source->font();
            const FontChoice initial{
                current.family(),    current.pointSizeF(),
                current.bold(),      current.italic(),
                current.underline(), bgrFromColor(source->palette().color(QPalette::Text))};
            const std::optional<FontChoice> chosen = m_ctx.dialogs.showFontDialog(initial);
            if (!chosen)
                return;
            AppSettings &s = m_state.settings;
            const QString family = familyWithoutFoundry(chosen->name);
            for (QPlainTextEdit *field : fields) {
                QFont font(family);
                font.setPointSizeF(chosen->size > 0 ? chosen->size : current.pointSizeF());
                font.setBold(chosen->bold);
                font.setItalic(chosen->italic);
                font.setUnderline(chosen->underline);
                field->setFont(font);
                // The user's size survives the resize engine's return to the recorded size.
                m_resize->RecordFontSize(field);
                QPalette p = field->palette();
                p.setColor(QPalette::Text, colorFromBgr(chosen->color));
                field->setPalette(p);
                // Italic is shown but the settings file has no place for it.
                const FieldFont stored{family, font.pointSizeF(), chosen->bold, chosen->underline};
                const size_t entry = field == txtfrage ? 0 : 1;
                (entry == 0 ? s.questionFont : s.answerFont) = stored;
                s.textColors[entry] = chosen->color;
            }
            writeSettings();
        },
        [](const AppError &) {});
}

void MainWindow::mnufontgesamt_Click()
{
    // Both fields start from the answer field.
    chooseFieldFont(txtantwort, {txtfrage, txtantwort});
}

void MainWindow::mnufontfrage_Click()
{
    chooseFieldFont(txtfrage, {txtfrage});
}

void MainWindow::mnufontantwort_Click()
{
    chooseFieldFont(txtantwort, {txtantwort});
}

// ---------------------------------------------------------------- help menu

void MainWindow::missingDocument()
{
    m_ctx.inform(m_ctx.pick(u"Dokument nicht gefunden, evtl. fehlerhafte Installation",
                            u"Can't find the file, possible wrong installion."),
                 m_ctx.pick(u"Fehlendes Dokument", u"Missing File"), MessageIcon::Exclamation);
}

void MainWindow::mnuhilfe_Click()
{
    guard("mnuhilfe_Click", [this] {
        m_ctx.play("help");
        if (language().isEnglish())
            m_ctx.inform(QStringLiteral("Sorry, but the helpfile is only in German."),
                         QStringLiteral("Notice"), MessageIcon::Information);
        // The browser with the help must not vanish behind this window.
        if (m_state.settings.alwaysOnTop)
            setAlwaysOnTop(false);
        const QString help =
            findFileAnyCase(m_state.programFolder(), QStringLiteral("askbright.html"));
        if (help.isEmpty())
            missingDocument();
        else
            m_ctx.dialogs.openExternal(help);
    });
}

void MainWindow::mnuhome_Click()
{
    guard("mnuhome_Click", [this] { m_ctx.dialogs.openExternal(homepageUrl); });
}

void MainWindow::mnuwasneu_Click()
{
    guard("mnuwasneu_Click", [this] {
        const QString document =
            findFileAnyCase(m_state.programFolder(), QStringLiteral("whats_new.pdf"));
        if (document.isEmpty())
            missingDocument();
        else
            m_ctx.dialogs.openExternal(document);
    });
}

// ---------------------------------------------------------------- menus opening

void MainWindow::mnueinstell_Click()
{
    guard("mnueinstell_Click", [this] { m_ctx.play("menu"); });
}

void MainWindow::mnufenster_Click()
{
    guard("mnufenster_Click", [this] { m_ctx.play("menu"); });
}

void MainWindow::mnufont_Click()
{
    guard("mnufont_Click", [this] { m_ctx.play("menu"); });
}

void MainWindow::mnuinfo_Click()
{
    guard("mnuinfo_Click", [this] { m_ctx.play("help"); });
}

namespace {

// Lays out the menus that follow a separator at the right edge of the bar.
class RightJustifiedMenusStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_DrawMenuBarSeparator)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void MainWindow::hilfe_rechts()
{
    guard("hilfe_rechts", [this] {
        QMenuBar *bar = menuBar();
        // A native menu bar (the macOS one at the top of the screen) places
        // its menus itself and keeps them together on the left; the Help menu
        // cannot be moved to the right edge there.
        if (bar->isNativeMenuBar())
            return;
        // The style puts everything after a separator of the bar at its right
        // edge; the separator itself is not drawn.
        if (!m_helpSeparator) {
            m_helpSeparator = new QAction(bar);
            m_helpSeparator->setSeparator(true);
            m_helpSeparator->setObjectName(QStringLiteral("hilfe_rechts"));
            bar->insertAction(mnuinfo->menuAction(), m_helpSeparator);
            auto *justified = new RightJustifiedMenusStyle(QStyleFactory::create(style()->name()));
            justified->setParent(bar);
            bar->setStyle(justified);
        }
        bar->updateGeometry();
        bar->update();
    });
}

void MainWindow::tray_MouseDown(int button)
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
        m_ctx.play("quietsch");
    });
}

// ---------------------------------------------------------------- re-ordering

void MainWindow::mnusort_Click()
{
    guard("mnusort_Click", [this] {
        FaqDatabase &db = m_state.database;
        m_ctx.play("menu");
        if (db.recordCount() >= 1 && !questionFilled() && !answerFilled()) {
            m_ctx.inform(m_ctx.pick(u"Bitte diesen Datensatz noch ausfüllen oder\rden "
                                    u"Lösch-Button drücken",
                                    u"Please put data in this data record or\rpush then "
                                    u"DELETE-Button"),
                         QStringLiteral("Leere Datensatze nicht speichern"),
                         MessageIcon::Information);
            return;
        }
        if (db.recordCount() >= 1)
            commit();
        db.markChanged();

        ReorderDialog window(m_ctx, this);
        m_ctx.showModal(this, window);

        cmdvor->setCaption(QStringLiteral("&>"));
        // An empty database has no record 1 to show.
        showSlot(db.recordCount() >= 1 ? 1 : 0);
        status_aktuell();
    });
}

} // namespace askbright
