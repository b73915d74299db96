#include "resize/col_controls.h"

#include "app/apperror.h"

namespace askbright {

namespace {
constexpr int keyAlreadyInCollection = 457;
}

clsControl &col_Controls::Add(qint32 top, qint32 left, qint32 width, qint32 height,
                              const QString &name, float fontsize)
{
    clsControl record;
    record.Top = top;
    record.Left = left;
    record.Width = width;
    record.Height = height;
    record.Name = name;
    record.Fontsize = fontsize;
    return insert(std::move(record));
}

clsControl &col_Controls::AddLine(qint32 x1, qint32 x2, qint32 y1, qint32 y2, const QString &name)
{
    clsControl record;
    record.X1 = x1;
    record.X2 = x2;
    record.Y1 = y1;
    record.Y2 = y2;
    record.Name = name;
    return insert(std::move(record));
}

clsControl *col_Controls::Item(const QString &name)
{
    return m_byName.value(name, nullptr);
}

const clsControl *col_Controls::Item(const QString &name) const
{
    return m_byName.value(name, nullptr);
}

void col_Controls::clear()
{
    m_byName.clear();
    m_records.clear();
}

clsControl &col_Controls::insert(clsControl record)
{
    if (m_byName.contains(record.Name))
        throw AppError(keyAlreadyInCollection,
                       QStringLiteral("This key is already associated with an element of this "
                                      "collection: %1")
                           .arg(record.Name));
    record.Tag = Count() + 1;
    clsControl &stored = m_records.emplace_back(std::move(record));
    m_byName.insert(stored.Name, &stored);
    return stored;
}

} // namespace askbright
