#pragma once

#include "app/language.h"

#include <QPlainTextEdit>
#include <functional>

class QLineEdit;

namespace askbright {

using LanguageOf = std::function<Language()>;

// Keeps out of a line field what the files cannot store: characters outside
// Windows-1252, and text beyond the longest a stored text may be (the readers
// refuse longer ones). A hint in the interface language says what was left
// out, so nothing typed is lost later without a word.
void guardStoredText(QLineEdit *field, LanguageOf language);

// A text field with the same guard. A text with a very long word wraps
// anywhere instead of at word boundaries: Qt lays out a word longer than a
// line in time quadratic in its length (a 1 MB word takes minutes).
class StoredTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    StoredTextEdit(LanguageOf language, QWidget *parent);

    // Shows text; the wrapping is chosen before the text is laid out.
    void setText(const QString &text);

protected:
    void insertFromMimeData(const QMimeData *source) override;

private:
    void wrapFor(const QString &text);
    void keepStorable();

    LanguageOf m_language;
};

} // namespace askbright
