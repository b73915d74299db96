// The positional settings file.
#include "app/textcodec.h"
#include "fuzzcheck.h"
#include "settings/settingsfile.h"

using namespace askbright;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    AppSettings settings;
    try {
        parseSettings(decodeCp1252(QByteArrayView(data, qsizetype(size))), settings);
    } catch (const AppError &e) {
        // Messages quote a long line only in part.
        FUZZ_CHECK(e.description().size() < 200);
        return 0;
    }
    // A complete file is written in the same 59 lines.
    FUZZ_CHECK(formatSettings(settings).count(QLatin1String("\r\n")) == settingsLineCount);
    return 0;
}
