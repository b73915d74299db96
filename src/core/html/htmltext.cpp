#include "html/htmltext.h"

#include "app/textcodec.h"

namespace askbright {

const char *htmlEntityOf(char16_t c)
{
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
    case u'>':
        return "&gt;";
    case u'<':
        return "&lt;";
    case u'&':
        return "&amp;";
    case u'"':
        return "&quot;";
    default:
        return nullptr;
    }
}

namespace {

// The longest replacement of a single character ("&szlig;").
constexpr qsizetype maxGrowth = 7;

} // namespace

void appendHtmlText(QString &out, QStringView text, unsigned steps)
{
    const qsizetype start = out.size();
    out.resize(start + text.size() * maxGrowth);
    QChar *dst = out.data() + start;
    for (QChar qc : text) {
        char16_t c = qc.unicode();
        if ((steps & RestoreQuotes) && c == quoteSubstitute.unicode())
            c = u'"';
        if (steps & LineBreaks) {
            if (c == u'\n')
                continue;
            if (c == u'\r') {
                for (char b : {'<', 'b', 'r', '>'})
                    *dst++ = QLatin1Char(b);
                continue;
            }
        }
        const char *entity = (steps & Entities) ? htmlEntityOf(c) : nullptr;
        if (!entity) {
            *dst++ = QChar(c);
            continue;
        }
        while (*entity)
            *dst++ = QLatin1Char(*entity++);
    }
    out.resize(dst - out.constData());
}

void html_zeichen(QString &text)
{
    QString out;
    appendHtmlText(out, text, Entities);
    text = std::move(out);
}

void html_umbruch(QString &text)
{
    QString out;
    appendHtmlText(out, text, LineBreaks);
    text = std::move(out);
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
