#include "html/htmltext.h"

namespace askbright {

namespace {

const char *entityFor(char16_t c)
{
    switch (c) {
    case u'ä': return "&auml;";
    case u'Ä': return "&Auml;";
    case u'ö': return "&ouml;";
    case u'Ö': return "&Ouml;";
    case u'ü': return "&uuml;";
    case u'Ü': return "&Uuml;";
    case u'ß': return "&szlig;";
    case u'>': return "&gt;";
    case u'<': return "&lt;";
    case u'&': return "&amp;";
    case u'"': return "&quot;";
    default: return nullptr;
    }
}

} // namespace

void html_zeichen(QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : std::as_const(text)) {
        if (const char *entity = entityFor(c.unicode()))
            out += QLatin1String(entity);
        else
            out += c;
    }
    text = std::move(out);
}

void html_umbruch(QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : std::as_const(text)) {
        if (c == u'\r')
            out += QLatin1String("<br>");
        else if (c != u'\n')
            out += c;
    }
    text = std::move(out);
}

} // namespace askbright
