#pragma once

#include "database/faqrecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace askbright {

// Records in and out of other programs: CSV (RFC 4180) and Markdown. Both are
// read piece by piece into records, so an import holds no more than the file's
// records; both are written through the save helper record by record.

// What an import did with a row or record it could not take as the file has it.
struct ImportNote {
    enum Kind {
        // The row is left out:
        DatabaseFull, // the database already holds 2000 records (lines line..lastLine)
        Empty,        // neither question nor answer
        TooLong,      // field is longer than maxTextLength; detail: its length
        NotARecord,   // Markdown text before the first question (lines line..lastLine)
        // The record is taken with a change to field:
        Replaced, // characters a .faq file cannot hold became "?"; detail: them
        FlagRead, // a flag other than 0 or 1 was read as 0; detail: the value
        DateCut,  // a date longer than 10 characters was cut; detail: the date
    };

    int line = 0;     // where the row or record starts (1-based)
    int lastLine = 0; // the end of a range of lines, else line
    Kind kind = Empty;
    RecordField field = RecordField::Question;
    QString detail;

    bool operator==(const ImportNote &) const = default;
};

// "line 4, answer: "😀" replaced by "?"": the note as the import report lists it.
QString noteText(const ImportNote &note, Language language);

struct ImportResult {
    QList<FaqRecord> records; // in file order, ready to append
    QList<ImportNote> notes;  // in file order; every change, and the first rows left out
    qsizetype changed = 0;    // records taken with a change
    qsizetype leftOut = 0;    // rows or records left out
    qsizetype unlisted = 0;   // notes of rows left out beyond those listed
};

// CSV with a header row naming the columns (any order, any letter case):
// question/Frage, answer/Antwort, extra info/Zusatz, link, date/Datum and
// "info with question"/"zur Frage" (0 or 1). Commas, semicolons or tabs
// separate, whichever the header line has most of. UTF-8 when the bytes are
// valid UTF-8 (a byte order mark is dropped), Windows-1252 otherwise. A row
// with a blank date gets today. Double quotes are stored as the quote
// substitute, as if typed in the window. room: how many records the database
// can still take. Throws AppError 13 for a file that is not such a CSV (no
// header, unterminated quoted field).
ImportResult importCsv(QByteArrayView bytes, int room, const QString &today);

// Markdown in the form exportMarkdown writes (the README describes it), or
// any file whose "## " headings are the questions and the text under each
// its answer. Throws AppError 13 when the file holds no "## " heading.
ImportResult importMarkdown(QByteArrayView bytes, int room, const QString &today);

enum class ExchangeFormat { Csv, Markdown };

// Reads the file at path (no larger than a database file may be) and imports
// it in the given format; throws AppError for a file that cannot be read.
ImportResult importFile(const QString &path, ExchangeFormat format, int room, const QString &today);

// UTF-8 with byte order mark, CR LF, a header of the six columns and every
// field quoted; quotes restored in every text, the flag as 0 or 1.
QByteArray exportCsv(const QList<FaqRecord> &records);
// "# title", then per record the question as a "## " heading, a list of the
// other four fields and the answer; every text escaped so that a Markdown
// renderer shows it as it is and importMarkdown reads it back the same.
QByteArray exportMarkdown(const QList<FaqRecord> &records, const QString &title);
// Either of the two written through the save helper (title: Markdown only).
void exportFile(const QString &path, ExchangeFormat format, const QList<FaqRecord> &records,
                const QString &title);

} // namespace askbright
