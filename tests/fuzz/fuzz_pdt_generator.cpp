// A page project as the page generator reads and checks it.
#include "app/apperror.h"
#include "fuzzcheck.h"
#include "html/pageplan.h"

using namespace askbright;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ProjectLines lines(QByteArrayView(data, qsizetype(size)));
    for (const bool smallLinks : {true, false}) {
        PagePlan plan;
        try {
            plan = planPage(Language::German, lines, {.smallLinks = smallLinks});
        } catch (const AppError &) {
            continue;
        }
        if (plan.status != PageStatus::Ok) {
            FUZZ_CHECK(plan.message.has_value());
            continue;
        }
        const PageProject &p = plan.project;
        FUZZ_CHECK(p.keywords.size() <= ProjectLines::maxPageKeywords);
        FUZZ_CHECK(plan.pageFileName.endsWith(QLatin1String(".html")));
        // Colours stand unquoted in the body tag: nothing in them may end the value.
        for (const QString *color :
             {&p.textColor, &p.bgColor, &p.alinkColor, &p.vlinkColor, &p.linkColor}) {
            for (QChar c : *color)
                FUZZ_CHECK(c > u' ' && c != u'"' && c != u'<' && c != u'>');
        }
        FUZZ_CHECK(!fontFaces(p).contains(u'"'));
    }
    return 0;
}
