#include "project/layouteditordialog.h"

#include "app/apperror.h"
#include "app/interfacetexts.h"
#include "app/paths.h"
#include "app/placement.h"
#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "appearance/schemefile.h"
#include "controls/button3d.h"
#include "controls/colorvalue.h"
#include "controls/formontop.h"
#include "controls/storedtext.h"
#include "fonts/fontlist.h"
#include "project/contactstore.h"
#include "project/tiling.h"
#include "state/appstate.h"

#include <QButtonGroup>
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
#include <QScrollBar>

namespace askbright {

namespace {

constexpr int maxListedKeywords = 30;

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

QStringList itemsOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
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

void deselect(QButtonGroup *group, QAbstractButton *button)
{
    group->setExclusive(false);
    button->setChecked(false);
    group->setExclusive(true);
}

} // namespace

LayoutEditorDialog::LayoutEditorDialog(WindowContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_dialog(ctx.dialogs, [&ctx] { return ctx.language(); })
{
    setObjectName(QStringLiteral("frmindex"));
    setModal(true);
    buildControls();
    connectChanges();
    guard("Form_Load", [this] { Form_Load(); });
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
    lblkopf = label(this, "lblkopf", 10, 6, 380, 24);
    QFont heading = lblkopf->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    heading.setBold(true);
    lblkopf->setFont(heading);
    lbltitel = label(this, "lbltitel", 10, 36, 380, 16);
    txttitel = textField("txttitel", 10, 52, 380, 50);
    lblname = label(this, "lblname", 10, 106, 380, 16);
    Text1 = textField("Text1", 10, 122, 380, 40);
    lblbeschreibung = label(this, "lblbeschreibung", 10, 166, 380, 16);
    txtbeschreibung = textField("txtbeschreibung", 10, 182, 380, 50);
    lblkeywords = label(this, "lblkeywords", 10, 236, 380, 16);
    Combo1 = list(this, "Combo1", 10, 252, 380, 24);
    lbldatname = label(this, "lbldatname", 10, 282, 380, 16);
    txtdatname = lineField("txtdatname", 10, 298, 380, 24);
    lblmail = label(this, "lblmail", 10, 328, 380, 16);
    txtmail = lineField("txtmail", 10, 344, 380, 24);

    Frame1 = place(new QGroupBox(this), "Frame1", 10, 376, 380, 116);
    lblstil = label(Frame1, "lblstil", 8, 16, 364, 16);
    cindexschrift = list(Frame1, "cindexschrift", 8, 34, 204, 24);
    cgroesse = list(Frame1, "cgroesse", 218, 34, 74, 24);
    cgroessetext = list(Frame1, "cgroessetext", 298, 34, 74, 24);
    Check1 = place(new QCheckBox(Frame1), "Check1", 8, 62, 100, 20);
    Check3 = place(new QCheckBox(Frame1), "Check3", 112, 62, 100, 20);
    lbltitelausrichtung = label(Frame1, "lbltitelausrichtung", 8, 88, 112, 20);
    opttitellinks = option(Frame1, "opttitellinks", 120, 88, 72, 20);
    opttitelzent = option(Frame1, "opttitelzent", 192, 88, 100, 20);
    opttitelrechts = option(Frame1, "opttitelrechts", 292, 88, 82, 20);
    // What a new project starts with.
    txttitel->setPlainText(QStringLiteral("FAQ- Häfig gestellte Fragen und \nAntworten\n"));
    txtdatname->setText(QStringLiteral("faqpage1"));
    for (QComboBox *c : {Combo1, cgroessetext})
        guardStoredText(c->lineEdit(), language);

    Frame2 = place(new QGroupBox(QStringLiteral("FAQs"), this), "Frame2", 10, 498, 380, 52);
    olinks = option(Frame2, "olinks", 10, 22, 110, 22);
    omitte = option(Frame2, "omitte", 130, 22, 110, 22);
    orechts = option(Frame2, "orechts", 250, 22, 110, 22);

    // Colours on the right.
    Frame3 = place(new QGroupBox(this), "Frame3", 400, 30, 450, 226);
    m_elements = new QButtonGroup(this);
    static const char *const optionNames[] = {"Option1", "Option2", "Option3", "Option4",
                                              "Option5"};
    static const char *const labelNames[] = {"Label10", "Label11", "Label12", "Label13", "Label14"};
    for (int e = 0; e < ElementCount; ++e) {
        m_options[size_t(e)] = option(Frame3, optionNames[e], 8, 18 + e * 32, 160, 26);
        m_elements->addButton(m_options[size_t(e)]);
        QLabel *text = label(Frame3, labelNames[e], 172, 18 + e * 32, 76, 26);
        text->setAlignment(Qt::AlignCenter);
        text->setFrameShape(QFrame::Panel);
        text->setFrameShadow(QFrame::Sunken);
        m_colorLabels[size_t(e)] = text;
    }
    Option6 = option(Frame3, "Option6", 8, 178, 160, 26);
    m_elements->addButton(Option6);
    for (QRadioButton *o :
         {m_options[0], m_options[1], m_options[2], m_options[3], m_options[4], Option6})
        o->setAutoFillBackground(true);

    static const char *const sliderNames[] = {"scrollrot", "scrollgruen", "scrollblau"};
    static const char *const swatchNames[] = {"lblrot", "lblgruen", "lblblau"};
    static const char *const captionNames[] = {"lblrottext", "lblgruentext", "lblblautext"};
    for (int c = 0; c < 3; ++c) {
        const int y = 18 + c * 40;
        m_sliderLabels[size_t(c)] = label(Frame3, captionNames[c], 256, y, 150, 16);
        auto *slider =
            place(new QScrollBar(Qt::Horizontal, Frame3), sliderNames[c], 256, y + 18, 150, 18);
        slider->setRange(0, 255);
        slider->setPageStep(16);
        m_sliders[size_t(c)] = slider;
        QLabel *swatch = label(Frame3, swatchNames[c], 412, y + 18, 28, 18);
        swatch->setAutoFillBackground(true);
        swatch->setFrameShape(QFrame::Box);
        m_swatches[size_t(c)] = swatch;
    }
    gesamtfarbe = label(Frame3, "gesamtfarbe", 256, 140, 184, 20);
    gesamtfarbe->setAutoFillBackground(true);
    gesamtfarbe->setFrameShape(QFrame::Box);
    cmdminus = place(new Button3D(QStringLiteral("-"), Frame3), "cmdminus", 256, 166, 40, 26);
    cmdplus = place(new Button3D(QStringLiteral("+"), Frame3), "cmdplus", 300, 166, 40, 26);
    cmdnorm = place(new Button3D(QStringLiteral("Pallette"), Frame3), "cmdnorm", 344, 166, 96, 26);
    cmdnorm->setToolTip(QStringLiteral("Grundfarben"));
    for (Button3D *b : {cmdplus, cmdminus})
        b->setToolTip(QStringLiteral("SHIFT- Taste für schnelle Änderung drücken"));
    m_pickers = new QButtonGroup(this);
    optsystem = option(Frame3, "optsystem", 256, 198, 90, 22);
    optsystem->setText(QStringLiteral("System"));
    opthand = option(Frame3, "opthand", 350, 198, 92, 22);
    for (QRadioButton *o : {optsystem, opthand}) {
        m_pickers->addButton(o);
        o->setAutoFillBackground(true);
    }
    opthand->setChecked(true);

    // The preview: background colour or tiled picture, and the samples.
    lblvorschau = label(this, "lblvorschau", 400, 262, 450, 16);
    picvorschau = place(new QLabel(this), "picvorschau", 400, 280, 450, 200);
    picvorschau->setAutoFillBackground(true);
    picvorschau->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbltext = label(picvorschau, "lbltext", 14, 14, 420, 22);
    lblneulink = label(picvorschau, "lblneulink", 14, 44, 420, 22);
    lblaltlink = label(picvorschau, "lblaltlink", 14, 74, 420, 22);
    lblaktivlink = label(picvorschau, "lblaktivlink", 14, 104, 420, 22);
    for (QLabel *link : {lblneulink, lblaltlink, lblaktivlink}) {
        QFont f = link->font();
        f.setUnderline(true);
        link->setFont(f);
    }
    const std::pair<Element, const char *> contrasts[] = {
        {TextColor, "lblkontrasttext"},
        {NewLink, "lblkontrastneulink"},
        {VisitedLink, "lblkontrastaltlink"},
        {ActiveLink, "lblkontrastaktivlink"},
    };
    int row = 0;
    for (const auto &[element, name] : contrasts)
        m_contrastLabels[size_t(element)] = label(this, name, 858, 294 + 30 * row++, 126, 22);
    Picture1 = place(new QLabel(this), "Picture1", 0, 0, 1, 1);
    Picture1->hide();

    Shape2 = place(new QWidget(this), "Shape2", 400, 488, 450, 64);
    Shape2->setAutoFillBackground(true);
    cmdfarbspeichern = place(new Button3D({}, this), "cmdfarbspeichern", 410, 496, 140, 48);
    cmdoeffnefarbe = place(new Button3D({}, this), "cmdoeffnefarbe", 556, 496, 140, 48);
    cmdrausprojekt = place(new Button3D({}, this), "cmdrausprojekt", 702, 496, 138, 48);
    // Enter belongs to the fields (the keyword list takes it), never to a button.
    for (Button3D *b :
         {cmdplus, cmdminus, cmdnorm, cmdfarbspeichern, cmdoeffnefarbe, cmdrausprojekt}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    for (QComboBox *c : {Combo1, cindexschrift, cgroesse})
        c->installEventFilter(this);
}

void LayoutEditorDialog::connectChanges()
{
    auto changed = [this](const char *procedure) {
        return [this, procedure] { guard(procedure, [this] { markUnsaved(); }); };
    };
    connect(txttitel, &QPlainTextEdit::textChanged, this, changed("txttitel_Change"));
    connect(Text1, &QPlainTextEdit::textChanged, this, changed("Text1_Change"));
    connect(txtbeschreibung, &QPlainTextEdit::textChanged, this, changed("txtbeschreibung_Change"));
    connect(txtdatname, &QLineEdit::textChanged, this, changed("txtdatname_Change"));
    // The address is saved with the project: a change of it alone is unsaved work too.
    connect(txtmail, &QLineEdit::textChanged, this, changed("txtmail_Change"));
    connect(Combo1, &QComboBox::editTextChanged, this, changed("Combo1_Change"));
    connect(cindexschrift, &QComboBox::editTextChanged, this, changed("cindexschrift_Change"));
    connect(cgroesse, &QComboBox::editTextChanged, this, changed("cgroesse_Change"));
    connect(cgroessetext, &QComboBox::editTextChanged, this, changed("cgroessetext_Change"));
    connect(Check1, &QCheckBox::toggled, this, changed("Check1_Click"));
    connect(Check3, &QCheckBox::toggled, this, changed("Check3_Click"));
    for (QRadioButton *o : {olinks, omitte, orechts})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                guard("olinks_Click", [this] { markUnsaved(); });
        });
    const std::pair<QRadioButton *, Alignment> titleOptions[] = {
        {opttitellinks, Alignment::Left},
        {opttitelzent, Alignment::Center},
        {opttitelrechts, Alignment::Right}};
    for (const auto &[o, alignment] : titleOptions)
        connect(o, &QRadioButton::toggled, this, [this, alignment = alignment](bool on) {
            if (!on)
                return;
            guard("opttitel_Click", [this, alignment] {
                m_titleAlignment = alignment;
                markUnsaved();
            });
        });
    connect(cindexschrift, &QComboBox::textActivated, this, [this](const QString &font) {
        guard("cindexschrift_Click", [&] { setTitleFont(font); });
    });

    for (int e = 0; e < ElementCount; ++e)
        connect(m_options[size_t(e)], &QRadioButton::clicked, this, [this, e] { Option_Click(e); });
    connect(Option6, &QRadioButton::clicked, this, &LayoutEditorDialog::Option6_Click);
    connect(optsystem, &QRadioButton::clicked, this, &LayoutEditorDialog::optsystem_Click);
    connect(opthand, &QRadioButton::clicked, this, &LayoutEditorDialog::opthand_Click);
    for (int c = 0; c < 3; ++c)
        connect(m_sliders[size_t(c)], &QScrollBar::valueChanged, this,
                [this, c] { slider_Change(c); });
    connect(cmdplus, &Button3D::clicked, this, &LayoutEditorDialog::cmdplus_Click);
    connect(cmdminus, &Button3D::clicked, this, &LayoutEditorDialog::cmdminus_Click);
    connect(cmdplus, &Button3D::mouseDown, this, &LayoutEditorDialog::cmdplus_MouseDown);
    connect(cmdminus, &Button3D::mouseDown, this, &LayoutEditorDialog::cmdminus_MouseDown);
    connect(cmdnorm, &Button3D::clicked, this, &LayoutEditorDialog::cmdnorm_Click);
    connect(cmdfarbspeichern, &Button3D::clicked, this,
            &LayoutEditorDialog::cmdfarbspeichern_Click);
    connect(cmdoeffnefarbe, &Button3D::clicked, this, &LayoutEditorDialog::cmdoeffnefarbe_Click);
    connect(cmdrausprojekt, &Button3D::clicked, this, &LayoutEditorDialog::cmdrausprojekt_Click);
}

// ---------------------------------------------------------------- opening

void LayoutEditorDialog::Form_Load()
{
    centreOver(this, parentWidget());
    m_ctx.keepOnTop(this);
    m_pageSaved = false;

    cindexschrift->addItems(m_ctx.state.installedFonts.mid(1));
    cindexschrift->setEditText(QStringLiteral("Arial"));
    m_closeByButton = 0;
    m_options[BgColor]->setToolTip(
        m_ctx.pick(u"Hebt Bildauswahl auf!", u"clear the picture settings!"));
    for (QComboBox *sizes : {cgroesse, cgroessetext}) {
        sizes->addItems(sizeChoices);
        sizes->setEditText(QStringLiteral("10"));
    }

    // A scheme that cannot be read is reported; the window opens unpainted.
    guard("Form_Load", [this] {
        const QString &scheme = m_ctx.state.settings.schemeFilePath;
        if (!scheme.isEmpty() && isUsableScheme(scheme)) {
            skin_einlesen(scheme, m_ctx.state.currentColors, m_ctx.state.savedColors);
            skinme_aktuell();
        }
    });

    enableColorTools(false);
    for (QScrollBar *slider : m_sliders)
        slider->setValue(255);
    for (int e = 0; e < ElementCount; ++e)
        setColorText(e, QStringLiteral("#FFFFFF"));

    const PageSelection &pages = m_ctx.state.pages;
    setCaption(pages.page());
    cmdfarbspeichern->setCaption(m_ctx.pick(u"Vorlage\nspeichern", u"Template\nsave"));
    cmdoeffnefarbe->setCaption(m_ctx.pick(u"Vorlage\nöffnen", u"Template\nopen"));

    m_templatesFolder = pages.templatesFolder();
    m_projectFilePath = pages.projectPath();
    seite_oeffnen();
    showContactAddress();

    m_ctx.language().isEnglish() ? seite_englisch() : seite_deutsch();
    setTitleFont(cindexschrift->currentText());
    m_pageSaved = false;
}

void LayoutEditorDialog::setCaption(const QString &fileName)
{
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
    txttitel->setFont(font);
}

// ---------------------------------------------------------------- project <-> window

PageProject LayoutEditorDialog::windowProject() const
{
    PageProject p;
    p.title = fromField(txttitel->toPlainText());
    p.textColor = m_colorLabels[TextColor]->text();
    p.bgColor = m_colorLabels[BgColor]->text();
    p.alinkColor = m_colorLabels[ActiveLink]->text();
    p.vlinkColor = m_colorLabels[VisitedLink]->text();
    p.linkColor = m_colorLabels[NewLink]->text();
    p.picturePath = m_backgroundPicturePath;
    p.pictureUse = m_backgroundPictureOn;
    p.pageFileName = txtdatname->text();
    p.author = fromField(Text1->toPlainText());
    p.description = fromField(txtbeschreibung->toPlainText());
    p.titleAlign = m_titleAlignment;
    p.bold = Check1->isChecked();
    p.italic = Check3->isChecked();
    p.fontName = familyWithoutFoundry(cindexschrift->currentText());
    p.titleSize = cgroesse->currentText();
    p.textSize = cgroessetext->currentText();
    p.faqAlign = faqAlignment();
    p.keywords = itemsOf(Combo1);
    return p;
}

Alignment LayoutEditorDialog::faqAlignment() const
{
    if (olinks->isChecked())
        return Alignment::Left;
    if (orechts->isChecked())
        return Alignment::Right;
    return omitte->isChecked() ? Alignment::Center : Alignment::Unset;
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
        txttitel->setText(forField(p.title));
    const QString PageProject::*colors[] = {&PageProject::textColor, &PageProject::bgColor,
                                            &PageProject::alinkColor, &PageProject::vlinkColor,
                                            &PageProject::linkColor};
    for (int e = 0; e < ElementCount; ++e) {
        const QString &text = p.*colors[e];
        if (!read(text, before.*colors[e]))
            continue;
        setColorText(e, text);
        rgb_errechnen(text);
        paintElement(e, platformColor(m_val));
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
        txtdatname->setText(p.pageFileName);
    if (read(p.author, before.author))
        Text1->setText(forField(p.author));
    if (read(p.description, before.description))
        txtbeschreibung->setText(forField(p.description));
    if (read(p.titleAlign, before.titleAlign)) {
        m_titleAlignment = p.titleAlign;
        selectAlignment(p.titleAlign, opttitellinks, opttitelzent, opttitelrechts);
    }
    Check1->setChecked(p.bold);
    Check3->setChecked(p.italic);
    if (read(p.fontName, before.fontName)) {
        cindexschrift->setEditText(p.fontName);
        // The preview shows this project's font, not the one of the project before.
        setTitleFont(p.fontName);
    }
    if (read(p.titleSize, before.titleSize))
        cgroesse->setEditText(p.titleSize);
    if (read(p.textSize, before.textSize))
        cgroessetext->setEditText(p.textSize);
    if (read(p.faqAlign, before.faqAlign))
        selectAlignment(p.faqAlign, olinks, omitte, orechts);
    // The file's keywords replace the list; after a complete read the first
    // one stands in the entry field.
    if (read(p.keywords, before.keywords)) {
        Combo1->clear();
        Combo1->addItems(p.keywords);
        Combo1->setCurrentIndex(complete && !p.keywords.isEmpty() ? 0 : -1);
    }
}

void LayoutEditorDialog::seite_oeffnen()
{
    m_sliderEventsOff = QStringLiteral("raus");
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
        mail_decrypt();
    else
        txtmail->setText(m_ctx.state.contactAddress);
}

void LayoutEditorDialog::mail_decrypt()
{
    guard("mail_decrypt", [this] {
        const QString address = askbright::mail_decrypt(m_ctx.state.contactAddress);
        txtmail->setText(address);
        m_ctx.state.contactAddress = address;
        // What is held now is the plain address; it must not be decoded again.
        m_addressVersion.clear();
    });
}

// ---------------------------------------------------------------- saving and opening

bool LayoutEditorDialog::seite_speichern()
{
    return guard("seite_speichern", [this] {
        DeleteDuplicateValues(Combo1);
        if (m_titleAlignment == Alignment::Unset)
            m_titleAlignment = Alignment::Center;
        savePageProject(m_projectFilePath, windowProject(), Combo1->currentText());
        saveEditorContactStore(m_ctx.state.dataFolder(), txtmail->text());
    });
}

void LayoutEditorDialog::cmdfarbspeichern_Click()
{
    // A cancelled dialog or any failure ends the command without a message;
    // write errors have been reported by seite_speichern.
    m_ctx.guarded(
        [this] {
            const QString remembered = m_templatesFolder;
            if (!txtmail->text().contains(u'@')) {
                const int answer =
                    m_ctx.ask(m_ctx.pick(u"EMail-Eintrag fehlt noch! ABBRECHEN = kein Eintrag",
                                         u"Please fill out the email-field. CANCEL = no entry"),
                              m_ctx.pick(u"Vervollständigen!", u"completely"),
                              MessageButtons::OkCancel, MessageIcon::Information);
                if (answer == AnswerOk) {
                    txtmail->setFocus();
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
            if (!seite_speichern())
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

void LayoutEditorDialog::cmdoeffnefarbe_Click()
{
    m_ctx.guarded(
        [this] {
            prepareProjectDialog(m_templatesFolder, QStringLiteral("Projektdatei öffnen"));
            if (!m_dialog.showOpen())
                return;
            const QString chosen = m_dialog.fileName;
            m_projectFilePath = chosen;
            m_templatesFolder = folderOf(chosen);
            seite_oeffnen();
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

void LayoutEditorDialog::cmdrausprojekt_Click()
{
    guard("cmdrausprojekt_Click", [this] {
        m_closeByButton = 2;
        if (!m_pageSaved) {
            const int answer =
                m_ctx.ask(m_ctx.pick(u"Änderungen sind noch nicht gespeichert! Wirklich verlassen?",
                                     u"Changed data are not saved! Really leave?"),
                          m_ctx.pick(u"Ohne Speichern verlassen?", u"Lose data!"),
                          MessageButtons::YesNo, MessageIcon::Critical, 2);
            if (answer == AnswerNo) {
                m_closeByButton = 0;
                return;
            }
        }
        m_ctx.play("good1");
        close();
    });
}

bool LayoutEditorDialog::Form_QueryUnload()
{
    if (m_closeByButton == 2)
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
    guard("Form_QueryUnload", [&] { leave = Form_QueryUnload(); });
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
    const bool press = event->type() == QEvent::KeyPress;
    if (press || event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == Combo1 && press)
            return keywordKey(key);
        // The font and title size lists are picked from, not typed into.
        if (watched == cindexschrift || watched == cgroesse) {
            auto *list = static_cast<QComboBox *>(watched);
            list->lineEdit()->setReadOnly(press && keyLocksList(key->key()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool LayoutEditorDialog::keywordKey(QKeyEvent *event)
{
    bool handled = false;
    guard("Combo1_KeyDown", [&] {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            handled = true;
            if (Combo1->count() < maxListedKeywords) {
                Combo1->addItem(Combo1->currentText());
                Combo1->setEditText(QString());
            }
            break;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
        case Qt::Key_Clear:
            removeEqualKeywords();
            break;
        default:
            break;
        }
    });
    return handled;
}

void LayoutEditorDialog::removeEqualKeywords()
{
    const QString text = Combo1->currentText();
    const QSignalBlocker quiet(Combo1);
    for (int i = Combo1->count() - 1; i >= 0; --i)
        if (Combo1->itemText(i) == text)
            Combo1->removeItem(i);
    Combo1->setEditText(text);
}

void LayoutEditorDialog::DeleteDuplicateValues(QComboBox *list)
{
    const QStringList items = itemsOf(list);
    QStringList unique = items;
    removeDuplicateKeywords(unique);
    if (unique.size() == items.size())
        return;
    const QString text = list->currentText();
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(unique);
    list->setEditText(text);
}

// ---------------------------------------------------------------- background picture

bool LayoutEditorDialog::loadBackgroundPicture(const QString &path)
{
    QPixmap picture;
    if (!picture.load(localPath(path)))
        return false;
    Picture1->setPixmap(picture);
    Picture1->resize(picture.size());
    TileBitmapsProcessBar(picvorschau, Picture1);
    return true;
}

void LayoutEditorDialog::removeBackgroundPicture()
{
    picvorschau->clear();
    Picture1->clear();
}

void LayoutEditorDialog::TileBitmapsProcessBar(QLabel *target, QLabel *source)
{
    const QPixmap picture = source->pixmap();
    if (picture.isNull())
        return;
    QPixmap canvas(target->size());
    canvas.fill(target->palette().color(QPalette::Window));
    QPainter painter(&canvas);
    for (const QRect &tile :
         tileRects(target->size(), source->size(), source->contentsRect().size()))
        painter.drawPixmap(tile, picture);
    painter.end();
    target->setPixmap(canvas);
}

void LayoutEditorDialog::Option6_Click()
{
    m_ctx.guarded(
        [this] {
            m_ctx.play("edit");
            deselect(m_elements, m_options[BgColor]);
            for (QWidget *tool : std::initializer_list<QWidget *>{
                     m_swatches[0], m_swatches[1], m_swatches[2], opthand, optsystem, m_sliders[0],
                     m_sliders[1], m_sliders[2]})
                tool->setEnabled(false);
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
            lblvorschau->setText(m_ctx.pick(u"Vorschau: ", u"Preview: "));
            deselect(m_elements, Option6);
            m_backgroundPictureOn = PictureUse::Used;
            m_backgroundPicturePath = path;
            // The picture is part of the project: leaving now would lose it.
            markUnsaved();
        },
        [](const AppError &) {});
}

// ---------------------------------------------------------------- captions and colours

void LayoutEditorDialog::seite_deutsch()
{
    guard("seite_deutsch", [this] { applyCaptions(Language::German); });
}

void LayoutEditorDialog::seite_englisch()
{
    guard("seite_englisch", [this] { applyCaptions(Language::English); });
}

void LayoutEditorDialog::applyCaptions(Language language)
{
    auto text = [language](int id) { return caption(id, language); };
    const std::pair<QLabel *, int> labels[] = {
        {lblkopf, 1500},           {lbltitelausrichtung, 1510}, {lbltitel, 1520},
        {lblname, 1530},           {lblbeschreibung, 1540},     {lblkeywords, 1550},
        {lblmail, 1560},           {lbldatname, 1570},          {m_sliderLabels[0], 1630},
        {m_sliderLabels[1], 1640}, {m_sliderLabels[2], 1650},   {lblvorschau, 1740},
        {lblaktivlink, 1750},      {lblaltlink, 1760},          {lblneulink, 1770},
        {lbltext, 1780},
    };
    for (const auto &[l, id] : labels)
        l->setText(text(id));
    const std::pair<QAbstractButton *, int> buttons[] = {
        {olinks, 1580},
        {omitte, 1590},
        {orechts, 1600},
        {opttitellinks, 1580},
        {opttitelzent, 1710},
        {opttitelrechts, 1600},
        {opthand, 1610},
        {cmdrausprojekt, 1620},
        {Check3, 1720},
        {Check1, 1730},
        {m_options[ActiveLink], 1750},
        {m_options[VisitedLink], 1760},
        {m_options[NewLink], 1770},
        {m_options[TextColor], 1780},
        {Option6, 1790},
        {m_options[BgColor], 1800},
    };
    for (const auto &[b, id] : buttons)
        b->setText(text(id));
    lblstil->setText(language.pick(u"Schriftart, Größe des Titels und des Textes:",
                                   u"Font, size of the title and of the text:"));
    txtmail->setToolTip(language.pick(u"Email-Adresse wird verschlüsselt generiert",
                                      u"EMail-adress will be encoded"));
    txttitel->setToolTip(language.pick(u"Keine Fomat-Vorschau (nur Schriftart)",
                                       u"no format preview- only fonttyp"));
}

void LayoutEditorDialog::skinme_aktuell()
{
    const ColorScheme &scheme = m_ctx.state.currentColors;
    paintWithScheme(this, SchemeRole::Window, scheme);
    paintWithScheme(Shape2, SchemeRole::Shape, scheme);
    paintWithScheme({cmdfarbspeichern, cmdoeffnefarbe, cmdrausprojekt, cmdplus, cmdminus, cmdnorm},
                    SchemeRole::Button, scheme);
    paintWithScheme({Check1, Check3, opttitellinks, opttitelzent, opttitelrechts, olinks, omitte,
                     orechts, Frame1, Frame2, Frame3, lblstil},
                    SchemeRole::Box, scheme);
    paintWithScheme({m_options[0], m_options[1], m_options[2], m_options[3], m_options[4], Option6,
                     optsystem, opthand},
                    SchemeRole::Element, scheme);
    paintWithScheme({lblkopf, lbltitel, lblname, lblbeschreibung, lblkeywords, lbldatname, lblmail,
                     lbltitelausrichtung, lblvorschau, m_sliderLabels[0], m_sliderLabels[1],
                     m_sliderLabels[2], m_colorLabels[0], m_colorLabels[1], m_colorLabels[2],
                     m_colorLabels[3], m_colorLabels[4]},
                    SchemeRole::Text, scheme);
    kontrast_zeigen();
}

} // namespace askbright
