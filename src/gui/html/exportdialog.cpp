#include "html/exportdialog.h"

#include "app/interfacetexts.h"
#include "app/paths.h"
#include "app/placement.h"
#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "appearance/schemefile.h"
#include "controls/button3d.h"
#include "controls/dialogservice.h"
#include "html/layoutpictures.h"
#include "html/pagegenerator.h"
#include "html/pagepreview.h"
#include "project/contactstore.h"
#include "state/appstate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace askbright {

ExportDialog::ExportDialog(WindowContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmexport"));
    buildControls();
    setFixedSize(470, 418);

    // Every opening starts from the default options and the controls' design
    // states; only the choice of the modern page is kept for the session.
    // The page's language starts as the interface's (the default options).
    const bool modern = m_ctx.state.exportOptions.modernPage;
    m_ctx.state.exportOptions = ExportOptions{};
    m_ctx.state.exportOptions.modernPage = modern;
    chkmodern->setChecked(modern);
    m_pageLanguage->setCurrentIndex(m_ctx.language().isEnglish() ? 1 : 0);
    enableForPageKind();
    m_ctx.keepOnTop(this);
    centreOver(this, parentWidget());
    applyScheme();
    m_ctx.language().isGerman() ? export_deutsch() : export_englisch();
}

void ExportDialog::buildControls()
{
    // Created first, so that it lies behind the buttons.
    Shape1 = place(new QFrame(this), "Shape1", 0, 354, 470, 64);
    Shape1->setFrameShape(QFrame::NoFrame);

    Frame1 = place(new QGroupBox(this), "Frame1", 8, 6, 454, 176);
    optl1 = place(new QRadioButton(QStringLiteral("Layout 1"), Frame1), "optl1", 12, 30, 110, 22);
    optl2 = place(new QRadioButton(QStringLiteral("Layout 2"), Frame1), "optl2", 12, 58, 110, 22);
    optl1->setChecked(true);
    optl1->setToolTip(QStringLiteral("Fragen nochmals wiederholen"));
    optl2->setToolTip(QStringLiteral("Fragen nicht wiederholen"));
    const auto picture = [this](const char *name, int x, AnswerLayout layout, Language language) {
        QLabel *p = place(new QLabel(Frame1), name, x, 24, 120, 104);
        p->setPixmap(layoutPicture(layout, language));
        return p;
    };
    Picture1 = picture("Picture1", 140, AnswerLayout::WithQuestions, Language::German);
    Picture2 = picture("Picture2", 316, AnswerLayout::AnswersOnly, Language::German);
    Picture1e = picture("Picture1e", 140, AnswerLayout::WithQuestions, Language::English);
    Picture2e = picture("Picture2e", 316, AnswerLayout::AnswersOnly, Language::English);
    Label1 = place(new QLabel(QStringLiteral("Layout 1"), Frame1), "Label1", 140, 132, 120, 18);
    Label2 = place(new QLabel(QStringLiteral("Layout 2"), Frame1), "Label2", 316, 132, 120, 18);
    for (QLabel *label : {Label1, Label2})
        label->setAlignment(Qt::AlignCenter);

    const auto box = [this](const char *name, int y) {
        return place(new QCheckBox(this), name, 16, y, 440, 22);
    };
    Check1 = box("Check1", 190);
    chklinks = box("chklinks", 214);
    chkpre = box("chkpre", 238);
    chkmail = box("chkmail", 262);
    chkmodern = place(new QCheckBox(this), "chkmodern", 16, 290, 290, 22);
    Check1->setChecked(true);
    chkmail->setChecked(true);
    Check1->setToolTip(QStringLiteral("Absätze wie eingegeben"));
    chkpre->setToolTip(QStringLiteral("Formatierung wie eingegeben"));

    m_pageLanguageLabel = place(new QLabel(this), "pageLanguageLabel", 36, 320, 150, 22);
    m_pageLanguage = place(new QComboBox(this), "pageLanguage", 190, 318, 120, 26);
    // Each language named in its own words, so either reader finds his.
    m_pageLanguage->addItem(QStringLiteral("Deutsch"));
    m_pageLanguage->addItem(QStringLiteral("English"));
    m_pageLanguageLabel->setBuddy(m_pageLanguage);

    cmdvorschau = place(new Button3D({}, this), "cmdvorschau", 316, 286, 140, 30);
    cmdgenerieren = place(new Button3D({}, this), "cmdgenerieren", 40, 366, 180, 38);
    cmdhtmlraus = place(new Button3D({}, this), "cmdhtmlraus", 250, 366, 180, 38);
    // Return generates.
    cmdgenerieren->setDefault(true);
    cmdhtmlraus->setAutoDefault(false);
    cmdvorschau->setAutoDefault(false);

    connect(cmdgenerieren, &QPushButton::clicked, this, &ExportDialog::cmdgenerieren_Click);
    connect(cmdhtmlraus, &QPushButton::clicked, this, &ExportDialog::cmdhtmlraus_Click);
    connect(Check1, &QCheckBox::clicked, this, &ExportDialog::Check1_Click);
    connect(chklinks, &QCheckBox::clicked, this, &ExportDialog::chklinks_Click);
    connect(optl1, &QRadioButton::clicked, this, &ExportDialog::optl1_Click);
    connect(optl2, &QRadioButton::clicked, this, &ExportDialog::optl2_Click);
    connect(chkpre, &QCheckBox::clicked, this, &ExportDialog::chkpre_Click);
    connect(chkmail, &QCheckBox::clicked, this, &ExportDialog::chkmail_Click);
    connect(chkmodern, &QCheckBox::clicked, this, &ExportDialog::chkmodern_Click);
    connect(cmdvorschau, &QPushButton::clicked, this, &ExportDialog::cmdvorschau_Click);
    connect(m_pageLanguage, &QComboBox::activated, this, &ExportDialog::onPageLanguageChosen);
}

