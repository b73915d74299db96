#include "resize/clsresize.h"

#include "app/apperror.h"

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

void clsResize::Initialize()
{
    m_controls.clear();
    m_form = {};
    // Reading the window cannot fail with the windows this engine serves; a
    // failure there would belong to the error reporter as ("clsResize", "Initialize").
    const ResizeWindow::Geometry window = m_oForm.windowGeometry();
    m_form.Height = rounded(window.height).value_or(0);
    m_form.Width = rounded(window.width).value_or(0);
    m_form.Top = rounded(window.top).value_or(0);
    m_form.Left = rounded(window.left).value_or(0);

    const int count = m_oForm.enumerateControls();
    for (int i = 0; i < count; ++i) {
        try {
            recordControl(i);
        } catch (const AppError &) {
            // The key is taken: this control stays without a record.
        }
    }
}

void clsResize::recordControl(int index)
{
    const QString key = m_oForm.controlKey(index);
    if (m_oForm.controlKind(index) == Kind::Line) {
        const auto x1 = rounded(m_oForm.read(index, Property::X1));
        const auto x2 = rounded(m_oForm.read(index, Property::X2));
        const auto y1 = rounded(m_oForm.read(index, Property::Y1));
        const auto y2 = rounded(m_oForm.read(index, Property::Y2));
        if (x1 && x2 && y1 && y2)
            m_controls.AddLine(*x1, *x2, *y1, *y2, key);
        return;
    }

    std::optional<double> left = m_oForm.read(index, Property::Left);
    const bool parked = left && *left < 0;
    if (parked)
        *left += parkingOffset;
    const auto top = rounded(m_oForm.read(index, Property::Top));
    const auto roundedLeft = rounded(left);
    const auto width = rounded(m_oForm.read(index, Property::Width));
    const auto height = rounded(m_oForm.read(index, Property::Height));
    if (!top || !roundedLeft || !width || !height)
        return;
    const double points = m_oForm.read(index, Property::FontSize).value_or(0);
    const float fontsize = std::isfinite(points) && points > 0 ? float(points) : 0.0f;
    m_controls.Add(*top, *roundedLeft, *width, *height, key, fontsize).Parked = parked;
}

void clsResize::ResizeOption(const QString &key, qint32 option, std::optional<bool> fontSizing)
{
    clsControl *record = m_controls.Item(key);
    if (!record)
        return;
    if (option >= std::numeric_limits<qint16>::min() &&
        option <= std::numeric_limits<qint16>::max())
        record->ResizeOption = qint16(option);
    if (fontSizing)
        record->FontSizing = *fontSizing;
}

void clsResize::RecordFontSize(const QString &key, float points)
{
    if (clsControl *record = m_controls.Item(key))
        record->Fontsize = points;
}

void clsResize::DoResize()
{
    const ResizeWindow::Geometry window = m_oForm.windowGeometry();
    // Without an extent on either side there is no ratio; scaling by zero or
    // infinity would wreck every control (a collapsed or minimised window).
    if (!(m_form.Width > 0 && m_form.Height > 0 && window.width > 0 && window.height > 0))
        return;
    const float widthRatio = float(window.width / m_form.Width);
    const float heightRatio = float(window.height / m_form.Height);
    const float fontRatio = Min(widthRatio, heightRatio);
    const float low = float(1.0 - double(m_scaleMinMax) / 100.0);
    const float high = float(1.0 + double(m_scaleMinMax) / 100.0);
    if (widthRatio >= low && widthRatio <= high && heightRatio >= low && heightRatio <= high) {
        DoResize_First(false);
        return;
    }

    const int count = m_oForm.enumerateControls();
    for (int i = 0; i < count; ++i) {
        const clsControl *record = m_controls.Item(m_oForm.controlKey(i));
        if (!record)
            continue; // created after Initialize: left alone
        if (record->FontSizing)
            setFontSize(i, *record, double(record->Fontsize) * fontRatio);
        place(i, *record, widthRatio, heightRatio);
    }
}

void clsResize::DoResize_First(bool restoreWindowSize)
{
    const int count = m_oForm.enumerateControls();
    for (int i = 0; i < count; ++i) {
        const clsControl *record = m_controls.Item(m_oForm.controlKey(i));
        if (!record)
            continue;
        setFontSize(i, *record, record->Fontsize);
        place(i, *record, 1.0, 1.0);
    }
    if (restoreWindowSize && m_form.Width > 0 && m_form.Height > 0) {
        m_oForm.setWindowHeight(m_form.Height);
        m_oForm.setWindowWidth(m_form.Width);
    }
}

void clsResize::setFontSize(int index, const clsControl &record, double points)
{
    if (record.Fontsize > 0) // recorded without a font: nothing to scale
        m_oForm.write(index, Property::FontSize, points);
}

void clsResize::place(int index, const clsControl &record, double widthRatio, double heightRatio)
{
    const Kind kind = m_oForm.controlKind(index);
    if (kind == Kind::Line) {
        // A line has no size of its own: both end points follow, whatever its option.
        m_oForm.write(index, Property::X1, record.X1 * widthRatio);
        m_oForm.write(index, Property::X2, record.X2 * widthRatio);
        m_oForm.write(index, Property::Y1, record.Y1 * heightRatio);
        m_oForm.write(index, Property::Y2, record.Y2 * heightRatio);
        return;
    }

    ResizeWindow::Geometry target;
    target.left = record.Left * widthRatio - (record.Parked ? parkingOffset : 0);
    target.top = record.Top * heightRatio;
    target.width = record.keepsWidth() ? record.Width : record.Width * widthRatio;
    target.height = record.keepsHeight() ? record.Height : record.Height * heightRatio;
    if (kind == Kind::FixedHeightList) {
        // One property at a time, so that a refused height does not stop the others.
        m_oForm.write(index, Property::Top, target.top);
        m_oForm.write(index, Property::Left, target.left);
        m_oForm.write(index, Property::Width, target.width);
        m_oForm.write(index, Property::Height, target.height);
    } else {
        m_oForm.move(index, target);
    }
}

} // namespace askbright
