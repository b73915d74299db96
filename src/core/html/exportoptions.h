#pragma once

#include "app/language.h"

#include <optional>

namespace askbright {

enum class AnswerLayout {
    WithQuestions, // each answer under its question once more
    AnswersOnly,
};

// The export dialog's options as the page generator reads them; every opening
// of the dialog starts again from these values.
struct ExportOptions {
    bool formatParagraphs = true; // line breaks of questions and answers become <br>
    AnswerLayout answerLayout = AnswerLayout::WithQuestions;
    bool smallLinks = true;           // links 2 points smaller than the text
    bool preformattedAnswers = false; // answers wrapped in <pre>
    bool useContactAddress = true;    // a contact block when an address is known
    bool modernPage = false;          // an HTML5 page instead of the classic one
    // The language of the modern page's words; unset: the interface language.
    std::optional<Language> pageLanguage = std::nullopt;

    bool operator==(const ExportOptions &) const = default;
};

} // namespace askbright
