#include "database/faqfile.h"

#include "app/apperror.h"
#include "app/filesaver.h"
#include "app/numbers.h"
#include "app/textcodec.h"
#include "database/faqdatabase.h"

#include <cstring>

namespace askbright {

namespace {

// Comma- or line-separated fields as a sequential input statement reads them.
// It works on the file's bytes (every separator is ASCII) and decodes one
// field at a time. Reading from a file, it holds only a window of it, so the
// file and the records are never in memory together.
class FieldReader {
public:
    explicit FieldReader(QByteArrayView bytes) : m_bytes(bytes) {}
    explicit FieldReader(FileChunks &file) : m_file(&file) {}

    QString next()
    {
        skipBlanks();
        if (!available(0))
            throw AppError(AppError::InputPastEndOfFile);
        if (m_bytes.at(m_pos) == '"') {
            // The window may move while the search goes on; offsets from m_pos stay.
            qsizetype searched = 1;
            qsizetype close;
            while ((close = m_bytes.indexOf('"', m_pos + searched)) < 0) {
                searched = m_bytes.size() - m_pos;
                if (!more())
                    throw AppError(AppError::InputPastEndOfFile,
                                   QStringLiteral("Input past end of file: a quoted text is not "
                                                  "closed"));
            }
            const QString value = decodeCp1252(m_bytes.sliced(m_pos + 1, close - m_pos - 1));
            m_pos = close + 1;
            skipToSeparator();
            return value;
        }
        qsizetype length = 0;
        while (available(length) && !isSeparator(m_bytes.at(m_pos + length)))
            ++length;
        QByteArrayView value = m_bytes.sliced(m_pos, length);
        while (!value.isEmpty() && value.back() == ' ')
            value.chop(1);
        const QString text = decodeCp1252(value);
        m_pos += length;
        consumeSeparator();
        return text;
    }

private:
    static bool isSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

    // Whether the byte at m_pos + offset exists, reading more of the file when
    // the window ends before it.
    bool available(qsizetype offset)
    {
        while (m_pos + offset >= m_bytes.size()) {
            if (!more())
                return false;
        }
        return true;
    }

    // Drops what was read and appends the next piece of the file; m_pos and
    // every view into the window are invalidated, offsets from m_pos stay.
    bool more()
    {
        if (!m_file)
            return false;
        constexpr qsizetype piece = 256 * 1024;
        // Moved by hand: a removal from the front would leave the room at the
        // front, and every piece would need a new buffer.
        const qsizetype kept = m_buffer.size() - m_pos;
        if (m_pos > 0) {
            std::memmove(m_buffer.data(), m_buffer.constData() + m_pos, size_t(kept));
            m_buffer.truncate(kept);
        }
        m_pos = 0;
        if (m_buffer.capacity() < kept + piece)
            m_buffer.reserve(qMax(kept + piece, 2 * m_buffer.capacity()));
        const bool got = m_file->read(m_buffer, piece);
        m_bytes = m_buffer;
        return got;
    }

    void skipBlanks()
    {
        while (available(0) && (m_bytes.at(m_pos) == ' ' || m_bytes.at(m_pos) == '\t'))
            ++m_pos;
    }

    // Whatever stands between a closing quote and the separator is skipped.
    void skipToSeparator()
    {
        while (available(0) && !isSeparator(m_bytes.at(m_pos)))
            ++m_pos;
        consumeSeparator();
    }

    void consumeSeparator()
    {
        if (!available(0))
            return;
        if (m_bytes.at(m_pos) == ',') {
            ++m_pos;
            return;
        }
        if (m_bytes.at(m_pos) == '\r')
            ++m_pos;
        if (available(0) && m_bytes.at(m_pos) == '\n')
            ++m_pos;
    }

