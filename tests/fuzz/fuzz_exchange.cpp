// CSV and Markdown imports: every record taken can be stored in a .faq file,
// the room is respected, and what CSV export writes imports to the same records.
#include "app/apperror.h"
#include "app/textcodec.h"
#include "database/exchange.h"
#include "database/faqfile.h"
#include "fuzzcheck.h"

using namespace askbright;

namespace {

void checkTaken(const ImportResult &result, int room)
{
    FUZZ_CHECK(result.records.size() <= room);
    for (const FaqRecord &r : result.records) {
        FUZZ_CHECK(!trimBlanks(r.question).isEmpty());
        FUZZ_CHECK(r.createdDate.size() == createdDateLength);
        FUZZ_CHECK(!r.question.contains(u'"') && !r.answer.contains(u'"'));
        formatFaq({r}); // throws for a character the file cannot hold
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const int room = size > 0 ? data[0] % 8 : 3;
    const QString today = QStringLiteral("06.12.2026");
    checkTaken(importMarkdown(bytes, room, today), room);
    ImportResult csv;
    try {
        csv = importCsv(bytes, room, today);
    } catch (const AppError &e) {
        FUZZ_CHECK(e.number() == AppError::TypeMismatch);
        return 0;
    }
    checkTaken(csv, room);
    const ImportResult again = importCsv(exportCsv(csv.records), room, today);
    FUZZ_CHECK(again.records == csv.records && again.skipped.isEmpty());
    return 0;
}
