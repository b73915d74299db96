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
class FieldReader {
public:
    explicit FieldReader(QString text) : m_text(std::move(text)) {}

    QString next()
    {
        skipBlanks();
        if (m_pos >= m_text.size())
            throw AppError(AppError::InputPastEndOfFile);
        if (m_text.at(m_pos) == u'"') {
            const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
            if (close < 0)
                throw AppError(AppError::InputPastEndOfFile,
                               QStringLiteral("Input past end of file: a quoted text is not "
                                              "closed"));
            QString value = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            skipToSeparator();
            return value;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && !isSeparator(m_text.at(m_pos)))
            ++m_pos;
        QString value = trimBlanks(m_text.mid(start, m_pos - start));
        consumeSeparator();
        return value;
    }

private:
    static bool isSeparator(QChar c) { return c == u',' || c == u'\r' || c == u'\n'; }

    void skipBlanks()
    {
        while (m_pos < m_text.size() && (m_text.at(m_pos) == u' ' || m_text.at(m_pos) == u'\t'))
            ++m_pos;
    }

    // Whatever stands between a closing quote and the separator is skipped.
    void skipToSeparator()
    {
        while (m_pos < m_text.size() && !isSeparator(m_text.at(m_pos)))
            ++m_pos;
        consumeSeparator();
    }

    void consumeSeparator()
    {
        if (m_pos >= m_text.size())
            return;
        if (m_text.at(m_pos) == u',') {
            ++m_pos;
            return;
        }
        if (m_text.at(m_pos) == u'\r')
            ++m_pos;
        if (m_pos < m_text.size() && m_text.at(m_pos) == u'\n')
            ++m_pos;
    }

    QString m_text;
    qsizetype m_pos = 0;
};

void appendQuoted(QString &out, QString text)
{
    anfuehrung_weg(text); // a raw quote would end the field early on reading
    out += u'"';
    out += text;
    out += u'"';
    out += QLatin1String(crlf);
}

} // namespace

QList<FaqRecord> parseFaq(QByteArrayView bytes)
{
    FieldReader reader(decodeCp1252(bytes));
    const int count = toInt16(reader.next());
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
        record.question = reader.next();
        record.answer = reader.next();
        record.extraInfo = reader.next();
        record.homepageLink = reader.next();
        record.infoWithQuestion = toInt16(reader.next());
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
        out += fitDate(r.createdDate);
        out += QLatin1String(crlf);
    }
    return encodeCp1252(out);
}

void faq_speichern(const QString &path, const QList<FaqRecord> &records)
{
    saveFile(path, formatFaq(records));
}

} // namespace askbright
