// The main window's texts, language switch, window options, fonts, help
// menu and the re-ordering command.

#include "app/apperror.h"
#include "app/interfacetexts.h"
#include "app/paths.h"
#include "app/placement.h"
#include "app/product.h"
#include "app/twips.h"
#include "app/windowcontext.h"
#include "controls/colorvalue.h"
#include "controls/formontop.h"
#include "controls/storedtext.h"
#include "editor/findbar.h"
#include "editor/mainwindow.h"
#include "editor/pagepanel.h"
#include "editor/recordeditor.h"
#include "editor/recordexchangecommands.h"
#include "editor/reorderdialog.h"
#include "fonts/fontlist.h"
#include "resize/resizeengine.h"
#include "state/appstate.h"

#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QStyleFactory>

namespace askbright {

void MainWindow::retranslate(Language lang)
{
    const std::pair<QMenu *, int> menus[] = {
        {m_fileMenu, 1000},   {m_settingsMenu, 1060}, {m_fontMenu, 1080},
        {m_windowMenu, 1140}, {m_helpMenu, 1180},     {m_languageMenu, 1660},
    };
    for (const auto &[menu, id] : menus)
        menu->setTitle(caption(id, lang));

    const std::pair<QAction *, int> actions[] = {
        {m_newAction, 1010},
        {m_openAction, 1020},
        {m_saveAction, 1030},
        {m_saveAsAction, 1040},
        {m_exitAction, 1050},
        {m_soundsAction, 1070},
        {m_bothFontsAction, 1090},
        {m_questionFontAction, 1100},
        {m_answerFontAction, 1110},
        {m_colourSchemeAction, 1120},
        {m_templatesFolderAction, 1130},
        {m_centreAction, 1150},
        {m_rememberedPositionAction, 1160},
        {m_rememberSizeAction, 1170},
        {m_helpAction, 1190},
        {m_aboutAction, 1200},
        {m_germanAction, 1670},
        {m_englishAction, 1680},
        {m_exportAction, 1690},
        {m_alwaysOnTopAction, 1810},
        {m_closeToTrayAction, 1820},
        {m_outputFolderAction, 1830},
        {m_clearRecentAction, 1860},
        {m_reorderAction, 3000},
        {m_whatsNewAction, 4005},
        {m_donateAction, 4007},
    };
    for (const auto &[action, id] : actions)
        action->setText(caption(id, lang));
    m_findAction->setText(lang.pick(u"Su&chen...", u"&Find..."));

    m_recordEditor->retranslate(lang);
    m_pagePanel->retranslate(lang);
    m_exchange->retranslate(lang);
    m_findBar->retranslate(lang);
    putHelpMenuRight();
}

void MainWindow::onGermanTriggered()
{
    // Choosing the checked entry switches to the other language too, so
    // either entry always switches; the captions follow the signal.
    guard("mnudeutsch_Click", [this] { m_state.setLanguage(language().other()); });
}

void MainWindow::onEnglishTriggered()
{
    guard("mnuenglisch_Click", [this] { m_state.setLanguage(language().other()); });
}

// ---------------------------------------------------------------- window options

void MainWindow::setAlwaysOnTop(bool on)
{
    m_state.settings.alwaysOnTop = on;
    m_alwaysOnTopAction->setChecked(on);
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

void MainWindow::onAlwaysOnTopTriggered()
{
    guard("mnuontop_Click", [this] { setAlwaysOnTop(!m_state.settings.alwaysOnTop); });
}

void MainWindow::onCloseToTrayTriggered()
{
    guard("mnumin_Click", [this] {
        AppSettings &s = m_state.settings;
        s.minimizeToTray = !s.minimizeToTray;
        m_closeToTrayAction->setChecked(s.minimizeToTray);
    });
}

void MainWindow::onSoundsTriggered()
{
    guard("mnuklang_Click", [this] {
        AppSettings &s = m_state.settings;
        s.soundsOn = !s.soundsOn;
        m_soundsAction->setChecked(s.soundsOn);
    });
}

void MainWindow::onRememberSizeTriggered()
{
    guard("mnugroesse_Click", [this] {
        AppSettings &s = m_state.settings;
        s.rememberSize = !s.rememberSize;
        m_rememberSizeAction->setChecked(s.rememberSize);
        m_ctx.play(s.rememberSize ? "vor" : "menu");
    });
}

void MainWindow::choosePosition(const char *procedure, bool centre)
{
    guard(procedure, [this, centre] {
        if (isMaximized()) {
            // Nothing changes; the ticks go back to what they were.
            m_centreAction->setChecked(m_state.settings.centerWindow);
            m_rememberedPositionAction->setChecked(!m_state.settings.centerWindow);
            return;
        }
        AppSettings &s = m_state.settings;
        s.centerWindow = centre;
        m_centreAction->setChecked(centre);
        m_rememberedPositionAction->setChecked(!centre);
        if (centre)
            centreOnScreen(this);
        else
            move(pixelsFromTwips(s.windowLeft), pixelsFromTwips(s.windowTop));
        m_ctx.play("menu");
    });
}

void MainWindow::onCentreTriggered()
{
    // The two entries are a pair: clicking either one, ticked or not, moves
    // the tick to the other choice.
    choosePosition("mnuzentrieren_Click", !m_state.settings.centerWindow);
}

void MainWindow::onRememberedPositionTriggered()
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
                m_resize->recordFontSize(field);
                QPalette p = field->palette();
                p.setColor(QPalette::Text, colorFromBgr(chosen->color));
                field->setPalette(p);
                // Italic is shown but the settings file has no place for it.
                const FieldFont stored{family, font.pointSizeF(), chosen->bold, chosen->underline};
                const size_t entry = field == m_recordEditor->questionField() ? 0 : 1;
                (entry == 0 ? s.questionFont : s.answerFont) = stored;
                s.textColors[entry] = chosen->color;
            }
            writeSettings();
        },
        [](const AppError &) {});
}

