// CSV files of records: read cell by cell, written record by record.

#include "app/apperror.h"
#include "database/exchangeparts.h"

namespace askbright::exchange {

namespace {

// The separator the header line has most of; commas win a tie.
char csvSeparator(ByteSource &in)
{
    qsizetype end;
    while ((end = in.rest().indexOf('\n')) < 0 && in.rest().size() <= maxTextLength && in.more())
        ;
    const QByteArrayView line = end < 0 ? in.rest() : in.rest().first(end);
    const qsizetype commas = line.count(','), semicolons = line.count(';'), tabs = line.count('\t');
    if (tabs > commas && tabs > semicolons)
        return '\t';
    return semicolons > commas ? ';' : ',';
}

// The cells of a CSV file row by row: RFC 4180 with the usual leniencies, a
// lone LF or CR ends a row too and a quote inside a cell is taken literally.
class CsvReader {
public:
    CsvReader(ByteSource &in, bool utf8) : m_in(in), m_utf8(utf8), m_separator(csvSeparator(in)) {}

    // Hands each cell of the next row to cell(column, text); false at the
    // end of the input.
    template <typename Cell> bool readRow(Cell cell)
    {
        if (!m_in.has(1))
            return false;
        m_rowLine = m_line;
        for (qsizetype column = 0;; ++column) {
            TextBytes text(m_utf8);
            const bool more = readCell(text);
            cell(column, text);
            if (!more)
                return true;
        }
    }
    int rowLine() const { return m_rowLine; }

private:
    // True when a separator ends the cell, false at the end of a row.
    bool readCell(TextBytes &text)
    {
        if (m_in.has(1) && m_in.rest().front() == '"')
            readQuoted(text);
        for (;;) {
            if (!m_in.has(1))
                return false;
            const QByteArrayView rest = m_in.rest();
            qsizetype end = 0;
            while (end < rest.size() && rest[end] != m_separator && rest[end] != '\r' &&
                   rest[end] != '\n')
                ++end;
            text.append(rest.first(end));
            m_in.consume(end);
            if (end == rest.size())
                continue;
            const char c = rest[end];
            m_in.consume(1);
            if (c == m_separator)
                return true;
            if (c == '\r' && m_in.has(1) && m_in.rest().front() == '\n')
                m_in.consume(1);
            ++m_line;
            return false;
        }
    }

    void readQuoted(TextBytes &text)
    {
        const int start = m_line;
        m_in.consume(1);
        for (;;) {
            if (!m_in.has(1))
                throw AppError(AppError::TypeMismatch,
                               QStringLiteral("The quoted field of line %1 never ends").arg(start));
            const QByteArrayView rest = m_in.rest();
            const qsizetype quote = rest.indexOf('"');
            const QByteArrayView run = quote < 0 ? rest : rest.first(quote);
            countLines(run);
            text.append(run);
            if (quote < 0) {
                m_in.consume(rest.size());
                continue;
            }
            m_in.consume(quote + 1);
            if (!m_in.has(1) || m_in.rest().front() != '"')
                return;
            text.append("\"");
            m_in.consume(1);
        }
    }

    // CR LF, CR and LF each end one line, also across pieces.
    void countLines(QByteArrayView run)
    {
        for (const char c : run) {
            if (c == '\r' || (c == '\n' && !m_afterCr))
                ++m_line;
            m_afterCr = c == '\r';
        }
    }

    ByteSource &m_in;
    bool m_utf8;
    char m_separator;
    int m_line = 1;
    int m_rowLine = 1;
    bool m_afterCr = false;
};

} // namespace

ImportResult readCsv(ByteSource &in, bool utf8, int room, const QString &today)
{
    if (utf8 && in.has(3) && in.rest().startsWith("\xEF\xBB\xBF"))
        in.consume(3);
    CsvReader reader(in, utf8);
    std::array<qsizetype, recordFieldCount> columns;
    columns.fill(-1);
    const bool header = reader.readRow([&](qsizetype column, const TextBytes &cell) {
        const auto field = cell.tooLong() ? std::nullopt : fieldNamed(cell.text());
        if (field && columns[at(*field)] < 0)
            columns[at(*field)] = column;
    });
    if (!header)
        throw AppError(AppError::TypeMismatch, QStringLiteral("The file holds no header line"));
    if (columns[at(RecordField::Question)] < 0)
        throw AppError(AppError::TypeMismatch,
                       QStringLiteral("The first line names no question column"));

    Collector collector(room, today);
    for (;;) {
        RawRecord raw;
        bool blank = true;
        const bool row = reader.readRow([&](qsizetype column, const TextBytes &cell) {
            blank = blank && cell.blank();
            for (RecordField field : allFields) {
                if (columns[at(field)] == column)
                    raw.set(field, cell);
            }
            if (column == columns[at(RecordField::CreatedDate)])
                raw.dateGiven = !cell.blank();
        });
        if (!row)
            return collector.take();
        raw.line = reader.rowLine();
        if (!blank)
            collector.add(raw);
    }
}

namespace {

QString csvField(QString text)
{
    text.replace(u'"', QLatin1String("\"\""));
    return u'"' + text + u'"';
}

} // namespace

void writeCsv(const QList<FaqRecord> &records, const PieceWriter &write)
{
    Pieces out(write);
    out.add(QByteArrayView("\xEF\xBB\xBF"));
    QStringList header;
    for (RecordField field :
         {RecordField::Question, RecordField::Answer, RecordField::ExtraInfo,
          RecordField::HomepageLink, RecordField::CreatedDate, RecordField::InfoWithQuestion})
        header << csvField(fieldName(field, Language::English));
    out.add(header.join(u',') + QLatin1String("\r\n"));
    for (const FaqRecord &r : records) {
        QString row;
        for (const QString *text : {&r.question, &r.answer, &r.extraInfo, &r.homepageLink})
            row += csvField(textFromWindow(textForWindow(shownText(*text)))) + u',';
        row += csvField(shownText(trimTrailingBlanks(r.createdDate))) + u',';
        row += csvField(r.infoWithQuestion != 0 ? QStringLiteral("1") : QStringLiteral("0"));
        out.add(row + QLatin1String("\r\n"));
    }
    out.finish();
}

} // namespace askbright::exchange
