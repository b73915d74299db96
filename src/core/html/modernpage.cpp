#include "html/modernpage.h"

#include "app/product.h"
#include "app/textcodec.h"
#include "database/faqrecord.h"
#include "html/htmltext.h"
#include "project/colors.h"
#include "project/contrast.h"

#include <QRegularExpression>
#include <array>

namespace askbright {

namespace {

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

// Whether a text holds nothing a reader would see.
bool isBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return c.isSpace() || u < 0x20 || u == 0x7F || u == 0xFFFE || u == 0xFFFF;
    });
}

// The forms of the page's texts: markup characters escaped, each line break
// one "\n" unless the form says otherwise.
constexpr TextForm markupText{Escapes::Markup, LineBreaks::Newline};
constexpr TextForm markupWithBreaks{Escapes::Markup, LineBreaks::BrNewline};
constexpr TextForm jsonString{Escapes::JsonString, LineBreaks::JsonNewline, true};

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

QString cssAlign(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Center:
        return QStringLiteral("center");
    case Alignment::Right:
        return QStringLiteral("right");
    case Alignment::Left:
    case Alignment::Unset:
        break;
    }
    return QStringLiteral("left");
}

// The page's colours: the project's own, and for a dark screen a palette
// derived from them that keeps 4.5:1: the background darkened (a dark one
// stays), each text colour lightened only as far as it must.
QString colorRules(const PageProject &p)
{
    const std::pair<const char *, const QString *> roles[] = {{"--text", &p.textColor},
                                                              {"--link", &p.linkColor},
                                                              {"--visited", &p.vlinkColor},
                                                              {"--active", &p.alinkColor},
                                                              {"--background", &p.bgColor}};
    QString light, dark;
    const ColorParts background = projectColor(p.bgColor).value_or(ColorParts{255, 255, 255});
    const bool darkAlready = relativeLuminance(background) < 0.18;
    const ColorParts darkBackground =
        darkAlready ? background : mixed(background, ColorParts{0, 0, 0}, 0.88);
    for (const auto &[name, value] : roles) {
        const std::optional<ColorParts> color = projectColor(*value);
        if (!color)
            continue;
        light += QStringLiteral(" %1: %2;").arg(QLatin1String(name), colorText(*color));
        const ColorParts onDark =
            value == &p.bgColor ? darkBackground
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

QString styleSheet(const PagePlan &plan, const ExportOptions &options)
{
    const PageProject &p = plan.project;
    const double textPoints = points(p.textSize, 10);
    const QString infoSize = options.smallLinks && textPoints > 2 ? cssPoints(textPoints - 2)
                                                                  : QStringLiteral("inherit");
    QString css = colorRules(p);
    css +=
        QStringLiteral("body { font-family: %1; font-size: %2; line-height: 1.5; margin: 0 auto; "
                       "max-width: 50em; padding: 1em; overflow-wrap: anywhere; "
                       "color: var(--text, #000000); background-color: var(--background, "
                       "#FFFFFF);")
            .arg(cssFonts(fontFaces(p)), cssPoints(textPoints));
    if (plan.withBackground)
        css += QStringLiteral(" background-image: url(%1);").arg(cssString(plan.pictureFileName));
    css += QStringLiteral(" }\n");
    css += QStringLiteral("a:link { color: var(--link, #0000EE); }\n"
                          "a:visited { color: var(--visited, #551A8B); }\n"
                          "a:active { color: var(--active, #EE0000); }\n");
    css +=
        QStringLiteral("h1 { font-size: %1; text-align: %2; font-weight: %3; font-style: %4; }\n")
            .arg(cssPoints(points(p.titleSize, 14)), cssAlign(p.titleAlign),
                 p.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                 p.italic ? QStringLiteral("italic") : QStringLiteral("normal"));
    css += QStringLiteral("main { text-align: %1; }\n").arg(cssAlign(p.faqAlign));
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
    ModernPage(Language variant, const PagePlan &plan, const PageRequest &request,
               const RecordSource &records, QDate today, const PieceWriter &write)
        : m_out(write, PageEncoding::Utf8),
          m_texts(textsOf(request.options.pageLanguage.value_or(variant))), m_plan(plan),
          m_project(plan.project), m_request(request), m_records(records), m_today(today)
    {
    }

    void write()
    {
        writeHead();
        writeBody();
        m_out.flush();
    }

private:
    void raw(const char *markup) { m_out.raw(markup); }
    void line(const char *markup)
    {
        m_out.raw(markup);
        m_out.raw('\n');
    }
    void text(QStringView value, TextForm form = markupText) { m_out.text(value, form); }

    // A meta tag, left out when it would say nothing.
    void meta(const char *name, QStringView content)
    {
        if (isBlank(content))
            return;
        raw("<meta name=\"");
        raw(name);
        raw("\" content=\"");
        text(content);
        line("\" />");
    }

    void writeHead()
    {
        line("<!DOCTYPE html>");
        raw("<html lang=\"");
        raw(m_texts.lang);
        line("\">");
        line("<head>");
        line("<meta charset=\"utf-8\" />");
        line("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />");
        line("<meta name=\"color-scheme\" content=\"light dark\" />");
        raw("<title>");
        text(m_project.title.simplified());
        line("</title>");
        meta("generator", productTitle);
        meta("author", m_project.author.simplified());
        meta("description", m_project.description);
        QStringList keywords;
        for (const QString &keyword : m_project.keywords) {
            if (!isBlank(keyword))
                keywords << keyword;
        }
        meta("keywords", keywords.join(QStringLiteral(", ")));
        meta("date", m_today.toString(QStringLiteral("yyyy-MM-dd")));
        raw("<link rel=\"icon\" href=\"");
        raw(pageIcon);
        line("\" />");
        line("<style>");
        // Plain ASCII without "<" and "&" (see cssString), so it reads the
        // same as HTML and as XML.
        raw(styleSheet(m_plan, m_request.options).toLatin1().constData());
        line("</style>");
        line("</head>");
    }

    void writeBody()
    {
        line("<body>");
        raw("<header><h1 id=\"faq-top\">");
        text(m_project.title.trimmed(), markupWithBreaks);
        line("</h1></header>");
        line("<main>");
        raw("<ol class=\"faq\" id=\"faq-list\"");
        for (const auto &[name, word] : {std::pair{"search", m_texts.search},
                                         {"none", m_texts.noMatch},
                                         {"expand", m_texts.expandAll},
                                         {"collapse", m_texts.collapseAll},
                                         {"count", m_texts.count},
                                         {"copied", m_texts.copied}}) {
            raw(" data-");
            raw(name);
            raw("=\"");
            raw(word);
            raw("\"");
        }
        line(">");
        AnchorSet anchors;
        m_records([&](const FaqRecord &r) { writeItem(r, anchors.take(r.question)); });
        line("</ol>");
        line("</main>");
        if (!m_request.contactAddress.isEmpty())
            writeContact();
        raw("<footer><p>");
        raw(m_texts.createdOn);
        text(m_today.toString(QStringView(m_texts.dateFormat)));
        raw(m_texts.with);
        raw("<a href=\"");
        text(homepageUrl);
        raw("\" target=\"_blank\" rel=\"noopener\">");
        text(productTitle);
        line("</a></p></footer>");
        raw("<script type=\"application/ld+json\">");
        writeStructuredData();
        line("</script>");
        raw("<script>");
        raw(pageScript);
        line("</script>");
        line("</body>");
        line("</html>");
    }

    // One question with its answer: a numbered heading, then the answer,
    // shown whole until the script makes it open and close.
    void writeItem(const FaqRecord &r, const QString &anchor)
    {
        const ExportOptions &options = m_request.options;
        const LineBreaks breaks =
            options.formatParagraphs ? LineBreaks::BrNewline : LineBreaks::Newline;
        const bool withInfo = !r.extraInfo.isEmpty() && !r.homepageLink.isEmpty();
        const bool infoWithQuestion = r.infoWithQuestion == 1;
        const TextForm question{Escapes::Markup, breaks, true};
        raw("<li class=\"item\" id=\"");
        text(anchor);
        raw("\"><h2 class=\"question\"><span class=\"q\">");
        text(r.question, question);
        raw("</span>");
        if (withInfo && infoWithQuestion)
            writeInfo(r);
        line("</h2>");
        raw("<div class=\"answer\"><div class=\"text\">");
        if (options.preformattedAnswers) {
            raw("<pre>");
            text(r.answer, {Escapes::Markup, LineBreaks::Newline, true, true});
            raw("</pre>");
        } else {
            text(r.answer, {Escapes::Markup, breaks, true, true});
        }
        if (withInfo && !infoWithQuestion)
            writeInfo(r);
        raw("</div><p><a class=\"permalink\" href=\"#");
        text(anchor);
        raw("\">");
        raw(m_texts.permalink);
        line("</a></p></div></li>");
    }

    void writeInfo(const FaqRecord &r)
    {
        raw(" <span class=\"info\"><a href=\"");
        if (!hasWebScheme(r.homepageLink))
            raw("http://");
        text(r.homepageLink);
        raw("\" target=\"_blank\" rel=\"noopener\">");
        text(r.extraInfo);
        raw("</a></span>");
    }

    // The questions and answers as the visitor reads them, as FAQPage data;
    // a record without a question or an answer is no question answered.
    void writeStructuredData()
    {
        raw("{\"@context\":\"https://schema.org\",\"@type\":\"FAQPage\",\"mainEntity\":[");
        bool first = true;
        m_records([&](const FaqRecord &r) {
            if (isBlank(r.question) || isBlank(r.answer))
                return;
            raw(first ? "{\"@type\":\"Question\",\"name\":\""
                      : ",{\"@type\":\"Question\",\"name\":\"");
            first = false;
            text(r.question, jsonString);
            raw("\",\"acceptedAnswer\":{\"@type\":\"Answer\",\"text\":\"");
            text(r.answer, jsonString);
            raw("\"}}");
        });
        raw("]}");
    }

    // The contact address may hold the layout editor's character references;
    // they stay references, anything else that is markup is escaped.
    void writeContact()
    {
        static const QRegularExpression reference(QStringLiteral("^&#[0-9]{1,7};"));
        const QString &address = m_request.contactAddress;
        raw("<p class=\"contact\"><a href=\"mailto:");
        for (qsizetype i = 0; i < address.size(); ++i) {
            const QStringView rest = QStringView(address).mid(i);
            if (address.at(i) == u'&' && reference.match(rest).hasMatch())
                raw("&");
            else
                text(rest.first(1));
        }
        raw("\">");
        raw(m_texts.contact);
        line("</a></p>");
    }

    HtmlWriter m_out;
    const ModernTexts &m_texts;
    const PagePlan &m_plan;
    const PageProject &m_project;
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

void writeModernPage(Language variant, const PagePlan &plan, const PageRequest &request,
                     const RecordSource &records, QDate today, const PieceWriter &write)
{
    ModernPage(variant, plan, request, records, today, write).write();
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
