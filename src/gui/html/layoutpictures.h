#pragma once

#include "app/language.h"

#include <QPixmap>

namespace askbright {

// A miniature of the generated page in one answer layout (1: questions
// repeated before the answers, 2: answers only), with the headings and links
// of the page's language, for the export dialog's layout choice.
QPixmap layoutPicture(int answerLayout, Language language);

} // namespace askbright
