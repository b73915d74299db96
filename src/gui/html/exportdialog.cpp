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

    // The default options match the controls' design states; only the
    // choice of the modern page is kept for the session. The page's
    // language starts as the interface's (the default options).
    m_options.modernPage = m_ctx.state.modernPageChosen;
    m_modernPageBox->setChecked(m_options.modernPage);
    m_pageLanguage->setCurrentIndex(m_ctx.language().isEnglish() ? 1 : 0);
    enableForPageKind();
    m_ctx.keepOnTop(this);
    centreOver(this, parentWidget());
    applyScheme();
    retranslate(m_ctx.language());
}

void ExportDialog::buildControls()
{
    // Created first, so that it lies behind the buttons.
    m_buttonBar = place(new QFrame(this), "Shape1", 0, 354, 470, 64);
    m_buttonBar->setFrameShape(QFrame::NoFrame);

    m_layoutFrame = place(new QGroupBox(this), "Frame1", 8, 6, 454, 176);
    m_withQuestionsOption = place(new QRadioButton(QStringLiteral("Layout 1"), m_layoutFrame),
                                  "optl1", 12, 30, 110, 22);
    m_answersOnlyOption = place(new QRadioButton(QStringLiteral("Layout 2"), m_layoutFrame),
                                "optl2", 12, 58, 110, 22);
    m_withQuestionsOption->setChecked(true);
    m_withQuestionsOption->setToolTip(QStringLiteral("Fragen nochmals wiederholen"));
    m_answersOnlyOption->setToolTip(QStringLiteral("Fragen nicht wiederholen"));
    const auto picture = [this](const char *name, int x, AnswerLayout layout, Language language) {
        QLabel *p = place(new QLabel(m_layoutFrame), name, x, 24, 120, 104);
        p->setPixmap(layoutPicture(layout, language));
        return p;
    };
    m_withQuestionsPicture =
        picture("Picture1", 140, AnswerLayout::WithQuestions, Language::German);
    m_answersOnlyPicture = picture("Picture2", 316, AnswerLayout::AnswersOnly, Language::German);
    m_withQuestionsPictureEnglish =
        picture("Picture1e", 140, AnswerLayout::WithQuestions, Language::English);
    m_answersOnlyPictureEnglish =
        picture("Picture2e", 316, AnswerLayout::AnswersOnly, Language::English);
    m_withQuestionsLabel =
        place(new QLabel(QStringLiteral("Layout 1"), m_layoutFrame), "Label1", 140, 132, 120, 18);
    m_answersOnlyLabel =
        place(new QLabel(QStringLiteral("Layout 2"), m_layoutFrame), "Label2", 316, 132, 120, 18);
    for (QLabel *label : {m_withQuestionsLabel, m_answersOnlyLabel})
        label->setAlignment(Qt::AlignCenter);

    const auto box = [this](const char *name, int y) {
        return place(new QCheckBox(this), name, 16, y, 440, 22);
    };
    m_paragraphsBox = box("Check1", 190);
    m_sameSizeLinksBox = box("chklinks", 214);
    m_preformattedBox = box("chkpre", 238);
    m_contactBox = box("chkmail", 262);
    m_modernPageBox = place(new QCheckBox(this), "modernPageBox", 16, 290, 290, 22);
    m_paragraphsBox->setChecked(true);
    m_contactBox->setChecked(true);
    m_paragraphsBox->setToolTip(QStringLiteral("Absätze wie eingegeben"));
    m_preformattedBox->setToolTip(QStringLiteral("Formatierung wie eingegeben"));

    m_pageLanguageLabel = place(new QLabel(this), "pageLanguageLabel", 36, 320, 150, 22);
    m_pageLanguage = place(new QComboBox(this), "pageLanguage", 190, 318, 120, 26);
    // Each language named in its own words, so either reader finds his.
    m_pageLanguage->addItem(QStringLiteral("Deutsch"));
    m_pageLanguage->addItem(QStringLiteral("English"));
    m_pageLanguageLabel->setBuddy(m_pageLanguage);

    m_previewButton = place(new Button3D({}, this), "previewButton", 316, 286, 140, 30);
    m_generateButton = place(new Button3D({}, this), "cmdgenerieren", 40, 366, 180, 38);
    m_leaveButton = place(new Button3D({}, this), "cmdhtmlraus", 250, 366, 180, 38);
    // Return generates.
    m_generateButton->setDefault(true);
    m_leaveButton->setAutoDefault(false);
    m_previewButton->setAutoDefault(false);

    connectControls();
}

void ExportDialog::connectControls()
{
    connect(m_generateButton, &QPushButton::clicked, this, &ExportDialog::onGenerateClicked);
    connect(m_leaveButton, &QPushButton::clicked, this, &ExportDialog::onLeaveClicked);
    connect(m_paragraphsBox, &QCheckBox::clicked, this, &ExportDialog::onParagraphsClicked);
    connect(m_sameSizeLinksBox, &QCheckBox::clicked, this, &ExportDialog::onSameSizeLinksClicked);
    connect(m_withQuestionsOption, &QRadioButton::clicked, this,
            [this] { onLayoutClicked(AnswerLayout::WithQuestions); });
    connect(m_answersOnlyOption, &QRadioButton::clicked, this,
            [this] { onLayoutClicked(AnswerLayout::AnswersOnly); });
    // The generate command reads these two boxes itself; the preview follows them.
    for (QCheckBox *box : {m_preformattedBox, m_contactBox}) {
        const char *procedure = box == m_contactBox ? "chkmail_Click" : "chkpre_Click";
        connect(box, &QCheckBox::clicked, this, [this, procedure] {
            m_ctx.guarded("frmexport", procedure, [this] { refreshPreview(); });
        });
    }
    connect(m_modernPageBox, &QCheckBox::clicked, this, &ExportDialog::onModernPageClicked);
    connect(m_previewButton, &QPushButton::clicked, this, &ExportDialog::onPreviewClicked);
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
    paintWithScheme({m_contactBox, m_sameSizeLinksBox, m_preformattedBox, m_paragraphsBox,
                     m_modernPageBox, m_withQuestionsOption, m_answersOnlyOption, m_layoutFrame},
                    SchemeRole::Box, colors);
    paintWithScheme({m_withQuestionsLabel, m_answersOnlyLabel, m_pageLanguageLabel},
                    SchemeRole::Text, colors);
    paintWithScheme(m_buttonBar, SchemeRole::Shape, colors);
    paintWithScheme({m_generateButton, m_leaveButton, m_previewButton}, SchemeRole::Button, colors);
}

