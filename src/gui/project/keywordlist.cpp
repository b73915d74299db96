#include "project/keywordlist.h"

#include "project/projectfile.h"

#include <QKeyEvent>

namespace askbright {

KeywordList::KeywordList(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

QStringList KeywordList::keywords() const
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    return items;
}

void KeywordList::setKeywords(const QStringList &keywords, bool firstInField)
{
    clear();
    addItems(keywords);
    setCurrentIndex(firstInField && !keywords.isEmpty() ? 0 : -1);
}

void KeywordList::removeDuplicates()
{
    const QStringList items = keywords();
    QStringList unique = items;
    removeDuplicateKeywords(unique);
    if (unique.size() == items.size())
        return;
    const QString text = currentText();
    const QSignalBlocker quiet(this);
    clear();
    addItems(unique);
    setEditText(text);
}

void KeywordList::removeEqualTo(const QString &text)
{
    const QSignalBlocker quiet(this);
    for (int i = count() - 1; i >= 0; --i)
        if (itemText(i) == text)
            removeItem(i);
    setEditText(text);
}

void KeywordList::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Taken here, so that Enter never reaches a button of the window.
        event->accept();
        if (count() < maxKeywords) {
            addItem(currentText());
            setEditText(QString());
        }
        return;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Clear:
        removeEqualTo(currentText());
        break;
    default:
        break;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace askbright
