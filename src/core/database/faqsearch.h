#pragma once

#include "database/faqrecord.h"

#include <QList>
#include <QString>

namespace askbright {

// A place where the searched text stands: record number (1-based), the
// field, and the position and length in the text as the main window shows it.
struct SearchHit {
    enum Field { Question, Answer, ExtraInfo };

    int record = 0;
    Field field = Question;
    qsizetype position = 0;
    qsizetype length = 0;

    bool operator==(const SearchHit &) const = default;
};

// Every occurrence of text in the questions, answers and additional infos,
// ignoring letter case, in record order and within a record in field order.
// Question and answer are searched as the window shows them (the stored
// quote substitute reads as a double quote). An empty text finds nothing.
QList<SearchHit> findAll(const QList<FaqRecord> &records, const QString &text);

// The hit after (or before) the place (record, field, position), wrapping
// around at the end (or start); -1 when there is no hit at all.
qsizetype nextHit(const QList<SearchHit> &hits, const SearchHit &from, bool forward);

} // namespace askbright
