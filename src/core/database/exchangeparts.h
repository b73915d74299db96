#pragma once

// What the CSV and the Markdown exchange share: the texts of a file read
// piece by piece, the rules of the database applied to them, and output
// handed over in pieces.

#include "app/boundedread.h"
#include "app/filesaver.h"
#include "app/textcodec.h"
#include "database/exchange.h"

#include <array>
#include <optional>

namespace askbright::exchange {

inline constexpr std::array<RecordField, recordFieldCount> allFields{
    RecordField::Question,     RecordField::Answer,           RecordField::ExtraInfo,
    RecordField::HomepageLink, RecordField::InfoWithQuestion, RecordField::CreatedDate};

constexpr size_t at(RecordField field)
{
    return size_t(field);
}

// A CSV column or a Markdown list item, named in either language.
std::optional<RecordField> fieldNamed(QStringView name);

// The bytes of one text as they arrive; past the longest text only its
// length is counted.
class TextBytes {
public:
    explicit TextBytes(bool utf8) : m_utf8(utf8) {}

    void append(QByteArrayView run)
    {
        for (const char c : run) {
            m_blank = m_blank && c == ' ';
            // A UTF-8 character is counted at its first byte.
            if (!m_utf8 || (static_cast<unsigned char>(c) & 0xC0) != 0x80)
                ++m_length;
        }
        if (m_start.size() < startLength)
            m_start += run.first(qMin(run.size(), startLength - m_start.size()));
        if (tooLong())
            m_bytes = QByteArray();
        else
            m_bytes += run;
    }
    bool tooLong() const { return m_length > maxTextLength; }
    qint64 length() const { return m_length; }
    bool blank() const { return m_blank; }
    QString text() const { return decode(m_bytes); }
    // The text, or of one too long its first bytes: enough to tell what kind of line it is.
    QString textOrStart() const { return tooLong() ? decode(m_start) : text(); }

private:
    QString decode(QByteArrayView bytes) const
    {
        return m_utf8 ? QString::fromUtf8(bytes) : decodeCp1252(bytes);
    }

    static constexpr qsizetype startLength = 16;
    bool m_utf8;
    QByteArray m_bytes;
    QByteArray m_start;
    qint64 m_length = 0;
    bool m_blank = true;
};

// One row or record as the file has it.
struct RawRecord {
    int line = 0;
    std::array<QString, recordFieldCount> texts;
    std::array<qint64, recordFieldCount> tooLong{}; // the length of a text not kept
    bool dateGiven = false;                         // else the record gets today

    void set(RecordField field, const TextBytes &bytes)
    {
        texts[at(field)] = bytes.tooLong() ? QString() : bytes.text();
        tooLong[at(field)] = bytes.tooLong() ? bytes.length() : 0;
    }
};

// Applies the rules of the database to what the file holds.
class Collector {
public:
    Collector(int room, QString today) : m_room(room), m_today(std::move(today)) {}

    void add(const RawRecord &raw);
    // Rows of one kind that follow each other make one range.
    void leaveOut(const ImportNote &note);
    ImportResult take() { return std::move(m_result); }

private:
    int m_room;
    QString m_today;
    ImportResult m_result;
    qsizetype m_leftOut = 0;
};

// A stored text as the exchange formats write it: quotes restored.
QString shownText(QString stored);

// Hands UTF-8 over in pieces of about 64 KiB.
class Pieces {
public:
    explicit Pieces(const PieceWriter &write) : m_write(write) { m_piece.reserve(pieceSize * 2); }

    void add(QStringView text)
    {
        m_piece += text.toUtf8();
        if (m_piece.size() >= pieceSize) {
            m_write(m_piece);
            m_piece.resize(0);
        }
    }
    void add(QByteArrayView bytes) { m_piece += bytes; }
    void finish() { m_write(m_piece); }

private:
    static constexpr qsizetype pieceSize = 64 * 1024;
    const PieceWriter &m_write;
    QByteArray m_piece;
};

ImportResult readCsv(ByteSource &in, bool utf8, int room, const QString &today);
void writeCsv(const QList<FaqRecord> &records, const PieceWriter &write);
ImportResult readMarkdown(ByteSource &in, bool utf8, int room, const QString &today);
void writeMarkdown(const QList<FaqRecord> &records, const QString &title, const PieceWriter &write);

} // namespace askbright::exchange
