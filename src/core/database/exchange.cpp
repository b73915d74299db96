#include "database/exchange.h"

#include "app/apperror.h"
#include "database/exchangeparts.h"
#include "database/faqdatabase.h"
#include "database/faqfile.h"

namespace askbright {

namespace exchange {

namespace {

// Rows left out are listed up to here; a file of millions of them is counted.
constexpr qsizetype maxListedLeftOut = 10000;
// Replaced characters named in a note, at most.
constexpr qsizetype maxNamedCharacters = 20;

// Checks UTF-8 piece by piece as the bytes arrive: no overlong forms, no
// surrogates, nothing beyond U+10FFFF, no sequence cut off at the end.
class Utf8Check {
public:
    void feed(QByteArrayView bytes)
    {
        for (const char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            if (m_need > 0) {
                m_valid = m_valid && b >= m_low && b <= m_high;
                m_low = 0x80;
                m_high = 0xBF;
                --m_need;
            } else if (b >= 0x80) {
                start(b);
            }
        }
    }
    bool valid() const { return m_valid && m_need == 0; }

private:
    void start(unsigned char b)
    {
        if (b >= 0xC2 && b <= 0xDF)
            m_need = 1;
        else if (b >= 0xE0 && b <= 0xEF)
            m_need = 2;
        else if (b >= 0xF0 && b <= 0xF4)
            m_need = 3;
        else
            m_valid = false;
        if (b == 0xE0)
            m_low = 0xA0;
        else if (b == 0xED)
            m_high = 0x9F;
        else if (b == 0xF0)
            m_low = 0x90;
        else if (b == 0xF4)
            m_high = 0x8F;
    }

    bool m_valid = true;
    int m_need = 0;
    unsigned char m_low = 0x80;
    unsigned char m_high = 0xBF;
};

// Puts "?" in place of every character a .faq file cannot hold (a surrogate
// pair is one character); returns those characters, each named once.
QString replaceUnencodable(QString &text)
{
    if (firstUnencodable(text) < 0)
        return {};
    QString out, named;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isEncodable(text.at(i))) {
            out += text.at(i);
            continue;
        }
        const qsizetype n =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        const QStringView character = QStringView(text).sliced(i, n);
        if (named.size() < maxNamedCharacters && !named.contains(character))
            named += character;
        out += u'?';
        i += n - 1;
    }
    text = out;
    return named;
}

// A text as stored: CR LF line breaks, quotes as the substitute.
QString storedText(const QString &text)
{
    QString stored = textFromWindow(textForWindow(text));
    anfuehrung_weg(stored);
    return stored;
}

} // namespace

std::optional<RecordField> fieldNamed(QStringView name)
{
    const QString key = name.trimmed().toString().toLower();
    for (RecordField field : allFields) {
        for (Language language : {Language::English, Language::German}) {
            if (key == fieldName(field, language).toLower())
                return field;
        }
    }
    if (key == u"additional info")
        return RecordField::ExtraInfo;
    if (key == u"homepage")
        return RecordField::HomepageLink;
    return std::nullopt;
}

QString shownText(QString stored)
{
    anfuehrung_rein(stored);
    return stored;
}

void Collector::add(const RawRecord &raw)
{
    const int line = raw.line;
    if (m_result.records.size() >= m_room) {
        leaveOut({line, line, ImportNote::DatabaseFull, {}, {}});
        return;
    }
    for (RecordField field : allFields) {
        if (const qint64 length = raw.tooLong[at(field)])
            return leaveOut({line, line, ImportNote::TooLong, field, QString::number(length)});
    }
    QList<ImportNote> changes;
    // Texts get CR LF line breaks; a date is no text of lines and keeps its own.
    const auto stored = [&](RecordField field, QString text) {
        if (const QString named = replaceUnencodable(text); !named.isEmpty())
            changes << ImportNote{line, line, ImportNote::Replaced, field, named};
        if (field != RecordField::CreatedDate)
            return storedText(text);
        anfuehrung_weg(text);
        return text;
    };
    FaqRecord r;
    r.question = stored(RecordField::Question, raw.texts[at(RecordField::Question)]);
    r.answer = stored(RecordField::Answer, raw.texts[at(RecordField::Answer)]);
    if (trimBlanks(r.question).isEmpty() && trimBlanks(r.answer).isEmpty())
        return leaveOut({line, line, ImportNote::Empty, {}, {}});
    r.extraInfo = stored(RecordField::ExtraInfo, raw.texts[at(RecordField::ExtraInfo)]);
    r.homepageLink = stored(RecordField::HomepageLink, raw.texts[at(RecordField::HomepageLink)]);

    const QString flag = trimBlanks(raw.texts[at(RecordField::InfoWithQuestion)]);
    r.infoWithQuestion = flag == u"1" ? 1 : 0;
    if (!flag.isEmpty() && flag != u"0" && flag != u"1")
        changes << ImportNote{line, line, ImportNote::FlagRead, RecordField::InfoWithQuestion,
                              excerpt(flag)};

    const QString date = stored(RecordField::CreatedDate,
                                raw.dateGiven ? raw.texts[at(RecordField::CreatedDate)] : m_today);
    if (trimTrailingBlanks(date).size() > createdDateLength)
        changes << ImportNote{line, line, ImportNote::DateCut, RecordField::CreatedDate,
                              excerpt(date)};
    r.createdDate = fitDate(date);

    m_result.records << r;
    m_result.notes << changes;
    m_result.changed += changes.isEmpty() ? 0 : 1;
}

