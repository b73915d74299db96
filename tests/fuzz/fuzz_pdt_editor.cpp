// A page project as the layout editor reads it.
#include "app/apperror.h"
#include "app/textcodec.h"
#include "fuzzcheck.h"
#include "project/projectfile.h"

using namespace askbright;

namespace {

struct SilentSink : MessageSink {
    int showMessage(const Message &) override { return AnswerOk; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ProjectLines lines(QByteArrayView(data, qsizetype(size)));
    PageProject project;
    SilentSink sink;
    const ProjectReadOutcome outcome = readProjectForEditor(lines, project, Language::German, sink);
    // Every keyword the file announces and holds, beyond the page's 31 too.
    FUZZ_CHECK(project.keywords.size() <= lines.keywordsToRead());
    if (outcome != ProjectReadOutcome::Read)
        return 0;
    // What the editor read, it can write, and the editor reads that back the same.
    const QString text = formatPageProject(project, {});
    PageProject again;
    QByteArray bytes;
    try {
        bytes = encodeCp1252(text);
    } catch (const AppError &) {
        FUZZ_CHECK(!"a project read from a file must be writable");
    }
    FUZZ_CHECK(readProjectForEditor(ProjectLines(bytes), again, Language::German, sink) ==
               ProjectReadOutcome::Read);
    FUZZ_CHECK(formatPageProject(again, {}) == text);
    return 0;
}
