// The recent-files list.
#include "app/apperror.h"
#include "app/textcodec.h"
#include "fuzzcheck.h"
#include "settings/recentfiles.h"

using namespace askbright;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const QStringList entries = parseRecentFiles(
            decodeCp1252(QByteArrayView(data, qsizetype(size))), QStringLiteral("list"));
        FUZZ_CHECK(entries.size() <= maxRecentFiles);
        for (const QString &entry : entries)
            FUZZ_CHECK(!entry.isEmpty() && !entry.contains(u'\r') && !entry.contains(u'\n'));
    } catch (const AppError &) {
    }
    return 0;
}
