#pragma once

#include "app/language.h"
#include "app/messages.h"
#include "database/faqdatabase.h"
#include "html/exportoptions.h"
#include "project/projectfile.h"

#include <QString>
#include <functional>
#include <optional>

namespace askbright {

// The generator's result as the export dialog sees it.
enum class PageStatus {
    Ok,      // "ok": the page was written completely
    Failed,  // "fehler": a run-time error ended the run; nothing was written
    GivenUp, // "raus": given up (not a project file, picture missing); nothing was written
};

struct PageRequest {
    QString projectPath;  // templates folder + page name, as the file system takes it
    QString outputFolder; // ending with a separator, as the file system takes it
    ExportOptions options;
    QString contactAddress; // empty: no contact block
};

// What a page will be made of, settled from the project's lines and the
// options alone.
struct PagePlan {
    PageStatus status = PageStatus::Ok; // GivenUp: the message tells why
    std::optional<Message> message;
    PageProject project;  // the generator's reading
    QString pageFileName; // the project's file name + ".html"
    bool withBackground = false;
    QString pictureFileName; // the background picture's lower-case name beside the page
    QString linkSize;        // points of the links' text
};

// Reads the project and checks every value the page will hold; gives up with
// a message for the first line it refuses. No file is touched. Throws
// AppError for a run-time error (see readProjectForPage).
PagePlan planPage(Language variant, const ProjectLines &lines, const ExportOptions &options);

// The font list of the page: the project's font, then Arial and Helvetica.
QString fontFaces(const PageProject &project);

// The records of a page: visit is called with each record in order. A page
// asks for them as often as it needs them, so they need not be held at all
// (a database read from its file while the page is written); a source may
// throw AppError.
using RecordVisitor = std::function<void(const FaqRecord &)>;
using RecordSource = std::function<void(const RecordVisitor &visit)>;
RecordSource recordsOf(const FaqDatabase &database);

} // namespace askbright
