#include "html/htmltext.h"

#include "app/textcodec.h"

#include <array>
#include <cstdio>

namespace askbright {

namespace {

// Control characters have no place in a page; tab and line breaks are text.
constexpr bool isControlToDrop(char16_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') || c == 0x7F;
}

// Characters below 256 that every form writes as their own byte: a run of
// them goes out as it is. Anything else is looked at one by one.
constexpr std::array<bool, 256> plainTable(PageEncoding encoding, bool links)
{
    std::array<bool, 256> table{};
    for (char16_t c = 0x20; c < 0x100; ++c)
        table[c] = c < 0x7F || (encoding == PageEncoding::Windows1252 && c >= 0xA0);
    for (char16_t c :
         {u'"', u'&', u'<', u'>', u'\\', u'\u00A8', u'ä', u'Ä', u'ö', u'Ö', u'ü', u'Ü', u'ß'})
        table[c] = false;
    if (links)
        table[u'h'] = table[u'H'] = false;
    return table;
}

const std::array<bool, 256> &plainFor(PageEncoding encoding, bool links)
{
    static constexpr std::array<std::array<bool, 256>, 4> tables = {
        plainTable(PageEncoding::Windows1252, false), plainTable(PageEncoding::Windows1252, true),
        plainTable(PageEncoding::Utf8, false), plainTable(PageEncoding::Utf8, true)};
    return tables[(encoding == PageEncoding::Utf8 ? 2 : 0) + (links ? 1 : 0)];
}

// The escape of c in a set, or nullptr: Entities holds those of Markup, Markup
// those of AttributeEnders.
constexpr const char *escapeOf(Escapes escapes, char16_t c)
{
    switch (escapes) {
    case Escapes::None:
        return nullptr;
    case Escapes::Entities:
        switch (c) {
        case u'ä':
            return "&auml;";
        case u'Ä':
            return "&Auml;";
        case u'ö':
            return "&ouml;";
        case u'Ö':
            return "&Ouml;";
        case u'ü':
            return "&uuml;";
        case u'Ü':
            return "&Uuml;";
        case u'ß':
            return "&szlig;";
        }
        [[fallthrough]];
    case Escapes::Markup:
        if (c == u'&')
            return "&amp;";
        [[fallthrough]];
    case Escapes::AttributeEnders:
        switch (c) {
        case u'"':
            return "&quot;";
        case u'<':
            return "&lt;";
        case u'>':
            return "&gt;";
        }
        return nullptr;
    case Escapes::QuotesLeftOut:
        return c == u'"' ? "" : nullptr;
    case Escapes::JsonString:
        switch (c) {
        case u'"':
            return "\\\"";
        case u'\\':
            return "\\\\";
        case u'\t':
            return "\\t";
        case u'<':
            return "\\u003c";
        case u'>':
            return "\\u003e";
        case u'&':
            return "\\u0026";
        }
        return nullptr;
    }
    return nullptr;
}

struct Escape {
    const char *text = nullptr;
    qsizetype length = 0;
};

constexpr size_t escapeSetCount = size_t(Escapes::JsonString) + 1;

// The escapes of the characters below 256, with their lengths, by set.
constexpr std::array<std::array<Escape, 256>, escapeSetCount> escapeTables = [] {
    std::array<std::array<Escape, 256>, escapeSetCount> tables{};
    for (size_t set = 0; set < tables.size(); ++set) {
        for (char16_t c = 0; c < 256; ++c) {
            const char *text = escapeOf(Escapes(set), c);
            qsizetype length = 0;
            while (text && text[length])
                ++length;
            tables[set][c] = {text, length};
        }
    }
    return tables;
}();

const char *lineBreakOf(LineBreaks breaks)
{
    switch (breaks) {
    case LineBreaks::BrNewline:
        return "<br />\n";
    case LineBreaks::JsonNewline:
        return "\\n";
    default:
        return "\n";
    }
}

// The length of the web address at the start of text ("http://" or
// "https://" and what follows up to a blank or markup), without the
// punctuation that ends a sentence; 0 when there is none.
qsizetype webAddressLength(QStringView text)
{
    qsizetype scheme = 0;
    if (text.startsWith(u"http://", Qt::CaseInsensitive))
        scheme = 7;
    else if (text.startsWith(u"https://", Qt::CaseInsensitive))
        scheme = 8;
    else
        return 0;
    qsizetype end = scheme;
    while (end < text.size()) {
        const char16_t c = text.at(end).unicode();
        if (c <= u' ' || c == u'<' || c == u'>' || c == u'"' || c == quoteSubstitute.unicode() ||
            c == 0x7F || c == 0xA0)
            break;
        ++end;
    }
    while (end > scheme && QStringView(u".,;:!?)]}'").contains(text.at(end - 1)))
        --end;
    return end > scheme ? end : 0;
}

} // namespace

HtmlWriter::HtmlWriter(const PieceWriter &write, PageEncoding encoding)
    : m_out(write), m_encoding(encoding)
{
}

void HtmlWriter::text(QStringView value, TextForm form)
{
    const std::array<bool, 256> &plain = plainFor(m_encoding, form.links);
    const std::array<Escape, 256> &escapes = escapeTables[size_t(form.escapes)];
    const char16_t *const begin = value.utf16();
    const char16_t *at = begin;
    const char16_t *const end = at + value.size();
    while (at < end) {
        // Most characters need nothing done: they go out in runs.
        const char16_t *run = at;
        while (at < end && *at < 256 && plain[*at])
            ++at;
        m_out.putLatin1(run, at - run);
        if (at == end)
            break;
        // A character with an escape is no line break, no quote substitute,
        // no control character and starts no address; neither does one
        // beyond ASCII that is no quote substitute.
        const char16_t c = *at;
        if (c < 256 && escapes[c].text) {
            m_out.put(escapes[c].text, escapes[c].length);
            ++at;
        } else if (c >= 0x80 && c != quoteSubstitute.unicode()) {
            character(c);
            ++at;
        } else {
            at = special(at, begin, end, form);
        }
    }
}

// Writes the character at at (or the web address starting there); returns
// where the text goes on.
const char16_t *HtmlWriter::special(const char16_t *at, const char16_t *begin, const char16_t *end,
                                    TextForm form)
{
    if (form.links && (*at == u'h' || *at == u'H') &&
        (at == begin || !QChar(at[-1]).isLetterOrNumber())) {
        if (const char16_t *after = link(at, end, form.escapes))
            return after;
    }
    char16_t c = *at++;
    if (form.restoreQuotes && c == quoteSubstitute.unicode())
        c = u'"';
    // No set escapes a line break or a control character left out.
    if (c < 256) {
        if (const Escape &escape = escapeTables[size_t(form.escapes)][c]; escape.text) {
            m_out.put(escape.text, escape.length);
            return at;
        }
    }
    if ((c == u'\r' || c == u'\n') && form.breaks != LineBreaks::AsTyped) {
        if (form.breaks == LineBreaks::CrAsBr) {
            if (c == u'\r')
                m_out.put("<br>", 4);
            return at;
        }
        if (c == u'\r' && at < end && *at == u'\n')
            ++at;
        raw(lineBreakOf(form.breaks));
        return at;
    }
    if (!isControlToDrop(c))
        character(c);
    return at;
}

// Writes the web address at at as a link; returns where the text goes on, or
// nullptr when no address starts there. Kept apart so that the path of the
// other characters stays short.
Q_NEVER_INLINE const char16_t *HtmlWriter::link(const char16_t *at, const char16_t *end,
                                                Escapes escapes)
{
    const QStringView rest(at, end);
    const qsizetype length = webAddressLength(rest);
    if (length == 0)
        return nullptr;
    raw("<a href=\"");
    text(rest.first(length), {escapes});
    raw("\">");
    text(rest.first(length), {escapes});
    raw("</a>");
    return at + length;
}

void HtmlWriter::character(char16_t c)
{
    if (m_encoding == PageEncoding::Windows1252) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            m_out.put(char(c));
            return;
        }
        const int b = cp1252Byte(QChar(c));
        if (b < 0)
            throwUnencodable(QChar(c));
        m_out.put(char(b));
        return;
    }
    // Record texts come from Windows-1252 files, so every character is in
    // the basic plane; a lone surrogate is no character and is left out, as
    // are the two noncharacters that make a page ill-formed XML.
    if (c < 0x80) {
        m_out.put(char(c));
    } else if (c < 0x800) {
        m_out.put(char(0xC0 | (c >> 6)));
        m_out.put(char(0x80 | (c & 0x3F)));
    } else if ((c < 0xD800 || c > 0xDFFF) && c != 0xFFFE && c != 0xFFFF) {
        m_out.put(char(0xE0 | (c >> 12)));
        m_out.put(char(0x80 | ((c >> 6) & 0x3F)));
        m_out.put(char(0x80 | (c & 0x3F)));
    }
}

void HtmlWriter::number(int value)
{
    char digits[12];
    const int length = std::snprintf(digits, sizeof digits, "%d", value);
    m_out.put(digits, length);
}

bool hasWebScheme(QStringView link)
{
    for (const char *scheme : {"http:", "https:", "ftp:", "mailto:"}) {
        if (link.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace askbright
