#pragma once

#include "app/language.h"
#include "database/faqdatabase.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace askbright {

struct GeneratorSlots;
struct PageRequest;

// The FAQ page as an HTML5 document for today's browsers and phones: UTF-8,
// a viewport, the project's colours, fonts and texts as a stylesheet, each
// answer in a collapsible section whose anchor is made from its question, a
// search box that filters the questions in the page itself, a print
// stylesheet that shows every answer, and the questions and answers once more
// as schema.org FAQPage data (JSON-LD). The document is also well-formed XML.
QByteArray composeModernPage(Language variant, const GeneratorSlots &working, bool withBackground,
                             const PageRequest &request, const FaqDatabase &database, QDate today);

// An anchor made from a question: lower-case letters and digits joined by
// hyphens, umlauts spelled out, at most 60 characters; "faq" when nothing is
// left.
QString anchorFor(const QString &question);

} // namespace askbright
