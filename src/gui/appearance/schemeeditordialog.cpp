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
      m_dialog1(context.dialogs, [&context] { return context.language(); })
{
    setObjectName(QStringLiteral("frmfarb"));
    setFixedSize(440, 234);

    Frame = place(new QGroupBox(this), "Frame", 10, 8, 210, 132);
    auto option = [this](const char *name, int row) {
        return place(new QRadioButton(Frame), name, 12, 24 + 26 * row, 190, 22);
    };
    optbutton = option("optbutton", 0);
    optschrift = option("optschrift", 1);
    opthigru = option("opthigru", 2);
    optfontbt = option("optfontbt", 3);
    optbutton->setChecked(true);

    cmdauswahl = place(new QPushButton(this), "cmdauswahl", 10, 148, 210, 28);
    picf = place(new QLabel(this), "picf", 236, 10, 194, 48);
    picf->setPixmap(swatches(picf->size()));
    for (int i = 0; i < 4; ++i)
        cmdtest[size_t(i)] = place(new Button3D(QStringLiteral("Test"), this),
                                   QStringLiteral("cmdtest%1").arg(i).toLatin1().constData(),
                                   236 + 100 * (i % 2), 66 + 36 * (i / 2), 94, 28);
    lblfrbtest = place(new QLabel(this), "lblfrbtest", 236, 150, 194, 22);
    Line1 = place(new QFrame(this), "Line1", 10, 186, 420, 2);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Command1 = place(new QPushButton(this), "Command1", 10, 196, 160, 28);
    Command2 = place(new QPushButton(this), "Command2", 178, 196, 160, 28);
    cmdrausf = place(new QPushButton(this), "cmdrausf", 346, 196, 84, 28);
    for (QPushButton *b : {cmdauswahl, Command1, Command2, cmdrausf})
        b->setAutoDefault(false);

    connect(cmdauswahl, &QPushButton::clicked, this, &SchemeEditorDialog::cmdauswahl_Click);
    connect(Command1, &QPushButton::clicked, this, &SchemeEditorDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SchemeEditorDialog::Command2_Click);
    connect(cmdrausf, &QPushButton::clicked, this, &SchemeEditorDialog::cmdrausf_Click);

    // The design captions are the German ones.
    applyCaptions(Language::German);
    m_ctx.guarded("frmfarb", "Form_Load", [this] { Form_Load(); });
}

void SchemeEditorDialog::Form_Load()
{
    centreOver(this, parentWidget());
    m_ctx.keepOnTop(this);
    m_answer = 0;
    AppState &state = m_ctx.state;
    // A scheme that could not be read at start (all colours still black)
    // would paint the editor black on black: it keeps its design colours.
    if (isUsableScheme(state.settings.schemeFilePath) && !state.savedColors.isUnset()) {
        state.currentColors = state.savedColors;
        m_ctx.guarded("frmfarb", "farbaktuell", [this] { farbaktuell(); });
    }
    if (m_ctx.language().isGerman())
        m_ctx.guarded("frmfarb", "farb_deutsch", [this] { farb_deutsch(); });
    else
        m_ctx.guarded("frmfarb", "farb_englisch", [this] { farb_englisch(); });
}

void SchemeEditorDialog::farb_deutsch()
{
    applyCaptions(Language::German);
}

void SchemeEditorDialog::farb_englisch()
{
    applyCaptions(Language::English);
}

void SchemeEditorDialog::applyCaptions(Language lang)
{
    setWindowTitle(lang.pick(u"Farbeinstellung Askbright", u"Color settings Askbright"));
    Frame->setTitle(caption(1400, lang));
    const std::pair<QAbstractButton *, int> buttons[] = {
        {optbutton, 1410},  {optschrift, 1420}, {opthigru, 1430}, {optfontbt, 1440},
        {cmdauswahl, 1450}, {Command1, 1460},   {Command2, 1470}, {cmdrausf, 1480},
    };
    for (const auto &[button, id] : buttons)
        button->setText(caption(id, lang));
    lblfrbtest->setText(caption(1420, lang));
}

void SchemeEditorDialog::farbaktuell()
{
    const ColorScheme &c = m_ctx.state.currentColors;
    paintWithScheme(this, SchemeRole::Window, c);
    for (Button3D *b : cmdtest)
        paintWithScheme(b, SchemeRole::Button, c);
    paintWithScheme(lblfrbtest, SchemeRole::Text, c);
    m_schemeSaved = QStringLiteral("nein");
}

void SchemeEditorDialog::cmdauswahl_Click()
{
    m_ctx.guarded("frmfarb", "cmdauswahl_Click", [this] {
        const std::optional<qint32> picked = m_ctx.dialogs.showColorDialog(m_lastPicked);
        if (!picked)
            return;
        m_lastPicked = *picked;
        ColorScheme &c = m_ctx.state.currentColors;
        const std::pair<QRadioButton *, ColorScheme::Entry> entries[] = {
            {optbutton, ColorScheme::buttonColor},
            {optschrift, ColorScheme::fontColor},
            {opthigru, ColorScheme::backgroundColor},
            {optfontbt, ColorScheme::buttonFontColor},
        };
        for (const auto &[option, entry] : entries)
            if (option->isChecked())
                c[entry] = *picked;
        farbaktuell();
    });
}

void SchemeEditorDialog::prepareDialog(const QString &title)
{
    m_dialog1.dialogTitle = title;
    // A program folder that cannot be written to offers the user's data
    // folder, where a scheme can be saved.
    m_dialog1.initDir = m_ctx.state.dataFolder();
    m_dialog1.fileName.clear();
    m_dialog1.filter = schemeFilter;
    m_dialog1.filterIndex = 1;
    m_dialog1.flags = DialogFlags::Save;
    // The name is taken as typed: a scheme is one only when it ends in "sch".
    m_dialog1.addExtension = false;
}

void SchemeEditorDialog::Command1_Click()
{
    // A failed write is told with its reason; the remembered scheme and the
    // colours stay as they were.
    m_ctx.guarded(
        [this] {
            prepareDialog(QStringLiteral("Farbschema speichern"));
            if (!m_dialog1.showSave())
                return;
            AppState &state = m_ctx.state;
            saveScheme(m_dialog1.fileName, state.currentColors, state.savedColors,
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

void SchemeEditorDialog::Command2_Click()
{
    // A file that is no complete scheme is refused whole, with the reason.
    m_ctx.guarded(
        [this] {
            prepareDialog(QStringLiteral("Projektdatei öffnen"));
            if (!m_dialog1.showOpen())
                return;
            AppState &state = m_ctx.state;
            loadScheme(m_dialog1.fileName, state.currentColors, state.savedColors,
                       state.settings.schemeFilePath);
            farbaktuell();
            m_schemeSaved = QStringLiteral("ja");
        },
        [this](const AppError &e) {
            m_ctx.inform(m_ctx.pick(u"Das Farbschema wurde nicht geladen:\r",
                                    u"The color scheme was not loaded:\r") +
                             e.numberAndDescription(),
                         caption(1470, m_ctx.language()), MessageIcon::Exclamation);
        });
}

void SchemeEditorDialog::cmdrausf_Click()
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
    m_ctx.guarded("frmfarb", "Form_QueryUnload", [this, event] { Form_QueryUnload(event); });
}

void SchemeEditorDialog::Form_QueryUnload(QCloseEvent *event)
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
