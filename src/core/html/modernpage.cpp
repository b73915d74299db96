#include "html/modernpage.h"

#include "app/product.h"
#include "app/textcodec.h"
#include "database/faqrecord.h"
#include "html/htmltext.h"
#include "html/piecebuffer.h"
#include "project/colors.h"
#include "project/contrast.h"

#include <QRegularExpression>
#include <array>

namespace askbright {

namespace {

using S = GeneratorSlots;

// The page's fixed words in its language.
struct ModernTexts {
    const char *lang;
    const char *search;
    const char *noMatch;
    const char *expandAll;
    const char *collapseAll;
    const char *count; // %1 questions shown of %2
    const char *copied;
    const char *permalink;
    const char *contact;
    const char *createdOn;
    const char *with;
    const char16_t *dateFormat;
};

const ModernTexts &textsOf(Language language)
{
    static const ModernTexts german{"de",
                                    "Fragen durchsuchen",
                                    "Keine passende Frage.",
                                    "Alle aufklappen",
                                    "Alle zuklappen",
                                    "%1 von %2 Fragen",
                                    "Link kopiert",
                                    "Link zu dieser Frage",
                                    "noch Fragen?",
                                    "erzeugt am ",
                                    " mit ",
                                    u"dd.MM.yyyy"};
    static const ModernTexts english{"en",
                                     "Search the questions",
                                     "No matching question.",
                                     "Expand all",
                                     "Collapse all",
                                     "%1 of %2 questions",
                                     "Link copied",
                                     "Link to this question",
                                     "You have any questions?",
                                     "created on ",
                                     " with ",
                                     u"MM-dd-yyyy"};
    return language.isGerman() ? german : english;
}

// The ids the page and its script give their own elements; no question's
// anchor may take one.
constexpr const char *pageIds[] = {"faq-top",   "faq-list",   "faq-search",  "faq-none",
                                   "faq-count", "faq-expand", "faq-collapse"};

// Without script every answer is shown and there is nothing to search: the
// script adds the search box, the buttons and the opening and closing. It
// sits in a CDATA section (inside comments for the HTML reader), so the
// document stays well-formed XML.
const char *const pageScript = R"(//<![CDATA[
(function () {
  'use strict';
  var list = document.getElementById('faq-list');
  if (!list || !String.prototype.normalize) { return; }
  var words = list.dataset;
  var items = Array.prototype.slice.call(list.querySelectorAll('li.item'));
  document.documentElement.classList.add('js');

  function setOpen(item, open) {
    item.isOpen = open;
    item.classList.toggle('closed', !open);
    item.toggle.setAttribute('aria-expanded', open ? 'true' : 'false');
  }
  items.forEach(function (item) {
    var heading = item.querySelector('.question');
    var question = heading.querySelector('.q');
    var answer = item.querySelector('.answer');
    var toggle = document.createElement('button');
    toggle.type = 'button';
    toggle.className = 'toggle';
    answer.id = item.id + '_a';
    toggle.setAttribute('aria-controls', answer.id);
    heading.insertBefore(toggle, question);
    toggle.appendChild(question);
    item.toggle = toggle;
    item.texts = [question, item.querySelector('.text')];
    setOpen(item, false);
    toggle.addEventListener('click', function () {
      item.openedBySearch = false;
      setOpen(item, !item.isOpen);
    });
  });

  function element(tag, id, text) {
    var e = document.createElement(tag);
    if (id) { e.id = id; }
    if (text) { e.textContent = text; }
    return e;
  }
  var tools = element('div');
  tools.className = 'tools';
  var label = element('label', '', words.search);
  label.htmlFor = 'faq-search';
  var box = element('input', 'faq-search');
  box.type = 'search';
  box.autocomplete = 'off';
  var expand = element('button', 'faq-expand', words.expand);
  var collapse = element('button', 'faq-collapse', words.collapse);
  expand.type = collapse.type = 'button';
  tools.appendChild(label);
  tools.appendChild(box);
  tools.appendChild(expand);
  tools.appendChild(collapse);
  var count = element('p', 'faq-count');
  count.setAttribute('role', 'status');
  count.setAttribute('aria-live', 'polite');
  var none = element('p', 'faq-none', words.none);
  none.hidden = true;
  list.parentNode.insertBefore(tools, list);
  list.parentNode.insertBefore(count, list);
  list.parentNode.insertBefore(none, list.nextSibling);
  expand.addEventListener('click', function () {
    items.forEach(function (item) { if (!item.hidden) { setOpen(item, true); } });
  });
  collapse.addEventListener('click', function () {
    items.forEach(function (item) { setOpen(item, false); });
  });

  // Case and accents do not count: "GRÖSSE" finds "Größe", "strasse"
  // "Straße". map, when given, receives for each folded character the index
  // of the character it came from.
  function fold(text, map) {
    var out = '';
    for (var i = 0; i < text.length; i += 1) {
      var c = text.charAt(i);
      var code = text.charCodeAt(i);
      var f = code < 128 ? c.toLowerCase()
        : c.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase().replace(/\u00df/g, 'ss');
      out += f;
      if (map) { for (var k = 0; k < f.length; k += 1) { map.push(i); } }
    }
    return out;
  }
  function folded(item) {
    if (item.folded === undefined) {
      item.folded = fold(item.texts.map(function (t) { return t.textContent; }).join(' '));
    }
    return item.folded;
  }

  function clearMarks() {
    Array.prototype.slice.call(list.querySelectorAll('mark')).forEach(function (mark) {
      var parent = mark.parentNode;
      parent.replaceChild(document.createTextNode(mark.textContent), mark);
      parent.normalize();
    });
  }
  function highlight(root, wanted) {
    var walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT);
    var nodes = [];
    while (walker.nextNode()) { nodes.push(walker.currentNode); }
    nodes.forEach(function (node) {
      var map = [];
      var text = fold(node.nodeValue, map);
      var ranges = [];
      wanted.forEach(function (word) {
        var at = text.indexOf(word);
        while (at !== -1) {
          ranges.push([map[at], map[at + word.length - 1] + 1]);
          at = text.indexOf(word, at + word.length);
        }
      });
      ranges.sort(function (a, b) { return b[0] - a[0]; });
      var end = Infinity;
      ranges.forEach(function (r) {
        if (r[1] > end) { r[1] = end; }
        if (r[1] > r[0]) {
          var rest = node.splitText(r[0]);
          rest.splitText(r[1] - r[0]);
          var mark = element('mark', '', rest.nodeValue);
          rest.parentNode.replaceChild(mark, rest);
          end = r[0];
        }
      });
    });
  }

  function search() {
    clearMarks();
    var wanted = fold(box.value.trim()).split(/\s+/).filter(Boolean);
    var shown = 0;
    items.forEach(function (item) {
      var hit = wanted.every(function (word) { return folded(item).indexOf(word) !== -1; });
      item.hidden = !hit;
      if (wanted.length === 0) {
        if (item.openedBySearch) { setOpen(item, false); }
        item.openedBySearch = false;
        return;
      }
      if (!hit) { return; }
      shown += 1;
      if (!item.isOpen) {
        setOpen(item, true);
        item.openedBySearch = true;
      }
      item.texts.forEach(function (t) { highlight(t, wanted); });
    });
    none.hidden = wanted.length === 0 || shown !== 0;
    count.textContent = wanted.length === 0 ? ''
      : words.count.replace('%1', shown).replace('%2', items.length);
  }
  box.addEventListener('input', search);
  box.addEventListener('keydown', function (event) {
    if (event.key === 'Escape') {
      box.value = '';
      search();
    }
  });

  // A deep link opens its answer, also when only the address's end changes.
  function openLinked() {
    var id = decodeURIComponent(location.hash.slice(1));
    var item = id ? document.getElementById(id) : null;
    if (!item || items.indexOf(item) === -1) { return; }
    if (item.hidden) {
      box.value = '';
      search();
    }
    setOpen(item, true);
    item.scrollIntoView();
    item.toggle.focus({ preventScroll: true });
  }
  window.addEventListener('hashchange', openLinked);
  openLinked();

  // The link control also copies its address, where the browser lets it.
  list.addEventListener('click', function (event) {
    var link = event.target.closest('a.permalink');
    if (!link || !navigator.clipboard || !window.isSecureContext) { return; }
    var address = location.href.split('#')[0] + link.getAttribute('href');
    navigator.clipboard.writeText(address).then(function () {
      count.textContent = words.copied;
    }, function () {});
  });
})();
//]]>)";

// A small page icon, so no browser asks the server for one.
const char *const pageIcon =
    "data:image/svg+xml,%3Csvg xmlns=%22http://www.w3.org/2000/svg%22 viewBox=%220 0 16 16%22%3E"
    "%3Ccircle cx=%228%22 cy=%228%22 r=%228%22 fill=%22%23357%22/%3E%3Ctext x=%228%22 y=%2212%22 "
    "font-size=%2212%22 text-anchor=%22middle%22 fill=%22%23fff%22%3E%3F%3C/text%3E%3C/svg%3E";

// How a text goes into the page.
enum TextStep : unsigned {
    Quotes = 1,     // the quote substitute of stored records becomes a double quote
    Breaks = 2,     // each line break becomes <br />
    JsonString = 4, // the text is the inside of a JSON string in a script element
    Links = 8,      // web addresses become links
};

bool isCharacterToDrop(char16_t c)
{
    // Control characters have no place in a page and make it ill-formed
    // XML; tab and line breaks are text.
    return (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') || c == 0x7F || c == 0xFFFE ||
           c == 0xFFFF;
}

// Whether a text holds nothing a reader would see.
bool isBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.isSpace() || isCharacterToDrop(c.unicode()); });
}

