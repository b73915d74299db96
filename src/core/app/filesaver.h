#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace askbright {

// The one way the program writes a file: the new content goes to a temporary
// file beside the target, which replaces the target only when everything was
// written. On any failure an AppError is thrown and the old file is untouched.
// A path that names something other than a regular file (a folder, a named
// pipe, a device, a link to nothing or a link loop) is refused with error 75
// before anything is written; a link to a regular file writes that file.
void saveFile(const QString &path, const QByteArray &content);

// The same for content too large to hold whole: produce hands it over piece by
// piece through the writer it receives. An exception from produce leaves the
// old file untouched too.
using PieceWriter = std::function<void(QByteArrayView piece)>;
void saveFileInPieces(const QString &path, const std::function<void(const PieceWriter &)> &produce);

// Convenience for the text formats: Windows-1252 bytes of text.
void saveTextFile(const QString &path, const QString &text);

} // namespace askbright
