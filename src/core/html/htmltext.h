#pragma once

#include <QString>

namespace askbright {

// The two encoders the page generator applies to user text, always in this
// order: html_zeichen first, so the "<br>" tags of html_umbruch stay tags.

// Umlauts, sharp s, <, >, & and " become entities in one pass; an entity the
// user typed is not recognised, its ampersand is encoded like any other.
void html_zeichen(QString &text);
// CR becomes "<br>", LF is dropped (so CR LF gives one "<br>").
void html_umbruch(QString &text);

} // namespace askbright
