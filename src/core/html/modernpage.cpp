#include "html/modernpage.h"

#include "app/product.h"
#include "database/faqrecord.h"
#include "html/htmltext.h"
#include "html/pagegenerator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace askbright {

namespace {

using S = GeneratorSlots;

struct ModernTexts {
    const char16_t *lang;
    const char16_t *searchLabel;
    const char16_t *noMatch;
    const char16_t *contact;
    const char16_t *createdOn;
    const char16_t *with;
    const char16_t *dateFormat;
};

const ModernTexts &textsOf(Language variant)
{
    static const ModernTexts german{
        u"de",    u"Fragen durchsuchen", u"Keine passende Frage.", u"noch Fragen?", u"erzeugt am ",
        u" mit ", u"dd.MM.yyyy"};
    static const ModernTexts english{u"en",
                                     u"Search the questions",
                                     u"No matching question.",
                                     u"You have any questions?",
                                     u"created on ",
                                     u" with ",
                                     u"MM-dd-yyyy"};
    return variant.isGerman() ? german : english;
}

// Filters the sections while typing; opens them all for printing. Written
// without "<" and "&" so the document stays well-formed XML.
const char16_t *const filterScript = uR"((function () {
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

QString escaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The contact address may hold the layout editor's character references;
// they stay references, anything else that is markup is escaped.
QString escapedKeepingReferences(const QString &text)
{
    static const QRegularExpression reference(QStringLiteral("^&#[0-9]{1,7};"));
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && reference.match(QStringView(text).mid(i)).hasMatch())
            out += u'&';
        else
            out += escaped(QStringView(text).mid(i, 1));
    }
    return out;
}

// A record text as the visitor reads it: quotes back, one LF per line break.
QString recordText(const QString &stored)
{
    QString text = textForWindow(stored);
    anfuehrung_rein(text);
    return text;
}

// Text as markup: line breaks become <br /> when wanted.
QString markup(const QString &text, bool lineBreaks)
{
    QString html = escaped(textForWindow(text));
    if (lineBreaks)
        html.replace(u'\n', QLatin1String("<br />\n"));
    return html;
}

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

// JSON inside a script element: "<", ">" and "&" as escapes, so nothing in
// the texts can end the element or disturb an XML reader.
QString scriptJson(const QJsonObject &object)
{
    QString json = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    json.replace(u'<', QLatin1String("\\u003c"));
    json.replace(u'>', QLatin1String("\\u003e"));
    json.replace(u'&', QLatin1String("\\u0026"));
    return json;
}

QJsonObject structuredData(const QList<FaqRecord> &records)
{
    QJsonArray questions;
    for (const FaqRecord &r : records) {
        questions.append(
            QJsonObject{{QStringLiteral("@type"), QStringLiteral("Question")},
                        {QStringLiteral("name"), recordText(r.question)},
                        {QStringLiteral("acceptedAnswer"),
                         QJsonObject{{QStringLiteral("@type"), QStringLiteral("Answer")},
                                     {QStringLiteral("text"), recordText(r.answer)}}}});
    }
    return {{QStringLiteral("@context"), QStringLiteral("https://schema.org")},
            {QStringLiteral("@type"), QStringLiteral("FAQPage")},
            {QStringLiteral("mainEntity"), questions}};
}

} // namespace

QString anchorFor(const QString &question)
{
    QString anchor;
    bool hyphen = false;
    for (const QChar c : recordText(question).toLower()) {
        QString spelled;
        switch (c.unicode()) {
        case u'ä':
            spelled = QStringLiteral("ae");
            break;
        case u'ö':
            spelled = QStringLiteral("oe");
            break;
        case u'ü':
            spelled = QStringLiteral("ue");
            break;
        case u'ß':
            spelled = QStringLiteral("ss");
            break;
        default:
            if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
                spelled = c;
        }
        if (spelled.isEmpty()) {
            hyphen = !anchor.isEmpty();
            continue;
        }
        if (hyphen)
            anchor += u'-';
        hyphen = false;
        anchor += spelled;
    }
    anchor.truncate(60);
    while (anchor.endsWith(u'-'))
        anchor.chop(1);
    // An id starting with a digit is awkward in stylesheets and scripts.
    if (anchor.isEmpty() || anchor.front().isDigit())
        anchor.prepend(QStringLiteral("faq-"));
    if (anchor.endsWith(u'-'))
        anchor.chop(1);
    return anchor;
}

