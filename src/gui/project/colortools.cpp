#include "project/colortools.h"

#include "app/apperror.h"
#include "app/interfacetexts.h"
#include "app/placement.h"
#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "appearance/colorscheme.h"
#include "controls/button3d.h"
#include "controls/colorvalue.h"
#include "controls/dialogservice.h"
#include "project/contrast.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

namespace askbright {

namespace {

constexpr int fastStepCount = 11; // the click on release adds the twelfth

void setForeground(QWidget *widget, const QColor &color)
{
    QPalette p = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::WindowText, color);
    widget->setPalette(p);
}

void setBackground(QWidget *widget, const QColor &color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
}

void deselect(QButtonGroup *group, QAbstractButton *button)
{
    group->setExclusive(false);
    button->setChecked(false);
    group->setExclusive(true);
}

} // namespace

ColorTools::ColorTools(WindowContext &ctx, QWidget *contrastParent, QWidget *parent)
    : QGroupBox(parent), m_ctx(ctx)
{
    buildControls(contrastParent);
    connectControls();
}

bool ColorTools::guard(const char *procedure, const std::function<void()> &body)
{
    return m_ctx.guarded("frmindex", procedure, body);
}

void ColorTools::buildControls(QWidget *contrastParent)
{
    auto label = [](QWidget *parent, const char *name, int x, int y, int w, int h) {
        auto *l = place(new QLabel(parent), name, x, y, w, h);
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    auto option = [this](const char *name, int x, int y, int w, int h) {
        auto *o = place(new QRadioButton(this), name, x, y, w, h);
        o->setAutoFillBackground(true);
        return o;
    };

    m_elements = new QButtonGroup(this);
    static const char *const optionNames[] = {"Option1", "Option2", "Option3", "Option4",
                                              "Option5"};
    static const char *const labelNames[] = {"Label10", "Label11", "Label12", "Label13", "Label14"};
    for (int e = 0; e < ElementCount; ++e) {
        m_elementOptions[size_t(e)] = option(optionNames[e], 8, 18 + e * 32, 160, 26);
        m_elements->addButton(m_elementOptions[size_t(e)]);
        QLabel *text = label(this, labelNames[e], 172, 18 + e * 32, 76, 26);
        text->setAlignment(Qt::AlignCenter);
        text->setFrameShape(QFrame::Panel);
        text->setFrameShadow(QFrame::Sunken);
        m_colorLabels[size_t(e)] = text;
    }
    m_pictureOption = option("Option6", 8, 178, 160, 26);
    m_elements->addButton(m_pictureOption);

    static const char *const sliderNames[] = {"scrollrot", "scrollgruen", "scrollblau"};
    static const char *const swatchNames[] = {"lblrot", "lblgruen", "lblblau"};
    static const char *const captionNames[] = {"lblrottext", "lblgruentext", "lblblautext"};
    for (int c = 0; c < 3; ++c) {
        const int y = 18 + c * 40;
        m_sliderLabels[size_t(c)] = label(this, captionNames[c], 256, y, 150, 16);
        auto *slider =
            place(new QScrollBar(Qt::Horizontal, this), sliderNames[c], 256, y + 18, 150, 18);
        slider->setRange(0, 255);
        slider->setPageStep(16);
        m_sliders[size_t(c)] = slider;
        QLabel *swatch = label(this, swatchNames[c], 412, y + 18, 28, 18);
        swatch->setAutoFillBackground(true);
        swatch->setFrameShape(QFrame::Box);
        m_swatches[size_t(c)] = swatch;
    }
    m_mixedColor = label(this, "gesamtfarbe", 256, 140, 184, 20);
    m_mixedColor->setAutoFillBackground(true);
    m_mixedColor->setFrameShape(QFrame::Box);
    m_minusButton = place(new Button3D(QStringLiteral("-"), this), "cmdminus", 256, 166, 40, 26);
    m_plusButton = place(new Button3D(QStringLiteral("+"), this), "cmdplus", 300, 166, 40, 26);
    m_standardColorButton =
        place(new Button3D(QStringLiteral("Pallette"), this), "cmdnorm", 344, 166, 96, 26);
    m_standardColorButton->setToolTip(QStringLiteral("Grundfarben"));
    for (Button3D *b : {m_plusButton, m_minusButton, m_standardColorButton}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    for (Button3D *b : {m_plusButton, m_minusButton})
        b->setToolTip(QStringLiteral("SHIFT- Taste für schnelle Änderung drücken"));
    m_pickers = new QButtonGroup(this);
    m_systemColorOption = option("optsystem", 256, 198, 90, 22);
    m_systemColorOption->setText(QStringLiteral("System"));
    m_byHandOption = option("opthand", 350, 198, 92, 22);
    for (QRadioButton *o : {m_systemColorOption, m_byHandOption})
        m_pickers->addButton(o);
    m_byHandOption->setChecked(true);

    const std::pair<Element, const char *> contrasts[] = {
        {TextColor, "textContrastLabel"},
        {NewLink, "newLinkContrastLabel"},
        {VisitedLink, "visitedLinkContrastLabel"},
        {ActiveLink, "activeLinkContrastLabel"},
    };
    int row = 0;
    for (const auto &[element, name] : contrasts)
        m_contrastLabels[size_t(element)] =
            label(contrastParent, name, 858, 294 + 30 * row++, 126, 22);
}

void ColorTools::connectControls()
{
    for (int e = 0; e < ElementCount; ++e)
        connect(m_elementOptions[size_t(e)], &QRadioButton::clicked, this,
                [this, e] { onElementClicked(Element(e)); });
    connect(m_pictureOption, &QRadioButton::clicked, this, &ColorTools::onPictureOptionClicked);
    connect(m_systemColorOption, &QRadioButton::clicked, this, &ColorTools::onSystemColorClicked);
    connect(m_byHandOption, &QRadioButton::clicked, this, &ColorTools::onByHandClicked);
    for (int c = 0; c < 3; ++c)
        connect(m_sliders[size_t(c)], &QScrollBar::valueChanged, this,
                [this, c] { onSliderMoved(c); });
    connect(m_plusButton, &Button3D::clicked, this,
            [this] { guard("cmdplus_Click", [this] { onStepClicked(+1); }); });
    connect(m_minusButton, &Button3D::clicked, this,
            [this] { guard("cmdminus_Click", [this] { onStepClicked(-1); }); });
    connect(m_plusButton, &Button3D::mouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
                guard("cmdplus_MouseDown", [&] { onStepPressed(+1, button, modifiers); });
            });
    connect(m_minusButton, &Button3D::mouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
                guard("cmdminus_MouseDown", [&] { onStepPressed(-1, button, modifiers); });
            });
    connect(m_standardColorButton, &Button3D::clicked, this, &ColorTools::onStandardColorClicked);
}

