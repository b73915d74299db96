#pragma once

#include "database/faqrecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace askbright {

// The .faq file: " N " and then six lines per record (four quoted texts, the
// flag " 0 "/" 1 ", the unquoted 10-character date), Windows-1252, CR LF.

// 2000 records with very long answers still fit; a file beyond this is not a
// database, nor a file of records to import.
inline constexpr qint64 maxFaqFileBytes = 256 * 1024 * 1024;

// Reads a whole file; throws AppError (53 missing, 62 fewer records than
// announced, 13 a count or flag that is not a number, 6 a number beyond 16
// bits, 9 a count outside 0..2000, 7 a text longer than maxTextLength, named
// by record and field in both languages). Nothing is returned unless all was
// read.
// A double quote inside an unquoted text field comes back as the substitute.
QList<FaqRecord> faq_einlesen(const QString &path);
QList<FaqRecord> parseFaq(QByteArrayView bytes);
// The same, one record at a time, never holding them all: visit gets each
// record as it is read; a fault throws after the records before it.
void forEachFaqRecord(const QString &path, const std::function<void(const FaqRecord &)> &visit);

// Writes records through the save helper; the old file survives any failure.
// A text longer than maxTextLength is refused as the reader refuses it.
// Whatever parseFaq accepted is written so that it reads back the same: a
// date that would not survive unquoted (a comma, a line break, a leading
// blank or quote) is written in quotes.
void faq_speichern(const QString &path, const QList<FaqRecord> &records);
QByteArray formatFaq(const QList<FaqRecord> &records);

} // namespace askbright
