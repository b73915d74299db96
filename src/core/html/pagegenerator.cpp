#include "html/pagegenerator.h"

#include "app/apperror.h"
#include "app/boundedread.h"
#include "app/filesaver.h"
#include "app/numbers.h"
#include "app/paths.h"
#include "app/product.h"
#include "app/textcodec.h"
#include "html/htmltext.h"
#include "html/modernpage.h"
#include "html/templatefolders.h"
#include "project/pageproject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace askbright {

namespace {

constexpr qint64 maxPictureBytes = 256 * 1024 * 1024;

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

// Characters that end an attribute value (and with it the tag) where the
// value stands: unquoted values end at any blank, quoted ones at the quote.
enum class AttributeForm { Unquoted, Quoted };

bool endsAttribute(const QString &value, AttributeForm form)
{
    return std::any_of(value.begin(), value.end(), [form](QChar c) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || u == u'"' || u == u'<' || u == u'>')
            return true;
        return form == AttributeForm::Unquoted && (u == u' ' || u == u'\'' || u == u'`');
    });
}

void checkAttribute(GeneratorSlots &out, int line, const QString &value, AttributeForm form)
{
    if (!out.refused && endsAttribute(value, form))
        out.refused = RefusedLine{line, RefusedLine::EndsAttribute, value};
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
    case RefusedLine::NotASize:
        m.text = language.pick(u"Zeile %1 der Projektdatei ist keine Schriftgröße (eine Zahl in "
                               u"Punkt):\r%2",
                               u"Line %1 of the project file is not a font size (a number of "
                               u"points):\r%2");
        break;
    }
    m.text = m.text.arg(refused.line).arg(value);
    return m;
}

// A point size as the classic page writes it into its styles: digits, with
// at most one decimal point or comma. Anything else could add style rules.
void checkSize(GeneratorSlots &out, int line, const QString &size)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]{1,4}([.,][0-9]{1,4})?$"));
    if (!out.refused && !number.match(size).hasMatch())
        out.refused = RefusedLine{line, RefusedLine::NotASize, size};
}

// The image types a background picture may have, by extension, with the
// first bytes a file of that type starts with (any of them; offset 40 of an
// EMF file holds " EMF").
struct PictureType {
    const char *extension;
    std::initializer_list<QByteArrayView> signatures;
};
const PictureType pictureTypes[] = {
    {".bmp", {"BM"}},
    {".dib", {"BM"}},
    {".gif", {"GIF87a", "GIF89a"}},
    {".jpg", {"\xFF\xD8\xFF"}},
    {".jpeg", {"\xFF\xD8\xFF"}},
    {".png", {"\x89PNG\r\n\x1A\n"}},
    {".ico", {QByteArrayView("\0\0\1\0", 4)}},
    {".cur", {QByteArrayView("\0\0\2\0", 4)}},
    {".wmf",
     {"\xD7\xCD\xC6\x9A", QByteArrayView("\1\0\x09\0", 4), QByteArrayView("\2\0\x09\0", 4)}},
    {".emf", {QByteArrayView("\1\0\0\0", 4)}},
};

const PictureType *pictureTypeOf(const QString &path)
{
    for (const PictureType &type : pictureTypes) {
        if (path.endsWith(QLatin1String(type.extension), Qt::CaseInsensitive))
            return &type;
    }
    return nullptr;
}

// A background picture is a regular file of one of the image types a
// browser tiles; anything else (a folder, a device, a text) is not one.
bool isPictureFile(const QString &path)
{
    return pictureTypeOf(path) && QFileInfo(localPath(path)).isFile();
}

