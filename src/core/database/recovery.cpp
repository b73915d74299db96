#include "database/recovery.h"

#include "app/paths.h"
#include "database/faqfile.h"

#include <QFileInfo>

namespace askbright {

QString recoveryFilePath(const QString &databasePath, const QString &fallbackFolder)
{
    QString stem;
    if (databasePath.isEmpty()) {
        stem = withTrailingSeparator(fallbackFolder) + QStringLiteral("unsaved");
    } else {
        stem = databasePath;
        const QString name = fileNameOf(databasePath);
        if (name.endsWith(QLatin1String(".faq"), Qt::CaseInsensitive))
            stem.chop(4);
    }
    QString path = stem + QStringLiteral("-recovery.faq");
    for (int n = 2; QFileInfo::exists(localPath(path)); ++n)
        path = stem + QStringLiteral("-recovery-%1.faq").arg(n);
    return path;
}

QString writeRecoveryFile(const QString &databasePath, const QString &fallbackFolder,
                          const QList<FaqRecord> &records)
{
    const QString path = recoveryFilePath(databasePath, fallbackFolder);
    faq_speichern(localPath(path), records);
    return path;
}

} // namespace askbright
