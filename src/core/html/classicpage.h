#pragma once

#include "app/filesaver.h"
#include "html/pageplan.h"

#include <QDate>

namespace askbright {

// The classic FAQ page in Windows-1252, in the words of variant: the
// questions as a numbered list of links to the answers, the contact link,
// the answers with links back, the footer. Handed to write in pieces; throws
// AppError for a character the code page lacks.
void writeClassicPage(Language variant, const PagePlan &plan, const PageRequest &request,
                      const RecordSource &records, QDate today, const PieceWriter &write);

} // namespace askbright
