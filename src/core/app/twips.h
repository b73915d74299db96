#pragma once

#include <QtGlobal>

namespace askbright {

// Files keep window geometry in twips; windows work in pixels (96 dpi).
inline constexpr int twipsPerPixel = 15;

constexpr int pixelsFromTwips(int twips)
{
    return twips / twipsPerPixel;
}

// Twips as the settings file stores them, in 16 bits.
constexpr qint16 twips16FromPixels(int pixels)
{
    return qint16(qBound(-32768, pixels * twipsPerPixel, 32767));
}

} // namespace askbright
