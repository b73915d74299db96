// The page generator end to end in memory. The input is a flags byte, the
// page project, and after a line "--faq--" the database; after a line
// "--contact--" the contact address.
#include "app/apperror.h"
#include "app/paths.h"
#include "database/faqfile.h"
#include "fuzzcheck.h"
#include "html/pagegenerator.h"

using namespace askbright;

namespace {

QByteArrayView cutAt(QByteArrayView &rest, const char *marker)
{
    const qsizetype at = rest.indexOf(QByteArrayView(marker));
    if (at < 0) {
        const QByteArrayView all = rest;
        rest = {};
        return all;
    }
    const QByteArrayView head = rest.first(at);
    rest = rest.sliced(at + qsizetype(std::strlen(marker)));
    return head;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t flags = data[0];
    QByteArrayView rest(data + 1, qsizetype(size - 1));
    const QByteArrayView project = cutAt(rest, "\n--faq--\n");
    const QByteArrayView faq = cutAt(rest, "\n--contact--\n");

    PageRequest request;
    request.projectPath = QStringLiteral("/templates/seite.pdt");
    request.outputFolder = QStringLiteral("/output/");
    request.contactAddress = QString::fromLatin1(rest);
    request.options.formatParagraphs = flags & 1;
    request.options.answerLayout =
        (flags & 2) ? AnswerLayout::WithQuestions : AnswerLayout::AnswersOnly;
    request.options.smallLinks = flags & 4;
    request.options.preformattedAnswers = flags & 8;
    const Language variant = (flags & 16) ? Language::German : Language::English;

    FaqDatabase database;
    try {
        database.replaceRecords(parseFaq(faq));
    } catch (const AppError &) {
    }
    PagePlan plan;
    QByteArray page;
    try {
        plan = planPage(variant, ProjectLines(project), request.options);
        if (plan.status != PageStatus::Ok) {
            FUZZ_CHECK(plan.message.has_value());
            return 0;
        }
        page = composePage(variant, plan, request, recordsOf(database), QDate(2026, 12, 6));
    } catch (const AppError &) {
        return 0;
    }
    // An accepted run gives a complete page, and the page stays in the output folder.
    FUZZ_CHECK(page.startsWith("<html>\r\n<head>\r\n"));
    FUZZ_CHECK(page.endsWith("</body></html>\r\n"));
    FUZZ_CHECK(page.count("<LI><a name=\"frage") == database.recordCount());
    const QString &name = plan.pageFileName;
    FUZZ_CHECK(name.size() > 5);
    FUZZ_CHECK(lastSeparator(name) < 0 && name != QLatin1String("...html"));
    for (QChar c : name)
        FUZZ_CHECK(c.unicode() >= 0x20);
    return 0;
}
