#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>

namespace testutil {

// The controls of a window whose caption is wider than the control, so
// that part of it would be cut off.
inline QStringList cutOffCaptions(const QWidget *window)
{
    QStringList cut;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        QString text;
        int room = w->width();
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            if (label->wordWrap() || label->pixmap().isNull() == false)
                continue;
            text = label->text();
            room -= 2 * label->margin();
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
            text = button->text();
            // Check boxes and option buttons need room for their indicator.
            room -= qobject_cast<const QCheckBox *>(w) || qobject_cast<const QRadioButton *>(w) ? 22
                                                                                                : 8;
        }
        text.remove(QLatin1Char('&'));
        int widest = 0;
        for (const QString &line : text.split(QLatin1Char('\n')))
            widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
        if (!text.isEmpty() && widest > room)
            cut << QStringLiteral("%1 \"%2\" %3>%4")
                       .arg(w->objectName(), text)
                       .arg(widest)
                       .arg(room);
    }
    return cut;
}

} // namespace testutil
