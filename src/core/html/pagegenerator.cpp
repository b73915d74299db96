#include "html/pagegenerator.h"

#include "app/apperror.h"
#include "app/filesaver.h"
#include "app/numbers.h"
#include "app/paths.h"
#include "app/product.h"
#include "app/textcodec.h"
#include "html/htmltext.h"
#include "html/templatefolders.h"
#include "project/pageproject.h"
#include "state/appstate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace askbright {

namespace {

constexpr qint64 maxPictureBytes = 256 * 1024 * 1024;
const QString nbsp = QStringLiteral("&nbsp;");
const QString eol = QString::fromLatin1(crlf);

// The literals in which the two page variants differ.
struct VariantTexts {
    const char *notAProject;
    const char *questionsHeading;
    const char *toAnswer;
    const char *contactLink;
    const char *answersHeading;
    const char *back;
    const char *topLayout1;
    const char *topLayout2;
    const char *footerDateFormat;
    const char *createdWith;
    const char *footerEnd;
};

const VariantTexts &textsOf(Language variant)
{
    static const VariantTexts deutsch = {
        "Keine Projektdatei",
        "Fragen:</span></font></b></p>",
        "(zur Antwort)</a></span></font></li>",
        ">noch Fragen?</A></span></font></p>",
        "Antworten:</span></font></b></p>",
        ">zur&uuml;ck</a>",
        ">Seitenanfang</a><br><br></span></font></li>",
        ">Seitenanfang</a><br>",
        "dd.MM.yyyy",
        "erzeugt mit <A href=\"",
        ">Askbright</B></FONT></A></P>",
    };
    static const VariantTexts englisch = {
        "Invalid Filetype",
        "Questions:</span></font></b></p>",
        "(to the answer)</a></span></font></li>",
        ">You have any questions?</A></span></font></p>",
        "Answers:</span></font></b></p>",
        ">go back</a>",
        ">Top</a><br><br></span></font></li>",
        ">Top</a><br>",
        "MM-dd-yyyy",
        "created with <A href=\"",
        ">Askbright</FONT></B></A></P>",
    };
    return variant.isGerman() ? deutsch : englisch;
}

QString alignment(const QString &word)
{
    if (word == QLatin1String("mitte"))
        return QStringLiteral("CENTER");
    if (word == QLatin1String("rechts"))
        return QStringLiteral("RIGHT");
    return QStringLiteral("LEFT");
}

QString span(const QString &size)
{
    return QStringLiteral("<span style=\"font-size:") + size + QStringLiteral("pt;\">");
}

// A number from the project, or error 13/6 naming the line it came from.
double projectNumber(const QString &text, const char *what)
{
    try {
        return toDecimal(text);
    } catch (const AppError &e) {
        throw AppError(
            e.number(),
            QStringLiteral("%1 is not a number: \"%2\"").arg(QLatin1String(what), excerpt(text)));
    }
}

QString encoded(QString text)
{
    html_zeichen(text);
    return text;
}

// Question and answer text: the quote substitute back to a quote, entities,
// and with paragraph formatting the line breaks as <br>.
void appendRecordText(QString &page, const QString &text, bool paragraphs)
{
    appendHtmlText(page, text, RestoreQuotes | Entities | (paragraphs ? LineBreaks : 0u));
}

Message errorMessage(const AppError &error, Language language)
{
    Message m;
    m.icon = MessageIcon::Critical;
    switch (error.number()) {
    case AppError::DeviceIoError:
    case AppError::PermissionDenied:
    case AppError::DiskNotReady:
    case AppError::PathFileAccessError:
        m.text = language.pick(u"Kein Zugriff auf Datenträger möglich!",
                               u"access impossibly! Please control drive or disk");
        m.title = language.pick(u"Zugriff nicht möglich", u"impossible access");
        break;
    case AppError::DiskFull:
        m.text = language.pick(u"Datenträger voll!", u"Disk full!");
        m.title = language.pick(u"Zugriff nicht möglich", u"impossible access");
        break;
    default:
        m.text = language.pick(u"Die FAQ-Seite wurde nicht erzeugt:\r",
                               u"The FAQ page was not created:\r") +
                 error.numberAndDescription();
        m.title = language.pick(u"Seite nicht erzeugt", u"Page not created");
        break;
    }
    return m;
}

// A name that stays inside the folder it is put in: no separator, not a
// reference to the folder or its parent, not empty, no control character.
bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return isSeparator(c) || c.unicode() < 0x20 || c.unicode() == 0x7F;
    });
}

