#pragma once

#include "project/colors.h"

namespace askbright {

// Readability of text on a background by the WCAG 2 formula: the relative
// luminance of each colour (sRGB channels linearised), and the ratio
// (lighter + 0.05) / (darker + 0.05), from 1 (equal) to 21 (black on white).
double relativeLuminance(ColorParts color);
double contrastRatio(ColorParts first, ColorParts second);

// Body text needs at least this ratio to be read comfortably.
inline constexpr double minimumTextContrast = 4.5;

} // namespace askbright
