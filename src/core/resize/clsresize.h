#pragma once

#include "resize/clsform.h"
#include "resize/col_controls.h"
#include "resize/resizewindow.h"

#include <optional>

namespace askbright {

// Stretches a window's layout with the window: records the window's size and
// every control's geometry and font size once, then on each resize places
// every recorded control by the ratio of the new size to the recorded one and
// scales fonts by the smaller ratio. Never reports an error: a step the
// window refuses is skipped and the pass goes on.
class clsResize {
public:
    // Controls left of the window (x < 0) are parked there on purpose; they are
    // recorded with this offset added so that they scale from the same origin.
    static constexpr qint32 parkingOffset = 75000;

    explicit clsResize(ResizeWindow &oForm) : m_oForm(oForm) {}

    // Records the window and its controls, replacing any earlier recording.
    // Call once the controls have their design geometry. A control whose
    // geometry cannot be read, or whose key is already taken, gets no record.
    void Initialize();
    // Sets the record's option (a value outside 16 bits leaves it unchanged)
    // and, when given, its font sizing. No record: nothing happens.
    void ResizeOption(const QString &key, qint32 option,
                      std::optional<bool> fontSizing = std::nullopt);
    // Takes points as the control's recorded font size: a font the user
    // chose for a control without font sizing is what the recorded size
    // restores. No record: nothing happens.
    void RecordFontSize(const QString &key, float points);
    // Adapts every recorded control to the window's current size.
    void DoResize();
    // Puts every recorded control back to its recorded geometry and font size,
    // even where font sizing is off; optionally restores the window's size too.
    void DoResize_First(bool restoreWindowSize);

    // Tolerance in percent: ratios within it count as the recorded size.
    float ScaleMinMax() const { return m_scaleMinMax; }
    void setScaleMinMax(float percent) { m_scaleMinMax = percent; }
    // The smaller of the two; a when they are equal.
    static float Min(float a, float b) { return b < a ? b : a; }

    const col_Controls &controls() const { return m_controls; }
    const clsForm &form() const { return m_form; }

private:
    void recordControl(int index);
    void setFontSize(int index, const clsControl &record, double points);
    void place(int index, const clsControl &record, double widthRatio, double heightRatio);

    col_Controls m_controls;
    clsForm m_form;
    ResizeWindow &m_oForm;
    float m_scaleMinMax = 0;
};

} // namespace askbright
