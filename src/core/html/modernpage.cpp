#include "html/modernpage.h"

#include "app/product.h"
#include "app/textcodec.h"
#include "database/faqrecord.h"
#include "html/htmltext.h"
#include "html/piecebuffer.h"

#include <QRegularExpression>
#include <array>

namespace askbright {

namespace {

using S = GeneratorSlots;

struct ModernTexts {
    const char *lang;
    const char *searchLabel;
    const char *noMatch;
    const char *contact;
    const char *createdOn;
    const char *with;
    const char16_t *dateFormat;
};

const ModernTexts &textsOf(Language variant)
{
    static const ModernTexts german{"de",           "Fragen durchsuchen", "Keine passende Frage.",
                                    "noch Fragen?", "erzeugt am ",        " mit ",
                                    u"dd.MM.yyyy"};
    static const ModernTexts english{"en",
                                     "Search the questions",
                                     "No matching question.",
                                     "You have any questions?",
                                     "created on ",
                                     " with ",
                                     u"MM-dd-yyyy"};
    return variant.isGerman() ? german : english;
}

// Filters the sections while typing; opens them all for printing. Written
// without "<" and "&" so the document stays well-formed XML.
const char *const filterScript = R"((function () {
  var box = document.getElementById('faq-search');
  var none = document.getElementById('faq-none');
  var items = document.querySelectorAll('main details');
  box.addEventListener('input', function () {
    var wanted = box.value.toLowerCase();
    var shown = 0;
    items.forEach(function (item) {
      var hit = item.textContent.toLowerCase().indexOf(wanted) !== -1;
      item.hidden = !hit;
      if (hit) { shown += 1; }
    });
    none.hidden = shown !== 0;
  });
  window.addEventListener('beforeprint', function () {
    items.forEach(function (item) { item.open = true; });
  });
})();)";

// How a text goes into the page.
enum TextStep : unsigned {
    Quotes = 1,     // the quote substitute of stored records becomes a double quote
    Breaks = 2,     // each line break becomes <br />
    JsonString = 4, // the text is the inside of a JSON string in a script element
};

bool isCharacterToDrop(char16_t c)
{
    // Control characters have no place in a page and make it ill-formed
    // XML; tab and line breaks are text.
    return (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') || c == 0x7F || c == 0xFFFE ||
           c == 0xFFFF;
}

// ASCII characters that go into markup and JSON strings as they stand.
constexpr std::array<bool, 128> plainAscii = [] {
    std::array<bool, 128> table{};
    for (char16_t c = 0x20; c < 0x7F; ++c)
        table[c] = true;
    for (char16_t c : {u'&', u'<', u'>', u'"', u'\\'})
        table[c] = false;
    return table;
}();

// Writes the page as UTF-8 into pieces.
class ModernWriter {
public:
    explicit ModernWriter(const PieceWriter &write) : m_out(write) {}

    void raw(const char *literal) { m_out.put(literal); }
    void line(const char *literal)
    {
        m_out.put(literal);
        m_out.put('\n');
    }
    void flush() { m_out.flush(); }

    // A text as character data or attribute value: markup characters
    // escaped, line breaks as steps asks, control characters dropped.
    void text(QStringView value, unsigned steps = 0)
    {
        const char16_t *at = value.utf16();
        const char16_t *const end = at + value.size();
        while (at < end) {
            // Most characters are plain ASCII: they go out in runs.
            const char16_t *run = at;
            while (at < end && *at < 0x80 && plainAscii[*at])
                ++at;
            m_out.putLatin1(run, at - run);
            if (at == end)
                break;
            char16_t c = *at++;
            if ((steps & Quotes) && c == quoteSubstitute.unicode())
                c = u'"';
            if (c == u'\r' || c == u'\n') {
                // CR LF, a lone CR and a lone LF are one line break each.
                if (c == u'\r' && at < end && *at == u'\n')
                    ++at;
                if (steps & JsonString)
                    raw("\\n");
                else
                    raw(steps & Breaks ? "<br />\n" : "\n");
                continue;
            }
            if (isCharacterToDrop(c))
                continue;
            if (steps & JsonString)
                jsonCharacter(c);
            else
                markupCharacter(c);
        }
    }

    void number(qsizetype value)
    {
        char digits[24];
        const int length =
            std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value));
        m_out.put(digits, length);
    }

