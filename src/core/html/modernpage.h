#pragma once

#include "app/filesaver.h"
#include "app/language.h"
#include "html/pagegenerator.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>

namespace askbright {

// The FAQ page as an HTML5 document for today's browsers and phones: UTF-8,
// a viewport, the project's colours, fonts and texts as a stylesheet, each
// answer in a collapsible section whose anchor is made from its question, a
// search box that filters the questions in the page itself, a print
// stylesheet that shows every answer, and the questions and answers once more
// as schema.org FAQPage data (JSON-LD). The document is also well-formed XML.
// Streamed to write like the classic page, whatever the size of the records.
void writeModernPage(Language variant, const GeneratorSlots &working, bool withBackground,
                     const PageRequest &request, const RecordSource &records, QDate today,
                     const PieceWriter &write);

// An anchor made from a question: lower-case letters and digits joined by
// hyphens, umlauts spelled out, at most 60 characters; "faq" when nothing is
// left.
QString anchorFor(QStringView question);

// Hands out each question's anchor once: a repeated one gets "-2", "-3", ...
// from a counter kept per anchor, so many equal questions cost no more than
// as many different ones.
class AnchorSet {
public:
    AnchorSet();
    QString take(QStringView question);

private:
    QSet<QString> m_used;
    QHash<QString, int> m_nextSuffix;
};

} // namespace askbright
