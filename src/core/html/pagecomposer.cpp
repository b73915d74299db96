// The page text, section by section, written straight into Windows-1252
// bytes. Every section is written twice: once into a counter that only
// measures, then into a buffer of exactly that size, so a page of any size
// is built without re-growing or copying it.

#include "app/filesaver.h"
#include "app/product.h"
#include "app/textcodec.h"
#include "html/htmltext.h"
#include "html/pagegenerator.h"
#include "html/piecebuffer.h"

#include <array>
#include <cstring>

namespace askbright {

namespace {

// The literals in which the two page variants differ.
struct VariantTexts {
    const char *questionsHeading;
    const char *toAnswer;
    const char *contactLink;
    const char *answersHeading;
    const char *back;
    const char *topLayout1;
    const char *topLayout2;
    const char *footerDateFormat;
    const char *createdWith;
    const char *footerEnd;
};

const VariantTexts &textsOf(Language variant)
{
    static const VariantTexts deutsch = {
        "Fragen:</span></font></b></p>",
        "(zur Antwort)</a></span></font></li>",
        ">noch Fragen?</A></span></font></p>",
        "Antworten:</span></font></b></p>",
        ">zur&uuml;ck</a>",
        ">Seitenanfang</a><br><br></span></font></li>",
        ">Seitenanfang</a><br>",
        "dd.MM.yyyy",
        "erzeugt mit <A href=\"",
        ">Askbright</B></FONT></A></P>",
    };
    static const VariantTexts englisch = {
        "Questions:</span></font></b></p>",
        "(to the answer)</a></span></font></li>",
        ">You have any questions?</A></span></font></p>",
        "Answers:</span></font></b></p>",
        ">go back</a>",
        ">Top</a><br><br></span></font></li>",
        ">Top</a><br>",
        "MM-dd-yyyy",
        "created with <A href=\"",
        ">Askbright</FONT></B></A></P>",
    };
    return variant.isGerman() ? deutsch : englisch;
}

// Only measures.
struct ByteCounter {
    qsizetype size = 0;
    void put(char) { ++size; }
    void put(const char *, qsizetype length) { size += length; }
    void putLatin1(const char16_t *, qsizetype length) { size += length; }
};

// Writes into a buffer the counter has sized.
struct ByteWriter {
    char *at;
    void put(char c) { *at++ = c; }
    void put(const char *text, qsizetype length)
    {
        std::memcpy(at, text, size_t(length));
        at += length;
    }
    // Characters below 256 that are their own byte.
    void putLatin1(const char16_t *text, qsizetype length)
    {
        char *to = at;
        for (qsizetype i = 0; i < length; ++i)
            to[i] = char(text[i]);
        at = to + length;
    }
};

// Control characters have no place in a page; tab and line breaks are text.
constexpr bool isControlToDrop(char16_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') || c == 0x7F;
}

// Characters written as their own byte whatever the steps: below 256, not
// in the range Windows-1252 uses differently, no control character, and
// touched by no step.
constexpr std::array<bool, 256> plainTable = [] {
    std::array<bool, 256> table{};
    for (char16_t c = 0; c < 256; ++c)
        table[c] = (c < 0x80 || c >= 0xA0) && !isControlToDrop(c);
    for (char16_t c : {u'\r', u'\n', u'"', u'&', u'<', u'>', u'\u00A8', u'ä', u'Ä', u'ö', u'Ö',
                       u'ü', u'Ü', u'ß'})
        table[c] = false;
    return table;
}();

bool isPlain(char16_t c)
{
    return c < 256 && plainTable[c];
}

// html_zeichen's entities with their lengths, by character.
struct Entity {
    const char *text = nullptr;
    qsizetype length = 0;
};
const std::array<Entity, 256> entities = [] {
    std::array<Entity, 256> table{};
    for (char16_t c = 0; c < 256; ++c) {
        if (const char *entity = htmlEntityOf(c))
            table[c] = {entity, qsizetype(std::strlen(entity))};
    }
    return table;
}();

// The same for text written as it stands.
bool isLatin1Byte(char16_t c)
{
    return (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) && !isControlToDrop(c);
}

template <class Out> class PageComposer {
public:
    PageComposer(Out &out, Language variant, const GeneratorSlots &working, bool withBackground,
                 const PageRequest &request, const RecordSource &records, QDate today)
        : m_out(out), m_texts(textsOf(variant)), m_slots(working), m_withBackground(withBackground),
          m_request(request), m_records(records), m_today(today),
          m_recordSteps(RestoreQuotes | Entities |
                        (request.options.paragraphFormatting == 1 ? LineBreaks : 0u))
    {
    }

    void writePage()
    {
        writeHead();
        writeBodyOpening();
        writeTitleParagraph();
        writeQuestionList();
        if (!m_request.contactAddress.isEmpty())
            writeContactBlock();
        writeAnswerList();
        writeFooter();
    }

private:
    using S = GeneratorSlots;

    void raw(const char *literal) { m_out.put(literal, qsizetype(std::strlen(literal))); }
    void eol() { m_out.put("\r\n", 2); }
    void slot(S::Slot s) { text(m_slots[s]); }

    // Text as it stands, in the page's code page.
    void text(QStringView value)
    {
        const char16_t *at = value.utf16();
        const char16_t *const end = at + value.size();
        while (at < end) {
            const char16_t *run = at;
            while (at < end && isLatin1Byte(*at))
                ++at;
            m_out.putLatin1(run, at - run);
            if (at < end)
                byte(*at++);
        }
    }

    void byte(char16_t c)
    {
        if (isControlToDrop(c))
            return;
        if (isLatin1Byte(c)) {
            m_out.put(char(c));
            return;
        }
        const int b = cp1252Byte(QChar(c));
        if (b < 0)
            throwUnencodable(QChar(c));
        m_out.put(char(b));
    }

    void number(int value)
    {
        char digits[12];
        const int length = std::snprintf(digits, sizeof digits, "%d", value);
        m_out.put(digits, length);
    }

    // The encoders of user text in one pass: the quote substitute back to a
    // quote, then entities, then line breaks as <br>, as steps asks.
    void html(QStringView value, unsigned steps)
    {
        const char16_t *at = value.utf16();
        const char16_t *const end = at + value.size();
        while (at < end) {
            // Most characters need none of the steps: they go out in runs.
            const char16_t *run = at;
            while (at < end && isPlain(*at))
                ++at;
            m_out.putLatin1(run, at - run);
            if (at < end)
                special(*at++, steps);
        }
    }

    void special(char16_t c, unsigned steps)
    {
        if ((steps & RestoreQuotes) && c == quoteSubstitute.unicode())
            c = u'"';
        if (steps & LineBreaks) {
            if (c == u'\n')
                return;
            if (c == u'\r') {
                m_out.put("<br>", 4);
                return;
            }
        }
        if ((steps & Entities) && c < 256 && entities[c].text)
            m_out.put(entities[c].text, entities[c].length);
        else
            byte(c);
    }

    void fontOpen()
    {
        raw("<font face=\"");
        slot(S::Fonts);
        raw("\">");
    }

    // Head with its meta tags, items 1 to 10.
    void writeHead()
    {
        raw("<html>\r\n<head>\r\n"
            "<meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-1\">\r\n"
            "<meta name=\"generator\" content=\"Askbright by Brennwald ( ");
        text(homepageUrl);
        raw(" )\">\r\n<title>");
        html(m_slots[S::Title], Entities);
        raw("</title>\r\n<meta name=\"author\" content=\"");
        html(m_slots[S::Author], Entities);
        raw("\">\r\n<meta name=\"description\" content=\"");
        html(m_slots[S::Description], Entities);
        raw("\">\r\n<meta name=\"keywords\" content=\"");
        for (int k = 0; k < m_slots.keywordCount; ++k) {
            if (k > 0)
                raw(", ");
            html(m_slots.table[S::FirstKeyword + k], Entities);
        }
        raw("\">\r\n<meta name=\"date\" content=\"");
        text(m_today.toString(QStringLiteral("yyyy-MM-dd")));
        raw("\">\r\n</head>\r\n");
    }

    // The body tag with the page colours and the background, item 11. An
    // empty colour is left out (the browser's own applies), since an empty
    // unquoted value would take the next attribute as its value.
    void writeBodyOpening()
    {
        raw("<body");
        for (const auto &[name, colour] :
             {std::pair{" bgcolor=", S::BgColor}, std::pair{" text=", S::TextColor},
              std::pair{" link=", S::LinkColor}, std::pair{" vlink=", S::VlinkColor},
              std::pair{" alink=", S::AlinkColor}}) {
            if (m_slots[colour].isEmpty())
                continue;
            raw(name);
            slot(colour);
        }
        if (m_withBackground) {
            raw(" background=\"");
            slot(S::Picture);
            raw("\"");
        }
        raw(">\r\n");
    }

    // The title block with the anchor the back links aim at, item 12.
    void writeTitleParagraph()
    {
        const bool bold = m_slots[S::Bold].compare(QLatin1String("bold"), Qt::CaseInsensitive) == 0;
        const bool italic =
            m_slots[S::Italic].compare(QLatin1String("italic"), Qt::CaseInsensitive) == 0;
        raw("<p align=\"");
        slot(S::TitleAlign);
        raw("\">");
        if (bold)
            raw("<b>");
        if (italic)
            raw("<i>");
        fontOpen();
        slot(S::TitleSpan);
        html(trimBlanks(m_slots[S::Title]), Entities | LineBreaks);
        raw("<a name=\"_oben\"></a>");
        if (italic)
            raw("</i>");
        if (bold)
            raw("</b>");
        raw("</span></font></p>\r\n");
    }

    // A list heading and its opening lines, shared by both lists.
    void writeListHeading(const char *heading)
    {
        raw("<p align=\"");
        slot(S::FaqAlign);
        raw("\"><b>");
        fontOpen();
        slot(S::TextSpan);
        raw(heading);
        eol();
        writeListDiv();
    }

    void writeListDiv()
    {
        raw("<div align=\"");
        slot(S::FaqAlign);
        raw("\">\r\n");
    }

    // The numbered questions linking to their answers, items 13 to 17.
    void writeQuestionList()
    {
        writeListHeading(m_texts.questionsHeading);
        fontOpen();
        slot(S::TextSpan);
        raw("<OL TYPE=\"1\">\r\n");
        int i = 0;
        m_records([&](const FaqRecord &r) { writeQuestionEntry(++i, r); });
        raw("</div></ol>\r\n");
    }

    void writeQuestionEntry(int i, const FaqRecord &r)
    {
        raw("<LI><a name=\"frage");
        number(i);
        raw("\"></a>\r\n");
        html(r.question, m_recordSteps);
        if (r.infoWithQuestion == 1)
            writeExtraLink(r);
        raw("<br><a href=\"#antwort");
        number(i);
        raw("\">");
        fontOpen();
        slot(S::LinkSpan);
        raw(m_texts.toAnswer);
        eol();
    }

    // The italic link to the asker's homepage, when the record has both.
    bool writeExtraLink(const FaqRecord &r)
    {
        if (r.extraInfo.isEmpty() || r.homepageLink.isEmpty())
            return false;
        raw("&nbsp;");
        fontOpen();
        slot(S::LinkSpan);
        raw("<i><a href=\"");
        if (!hasWebScheme(r.homepageLink))
            raw("http://");
        html(r.homepageLink, Entities);
        raw("\" target=\"_blank\">");
        html(r.extraInfo, Entities);
        raw("</a></i></span></font>");
        return true;
    }

    // The mailto link, items 18 and 19. The address keeps its character
    // references; only what would end the attribute becomes an entity.
    void writeContactBlock()
    {
        raw("<p align=\"center\"><Font face =\"");
        slot(S::Fonts);
        raw("\">");
        slot(S::TextSpan);
        eol();
        raw("<A HREF=\"mailto:");
        for (QChar c : m_request.contactAddress) {
            if (c == u'"' || c == u'<' || c == u'>')
                raw(htmlEntityOf(c.unicode()));
            else
                byte(c.unicode());
        }
        raw("?subject=Feedback ");
        for (QChar c : trimBlanks(m_slots[S::Title])) {
            if (c != u'"')
                byte(c.unicode());
        }
        raw("\"");
        raw(m_texts.contactLink);
        eol();
    }

    // The numbered answers with their back links, items 20 to 26.
    void writeAnswerList()
    {
        raw("<hr>\r\n");
        writeListHeading(m_texts.answersHeading);
        fontOpen();
        slot(S::TextSpan);
        raw("<ol type=\"1\">\r\n");
        writeListDiv();
        int i = 0;
        m_records([&](const FaqRecord &r) { writeAnswerEntry(++i, r); });
        raw("</span></FONT></div></ol>\r\n");
    }

    void writeAnswerEntry(int i, const FaqRecord &r)
    {
        const bool layout1 = m_request.options.answerLayout == 1;
        const bool pre = m_request.options.preformattedAnswers == 1;
        raw("<LI><a name=\"antwort");
        number(i);
        raw("\"></a>\r\n");
        if (layout1) {
            raw("<i><b>F:&nbsp;");
            html(r.question, m_recordSteps);
            raw("</i></b><br>\r\n");
        }
        fontOpen();
        slot(S::TextSpan);
        if (pre)
            raw("<pre>");
        if (layout1)
            raw("A:&nbsp;");
        html(r.answer, m_recordSteps);
        if (pre)
            raw("</pre>");
        const bool extra = r.infoWithQuestion == 0 && writeExtraLink(r);
        if (layout1) {
            if (!pre)
                raw("<br>");
        } else {
            if (extra)
                raw("</li>\r\n");
            raw("<br>");
        }
        slot(S::LinkSpan);
        raw("&nbsp;&nbsp;&nbsp;<a href=\"#frage");
        number(i);
        raw("\"");
        raw(m_texts.back);
        raw("&nbsp;&nbsp;&nbsp;<a href=\"#_oben\"");
        if (layout1) {
            raw(m_texts.topLayout1);
        } else {
            raw(m_texts.topLayout2);
            raw("&nbsp;</span></font></li>");
        }
        eol();
    }

    // The generation date and the program's link, items 27 to 30.
    void writeFooter()
    {
        raw("<HR>\r\n<P align=\"center\"><B><span style=\"font-size:7pt;\">am ");
        text(m_today.toString(QLatin1String(m_texts.footerDateFormat)));
        raw(" \r\n");
        raw(m_texts.createdWith);
        text(homepageUrl);
        raw("\" target=\"_blank\"");
        raw(m_texts.footerEnd);
        raw("\r\n</body></html>\r\n");
    }

    Out &m_out;
    const VariantTexts &m_texts;
    const GeneratorSlots &m_slots;
    const bool m_withBackground;
    const PageRequest &m_request;
    const RecordSource &m_records;
    const QDate m_today;
    const unsigned m_recordSteps;
};

} // namespace

QByteArray composePage(Language variant, const GeneratorSlots &working, bool withBackground,
                       const PageRequest &request, const RecordSource &records, QDate today)
{
    ByteCounter counter;
    PageComposer(counter, variant, working, withBackground, request, records, today).writePage();
    QByteArray page(counter.size, Qt::Uninitialized);
    ByteWriter writer{page.data()};
    PageComposer(writer, variant, working, withBackground, request, records, today).writePage();
    Q_ASSERT(writer.at == page.constData() + page.size());
    return page;
}

void writePageInPieces(Language variant, const GeneratorSlots &working, bool withBackground,
                       const PageRequest &request, const RecordSource &records, QDate today,
                       const PieceWriter &write)
{
    PieceBuffer buffer(write);
    PageComposer(buffer, variant, working, withBackground, request, records, today).writePage();
    buffer.flush();
}

} // namespace askbright