// ---------------------------------------------------------------- state

QString ColorTools::colorText(Element element) const
{
    return m_colorLabels[size_t(element)]->text();
}

void ColorTools::showColor(Element element, const QString &text)
{
    setColorText(element, text);
    takeColor(text);
    paintElement(element, platformColor(m_parts));
}

void ColorTools::reset()
{
    enableTools(false);
    for (QScrollBar *slider : m_sliders)
        slider->setValue(255);
    for (int e = 0; e < ElementCount; ++e)
        setColorText(Element(e), QStringLiteral("#FFFFFF"));
}

void ColorTools::pictureTaken()
{
    // The option only starts the choice; the picture is the project's.
    deselect(m_elements, m_pictureOption);
}

void ColorTools::pauseSliders()
{
    m_slidersPaused = true;
}

int ColorTools::selectedElement() const
{
    for (int e = 0; e < ElementCount; ++e)
        if (m_elementOptions[size_t(e)]->isChecked())
            return e;
    return -1;
}

ColorParts ColorTools::sliderParts() const
{
    return {m_sliders[0]->value(), m_sliders[1]->value(), m_sliders[2]->value()};
}

QString ColorTools::mixedColorText() const
{
    return u'#' + m_hex.red + m_hex.green + m_hex.blue;
}

void ColorTools::setColorText(Element element, const QString &text)
{
    QLabel *label = m_colorLabels[size_t(element)];
    if (label->text() == text)
        return;
    label->setText(text);
    emit colorTextChanged();
    updateContrast();
}

