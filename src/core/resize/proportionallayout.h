#pragma once

#include "resize/controlrecords.h"
#include "resize/resizewindow.h"

#include <optional>

namespace askbright {

// The window's outer size and position when the layout recorded it, in twips.
struct RecordedWindow {
    qint32 top = 0;  // kept for completeness; only the size is used
    qint32 left = 0; // kept for completeness; only the size is used
    qint32 width = 0;
    qint32 height = 0;
};

// Stretches a window's layout with the window: records the window's size and
// every control's geometry and font size once, then on each resize places
// every recorded control by the ratio of the new size to the recorded one and
// scales fonts by the smaller ratio. Never reports an error: a step the
// window refuses is skipped and the pass goes on.
class ProportionalLayout {
public:
    // Controls left of the window (x < 0) are parked there on purpose; they are
    // recorded with this offset added so that they scale from the same origin.
    static constexpr qint32 parkingOffset = 75000;

    explicit ProportionalLayout(ResizeWindow &window) : m_window(window) {}

    // Records the window and its controls, replacing any earlier recording.
    // Call once the controls have their design geometry. A control whose
    // geometry cannot be read, or whose key is already taken, gets no record.
    void recordWindow();
    // Sets the record's option (a value outside 16 bits leaves it unchanged)
    // and, when given, its font sizing. No record: nothing happens.
    void setResizeOption(const QString &key, qint32 option,
                         std::optional<bool> fontSizing = std::nullopt);
    // Takes points as the control's recorded font size: a font the user
    // chose for a control without font sizing is what the recorded size
    // restores. No record: nothing happens.
    void recordFontSize(const QString &key, float points);
    // Adapts every recorded control to the window's current size.
    void followWindow();
    // Puts every recorded control back to its recorded geometry and font size,
    // even where font sizing is off; optionally restores the window's size too.
    void restoreRecordedLayout(bool restoreWindowSize);

    // Tolerance in percent: ratios within it count as the recorded size.
    float tolerancePercent() const { return m_tolerancePercent; }
    void setTolerancePercent(float percent) { m_tolerancePercent = percent; }

    const ControlRecords &controls() const { return m_controls; }
    const RecordedWindow &recordedWindow() const { return m_recordedWindow; }

private:
    void recordControl(int index);
    void setFontSize(int index, const RecordedControl &record, double points);
    void place(int index, const RecordedControl &record, double widthRatio, double heightRatio);

    ControlRecords m_controls;
    RecordedWindow m_recordedWindow;
    ResizeWindow &m_window;
    float m_tolerancePercent = 0;
};

} // namespace askbright