    FileChunks *m_file = nullptr;
    QByteArray m_buffer;
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

// A count or flag; the message quotes only the start of a long field.
qint16 fieldNumber(const QString &field)
{
    try {
        return toInt16(field);
    } catch (const AppError &e) {
        throw AppError(
            e.number(),
            AppError::classicDescription(e.number()) +
                QStringLiteral(": \"%1\" is not a 16-bit number").arg(excerpt(trimBlanks(field))));
    }
}

void appendQuoted(QByteArray &out, const QString &text)
{
    out += '"';
    if (text.contains(u'"')) {
        QString substituted = text;
        anfuehrung_weg(substituted); // a raw quote would end the field early on reading
        out += encodeCp1252(substituted);
    } else {
        out += encodeCp1252(text);
    }
    out += '"';
    out += crlf;
}

// The date is written unquoted, as it always was, unless that form would not
// read back the same: a comma or line break would split it, a leading blank
// would be lost, a leading quote would start a quoted field.
void appendDate(QByteArray &out, const QString &createdDate)
{
    const QString date = fitDate(createdDate);
    const QByteArray unquoted = encodeCp1252(date) + crlf;
    bool readsBack = false;
    try {
        readsBack = fitDate(FieldReader(unquoted).next()) == date;
    } catch (const AppError &) {
        // An opening quote never closed.
    }
    if (readsBack)
        out += unquoted;
    else
        appendQuoted(out, date);
}

// The file in pieces of about 64 KiB, each whole records.
void writeFaq(const QList<FaqRecord> &records, const PieceWriter &write)
{
    if (records.size() > FaqDatabase::maxRecords)
        throw AppError(AppError::SubscriptOutOfRange);
    constexpr qsizetype pieceSize = 64 * 1024;
    QByteArray piece;
    piece.reserve(pieceSize + 8 * 1024);
    piece += printNumber(records.size()).toLatin1();
    piece += crlf;
    for (const FaqRecord &r : records) {
        appendQuoted(piece, r.question);
        appendQuoted(piece, r.answer);
        appendQuoted(piece, r.extraInfo);
        appendQuoted(piece, r.homepageLink);
        piece += printNumber(r.infoWithQuestion).toLatin1();
        piece += crlf;
        appendDate(piece, r.createdDate);
        if (piece.size() >= pieceSize) {
            write(piece);
            piece.resize(0);
        }
    }
    write(piece);
}

// Hands each record to visit as soon as it is read; returns the count the
// file announces.
int visitRecords(FieldReader &reader, const std::function<void(FaqRecord &&)> &visit)
{
    const int count = fieldNumber(reader.next());
    if (count < 0 || count > FaqDatabase::maxRecords)
        throw AppError(AppError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range: the file announces %1 records, "
                                      "a database holds 0 to %2")
                           .arg(count)
                           .arg(FaqDatabase::maxRecords));
    for (int i = 0; i < count; ++i) {
        FaqRecord record;
        // An unquoted field may hold a double quote; records keep the substitute
        // in its place, as when the text was typed, so a save writes it back.
        for (QString *text :
             {&record.question, &record.answer, &record.extraInfo, &record.homepageLink}) {
            *text = reader.next();
            anfuehrung_weg(*text);
        }
        record.infoWithQuestion = fieldNumber(reader.next());
        record.createdDate = fitDate(reader.next());
        visit(std::move(record));
    }
    return count;
}

QList<FaqRecord> readRecords(FieldReader &reader)
{
    QList<FaqRecord> records;
    visitRecords(reader, [&records](FaqRecord &&record) { records.append(std::move(record)); });
    return records;
}

} // namespace

QList<FaqRecord> parseFaq(QByteArrayView bytes)
{
    FieldReader reader(bytes);
    return readRecords(reader);
}

QList<FaqRecord> faq_einlesen(const QString &path)
{
    FileChunks file(path, maxFaqFileBytes);
    FieldReader reader(file);
    return readRecords(reader);
}

void forEachFaqRecord(const QString &path, const std::function<void(const FaqRecord &)> &visit)
{
    FileChunks file(path, maxFaqFileBytes);
    FieldReader reader(file);
    visitRecords(reader, visit);
}

QByteArray formatFaq(const QList<FaqRecord> &records)
{
    QByteArray out;
    writeFaq(records, [&out](QByteArrayView piece) { out += piece; });
    return out;
}

void faq_speichern(const QString &path, const QList<FaqRecord> &records)
{
    saveFileInPieces(path, [&records](const PieceWriter &write) { writeFaq(records, write); });
}

} // namespace askbright