Message refusedLineMessage(const RefusedLine &refused, Language language)
{
    Message m;
    const QString value = QLatin1Char('"') + excerpt(refused.value) + QLatin1Char('"');
    switch (refused.reason) {
    case RefusedLine::NotPlainFileName:
        m.text = language.pick(u"Zeile %1 der Projektdatei nennt keinen einfachen Dateinamen "
                               u"(ohne Ordner, nicht leer, ohne Steuerzeichen):\r%2",
                               u"Line %1 of the project file is not a plain file name "
                               u"(no folder, not empty, no control characters):\r%2");
        break;
    case RefusedLine::EndsAttribute:
        m.text = language.pick(u"Zeile %1 der Projektdatei enthält Zeichen, die in der Seite "
                               u"nicht stehen dürfen:\r%2",
                               u"Line %1 of the project file holds characters the page cannot "
                               u"take:\r%2");
        break;
    }
    m.text = m.text.arg(refused.line).arg(value);
    return m;
}

Message simpleMessage(const QString &text)
{
    Message m;
    m.text = text;
    return m;
}

// Undoes the picture placement when the page itself cannot be written.
struct PicturePlacement {
    QString createdCopy;
    QString renamedFrom;
    QString renamedTo;

    void undo() const
    {
        if (!createdCopy.isEmpty())
            QFile::remove(createdCopy);
        if (!renamedTo.isEmpty())
            QFile::rename(renamedTo, renamedFrom);
    }
};

// Puts the picture beside the page under its lower-case name: a copy when
// the folder has no file of that name in any case, else that file renamed.
PicturePlacement placePicture(const QString &picturePath, const QString &outputFolder,
                              const QString &lowerName)
{
    PicturePlacement placement;
    const QString folder = localPath(outputFolder);
    const QString target = folder + lowerName;
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : files) {
        if (name.toLower() != lowerName)
            continue;
        if (name != lowerName) {
            const QString existing = folder + name;
            if (!QFile::rename(existing, target))
                throw AppError(
                    AppError::PathFileAccessError,
                    QStringLiteral("Path/File access error: cannot rename %1").arg(existing));
            placement.renamedFrom = existing;
            placement.renamedTo = target;
        }
        return placement;
    }
    saveFile(target, readFileBytes(localPath(picturePath), maxPictureBytes));
    placement.createdCopy = target;
    return placement;
}

} // namespace

QString pageStatusText(PageStatus status)
{
    switch (status) {
    case PageStatus::Ok:
        return QStringLiteral("ok");
    case PageStatus::Raus:
        return QStringLiteral("raus");
    case PageStatus::Fehler:
        break;
    }
    return QStringLiteral("fehler");
}

bool readGeneratorSlots(const QString &projectPath, const QString &linkSize, GeneratorSlots &out)
{
    return generatorSlotsFromLines(readProjectFile(projectPath), linkSize, out);
}

