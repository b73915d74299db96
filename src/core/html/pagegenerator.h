#pragma once

#include "app/clock.h"
#include "app/filesaver.h"
#include "app/language.h"
#include "app/messages.h"
#include "database/faqdatabase.h"
#include "html/exportoptions.h"
#include "project/projectlines.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace askbright {

// The generator's result as the export dialog sees it.
enum class PageStatus {
    Ok,     // "ok": the page was written completely
    Fehler, // "fehler": a run-time error ended the run; nothing was written
    Raus,   // "raus": given up (not a project file, picture missing); nothing was written
};
QString pageStatusText(PageStatus status);

// A project line the generator will not write: the page file name must be a
// plain name, values written into attributes must not end them, and the
// title and text sizes must be numbers of points.
struct RefusedLine {
    enum Reason { NotPlainFileName, EndsAttribute, NotASize };
    int line = 0;
    Reason reason = EndsAttribute;
    QString value;

    bool operator==(const RefusedLine &) const = default;
};

// The working table the generator fills from a page project: slot 0 the link
// span, slots 1..19 lines 2..20 after conversion, slots 20..50 the keywords.
struct GeneratorSlots {
    enum Slot {
        LinkSpan = 0,
        Title,
        TextColor,
        BgColor,
        AlinkColor,
        VlinkColor,
        LinkColor,
        Picture,
        PictureOn,
        FileName,
        Author,
        Description,
        TitleAlign,
        Bold,
        Italic,
        Fonts,
        TitleSpan,
        TextSpan,
        FaqAlign,
        KeywordCount,
        FirstKeyword
    };
    static constexpr int slotCount = 51;
    static constexpr int maxKeywords = slotCount - FirstKeyword;
    static_assert(maxKeywords == ProjectLines::maxKeywords);

    std::array<QString, slotCount> table;
    int keywordCount = 0;
    QString backgroundPicturePath; // line 8 as read, before slot 7 becomes a file name
    QString titleSize;             // points as text, after the "+" replacement
    QString textSize;
    // The first project line whose value cannot go into the page as it is.
    std::optional<RefusedLine> refused;

    const QString &operator[](Slot s) const { return table[s]; }
    QString &operator[](Slot s) { return table[s]; }
};

// Reads a project into the working table: "+" sizes become "14" and "10",
// unknown alignments "LEFT", the link size follows linkSize; a value the page
// cannot take is noted in refused (the first one only). Returns false
// when the first line is not the project marker; throws AppError for a file
// that cannot be read, more than 31 keywords or a count or text size that is
// not a number.
bool readGeneratorSlots(const QString &projectPath, const QString &linkSize, GeneratorSlots &out);
bool generatorSlotsFromLines(const ProjectLines &lines, const QString &linkSize,
                             GeneratorSlots &out);

struct PageRequest {
    QString projectPath;  // templates folder + page name
    QString outputFolder; // HtmlOutputFolder, ending with a separator
    ExportOptions options;
    QString contactAddress; // empty: no contact block
};

struct PageResult {
    PageStatus status = PageStatus::Fehler;
    QString pageFileName;          // slot 9: file name + ".html", once the project was read
    QString pictureSlot;           // slot 7: the lower-case picture name when used
    QString backgroundPicturePath; // line 8 as read
    QString pagePath;              // output folder + page file name
};

// The records of a page: visit is called with each record in order. A page
// asks for them as often as it needs them, so they need not be held at all
// (a database read from its file while the page is written); a source may
// throw AppError.
using RecordVisitor = std::function<void(const FaqRecord &)>;
using RecordSource = std::function<void(const RecordVisitor &visit)>;
RecordSource recordsOf(const FaqDatabase &database);

// The complete page, in Windows-1252, for already read slots (no file
// access); throws AppError for a character the code page lacks.
QByteArray composePage(Language variant, const GeneratorSlots &working, bool withBackground,
                       const PageRequest &request, const RecordSource &records, QDate today);

// The same page handed to write in pieces, never held whole.
void writePageInPieces(Language variant, const GeneratorSlots &working, bool withBackground,
                       const PageRequest &request, const RecordSource &records, QDate today,
                       const PieceWriter &write);

// The same page as a modern HTML5 document (see modernpage.h) when the
// options ask for it, else the classic page; handed to write, or returned.
void writeChosenPage(Language variant, const GeneratorSlots &working, bool withBackground,
                     const PageRequest &request, const RecordSource &records, QDate today,
                     const PieceWriter &write);
QByteArray composeChosenPage(Language variant, const GeneratorSlots &working, bool withBackground,
                             const PageRequest &request, const RecordSource &records, QDate today);

// What a run will write, settled before anything is written.
struct PagePlan {
    PageStatus status = PageStatus::Ok; // Raus: given up, message tells why
    std::optional<Message> message;
    GeneratorSlots working;
    bool withBackground = false;
};

// Reads the slots from lines and checks them, the page file name and the
// background picture; fills result's names and paths. Throws AppError for a
// run-time error. No file is written.
PagePlan planPage(Language variant, const ProjectLines &lines, const PageRequest &request,
                  PageResult &result);

// Reads the project, checks and copies the background picture and writes the
// page. The page is written completely or not at all: after "raus" or
// "fehler" an existing page is as it was and no new file is left behind.
// Every message of the run goes to sink.
PageResult generatePage(Language variant, const PageRequest &request, const RecordSource &records,
                        const Clock &clock, MessageSink &sink);
PageResult generatePage(Language variant, const PageRequest &request, const FaqDatabase &database,
                        const Clock &clock, MessageSink &sink);
PageResult generieren_deutsch(const PageRequest &request, const FaqDatabase &database,
                              const Clock &clock, MessageSink &sink);
PageResult generieren_englisch(const PageRequest &request, const FaqDatabase &database,
                               const Clock &clock, MessageSink &sink);

} // namespace askbright
