#pragma once

#include "app/language.h"

#include <QString>
#include <optional>

namespace askbright {

inline const QString linkSizeSmall = QStringLiteral("klein");
inline const QString linkSizeLarge = QStringLiteral("groß");

// The export dialog's options as the page generator reads them; every opening
// of the dialog starts again from these values.
struct ExportOptions {
    int paragraphFormatting = 1;      // 1: line breaks of questions and answers become <br>
    int answerLayout = 1;             // 1: questions repeated before the answers, 2: answers only
    QString linkSize = linkSizeSmall; // "klein": links 2 points smaller than the text
    int preformattedAnswers = 0;      // 1: answers wrapped in <pre>
    int useContactAddress = 1;        // 1: contact block when an address is known
    bool modernPage = false;          // an HTML5 page instead of the classic one
    // The language of the modern page's words; unset: the interface language.
    std::optional<Language> pageLanguage = std::nullopt;

    bool operator==(const ExportOptions &) const = default;
};

} // namespace askbright
