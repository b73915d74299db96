#pragma once

#include "appearance/colorscheme.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace askbright {

// The default scheme delivered in the program folder.
inline const QString standardSchemeName = QStringLiteral("standard.sch");
// Only the first four numbers of a scheme file are read; they always fit in
// this much, so a larger file is never read further.
inline constexpr qint64 maxSchemeFileBytes = 64 * 1024;

// The .sch file: four lines, one colour each in entry order, written as a
// print statement writes numbers (" 16777215 ", "-1 ") and ended by CR LF.

// The first four numbers of bytes, each ended by a blank, a comma or a line
// end; blank lines and surrounding blanks are skipped and nothing after the
// fourth number is looked at. truncated tells that bytes are only the
// beginning of a longer file. The scheme is taken whole or not at all: throws
// AppError 62 for fewer than four numbers, 13 for a word or an empty entry
// where a number belongs, 6 for a number beyond 32 bits, 7 for a truncated
// beginning that does not hold four numbers.
ColorScheme parseScheme(QByteArrayView bytes, bool truncated = false);
// Reads the scheme file at path (\ and / both separate); throws AppError
// (53 for a missing file, 52 for a folder, a pipe or a device, otherwise as
// parseScheme).
ColorScheme readSchemeFile(const QString &path);

QByteArray formatScheme(const ColorScheme &scheme);
// Writes through the save helper: on failure AppError, the old file stays.
void saveSchemeFile(const QString &path, const ColorScheme &scheme);

// A file counts as a scheme only when its name ends in "sch", exactly so.
bool isSchemeFileName(const QString &name);
// Whether path names an existing file that counts as a scheme: the test
// before a window reads and applies the scheme.
bool isUsableScheme(const QString &path);

// The scheme path the program starts with: the remembered one, or the
// program folder's standard scheme when none is remembered or its file is
// gone. programFolder ends with a separator.
QString startupSchemePath(const QString &schemeFilePath, const QString &programFolder);

// skin_einlesen: the scheme at path becomes both the current and the saved
// colours. On any failure AppError is thrown and neither changes.
void skin_einlesen(const QString &path, ColorScheme &currentColors, ColorScheme &savedColors);

// The scheme editor's save and load commands on the chosen path. Only a
// completed write or read remembers the path in schemeFilePath and updates
// the colours (save: savedColors := currentColors; load: both := the file);
// a failure throws AppError and leaves path and colours as they were.
void saveScheme(const QString &chosenPath, const ColorScheme &currentColors,
                ColorScheme &savedColors, QString &schemeFilePath);
void loadScheme(const QString &chosenPath, ColorScheme &currentColors, ColorScheme &savedColors,
                QString &schemeFilePath);

} // namespace askbright
