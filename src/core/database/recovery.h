#pragma once

#include "database/faqrecord.h"

#include <QList>
#include <QString>

namespace askbright {

// Where unsaved records go when the program must end at once: a new file
// beside the database ("liste-recovery.faq", then "liste-recovery-2.faq", ...),
// or "unsaved-recovery.faq" in fallbackFolder for a database never saved.
// Never an existing file, never the database itself.
QString recoveryFilePath(const QString &databasePath, const QString &fallbackFolder);

// Writes records there; returns the path. Throws AppError.
QString writeRecoveryFile(const QString &databasePath, const QString &fallbackFolder,
                          const QList<FaqRecord> &records);

} // namespace askbright
