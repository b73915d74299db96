#pragma once

#include "resize/clscontrol.h"

#include <QHash>
#include <deque>

namespace askbright {

// The records of one window's controls, keyed by control name. Records keep
// their address for the collection's lifetime.
class col_Controls {
public:
    // Both throw AppError 457 when the key is taken; the collection is then unchanged.
    clsControl &Add(qint32 top, qint32 left, qint32 width, qint32 height, const QString &name,
                    float fontsize);
    clsControl &AddLine(qint32 x1, qint32 x2, qint32 y1, qint32 y2, const QString &name);
    // nullptr when no record has that key.
    clsControl *Item(const QString &name);
    const clsControl *Item(const QString &name) const;
    qint32 Count() const { return qint32(m_records.size()); }
    void clear();

private:
    clsControl &insert(clsControl record);

    std::deque<clsControl> m_records;
    QHash<QString, clsControl *> m_byName;
};

} // namespace askbright
