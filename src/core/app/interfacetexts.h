#pragma once

#include "app/language.h"

#include <QString>

namespace askbright {

// The interface text table: German texts at ids 1000.., their English
// partners at id + 1000; 3000/4000 likewise; 4001..4010 are German/English
// pairs with the German text at the odd id.
// A missing id throws AppError 326 (resource not found).
QString interfaceText(int id);

// The id of a caption in the given language, from its German id.
int captionId(int germanId, Language language);
// interfaceText(captionId(germanId, language)).
QString caption(int germanId, Language language);

} // namespace askbright
