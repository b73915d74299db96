#include "app/paths.h"

#include <QDir>
#include <QFileInfo>

namespace askbright {

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
}

QString withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || isSeparator(folder.back()))
        return folder;
    return folder + QDir::separator();
}

QString folderOf(const QString &filePath)
{
    return filePath.left(lastSeparator(filePath) + 1);
}

QString fileNameOf(const QString &filePath)
{
    return filePath.mid(lastSeparator(filePath) + 1);
}

QString localPath(const QString &path)
{
#ifdef Q_OS_WIN
    return path;
#else
    QString local = path;
    local.replace(u'\\', u'/');
    return local;
#endif
}

QString findFileAnyCase(const QString &folder, const QString &name)
{
    const QDir dir(localPath(folder));
    if (folder.isEmpty() || !dir.exists())
        return {};
    if (QFileInfo(dir.filePath(name)).isFile())
        return withTrailingSeparator(folder) + name;
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &candidate : files)
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return withTrailingSeparator(folder) + candidate;
    return {};
}

} // namespace askbright
