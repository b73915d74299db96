#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace askbright {

// Where TileBitmapsProcessBar draws copies of a picture to cover a target:
// columns 0 to round(W / w + 1) and rows 0 to round(H / h + 1), both bounds
// included and halves rounded to even, each copy at (column * sw, row * sh)
// with size sw x sh. target and source are outer sizes (W x H, w x h),
// sourceInner the source's drawing size (sw x sh). Column by column, each
// from the top. An empty source or drawing size gives no copies.
QList<QRect> tileRects(QSize target, QSize source, QSize sourceInner);

} // namespace askbright
