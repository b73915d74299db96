#pragma once

#include "database/faqrecord.h"

#include <QList>
#include <QObject>
#include <QString>
#include <vector>

namespace askbright {

enum class DirtyState { Unset, Set, Cleared };

// The records of the open .faq file and the record shown in the main window.
// Records live in slots 1..recordCount; slot 0 is what the window shows before
// any database exists. Every operation that would need a slot beyond 2000 is
// refused with an AppError before anything changes.
class FaqDatabase : public QObject {
    Q_OBJECT
public:
    static constexpr int maxRecords = 2000;

    explicit FaqDatabase(QObject *parent = nullptr);

    int recordCount() const { return m_recordCount; }
    int currentIndex() const { return m_currentIndex; }
    // Slot access; an index outside 0..2000 throws error 9.
    const FaqRecord &record(int index) const;
    // Records 1..recordCount, in order.
    QList<FaqRecord> records() const;

    // The record as the window shows it (or last showed it).
    const FaqRecord &editBuffer() const { return m_editBuffer; }
    const FaqRecord &blankRecord() const { return m_blankRecord; }
    void setBlankRecord(const FaqRecord &blank) { m_blankRecord = blank; }

    QString filePath() const { return m_filePath; }
    void setFilePath(const QString &path);
    QString faqFolder() const { return m_faqFolder; }
    void setFaqFolder(const QString &folder) { m_faqFolder = folder; }

    DirtyState unsavedChanges() const { return m_unsavedChanges; }
    bool hasUnsavedChanges() const { return m_unsavedChanges == DirtyState::Set; }
    void markChanged() { setUnsavedChanges(DirtyState::Set); }
    void markSaved() { setUnsavedChanges(DirtyState::Cleared); }

    // Window -> slot currentIndex (through the edit buffer); a record that
    // differs from the stored one marks the database changed.
    void commit(const FaqRecord &fromWindow);
    // currentIndex <- index; edit buffer <- that slot.
    void show(int index);
    // Sets a record's creation date (the record shown is slot currentIndex).
    void setCreatedDate(int index, const QString &date);

    bool isFull() const { return m_recordCount >= maxRecords; }
    // Appends a blank record after the last one and shows it.
    void addRecord();
    // Whether the current record may get a blank record inserted before it.
    bool canInsert() const { return m_recordCount != 1 && m_currentIndex < m_recordCount; }
    // Inserts a blank record before the current one and shows it.
    void insertBeforeCurrent();
    // Removes the current record; shows the record that takes its place, or
    // the last one; removing the only record leaves an empty database (0 of 0).
    void removeCurrent();
    // Exchanges records a and b (1..recordCount) whole; the edit buffer
    // follows the slot shown. Any other index throws error 9.
    void swapRecords(int a, int b);

    // A new database of one blank record dated today, never saved.
    void newDatabase(const QString &today);
    // Replaces all records (a file just read) and shows record 1.
    void replaceRecords(const QList<FaqRecord> &records);

signals:
    // Whether hasUnsavedChanges() turned true or false.
    void unsavedChangesChanged(bool unsaved);
    void filePathChanged(const QString &path);
    // A record was added, removed, moved or stored with other contents.
    void recordsChanged();

private:
    void setUnsavedChanges(DirtyState state);
    void checkIndex(int index) const;
    void checkRoomForOneMore() const;

    std::vector<FaqRecord> m_slots;
    int m_recordCount = 0;
    int m_currentIndex = 0;
    FaqRecord m_editBuffer;
    FaqRecord m_blankRecord;
    QString m_filePath;
    QString m_faqFolder;
    DirtyState m_unsavedChanges = DirtyState::Unset;
};

} // namespace askbright