void Collector::leaveOut(const ImportNote &note)
{
    ++m_result.leftOut;
    if (!m_result.notes.isEmpty()) {
        ImportNote &last = m_result.notes.last();
        if (last.kind == note.kind &&
            (note.kind == ImportNote::DatabaseFull || note.kind == ImportNote::NotARecord)) {
            last.lastLine = note.lastLine;
            return;
        }
    }
    if (m_leftOut >= maxListedLeftOut) {
        ++m_result.unlisted;
        return;
    }
    ++m_leftOut;
    m_result.notes << note;
}

} // namespace exchange

using namespace exchange;

namespace {

QByteArray collected(const std::function<void(const PieceWriter &)> &produce)
{
    QByteArray bytes;
    produce([&bytes](QByteArrayView piece) { bytes += piece; });
    return bytes;
}

ImportResult readFormat(ByteSource &in, ExchangeFormat format, bool utf8, int room,
                        const QString &today)
{
    return format == ExchangeFormat::Csv ? readCsv(in, utf8, room, today)
                                         : readMarkdown(in, utf8, room, today);
}

ImportResult importBytes(QByteArrayView bytes, ExchangeFormat format, int room,
                         const QString &today)
{
    Utf8Check check;
    check.feed(bytes);
    ByteSource in(bytes);
    return readFormat(in, format, check.valid(), room, today);
}

} // namespace

QString noteText(const ImportNote &note, Language language)
{
    const QString where =
        note.lastLine > note.line
            ? language.pick(u"Zeilen %1–%2", u"lines %1-%2").arg(note.line).arg(note.lastLine)
            : language.pick(u"Zeile %1", u"line %1").arg(note.line);
    const QString field = fieldName(note.field, language);
    const QString leftOut = language.pick(u"%1: nicht übernommen, ", u"%1: left out, ").arg(where);
    const QString changed = QStringLiteral("%1, %2: ").arg(where, field);
    switch (note.kind) {
    case ImportNote::DatabaseFull:
        return leftOut + language
                             .pick(u"die Datenbank enthält bereits %1 Datensätze",
                                   u"the database already holds %1 records")
                             .arg(FaqDatabase::maxRecords);
    case ImportNote::Empty:
        return leftOut + language.pick(u"weder Frage noch Antwort", u"neither question nor answer");
    case ImportNote::TooLong:
        return leftOut +
               language
                   .pick(u"%1 mit %2 Zeichen (höchstens %3)", u"%1 of %2 characters (at most %3)")
                   .arg(field, note.detail)
                   .arg(maxTextLength);
    case ImportNote::NotARecord:
        return leftOut +
               language.pick(u"Text vor der ersten Frage", u"text before the first question");
    case ImportNote::Replaced:
        return changed + language.pick(u"„%1“ durch „?“ ersetzt", u"\"%1\" replaced by \"?\"")
                             .arg(note.detail);
    case ImportNote::FlagRead:
        return changed + language.pick(u"„%1“ als 0 gelesen", u"\"%1\" read as 0").arg(note.detail);
    case ImportNote::DateCut:
        break;
    }
    return changed + language.pick(u"„%1“ auf %2 Zeichen gekürzt", u"\"%1\" cut to %2 characters")
                         .arg(note.detail)
                         .arg(createdDateLength);
}

ImportResult importCsv(QByteArrayView bytes, int room, const QString &today)
{
    return importBytes(bytes, ExchangeFormat::Csv, room, today);
}

ImportResult importMarkdown(QByteArrayView bytes, int room, const QString &today)
{
    return importBytes(bytes, ExchangeFormat::Markdown, room, today);
}

ImportResult importFile(const QString &path, ExchangeFormat format, int room, const QString &today)
{
    // Whether the whole file is UTF-8 decides how each text is read, so the
    // file is looked through once before it is read.
    Utf8Check check;
    {
        FileChunks file(path, maxFaqFileBytes);
        QByteArray piece;
        constexpr qsizetype pieceSize = 256 * 1024;
        while (file.read(piece, pieceSize)) {
            check.feed(piece);
            piece.resize(0);
        }
    }
    FileChunks file(path, maxFaqFileBytes);
    ByteSource in(file);
    return readFormat(in, format, check.valid(), room, today);
}

QByteArray exportCsv(const QList<FaqRecord> &records)
{
    return collected([&](const PieceWriter &write) { writeCsv(records, write); });
}

QByteArray exportMarkdown(const QList<FaqRecord> &records, const QString &title)
{
    return collected([&](const PieceWriter &write) { writeMarkdown(records, title, write); });
}

void exportFile(const QString &path, ExchangeFormat format, const QList<FaqRecord> &records,
                const QString &title)
{
    saveFileInPieces(path, [&](const PieceWriter &write) {
        if (format == ExchangeFormat::Csv)
            writeCsv(records, write);
        else
            writeMarkdown(records, title, write);
    });
}

} // namespace askbright
