#pragma once

#include <QString>
#include <QtGlobal>

namespace askbright {

// How a control's size follows the window; the position always follows.
// Any other value behaves as ScaleBoth.
enum ResizeOptionValue : qint16 {
    ScaleBoth = 0,  // width by the width ratio, height by the height ratio
    KeepWidth = 1,  // recorded width kept, height scaled
    KeepHeight = 2, // width scaled, recorded height kept
    KeepBoth = 3,   // recorded width and height kept
};

// What the proportional layout recorded of one control, in twips.
struct RecordedControl {
    qint32 position = 0; // 1-based, in the order of recording
    qint32 top = 0;
    qint32 left = 0; // 75000 added for a control that was parked left of the window
    qint32 width = 0;
    qint32 height = 0;
    qint32 x1 = 0; // end points, for lines only
    qint32 x2 = 0;
    qint32 y1 = 0;
    qint32 y2 = 0;
    qint16 resizeOption = ScaleBoth;
    QString key;        // the control's name
    float fontSize = 0; // points; 0 for a control without a font
    bool fontSizing = true;
    // Recorded with the parking offset in left: the offset is taken off again
    // after every placement, whatever the control's position at that moment.
    bool parked = false;

    bool keepsWidth() const { return resizeOption == KeepWidth || resizeOption == KeepBoth; }
    bool keepsHeight() const { return resizeOption == KeepHeight || resizeOption == KeepBoth; }
};

} // namespace askbright
