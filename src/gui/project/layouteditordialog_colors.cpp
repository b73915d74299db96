// The layout editor's colour tools: the element options, the three sliders
// with their swatches, plus and minus, the standard colours and the system
// colour dialog.

#include "app/apperror.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "controls/colorvalue.h"
#include "project/contrast.h"
#include "project/layouteditordialog.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>

namespace askbright {

namespace {

constexpr int fastStepCount = 11; // the click on release adds the twelfth

void setForeground(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette p = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, role, color);
    widget->setPalette(p);
}

void setBackground(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette p = widget->palette();
    p.setColor(role, color);
    widget->setPalette(p);
}

} // namespace

int LayoutEditorDialog::selectedElement() const
{
    for (int e = 0; e < ElementCount; ++e)
        if (m_options[size_t(e)]->isChecked())
            return e;
    return -1;
}

ColorParts LayoutEditorDialog::sliderParts() const
{
    return {m_sliders[0]->value(), m_sliders[1]->value(), m_sliders[2]->value()};
}

void LayoutEditorDialog::setColorText(int element, const QString &text)
{
    QLabel *label = m_colorLabels[size_t(element)];
    if (label->text() == text)
        return;
    label->setText(text);
    markUnsaved();
    kontrast_zeigen();
}

void LayoutEditorDialog::kontrast_zeigen()
{
    const ColorParts background = askbright::rgb_errechnen(m_colorLabels[BgColor]->text());
    // Unmarked labels keep the colour the other labels have.
    const QColor normal = lblvorschau->palette().color(QPalette::WindowText);
    for (int e = 0; e < ElementCount; ++e) {
        QLabel *label = m_contrastLabels[size_t(e)];
        if (!label)
            continue;
        const double ratio =
            contrastRatio(askbright::rgb_errechnen(m_colorLabels[size_t(e)]->text()), background);
        const bool low = ratio < minimumTextContrast;
        // Cut, not rounded, to one decimal, so that a marked ratio never shows as 4.5.
        const double shown = std::floor(ratio * 10 + 1e-9) / 10;
        label->setText(m_ctx.pick(u"Kontrast ", u"Contrast ") + QString::number(shown, 'f', 1) +
                       QStringLiteral(":1") + (low ? QStringLiteral(" \u26A0") : QString()));
        label->setToolTip(
            low ? m_ctx.pick(u"Zu wenig Kontrast zur Hintergrundfarbe: gut lesbar ab 4.5:1",
                             u"Too little contrast with the background colour: readable from 4.5:1")
                : QString());
        setForeground(label, QPalette::WindowText, low ? QColor(Qt::red) : normal);
    }
}

void LayoutEditorDialog::paintElement(int element, quint32 platformValue)
{
    const QColor color = colorFromBgr(qint32(platformValue));
    switch (element) {
    case TextColor:
        setForeground(lbltext, QPalette::WindowText, color);
        setForeground(txttitel, QPalette::Text, color);
        break;
    case BgColor:
        setBackground(picvorschau, QPalette::Window, color);
        setBackground(txttitel, QPalette::Base, color);
        break;
    case ActiveLink:
        setForeground(lblaktivlink, QPalette::WindowText, color);
        break;
    case VisitedLink:
        setForeground(lblaltlink, QPalette::WindowText, color);
        break;
    case NewLink:
        setForeground(lblneulink, QPalette::WindowText, color);
        break;
    default:
        break;
    }
}

void LayoutEditorDialog::paintSwatches()
{
    const ColorParts parts = sliderParts();
    const int values[] = {parts.red, parts.green, parts.blue};
    for (int c = 0; c < 3; ++c) {
        ColorParts pure;
        (c == 0 ? pure.red : c == 1 ? pure.green : pure.blue) = values[c];
        setBackground(m_swatches[size_t(c)], QPalette::Window,
                      colorFromBgr(qint32(platformColor(pure))));
    }
    setBackground(gesamtfarbe, QPalette::Window, colorFromBgr(qint32(platformColor(parts))));
}

void LayoutEditorDialog::rgb_errechnen(const QString &colorText)
{
    m_hex = splitColorText(colorText);
    m_val = askbright::rgb_errechnen(colorText);
    setSliders(m_val);
}

void LayoutEditorDialog::setSliders(ColorParts parts)
{
    // Red, green, blue in this order; each slider that moves acts on its own.
    m_sliders[0]->setValue(parts.red);
    m_sliders[1]->setValue(parts.green);
    m_sliders[2]->setValue(parts.blue);
}

