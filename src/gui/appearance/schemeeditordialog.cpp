#include "appearance/schemeeditordialog.h"

#include "app/apperror.h"
#include "app/interfacetexts.h"
#include "app/placement.h"
#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "appearance/schemefile.h"
#include "controls/button3d.h"
#include "controls/formontop.h"
#include "state/appstate.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace askbright {

namespace {

const QString schemeFilter = QStringLiteral("Farbschema (*.sch)|*.sch");

// The decoration beside the preview: a strip of colour swatches.
QPixmap swatches(QSize size)
{
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter p(&picture);
    const QColor colours[] = {{0xC0, 0x39, 0x2B}, {0xE6, 0x7E, 0x22}, {0xF1, 0xC4, 0x0F},
                              {0x27, 0xAE, 0x60}, {0x29, 0x80, 0xB9}, {0x8E, 0x44, 0xAD}};
    const int n = int(std::size(colours));
    for (int i = 0; i < n; ++i) {
        const int left = size.width() * i / n;
        const int right = size.width() * (i + 1) / n;
        p.fillRect(left, 0, right - left, size.height(), colours[i]);
    }
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}

} // namespace

SchemeEditorDialog::SchemeEditorDialog(WindowContext &context, QWidget *parent)
    : QDialog(parent), m_ctx(context),
      m_fileDialog(context.dialogs, [&context] { return context.language(); })
{
    setObjectName(QStringLiteral("frmfarb"));
    setFixedSize(440, 234);

    m_roleFrame = place(new QGroupBox(this), "Frame", 10, 8, 210, 132);
    auto option = [this](const char *name, int row) {
        return place(new QRadioButton(m_roleFrame), name, 12, 24 + 26 * row, 190, 22);
    };
    m_buttonColorOption = option("optbutton", 0);
    m_fontColorOption = option("optschrift", 1);
    m_backgroundColorOption = option("opthigru", 2);
    m_buttonFontColorOption = option("optfontbt", 3);
    m_buttonColorOption->setChecked(true);

    m_pickButton = place(new QPushButton(this), "cmdauswahl", 10, 148, 210, 28);
    m_swatches = place(new QLabel(this), "picf", 236, 10, 194, 48);
    m_swatches->setPixmap(swatches(m_swatches->size()));
    for (int i = 0; i < 4; ++i)
        m_sampleButtons[size_t(i)] =
            place(new Button3D(QStringLiteral("Test"), this),
                  QStringLiteral("cmdtest%1").arg(i).toLatin1().constData(), 236 + 100 * (i % 2),
                  66 + 36 * (i / 2), 94, 28);
    m_sampleLabel = place(new QLabel(this), "lblfrbtest", 236, 150, 194, 22);
    m_separator = place(new QFrame(this), "Line1", 10, 186, 420, 2);
    m_separator->setFrameShape(QFrame::HLine);
    m_separator->setFrameShadow(QFrame::Sunken);
    m_saveButton = place(new QPushButton(this), "Command1", 10, 196, 160, 28);
    m_loadButton = place(new QPushButton(this), "Command2", 178, 196, 160, 28);
    m_leaveButton = place(new QPushButton(this), "cmdrausf", 346, 196, 84, 28);
    for (QPushButton *b : {m_pickButton, m_saveButton, m_loadButton, m_leaveButton})
        b->setAutoDefault(false);

    connect(m_pickButton, &QPushButton::clicked, this, &SchemeEditorDialog::onPickColorClicked);
    connect(m_saveButton, &QPushButton::clicked, this, &SchemeEditorDialog::onSaveSchemeClicked);
    connect(m_loadButton, &QPushButton::clicked, this, &SchemeEditorDialog::onLoadSchemeClicked);
    connect(m_leaveButton, &QPushButton::clicked, this, &SchemeEditorDialog::onLeaveClicked);

    // The design captions are the German ones.
    setCaptions(Language::German);
    m_ctx.guarded("frmfarb", "Form_Load", [this] { load(); });
}

void SchemeEditorDialog::load()
{
    centreOver(this, parentWidget());
    m_ctx.keepOnTop(this);
    m_answer = 0;
    AppState &state = m_ctx.state;
    // A scheme that could not be read at start (all colours still black)
    // would paint the editor black on black: it keeps its design colours.
    if (isUsableScheme(state.settings.schemeFilePath) && !state.savedColors.isUnset()) {
        state.currentColors = state.savedColors;
        m_ctx.guarded("frmfarb", "farbaktuell", [this] { showCurrentColors(); });
    }
    retranslate(m_ctx.language());
}

void SchemeEditorDialog::retranslate(Language language)
{
    m_ctx.guarded("frmfarb", language.isGerman() ? "farb_deutsch" : "farb_englisch",
                  [&] { setCaptions(language); });
}

void SchemeEditorDialog::setCaptions(Language lang)
{
    setWindowTitle(lang.pick(u"Farbeinstellung Askbright", u"Color settings Askbright"));
    m_roleFrame->setTitle(caption(1400, lang));
    const std::pair<QAbstractButton *, int> buttons[] = {
        {m_buttonColorOption, 1410},
        {m_fontColorOption, 1420},
        {m_backgroundColorOption, 1430},
        {m_buttonFontColorOption, 1440},
        {m_pickButton, 1450},
        {m_saveButton, 1460},
        {m_loadButton, 1470},
        {m_leaveButton, 1480},
    };
    for (const auto &[button, id] : buttons)
        button->setText(caption(id, lang));
    m_sampleLabel->setText(caption(1420, lang));
}

