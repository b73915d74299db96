#pragma once

#include <QColor>

namespace askbright {

// Window colours in files are 0x00BBGGRR (red in the low byte).
inline QColor colorFromBgr(qint32 bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline qint32 bgrFromColor(const QColor &c)
{
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

inline constexpr qint32 lightGrey = 0xE0E0E0;

} // namespace askbright
