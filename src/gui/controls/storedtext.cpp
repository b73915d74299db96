#include "controls/storedtext.h"

#include "app/textcodec.h"
#include "database/faqrecord.h"

#include <QLineEdit>
#include <QMimeData>
#include <QTextBlock>
#include <QToolTip>

namespace askbright {

namespace {

QString withoutUnencodable(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text)
        if (isEncodable(c))
            kept.append(c);
    return kept;
}

// What a field may keep of text.
QString storable(const QString &text, bool &tooLong)
{
    QString kept = firstUnencodable(text) < 0 ? text : withoutUnencodable(text);
    tooLong = kept.size() > maxTextLength;
    if (tooLong)
        kept.truncate(maxTextLength);
    return kept;
}

void showHint(QWidget *field, Language language, bool tooLong)
{
    const QString hint =
        tooLong ? language
                      .pick(u"Ein Text darf höchstens %1 Zeichen enthalten; der Rest wurde "
                            u"nicht übernommen.",
                            u"A text may hold at most %1 characters; the rest was left out.")
                      .arg(maxTextLength)
                : language.pick(u"Dieses Zeichen kann in der Datei nicht gespeichert werden.",
                                u"This character cannot be stored in the file.");
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), hint, field);
}

bool hasLongWord(const QString &text)
{
    constexpr qsizetype longestWord = 1000;
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > longestWord)
            return true;
    }
    return false;
}

} // namespace

void guardStoredText(QLineEdit *field, LanguageOf language)
{
    // One more than a text may hold, so that a longer paste is noticed and told.
    field->setMaxLength(int(maxTextLength) + 1);
    QObject::connect(field, &QLineEdit::textChanged, field, [field, language](const QString &text) {
        bool tooLong = false;
        const QString kept = storable(text, tooLong);
        if (kept.size() == text.size())
            return;
        const int cursor = field->cursorPosition();
        field->setText(kept);
        field->setCursorPosition(qMax(0, cursor - int(text.size() - kept.size())));
        showHint(field, language(), tooLong);
    });
}

StoredTextEdit::StoredTextEdit(LanguageOf language, QWidget *parent)
    : QPlainTextEdit(parent), m_language(std::move(language))
{
    connect(this, &QPlainTextEdit::textChanged, this, &StoredTextEdit::keepStorable);
}

void StoredTextEdit::setText(const QString &text)
{
    wrapFor(text);
    setPlainText(text);
}

void StoredTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText())
        wrapFor(toPlainText() + source->text());
    QPlainTextEdit::insertFromMimeData(source);
}

void StoredTextEdit::wrapFor(const QString &text)
{
    setWordWrapMode(hasLongWord(text) ? QTextOption::WrapAnywhere
                                      : QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void StoredTextEdit::keepStorable()
{
    const QString text = toPlainText();
    bool tooLong = false;
    const QString kept = storable(text, tooLong);
    if (kept.size() == text.size())
        return;
    QTextCursor cursor = textCursor();
    const int position = cursor.position() - int(text.size() - kept.size());
    // Replace through the cursor so that undo keeps working.
    cursor.select(QTextCursor::Document);
    cursor.insertText(kept);
    cursor.setPosition(qBound(0, position, int(kept.size())));
    setTextCursor(cursor);
    showHint(this, m_language(), tooLong);
}

} // namespace askbright