void MainWindow::onBothFontsTriggered()
{
    // Both fields start from the answer field.
    QPlainTextEdit *answer = m_recordEditor->answerField();
    chooseFieldFont(answer, {m_recordEditor->questionField(), answer});
}

void MainWindow::onQuestionFontTriggered()
{
    chooseFieldFont(m_recordEditor->questionField(), {m_recordEditor->questionField()});
}

void MainWindow::onAnswerFontTriggered()
{
    chooseFieldFont(m_recordEditor->answerField(), {m_recordEditor->answerField()});
}

// ---------------------------------------------------------------- help menu

void MainWindow::missingDocument()
{
    m_ctx.inform(m_ctx.pick(u"Dokument nicht gefunden, evtl. fehlerhafte Installation",
                            u"Can't find the file, possible wrong installion."),
                 m_ctx.pick(u"Fehlendes Dokument", u"Missing File"), MessageIcon::Exclamation);
}

void MainWindow::onHelpTriggered()
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

void MainWindow::onHomepageTriggered()
{
    guard("mnuhome_Click", [this] { m_ctx.dialogs.openExternal(homepageUrl); });
}

void MainWindow::onWhatsNewTriggered()
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

void MainWindow::putHelpMenuRight()
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
            bar->insertAction(m_helpMenu->menuAction(), m_helpSeparator);
            auto *justified = new RightJustifiedMenusStyle(QStyleFactory::create(style()->name()));
            justified->setParent(bar);
            bar->setStyle(justified);
        }
        bar->updateGeometry();
        bar->update();
    });
}

void MainWindow::onTrayMouseDown(int button)
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

void MainWindow::onReorderTriggered()
{
    guard("mnusort_Click", [this] {
        FaqDatabase &db = m_state.database;
        m_ctx.play("menu");
        RecordEditor &editor = *m_recordEditor;
        if (db.recordCount() >= 1 && !editor.questionFilled() && !editor.answerFilled()) {
            m_ctx.inform(m_ctx.pick(u"Bitte diesen Datensatz noch ausfüllen oder\rden "
                                    u"Lösch-Button drücken",
                                    u"Please put data in this data record or\rpush then "
                                    u"DELETE-Button"),
                         QStringLiteral("Leere Datensatze nicht speichern"),
                         MessageIcon::Information);
            return;
        }
        if (db.recordCount() >= 1)
            editor.commit();
        db.markChanged();

        ReorderDialog window(m_ctx, this);
        m_ctx.showModal(this, window);

        editor.setNextCaptionStep();
        // An empty database has no record 1 to show.
        editor.showSlot(db.recordCount() >= 1 ? 1 : 0);
        editor.refreshPosition();
    });
}

} // namespace askbright