bool generatorSlotsFromLines(const ProjectLines &lines, const QString &linkSize,
                             GeneratorSlots &out)
{
    using S = GeneratorSlots;
    if (!lines.hasMarker())
        return false;
    out[S::Title] = enter_rein(lines.line(2));
    int number = 3;
    for (S::Slot s : {S::TextColor, S::BgColor, S::AlinkColor, S::VlinkColor, S::LinkColor,
                      S::Picture, S::PictureOn})
        out[s] = trimBlanks(lines.line(number++));
    out.backgroundPicturePath = out[S::Picture];
    const QString fileName = trimBlanks(lines.line(10));
    if (!isPlainFileName(fileName))
        out.refused = RefusedLine{10, RefusedLine::NotPlainFileName, fileName};
    out[S::FileName] = fileName + QStringLiteral(".html");
    out[S::Author] = enter_rein(lines.line(11));
    out[S::Description] = trimBlanks(lines.line(12));
    out[S::TitleAlign] = alignment(trimBlanks(lines.line(13)));
    out[S::Bold] =
        trimBlanks(lines.line(14)) == QLatin1String("Fett") ? QStringLiteral("BOLD") : QString();
    out[S::Italic] = trimBlanks(lines.line(15));
    const QString face = trimBlanks(lines.line(16));
    out[S::Fonts] = face + (face == QLatin1String("Arial") ? QStringLiteral(",Helvetica")
                                                           : QStringLiteral(",Arial,Helvetica"));
    QString titleSize = trimBlanks(lines.line(17));
    if (titleSize.startsWith(u'+'))
        titleSize = QStringLiteral("14");
    QString textSize = trimBlanks(lines.line(18));
    if (textSize.startsWith(u'+'))
        textSize = QStringLiteral("10");
    QString linkSizeText = textSize;
    if (linkSize == linkSizeSmall) {
        const double size = projectNumber(textSize, "Text size");
        if (size > 0)
            linkSizeText = QString::number(size - 2);
    }
    out[S::TitleSpan] = span(titleSize);
    out[S::TextSpan] = span(textSize);
    out[S::LinkSpan] = span(linkSizeText);
    out[S::FaqAlign] = alignment(trimBlanks(lines.line(19)));
    const QString &countLine = lines.line(20);
    const double count = projectNumber(countLine, "Keyword count");
    if (count > S::maxKeywords)
        throw AppError(AppError::SubscriptOutOfRange, QStringLiteral("More than %1 keywords: %2")
                                                          .arg(S::maxKeywords)
                                                          .arg(excerpt(trimBlanks(countLine))));
    const qint32 wholeCount = lines.keywordCount();
    out.keywordCount = std::max(0, wholeCount);
    out[S::KeywordCount] = QString::number(wholeCount);
    for (int i = 0; i < out.keywordCount; ++i)
        out.table[S::FirstKeyword + i] = trimBlanks(lines.keyword(i));
    return true;
}

