#include "database/exchange.h"

#include "app/apperror.h"
#include "app/paths.h"
#include "app/textcodec.h"
#include "database/faqfile.h"

#include <QStringDecoder>
#include <QStringList>
#include <array>
#include <optional>

namespace askbright {

namespace {

enum Column { Question, Answer, Extra, Link, Date, Flag, ColumnCount };

std::optional<Column> columnOf(const QString &header)
{
    static const std::array<std::pair<const char16_t *, Column>, 13> names{{
        {u"question", Question},
        {u"frage", Question},
        {u"answer", Answer},
        {u"antwort", Answer},
        {u"extra info", Extra},
        {u"additional info", Extra},
        {u"zusatz", Extra},
        {u"link", Link},
        {u"homepage", Link},
        {u"date", Date},
        {u"datum", Date},
        {u"info with question", Flag},
        {u"zur frage", Flag},
    }};
    const QString key = header.trimmed().toLower();
    for (const auto &[name, column] : names) {
        if (key == QStringView(name))
            return column;
    }
    return std::nullopt;
}

struct Row {
    int line = 0;
    QStringList fields;
};

// RFC 4180 with the usual leniencies: LF or CR alone end a row too, and a
// quote inside an unquoted field is taken literally.
QList<Row> parseCsv(const QString &text, QChar separator)
{
    QList<Row> rows;
    Row row{1, {}};
    QString field;
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto endField = [&] {
        row.fields << field;
        field.clear();
    };
    auto endRow = [&] {
        endField();
        rows << row;
        row = Row{line, {}};
    };
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'"' && field.isEmpty()) {
            const int start = line;
            ++i;
            for (;;) {
                if (i >= n)
                    throw AppError(
                        AppError::TypeMismatch,
                        QStringLiteral("The quoted field of line %1 never ends").arg(start));
                const QChar q = text.at(i);
                if (q == u'"') {
                    if (i + 1 < n && text.at(i + 1) == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (q == u'\n' || (q == u'\r' && !(i + 1 < n && text.at(i + 1) == u'\n')))
                    ++line;
                field += q;
                ++i;
            }
            continue;
        }
        if (c == separator) {
            endField();
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            i += (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ? 2 : 1;
            ++line;
            endRow();
        } else {
            field += c;
            ++i;
        }
    }
    if (!field.isEmpty() || !row.fields.isEmpty())
        endRow();
    return rows;
}

// A text as stored: CR LF line breaks, quotes as the substitute.
QString storedText(const QString &text)
{
    QString stored = textFromWindow(textForWindow(text));
    anfuehrung_weg(stored);
    return stored;
}

struct Collector {
    ImportResult result;
    int room;
    QString today;

    void add(int line, const QString &question, const QString &answer, const QString &extra,
             const QString &link, const QString &date, bool infoWithQuestion)
    {
        FaqRecord r;
        r.question = storedText(question);
        r.answer = storedText(answer);
        r.extraInfo = storedText(extra);
        r.homepageLink = storedText(link);
        r.infoWithQuestion = infoWithQuestion ? 1 : 0;
        const QString trimmedDate = trimBlanks(date);
        r.createdDate = fitDate(trimmedDate.isEmpty() ? today : trimmedDate);
        if (trimBlanks(r.question).isEmpty()) {
            result.skipped << SkippedRow{line, SkippedRow::NoQuestion,
                                         trimBlanks(r.answer).left(40)};
            return;
        }
        for (const QString *text :
             {&r.question, &r.answer, &r.extraInfo, &r.homepageLink, &r.createdDate}) {
            const qsizetype bad = firstUnencodable(*text);
            if (bad >= 0) {
                result.skipped << SkippedRow{line, SkippedRow::Unencodable, text->mid(bad, 1)};
                return;
            }
        }
        if (result.records.size() >= room) {
            result.skipped << SkippedRow{line, SkippedRow::DatabaseFull, r.question.left(40)};
            return;
        }
        result.records << r;
    }
};

QString quoted(QString field)
{
    field.replace(u'"', QLatin1String("\"\""));
    return u'"' + field + u'"';
}

} // namespace

QString decodeImportText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return decodeCp1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

ImportResult importCsv(QByteArrayView bytes, int room, const QString &today)
{
    const QString text = decodeImportText(bytes);
    // Spreadsheets set to German write semicolons.
    const QString firstLine = text.left(text.indexOf(u'\n'));
    const QChar separator =
        firstLine.count(u';') > firstLine.count(u',') ? QChar(u';') : QChar(u',');
    const QList<Row> rows = parseCsv(text, separator);
    if (rows.isEmpty())
        throw AppError(AppError::TypeMismatch, QStringLiteral("The file holds no header line"));

    std::array<qsizetype, ColumnCount> index;
    index.fill(-1);
    const QStringList &header = rows.first().fields;
    for (qsizetype i = 0; i < header.size(); ++i) {
        if (const auto column = columnOf(header.at(i)); column && index[*column] < 0)
            index[*column] = i;
    }
    if (index[Question] < 0)
        throw AppError(AppError::TypeMismatch,
                       QStringLiteral("The first line names no question column"));

    Collector collector{{}, room, today};
    for (qsizetype r = 1; r < rows.size(); ++r) {
        const Row &row = rows.at(r);
        auto cell = [&](Column c) { return index[c] < 0 ? QString() : row.fields.value(index[c]); };
        const bool blank = std::all_of(row.fields.begin(), row.fields.end(),
                                       [](const QString &f) { return trimBlanks(f).isEmpty(); });
        if (blank)
            continue;
        collector.add(row.line, cell(Question), cell(Answer), cell(Extra), cell(Link), cell(Date),
                      trimBlanks(cell(Flag)) == QLatin1String("1"));
    }
    return collector.result;
}

QByteArray exportCsv(const QList<FaqRecord> &records)
{
    QString out = QStringLiteral("\"question\",\"answer\",\"extra info\",\"link\",\"date\","
                                 "\"info with question\"\r\n");
    for (const FaqRecord &r : records) {
        const RecordFields shown = maskeds_an_felder(r);
        out += quoted(shown.question) + u',' + quoted(shown.answer) + u',' +
               quoted(shown.extraInfo) + u',' + quoted(shown.homepageLink) + u',' +
               quoted(shown.dateLabel) + u',' + quoted(QString::number(r.infoWithQuestion)) +
               QLatin1String("\r\n");
    }
    return "\xEF\xBB\xBF" + out.toUtf8();
}

ImportResult importMarkdown(QByteArrayView bytes, int room, const QString &today)
{
    const QStringList lines = textForWindow(decodeImportText(bytes)).split(u'\n');
    Collector collector{{}, room, today};
    int questionLine = 0;
    QString question;
    QStringList answer;
    auto flush = [&] {
        while (!answer.isEmpty() && answer.first().trimmed().isEmpty())
            answer.removeFirst();
        while (!answer.isEmpty() && answer.last().trimmed().isEmpty())
            answer.removeLast();
        collector.add(questionLine, question, answer.join(u'\n'), {}, {}, {}, false);
        answer.clear();
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.startsWith(QLatin1String("## "))) {
            if (questionLine > 0)
                flush();
            questionLine = int(i + 1);
            question = line.mid(3).trimmed();
        } else if (questionLine > 0) {
            // A line of the answer that would read as a heading was escaped.
            answer << (line.startsWith(QLatin1String("\\## ")) ? line.mid(1) : line);
        }
    }
    if (questionLine > 0)
        flush();
    return collector.result;
}

QByteArray exportMarkdown(const QList<FaqRecord> &records, const QString &title)
{
    QString out = QStringLiteral("# ") + title + QStringLiteral("\n\n");
    for (const FaqRecord &r : records) {
        const RecordFields shown = maskeds_an_felder(r);
        QString question = textForWindow(shown.question);
        question.replace(u'\n', u' ');
        out += QStringLiteral("## ") + question + QStringLiteral("\n\n");
        QStringList answer = textForWindow(shown.answer).split(u'\n');
        for (QString &line : answer) {
            if (line.startsWith(QLatin1String("## ")))
                line.prepend(u'\\');
        }
        out += answer.join(u'\n') + QStringLiteral("\n\n");
    }
    return out.toUtf8();
}

ImportResult importFile(const QString &path, ExchangeFormat format, int room, const QString &today)
{
    const QByteArray bytes = readFileBytes(localPath(path), maxFaqFileBytes);
    return format == ExchangeFormat::Csv ? importCsv(bytes, room, today)
                                         : importMarkdown(bytes, room, today);
}

} // namespace askbright
