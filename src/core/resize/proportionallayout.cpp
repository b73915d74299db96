#include "resize/proportionallayout.h"

#include "app/apperror.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace askbright {

namespace {

using Property = ResizeWindow::Property;
using Kind = ResizeWindow::Kind;

// Nearest integer, halves to even; no value when it does not fit.
std::optional<qint32> rounded(std::optional<double> value)
{
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    const double r = std::nearbyint(*value);
    if (r < double(std::numeric_limits<qint32>::min()) ||
        r > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(r);
}

} // namespace

void ProportionalLayout::recordWindow()
{
    m_controls.clear();
    m_recordedWindow = {};
    // Reading the window cannot fail with the windows this engine serves; a
    // failure there would belong to the error reporter as ("clsResize", "Initialize").
    const ResizeWindow::Geometry window = m_window.windowGeometry();
    m_recordedWindow.height = rounded(window.height).value_or(0);
    m_recordedWindow.width = rounded(window.width).value_or(0);
    m_recordedWindow.top = rounded(window.top).value_or(0);
    m_recordedWindow.left = rounded(window.left).value_or(0);

    const int count = m_window.enumerateControls();
    for (int i = 0; i < count; ++i) {
        try {
            recordControl(i);
        } catch (const AppError &) {
            // The key is taken: this control stays without a record.
        }
    }
}

void ProportionalLayout::recordControl(int index)
{
    const QString key = m_window.controlKey(index);
    if (m_window.controlKind(index) == Kind::Line) {
        const auto x1 = rounded(m_window.read(index, Property::X1));
        const auto x2 = rounded(m_window.read(index, Property::X2));
        const auto y1 = rounded(m_window.read(index, Property::Y1));
        const auto y2 = rounded(m_window.read(index, Property::Y2));
        if (x1 && x2 && y1 && y2)
            m_controls.addLine(*x1, *x2, *y1, *y2, key);
        return;
    }

    std::optional<double> left = m_window.read(index, Property::Left);
    const bool parked = left && *left < 0;
    if (parked)
        *left += parkingOffset;
    const auto top = rounded(m_window.read(index, Property::Top));
    const auto roundedLeft = rounded(left);
    const auto width = rounded(m_window.read(index, Property::Width));
    const auto height = rounded(m_window.read(index, Property::Height));
    if (!top || !roundedLeft || !width || !height)
        return;
    const double points = m_window.read(index, Property::FontSize).value_or(0);
    const float fontsize = std::isfinite(points) && points > 0 ? float(points) : 0.0f;
    m_controls.add(*top, *roundedLeft, *width, *height, key, fontsize).parked = parked;
}

void ProportionalLayout::setResizeOption(const QString &key, qint32 option,
                                         std::optional<bool> fontSizing)
{
    RecordedControl *record = m_controls.find(key);
    if (!record)
        return;
    if (option >= std::numeric_limits<qint16>::min() &&
        option <= std::numeric_limits<qint16>::max())
        record->resizeOption = qint16(option);
    if (fontSizing)
        record->fontSizing = *fontSizing;
}

void ProportionalLayout::recordFontSize(const QString &key, float points)
{
    if (RecordedControl *record = m_controls.find(key))
        record->fontSize = points;
}

void ProportionalLayout::followWindow()
{
    const ResizeWindow::Geometry window = m_window.windowGeometry();
    // Without an extent on either side there is no ratio; scaling by zero or
    // infinity would wreck every control (a collapsed or minimised window).
    if (!(m_recordedWindow.width > 0 && m_recordedWindow.height > 0 && window.width > 0 &&
          window.height > 0))
        return;
    const float widthRatio = float(window.width / m_recordedWindow.width);
    const float heightRatio = float(window.height / m_recordedWindow.height);
    const float fontRatio = std::min(widthRatio, heightRatio);
    const float low = float(1.0 - double(m_tolerancePercent) / 100.0);
    const float high = float(1.0 + double(m_tolerancePercent) / 100.0);
    if (widthRatio >= low && widthRatio <= high && heightRatio >= low && heightRatio <= high) {
        restoreRecordedLayout(false);
        return;
    }

    const int count = m_window.enumerateControls();
    for (int i = 0; i < count; ++i) {
        const RecordedControl *record = m_controls.find(m_window.controlKey(i));
        if (!record)
            continue; // created after the recording: left alone
        if (record->fontSizing)
            setFontSize(i, *record, double(record->fontSize) * fontRatio);
        place(i, *record, widthRatio, heightRatio);
    }
}

void ProportionalLayout::restoreRecordedLayout(bool restoreWindowSize)
{
    const int count = m_window.enumerateControls();
    for (int i = 0; i < count; ++i) {
        const RecordedControl *record = m_controls.find(m_window.controlKey(i));
        if (!record)
            continue;
        setFontSize(i, *record, record->fontSize);
        place(i, *record, 1.0, 1.0);
    }
    if (restoreWindowSize && m_recordedWindow.width > 0 && m_recordedWindow.height > 0) {
        m_window.setWindowHeight(m_recordedWindow.height);
        m_window.setWindowWidth(m_recordedWindow.width);
    }
}

void ProportionalLayout::setFontSize(int index, const RecordedControl &record, double points)
{
    if (record.fontSize > 0) // recorded without a font: nothing to scale
        m_window.write(index, Property::FontSize, points);
}

void ProportionalLayout::place(int index, const RecordedControl &record, double widthRatio,
                               double heightRatio)
{
    const Kind kind = m_window.controlKind(index);
    if (kind == Kind::Line) {
        // A line has no size of its own: both end points follow, whatever its option.
        m_window.write(index, Property::X1, record.x1 * widthRatio);
        m_window.write(index, Property::X2, record.x2 * widthRatio);
        m_window.write(index, Property::Y1, record.y1 * heightRatio);
        m_window.write(index, Property::Y2, record.y2 * heightRatio);
        return;
    }

    ResizeWindow::Geometry target;
    target.left = record.left * widthRatio - (record.parked ? parkingOffset : 0);
    target.top = record.top * heightRatio;
    target.width = record.keepsWidth() ? record.width : record.width * widthRatio;
    target.height = record.keepsHeight() ? record.height : record.height * heightRatio;
    if (kind == Kind::FixedHeightList) {
        // One property at a time, so that a refused height does not stop the others.
        m_window.write(index, Property::Top, target.top);
        m_window.write(index, Property::Left, target.left);
        m_window.write(index, Property::Width, target.width);
        m_window.write(index, Property::Height, target.height);
    } else {
        m_window.move(index, target);
    }
}

} // namespace askbright
