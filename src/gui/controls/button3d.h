#pragma once

#include <QPushButton>
#include <optional>

namespace askbright {

// The push button most windows use: a caption with an access key ("&"),
// settable caption and face colours, and a mouse-down event carrying the
// button and the Shift/Ctrl/Alt state before the click that follows.
class Button3D : public QPushButton {
    Q_OBJECT
public:
    explicit Button3D(const QString &caption = {}, QWidget *parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    // Colours as 0x00BBGGRR window colour values.
    void setCaptionColor(qint32 bgr);
    std::optional<qint32> captionColor() const { return m_captionColor; }
    void setFaceColor(qint32 bgr);
    std::optional<qint32> faceColor() const { return m_faceColor; }

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    // The keyboard focus shows as a dotted frame in the caption colour, which
    // stands out on whatever face colour the scheme gives.
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<qint32> m_captionColor;
    std::optional<qint32> m_faceColor;
};

} // namespace askbright