void ColorTools::takeColor(const QString &colorText)
{
    m_hex = splitColorText(colorText);
    m_parts = rgb_errechnen(colorText);
    // Red, green, blue in this order; each slider that moves acts on its own.
    m_sliders[0]->setValue(m_parts.red);
    m_sliders[1]->setValue(m_parts.green);
    m_sliders[2]->setValue(m_parts.blue);
}

void ColorTools::paintElement(Element element, quint32 platformValue)
{
    emit elementPainted(element, colorFromBgr(qint32(platformValue)));
}

void ColorTools::paintSwatches()
{
    const ColorParts parts = sliderParts();
    const int values[] = {parts.red, parts.green, parts.blue};
    for (int c = 0; c < 3; ++c) {
        ColorParts pure;
        (c == 0 ? pure.red : c == 1 ? pure.green : pure.blue) = values[c];
        setBackground(m_swatches[size_t(c)], colorFromBgr(qint32(platformColor(pure))));
    }
    setBackground(m_mixedColor, colorFromBgr(qint32(platformColor(parts))));
}

void ColorTools::showMixedColor()
{
    const int element = selectedElement();
    if (element < 0)
        return;
    setColorText(Element(element), mixedColorText());
    paintElement(Element(element), platformColor(sliderParts()));
}

void ColorTools::enableTools(bool enabled)
{
    for (QWidget *tool : std::initializer_list<QWidget *>{
             m_swatches[0], m_swatches[1], m_swatches[2], m_byHandOption, m_systemColorOption,
             m_sliders[0], m_sliders[1], m_sliders[2], m_plusButton, m_minusButton,
             m_standardColorButton})
        tool->setEnabled(enabled);
}

void ColorTools::releaseTools()
{
    enableTools(true);
    paintSwatches();
    m_slidersPaused = false;
}

void ColorTools::updateContrast()
{
    const ColorParts background = rgb_errechnen(colorText(BgColor));
    // Unmarked labels keep the colour the other labels have.
    const QColor normal = m_sliderLabels[0]->palette().color(QPalette::WindowText);
    for (int e = 0; e < ElementCount; ++e) {
        QLabel *label = m_contrastLabels[size_t(e)];
        if (!label)
            continue;
        const double ratio = contrastRatio(rgb_errechnen(colorText(Element(e))), background);
        const bool low = ratio < minimumTextContrast;
        // Cut, not rounded, to one decimal, so that a marked ratio never shows as 4.5.
        const double shown = std::floor(ratio * 10 + 1e-9) / 10;
        label->setText(m_ctx.pick(u"Kontrast ", u"Contrast ") + QString::number(shown, 'f', 1) +
                       QStringLiteral(":1") + (low ? QStringLiteral(" \u26A0") : QString()));
        label->setToolTip(
            low ? m_ctx.pick(u"Zu wenig Kontrast zur Hintergrundfarbe: gut lesbar ab 4.5:1",
                             u"Too little contrast with the background colour: readable from 4.5:1")
                : QString());
        setForeground(label, low ? QColor(Qt::red) : normal);
    }
}

// ---------------------------------------------------------------- handlers

void ColorTools::onElementClicked(Element element)
{
    static const char *const names[] = {"Option1_Click", "Option2_Click", "Option3_Click",
                                        "Option4_Click", "Option5_Click"};
    guard(names[element], [&] {
        m_ctx.play("edit");
        releaseTools();
        takeColor(colorText(element));
        paintElement(element, platformColor(sliderParts()));
        if (element == BgColor)
            emit backgroundColorChosen();
    });
}

void ColorTools::onPictureOptionClicked()
{
    m_ctx.guarded(
        [this] {
            m_ctx.play("edit");
            deselect(m_elements, m_elementOptions[BgColor]);
            for (QWidget *tool : std::initializer_list<QWidget *>{
                     m_swatches[0], m_swatches[1], m_swatches[2], m_byHandOption,
                     m_systemColorOption, m_sliders[0], m_sliders[1], m_sliders[2]})
                tool->setEnabled(false);
            if (m_choosePicture)
                m_choosePicture();
        },
        [](const AppError &) {});
}

