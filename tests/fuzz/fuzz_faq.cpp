// The .faq reader; whatever it accepts must be written and read back unchanged.
#include "app/apperror.h"
#include "database/faqfile.h"
#include "fuzzcheck.h"

using namespace askbright;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QList<FaqRecord> records;
    try {
        records = parseFaq(QByteArrayView(data, qsizetype(size)));
    } catch (const AppError &) {
        return 0;
    }
    FUZZ_CHECK(records.size() <= 2000);
    const QByteArray written = formatFaq(records);
    QList<FaqRecord> again;
    try {
        again = parseFaq(written);
    } catch (const AppError &) {
        FUZZ_CHECK(!"a written database must read back");
    }
    FUZZ_CHECK(again == records);
    FUZZ_CHECK(formatFaq(again) == written);
    return 0;
}
