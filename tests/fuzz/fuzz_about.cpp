// about.txt: never more lines than the window holds, never longer lines.
#include "about/abouttext.h"
#include "fuzzcheck.h"

using namespace askbright;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    for (const bool truncated : {false, true}) {
        const QStringList lines = parseAboutText(bytes, truncated);
        FUZZ_CHECK(lines.size() <= maxAboutLines);
        for (const QString &line : lines) {
            FUZZ_CHECK(line.size() <= maxAboutLineLength);
            FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        }
    }
    return 0;
}
