#include "controls/pathlabel.h"

#include <QPainter>
#include <QStyle>

namespace askbright {

PathLabel::PathLabel(QWidget *parent) : QLabel(parent)
{
    // Paths are shown as they are, never as markup.
    setTextFormat(Qt::PlainText);
}

void PathLabel::setPath(const QString &path)
{
    setText(path);
    setToolTip(path);
}

QString PathLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

void PathLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(),
                          QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

} // namespace askbright
