#pragma once

#include "database/faqrecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace askbright {

// The .faq file: " N " and then six lines per record (four quoted texts, the
// flag " 0 "/" 1 ", the unquoted 10-character date), Windows-1252, CR LF.

// Reads a whole file; throws AppError (53 missing, 62 fewer records than
// announced, 13 a count or flag that is not a number, 6 a number beyond 16
// bits, 9 a count outside 0..2000). Nothing is returned unless all was read.
QList<FaqRecord> faq_einlesen(const QString &path);
QList<FaqRecord> parseFaq(QByteArrayView bytes);

// Writes records through the save helper; the old file survives any failure.
void faq_speichern(const QString &path, const QList<FaqRecord> &records);
QByteArray formatFaq(const QList<FaqRecord> &records);

} // namespace askbright
