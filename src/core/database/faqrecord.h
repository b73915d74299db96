#pragma once

#include "app/language.h"

#include <QDate>
#include <QString>

namespace askbright {

inline constexpr int createdDateLength = 10;
// The longest text a record holds, in characters: far beyond any real FAQ,
// and short enough for the window to show it at once.
inline constexpr qsizetype maxTextLength = 1024 * 1024;

// The six fields of a record, in file order.
enum class RecordField { Question, Answer, ExtraInfo, HomepageLink, InfoWithQuestion, CreatedDate };
inline constexpr int recordFieldCount = 6;
// "answer" / "Antwort": the field's name in messages and the exchange formats.
QString fieldName(RecordField field, Language language);

struct FaqRecord {
    QString question;
    QString answer;
    QString extraInfo;           // for example who asked
    QString homepageLink;        // the asker's homepage
    qint16 infoWithQuestion = 0; // 1: extraInfo belongs to the question, 0: to the answer
    QString createdDate = QString(createdDateLength, u' '); // always exactly 10 characters

    bool operator==(const FaqRecord &) const = default;
};

// The record as the main window's fields hold it.
struct RecordFields {
    QString question;
    QString answer;
    QString extraInfo;
    QString homepageLink;
    bool infoWithQuestion = false;
    QString dateLabel;

    bool operator==(const RecordFields &) const = default;
};

// Pads with blanks or cuts to exactly 10 characters.
QString fitDate(const QString &date);

// In place: every double quote becomes the quote substitute, and back.
void anfuehrung_weg(QString &text);
void anfuehrung_rein(QString &text);

// Window fields -> record: texts trimmed of blanks, double quotes substituted
// in all four texts, the date label's leading blanks dropped and fitted.
FaqRecord felder_an_maskeds(const RecordFields &fields);
// Record -> window fields: quotes restored in question and answer only (the
// other two are shown as stored), the date without trailing blanks.
RecordFields maskeds_an_felder(const FaqRecord &record);
// Record texts keep CR LF line breaks; the window's text boxes hold one LF
// per line break (a lone CR counts as one too).
QString textForWindow(QString text);
QString textFromWindow(QString text);

// The link field as the record moves on: a link not starting with "http://"
// (exactly so) gets it in front; a link of blanks only stays as typed.
QString completeLink(const QString &typed);

// The blank record: empty texts, flag 0, today's short date.
FaqRecord leerds_erstellen(QDate today);

} // namespace askbright