private:
    void markupCharacter(char16_t c)
    {
        switch (c) {
        case u'&':
            raw("&amp;");
            return;
        case u'<':
            raw("&lt;");
            return;
        case u'>':
            raw("&gt;");
            return;
        case u'"':
            raw("&quot;");
            return;
        default:
            utf8(c);
        }
    }

    // JSON inside a script element: "<", ">" and "&" as escapes, so nothing
    // in the texts can end the element or disturb an XML reader.
    void jsonCharacter(char16_t c)
    {
        switch (c) {
        case u'"':
            raw("\\\"");
            return;
        case u'\\':
            raw("\\\\");
            return;
        case u'\t':
            raw("\\t");
            return;
        case u'<':
            raw("\\u003c");
            return;
        case u'>':
            raw("\\u003e");
            return;
        case u'&':
            raw("\\u0026");
            return;
        default:
            utf8(c);
        }
    }

    // Record texts come from Windows-1252 files, so every character is in
    // the basic plane; a lone surrogate is no character and is dropped.
    void utf8(char16_t c)
    {
        if (c < 0x80) {
            m_out.put(char(c));
        } else if (c < 0x800) {
            m_out.put(char(0xC0 | (c >> 6)));
            m_out.put(char(0x80 | (c & 0x3F)));
        } else if (c < 0xD800 || c > 0xDFFF) {
            m_out.put(char(0xE0 | (c >> 12)));
            m_out.put(char(0x80 | ((c >> 6) & 0x3F)));
            m_out.put(char(0x80 | (c & 0x3F)));
        }
    }

    PieceBuffer m_out;
};

double points(const QString &size, double fallback)
{
    bool ok = false;
    const double value = size.toDouble(&ok);
    return ok && value > 0 && value < 200 ? value : fallback;
}

// Stylesheet values come from project files that travel between people:
// only plain colours, names and numbers are let through.
QString cssColor(const QString &value)
{
    static const QRegularExpression plain(
        QStringLiteral("^(#[0-9A-Fa-f]{3}|#[0-9A-Fa-f]{6}|[A-Za-z]{3,20})$"));
    return plain.match(value).hasMatch() ? value : QString();
}

QString cssFonts(const QString &fonts)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9 _-]{1,60}$"));
    QStringList families;
    for (const QString &name : fonts.split(u',')) {
        const QString family = name.trimmed();
        if (plain.match(family).hasMatch())
            families << (family.contains(u' ') ? u'"' + family + u'"' : family);
    }
    families << QStringLiteral("sans-serif");
    return families.join(QStringLiteral(", "));
}

QString cssPoints(double value)
{
    return QString::number(value) + QStringLiteral("pt");
}

QString cssAlign(const QString &slot)
{
    if (slot == QLatin1String("CENTER"))
        return QStringLiteral("center");
    if (slot == QLatin1String("RIGHT"))
        return QStringLiteral("right");
    return QStringLiteral("left");
}

QString styleSheet(const GeneratorSlots &w, bool withBackground, const ExportOptions &options)
{
    const double textPoints = points(w.textSize, 10);
    const QString infoSize = options.linkSize == linkSizeSmall && textPoints > 2
                                 ? cssPoints(textPoints - 2)
                                 : QStringLiteral("inherit");
    QString css = QStringLiteral("body { font-family: %1; font-size: %2; margin: 0 auto; "
                                 "max-width: 50em; padding: 1em;")
                      .arg(cssFonts(w[S::Fonts]), cssPoints(textPoints));
    if (const QString c = cssColor(w[S::TextColor]); !c.isEmpty())
        css += QStringLiteral(" color: ") + c + u';';
    if (const QString c = cssColor(w[S::BgColor]); !c.isEmpty())
        css += QStringLiteral(" background-color: ") + c + u';';
    if (withBackground)
        css += QStringLiteral(" background-image: url(\"%1\");").arg(w[S::Picture]);
    css += QStringLiteral(" }\n");
    for (const auto &[selector, slot] :
         {std::pair{"a:link", S::LinkColor}, std::pair{"a:visited", S::VlinkColor},
          std::pair{"a:active", S::AlinkColor}}) {
        if (const QString c = cssColor(w[slot]); !c.isEmpty())
            css += QStringLiteral("%1 { color: %2; }\n").arg(QLatin1String(selector), c);
    }
    css +=
        QStringLiteral("h1 { font-size: %1; text-align: %2; font-weight: %3; font-style: %4; }\n")
            .arg(cssPoints(points(w.titleSize, 14)), cssAlign(w[S::TitleAlign]),
                 w[S::Bold].compare(QLatin1String("bold"), Qt::CaseInsensitive) == 0
                     ? QStringLiteral("bold")
                     : QStringLiteral("normal"),
                 w[S::Italic].compare(QLatin1String("italic"), Qt::CaseInsensitive) == 0
                     ? QStringLiteral("italic")
                     : QStringLiteral("normal"));
    css += QStringLiteral("main { text-align: %1; }\n").arg(cssAlign(w[S::FaqAlign]));
    css += QStringLiteral(
               "#faq-search { box-sizing: border-box; width: 100%; margin: 1em 0; padding: 0.5em; "
               "font: inherit; }\n"
               "details { margin: 0.6em 0; }\n"
               "summary { cursor: pointer; font-weight: bold; }\n"
               ".answer { margin: 0.4em 0 0 1.2em; }\n"
               ".info { font-size: %1; font-style: italic; }\n"
               "[hidden] { display: none; }\n"
               "@media print { #faq-search { display: none; } details > .answer { display: block; "
               "} }\n")
               .arg(infoSize);
    return css;
}

