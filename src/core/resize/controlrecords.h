#pragma once

#include "resize/recordedcontrol.h"

#include <QHash>
#include <deque>

namespace askbright {

// The records of one window's controls, keyed by control name. Records keep
// their address for the collection's lifetime.
class ControlRecords {
public:
    // Both throw AppError 457 when the key is taken; the collection is then unchanged.
    RecordedControl &add(qint32 top, qint32 left, qint32 width, qint32 height, const QString &key,
                         float fontSize);
    RecordedControl &addLine(qint32 x1, qint32 x2, qint32 y1, qint32 y2, const QString &key);
    // nullptr when no record has that key.
    RecordedControl *find(const QString &key);
    const RecordedControl *find(const QString &key) const;
    qint32 count() const { return qint32(m_records.size()); }
    void clear();

private:
    RecordedControl &insert(RecordedControl record);

    std::deque<RecordedControl> m_records;
    QHash<QString, RecordedControl *> m_byKey;
};

} // namespace askbright
