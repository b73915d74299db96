#include "fonts/fontlist.h"

#include <QRegularExpression>
#include <algorithm>

namespace askbright {

int fontLoadingPercent(int index, int count)
{
    if (count <= 0)
        return 100;
    // In whole numbers, so that 29 of 100 shows 30 and not a rounding below.
    return int(std::min<qint64>(100, qint64(index) * 100 / count + 1));
}

QString familyWithoutFoundry(const QString &family)
{
    static const QRegularExpression foundryTag(QStringLiteral("\\s*\\[[^\\[\\]]*\\]$"));
    return QString(family).remove(foundryTag);
}

QStringList familiesWithoutFoundry(const QStringList &families)
{
    QStringList names;
    for (const QString &family : families) {
        const QString name = familyWithoutFoundry(family);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

void sortByCharacterCodes(QStringList &list, SortOrder order)
{
    // QString's operator< compares UTF-16 code units, not the locale's order.
    if (order == SortOrder::Ascending)
        std::stable_sort(list.begin(), list.end());
    else
        std::stable_sort(list.begin(), list.end(), std::greater<QString>());
}

} // namespace askbright
