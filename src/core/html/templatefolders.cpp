#include "html/templatefolders.h"

#include "app/paths.h"

#include <QDir>
#include <QFileInfo>

namespace askbright {

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
