#pragma once

#include "app/language.h"
#include "database/faqrecord.h"

#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QMenu;

namespace askbright {

class WindowContext;

// The file menu's CSV and Markdown entries: records appended to the database
// from such a file, or all records written to one.
class RecordExchangeCommands : public QObject {
    Q_OBJECT
public:
    // The entries go into fileMenu before the entry before, in a group of
    // their own. records: the records as a save now would write them.
    RecordExchangeCommands(WindowContext &context, QMenu *fileMenu, QAction *before,
                           std::function<QList<FaqRecord>()> records);

    void retranslate(Language language);

    void onImportCsvTriggered();
    void onImportMarkdownTriggered();
    void onExportCsvTriggered();
    void onExportMarkdownTriggered();

signals:
    // Records were appended; first is the number of the first new one.
    void recordsImported(int first);

private:
    // Importing needs a database to append to, exporting a record to write.
    void updateEnabled();
    // The records as they go out or as imported ones are appended to.
    QList<FaqRecord> recordsToExchange() const;
    void importRecords(bool csv);
    void exportRecords(bool csv);

    WindowContext &m_ctx;
    std::function<QList<FaqRecord>()> m_records;
    QAction *m_importCsv, *m_importMarkdown, *m_exportCsv, *m_exportMarkdown;
};

} // namespace askbright