class ModernPage {
public:
    ModernPage(Language variant, const GeneratorSlots &working, bool withBackground,
               const PageRequest &request, const RecordSource &records, QDate today,
               const PieceWriter &write)
        : m_out(write), m_texts(textsOf(variant)), m_slots(working),
          m_withBackground(withBackground), m_request(request), m_records(records), m_today(today)
    {
    }

    void write()
    {
        writeHead();
        writeBody();
        m_out.flush();
    }

private:
    void meta(const char *name, QStringView content)
    {
        m_out.raw("<meta name=\"");
        m_out.raw(name);
        m_out.raw("\" content=\"");
        m_out.text(content);
        m_out.line("\" />");
    }

    void writeHead()
    {
        m_out.line("<!DOCTYPE html>");
        m_out.raw("<html lang=\"");
        m_out.raw(m_texts.lang);
        m_out.line("\">");
        m_out.line("<head>");
        m_out.line("<meta charset=\"utf-8\" />");
        m_out.line("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />");
        meta("generator", productTitle);
        m_out.raw("<title>");
        m_out.text(m_slots[S::Title].simplified());
        m_out.line("</title>");
        meta("author", m_slots[S::Author].simplified());
        meta("description", m_slots[S::Description]);
        QStringList keywords;
        for (int i = 0; i < m_slots.keywordCount; ++i)
            keywords << m_slots.table[S::FirstKeyword + i];
        meta("keywords", keywords.join(QStringLiteral(", ")));
        meta("date", m_today.toString(QStringLiteral("yyyy-MM-dd")));
        m_out.line("<style>");
        m_out.text(styleSheet(m_slots, m_withBackground, m_request.options));
        m_out.line("</style>");
        m_out.raw("<script type=\"application/ld+json\">");
        writeStructuredData();
        m_out.line("</script>");
        m_out.line("</head>");
    }

    // The questions and answers as the visitor reads them, as FAQPage data.
    void writeStructuredData()
    {
        m_out.raw("{\"@context\":\"https://schema.org\",\"@type\":\"FAQPage\",\"mainEntity\":[");
        bool first = true;
        m_records([&](const FaqRecord &r) {
            m_out.raw(first ? "{\"@type\":\"Question\",\"name\":\""
                            : ",{\"@type\":\"Question\",\"name\":\"");
            first = false;
            m_out.text(r.question, Quotes | JsonString);
            m_out.raw("\",\"acceptedAnswer\":{\"@type\":\"Answer\",\"text\":\"");
            m_out.text(r.answer, Quotes | JsonString);
            m_out.raw("\"}}");
        });
        m_out.raw("]}");
    }

    void writeBody()
    {
        const bool lineBreaks = m_request.options.paragraphFormatting == 1;
        m_out.line("<body>");
        m_out.raw("<header><h1 id=\"_oben\">");
        m_out.text(m_slots[S::Title].trimmed(), Breaks);
        m_out.line("</h1></header>");
        m_out.line("<main>");
        m_out.raw("<input type=\"search\" id=\"faq-search\" placeholder=\"");
        m_out.raw(m_texts.searchLabel);
        m_out.raw("\" aria-label=\"");
        m_out.raw(m_texts.searchLabel);
        m_out.line("\" />");
        m_out.raw("<p id=\"faq-none\" hidden=\"hidden\">");
        m_out.raw(m_texts.noMatch);
        m_out.line("</p>");
        AnchorSet anchors;
        m_records([&](const FaqRecord &r) {
            const bool withInfo = !r.extraInfo.isEmpty() && !r.homepageLink.isEmpty();
            const bool infoWithQuestion = r.infoWithQuestion == 1;
            m_out.raw("<details id=\"");
            m_out.text(anchors.take(r.question));
            m_out.raw("\"><summary>");
            m_out.text(r.question, Quotes | (lineBreaks ? Breaks : 0u));
            if (withInfo && infoWithQuestion)
                writeInfo(r);
            m_out.line("</summary>");
            m_out.raw("<div class=\"answer\">");
            if (m_request.options.preformattedAnswers == 1) {
                m_out.raw("<pre>");
                m_out.text(r.answer, Quotes);
                m_out.raw("</pre>");
            } else {
                m_out.text(r.answer, Quotes | (lineBreaks ? Breaks : 0u));
            }
            if (withInfo && !infoWithQuestion)
                writeInfo(r);
            m_out.line("</div></details>");
        });
        m_out.line("</main>");
        if (!m_request.contactAddress.isEmpty())
            writeContact();
        m_out.raw("<footer><p>");
        m_out.raw(m_texts.createdOn);
        m_out.text(m_today.toString(QStringView(m_texts.dateFormat)));
        m_out.raw(m_texts.with);
        m_out.raw("<a href=\"");
        m_out.text(homepageUrl);
        m_out.raw("\" target=\"_blank\" rel=\"noopener\">");
        m_out.text(productTitle);
        m_out.line("</a></p></footer>");
        m_out.raw("<script>");
        m_out.raw(filterScript);
        m_out.line("</script>");
        m_out.line("</body>");
        m_out.line("</html>");
    }

