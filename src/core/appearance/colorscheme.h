#pragma once

#include <QtGlobal>
#include <array>

namespace askbright {

// The four colours the program's own windows are painted with, as window
// colour values (red in the low byte).
struct ColorScheme {
    enum Entry { buttonColor, fontColor, backgroundColor, buttonFontColor };
    static constexpr int entryCount = 4;

    std::array<qint32, entryCount> entries{};

    qint32 operator[](Entry e) const { return entries[size_t(e)]; }
    qint32 &operator[](Entry e) { return entries[size_t(e)]; }
    // All four black: nothing was loaded in this run.
    bool isUnset() const { return entries == std::array<qint32, entryCount>{}; }

    bool operator==(const ColorScheme &) const = default;
};

} // namespace askbright
