#include "resize/controlrecords.h"

#include "app/apperror.h"

namespace askbright {

namespace {
constexpr int keyAlreadyInCollection = 457;
}

RecordedControl &ControlRecords::add(qint32 top, qint32 left, qint32 width, qint32 height,
                                     const QString &key, float fontSize)
{
    RecordedControl record;
    record.top = top;
    record.left = left;
    record.width = width;
    record.height = height;
    record.key = key;
    record.fontSize = fontSize;
    return insert(std::move(record));
}

RecordedControl &ControlRecords::addLine(qint32 x1, qint32 x2, qint32 y1, qint32 y2,
                                         const QString &key)
{
    RecordedControl record;
    record.x1 = x1;
    record.x2 = x2;
    record.y1 = y1;
    record.y2 = y2;
    record.key = key;
    return insert(std::move(record));
}

RecordedControl *ControlRecords::find(const QString &key)
{
    return m_byKey.value(key, nullptr);
}

const RecordedControl *ControlRecords::find(const QString &key) const
{
    return m_byKey.value(key, nullptr);
}

void ControlRecords::clear()
{
    m_byKey.clear();
    m_records.clear();
}

RecordedControl &ControlRecords::insert(RecordedControl record)
{
    if (m_byKey.contains(record.key))
        throw AppError(keyAlreadyInCollection,
                       QStringLiteral("This key is already associated with an element of this "
                                      "collection: %1")
                           .arg(record.key));
    record.position = count() + 1;
    RecordedControl &stored = m_records.emplace_back(std::move(record));
    m_byKey.insert(stored.key, &stored);
    return stored;
}

} // namespace askbright
