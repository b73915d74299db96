#include "html/templatefolders.h"

#include "app/paths.h"

#include <QDir>
#include <QFileInfo>

namespace askbright {

namespace {

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

QString longfix(const QString &path, int maximum)
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

void dir_check(QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(localPath(path)))
        path = missingPathMarker;
}

QStringList pageProjectNames(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    QDir dir(localPath(folder));
    QStringList names;
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : files) {
        if (name.endsWith(QStringLiteral(".pdt"), Qt::CaseInsensitive))
            names << name;
    }
    return names;
}

} // namespace askbright
