#include "database/faqdatabase.h"

#include "app/apperror.h"

#include <utility>

namespace askbright {

FaqDatabase::FaqDatabase(QObject *parent) : QObject(parent), m_slots(maxRecords + 1) {}

void FaqDatabase::setFilePath(const QString &path)
{
    if (path == m_filePath)
        return;
    m_filePath = path;
    emit filePathChanged(path);
}

void FaqDatabase::setUnsavedChanges(DirtyState state)
{
    const bool was = hasUnsavedChanges();
    m_unsavedChanges = state;
    if (was != hasUnsavedChanges())
        emit unsavedChangesChanged(hasUnsavedChanges());
}

void FaqDatabase::checkIndex(int index) const
{
    if (index < 0 || index > maxRecords)
        throw AppError(AppError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range: record %1").arg(index));
}

void FaqDatabase::checkRoomForOneMore() const
{
    if (isFull())
        throw AppError(AppError::SubscriptOutOfRange,
                       QStringLiteral("A database holds at most %1 records").arg(maxRecords));
}

const FaqRecord &FaqDatabase::record(int index) const
{
    checkIndex(index);
    return m_slots[size_t(index)];
}

QList<FaqRecord> FaqDatabase::records() const
{
    return QList<FaqRecord>(m_slots.begin() + 1, m_slots.begin() + 1 + m_recordCount);
}

void FaqDatabase::commit(const FaqRecord &fromWindow)
{
    checkIndex(m_currentIndex);
    m_editBuffer = fromWindow;
    FaqRecord &slot = m_slots[size_t(m_currentIndex)];
    if (slot != fromWindow) {
        slot = fromWindow;
        markChanged();
        emit recordsChanged();
    }
}

void FaqDatabase::show(int index)
{
    checkIndex(index);
    m_currentIndex = index;
    m_editBuffer = m_slots[size_t(index)];
}

void FaqDatabase::setCreatedDate(int index, const QString &date)
{
    checkIndex(index);
    m_slots[size_t(index)].createdDate = fitDate(date);
    if (index == m_currentIndex)
        m_editBuffer.createdDate = m_slots[size_t(index)].createdDate;
    markChanged();
    emit recordsChanged();
}

void FaqDatabase::addRecord()
{
    checkRoomForOneMore();
    ++m_recordCount;
    m_slots[size_t(m_recordCount)] = m_blankRecord;
    show(m_recordCount);
    markChanged();
    emit recordsChanged();
}

void FaqDatabase::insertBeforeCurrent()
{
    if (!canInsert())
        throw AppError(AppError::InvalidCall,
                       QStringLiteral("A record can only be inserted before a record that is "
                                      "not the last"));
    checkRoomForOneMore();
    for (int i = m_recordCount; i >= m_currentIndex; --i)
        m_slots[size_t(i + 1)] = m_slots[size_t(i)];
    m_slots[size_t(m_currentIndex)] = m_blankRecord;
    m_editBuffer = m_blankRecord;
    ++m_recordCount;
    markChanged();
    emit recordsChanged();
}

void FaqDatabase::removeCurrent()
{
    if (m_recordCount == 0)
        return;
    checkIndex(m_currentIndex);
    if (m_recordCount == 1) {
        m_slots[size_t(m_currentIndex)] = m_blankRecord;
        m_editBuffer = m_blankRecord;
        m_recordCount = 0;
        m_currentIndex = 0;
    } else if (m_currentIndex >= m_recordCount) {
        m_slots[size_t(m_recordCount)] = m_blankRecord;
        --m_recordCount;
        show(m_recordCount);
    } else {
        for (int i = m_currentIndex; i < m_recordCount; ++i)
            m_slots[size_t(i)] = m_slots[size_t(i + 1)];
        m_slots[size_t(m_recordCount)] = m_blankRecord;
        --m_recordCount;
        show(m_currentIndex);
    }
    // An empty database that was never saved holds nothing to lose.
    if (m_recordCount == 0 && m_filePath.isEmpty())
        markSaved();
    else
        markChanged();
    emit recordsChanged();
}

void FaqDatabase::swapRecords(int a, int b)
{
    for (const int index : {a, b})
        if (index < 1 || index > m_recordCount)
            throw AppError(AppError::SubscriptOutOfRange,
                           QStringLiteral("Subscript out of range: record %1 of %2")
                               .arg(index)
                               .arg(m_recordCount));
    std::swap(m_slots[size_t(a)], m_slots[size_t(b)]);
    if (m_currentIndex == a || m_currentIndex == b)
        m_editBuffer = m_slots[size_t(m_currentIndex)];
    if (a != b) {
        markChanged();
        emit recordsChanged();
    }
}

void FaqDatabase::newDatabase(const QString &today)
{
    FaqRecord first = m_blankRecord;
    first.createdDate = fitDate(today);
    m_slots[1] = first;
    m_recordCount = 1;
    m_currentIndex = 1;
    setFilePath(QString());
    markChanged();
    emit recordsChanged();
}

void FaqDatabase::replaceRecords(const QList<FaqRecord> &records)
{
    if (records.size() > maxRecords)
        throw AppError(AppError::SubscriptOutOfRange,
                       QStringLiteral("A database holds at most %1 records").arg(maxRecords));
    for (qsizetype i = 0; i < records.size(); ++i)
        m_slots[size_t(i + 1)] = records.at(i);
    for (size_t i = size_t(records.size()) + 1; i < m_slots.size(); ++i)
        m_slots[i] = FaqRecord();
    m_recordCount = int(records.size());
    show(m_recordCount > 0 ? 1 : 0);
    emit recordsChanged();
}

} // namespace askbright
