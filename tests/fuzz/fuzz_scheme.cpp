// Colour scheme files: four numbers or a refusal, and what is read writes back
// to the same four numbers.
#include "app/apperror.h"
#include "appearance/schemefile.h"
#include "fuzzcheck.h"

using namespace askbright;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ColorScheme scheme;
    try {
        scheme = parseScheme(QByteArrayView(data, qsizetype(size)));
    } catch (const AppError &e) {
        FUZZ_CHECK(e.description().size() < 300);
        return 0;
    }
    FUZZ_CHECK(parseScheme(formatScheme(scheme)) == scheme);
    return 0;
}
