#pragma once

#include "app/language.h"
#include "html/exportoptions.h"

#include <QPixmap>

namespace askbright {

// A miniature of the generated page in one answer layout, with the headings
// and links of the page's language, for the export dialog's layout choice.
QPixmap layoutPicture(AnswerLayout layout, Language language);

} // namespace askbright
