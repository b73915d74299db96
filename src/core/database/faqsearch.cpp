#include "database/faqsearch.h"

#include "app/textcodec.h"

#include <algorithm>
#include <tuple>

namespace askbright {

namespace {

auto place(const SearchHit &h)
{
    return std::tuple(h.record, int(h.field), h.position);
}

void collect(QList<SearchHit> &hits, int record, SearchHit::Field field, const QString &haystack,
             const QString &text)
{
    for (qsizetype at = haystack.indexOf(text, 0, Qt::CaseInsensitive); at >= 0;
         at = haystack.indexOf(text, at + text.size(), Qt::CaseInsensitive))
        hits.append({record, field, at, text.size()});
}

} // namespace

QList<SearchHit> findAll(const QList<FaqRecord> &records, const QString &text)
{
    QList<SearchHit> hits;
    if (text.isEmpty())
        return hits;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const FaqRecord &r = records.at(i);
        const RecordFields shown = maskeds_an_felder(r);
        const int record = int(i + 1);
        collect(hits, record, SearchHit::Question, textForWindow(shown.question), text);
        collect(hits, record, SearchHit::Answer, textForWindow(shown.answer), text);
        collect(hits, record, SearchHit::ExtraInfo, shown.extraInfo, text);
    }
    return hits;
}

qsizetype nextHit(const QList<SearchHit> &hits, const SearchHit &from, bool forward)
{
    if (hits.isEmpty())
        return -1;
    if (forward) {
        const auto it = std::upper_bound(
            hits.begin(), hits.end(), from,
            [](const SearchHit &a, const SearchHit &b) { return place(a) < place(b); });
        return it == hits.end() ? 0 : it - hits.begin();
    }
    const auto it = std::lower_bound(
        hits.begin(), hits.end(), from,
        [](const SearchHit &a, const SearchHit &b) { return place(a) < place(b); });
    return it == hits.begin() ? hits.size() - 1 : (it - hits.begin()) - 1;
}

} // namespace askbright
