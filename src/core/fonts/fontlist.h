#pragma once

#include <QStringList>

namespace askbright {

// The progress shown while the installed fonts are collected, after font
// index (0 for the first) of count: the integer part of index / count * 100
// + 1, at most 100.
int fontLoadingPercent(int index, int count);

// A font family as users know it: without the foundry tag that the font
// system adds where two foundries offer the same family ("P052 [urw]" ->
// "P052").
QString familyWithoutFoundry(const QString &family);
// The families without foundry tags, each once, in their first order.
QStringList familiesWithoutFoundry(const QStringList &families);

enum class SortOrder { Ascending, Descending };

// Sorts list in place by exact character codes (capitals before small
// letters), not by the dictionary.
void sortByCharacterCodes(QStringList &list, SortOrder order);

} // namespace askbright