void ExportDialog::applyScheme()
{
    const AppState &state = m_ctx.state;
    // Colours that were never loaded would paint everything black.
    if (!isUsableScheme(state.settings.schemeFilePath) || state.currentColors.isUnset())
        return;
    const ColorScheme &colors = state.currentColors;
    paintWithScheme(this, SchemeRole::Window, colors);
    paintWithScheme({chkmail, chklinks, chkpre, Check1, chkmodern, optl1, optl2, Frame1},
                    SchemeRole::Box, colors);
    paintWithScheme({Label1, Label2, m_pageLanguageLabel}, SchemeRole::Text, colors);
    paintWithScheme(Shape1, SchemeRole::Shape, colors);
    paintWithScheme({cmdgenerieren, cmdhtmlraus, cmdvorschau}, SchemeRole::Button, colors);
}

void ExportDialog::export_deutsch()
{
    m_ctx.guarded("frmexport", "export_deutsch", [this] { applyCaptions(Language::German); });
}

void ExportDialog::export_englisch()
{
    m_ctx.guarded("frmexport", "export_englisch", [this] { applyCaptions(Language::English); });
}

void ExportDialog::applyCaptions(Language lang)
{
    Check1->setText(caption(1360, lang));
    chkmail->setText(caption(1850, lang));
    chklinks->setText(caption(1350, lang));
    chkpre->setText(caption(1340, lang));
    cmdgenerieren->setCaption(caption(1370, lang));
    cmdhtmlraus->setCaption(caption(1380, lang));
    Frame1->setTitle(caption(1330, lang));
    chkmodern->setText(lang.pick(u"Moderne Seite (HTML5)", u"Modern page (HTML5)"));
    cmdvorschau->setCaption(lang.pick(u"Vorschau", u"Preview"));
    m_pageLanguageLabel->setText(lang.pick(u"Sprache der Seite:", u"Page language:"));
    setWindowTitle(lang.pick(u"HTML- Generierung", u"Generating HTML-Code"));
    // The pictures show the page's words in the language it will be generated in.
    for (QLabel *p : {Picture1, Picture2})
        p->setVisible(lang.isGerman());
    for (QLabel *p : {Picture1e, Picture2e})
        p->setVisible(lang.isEnglish());
}

