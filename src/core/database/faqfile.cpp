#include "database/faqfile.h"

#include "app/apperror.h"
#include "app/boundedread.h"
#include "app/filesaver.h"
#include "app/numbers.h"
#include "app/textcodec.h"
#include "database/faqdatabase.h"

namespace askbright {

namespace {

// A field longer than the longest text, and how long it is.
struct FieldTooLong {
    qint64 length;
};

// Comma- or line-separated fields as a sequential input statement reads them.
// It works on the file's bytes (every separator is ASCII) and decodes one
// field at a time, so the file and the records are never in memory together.
class FieldReader {
public:
    explicit FieldReader(ByteSource &in) : m_in(in) {}

    QString next()
    {
        skipBlanks();
        if (!m_in.has(1))
            throw AppError(AppError::InputPastEndOfFile);
        if (m_in.rest().front() == '"') {
            const qsizetype close = endOf(
                1, [](QByteArrayView bytes, qsizetype from) { return bytes.indexOf('"', from); });
            if (close < 0)
                throw AppError(AppError::InputPastEndOfFile,
                               QStringLiteral("Input past end of file: a quoted text is not "
                                              "closed"));
            const QString value = decodeCp1252(m_in.rest().sliced(1, close - 1));
            m_in.consume(close + 1);
            skipToSeparator();
            return value;
        }
        qsizetype length = endOf(0, [](QByteArrayView bytes, qsizetype from) {
            for (qsizetype i = from; i < bytes.size(); ++i) {
                if (isSeparator(bytes[i]))
                    return i;
            }
            return qsizetype(-1);
        });
        if (length < 0)
            length = m_in.rest().size();
        QByteArrayView value = m_in.rest().first(length);
        while (!value.isEmpty() && value.back() == ' ')
            value.chop(1);
        const QString text = decodeCp1252(value);
        m_in.consume(length);
        consumeSeparator();
        return text;
    }

private:
    static bool isSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

    // Offset in rest() of the byte that ends a field whose value starts at
    // start, found by find(bytes, from); -1 when the input ends first. A value
    // longer than the longest text is read on to its end without being kept
    // and thrown as FieldTooLong.
    template <typename Find> qsizetype endOf(qsizetype start, Find find)
    {
        const qsizetype limit = start + maxTextLength + 1;
        qsizetype searched = start;
        for (;;) {
            const QByteArrayView rest = m_in.rest();
            const qsizetype end = find(rest.first(qMin(rest.size(), limit)), searched);
            if (end >= 0)
                return end;
            if (rest.size() >= limit)
                measureAndThrow(start, find);
            searched = rest.size();
            if (!m_in.more())
                return -1;
        }
    }

    template <typename Find> [[noreturn]] void measureAndThrow(qsizetype start, Find find)
    {
        m_in.consume(start);
        qint64 length = 0;
        for (;;) {
            const QByteArrayView rest = m_in.rest();
            const qsizetype end = find(rest, 0);
            if (end >= 0)
                throw FieldTooLong{length + end};
            length += rest.size();
            m_in.consume(rest.size());
            if (!m_in.more())
                throw FieldTooLong{length};
        }
    }

    void skipBlanks()
    {
        while (m_in.has(1) && (m_in.rest().front() == ' ' || m_in.rest().front() == '\t'))
            m_in.consume(1);
    }

    // Whatever stands between a closing quote and the separator is skipped.
    void skipToSeparator()
    {
        while (m_in.has(1) && !isSeparator(m_in.rest().front()))
            m_in.consume(1);
        consumeSeparator();
    }

    void consumeSeparator()
    {
        if (!m_in.has(1))
            return;
        const char c = m_in.rest().front();
        if (c == ',') {
            m_in.consume(1);
            return;
        }
        if (c == '\r')
            m_in.consume(1);
        if (m_in.has(1) && m_in.rest().front() == '\n')
            m_in.consume(1);
    }

    ByteSource &m_in;
};

AppError textTooLong(int record, RecordField field, qint64 length)
{
    return AppError(
        AppError::OutOfMemory,
        QStringLiteral("Record %1, %2: %3 characters; a text may hold at most %4 characters")
            .arg(record)
            .arg(fieldName(field, Language::English))
            .arg(length)
            .arg(maxTextLength),
        QStringLiteral("Datensatz %1, %2: %3 Zeichen; ein Text darf höchstens %4 Zeichen enthalten")
            .arg(record)
            .arg(fieldName(field, Language::German))
            .arg(length)
            .arg(maxTextLength));
}

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
        ByteSource in(unquoted);
        readsBack = fitDate(FieldReader(in).next()) == date;
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
    for (qsizetype i = 0; i < records.size(); ++i) {
        const FaqRecord &r = records.at(i);
        // A text the reader would refuse is not written either.
        for (const auto &[text, field] : {std::pair{&r.question, RecordField::Question},
                                          {&r.answer, RecordField::Answer},
                                          {&r.extraInfo, RecordField::ExtraInfo},
                                          {&r.homepageLink, RecordField::HomepageLink}}) {
            if (text->size() > maxTextLength)
                throw textTooLong(int(i + 1), field, text->size());
        }
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
int visitRecords(ByteSource &in, const std::function<void(FaqRecord &&)> &visit)
{
    FieldReader reader(in);
    int count = 0;
    try {
        count = fieldNumber(reader.next());
    } catch (const FieldTooLong &) {
        throw AppError(AppError::TypeMismatch,
                       QStringLiteral("Type mismatch: the file does not begin with a count"));
    }
    if (count < 0 || count > FaqDatabase::maxRecords)
        throw AppError(AppError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range: the file announces %1 records, "
                                      "a database holds 0 to %2")
                           .arg(count)
                           .arg(FaqDatabase::maxRecords));
    for (int i = 0; i < count; ++i) {
        FaqRecord record;
        RecordField field = RecordField::Question;
        try {
            // An unquoted field may hold a double quote; records keep the substitute
            // in its place, as when the text was typed, so a save writes it back.
            for (QString *text :
                 {&record.question, &record.answer, &record.extraInfo, &record.homepageLink}) {
                *text = reader.next();
                anfuehrung_weg(*text);
                field = RecordField(int(field) + 1);
            }
            record.infoWithQuestion = fieldNumber(reader.next());
            field = RecordField::CreatedDate;
            record.createdDate = fitDate(reader.next());
        } catch (const FieldTooLong &tooLong) {
            throw textTooLong(i + 1, field, tooLong.length);
        }
        visit(std::move(record));
    }
    return count;
}

QList<FaqRecord> readRecords(ByteSource &in)
{
    QList<FaqRecord> records;
    visitRecords(in, [&records](FaqRecord &&record) { records.append(std::move(record)); });
    return records;
}

} // namespace

QList<FaqRecord> parseFaq(QByteArrayView bytes)
{
    ByteSource in(bytes);
    return readRecords(in);
}

QList<FaqRecord> faq_einlesen(const QString &path)
{
    FileChunks file(path, maxFaqFileBytes);
    ByteSource in(file);
    return readRecords(in);
}

void forEachFaqRecord(const QString &path, const std::function<void(const FaqRecord &)> &visit)
{
    FileChunks file(path, maxFaqFileBytes);
    ByteSource in(file);
    visitRecords(in, visit);
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