void LayoutEditorDialog::slider_Change(int channel)
{
    static const char *const names[] = {"scrollrot_Change", "scrollgruen_Change",
                                        "scrollblau_Change"};
    guard(names[channel], [&] {
        if (m_sliderEventsOff == QLatin1String("raus"))
            return;
        paintSwatches();
        const QString part = hexByte(m_sliders[size_t(channel)]->value());
        (channel == 0 ? m_hex.red : channel == 1 ? m_hex.green : m_hex.blue) = part;
        farbe_zeigen();
    });
}

void LayoutEditorDialog::farbe_zeigen()
{
    const int element = selectedElement();
    if (element < 0)
        return;
    setColorText(element, u'#' + m_hex.red + m_hex.green + m_hex.blue);
    paintElement(element, platformColor(sliderParts()));
}

void LayoutEditorDialog::enableColorTools(bool enabled)
{
    for (QWidget *tool : std::initializer_list<QWidget *>{
             m_swatches[0], m_swatches[1], m_swatches[2], opthand, optsystem, m_sliders[0],
             m_sliders[1], m_sliders[2], cmdplus, cmdminus, cmdnorm})
        tool->setEnabled(enabled);
}

void LayoutEditorDialog::farb_frei()
{
    enableColorTools(true);
    paintSwatches();
    m_sliderEventsOff.clear();
}

void LayoutEditorDialog::Option_Click(int element)
{
    static const char *const names[] = {"Option1_Click", "Option2_Click", "Option3_Click",
                                        "Option4_Click", "Option5_Click"};
    guard(names[element], [&] {
        m_ctx.play("edit");
        farb_frei();
        const bool background = element == BgColor;
        if (background)
            removeBackgroundPicture();
        rgb_errechnen(m_colorLabels[size_t(element)]->text());
        paintElement(element, platformColor(sliderParts()));
        if (background) {
            // Dropping a chosen picture is a change of the project.
            if (m_backgroundPictureOn == PictureUse::Used || !m_backgroundPicturePath.isEmpty())
                markUnsaved();
            m_backgroundPictureOn = PictureUse::NotUsed;
            m_backgroundPicturePath.clear();
        }
    });
}

void LayoutEditorDialog::step(int direction)
{
    for (QScrollBar *slider : m_sliders) {
        const int value = slider->value();
        if (direction > 0 ? value < 255 : value > 0)
            slider->setValue(value + direction);
    }
    farbe_zeigen();
}

void LayoutEditorDialog::fastSteps(int direction, Qt::MouseButton button,
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

void LayoutEditorDialog::cmdplus_Click()
{
    guard("cmdplus_Click", [this] { step(+1); });
}

void LayoutEditorDialog::cmdminus_Click()
{
    guard("cmdminus_Click", [this] { step(-1); });
}

void LayoutEditorDialog::cmdplus_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    guard("cmdplus_MouseDown", [&] { fastSteps(+1, button, modifiers); });
}

void LayoutEditorDialog::cmdminus_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    guard("cmdminus_MouseDown", [&] { fastSteps(-1, button, modifiers); });
}

void LayoutEditorDialog::cmdnorm_Click()
{
    guard("cmdnorm_Click", [this] {
        const QString &color = StandardColors[size_t(m_nextStandardColor)];
        m_nextStandardColor = (m_nextStandardColor + 1) % int(StandardColors.size());
        rgb_errechnen(color);
        farbe_zeigen();
    });
}

void LayoutEditorDialog::optsystem_Click()
{
    // A cancelled dialog ends the command without a message.
    m_ctx.guarded(
        [this] {
            const std::optional<qint32> chosen = m_ctx.dialogs.showColorDialog(m_dialogColor);
            if (!chosen)
                return;
            m_dialogColor = *chosen;
            const ColorParts parts = partsOfPlatformColor(quint32(*chosen));
            setBackground(gesamtfarbe, QPalette::Window, colorFromBgr(*chosen));
            m_hex = {hexByte(parts.red), hexByte(parts.green), hexByte(parts.blue)};
            m_sliderEventsOff = QStringLiteral("raus");
            const int element = selectedElement();
            if (element >= 0) {
                paintElement(element, platformColor(parts));
                setColorText(element, u'#' + m_hex.red + m_hex.green + m_hex.blue);
                rgb_errechnen(m_colorLabels[size_t(element)]->text());
            }
            opthand->setChecked(true);
            opthand_Click();
        },
        [](const AppError &) {});
}

void LayoutEditorDialog::opthand_Click()
{
    guard("opthand_Click", [this] { m_sliderEventsOff.clear(); });
}

} // namespace askbright
