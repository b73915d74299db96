#pragma once

#include <QString>
#include <QStringList>

namespace askbright {

// The recent-files list: one .faq path per line, oldest first, at most 8.
inline constexpr int maxRecentFiles = 8;
inline const QString recentFilesName = QStringLiteral("dateiliste.lis");

// First start: creates the list holding one empty line when it is missing.
void createRecentFilesIfMissing(const QString &listPath);

// The non-empty entries of the list file; no file gives an empty list.
// A file of more than 8 lines throws error 9 and changes nothing.
QStringList readRecentFiles(const QString &listPath);
// The same for the file's text; listPath only names the file in messages.
QStringList parseRecentFiles(const QString &text, const QString &listPath);

// Rebuilds the list: entries whose file is gone drop out, the open file is
// added unless listed (the oldest drops out beyond 8), and the file is
// rewritten when its entries changed. Returns the new entries.
QStringList updateRecentFiles(const QString &listPath, const QString &openFilePath);

// Deletes the list file.
void clearRecentFiles(const QString &listPath);

// Shortens a path for a menu entry: head, "...", tail. The head is the drive
// ("C:\"), the UNC server ("\\server\") or the root "/"; the tail starts at a
// separator when one lies in the last maximum - 6 characters. Paths of at
// most maximum characters come back unchanged. Accepts \ and / alike.
QString shortenedPath(const QString &path, int maximum);

} // namespace askbright
