#include "html/pagegenerator.h"

#include "app/apperror.h"
#include "app/boundedread.h"
#include "app/filesaver.h"
#include "app/paths.h"
#include "html/classicpage.h"
#include "html/modernpage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace askbright {

namespace {

constexpr qint64 maxPictureBytes = 256 * 1024 * 1024;

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
    const QFileInfo target(folder + name);
    if (!target.isSymLink())
        return true;
    const QString resolved = target.canonicalFilePath();
    return !resolved.isEmpty() &&
           QFileInfo(resolved).absolutePath() == QFileInfo(folder).canonicalFilePath();
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
    const QString &folder = outputFolder;
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

// The checks of the files a plan will write, after those of its values.
void checkFiles(Language variant, PagePlan &plan, const QString &outputFolder)
{
    const auto giveUp = [&plan](Message message) {
        plan.message = std::move(message);
        plan.status = PageStatus::GivenUp;
    };
    if (plan.withBackground) {
        const QString &picture = plan.project.picturePath;
        if (!isPictureFile(picture))
            return giveUp(simpleMessage(QStringLiteral(
                "Bildpfad für Hintergrundbild nicht korrekt! Aktion wird abgebrochen.")));
        if (!startsAsItsType(picture))
            return giveUp(notItsTypeMessage(picture, variant));
        if (!staysInFolder(outputFolder, plan.pictureFileName))
            return giveUp(outsideFolderMessage(outputFolder + plan.pictureFileName, variant));
    }
    if (!staysInFolder(outputFolder, plan.pageFileName))
        giveUp(outsideFolderMessage(outputFolder + plan.pageFileName, variant));
}

} // namespace

void writePage(Language variant, const PagePlan &plan, const PageRequest &request,
               const RecordSource &records, QDate today, const PieceWriter &write)
{
    if (request.options.modernPage)
        writeModernPage(variant, plan, request, records, today, write);
    else
        writeClassicPage(variant, plan, request, records, today, write);
}

QByteArray composePage(Language variant, const PagePlan &plan, const PageRequest &request,
                       const RecordSource &records, QDate today)
{
    QByteArray page;
    writePage(variant, plan, request, records, today,
              [&page](QByteArrayView piece) { page += piece; });
    return page;
}

PagePlan preparePage(Language variant, const PageRequest &request)
{
    PagePlan plan = planPage(variant, readProjectFile(request.projectPath), request.options);
    if (plan.status == PageStatus::Ok)
        checkFiles(variant, plan, request.outputFolder);
    return plan;
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
        const PagePlan plan = preparePage(variant, request);
        if (plan.message)
            sink.showMessage(*plan.message);
        if (plan.status != PageStatus::Ok) {
            result.status = plan.status;
            return result;
        }
        result.pageFileName = plan.pageFileName;
        result.pagePath = request.outputFolder + plan.pageFileName;
        result.noticePicture =
            plan.withBackground ? plan.pictureFileName : plan.project.picturePath;
        PicturePlacement placement;
        if (plan.withBackground)
            placement =
                placePicture(plan.project.picturePath, request.outputFolder, plan.pictureFileName);
        try {
            saveFileInPieces(result.pagePath, [&](const PieceWriter &write) {
                writePage(variant, plan, request, records, clock.today(), write);
            });
        } catch (const AppError &) {
            placement.undo();
            throw;
        }
        result.status = PageStatus::Ok;
    } catch (const AppError &error) {
        sink.showMessage(errorMessage(error, variant));
        result.status = PageStatus::Failed;
    }
    return result;
}

} // namespace askbright
