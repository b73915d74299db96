#include "database/faqrecord.h"

#include "app/clock.h"
#include "app/textcodec.h"

namespace askbright {

QString fieldName(RecordField field, Language language)
{
    switch (field) {
    case RecordField::Question:
        return language.pick(u"Frage", u"question");
    case RecordField::Answer:
        return language.pick(u"Antwort", u"answer");
    case RecordField::ExtraInfo:
        return language.pick(u"Zusatz", u"extra info");
    case RecordField::HomepageLink:
        return language.pick(u"Link", u"link");
    case RecordField::InfoWithQuestion:
        return language.pick(u"zur Frage", u"info with question");
    case RecordField::CreatedDate:
        break;
    }
    return language.pick(u"Datum", u"date");
}

QString fitDate(const QString &date)
{
    return date.leftJustified(createdDateLength, u' ', true);
}

void anfuehrung_weg(QString &text)
{
    text.replace(u'"', quoteSubstitute);
}

void anfuehrung_rein(QString &text)
{
    text.replace(quoteSubstitute, u'"');
}

FaqRecord felder_an_maskeds(const RecordFields &fields)
{
    auto fromField = [](const QString &text) {
        QString value = trimBlanks(text);
        anfuehrung_weg(value);
        return value;
    };
    FaqRecord record;
    record.question = fromField(fields.question);
    record.answer = fromField(fields.answer);
    record.extraInfo = fromField(fields.extraInfo);
    record.homepageLink = fromField(fields.homepageLink);
    record.infoWithQuestion = fields.infoWithQuestion ? 1 : 0;
    record.createdDate = fitDate(trimLeadingBlanks(fields.dateLabel));
    return record;
}

RecordFields maskeds_an_felder(const FaqRecord &record)
{
    RecordFields fields;
    fields.question = record.question;
    anfuehrung_rein(fields.question);
    fields.answer = record.answer;
    anfuehrung_rein(fields.answer);
    fields.extraInfo = record.extraInfo;
    fields.homepageLink = record.homepageLink;
    fields.infoWithQuestion = record.infoWithQuestion != 0;
    fields.dateLabel = trimTrailingBlanks(record.createdDate);
    return fields;
}

FaqRecord leerds_erstellen(QDate today)
{
    FaqRecord record;
    record.createdDate = fitDate(trimBlanks(shortDateText(today)));
    return record;
}

QString textForWindow(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString textFromWindow(QString text)
{
    text.replace(u'\n', QLatin1String("\r\n"));
    return text;
}

QString completeLink(const QString &typed)
{
    if (trimBlanks(typed).isEmpty() || typed.startsWith(QLatin1String("http://")))
        return typed;
    return QStringLiteral("http://") + typed;
}

} // namespace askbright
