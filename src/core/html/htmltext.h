#pragma once

#include <QString>
#include <QStringView>

namespace askbright {

// The two encoders the page generator applies to user text, always in this
// order: html_zeichen first, so the "<br>" tags of html_umbruch stay tags.

// Umlauts, sharp s, <, >, & and " become entities in one pass; an entity the
// user typed is not recognised, its ampersand is encoded like any other.
void html_zeichen(QString &text);
// CR becomes "<br>", LF is dropped (so CR LF gives one "<br>").
void html_umbruch(QString &text);

// The entity html_zeichen writes for c, or nullptr when c stays as it is.
const char *htmlEntityOf(char16_t c);

// Whether a homepage link starts with a scheme the page may link to as it
// stands (http, https, ftp, mailto in any case); any other link gets
// "http://" in front, so no script or data address reaches an href.
bool hasWebScheme(QStringView link);

enum HtmlTextStep : unsigned {
    RestoreQuotes = 1, // the quote substitute of stored records becomes a double quote
    Entities = 2,      // html_zeichen
    LineBreaks = 4,    // html_umbruch
};

// Appends text to out after the chosen steps, in the order above, in a single
// pass; the page generator uses it to avoid a temporary copy per step.
void appendHtmlText(QString &out, QStringView text, unsigned steps);

} // namespace askbright
