#include "controls/cp1252guard.h"

#include "app/textcodec.h"

#include <QLineEdit>
#include <QPlainTextEdit>
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

void showHint(QWidget *field, const HintText &hint)
{
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), hint(), field);
}

} // namespace

void guardCp1252(QLineEdit *field, HintText hint)
{
    QObject::connect(field, &QLineEdit::textChanged, field, [field, hint](const QString &text) {
        if (firstUnencodable(text) < 0)
            return;
        const int cursor = field->cursorPosition();
        const QString kept = withoutUnencodable(text);
        field->setText(kept);
        field->setCursorPosition(qMax(0, cursor - int(text.size() - kept.size())));
        showHint(field, hint);
    });
}

void guardCp1252(QPlainTextEdit *field, HintText hint)
{
    QObject::connect(field, &QPlainTextEdit::textChanged, field, [field, hint] {
        const QString text = field->toPlainText();
        if (firstUnencodable(text) < 0)
            return;
        const QString kept = withoutUnencodable(text);
        QTextCursor cursor = field->textCursor();
        const int position = cursor.position() - int(text.size() - kept.size());
        // Replace through the cursor so that undo keeps working.
        cursor.select(QTextCursor::Document);
        cursor.insertText(kept);
        cursor.setPosition(qBound(0, position, int(kept.size())));
        field->setTextCursor(cursor);
        showHint(field, hint);
    });
}

} // namespace askbright
