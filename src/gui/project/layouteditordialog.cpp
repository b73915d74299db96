#include "project/layouteditordialog.h"

#include "app/apperror.h"
#include "app/interfacetexts.h"
#include "app/paths.h"
#include "app/placement.h"
#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "appearance/schemefile.h"
#include "controls/button3d.h"
#include "controls/formontop.h"
#include "controls/storedtext.h"
#include "fonts/fontlist.h"
#include "project/contactstore.h"
#include "project/keywordlist.h"
#include "project/tiling.h"
#include "state/appstate.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace askbright {

namespace {

const QString projectFilter = QStringLiteral("Projekt-Datei (*.pdt)|*.pdt");
const QString pictureFilter = QStringLiteral(
    "Bitmaps (*.bmp)|*.bmp|Metadateien (*.wmf)|*.wmf|Alle "
    "Bilddateien(*.ico;*.jpg;*gif;*.wmf;*.bmp;*.dib;*.emf;*.cur)|*.ico;*.jpg;*gif;*.wmf;*.bmp;*."
    "dib;*.emf;*.cur");
const QStringList sizeChoices = {QStringLiteral(" 8"), QStringLiteral("10"), QStringLiteral("12"),
                                 QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"),
                                 QStringLiteral("20"), QStringLiteral("22"), QStringLiteral("24")};

// Multi-line fields hold "\n"; the project file's values carry CR LF.
QString fromField(QString text)
{
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

QString forField(QString value)
{
    return value.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

// Keys that leave the font and title size lists editable: those with a key
// code of 14 or less (Backspace, Tab, Clear, Enter).
bool keyLocksList(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Clear:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return false;
    default:
        return true;
    }
}

} // namespace

LayoutEditorDialog::LayoutEditorDialog(WindowContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_dialog(ctx.dialogs, [&ctx] { return ctx.language(); })
{
    setObjectName(QStringLiteral("frmindex"));
    setModal(true);
    buildControls();
    connectChanges();
    guard("Form_Load", [this] { load(); });
}

int LayoutEditorDialog::showFor(WindowContext &ctx, QWidget *owner)
{
    LayoutEditorDialog editor(ctx, owner);
    return ctx.showModal(owner, editor);
}

bool LayoutEditorDialog::guard(const char *procedure, const std::function<void()> &body)
{
    return m_ctx.guarded("frmindex", procedure, body);
}

// ---------------------------------------------------------------- controls

void LayoutEditorDialog::buildControls()
{
    setFixedSize(990, 560);
    auto label = [](QWidget *parent, const char *name, int x, int y, int w, int h) {
        auto *l = place(new QLabel(parent), name, x, y, w, h);
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    const LanguageOf language = [this] { return m_ctx.language(); };
    auto lineField = [this, &language](const char *name, int x, int y, int w, int h) {
        auto *field = place(new QLineEdit(this), name, x, y, w, h);
        guardStoredText(field, language);
        return field;
    };
    auto textField = [this, &language](const char *name, int x, int y, int w, int h) {
        auto *field = place(new StoredTextEdit(language, this), name, x, y, w, h);
        field->setTabChangesFocus(true);
        return field;
    };
    auto list = [](QWidget *parent, const char *name, int x, int y, int w, int h) {
        auto *c = place(new QComboBox(parent), name, x, y, w, h);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        return c;
    };
    auto option = [](QWidget *parent, const char *name, int x, int y, int w, int h) {
        return place(new QRadioButton(parent), name, x, y, w, h);
    };

    // Head data on the left.
    m_headingLabel = label(this, "lblkopf", 10, 6, 380, 24);
    QFont heading = m_headingLabel->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    heading.setBold(true);
    m_headingLabel->setFont(heading);
    m_titleLabel = label(this, "lbltitel", 10, 36, 380, 16);
    m_titleField = textField("txttitel", 10, 52, 380, 50);
    m_authorLabel = label(this, "lblname", 10, 106, 380, 16);
    m_authorField = textField("Text1", 10, 122, 380, 40);
    m_descriptionLabel = label(this, "lblbeschreibung", 10, 166, 380, 16);
    m_descriptionField = textField("txtbeschreibung", 10, 182, 380, 50);
    m_keywordsLabel = label(this, "lblkeywords", 10, 236, 380, 16);
    m_keywordList = place(new KeywordList(this), "Combo1", 10, 252, 380, 24);
    m_pageFileNameLabel = label(this, "lbldatname", 10, 282, 380, 16);
    m_pageFileNameField = lineField("txtdatname", 10, 298, 380, 24);
    m_contactLabel = label(this, "lblmail", 10, 328, 380, 16);
    m_contactField = lineField("txtmail", 10, 344, 380, 24);

    m_fontFrame = place(new QGroupBox(this), "Frame1", 10, 376, 380, 116);
    m_fontLabel = label(m_fontFrame, "lblstil", 8, 16, 364, 16);
    m_fontList = list(m_fontFrame, "cindexschrift", 8, 34, 204, 24);
    m_titleSizeList = list(m_fontFrame, "cgroesse", 218, 34, 74, 24);
    m_textSizeList = list(m_fontFrame, "cgroessetext", 298, 34, 74, 24);
    m_boldBox = place(new QCheckBox(m_fontFrame), "Check1", 8, 62, 100, 20);
    m_italicBox = place(new QCheckBox(m_fontFrame), "Check3", 112, 62, 100, 20);
    m_titleAlignmentLabel = label(m_fontFrame, "lbltitelausrichtung", 8, 88, 112, 20);
    m_titleLeftOption = option(m_fontFrame, "opttitellinks", 120, 88, 72, 20);
    m_titleCentreOption = option(m_fontFrame, "opttitelzent", 192, 88, 100, 20);
    m_titleRightOption = option(m_fontFrame, "opttitelrechts", 292, 88, 82, 20);
    // What a new project starts with.
    m_titleField->setPlainText(QStringLiteral("FAQ- Häfig gestellte Fragen und \nAntworten\n"));
    m_pageFileNameField->setText(QStringLiteral("faqpage1"));
    for (QComboBox *c : std::initializer_list<QComboBox *>{m_keywordList, m_textSizeList})
        guardStoredText(c->lineEdit(), language);

    m_faqAlignmentFrame =
        place(new QGroupBox(QStringLiteral("FAQs"), this), "Frame2", 10, 498, 380, 52);
    m_faqLeftOption = option(m_faqAlignmentFrame, "olinks", 10, 22, 110, 22);
    m_faqCentreOption = option(m_faqAlignmentFrame, "omitte", 130, 22, 110, 22);
    m_faqRightOption = option(m_faqAlignmentFrame, "orechts", 250, 22, 110, 22);

    // Colours on the right; their contrast labels stand beside the preview.
    m_colorTools = place(new ColorTools(m_ctx, this, this), "Frame3", 400, 30, 450, 226);

    // The preview: background colour or tiled picture, and the samples.
    m_previewLabel = label(this, "lblvorschau", 400, 262, 450, 16);
    m_preview = place(new QLabel(this), "picvorschau", 400, 280, 450, 200);
    m_preview->setAutoFillBackground(true);
    m_preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_textSample = label(m_preview, "lbltext", 14, 14, 420, 22);
    m_newLinkSample = label(m_preview, "lblneulink", 14, 44, 420, 22);
    m_visitedLinkSample = label(m_preview, "lblaltlink", 14, 74, 420, 22);
    m_activeLinkSample = label(m_preview, "lblaktivlink", 14, 104, 420, 22);
    for (QLabel *link : {m_newLinkSample, m_visitedLinkSample, m_activeLinkSample}) {
        QFont f = link->font();
        f.setUnderline(true);
        link->setFont(f);
    }
    m_backgroundPicture = place(new QLabel(this), "Picture1", 0, 0, 1, 1);
    m_backgroundPicture->hide();

    m_buttonBar = place(new QWidget(this), "Shape2", 400, 488, 450, 64);
    m_buttonBar->setAutoFillBackground(true);
    m_saveButton = place(new Button3D({}, this), "cmdfarbspeichern", 410, 496, 140, 48);
    m_openButton = place(new Button3D({}, this), "cmdoeffnefarbe", 556, 496, 140, 48);
    m_leaveButton = place(new Button3D({}, this), "cmdrausprojekt", 702, 496, 138, 48);
    // Enter belongs to the fields (the keyword list takes it), never to a button.
    for (Button3D *b : {m_saveButton, m_openButton, m_leaveButton}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    for (QComboBox *c : {m_fontList, m_titleSizeList})
        c->installEventFilter(this);
}

void LayoutEditorDialog::connectChanges()
{
    auto changed = [this](const char *procedure) {
        return [this, procedure] { guard(procedure, [this] { markUnsaved(); }); };
    };
    connect(m_titleField, &QPlainTextEdit::textChanged, this, changed("txttitel_Change"));
    connect(m_authorField, &QPlainTextEdit::textChanged, this, changed("Text1_Change"));
    connect(m_descriptionField, &QPlainTextEdit::textChanged, this,
            changed("txtbeschreibung_Change"));
    connect(m_pageFileNameField, &QLineEdit::textChanged, this, changed("txtdatname_Change"));
    // The address is saved with the project: a change of it alone is unsaved work too.
    connect(m_contactField, &QLineEdit::textChanged, this, changed("txtmail_Change"));
    connect(m_keywordList, &QComboBox::editTextChanged, this, changed("Combo1_Change"));
    connect(m_fontList, &QComboBox::editTextChanged, this, changed("cindexschrift_Change"));
    connect(m_titleSizeList, &QComboBox::editTextChanged, this, changed("cgroesse_Change"));
    connect(m_textSizeList, &QComboBox::editTextChanged, this, changed("cgroessetext_Change"));
    connect(m_boldBox, &QCheckBox::toggled, this, changed("Check1_Click"));
    connect(m_italicBox, &QCheckBox::toggled, this, changed("Check3_Click"));
    for (QRadioButton *o : {m_faqLeftOption, m_faqCentreOption, m_faqRightOption})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                guard("olinks_Click", [this] { markUnsaved(); });
        });
    const std::pair<QRadioButton *, Alignment> titleOptions[] = {
        {m_titleLeftOption, Alignment::Left},
        {m_titleCentreOption, Alignment::Center},
        {m_titleRightOption, Alignment::Right}};
    for (const auto &[o, alignment] : titleOptions)
        connect(o, &QRadioButton::toggled, this, [this, alignment = alignment](bool on) {
            if (!on)
                return;
            guard("opttitel_Click", [this, alignment] {
                m_titleAlignment = alignment;
                markUnsaved();
            });
        });
    connect(m_fontList, &QComboBox::textActivated, this, [this](const QString &font) {
        guard("cindexschrift_Click", [&] { setTitleFont(font); });
    });

    connect(m_colorTools, &ColorTools::colorTextChanged, this, &LayoutEditorDialog::markUnsaved);
    connect(m_colorTools, &ColorTools::elementPainted, this, &LayoutEditorDialog::paintSample);
    connect(m_colorTools, &ColorTools::backgroundColorChosen, this,
            &LayoutEditorDialog::dropPicture);
    m_colorTools->setPictureChooser([this] { choosePicture(); });
    connect(m_saveButton, &Button3D::clicked, this, &LayoutEditorDialog::onSaveProjectClicked);
    connect(m_openButton, &Button3D::clicked, this, &LayoutEditorDialog::onOpenProjectClicked);
    connect(m_leaveButton, &Button3D::clicked, this, &LayoutEditorDialog::onLeaveClicked);
}

// ---------------------------------------------------------------- opening

void LayoutEditorDialog::load()
{
    centreOver(this, parentWidget());
    m_ctx.keepOnTop(this);
    m_pageSaved = false;

    m_fontList->addItems(m_ctx.state.installedFonts.mid(1));
    m_fontList->setEditText(QStringLiteral("Arial"));
    m_leavingByButton = false;
    for (QComboBox *sizes : {m_titleSizeList, m_textSizeList}) {
        sizes->addItems(sizeChoices);
        sizes->setEditText(QStringLiteral("10"));
    }

    // A scheme that cannot be read is reported; the window opens unpainted.
    guard("Form_Load", [this] {
        const QString &scheme = m_ctx.state.settings.schemeFilePath;
        if (!scheme.isEmpty() && isUsableScheme(scheme)) {
            skin_einlesen(scheme, m_ctx.state.currentColors, m_ctx.state.savedColors);
            applyScheme();
        }
    });

    m_colorTools->reset();

    const PageSelection &pages = m_ctx.state.pages;
    setCaption(pages.page());

    m_templatesFolder = pages.templatesFolder();
    m_projectFilePath = pages.projectPath();
    readProject();
    showContactAddress();

    retranslate(m_ctx.language());
    setTitleFont(m_fontList->currentText());
    m_pageSaved = false;
}

void LayoutEditorDialog::setCaption(const QString &fileName)
{
    m_shownFileName = fileName;
    setWindowTitle(caption(1500, m_ctx.language()) + QStringLiteral("   ") +
                   m_ctx.pick(u"Datei: ", u"File: ") + fileName);
}

void LayoutEditorDialog::markUnsaved()
{
    m_pageSaved = false;
}

void LayoutEditorDialog::setTitleFont(const QString &family)
{
    QFont font(family);
    font.setPointSize(10);
    m_titleField->setFont(font);
}

// ---------------------------------------------------------------- project <-> window

PageProject LayoutEditorDialog::windowProject() const
{
    PageProject p;
    p.title = fromField(m_titleField->toPlainText());
    p.textColor = m_colorTools->colorText(ColorTools::TextColor);
    p.bgColor = m_colorTools->colorText(ColorTools::BgColor);
    p.alinkColor = m_colorTools->colorText(ColorTools::ActiveLink);
    p.vlinkColor = m_colorTools->colorText(ColorTools::VisitedLink);
    p.linkColor = m_colorTools->colorText(ColorTools::NewLink);
    p.picturePath = m_backgroundPicturePath;
    p.pictureUse = m_backgroundPictureOn;
    p.pageFileName = m_pageFileNameField->text();
    p.author = fromField(m_authorField->toPlainText());
    p.description = fromField(m_descriptionField->toPlainText());
    p.titleAlign = m_titleAlignment;
    p.bold = m_boldBox->isChecked();
    p.italic = m_italicBox->isChecked();
    p.fontName = familyWithoutFoundry(m_fontList->currentText());
    p.titleSize = m_titleSizeList->currentText();
    p.textSize = m_textSizeList->currentText();
    p.faqAlign = faqAlignment();
    p.keywords = m_keywordList->keywords();
    return p;
}

Alignment LayoutEditorDialog::faqAlignment() const
{
    if (m_faqLeftOption->isChecked())
        return Alignment::Left;
    if (m_faqRightOption->isChecked())
        return Alignment::Right;
    return m_faqCentreOption->isChecked() ? Alignment::Center : Alignment::Unset;
}

void LayoutEditorDialog::selectAlignment(Alignment alignment, QRadioButton *left,
                                         QRadioButton *centre, QRadioButton *right)
{
    switch (alignment) {
    case Alignment::Left:
        left->setChecked(true);
        break;
    case Alignment::Center:
        centre->setChecked(true);
        break;
    case Alignment::Right:
        right->setChecked(true);
        break;
    case Alignment::Unset:
        break;
    }
}

void LayoutEditorDialog::applyProject(const PageProject &p, const PageProject &before,
                                      bool complete)
{
    // A read that stopped early took over only the first lines: the rest of
    // the window stays as it was.
    auto read = [complete](const auto &value, const auto &old) { return complete || value != old; };
    if (read(p.title, before.title))
        m_titleField->setText(forField(p.title));
    const QString PageProject::*colors[] = {&PageProject::textColor, &PageProject::bgColor,
                                            &PageProject::alinkColor, &PageProject::vlinkColor,
                                            &PageProject::linkColor};
    for (int e = 0; e < ColorTools::ElementCount; ++e) {
        const QString &text = p.*colors[e];
        if (read(text, before.*colors[e]))
            m_colorTools->showColor(Element(e), text);
    }
    if (read(p.picturePath, before.picturePath) || read(p.pictureUse, before.pictureUse)) {
        m_backgroundPicturePath = p.picturePath;
        m_backgroundPictureOn = p.pictureUse;
        // A picture that cannot be shown leaves the background colour; the
        // missing-picture notice has been given while reading.
        if (p.picturePath.isEmpty() || !p.usesPicture() ||
            !QFileInfo(localPath(p.picturePath)).isFile() || !loadBackgroundPicture(p.picturePath))
            removeBackgroundPicture();
    }
    if (read(p.pageFileName, before.pageFileName))
        m_pageFileNameField->setText(p.pageFileName);
    if (read(p.author, before.author))
        m_authorField->setText(forField(p.author));
    if (read(p.description, before.description))
        m_descriptionField->setText(forField(p.description));
    if (read(p.titleAlign, before.titleAlign)) {
        m_titleAlignment = p.titleAlign;
        selectAlignment(p.titleAlign, m_titleLeftOption, m_titleCentreOption, m_titleRightOption);
    }
    m_boldBox->setChecked(p.bold);
    m_italicBox->setChecked(p.italic);
    if (read(p.fontName, before.fontName)) {
        m_fontList->setEditText(p.fontName);
        // The preview shows this project's font, not the one of the project before.
        setTitleFont(p.fontName);
    }
    if (read(p.titleSize, before.titleSize))
        m_titleSizeList->setEditText(p.titleSize);
    if (read(p.textSize, before.textSize))
        m_textSizeList->setEditText(p.textSize);
    if (read(p.faqAlign, before.faqAlign))
        selectAlignment(p.faqAlign, m_faqLeftOption, m_faqCentreOption, m_faqRightOption);
    // The file's keywords replace the list; after a complete read the first
    // one stands in the entry field.
    if (read(p.keywords, before.keywords))
        m_keywordList->setKeywords(p.keywords, complete);
}

void LayoutEditorDialog::readProject()
{
    m_colorTools->pauseSliders();
    const PageProject before = windowProject();
    PageProject project = before;
    switch (openPageProject(m_projectFilePath, project, m_ctx.language(), m_ctx.dialogs)) {
    case ProjectReadOutcome::NotAProject:
    case ProjectReadOutcome::FolderMissing:
        return;
    case ProjectReadOutcome::Stopped:
        applyProject(project, before, false);
        return;
    case ProjectReadOutcome::Read:
        applyProject(project, before, true);
        break;
    case ProjectReadOutcome::NotPdt:
        break;
    }
    readAddressStore();
}

// ---------------------------------------------------------------- contact address

void LayoutEditorDialog::readAddressStore()
{
    // A store of fewer than two lines ends the reading silently.
    m_ctx.guarded(
        [this] {
            if (const std::optional<ContactStore> store =
                    askbright::readContactStore(m_ctx.state.dataFolder())) {
                m_addressVersion = store->addressVersion;
                m_ctx.state.contactAddress = store->address;
            }
        },
        [](const AppError &) {});
}

void LayoutEditorDialog::showContactAddress()
{
    if (addressIsEncoded({m_addressVersion, m_ctx.state.contactAddress}))
        decodeContactAddress();
    else
        m_contactField->setText(m_ctx.state.contactAddress);
}

void LayoutEditorDialog::decodeContactAddress()
{
    guard("mail_decrypt", [this] {
        const QString address = askbright::mail_decrypt(m_ctx.state.contactAddress);
        m_contactField->setText(address);
        m_ctx.state.contactAddress = address;
        // What is held now is the plain address; it must not be decoded again.
        m_addressVersion.clear();
    });
}

// ---------------------------------------------------------------- saving and opening

bool LayoutEditorDialog::saveProject()
{
    return guard("seite_speichern", [this] {
        m_keywordList->removeDuplicates();
        if (m_titleAlignment == Alignment::Unset)
            m_titleAlignment = Alignment::Center;
        savePageProject(m_projectFilePath, windowProject(), m_keywordList->currentText());
        saveEditorContactStore(m_ctx.state.dataFolder(), m_contactField->text());
    });
}

void LayoutEditorDialog::onSaveProjectClicked()
{
    // A cancelled dialog or any failure ends the command without a message;
    // write errors have been reported by saveProject.
    m_ctx.guarded(
        [this] {
            const QString remembered = m_templatesFolder;
            if (!m_contactField->text().contains(u'@')) {
                const int answer =
                    m_ctx.ask(m_ctx.pick(u"EMail-Eintrag fehlt noch! ABBRECHEN = kein Eintrag",
                                         u"Please fill out the email-field. CANCEL = no entry"),
                              m_ctx.pick(u"Vervollständigen!", u"completely"),
                              MessageButtons::OkCancel, MessageIcon::Information);
                if (answer == AnswerOk) {
                    m_contactField->setFocus();
                    return;
                }
            }
            QString chosen;
            for (;;) {
                prepareProjectDialog(remembered, QStringLiteral("Projektdatei speichern"));
                if (!m_dialog.showSave())
                    return;
                chosen = m_dialog.fileName;
                const QString folder = folderOf(chosen);
                if (m_ctx.state.pages.templatesFolder() == folder)
                    break;
                const int answer =
                    m_ctx.ask(m_ctx.pick(u"Damit wechseln Sie den Standardordner für "
                                         u"Seitenvorlagen!\rWollen Sie dies wirklich?",
                                         u"Your'll change the templates folder!\rYour be sure?"),
                              m_ctx.pick(u"Hinweis", u"Notice"), MessageButtons::YesNoCancel,
                              MessageIcon::Question, 2);
                if (answer == AnswerYes) {
                    followIntoFolder(folder);
                    break;
                }
            }
            m_projectFilePath = chosen;
            m_templatesFolder = folderOf(chosen);
            if (!saveProject())
                return;
            m_pageSaved = true;
            const QString name = fileNameOf(chosen);
            setCaption(name);
            // A project new in the folder appears in the page list.
            rescanPages();
            m_ctx.state.pages.setPage(name);
        },
        [](const AppError &) {});
}

void LayoutEditorDialog::followIntoFolder(const QString &folder)
{
    m_ctx.state.pages.setTemplatesFolder(folder);
    rescanPages();
}

void LayoutEditorDialog::rescanPages()
{
    // Reported as the page list's own failure.
    m_ctx.guarded("frm1", "dir_einlesen", [this] { m_ctx.state.pages.rescan(); });
}

void LayoutEditorDialog::prepareProjectDialog(const QString &initDir, const QString &title)
{
    m_dialog.initDir = initDir;
    m_dialog.fileName.clear();
    m_dialog.dialogTitle = title;
    m_dialog.filter = projectFilter;
    m_dialog.filterIndex = 1;
    m_dialog.flags = DialogFlags::Save;
}

void LayoutEditorDialog::onOpenProjectClicked()
{
    m_ctx.guarded(
        [this] {
            prepareProjectDialog(m_templatesFolder, QStringLiteral("Projektdatei öffnen"));
            if (!m_dialog.showOpen())
                return;
            const QString chosen = m_dialog.fileName;
            m_projectFilePath = chosen;
            m_templatesFolder = folderOf(chosen);
            readProject();
            showContactAddress();
            const QString name = fileNameOf(chosen);
            setCaption(name);
            // The page selection follows into the project's folder, as the
            // setting does, so that its page name names the project opened.
            if (m_ctx.state.pages.templatesFolder() != m_templatesFolder)
                followIntoFolder(m_templatesFolder);
            m_ctx.state.pages.setPage(name);
            m_pageSaved = false;
        },
        [](const AppError &) {});
}

// ---------------------------------------------------------------- leaving

void LayoutEditorDialog::onLeaveClicked()
{
    guard("cmdrausprojekt_Click", [this] {
        m_leavingByButton = true;
        if (!m_pageSaved) {
            const int answer =
                m_ctx.ask(m_ctx.pick(u"Änderungen sind noch nicht gespeichert! Wirklich verlassen?",
                                     u"Changed data are not saved! Really leave?"),
                          m_ctx.pick(u"Ohne Speichern verlassen?", u"Lose data!"),
                          MessageButtons::YesNo, MessageIcon::Critical, 2);
            if (answer == AnswerNo) {
                m_leavingByButton = false;
                return;
            }
        }
        m_ctx.play("good1");
        close();
    });
}

bool LayoutEditorDialog::confirmClose()
{
    if (m_leavingByButton)
        return true;
    if (!m_pageSaved) {
        const int answer = m_ctx.ask(m_ctx.pick(u"Noch nicht gespeichert! Trotzdem raus?",
                                                u"Page is not saved! Sure close this window?"),
                                     m_ctx.pick(u"Sicherheitsabfrage", u"Lose Data!"),
                                     MessageButtons::YesNoCancel, MessageIcon::Question, 3);
        if (answer != AnswerYes)
            return false;
    }
    m_ctx.play("good1");
    if (m_ctx.state.settings.alwaysOnTop)
        FormOnTop(this, false);
    return true;
}

void LayoutEditorDialog::closeEvent(QCloseEvent *event)
{
    bool leave = true;
    guard("Form_QueryUnload", [&] { leave = confirmClose(); });
    if (!leave) {
        event->ignore();
        return;
    }
    m_closeConfirmed = true;
    QDialog::closeEvent(event);
    m_closeConfirmed = false;
}

void LayoutEditorDialog::reject()
{
    // Escape closes like the close box, with its question.
    if (m_closeConfirmed)
        QDialog::reject();
    else
        close();
}

// ---------------------------------------------------------------- keyword and font lists

bool LayoutEditorDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The font and title size lists are picked from, not typed into.
    const bool press = event->type() == QEvent::KeyPress;
    if ((press || event->type() == QEvent::KeyRelease) &&
        (watched == m_fontList || watched == m_titleSizeList)) {
        auto *list = static_cast<QComboBox *>(watched);
        list->lineEdit()->setReadOnly(press &&
                                      keyLocksList(static_cast<QKeyEvent *>(event)->key()));
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- background picture

bool LayoutEditorDialog::loadBackgroundPicture(const QString &path)
{
    QPixmap picture;
    if (!picture.load(localPath(path)))
        return false;
    m_backgroundPicture->setPixmap(picture);
    m_backgroundPicture->resize(picture.size());
    tileBackgroundPicture();
    return true;
}

void LayoutEditorDialog::removeBackgroundPicture()
{
    m_preview->clear();
    m_backgroundPicture->clear();
}

void LayoutEditorDialog::tileBackgroundPicture()
{
    const QPixmap picture = m_backgroundPicture->pixmap();
    if (picture.isNull())
        return;
    QPixmap canvas(m_preview->size());
    canvas.fill(m_preview->palette().color(QPalette::Window));
    QPainter painter(&canvas);
    for (const QRect &tile : tileRects(m_preview->size(), m_backgroundPicture->size(),
                                       m_backgroundPicture->contentsRect().size()))
        painter.drawPixmap(tile, picture);
    painter.end();
    m_preview->setPixmap(canvas);
}

void LayoutEditorDialog::choosePicture()
{
    m_dialog.initDir = folderOf(m_backgroundPicturePath);
    m_dialog.fileName.clear();
    m_dialog.filter = pictureFilter;
    m_dialog.filterIndex = 3;
    if (!m_dialog.showOpen())
        return;
    const QString path = m_dialog.fileName;
    if (!loadBackgroundPicture(path)) {
        m_ctx.inform(m_ctx.pick(u"Dieses Bild kann nicht angezeigt werden:\r",
                                u"This picture cannot be shown:\r") +
                         path,
                     m_ctx.pick(u"Hinweis", u"Notice"), MessageIcon::Information);
        return;
    }
    m_previewLabel->setText(m_ctx.pick(u"Vorschau: ", u"Preview: "));
    m_colorTools->pictureTaken();
    m_backgroundPictureOn = PictureUse::Used;
    m_backgroundPicturePath = path;
    // The picture is part of the project: leaving now would lose it.
    markUnsaved();
}

void LayoutEditorDialog::dropPicture()
{
    removeBackgroundPicture();
    // Dropping a chosen picture is a change of the project.
    if (m_backgroundPictureOn == PictureUse::Used || !m_backgroundPicturePath.isEmpty())
        markUnsaved();
    m_backgroundPictureOn = PictureUse::NotUsed;
    m_backgroundPicturePath.clear();
}

void LayoutEditorDialog::paintSample(Element element, const QColor &color)
{
    // Text colours for the active and inactive window; backgrounds for every state.
    auto foreground = [&color](QWidget *widget, QPalette::ColorRole role) {
        QPalette p = widget->palette();
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            p.setColor(group, role, color);
        widget->setPalette(p);
    };
    auto background = [&color](QWidget *widget, QPalette::ColorRole role) {
        QPalette p = widget->palette();
        p.setColor(role, color);
        widget->setPalette(p);
    };
    switch (element) {
    case ColorTools::TextColor:
        foreground(m_textSample, QPalette::WindowText);
        foreground(m_titleField, QPalette::Text);
        break;
    case ColorTools::BgColor:
        background(m_preview, QPalette::Window);
        background(m_titleField, QPalette::Base);
        break;
    case ColorTools::ActiveLink:
        foreground(m_activeLinkSample, QPalette::WindowText);
        break;
    case ColorTools::VisitedLink:
        foreground(m_visitedLinkSample, QPalette::WindowText);
        break;
    case ColorTools::NewLink:
        foreground(m_newLinkSample, QPalette::WindowText);
        break;
    case ColorTools::ElementCount:
        break;
    }
}

// ---------------------------------------------------------------- captions and look

void LayoutEditorDialog::retranslate(Language language)
{
    guard(language.isGerman() ? "seite_deutsch" : "seite_englisch", [&] {
        auto text = [language](int id) { return caption(id, language); };
        const std::pair<QLabel *, int> labels[] = {
            {m_headingLabel, 1500},     {m_titleAlignmentLabel, 1510}, {m_titleLabel, 1520},
            {m_authorLabel, 1530},      {m_descriptionLabel, 1540},    {m_keywordsLabel, 1550},
            {m_contactLabel, 1560},     {m_pageFileNameLabel, 1570},   {m_previewLabel, 1740},
            {m_activeLinkSample, 1750}, {m_visitedLinkSample, 1760},   {m_newLinkSample, 1770},
            {m_textSample, 1780},
        };
        for (const auto &[l, id] : labels)
            l->setText(text(id));
        const std::pair<QAbstractButton *, int> buttons[] = {
            {m_faqLeftOption, 1580},   {m_faqCentreOption, 1590},   {m_faqRightOption, 1600},
            {m_titleLeftOption, 1580}, {m_titleCentreOption, 1710}, {m_titleRightOption, 1600},
            {m_leaveButton, 1620},     {m_italicBox, 1720},         {m_boldBox, 1730},
        };
        for (const auto &[b, id] : buttons)
            b->setText(text(id));
        m_saveButton->setCaption(language.pick(u"Vorlage\nspeichern", u"Template\nsave"));
        m_openButton->setCaption(language.pick(u"Vorlage\nöffnen", u"Template\nopen"));
        m_fontLabel->setText(language.pick(u"Schriftart, Größe des Titels und des Textes:",
                                           u"Font, size of the title and of the text:"));
        m_contactField->setToolTip(language.pick(u"Email-Adresse wird verschlüsselt generiert",
                                                 u"EMail-adress will be encoded"));
        m_titleField->setToolTip(language.pick(u"Keine Fomat-Vorschau (nur Schriftart)",
                                               u"no format preview- only fonttyp"));
        m_colorTools->retranslate(language);
        setCaption(m_shownFileName);
    });
}

void LayoutEditorDialog::applyScheme()
{
    const ColorScheme &scheme = m_ctx.state.currentColors;
    paintWithScheme(this, SchemeRole::Window, scheme);
    paintWithScheme(m_buttonBar, SchemeRole::Shape, scheme);
    paintWithScheme({m_saveButton, m_openButton, m_leaveButton}, SchemeRole::Button, scheme);
    paintWithScheme({m_boldBox, m_italicBox, m_titleLeftOption, m_titleCentreOption,
                     m_titleRightOption, m_faqLeftOption, m_faqCentreOption, m_faqRightOption,
                     m_fontFrame, m_faqAlignmentFrame, m_fontLabel},
                    SchemeRole::Box, scheme);
    paintWithScheme({m_headingLabel, m_titleLabel, m_authorLabel, m_descriptionLabel,
                     m_keywordsLabel, m_pageFileNameLabel, m_contactLabel, m_titleAlignmentLabel,
                     m_previewLabel},
                    SchemeRole::Text, scheme);
    m_colorTools->applyScheme(scheme);
}

} // namespace askbright