// ---------------------------------------------------------------- options

void ExportDialog::Check1_Click()
{
    m_ctx.guarded("frmexport", "Check1_Click", [this] {
        m_ctx.state.exportOptions.formatParagraphs = Check1->isChecked();
        refreshPreview();
    });
}

void ExportDialog::chklinks_Click()
{
    m_ctx.guarded("frmexport", "chklinks_Click", [this] {
        m_ctx.state.exportOptions.smallLinks = !chklinks->isChecked();
        refreshPreview();
    });
}

void ExportDialog::optl1_Click()
{
    m_ctx.guarded("frmexport", "optl1_Click", [this] {
        m_ctx.state.exportOptions.answerLayout = AnswerLayout::WithQuestions;
        m_ctx.play("menu");
        refreshPreview();
    });
}

void ExportDialog::optl2_Click()
{
    m_ctx.guarded("frmexport", "optl2_Click", [this] {
        m_ctx.state.exportOptions.answerLayout = AnswerLayout::AnswersOnly;
        m_ctx.play("menu");
        refreshPreview();
    });
}

// The generate command reads these two boxes itself; the preview follows them.
void ExportDialog::chkpre_Click()
{
    m_ctx.guarded("frmexport", "chkpre_Click", [this] { refreshPreview(); });
}

void ExportDialog::chkmail_Click()
{
    m_ctx.guarded("frmexport", "chkmail_Click", [this] { refreshPreview(); });
}

void ExportDialog::chkmodern_Click()
{
    m_ctx.guarded("frmexport", "chkmodern_Click", [this] {
        m_ctx.state.exportOptions.modernPage = chkmodern->isChecked();
        enableForPageKind();
        refreshPreview();
    });
}

void ExportDialog::onPageLanguageChosen()
{
    m_ctx.guarded("frmexport", "onPageLanguageChosen", [this] {
        m_ctx.state.exportOptions.pageLanguage =
            m_pageLanguage->currentIndex() == 1 ? Language::English : Language::German;
        refreshPreview();
    });
}

void ExportDialog::enableForPageKind()
{
    const bool modern = chkmodern->isChecked();
    Frame1->setEnabled(!modern);
    m_pageLanguageLabel->setEnabled(modern);
    m_pageLanguage->setEnabled(modern);
}

// ---------------------------------------------------------------- preview

void ExportDialog::cmdvorschau_Click()
{
    m_ctx.guarded("frmexport", "cmdvorschau_Click", [this] {
        if (!m_preview) {
            // A window of its own beside the modal dialog, gone with it.
            m_preview = new PagePreview(m_ctx, this);
            m_ctx.keepOnTop(m_preview);
            connect(this, &QDialog::finished, m_preview, &QWidget::close);
            placeBeside(m_preview, this, 360);
        }
        m_preview->show();
        m_preview->raise();
        refreshPreview();
    });
}

void ExportDialog::refreshPreview()
{
    if (!m_preview || !m_preview->isVisible())
        return;
    QString address;
    // Nothing is asked while options change: without a stored address the
    // preview shows the page without a contact block; an unreadable store
    // is reported when generating.
    if (chkmail->isChecked())
        m_ctx.guarded([&] { address = readContactAddress(m_ctx.state.dataFolder()); },
                      [](const AppError &) {});
    m_preview->showPage(currentRequest(address));
}

PageRequest ExportDialog::currentRequest(const QString &contactAddress) const
{
    PageRequest request;
    request.projectPath = localPath(m_ctx.state.pages.projectPath());
    request.outputFolder = localPath(m_ctx.state.pages.outputFolder());
    request.options = m_ctx.state.exportOptions;
    request.options.preformattedAnswers = chkpre->isChecked();
    request.options.useContactAddress = chkmail->isChecked();
    request.contactAddress = contactAddress;
    return request;
}

