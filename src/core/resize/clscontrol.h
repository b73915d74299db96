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

// The record of one control, in twips.
struct clsControl {
    qint32 Tag = 0; // 1-based position in the collection
    qint32 Top = 0;
    qint32 Left = 0; // 75000 added for a control that was parked left of the window
    qint32 Width = 0;
    qint32 Height = 0;
    qint32 X1 = 0; // end points, for lines only
    qint32 X2 = 0;
    qint32 Y1 = 0;
    qint32 Y2 = 0;
    qint16 ResizeOption = ScaleBoth;
    QString Name;       // the key
    float Fontsize = 0; // points; 0 for a control without a font
    bool FontSizing = true;
    // Recorded with the parking offset in Left: the offset is taken off again
    // after every placement, whatever the control's position at that moment.
    bool Parked = false;

    bool keepsWidth() const { return ResizeOption == KeepWidth || ResizeOption == KeepBoth; }
    bool keepsHeight() const { return ResizeOption == KeepHeight || ResizeOption == KeepBoth; }
};

} // namespace askbright
