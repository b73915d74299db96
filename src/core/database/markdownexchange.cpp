// Markdown files of records in the form the README describes: read line by
// line, written record by record.

#include "app/apperror.h"
#include "database/exchangeparts.h"

namespace askbright::exchange {

namespace {

bool isBlankLine(QStringView line)
{
    for (const QChar c : line) {
        if (c != u' ' && c != u'\t')
            return false;
    }
    return true;
}

// Renderers trim blanks and tabs, nothing else.
QStringView trimmedBlanksAndTabs(QStringView text)
{
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    return text;
}

bool isAsciiPunctuation(QChar c)
{
    return c.unicode() < 0x80 && c.isPrint() && !c.isLetterOrNumber() && c != u' ';
}

// "&#32;" or "&#x20;" at text[i]: the character and the reference's length.
std::optional<std::pair<char32_t, qsizetype>> characterReference(QStringView text, qsizetype i)
{
    if (!text.sliced(i).startsWith(u"&#"))
        return std::nullopt;
    qsizetype j = i + 2;
    const bool hex = j < text.size() && (text[j] == u'x' || text[j] == u'X');
    j += hex ? 1 : 0;
    const auto isDigit = [hex](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') ||
               (hex && ((u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')));
    };
    const qsizetype digits = j;
    while (j < text.size() && j - digits < (hex ? 6 : 7) && isDigit(text[j]))
        ++j;
    if (j == digits || j >= text.size() || text[j] != u';')
        return std::nullopt;
    char32_t code = text.sliced(digits, j - digits).toUInt(nullptr, hex ? 16 : 10);
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    return std::pair{code, j + 1 - i};
}

// A line as a renderer shows it: backslash escapes and character references
// resolved. hardBreak: a backslash ending the line marks a line break, which
// the line's end already is.
QString markdownText(QStringView line, bool hardBreak)
{
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'\\' && i + 1 < line.size() && isAsciiPunctuation(line[i + 1])) {
            out += line[++i];
        } else if (c == u'\\' && i + 1 == line.size() && hardBreak) {
            break;
        } else if (const auto reference = c == u'&' ? characterReference(line, i) : std::nullopt) {
            out += QStringView(QChar::fromUcs4(reference->first));
            i += reference->second - 1;
        } else {
            out += c;
        }
    }
    return out;
}

// The text of "## Question ##": the closing run of hashes goes.
QStringView headingText(QStringView line, qsizetype level)
{
    QStringView text = trimmedBlanksAndTabs(line.sliced(level));
    qsizetype k = text.size();
    while (k > 0 && text[k - 1] == u'#')
        --k;
    if (k == 0 || (k < text.size() && (text[k - 1] == u' ' || text[k - 1] == u'\t')))
        text = trimmedBlanksAndTabs(text.first(k));
    return text;
}

// The level of an ATX heading ("## x" is 2), 0 for any other line.
qsizetype headingLevel(QStringView line)
{
    qsizetype level = 0;
    while (level < line.size() && level < 7 && line[level] == u'#')
        ++level;
    if (level == 0 || level > 6)
        return 0;
    return level == line.size() || line[level] == u' ' || line[level] == u'\t' ? level : 0;
}

// Fenced code blocks: "## " inside one starts no record.
class Fence {
public:
    // Follows the fence state over line; true when line belongs to a fence
    // (an opening or closing line included).
    bool feed(QStringView line)
    {
        qsizetype indent = 0;
        while (indent < 3 && indent < line.size() && line[indent] == u' ')
            ++indent;
        const QStringView rest = line.sliced(indent);
        qsizetype run = 0;
        const QChar c = rest.isEmpty() ? QChar() : rest[0];
        while (run < rest.size() && rest[run] == c)
            ++run;
        const bool marker = (c == u'`' || c == u'~') && run >= 3;
        if (m_length == 0) {
            if (marker) {
                m_char = c;
                m_length = run;
            }
            return marker;
        }
        if (marker && c == m_char && run >= m_length && isBlankLine(rest.sliced(run)))
            m_length = 0;
        return true;
    }

private:
    QChar m_char;
    qsizetype m_length = 0; // of the open fence, 0 when none is open
};

// A record under its "## " heading: in the full form a list of the other
// fields follows, then the answer line for line; without the list the
// answer's surrounding blank lines go.
class MarkdownRecord {
public:
    MarkdownRecord(int line, const TextBytes &heading, QStringView question)
    {
        m_raw.line = line;
        m_raw.texts[at(RecordField::Question)] =
            heading.tooLong() ? QString() : question.toString();
        m_raw.tooLong[at(RecordField::Question)] = heading.tooLong() ? heading.length() : 0;
    }

    void addLine(QStringView line, const TextBytes &bytes, bool literal)
    {
        if (m_phase != Phase::Answer) {
            if (!literal && isBlankLine(line)) {
                // The blank line after the list belongs to neither.
                if (m_phase == Phase::List)
                    m_phase = Phase::Answer;
                return;
            }
            if (!literal && listItem(line))
                return;
            m_phase = Phase::Answer;
        }
        m_length += bytes.length() + 1;
        if (m_length > maxTextLength) {
            m_raw.tooLong[at(RecordField::Answer)] = m_length;
            m_answer = QString();
            return;
        }
        if (isBlankLine(line) && !literal) {
            ++m_blanks;
            return;
        }
        if (!m_listed && m_lines == 0)
            m_blanks = 0;
        appendBlanks(m_blanks);
        appendLine(literal ? line.toString() : markdownText(line, true));
    }

    RawRecord finish()
    {
        if (m_listed && m_blanks > 0)
            appendBlanks(m_blanks - 1); // the last one ends the record
        if (!m_raw.tooLong[at(RecordField::Answer)])
            m_raw.texts[at(RecordField::Answer)] = m_answer;
        return m_raw;
    }

private:
    enum class Phase { Heading, List, Answer };

    // "- link: http://..." right under the heading.
    bool listItem(QStringView line)
    {
        if (!line.startsWith(u"- "))
            return false;
        const qsizetype colon = line.indexOf(u':');
        const auto field = colon < 0 ? std::nullopt : fieldNamed(line.sliced(2, colon - 2));
        if (!field || *field == RecordField::Question || *field == RecordField::Answer)
            return false;
        m_raw.texts[at(*field)] = markdownText(trimmedBlanksAndTabs(line.sliced(colon + 1)), false);
        m_raw.dateGiven = m_raw.dateGiven || *field == RecordField::CreatedDate;
        m_phase = Phase::List;
        m_listed = true;
        return true;
    }

    void appendBlanks(qsizetype count)
    {
        for (; count > 0; --count)
            appendLine({});
        m_blanks = 0;
    }

    void appendLine(const QString &line)
    {
        if (m_raw.tooLong[at(RecordField::Answer)])
            return;
        if (m_lines++ > 0)
            m_answer += u'\n';
        m_answer += line;
    }

    RawRecord m_raw;
    Phase m_phase = Phase::Heading;
    bool m_listed = false;  // the full form: the answer is kept line for line
    QString m_answer;       // LF line breaks
    qsizetype m_lines = 0;  // in m_answer
    qsizetype m_blanks = 0; // blank lines not yet known to be inside the answer
    qint64 m_length = 0;    // of the answer's lines
};

// The lines of a file, ended by LF, CR LF or CR.
class MarkdownLines {
public:
    explicit MarkdownLines(ByteSource &in) : m_in(in) {}

    bool next(TextBytes &line)
    {
        if (!m_in.has(1))
            return false;
        ++m_number;
        for (;;) {
            const QByteArrayView rest = m_in.rest();
            qsizetype end = 0;
            while (end < rest.size() && rest[end] != '\r' && rest[end] != '\n')
                ++end;
            line.append(rest.first(end));
            m_in.consume(end);
            if (end < rest.size()) {
                m_in.consume(1);
                if (rest[end] == '\r' && m_in.has(1) && m_in.rest().front() == '\n')
                    m_in.consume(1);
                return true;
            }
            if (!m_in.more())
                return true;
        }
    }
    int number() const { return m_number; }

private:
    ByteSource &m_in;
    int m_number = 0;
};

// next: the character after c, or none. A colon before a word could start
// an emoji short code (":smile:") for some renderers.
bool needsEscape(QChar c, QChar next)
{
    if (c == u':')
        return next.unicode() < 0x80 &&
               (next.isLetterOrNumber() || next == u'_' || next == u'+' || next == u'-');
    switch (c.unicode()) {
    case u'\\':
    case u'`':
    case u'*':
    case u'_':
    case u'[':
    case u']':
    case u'<':
    case u'>':
    case u'&':
    case u'#':
    case u'~':
    case u'|':
        return true;
    default:
        return false;
    }
}

// Text on one Markdown line, shown by a renderer as it is: every character
// that could start markup escaped, line breaks and a blank at either end (a
// renderer would trim it) as character references. At the start of a line
// also list, heading-underline and numbered-list markers are escaped.
QString markdownLine(QStringView text, bool lineStart)
{
    qsizetype marker = -1;
    if (lineStart && !text.isEmpty()) {
        qsizetype digits = 0;
        while (digits < text.size() && digits < 10 && text[digits].isDigit() &&
               text[digits].unicode() < 0x80)
            ++digits;
        if (digits > 0 && digits < text.size() && (text[digits] == u'.' || text[digits] == u')'))
            marker = digits;
        else if (text[0] == u'-' || text[0] == u'+' || text[0] == u'=')
            marker = 0;
    }
    QString out;
    out.reserve(text.size() + 16);
    qsizetype plain = 0; // start of the characters not yet copied
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool edge = i == 0 || i == text.size() - 1;
        const bool blank = edge && (c == u' ' || c == u'\t');
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (c != u'\n' && c != u'\r' && !blank && i != marker && !needsEscape(c, next))
            continue;
        out += text.sliced(plain, i - plain);
        plain = i + 1;
        if (c == u'\n' || c == u'\r' || blank)
            out += QStringLiteral("&#%1;").arg(c.unicode());
        else
            out += QLatin1Char('\\') + c;
    }
    out += text.sliced(plain);
    return out;
}

} // namespace

ImportResult readMarkdown(ByteSource &in, bool utf8, int room, const QString &today)
{
    if (utf8 && in.has(3) && in.rest().startsWith("\xEF\xBB\xBF"))
        in.consume(3);
    MarkdownLines lines(in);
    Collector collector(room, today);
    Fence fence;
    std::optional<MarkdownRecord> record;
    ImportNote before{0, 0, ImportNote::NotARecord, {}, {}};
    bool titleAllowed = true;
    for (;;) {
        TextBytes bytes(utf8);
        if (!lines.next(bytes))
            break;
        const QString line = bytes.textOrStart();
        const int number = lines.number();
        const bool literal = fence.feed(line);
        const qsizetype level = literal ? 0 : headingLevel(line);
        if (level == 2) {
            if (record)
                collector.add(record->finish());
            else if (before.line > 0)
                collector.leaveOut(before);
            record.emplace(number, bytes, markdownText(headingText(line, 2), false));
        } else if (record) {
            record->addLine(line, bytes, literal);
        } else if (!isBlankLine(line)) {
            // The title is the first line when it is a "# " heading.
            if (!(titleAllowed && level == 1)) {
                before.line = before.line > 0 ? before.line : number;
                before.lastLine = number;
            }
            titleAllowed = false;
        }
    }
    if (!record)
        throw AppError(AppError::TypeMismatch,
                       QStringLiteral("The file holds no question: no line begins with \"## \""));
    collector.add(record->finish());
    return collector.take();
}

void writeMarkdown(const QList<FaqRecord> &records, const QString &title, const PieceWriter &write)
{
    Pieces out(write);
    out.add(QStringLiteral("# ") + markdownLine(textForWindow(title), false) +
            QStringLiteral("\n\n"));
    for (const FaqRecord &r : records) {
        const auto item = [](RecordField field, const QString &value) {
            const QString text = markdownLine(value, false);
            return QStringLiteral("- ") + fieldName(field, Language::English) + u':' +
                   (text.isEmpty() ? QString() : u' ' + text) + u'\n';
        };
        QString block =
            QStringLiteral("## ") + markdownLine(textForWindow(shownText(r.question)), false) +
            QStringLiteral("\n\n") +
            item(RecordField::ExtraInfo, textForWindow(shownText(r.extraInfo))) +
            item(RecordField::HomepageLink, textForWindow(shownText(r.homepageLink))) +
            item(RecordField::InfoWithQuestion,
                 r.infoWithQuestion != 0 ? QStringLiteral("1") : QStringLiteral("0")) +
            item(RecordField::CreatedDate, shownText(trimTrailingBlanks(r.createdDate))) + u'\n';
        const QString answer = textForWindow(shownText(r.answer));
        const QStringList lines = answer.isEmpty() ? QStringList() : answer.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            block += markdownLine(lines.at(i), true);
            // A single line break, not a new paragraph.
            if (i + 1 < lines.size() && !lines.at(i).isEmpty() && !lines.at(i + 1).isEmpty())
                block += u'\\';
            block += u'\n';
        }
        out.add(block + u'\n');
    }
    out.finish();
}

} // namespace askbright::exchange
