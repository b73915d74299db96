// A page project as the page generator reads it into its working table.
#include "app/apperror.h"
#include "fuzzcheck.h"
#include "html/pagegenerator.h"

using namespace askbright;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ProjectLines lines(QByteArrayView(data, qsizetype(size)));
    for (const QString &linkSize : {linkSizeSmall, linkSizeLarge}) {
        GeneratorSlots working;
        try {
            if (!generatorSlotsFromLines(lines, linkSize, working))
                continue;
        } catch (const AppError &) {
            continue;
        }
        FUZZ_CHECK(working.keywordCount >= 0 &&
                   working.keywordCount <= GeneratorSlots::maxKeywords);
        FUZZ_CHECK(working[GeneratorSlots::FileName].endsWith(QLatin1String(".html")));
        if (working.refused)
            continue;
        // Colours stand unquoted in the body tag: nothing in them may end the value.
        for (auto s :
             {GeneratorSlots::TextColor, GeneratorSlots::BgColor, GeneratorSlots::AlinkColor,
              GeneratorSlots::VlinkColor, GeneratorSlots::LinkColor}) {
            for (QChar c : working[s])
                FUZZ_CHECK(c > u' ' && c != u'"' && c != u'<' && c != u'>');
        }
        FUZZ_CHECK(!working[GeneratorSlots::Fonts].contains(u'"'));
    }
    return 0;
}
