#pragma once

#include "app/filesaver.h"
#include "app/language.h"
#include "html/pageplan.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>

namespace askbright {

// The FAQ page as an HTML5 document for today's browsers and phones: UTF-8,
// a viewport, the project's colours (and a dark palette derived from them),
// fonts and texts as a stylesheet, the questions as a numbered list with
// their answers, each under an anchor made from its question, and the
// questions and answers once more as schema.org FAQPage data (JSON-LD).
// Without script every answer shows, on screen and in print; the script
// adds opening and closing, deep links that open their answer, a search
// over all words ignoring case and accents, and expand and collapse all.
// The words of the page follow the options' page language, else variant.
// The document is also well-formed XML. Streamed to write like the classic
// page, whatever the size of the records.
void writeModernPage(Language variant, const PagePlan &plan, const PageRequest &request,
                     const RecordSource &records, QDate today, const PieceWriter &write);

// An anchor made from a question: lower-case letters and digits joined by
// hyphens, umlauts spelled out, other accented letters as their base
// letters, at most 60 characters; "faq" when nothing is left.
QString anchorFor(QStringView question);

// Hands out each question's anchor once, never one of the page's own ids: a
// repeated one gets "-2", "-3", ... from a counter kept per anchor, so many
// equal questions cost no more than as many different ones.
class AnchorSet {
public:
    AnchorSet();
    QString take(QStringView question);

private:
    QSet<QString> m_used;
    QHash<QString, int> m_nextSuffix;
};

} // namespace askbright
