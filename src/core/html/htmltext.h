#pragma once

#include "app/filesaver.h"
#include "html/piecebuffer.h"

#include <QStringView>

namespace askbright {

// The one way text gets into a page, for both kinds of page.

// The classic page is Windows-1252 (a character the code page lacks is an
// error), the modern page UTF-8 (noncharacters and lone surrogates are left
// out).
enum class PageEncoding { Windows1252, Utf8 };

// Which characters of a text are written as references or escapes.
enum class Escapes : unsigned char {
    None,            // every character as it is
    Entities,        // umlauts, sharp s, <, >, & and " as named entities (the classic page)
    Markup,          // &, <, > and " as named entities (the modern page)
    AttributeEnders, // ", < and > only, so character references in the text stay references
    QuotesLeftOut,   // no escapes, but " is left out
    JsonString,      // the inside of a JSON string in a script element: quote, backslash and
                     // tab escaped, <, > and & as \u escapes, so nothing ends the element
};

enum class LineBreaks {
    AsTyped,     // CR and LF are written as they are
    CrAsBr,      // CR becomes "<br>", LF is left out (so CR LF gives one "<br>")
    Newline,     // CR LF, a lone CR and a lone LF become one "\n" each
    BrNewline,   // the same, as "<br />\n"
    JsonNewline, // the same, as the escape "\n"
};

// How one text goes into a page. Control characters other than tab and the
// line breaks never reach a page, whatever the form.
struct TextForm {
    Escapes escapes = Escapes::None;
    LineBreaks breaks = LineBreaks::AsTyped;
    bool restoreQuotes = false; // the quote substitute of stored records becomes a double quote
    bool links = false;         // web addresses ("http://", "https://") become links
};

// Writes a page in pieces: markup as it stands, texts in a form. write must
// outlive the writer.
class HtmlWriter {
public:
    HtmlWriter(const PieceWriter &write, PageEncoding encoding);

    void raw(const char *markup) { m_out.put(markup); }
    void raw(char c) { m_out.put(c); }
    void text(QStringView text, TextForm form);
    void number(int value);
    void flush() { m_out.flush(); }

private:
    const char16_t *special(const char16_t *at, const char16_t *begin, const char16_t *end,
                            TextForm form);
    const char16_t *link(const char16_t *at, const char16_t *end, Escapes escapes);
    void character(char16_t c);

    PieceBuffer m_out;
    const PageEncoding m_encoding;
};

// Whether a homepage link starts with a scheme the page may link to as it
// stands (http, https, ftp, mailto in any case); any other link gets
// "http://" in front, so no script or data address reaches an href.
bool hasWebScheme(QStringView link);

} // namespace askbright