    void writeInfo(const FaqRecord &r)
    {
        m_out.raw(" <span class=\"info\"><a href=\"");
        if (!hasWebScheme(r.homepageLink))
            m_out.raw("http://");
        m_out.text(r.homepageLink);
        m_out.raw("\" target=\"_blank\" rel=\"noopener\">");
        m_out.text(r.extraInfo);
        m_out.raw("</a></span>");
    }

    // The contact address may hold the layout editor's character references;
    // they stay references, anything else that is markup is escaped.
    void writeContact()
    {
        static const QRegularExpression reference(QStringLiteral("^&#[0-9]{1,7};"));
        const QString &address = m_request.contactAddress;
        m_out.raw("<p class=\"contact\"><a href=\"mailto:");
        for (qsizetype i = 0; i < address.size(); ++i) {
            const QStringView rest = QStringView(address).mid(i);
            if (address.at(i) == u'&' && reference.match(rest).hasMatch())
                m_out.raw("&");
            else
                m_out.text(rest.first(1));
        }
        m_out.raw("\">");
        m_out.raw(m_texts.contact);
        m_out.line("</a></p>");
    }

    ModernWriter m_out;
    const ModernTexts &m_texts;
    const GeneratorSlots &m_slots;
    const bool m_withBackground;
    const PageRequest &m_request;
    const RecordSource &m_records;
    const QDate m_today;
};

// The letters an anchor spells a character with: umlauts spelled out,
// accented letters as their base letter, anything else none.
QString anchorLetters(QChar c)
{
    switch (c.unicode()) {
    case u'ä':
        return QStringLiteral("ae");
    case u'ö':
        return QStringLiteral("oe");
    case u'ü':
        return QStringLiteral("ue");
    case u'ß':
        return QStringLiteral("ss");
    default:
        break;
    }
    if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
        return QString(c);
    return {};
}

} // namespace

void writeModernPage(Language variant, const GeneratorSlots &working, bool withBackground,
                     const PageRequest &request, const RecordSource &records, QDate today,
                     const PieceWriter &write)
{
    ModernPage(variant, working, withBackground, request, records, today, write).write();
}

QString anchorFor(QStringView question)
{
    constexpr qsizetype maxLength = 60;
    QString anchor;
    bool hyphen = false;
    // Only as much of the question is looked at as the anchor can take.
    for (qsizetype i = 0; i < question.size() && anchor.size() < maxLength; ++i) {
        QChar c = question.at(i);
        if (c == quoteSubstitute)
            c = u'"';
        const QString spelled = anchorLetters(c.toLower());
        if (spelled.isEmpty()) {
            hyphen = !anchor.isEmpty();
            continue;
        }
        if (hyphen)
            anchor += u'-';
        hyphen = false;
        anchor += spelled;
    }
    anchor.truncate(maxLength);
    while (anchor.endsWith(u'-'))
        anchor.chop(1);
    // An id starting with a digit is awkward in stylesheets and scripts.
    if (anchor.isEmpty() || anchor.front().isDigit())
        anchor.prepend(QStringLiteral("faq-"));
    if (anchor.endsWith(u'-'))
        anchor.chop(1);
    return anchor;
}

AnchorSet::AnchorSet()
{
    // The page's own ids; a question must not take one.
    for (const char *id : {"_oben", "faq-search", "faq-none"})
        m_used.insert(QLatin1String(id));
}

QString AnchorSet::take(QStringView question)
{
    const QString base = anchorFor(question);
    QString anchor = base;
    if (m_used.contains(anchor)) {
        int &suffix = m_nextSuffix[base];
        suffix = std::max(suffix, 2);
        do
            anchor = base + u'-' + QString::number(suffix++);
        while (m_used.contains(anchor));
    }
    m_used.insert(anchor);
    return anchor;
}

} // namespace askbright
