#include "settings/recentfiles.h"

#include "app/apperror.h"
#include "app/boundedread.h"
#include "app/filesaver.h"
#include "app/paths.h"
#include "app/textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace askbright {

namespace {

constexpr qint64 maxRecentFilesBytes = 64 * 1024;

QString formatList(const QStringList &entries)
{
    QString text;
    for (const QString &entry : entries)
        text += entry + QLatin1String(crlf);
    return text;
}

QString headOf(const QString &path)
{
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        for (qsizetype i = 2; i < path.size(); ++i) {
            if (isSeparator(path[i]))
                return path.left(i + 1);
        }
        return path;
    }
    if (path.startsWith(u'/'))
        return QStringLiteral("/");
    return path.left(3);
}

} // namespace

void createRecentFilesIfMissing(const QString &listPath)
{
    if (!QFileInfo::exists(listPath))
        saveTextFile(listPath, QLatin1String(crlf));
}

QStringList readRecentFiles(const QString &listPath)
{
    if (!QFileInfo::exists(listPath))
        return {};
    return parseRecentFiles(decodeCp1252(readFileBytes(listPath, maxRecentFilesBytes)), listPath);
}

QStringList parseRecentFiles(const QString &text, const QString &listPath)
{
    LineReader in(text);
    QStringList entries;
    int lines = 0;
    while (!in.atEnd()) {
        if (++lines > maxRecentFiles)
            throw AppError(AppError::SubscriptOutOfRange,
                           QStringLiteral("Subscript out of range: %1 holds more than %2 lines")
                               .arg(listPath)
                               .arg(maxRecentFiles));
        const QString entry = trimBlanks(in.next());
        if (!entry.isEmpty())
            entries << entry;
    }
    return entries;
}

QStringList updateRecentFiles(const QString &listPath, const QString &openFilePath)
{
    const QStringList stored = readRecentFiles(listPath);
    QStringList entries;
    for (const QString &entry : stored) {
        if (QFileInfo(entry).isFile())
            entries << entry;
    }
    if (!openFilePath.isEmpty() && !entries.contains(openFilePath)) {
        if (entries.size() == maxRecentFiles)
            entries.removeFirst();
        entries << openFilePath;
    }
    if (entries != stored)
        saveTextFile(listPath, formatList(entries));
    return entries;
}

void clearRecentFiles(const QString &listPath)
{
    QFile file(listPath);
    errno = 0;
    if (file.exists() && !file.remove())
        throw AppError::fromFile(file, errno);
}

QString shortenedPath(const QString &path, int maximum)
{
    if (path.size() <= maximum)
        return path;
    const qsizetype tailLength = std::max(maximum - 6, 0);
    // The first separator at 1-based position len - tailLength or later.
    for (qsizetype i = std::max<qsizetype>(path.size() - tailLength - 1, 0); i < path.size(); ++i) {
        if (isSeparator(path[i]))
            return headOf(path) + QStringLiteral("...") + path.mid(i);
    }
    return headOf(path) + QStringLiteral("...") + path.right(tailLength);
}

} // namespace askbright
