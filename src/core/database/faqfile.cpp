#include "database/faqfile.h"

#include "app/apperror.h"
#include "app/filesaver.h"
#include "app/numbers.h"
#include "app/textcodec.h"
#include "database/faqdatabase.h"

namespace askbright {

namespace {

// 2000 records with very long answers still fit; a file beyond this is not a database.
constexpr qint64 maxFaqFileBytes = 256 * 1024 * 1024;

// Comma- or line-separated fields as a sequential input statement reads them.
// It works on the file's bytes (every separator is ASCII) and decodes one
// field at a time, so the file is never held twice.
class FieldReader {
public:
    explicit FieldReader(QByteArrayView bytes) : m_bytes(bytes) {}

    QString next()
    {
        skipBlanks();
        if (m_pos >= m_bytes.size())
            throw AppError(AppError::InputPastEndOfFile);
        if (m_bytes.at(m_pos) == '"') {
            const qsizetype close = m_bytes.indexOf('"', m_pos + 1);
            if (close < 0)
                throw AppError(AppError::InputPastEndOfFile,
                               QStringLiteral("Input past end of file: a quoted text is not "
                                              "closed"));
            const QByteArrayView value = m_bytes.sliced(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            skipToSeparator();
            return decodeCp1252(value);
        }
        const qsizetype start = m_pos;
        while (m_pos < m_bytes.size() && !isSeparator(m_bytes.at(m_pos)))
            ++m_pos;
        QByteArrayView value = m_bytes.sliced(start, m_pos - start);
        while (!value.isEmpty() && value.back() == ' ')
            value.chop(1);
        consumeSeparator();
        return decodeCp1252(value);
    }

private:
    static bool isSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

    void skipBlanks()
    {
        while (m_pos < m_bytes.size() && (m_bytes.at(m_pos) == ' ' || m_bytes.at(m_pos) == '\t'))
            ++m_pos;
    }

    // Whatever stands between a closing quote and the separator is skipped.
    void skipToSeparator()
    {
        while (m_pos < m_bytes.size() && !isSeparator(m_bytes.at(m_pos)))
            ++m_pos;
        consumeSeparator();
    }

    void consumeSeparator()
    {
        if (m_pos >= m_bytes.size())
            return;
        if (m_bytes.at(m_pos) == ',') {
            ++m_pos;
            return;
        }
        if (m_bytes.at(m_pos) == '\r')
            ++m_pos;
        if (m_pos < m_bytes.size() && m_bytes.at(m_pos) == '\n')
            ++m_pos;
    }

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

void appendQuoted(QString &out, QString text)
{
    anfuehrung_weg(text); // a raw quote would end the field early on reading
    out += u'"';
    out += text;
    out += u'"';
    out += QLatin1String(crlf);
}

// The date is written unquoted, as it always was, unless that form would not
// read back the same: a comma or line break would split it, a leading blank
// would be lost, a leading quote would start a quoted field.
void appendDate(QString &out, const QString &createdDate)
{
    const QString date = fitDate(createdDate);
    const QString unquoted = date + QLatin1String(crlf);
    bool readsBack = false;
    try {
        readsBack = fitDate(FieldReader(encodeCp1252(unquoted)).next()) == date;
    } catch (const AppError &) {
        // An opening quote never closed, or a character the writer refuses below.
    }
    if (readsBack)
        out += unquoted;
    else
        appendQuoted(out, date);
}

} // namespace

QList<FaqRecord> parseFaq(QByteArrayView bytes)
{
    FieldReader reader(bytes);
    const int count = fieldNumber(reader.next());
    if (count < 0 || count > FaqDatabase::maxRecords)
        throw AppError(AppError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range: the file announces %1 records, "
                                      "a database holds 0 to %2")
                           .arg(count)
                           .arg(FaqDatabase::maxRecords));
    QList<FaqRecord> records;
    records.reserve(count);
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
        records.append(std::move(record));
    }
    return records;
}

QList<FaqRecord> faq_einlesen(const QString &path)
{
    return parseFaq(readFileBytes(path, maxFaqFileBytes));
}

QByteArray formatFaq(const QList<FaqRecord> &records)
{
    if (records.size() > FaqDatabase::maxRecords)
        throw AppError(AppError::SubscriptOutOfRange);
    QString out;
    qsizetype size = 16;
    for (const FaqRecord &r : records)
        size +=
            r.question.size() + r.answer.size() + r.extraInfo.size() + r.homepageLink.size() + 40;
    out.reserve(size);
    out += printNumber(records.size());
    out += QLatin1String(crlf);
    for (const FaqRecord &r : records) {
        appendQuoted(out, r.question);
        appendQuoted(out, r.answer);
        appendQuoted(out, r.extraInfo);
        appendQuoted(out, r.homepageLink);
        out += printNumber(r.infoWithQuestion);
        out += QLatin1String(crlf);
        appendDate(out, r.createdDate);
    }
    return encodeCp1252(out);
}

void faq_speichern(const QString &path, const QList<FaqRecord> &records)
{
    saveFile(path, formatFaq(records));
}

} // namespace askbright
