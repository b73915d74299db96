#pragma once

#include <QByteArray>
#include <QString>

namespace askbright {

// The one way the program writes a file: the new content goes to a temporary
// file beside the target, which replaces the target only when everything was
// written. On any failure an AppError is thrown and the old file is untouched.
void saveFile(const QString &path, const QByteArray &content);

// Convenience for the text formats: Windows-1252 bytes of text.
void saveTextFile(const QString &path, const QString &text);

} // namespace askbright