QByteArray composeModernPage(Language variant, const GeneratorSlots &w, bool withBackground,
                             const PageRequest &request, const FaqDatabase &database, QDate today)
{
    const ModernTexts &t = textsOf(variant);
    const ExportOptions &options = request.options;
    const bool lineBreaks = options.paragraphFormatting == 1;
    const QList<FaqRecord> records = database.records();
    QString page;
    page.reserve(4096 + records.size() * 256);
    auto line = [&page](const QString &text) { page += text + u'\n'; };
    auto meta = [&](const char *name, const QString &content) {
        line(QStringLiteral("<meta name=\"%1\" content=\"%2\" />")
                 .arg(QLatin1String(name), escaped(content)));
    };

    line(QStringLiteral("<!DOCTYPE html>"));
    line(QStringLiteral("<html lang=\"%1\">").arg(QStringView(t.lang)));
    line(QStringLiteral("<head>"));
    line(QStringLiteral("<meta charset=\"utf-8\" />"));
    line(QStringLiteral(
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />"));
    meta("generator", productTitle);
    line(QStringLiteral("<title>%1</title>").arg(escaped(w[S::Title].simplified())));
    meta("author", w[S::Author].simplified());
    meta("description", w[S::Description]);
    QStringList keywords;
    for (int i = 0; i < w.keywordCount; ++i)
        keywords << w.table[S::FirstKeyword + i];
    meta("keywords", keywords.join(QStringLiteral(", ")));
    meta("date", today.toString(QStringLiteral("yyyy-MM-dd")));

    // The stylesheet: the project's look, the collapsible sections, print.
    const double textPoints = points(w.textSize, 10);
    const QString infoSize = options.linkSize == linkSizeSmall && textPoints > 2
                                 ? cssPoints(textPoints - 2)
                                 : QStringLiteral("inherit");
    line(QStringLiteral("<style>"));
    QString body = QStringLiteral("body { font-family: %1; font-size: %2; margin: 0 auto; "
                                  "max-width: 50em; padding: 1em;")
                       .arg(cssFonts(w[S::Fonts]), cssPoints(textPoints));
    if (const QString c = cssColor(w[S::TextColor]); !c.isEmpty())
        body += QStringLiteral(" color: ") + c + u';';
    if (const QString c = cssColor(w[S::BgColor]); !c.isEmpty())
        body += QStringLiteral(" background-color: ") + c + u';';
    if (withBackground)
        body += QStringLiteral(" background-image: url(\"%1\");").arg(w[S::Picture]);
    line(body + QStringLiteral(" }"));
    for (const auto &[selector, slot] :
         {std::pair{"a:link", S::LinkColor}, std::pair{"a:visited", S::VlinkColor},
          std::pair{"a:active", S::AlinkColor}}) {
        if (const QString c = cssColor(w[slot]); !c.isEmpty())
            line(QStringLiteral("%1 { color: %2; }").arg(QLatin1String(selector), c));
    }
    line(QStringLiteral("h1 { font-size: %1; text-align: %2; font-weight: %3; font-style: %4; }")
             .arg(cssPoints(points(w.titleSize, 14)), cssAlign(w[S::TitleAlign]),
                  w[S::Bold].compare(QLatin1String("bold"), Qt::CaseInsensitive) == 0
                      ? QStringLiteral("bold")
                      : QStringLiteral("normal"),
                  w[S::Italic].compare(QLatin1String("italic"), Qt::CaseInsensitive) == 0
                      ? QStringLiteral("italic")
                      : QStringLiteral("normal")));
    line(QStringLiteral("main { text-align: %1; }").arg(cssAlign(w[S::FaqAlign])));
    line(QStringLiteral("#faq-search { box-sizing: border-box; width: 100%; margin: 1em 0; "
                        "padding: 0.5em; font: inherit; }"));
    line(QStringLiteral("details { margin: 0.6em 0; }"));
    line(QStringLiteral("summary { cursor: pointer; font-weight: bold; }"));
    line(QStringLiteral(".answer { margin: 0.4em 0 0 1.2em; }"));
    line(QStringLiteral(".info { font-size: %1; font-style: italic; }").arg(infoSize));
    line(QStringLiteral("[hidden] { display: none; }"));
    line(QStringLiteral("@media print { #faq-search { display: none; } "
                        "details > .answer { display: block; } }"));
    line(QStringLiteral("</style>"));
    line(QStringLiteral("<script type=\"application/ld+json\">") +
         scriptJson(structuredData(records)) + QStringLiteral("</script>"));
    line(QStringLiteral("</head>"));

    line(QStringLiteral("<body>"));
    line(QStringLiteral("<header><h1 id=\"_oben\">%1</h1></header>")
             .arg(markup(w[S::Title].trimmed(), true)));
    line(QStringLiteral("<main>"));
    line(QStringLiteral("<input type=\"search\" id=\"faq-search\" placeholder=\"%1\" "
                        "aria-label=\"%1\" />")
             .arg(QStringView(t.searchLabel)));
    line(QStringLiteral("<p id=\"faq-none\" hidden=\"hidden\">%1</p>").arg(QStringView(t.noMatch)));
    QSet<QString> anchors;
    for (const FaqRecord &r : records) {
        QString anchor = anchorFor(r.question);
        for (int n = 2; anchors.contains(anchor); ++n)
            anchor = anchorFor(r.question) + u'-' + QString::number(n);
        anchors.insert(anchor);
        QString info;
        if (!r.extraInfo.isEmpty() && !r.homepageLink.isEmpty()) {
            const QString href =
                (hasWebScheme(r.homepageLink) ? QString() : QStringLiteral("http://")) +
                r.homepageLink;
            info = QStringLiteral(" <span class=\"info\"><a href=\"%1\" target=\"_blank\" "
                                  "rel=\"noopener\">%2</a></span>")
                       .arg(escaped(href), escaped(r.extraInfo));
        }
        const bool infoWithQuestion = r.infoWithQuestion == 1;
        QString answer = options.preformattedAnswers == 1
                             ? QStringLiteral("<pre>") + markup(recordText(r.answer), false) +
                                   QStringLiteral("</pre>")
                             : markup(recordText(r.answer), lineBreaks);
        line(QStringLiteral("<details id=\"%1\"><summary>%2%3</summary>")
                 .arg(anchor, markup(recordText(r.question), lineBreaks),
                      infoWithQuestion ? info : QString()));
        line(QStringLiteral("<div class=\"answer\">%1%2</div></details>")
                 .arg(answer, infoWithQuestion ? QString() : info));
    }
    line(QStringLiteral("</main>"));
    if (!request.contactAddress.isEmpty())
        line(QStringLiteral("<p class=\"contact\"><a href=\"mailto:%1\">%2</a></p>")
                 .arg(escapedKeepingReferences(request.contactAddress), QStringView(t.contact)));
    line(QStringLiteral("<footer><p>%1%2%3<a href=\"%4\" target=\"_blank\" "
                        "rel=\"noopener\">%5</a></p></footer>")
             .arg(QStringView(t.createdOn), today.toString(QStringView(t.dateFormat)),
                  QStringView(t.with), escaped(homepageUrl), productTitle));
    line(QStringLiteral("<script>") + QString::fromUtf16(filterScript) +
         QStringLiteral("</script>"));
    line(QStringLiteral("</body>"));
    line(QStringLiteral("</html>"));
    return page.toUtf8();
}

} // namespace askbright
