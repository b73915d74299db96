// CSV and Markdown imports: the room is respected, every record taken is one
// a .faq file stores and reads back the same, and the records an import takes
// go out and come back unchanged: import -> export -> import is a fixed point,
// and so is the export after it.
#include "app/apperror.h"
#include "app/textcodec.h"
#include "database/exchange.h"
#include "database/faqfile.h"
#include "fuzzcheck.h"

using namespace askbright;

namespace {

const QString today = QStringLiteral("06.12.2026");

ImportResult import(ExchangeFormat format, QByteArrayView bytes, int room)
{
    return format == ExchangeFormat::Csv ? importCsv(bytes, room, today)
                                         : importMarkdown(bytes, room, today);
}

QByteArray exported(ExchangeFormat format, const QList<FaqRecord> &records)
{
    return format == ExchangeFormat::Csv ? exportCsv(records)
                                         : exportMarkdown(records, QStringLiteral("T"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const int room = size > 0 ? data[0] % 8 : 3;
    for (const ExchangeFormat format : {ExchangeFormat::Csv, ExchangeFormat::Markdown}) {
        ImportResult first;
        try {
            first = import(format, bytes, room);
        } catch (const AppError &e) {
            FUZZ_CHECK(e.number() == AppError::TypeMismatch);
            continue;
        }
        FUZZ_CHECK(first.records.size() <= room);
        for (const FaqRecord &r : first.records) {
            FUZZ_CHECK(!trimBlanks(r.question + r.answer).isEmpty());
            FUZZ_CHECK(r.createdDate.size() == createdDateLength);
            FUZZ_CHECK(!r.question.contains(u'"') && !r.answer.contains(u'"'));
        }
        FUZZ_CHECK(parseFaq(formatFaq(first.records)) == first.records);
        // A Markdown file of no record is refused, so there is nothing to read back.
        if (first.records.isEmpty())
            continue;
        const QByteArray out = exported(format, first.records);
        const ImportResult again = import(format, out, room);
        FUZZ_CHECK(again.records == first.records && again.notes.isEmpty());
        FUZZ_CHECK(exported(format, again.records) == out);
    }
    return 0;
}