void ExportDialog::retranslate(Language lang)
{
    m_ctx.guarded("frmexport", lang.isGerman() ? "export_deutsch" : "export_englisch", [&] {
        m_paragraphsBox->setText(caption(1360, lang));
        m_contactBox->setText(caption(1850, lang));
        m_sameSizeLinksBox->setText(caption(1350, lang));
        m_preformattedBox->setText(caption(1340, lang));
        m_generateButton->setCaption(caption(1370, lang));
        m_leaveButton->setCaption(caption(1380, lang));
        m_layoutFrame->setTitle(caption(1330, lang));
        m_modernPageBox->setText(lang.pick(u"Moderne Seite (HTML5)", u"Modern page (HTML5)"));
        m_previewButton->setCaption(lang.pick(u"Vorschau", u"Preview"));
        m_pageLanguageLabel->setText(lang.pick(u"Sprache der Seite:", u"Page language:"));
        setWindowTitle(lang.pick(u"HTML- Generierung", u"Generating HTML-Code"));
        // The pictures show the page's words in the language it will be generated in.
        for (QLabel *p : {m_withQuestionsPicture, m_answersOnlyPicture})
            p->setVisible(lang.isGerman());
        for (QLabel *p : {m_withQuestionsPictureEnglish, m_answersOnlyPictureEnglish})
            p->setVisible(lang.isEnglish());
    });
}

// ---------------------------------------------------------------- options

void ExportDialog::onParagraphsClicked()
{
    m_ctx.guarded("frmexport", "Check1_Click", [this] {
        m_options.formatParagraphs = m_paragraphsBox->isChecked();
        refreshPreview();
    });
}

void ExportDialog::onSameSizeLinksClicked()
{
    m_ctx.guarded("frmexport", "chklinks_Click", [this] {
        m_options.smallLinks = !m_sameSizeLinksBox->isChecked();
        refreshPreview();
    });
}

void ExportDialog::onLayoutClicked(AnswerLayout layout)
{
    const bool first = layout == AnswerLayout::WithQuestions;
    m_ctx.guarded("frmexport", first ? "optl1_Click" : "optl2_Click", [this, layout] {
        m_options.answerLayout = layout;
        m_ctx.play("menu");
        refreshPreview();
    });
}

void ExportDialog::onModernPageClicked()
{
    m_ctx.guarded("frmexport", "onModernPageClicked", [this] {
        m_options.modernPage = m_modernPageBox->isChecked();
        m_ctx.state.modernPageChosen = m_options.modernPage;
        enableForPageKind();
        refreshPreview();
    });
}

void ExportDialog::onPageLanguageChosen()
{
    m_ctx.guarded("frmexport", "onPageLanguageChosen", [this] {
        m_options.pageLanguage =
            m_pageLanguage->currentIndex() == 1 ? Language::English : Language::German;
        refreshPreview();
    });
}

void ExportDialog::enableForPageKind()
{
    const bool modern = m_modernPageBox->isChecked();
    m_layoutFrame->setEnabled(!modern);
    m_pageLanguageLabel->setEnabled(modern);
    m_pageLanguage->setEnabled(modern);
}

// ---------------------------------------------------------------- preview

void ExportDialog::onPreviewClicked()
{
    m_ctx.guarded("frmexport", "onPreviewClicked", [this] {
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
    if (m_contactBox->isChecked())
        m_ctx.guarded([&] { address = readContactAddress(m_ctx.state.dataFolder()); },
                      [](const AppError &) {});
    m_preview->showPage(currentRequest(address));
}

PageRequest ExportDialog::currentRequest(const QString &contactAddress) const
{
    PageRequest request;
    request.projectPath = localPath(m_ctx.state.pages.projectPath());
    request.outputFolder = localPath(m_ctx.state.pages.outputFolder());
    request.options = m_options;
    request.options.preformattedAnswers = m_preformattedBox->isChecked();
    request.options.useContactAddress = m_contactBox->isChecked();
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
    while (m_contactBox->isChecked() && address.isEmpty()) {
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
    if (!m_contactBox->isChecked())
        address.clear();
    return address;
}

void ExportDialog::onGenerateClicked()
{
    m_ctx.guarded("frmexport", "cmdgenerieren_Click", [this] {
        AppState &state = m_ctx.state;
        state.contactAddress = settleContactAddress();
        const PageRequest request = currentRequest(state.contactAddress);
        m_options = request.options;
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

void ExportDialog::onLeaveClicked()
{
    m_ctx.guarded("frmexport", "cmdhtmlraus_Click", [this] { reject(); });
}

} // namespace askbright