void SchemeEditorDialog::showCurrentColors()
{
    const ColorScheme &c = m_ctx.state.currentColors;
    paintWithScheme(this, SchemeRole::Window, c);
    for (Button3D *b : m_sampleButtons)
        paintWithScheme(b, SchemeRole::Button, c);
    paintWithScheme(m_sampleLabel, SchemeRole::Text, c);
    m_schemeSaved = QStringLiteral("nein");
}

void SchemeEditorDialog::onPickColorClicked()
{
    m_ctx.guarded("frmfarb", "cmdauswahl_Click", [this] {
        const std::optional<qint32> picked = m_ctx.dialogs.showColorDialog(m_lastPicked);
        if (!picked)
            return;
        m_lastPicked = *picked;
        ColorScheme &c = m_ctx.state.currentColors;
        const std::pair<QRadioButton *, ColorScheme::Entry> entries[] = {
            {m_buttonColorOption, ColorScheme::buttonColor},
            {m_fontColorOption, ColorScheme::fontColor},
            {m_backgroundColorOption, ColorScheme::backgroundColor},
            {m_buttonFontColorOption, ColorScheme::buttonFontColor},
        };
        for (const auto &[option, entry] : entries)
            if (option->isChecked())
                c[entry] = *picked;
        showCurrentColors();
    });
}

void SchemeEditorDialog::prepareDialog(const QString &title)
{
    m_fileDialog.dialogTitle = title;
    // A program folder that cannot be written to offers the user's data
    // folder, where a scheme can be saved.
    m_fileDialog.initDir = m_ctx.state.dataFolder();
    m_fileDialog.fileName.clear();
    m_fileDialog.filter = schemeFilter;
    m_fileDialog.filterIndex = 1;
    m_fileDialog.flags = DialogFlags::Save;
    // The name is taken as typed: a scheme is one only when it ends in "sch".
    m_fileDialog.addExtension = false;
}

void SchemeEditorDialog::onSaveSchemeClicked()
{
    // A failed write is told with its reason; the remembered scheme and the
    // colours stay as they were.
    m_ctx.guarded(
        [this] {
            prepareDialog(QStringLiteral("Farbschema speichern"));
            if (!m_fileDialog.showSave())
                return;
            AppState &state = m_ctx.state;
            saveScheme(m_fileDialog.fileName, state.currentColors, state.savedColors,
                       state.settings.schemeFilePath);
            m_schemeSaved = QStringLiteral("ja");
        },
        [this](const AppError &e) {
            m_ctx.inform(m_ctx.pick(u"Das Farbschema wurde nicht gespeichert:\r",
                                    u"The color scheme was not saved:\r") +
                             e.numberAndDescription(),
                         caption(1460, m_ctx.language()), MessageIcon::Exclamation);
        });
}

void SchemeEditorDialog::onLoadSchemeClicked()
{
    // A file that is no complete scheme is refused whole, with the reason.
    m_ctx.guarded(
        [this] {
            prepareDialog(QStringLiteral("Projektdatei öffnen"));
            if (!m_fileDialog.showOpen())
                return;
            AppState &state = m_ctx.state;
            loadScheme(m_fileDialog.fileName, state.currentColors, state.savedColors,
                       state.settings.schemeFilePath);
            showCurrentColors();
            m_schemeSaved = QStringLiteral("ja");
        },
        [this](const AppError &e) {
            m_ctx.inform(m_ctx.pick(u"Das Farbschema wurde nicht geladen:\r",
                                    u"The color scheme was not loaded:\r") +
                             e.numberAndDescription(),
                         caption(1470, m_ctx.language()), MessageIcon::Exclamation);
        });
}

void SchemeEditorDialog::onLeaveClicked()
{
    m_ctx.guarded("frmfarb", "cmdrausf_Click", [this] {
        AppState &state = m_ctx.state;
        m_answer = 0;
        if (m_schemeSaved == QLatin1String("nein"))
            m_answer = m_ctx.ask(
                m_ctx.pick(u"Farbschema nicht gespeichert. Farben werden nicht übernommen!",
                           u"Colors not saved. The Theme of Color are lose!"),
                m_ctx.pick(u"Farben nicht gespeichert!", u"Colors not saved!"),
                MessageButtons::OkCancel, MessageIcon::Information);
        if (m_answer == AnswerOk)
            state.currentColors = state.savedColors;
        if (m_schemeSaved == QLatin1String("ja"))
            state.applyScheme();
        m_unloadFromCode = true;
        close();
        m_unloadFromCode = false;
    });
}

void SchemeEditorDialog::closeEvent(QCloseEvent *event)
{
    m_ctx.guarded("frmfarb", "Form_QueryUnload", [this, event] { confirmClose(event); });
}

void SchemeEditorDialog::confirmClose(QCloseEvent *event)
{
    if (!m_unloadFromCode) {
        // The close box never saves and never repaints the main window.
        m_answer =
            m_ctx.ask(QStringLiteral("Farbschema wird nicht gespeichert und nicht übernommen!"),
                      QStringLiteral("Farbschema erst speichern!"), MessageButtons::OkCancel,
                      MessageIcon::Critical, 2);
        if (m_answer == AnswerOk)
            m_ctx.state.currentColors = m_ctx.state.savedColors;
    }
    if (m_answer == AnswerCancel) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Rejected);
}

void SchemeEditorDialog::reject()
{
    // Escape leaves as the close box does, question included.
    close();
}

void SchemeEditorDialog::done(int result)
{
    QDialog::done(result);
    // Hidden first, so that leaving the topmost band does not show it again.
    if (m_ctx.state.settings.alwaysOnTop)
        FormOnTop(this, false);
}

} // namespace askbright
