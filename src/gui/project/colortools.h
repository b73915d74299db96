#pragma once

#include "app/language.h"
#include "project/colors.h"

#include <QGroupBox>
#include <array>
#include <functional>

class QButtonGroup;
class QLabel;
class QRadioButton;
class QScrollBar;

namespace askbright {

class Button3D;
class WindowContext;
struct ColorScheme;

// The layout editor's colour tools: one option per page colour beside its
// colour text, the option of the background picture, three sliders with
// their swatches and the mixed colour, plus and minus (with Shift twelve
// steps), the standard colours in turn, the system colour dialog, and the
// contrast of the text and link colours against the background colour.
// The page colours are the colour texts; the editor paints its preview from
// elementPainted and keeps the picture itself.
class ColorTools : public QGroupBox {
    Q_OBJECT
public:
    // One page colour: its option, its colour text and where the preview shows it.
    enum Element { TextColor, BgColor, ActiveLink, VisitedLink, NewLink, ElementCount };
    Q_ENUM(Element)

    // The contrast labels are placed on contrastParent, beside the preview.
    ColorTools(WindowContext &ctx, QWidget *contrastParent, QWidget *parent = nullptr);

    QString colorText(Element element) const;
    // A colour as read from a project: its text, the sliders and the preview.
    void showColor(Element element, const QString &text);
    // Every colour white, the sliders at 255, the tools off until an element is chosen.
    void reset();
    // The sliders stand still for the colours until an element is chosen.
    void pauseSliders();
    // Runs when the picture option is clicked, with the colour tools off; a
    // failure it throws is handled as the option's own (no report).
    void setPictureChooser(std::function<void()> choose) { m_choosePicture = std::move(choose); }
    // A picture was chosen: the picture option is let go.
    void pictureTaken();
    void retranslate(Language language);
    void applyScheme(const ColorScheme &scheme);
    void updateContrast();

signals:
    // A colour text changed: unsaved work.
    void colorTextChanged();
    void elementPainted(askbright::ColorTools::Element element, const QColor &color);
    // The background colour was chosen: the picture goes.
    void backgroundColorChosen();

private:
    void buildControls(QWidget *contrastParent);
    void connectControls();
    bool guard(const char *procedure, const std::function<void()> &body);
    void onElementClicked(Element element);
    void onPictureOptionClicked();
    void onSliderMoved(int channel);
    void onStepClicked(int direction);
    void onStepPressed(int direction, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void onStandardColorClicked();
    void onSystemColorClicked();
    void onByHandClicked();

    void setColorText(Element element, const QString &text);
    // The colour text split into its parts, the sliders set to it.
    void takeColor(const QString &colorText);
    void showMixedColor();
    void paintElement(Element element, quint32 platformValue);
    void paintSwatches();
    ColorParts sliderParts() const;
    int selectedElement() const;
    void step(int direction);
    void enableTools(bool enabled);
    void releaseTools();
    QString mixedColorText() const;

    WindowContext &m_ctx;
    std::function<void()> m_choosePicture;
    HexParts m_hex;
    ColorParts m_parts;
    bool m_slidersPaused = false;
    int m_nextStandardColor = 0;
    qint32 m_dialogColor = 0;

    std::array<QRadioButton *, ElementCount> m_elementOptions{};
    std::array<QLabel *, ElementCount> m_colorLabels{};
    // Beside each sample its contrast; none for the background colour itself.
    std::array<QLabel *, ElementCount> m_contrastLabels{};
    QRadioButton *m_pictureOption;
    QButtonGroup *m_elements, *m_pickers;
    std::array<QScrollBar *, 3> m_sliders{};
    std::array<QLabel *, 3> m_swatches{};
    std::array<QLabel *, 3> m_sliderLabels{};
    QLabel *m_mixedColor;
    Button3D *m_plusButton, *m_minusButton, *m_standardColorButton;
    QRadioButton *m_systemColorOption, *m_byHandOption;
};

} // namespace askbright