QString composePage(Language variant, const GeneratorSlots &s, bool withBackground,
                    const PageRequest &request, const FaqDatabase &database, QDate today)
{
    using S = GeneratorSlots;
    const VariantTexts &t = textsOf(variant);
    const QString &fonts = s[S::Fonts];
    const QString &linkSpan = s[S::LinkSpan];
    const QString &textSpan = s[S::TextSpan];
    const QString &listAlign = s[S::FaqAlign];
    const QString fontOpen = QStringLiteral("<font face=\"") + fonts + QStringLiteral("\">");
    const bool paragraphs = request.options.paragraphFormatting == 1;
    const bool pre = request.options.preformattedAnswers == 1;
    const bool layout1 = request.options.answerLayout == 1;
    const int count = database.recordCount();

    qsizetype estimate = 4096;
    for (int i = 1; i <= count; ++i) {
        const FaqRecord &r = database.record(i);
        // Entities can make text longer; room for twice the text avoids re-growing the page.
        estimate +=
            (r.question.size() * 2 + r.answer.size() + r.extraInfo.size() + r.homepageLink.size()) *
                2 +
            900;
    }
    QString page;
    page.reserve(estimate);

    // Head, items 1 to 10.
    page += QStringLiteral(
        "<html>\r\n<head>\r\n"
        "<meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-1\">\r\n"
        "<meta name=\"generator\" content=\"Askbright by Brennwald ( ");
    page += homepageUrl + QStringLiteral(" )\">") + eol;
    page += QStringLiteral("<title>") + encoded(s[S::Title]) + QStringLiteral("</title>") + eol;
    page += QStringLiteral("<meta name=\"author\" content=\"") + encoded(s[S::Author]) +
            QStringLiteral("\">") + eol;
    page += QStringLiteral("<meta name=\"description\" content=\"") + encoded(s[S::Description]) +
            QStringLiteral("\">") + eol;
    page += QStringLiteral("<meta name=\"keywords\" content=\"");
    for (int k = 0; k < s.keywordCount; ++k) {
        if (k > 0)
            page += QStringLiteral(", ");
        page += encoded(s.table[S::FirstKeyword + k]);
    }
    page += QStringLiteral("\">") + eol;
    page += QStringLiteral("<meta name=\"date\" content=\"") +
            today.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("\">") + eol;
    page += QStringLiteral("</head>") + eol;

    // Body and title paragraph, items 11 and 12.
    page += QStringLiteral("<body bgcolor=") + s[S::BgColor] + QStringLiteral(" text=") +
            s[S::TextColor] + QStringLiteral(" link=") + s[S::LinkColor] +
            QStringLiteral(" vlink=") + s[S::VlinkColor] + QStringLiteral(" alink=") +
            s[S::AlinkColor];
    if (withBackground)
        page += QStringLiteral(" background=\"") + s[S::Picture] + u'"';
    page += u'>' + eol;
    const bool bold = s[S::Bold].compare(QLatin1String("bold"), Qt::CaseInsensitive) == 0;
    const bool italic = s[S::Italic].compare(QLatin1String("italic"), Qt::CaseInsensitive) == 0;
    page += QStringLiteral("<p align=\"") + s[S::TitleAlign] + QStringLiteral("\">");
    if (bold)
        page += QStringLiteral("<b>");
    if (italic)
        page += QStringLiteral("<i>");
    QString title = encoded(trimBlanks(s[S::Title]));
    html_umbruch(title);
    page += fontOpen + s[S::TitleSpan] + title + QStringLiteral("<a name=\"_oben\"></a>");
    if (italic)
        page += QStringLiteral("</i>");
    if (bold)
        page += QStringLiteral("</b>");
    page += QStringLiteral("</span></font></p>") + eol;

    // Question list, items 13 to 17.
    const QString heading =
        QStringLiteral("<p align=\"") + listAlign + QStringLiteral("\"><b>") + fontOpen + textSpan;
    const QString listDiv =
        QStringLiteral("<div align=\"") + listAlign + QStringLiteral("\">") + eol;
    page += heading + QLatin1String(t.questionsHeading) + eol + listDiv;
    page += fontOpen + textSpan + QStringLiteral("<OL TYPE=\"1\">") + eol;
    std::vector<QString> extras(size_t(count) + 1);
    for (int i = 1; i <= count; ++i) {
        const FaqRecord &r = database.record(i);
        if (!r.extraInfo.isEmpty() && !r.homepageLink.isEmpty()) {
            extras[size_t(i)] = nbsp + fontOpen + linkSpan + QStringLiteral("<i><a href=\"") +
                                encoded(r.homepageLink) + QStringLiteral("\" target=\"_blank\">") +
                                encoded(r.extraInfo) + QStringLiteral("</a></i></span></font>");
        }
        page += QLatin1String("<LI><a name=\"frage");
        page += QString::number(i);
        page += QLatin1String("\"></a>\r\n");
        appendRecordText(page, r.question, paragraphs);
        if (r.infoWithQuestion == 1)
            page += extras[size_t(i)];
        page += QLatin1String("<br><a href=\"#antwort");
        page += QString::number(i);
        page += QLatin1String("\">");
        page += fontOpen;
        page += linkSpan;
        page += QLatin1String(t.toAnswer);
        page += eol;
    }
    page += QStringLiteral("</div></ol>") + eol;

    // Contact block, items 18 and 19.
    if (!request.contactAddress.isEmpty()) {
        QString subject = trimBlanks(s[S::Title]);
        subject.remove(u'"');
        page += QStringLiteral("<p align=\"center\"><Font face =\"") + fonts +
                QStringLiteral("\">") + textSpan + eol;
        page += QStringLiteral("<A HREF=\"mailto:") + request.contactAddress +
                QStringLiteral("?subject=Feedback ") + subject + u'"' +
                QLatin1String(t.contactLink) + eol;
    }

    // Answer list, items 20 to 26.
    page += QStringLiteral("<hr>") + eol;
    page += heading + QLatin1String(t.answersHeading) + eol + listDiv;
    page += fontOpen + textSpan + QStringLiteral("<ol type=\"1\">") + eol + listDiv;
    const QString backLinks = linkSpan + nbsp + nbsp + nbsp + QStringLiteral("<a href=\"#frage");
    const QString topLink = nbsp + nbsp + nbsp + QStringLiteral("<a href=\"#_oben\"");
    for (int i = 1; i <= count; ++i) {
        const FaqRecord &r = database.record(i);
        const QString number = QString::number(i);
        const QString &extra = r.infoWithQuestion == 0 ? extras[size_t(i)] : QString();
        page += QLatin1String("<LI><a name=\"antwort");
        page += number;
        page += QLatin1String("\"></a>\r\n");
        if (layout1) {
            page += QLatin1String("<i><b>F:&nbsp;");
            appendRecordText(page, r.question, paragraphs);
            page += QLatin1String("</i></b><br>\r\n");
        }
        page += fontOpen;
        page += textSpan;
        if (pre)
            page += QLatin1String("<pre>");
        if (layout1)
            page += QLatin1String("A:&nbsp;");
        appendRecordText(page, r.answer, paragraphs);
        if (pre)
            page += QLatin1String("</pre>");
        if (layout1) {
            page += extra;
            if (!pre)
                page += QLatin1String("<br>");
        } else {
            if (!extra.isEmpty()) {
                page += extra;
                page += QLatin1String("</li>\r\n");
            }
            page += QLatin1String("<br>");
        }
        page += backLinks;
        page += number;
        page += u'"';
        page += QLatin1String(t.back);
        page += topLink;
        if (layout1) {
            page += QLatin1String(t.topLayout1);
        } else {
            page += QLatin1String(t.topLayout2);
            page += QLatin1String("&nbsp;</span></font></li>");
        }
        page += eol;
    }
    page += QStringLiteral("</span></FONT></div></ol>") + eol;

    // Footer, items 27 to 30.
    page += QStringLiteral("<HR>") + eol;
    page += QStringLiteral("<P align=\"center\"><B><span style=\"font-size:7pt;\">am ") +
            today.toString(QLatin1String(t.footerDateFormat)) + u' ' + eol;
    page += QLatin1String(t.createdWith) + homepageUrl + QStringLiteral("\" target=\"_blank\"") +
            QLatin1String(t.footerEnd) + eol;
    page += QStringLiteral("</body></html>") + eol;
    return page;
}

