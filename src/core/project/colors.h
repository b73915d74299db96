#pragma once

#include <QString>
#include <array>

namespace askbright {

// One colour as its three channels, 0..255 each.
struct ColorParts {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const ColorParts &) const = default;
};

// The colour being edited in text form: two characters per channel, the
// pieces colour texts are built from (HexRed, HexGreen, HexBlue).
struct HexParts {
    QString red;
    QString green;
    QString blue;

    bool operator==(const HexParts &) const = default;
};

// The palette the standard-colour button steps through, in order.
extern const std::array<QString, 16> StandardColors;

// Splits a colour text "#RRGGBB": characters 2-3, 4-5 and 6-7 (fewer when the
// text is shorter; the first character is ignored).
HexParts splitColorText(const QString &colorText);
// A part read as hexadecimal from the left up to the first non-digit; no digit gives 0.
int hexValue(const QString &part);
// rgb_errechnen's arithmetic: "#0A0B0C" gives 10, 11, 12; "#FFF" gives 255, 15, 0.
ColorParts rgb_errechnen(const QString &colorText);

// Two upper-case hexadecimal digits, "0A" for 10.
QString hexByte(int value);
// "#" and the three parts as upper-case digit pairs.
QString colorText(ColorParts parts);

// The window system's value: red in the low byte (R + 256 G + 65536 B).
quint32 platformColor(ColorParts parts);
ColorParts partsOfPlatformColor(quint32 value);

} // namespace askbright
