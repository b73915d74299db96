#pragma once

#include "project/colors.h"

#include <QColor>

namespace askbright {

// Window colours in files are 0x00BBGGRR (red in the low byte); the
// arithmetic is the core's, these only cross over to QColor.
inline QColor colorFromBgr(qint32 bgr)
{
    const ColorParts parts = partsOfPlatformColor(quint32(bgr));
    return QColor(parts.red, parts.green, parts.blue);
}

inline qint32 bgrFromColor(const QColor &c)
{
    return qint32(platformColor({c.red(), c.green(), c.blue()}));
}

inline constexpr qint32 lightGrey = 0xE0E0E0;

} // namespace askbright
