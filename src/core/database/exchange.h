#pragma once

#include "database/faqrecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace askbright {

// Records in and out of other programs: CSV (RFC 4180) and Markdown.

// Why a row of an import was not taken.
struct SkippedRow {
    enum Reason {
        DatabaseFull, // the database already holds 2000 records
        Unencodable,  // a character the .faq file cannot hold
        NoQuestion,   // the question is empty
    };

    int line = 0; // line of the file where the row starts (1-based)
    Reason reason = NoQuestion;
    QString detail; // the offending character, or the question's start

    bool operator==(const SkippedRow &) const = default;
};

struct ImportResult {
    QList<FaqRecord> records; // in file order, ready to append
    QList<SkippedRow> skipped;
};

// Text of an imported file: UTF-8 when the bytes are valid UTF-8 (a byte
// order mark is dropped), Windows-1252 otherwise.
QString decodeImportText(QByteArrayView bytes);

// CSV with a header row naming the columns (any order, any letter case):
// question/Frage, answer/Antwort, extra info/Zusatz, link, date/Datum and the
// optional "info with question"/"zur Frage" (0 or 1). Question is required;
// a row without a date gets today. Double quotes in the texts are stored as
// the quote substitute, as if typed in the window. room: how many records
// the database can still take. Throws AppError 13 for a file that is not
// such a CSV (no header, unterminated quoted field).
ImportResult importCsv(QByteArrayView bytes, int room, const QString &today);

// The records as CSV, UTF-8 with byte order mark, CR LF, every field quoted,
// with a header of all six columns; texts as the window shows them.
QByteArray exportCsv(const QList<FaqRecord> &records);

// Markdown: each "## " heading is a question, the text up to the next such
// heading its answer (surrounding blank lines dropped, paragraphs kept).
ImportResult importMarkdown(QByteArrayView bytes, int room, const QString &today);
enum class ExchangeFormat { Csv, Markdown };

// Reads the file at path (no larger than a database file may be) and imports
// it in the given format; throws AppError for a file that cannot be read.
ImportResult importFile(const QString &path, ExchangeFormat format, int room, const QString &today);

// "# title", then per record "## question", a blank line, the answer.
QByteArray exportMarkdown(const QList<FaqRecord> &records, const QString &title);

} // namespace askbright