void ColorTools::onSliderMoved(int channel)
{
    static const char *const names[] = {"scrollrot_Change", "scrollgruen_Change",
                                        "scrollblau_Change"};
    guard(names[channel], [&] {
        if (m_slidersPaused)
            return;
        paintSwatches();
        const QString part = hexByte(m_sliders[size_t(channel)]->value());
        (channel == 0 ? m_hex.red : channel == 1 ? m_hex.green : m_hex.blue) = part;
        showMixedColor();
    });
}

void ColorTools::step(int direction)
{
    for (QScrollBar *slider : m_sliders) {
        const int value = slider->value();
        if (direction > 0 ? value < 255 : value > 0)
            slider->setValue(value + direction);
    }
    showMixedColor();
}

void ColorTools::onStepClicked(int direction)
{
    step(direction);
}

void ColorTools::onStepPressed(int direction, Qt::MouseButton button,
                               Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (button != Qt::LeftButton || held != Qt::ShiftModifier)
        return;
    QCoreApplication::processEvents();
    for (int i = 0; i < fastStepCount; ++i)
        step(direction);
}

void ColorTools::onStandardColorClicked()
{
    guard("cmdnorm_Click", [this] {
        const QString &color = StandardColors[size_t(m_nextStandardColor)];
        m_nextStandardColor = (m_nextStandardColor + 1) % int(StandardColors.size());
        takeColor(color);
        showMixedColor();
    });
}

void ColorTools::onSystemColorClicked()
{
    // A cancelled dialog ends the command without a message.
    m_ctx.guarded(
        [this] {
            const std::optional<qint32> chosen = m_ctx.dialogs.showColorDialog(m_dialogColor);
            if (!chosen)
                return;
            m_dialogColor = *chosen;
            const ColorParts parts = partsOfPlatformColor(quint32(*chosen));
            setBackground(m_mixedColor, colorFromBgr(*chosen));
            m_hex = {hexByte(parts.red), hexByte(parts.green), hexByte(parts.blue)};
            m_slidersPaused = true;
            const int element = selectedElement();
            if (element >= 0) {
                paintElement(Element(element), platformColor(parts));
                setColorText(Element(element), mixedColorText());
                takeColor(colorText(Element(element)));
            }
            m_byHandOption->setChecked(true);
            onByHandClicked();
        },
        [](const AppError &) {});
}

void ColorTools::onByHandClicked()
{
    guard("opthand_Click", [this] { m_slidersPaused = false; });
}

// ---------------------------------------------------------------- look

void ColorTools::retranslate(Language language)
{
    auto text = [language](int id) { return caption(id, language); };
    for (int c = 0; c < 3; ++c)
        m_sliderLabels[size_t(c)]->setText(text(1630 + 10 * c));
    const std::pair<QAbstractButton *, int> buttons[] = {
        {m_byHandOption, 1610},
        {m_elementOptions[ActiveLink], 1750},
        {m_elementOptions[VisitedLink], 1760},
        {m_elementOptions[NewLink], 1770},
        {m_elementOptions[TextColor], 1780},
        {m_pictureOption, 1790},
        {m_elementOptions[BgColor], 1800},
    };
    for (const auto &[b, id] : buttons)
        b->setText(text(id));
    m_elementOptions[BgColor]->setToolTip(
        language.pick(u"Hebt Bildauswahl auf!", u"clear the picture settings!"));
    updateContrast();
}

void ColorTools::applyScheme(const ColorScheme &scheme)
{
    paintWithScheme(this, SchemeRole::Box, scheme);
    paintWithScheme({m_plusButton, m_minusButton, m_standardColorButton}, SchemeRole::Button,
                    scheme);
    paintWithScheme({m_elementOptions[0], m_elementOptions[1], m_elementOptions[2],
                     m_elementOptions[3], m_elementOptions[4], m_pictureOption, m_systemColorOption,
                     m_byHandOption},
                    SchemeRole::Element, scheme);
    paintWithScheme({m_sliderLabels[0], m_sliderLabels[1], m_sliderLabels[2], m_colorLabels[0],
                     m_colorLabels[1], m_colorLabels[2], m_colorLabels[3], m_colorLabels[4]},
                    SchemeRole::Text, scheme);
    updateContrast();
}

} // namespace askbright
