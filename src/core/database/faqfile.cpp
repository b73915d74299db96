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

// The date is written unquoted, as it always was, unless that form would not
// read back the same: a comma or line break would split it, a leading blank
// would be lost, a leading quote would start a quoted field.
void appendDate(QString &out, const QString &createdDate)
{
    const QString date = fitDate(createdDate);
    const QString unquoted = date + QLatin1String(crlf);
    bool readsBack = false;
    try {
        readsBack = fitDate(FieldReader(unquoted).next()) == date;
    } catch (const AppError &) {
        // An opening quote that is never closed.
    }
    if (readsBack)
        out += unquoted;
    else
        appendQuoted(out, date);
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
        // An unquoted field may hold a double quote; records keep the substitute
        // in its place, as when the text was typed, so a save writes it back.
        for (QString *text :
             {&record.question, &record.answer, &record.extraInfo, &record.homepageLink}) {
            *text = reader.next();
            anfuehrung_weg(*text);
        }
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
        appendDate(out, r.createdDate);
    }
    return encodeCp1252(out);
}

void faq_speichern(const QString &path, const QList<FaqRecord> &records)
{
    saveFile(path, formatFaq(records));
}

} // namespace askbright