PageResult generatePage(Language variant, const PageRequest &request, const FaqDatabase &database,
                        const Clock &clock, MessageSink &sink)
{
    using S = GeneratorSlots;
    PageResult result;
    try {
        GeneratorSlots working;
        if (!readGeneratorSlots(request.projectPath, request.options.linkSize, working)) {
            sink.showMessage(simpleMessage(QLatin1String(textsOf(variant).notAProject)));
            result.status = PageStatus::Raus;
            return result;
        }
        if (working.refused) {
            sink.showMessage(refusedLineMessage(*working.refused, variant));
            result.status = PageStatus::Raus;
            return result;
        }
        result.pageFileName = working[S::FileName];
        result.backgroundPicturePath = working.backgroundPicturePath;
        result.pagePath = request.outputFolder + result.pageFileName;
        const bool withBackground =
            working[S::PictureOn] == QLatin1String("ja") && !working[S::Picture].isEmpty();
        if (withBackground) {
            working[S::Picture] = fileNameOf(working.backgroundPicturePath).toLower();
            result.pictureSlot = working[S::Picture];
            if (!QFileInfo(localPath(working.backgroundPicturePath)).isFile()) {
                sink.showMessage(simpleMessage(QStringLiteral(
                    "Bildpfad für Hintergrundbild nicht korrekt! Aktion wird abgebrochen.")));
                result.status = PageStatus::Raus;
                return result;
            }
        } else {
            result.pictureSlot = working[S::Picture];
        }
        const QByteArray page = encodeCp1252(
            composePage(variant, working, withBackground, request, database, clock.today()));
        PicturePlacement placement;
        if (withBackground)
            placement = placePicture(working.backgroundPicturePath, request.outputFolder,
                                     working[S::Picture]);
        try {
            saveFile(localPath(result.pagePath), page);
        } catch (const AppError &) {
            placement.undo();
            throw;
        }
        result.status = PageStatus::Ok;
    } catch (const AppError &error) {
        sink.showMessage(errorMessage(error, variant));
        result.status = PageStatus::Fehler;
    }
    return result;
}

PageResult generieren_deutsch(const PageRequest &request, const FaqDatabase &database,
                              const Clock &clock, MessageSink &sink)
{
    return generatePage(Language::German, request, database, clock, sink);
}

PageResult generieren_englisch(const PageRequest &request, const FaqDatabase &database,
                               const Clock &clock, MessageSink &sink)
{
    return generatePage(Language::English, request, database, clock, sink);
}

} // namespace askbright