// ASCII characters that go into markup and JSON strings as they stand; "h"
// may start a web address.
constexpr std::array<bool, 128> plainAscii = [] {
    std::array<bool, 128> table{};
    for (char16_t c = 0x20; c < 0x7F; ++c)
        table[c] = true;
    for (char16_t c : {u'&', u'<', u'>', u'"', u'\\', u'h', u'H'})
        table[c] = false;
    return table;
}();

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
    // escaped, line breaks and addresses as steps asks, control characters
    // dropped.
    void text(QStringView value, unsigned steps = 0)
    {
        const char16_t *const begin = value.utf16();
        const char16_t *at = begin;
        const char16_t *const end = at + value.size();
        while (at < end) {
            // Most characters are plain ASCII: they go out in runs.
            const char16_t *run = at;
            while (at < end && *at < 0x80 && plainAscii[*at])
                ++at;
            m_out.putLatin1(run, at - run);
            if (at == end)
                break;
            if ((steps & Links) && (*at == u'h' || *at == u'H') &&
                (at == begin || !QChar(at[-1]).isLetterOrNumber())) {
                const QStringView rest(at, end);
                if (const qsizetype length = webAddressLength(rest)) {
                    raw("<a href=\"");
                    text(rest.first(length));
                    raw("\">");
                    text(rest.first(length));
                    raw("</a>");
                    at += length;
                    continue;
                }
            }
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
    const double value = QString(size).replace(u',', u'.').toDouble(&ok);
    return ok && value > 0 && value < 200 ? value : fallback;
}

// A project colour ("#RRGGBB") as parts; nothing for anything else, so no
// value from a file that travels between people reaches the stylesheet.
std::optional<ColorParts> projectColor(const QString &value)
{
    static const QRegularExpression plain(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (!plain.match(value).hasMatch())
        return std::nullopt;
    return rgb_errechnen(value);
}

ColorParts mixed(ColorParts from, ColorParts to, double share)
{
    const auto channel = [share](int a, int b) { return int(a + (b - a) * share + 0.5); };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

// color, lightened step by step until it reads on a dark background with
// at least the minimum contrast (white always does on the backgrounds used).
ColorParts readableOn(ColorParts color, ColorParts background, double minimum)
{
    const ColorParts white{255, 255, 255};
    for (int step = 0; step <= 20; ++step) {
        const ColorParts tried = mixed(color, white, step / 20.0);
        if (contrastRatio(tried, background) >= minimum)
            return tried;
    }
    return white;
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

// A CSS string of any text: what is not a plain letter, digit or one of
// ". _-" is written as an escape, so nothing in it ends the string or the
// style element, or needs escaping for an XML reader.
QString cssString(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
            c == u'.' || c == u'_' || c == u'-' || c == u' ')
            out += c;
        else
            out += u'\\' + QString::number(c.unicode(), 16) + u' ';
    }
    return out + u'"';
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

// The page's colours: the project's own, and for a dark screen a palette
// derived from them that keeps 4.5:1: the background darkened (a dark one
// stays), each text colour lightened only as far as it must.
QString colorRules(const GeneratorSlots &w)
{
    const std::pair<const char *, S::Slot> roles[] = {{"--text", S::TextColor},
                                                      {"--link", S::LinkColor},
                                                      {"--visited", S::VlinkColor},
                                                      {"--active", S::AlinkColor},
                                                      {"--background", S::BgColor}};
    QString light, dark;
    const ColorParts background = projectColor(w[S::BgColor]).value_or(ColorParts{255, 255, 255});
    const bool darkAlready = relativeLuminance(background) < 0.18;
    const ColorParts darkBackground =
        darkAlready ? background : mixed(background, ColorParts{0, 0, 0}, 0.88);
    for (const auto &[name, slot] : roles) {
        const std::optional<ColorParts> color = projectColor(w[slot]);
        if (!color)
            continue;
        light += QStringLiteral(" %1: %2;").arg(QLatin1String(name), colorText(*color));
        const ColorParts onDark =
            slot == S::BgColor ? darkBackground
                               : (darkAlready ? *color : readableOn(*color, darkBackground, 4.5));
        dark += QStringLiteral(" %1: %2;").arg(QLatin1String(name), colorText(onDark));
    }
    QString css;
    if (!light.isEmpty())
        css += QStringLiteral(":root {") + light + QStringLiteral(" }\n");
    if (!dark.isEmpty())
        css += QStringLiteral("@media (prefers-color-scheme: dark) { :root {") + dark +
               QStringLiteral(" } }\n");
    return css;
}

QString styleSheet(const GeneratorSlots &w, bool withBackground, const ExportOptions &options)
{
    const double textPoints = points(w.textSize, 10);
    const QString infoSize = options.linkSize == linkSizeSmall && textPoints > 2
                                 ? cssPoints(textPoints - 2)
                                 : QStringLiteral("inherit");
    QString css = colorRules(w);
    css +=
        QStringLiteral("body { font-family: %1; font-size: %2; line-height: 1.5; margin: 0 auto; "
                       "max-width: 50em; padding: 1em; overflow-wrap: anywhere; "
                       "color: var(--text, #000000); background-color: var(--background, "
                       "#FFFFFF);")
            .arg(cssFonts(w[S::Fonts]), cssPoints(textPoints));
    if (withBackground)
        css += QStringLiteral(" background-image: url(%1);").arg(cssString(w[S::Picture]));
    css += QStringLiteral(" }\n");
    css += QStringLiteral("a:link { color: var(--link, #0000EE); }\n"
                          "a:visited { color: var(--visited, #551A8B); }\n"
                          "a:active { color: var(--active, #EE0000); }\n");
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
               "pre { white-space: pre-wrap; overflow-wrap: anywhere; font-size: inherit; }\n"
               ".faq { padding-left: 2em; }\n"
               ".item { margin: 0.5em 0; }\n"
               ".question { font-size: 1em; margin: 0; }\n"
               ".toggle { display: block; width: 100%; min-height: 48px; padding: 0.5em 0; "
               "border: 0; background: none; color: inherit; font: inherit; text-align: inherit; "
               "cursor: pointer; }\n"
               ".js .toggle::before { content: \"\\25B8\\A0\"; }\n"
               ".js .toggle[aria-expanded=true]::before { content: \"\\25BE\\A0\"; }\n"
               ".answer { margin: 0 0 1em; }\n"
               ".js .closed .answer { display: none; }\n"
               ".info { font-size: %1; font-style: italic; font-weight: normal; }\n"
               ".info a, .permalink { display: inline-block; min-height: 24px; min-width: 24px; }\n"
               ".tools { display: flex; flex-wrap: wrap; gap: 0.5em; align-items: center; }\n"
               ".tools label { flex-basis: 100%; }\n"
               ".tools input, .tools button { min-height: 48px; font: inherit; color: inherit; "
               "background: transparent; border: 1px solid currentColor; border-radius: 4px; "
               "padding: 0 0.75em; }\n"
               ".tools input { flex: 1 1 12em; box-sizing: border-box; }\n"
               "mark { background: #FFE066; color: #000000; }\n"
               "[hidden] { display: none !important; }\n"
               "@media print { .tools, #faq-count, #faq-none, .permalink { display: none; } "
               ".js .closed .answer { display: block; } .js .toggle::before { content: none; } }\n")
               .arg(infoSize);
    return css;
}

class ModernPage {
public:
    ModernPage(Language variant, const GeneratorSlots &working, bool withBackground,
               const PageRequest &request, const RecordSource &records, QDate today,
               const PieceWriter &write)
        : m_out(write), m_texts(textsOf(request.options.pageLanguage.value_or(variant))),
          m_slots(working), m_withBackground(withBackground), m_request(request),
          m_records(records), m_today(today)
    {
    }

    void write()
    {
        writeHead();
        writeBody();
        m_out.flush();
    }

private:
    // A meta tag, left out when it would say nothing.
    void meta(const char *name, QStringView content)
    {
        if (isBlank(content))
            return;
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
        m_out.line("<meta name=\"color-scheme\" content=\"light dark\" />");
        m_out.raw("<title>");
        m_out.text(m_slots[S::Title].simplified());
        m_out.line("</title>");
        meta("generator", productTitle);
        meta("author", m_slots[S::Author].simplified());
        meta("description", m_slots[S::Description]);
        QStringList keywords;
        for (int i = 0; i < m_slots.keywordCount; ++i) {
            if (!isBlank(m_slots.table[S::FirstKeyword + i]))
                keywords << m_slots.table[S::FirstKeyword + i];
        }
        meta("keywords", keywords.join(QStringLiteral(", ")));
        meta("date", m_today.toString(QStringLiteral("yyyy-MM-dd")));
        m_out.raw("<link rel=\"icon\" href=\"");
        m_out.raw(pageIcon);
        m_out.line("\" />");
        m_out.line("<style>");
        // Plain ASCII without "<" and "&" (see cssString), so it reads the
        // same as HTML and as XML.
        m_out.raw(styleSheet(m_slots, m_withBackground, m_request.options).toLatin1().constData());
        m_out.line("</style>");
        m_out.line("</head>");
    }

    void writeBody()
    {
        m_out.line("<body>");
        m_out.raw("<header><h1 id=\"faq-top\">");
        m_out.text(m_slots[S::Title].trimmed(), Breaks);
        m_out.line("</h1></header>");
        m_out.line("<main>");
        m_out.raw("<ol class=\"faq\" id=\"faq-list\"");
        for (const auto &[name, word] : {std::pair{"search", m_texts.search},
                                         {"none", m_texts.noMatch},
                                         {"expand", m_texts.expandAll},
                                         {"collapse", m_texts.collapseAll},
                                         {"count", m_texts.count},
                                         {"copied", m_texts.copied}}) {
            m_out.raw(" data-");
            m_out.raw(name);
            m_out.raw("=\"");
            m_out.raw(word);
            m_out.raw("\"");
        }
        m_out.line(">");
        AnchorSet anchors;
        m_records([&](const FaqRecord &r) { writeItem(r, anchors.take(r.question)); });
        m_out.line("</ol>");
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
        m_out.raw("<script type=\"application/ld+json\">");
        writeStructuredData();
        m_out.line("</script>");
        m_out.raw("<script>");
        m_out.raw(pageScript);
        m_out.line("</script>");
        m_out.line("</body>");
        m_out.line("</html>");
    }

    // One question with its answer: a numbered heading, then the answer,
    // shown whole until the script makes it open and close.
    void writeItem(const FaqRecord &r, const QString &anchor)
    {
        const ExportOptions &options = m_request.options;
        const unsigned breaks = options.paragraphFormatting == 1 ? Breaks : 0u;
        const bool withInfo = !r.extraInfo.isEmpty() && !r.homepageLink.isEmpty();
        const bool infoWithQuestion = r.infoWithQuestion == 1;
        m_out.raw("<li class=\"item\" id=\"");
        m_out.text(anchor);
        m_out.raw("\"><h2 class=\"question\"><span class=\"q\">");
        m_out.text(r.question, Quotes | breaks);
        m_out.raw("</span>");
        if (withInfo && infoWithQuestion)
            writeInfo(r);
        m_out.line("</h2>");
        m_out.raw("<div class=\"answer\"><div class=\"text\">");
        if (options.preformattedAnswers == 1) {
            m_out.raw("<pre>");
            m_out.text(r.answer, Quotes | Links);
            m_out.raw("</pre>");
        } else {
            m_out.text(r.answer, Quotes | Links | breaks);
        }
        if (withInfo && !infoWithQuestion)
            writeInfo(r);
        m_out.raw("</div><p><a class=\"permalink\" href=\"#");
        m_out.text(anchor);
        m_out.raw("\">");
        m_out.raw(m_texts.permalink);
        m_out.line("</a></p></div></li>");
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

    // The questions and answers as the visitor reads them, as FAQPage data;
    // a record without a question or an answer is no question answered.
    void writeStructuredData()
    {
        m_out.raw("{\"@context\":\"https://schema.org\",\"@type\":\"FAQPage\",\"mainEntity\":[");
        bool first = true;
        m_records([&](const FaqRecord &r) {
            if (isBlank(r.question) || isBlank(r.answer))
                return;
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
// other accented letters as their base letter, anything else none.
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
    case u'æ':
        return QStringLiteral("ae");
    case u'œ':
        return QStringLiteral("oe");
    case u'ø':
        return QStringLiteral("o");
    default:
        break;
    }
    if (c.decompositionTag() == QChar::Canonical)
        c = c.decomposition().front();
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
        const QString spelled = anchorLetters(question.at(i).toLower());
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
    for (const char *id : pageIds)
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
