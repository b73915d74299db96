#include "project/tiling.h"

#include <cmath>

namespace askbright {

namespace {

// The last index: nearest whole number of extent / step + 1, halves to even.
int lastIndex(int extent, int step)
{
    return int(std::nearbyint(double(extent) / double(step) + 1.0));
}

} // namespace

QList<QRect> tileRects(QSize target, QSize source, QSize sourceInner)
{
    QList<QRect> rects;
    if (source.width() <= 0 || source.height() <= 0 || sourceInner.isEmpty() ||
        target.width() < 0 || target.height() < 0)
        return rects;
    const int columns = lastIndex(target.width(), source.width());
    const int rows = lastIndex(target.height(), source.height());
    rects.reserve(qsizetype(columns + 1) * (rows + 1));
    for (int c = 0; c <= columns; ++c)
        for (int r = 0; r <= rows; ++r)
            rects << QRect(QPoint(c * sourceInner.width(), r * sourceInner.height()), sourceInner);
    return rects;
}

} // namespace askbright