// Whether the file starts as the image type its extension names.
bool startsAsItsType(const QString &path)
{
    QFile file(localPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(44);
    const PictureType *type = pictureTypeOf(path);
    if (qstrcmp(type->extension, ".emf") == 0 && head.mid(40, 4) != " EMF")
        return false;
    return std::any_of(type->signatures.begin(), type->signatures.end(),
                       [&head](QByteArrayView signature) { return head.startsWith(signature); });
}

// Whether a file written under name in folder lands in that folder: a link
// of that name must lead to a file of the folder itself (a link that leads
// nowhere or in a circle leads outside, as far as anyone can tell).
bool staysInFolder(const QString &folder, const QString &name)
{
    const QFileInfo target(localPath(folder) + name);
    if (!target.isSymLink())
        return true;
    const QString resolved = target.canonicalFilePath();
    return !resolved.isEmpty() &&
           QFileInfo(resolved).absolutePath() == QFileInfo(localPath(folder)).canonicalFilePath();
}

Message outsideFolderMessage(const QString &path, Language language)
{
    Message m;
    m.text = language
                 .pick(u"Im Ausgabeordner verweist \"%1\" auf eine Datei außerhalb des "
                       u"Ordners; dorthin wird nicht geschrieben.",
                       u"In the output folder, \"%1\" links to a file outside the folder; "
                       u"nothing is written there.")
                 .arg(path);
    return m;
}

Message notItsTypeMessage(const QString &path, Language language)
{
    Message m;
    m.text = language
                 .pick(u"Das Hintergrundbild ist kein Bild der Art, die seine Endung "
                       u"nennt:\r\"%1\"",
                       u"The background picture is not an image of the type its extension "
                       u"names:\r\"%1\"")
                 .arg(path);
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
    for (S::Slot s : {S::TextColor, S::BgColor, S::AlinkColor, S::VlinkColor, S::LinkColor})
        checkAttribute(out, s + 1, out[s], AttributeForm::Unquoted);
    out.backgroundPicturePath = out[S::Picture];
    const QString fileName = trimBlanks(lines.line(10));
    if (!out.refused && !isPlainFileName(fileName))
        out.refused = RefusedLine{10, RefusedLine::NotPlainFileName, fileName};
    out[S::FileName] = fileName + QStringLiteral(".html");
    out[S::Author] = enter_rein(lines.line(11));
    out[S::Description] = trimBlanks(lines.line(12));
    out[S::TitleAlign] = alignment(trimBlanks(lines.line(13)));
    out[S::Bold] =
        trimBlanks(lines.line(14)) == QLatin1String("Fett") ? QStringLiteral("BOLD") : QString();
    out[S::Italic] = trimBlanks(lines.line(15));
    const QString face = trimBlanks(lines.line(16));
    checkAttribute(out, 16, face, AttributeForm::Quoted);
    out[S::Fonts] = face + (face == QLatin1String("Arial") ? QStringLiteral(",Helvetica")
                                                           : QStringLiteral(",Arial,Helvetica"));
    QString titleSize = trimBlanks(lines.line(17));
    if (titleSize.startsWith(u'+'))
        titleSize = QStringLiteral("14");
    QString textSize = trimBlanks(lines.line(18));
    if (textSize.startsWith(u'+'))
        textSize = QStringLiteral("10");
    checkSize(out, 17, titleSize);
    checkSize(out, 18, textSize);
    QString linkSizeText = textSize;
    if (linkSize == linkSizeSmall && !out.refused) {
        const double size = toDecimal(textSize);
        if (size > 0)
            linkSizeText = QString::number(size - 2);
    }
    out.titleSize = titleSize;
    out.textSize = textSize;
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

PagePlan planPage(Language variant, const ProjectLines &lines, const PageRequest &request,
                  PageResult &result)
{
    using S = GeneratorSlots;
    PagePlan plan;
    const auto giveUp = [&plan](Message message) {
        plan.message = std::move(message);
        plan.status = PageStatus::Raus;
        return plan;
    };
    GeneratorSlots &working = plan.working;
    if (!generatorSlotsFromLines(lines, request.options.linkSize, working))
        return giveUp(simpleMessage(variant.pick(u"Keine Projektdatei", u"Invalid Filetype")));
    if (working.refused)
        return giveUp(refusedLineMessage(*working.refused, variant));
    result.pageFileName = working[S::FileName];
    result.backgroundPicturePath = working.backgroundPicturePath;
    result.pagePath = request.outputFolder + result.pageFileName;
    plan.withBackground =
        working[S::PictureOn] == QLatin1String("ja") && !working[S::Picture].isEmpty();
    if (plan.withBackground) {
        working[S::Picture] = fileNameOf(working.backgroundPicturePath).toLower();
        if (endsAttribute(working[S::Picture], AttributeForm::Quoted))
            return giveUp(refusedLineMessage(
                {8, RefusedLine::EndsAttribute, working.backgroundPicturePath}, variant));
        if (!isPictureFile(working.backgroundPicturePath))
            return giveUp(simpleMessage(QStringLiteral(
                "Bildpfad für Hintergrundbild nicht korrekt! Aktion wird abgebrochen.")));
        if (!startsAsItsType(working.backgroundPicturePath))
            return giveUp(notItsTypeMessage(working.backgroundPicturePath, variant));
        if (!staysInFolder(request.outputFolder, working[S::Picture]))
            return giveUp(
                outsideFolderMessage(request.outputFolder + working[S::Picture], variant));
    }
    if (!staysInFolder(request.outputFolder, result.pageFileName))
        return giveUp(outsideFolderMessage(result.pagePath, variant));
    result.pictureSlot = working[S::Picture];
    return plan;
}

RecordSource recordsOf(const FaqDatabase &database)
{
    return [&database](const RecordVisitor &visit) {
        for (int i = 1; i <= database.recordCount(); ++i)
            visit(database.record(i));
    };
}

void writeChosenPage(Language variant, const GeneratorSlots &working, bool withBackground,
                     const PageRequest &request, const RecordSource &records, QDate today,
                     const PieceWriter &write)
{
    if (request.options.modernPage)
        writeModernPage(variant, working, withBackground, request, records, today, write);
    else
        writePageInPieces(variant, working, withBackground, request, records, today, write);
}

QByteArray composeChosenPage(Language variant, const GeneratorSlots &working, bool withBackground,
                             const PageRequest &request, const RecordSource &records, QDate today)
{
    QByteArray page;
    writeChosenPage(variant, working, withBackground, request, records, today,
                    [&page](QByteArrayView piece) { page += piece; });
    return page;
}

PageResult generatePage(Language variant, const PageRequest &request, const FaqDatabase &database,
                        const Clock &clock, MessageSink &sink)
{
    return generatePage(variant, request, recordsOf(database), clock, sink);
}

PageResult generatePage(Language variant, const PageRequest &request, const RecordSource &records,
                        const Clock &clock, MessageSink &sink)
{
    PageResult result;
    try {
        const PagePlan plan =
            planPage(variant, readProjectFile(request.projectPath), request, result);
        if (plan.message)
            sink.showMessage(*plan.message);
        if (plan.status != PageStatus::Ok) {
            result.status = plan.status;
            return result;
        }
        PicturePlacement placement;
        if (plan.withBackground)
            placement = placePicture(plan.working.backgroundPicturePath, request.outputFolder,
                                     result.pictureSlot);
        try {
            saveFileInPieces(localPath(result.pagePath), [&](const PieceWriter &write) {
                writeChosenPage(variant, plan.working, plan.withBackground, request, records,
                                clock.today(), write);
            });
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