// ---------------------------------------------------------------- generating

QString ExportDialog::settleContactAddress()
{
    const QString folder = m_ctx.state.dataFolder();
    QString address;
    // An unreadable store is reported; the address is then asked for as if
    // none were stored.
    m_ctx.guarded("frmexport", "cmdgenerieren_Click",
                  [&] { address = readContactAddress(folder); });
    while (chkmail->isChecked() && address.isEmpty()) {
        int answer = AnswerNo;
        const QString entry = m_ctx.dialogs.inputBox(
            m_ctx.pick(u"Bitte noch eine gültige EMailadresse eingeben. Wenn Sie keine eingeben, "
                       u"wird der EMail-Kontakt nicht mit generiert!",
                       u"Please still insert a correctly email-address in this inputfield. If you "
                       u"don't this the page have within a email-contact!"),
            m_ctx.pick(u"Fehlende EMailadresse !", u"Wrong email address!"));
        if (!entry.contains(u'@'))
            answer = m_ctx.ask(
                m_ctx.pick(u"Mailadresse ungültig!\rNochmals versuchen?",
                           u"Invalid email address!\rTry out again?"),
                m_ctx.pick(u"Berichtigung der EMailadresse!", u"Correction the email address!"),
                MessageButtons::YesNo, MessageIcon::Critical);
        address = entry;
        if (answer == AnswerYes) {
            address.clear();
            continue;
        }
        // Declining to correct it keeps the entry as typed.
        if (!address.isEmpty())
            m_ctx.guarded("Module1", "mail_speichern", [&] { mail_speichern(folder, address); });
        break;
    }
    if (!chkmail->isChecked())
        address.clear();
    return address;
}

void ExportDialog::cmdgenerieren_Click()
{
    m_ctx.guarded("frmexport", "cmdgenerieren_Click", [this] {
        AppState &state = m_ctx.state;
        state.contactAddress = settleContactAddress();
        const PageRequest request = currentRequest(state.contactAddress);
        state.exportOptions = request.options;
        // The generator's messages, failures with their reason included, go
        // to the dialogs.
        const PageResult result =
            generatePage(state.language(), request, state.database, state.clock(), m_ctx.dialogs);
        m_ctx.play("generieren");

        switch (result.status) {
        case PageStatus::Failed:
            // The next export asks for a folder again.
            state.pages.setOutputFolder(QString());
            break;
        case PageStatus::GivenUp:
            break;
        case PageStatus::Ok: {
            m_ctx.dialogs.openExternal(result.pagePath);
            // The notice names the folder as the settings hold it.
            const QString folder = state.pages.outputFolder();
            showNotice(folder + result.pageFileName,
                       result.noticePicture.isEmpty() ? QString() : folder + result.noticePicture);
            break;
        }
        }
        accept();
    });
}

void ExportDialog::showNotice(const QString &pagePath, const QString &picturePath)
{
    QString text = m_ctx.pick(u"Ihre FAQ- Seite wurde in folgendem Verzeichnis gespeichert:\r\"",
                              u"The FAQ-Website is saved in:\r\"") +
                   pagePath + u'"';
    if (!picturePath.isEmpty())
        text += m_ctx.pick(u"\rBeim Hochladen der FAQ-Webseite müssen Sie das Bild\r\"",
                           u"\rIf you upload the website you must put\rthe Picture\r\"") +
                picturePath +
                m_ctx.pick(u"\"\rmit ins selbe Verzeichnis wie Ihre Seite kopieren!",
                           u"\"\rin the same directory!");
    m_ctx.inform(text, m_ctx.pick(u"Hinweis zum Upload", u"Notice"), MessageIcon::Information);
}

void ExportDialog::cmdhtmlraus_Click()
{
    m_ctx.guarded("frmexport", "cmdhtmlraus_Click", [this] { reject(); });
}

} // namespace askbright
