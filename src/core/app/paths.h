#pragma once

#include <QString>

namespace askbright {

// Paths as users type and files store them: "\" and "/" both separate, so
// paths written on Windows keep working here.
bool isSeparator(QChar c);
// Index of the last separator, or -1.
qsizetype lastSeparator(const QString &path);

// A folder path with a trailing native separator ("" stays "").
QString withTrailingSeparator(const QString &folder);
// The folder part of a file path, up to and including its last separator.
QString folderOf(const QString &filePath);
// The part of a path after its last separator.
QString fileNameOf(const QString &filePath);

// A path as the file system here takes it: backslashes are separators too.
QString localPath(const QString &path);

// The file in folder whose name is name in any case ("WHATS_NEW.PDF" for
// "whats_new.pdf"), or "" when there is none.
QString findFileAnyCase(const QString &folder, const QString &name);

} // namespace askbright
