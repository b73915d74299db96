#include "app/paths.h"

#include <QDir>

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

} // namespace askbright
