#pragma once

#include <QString>
#include <QStringList>

namespace askbright {

// What dir_check leaves in place of a path that names nothing.
inline const QString missingPathMarker = QStringLiteral("nix");

// Replaces the path by "nix" when neither a folder nor a file of that name
// exists (an empty path names nothing); otherwise leaves it unchanged.
void dir_check(QString &path);

// The page projects of a folder: names (with extension, without folder) of
// the files ending in ".pdt" in any letter case, sorted by name.
QStringList pageProjectNames(const QString &folder);

} // namespace askbright
