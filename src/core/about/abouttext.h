#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace askbright {

// The about window scrolls the lines of "about.txt" upwards, credits style.

inline const QString aboutTextName = QStringLiteral("about.txt");
// The window holds this many lines; a longer file shows its beginning.
inline constexpr int maxAboutLines = 3000;
// No line is wider than the window long before this; a longer one is cut so
// that drawing a frame stays cheap whatever the file holds.
inline constexpr qsizetype maxAboutLineLength = 500;
// More bytes than the longest lines can fill are never read.
inline constexpr qint64 maxAboutBytes = maxAboutLines * (maxAboutLineLength + 2);

// The lines of bytes (Windows-1252, lines ended by CR LF, CR or LF; a line
// end at the very end starts no further line). truncated tells that bytes
// are only the beginning of a longer file: its cut last line is dropped.
QStringList parseAboutText(QByteArrayView bytes, bool truncated = false);
// Reads the file at path; throws AppError when it cannot be read (53 when
// it is missing or not a plain file).
QStringList readAboutText(const QString &path);

// Pixels from one line's top to the next: the font size 10 plus 6.
inline constexpr int aboutLineSpacing = 16;
// A line above this (its top more than this far above the window) has left.
inline constexpr int aboutGoneAbove = -25;
// How long the gradient alone is shown for an empty file before the window
// closes: 80 ticks of 25 ms.
inline constexpr int aboutEmptyTicks = 80;

// The top of line number line (1 for the first) for a scroll offset.
constexpr int aboutLineTop(int line, int scrollOffset)
{
    return aboutLineSpacing * line + scrollOffset;
}

struct AboutRgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const AboutRgb &) const = default;
};

// The colour of a line whose top is at y: white from 245 down, then a ramp
// into pure blue at 15 and above.
AboutRgb aboutLineColour(int y);

// One band of the background gradient: rows top..bottom (inclusive), blue 0..255.
struct GradientBand {
    int top = 0;
    int bottom = 0;
    int blue = 0;
    bool operator==(const GradientBand &) const = default;
};

// Blue falling from 255 to black over height, in bands of 5 pixels that
// overlap their neighbours by one row above.
QList<GradientBand> aboutGradient(int height);

} // namespace askbright
