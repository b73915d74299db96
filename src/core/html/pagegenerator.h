#pragma once

#include "app/clock.h"
#include "app/filesaver.h"
#include "app/language.h"
#include "app/messages.h"
#include "database/faqdatabase.h"
#include "html/pageplan.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace askbright {

// The page a plan describes, classic or modern as the options choose, in the
// words of variant: handed to write in pieces, never held whole, or returned.
// Throws AppError (a character the classic page's code page lacks, a failing
// record source).
void writePage(Language variant, const PagePlan &plan, const PageRequest &request,
               const RecordSource &records, QDate today, const PieceWriter &write);
QByteArray composePage(Language variant, const PagePlan &plan, const PageRequest &request,
                       const RecordSource &records, QDate today);

// Reads the project at the request's path, plans the page and checks the
// files it will write: the background picture must be a picture file of the
// type its name says, and neither it nor the page may lead out of the output
// folder through a link. Gives up with a message like planPage; throws
// AppError for a run-time error. Nothing is written.
PagePlan preparePage(Language variant, const PageRequest &request);

struct PageResult {
    PageStatus status = PageStatus::Failed;
    QString pageFileName; // once the plan is accepted
    QString pagePath;     // output folder + page file name
    // What the export dialog's upload hint names: the picture's lower-case
    // name beside the page when it is used, else line 8 as read.
    QString noticePicture;
};

// Prepares the page, places the background picture beside it under its
// lower-case name and writes the page. The page is written completely or not
// at all: after "raus" or "fehler" an existing page is as it was and no new
// file is left behind. Every message of the run goes to sink.
PageResult generatePage(Language variant, const PageRequest &request, const RecordSource &records,
                        const Clock &clock, MessageSink &sink);
PageResult generatePage(Language variant, const PageRequest &request, const FaqDatabase &database,
                        const Clock &clock, MessageSink &sink);

} // namespace askbright
