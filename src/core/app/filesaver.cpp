#include "app/filesaver.h"

#include "app/apperror.h"
#include "app/boundedread.h"
#include "app/textcodec.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>

namespace askbright {

namespace {

[[noreturn]] void fail(QSaveFile &file, int savedErrno)
{
    const QString target = file.fileName();
    file.cancelWriting();
    const QFileInfo info(target);
    if (!info.dir().exists())
        throw AppError::withDetail(AppError::PathNotFound, info.absolutePath());
    throw AppError::fromFile(file, savedErrno);
}

// The rename at the end would put a regular file in place of whatever the
// path names, and the save file follows a link even to a missing target: so
// an existing path must be a regular file or a link that leads to one.
void checkTarget(const QString &path)
{
    const QByteArray local = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(local.constData(), &st) != 0)
        return; // a new file; any other trouble is reported by the write
    if (S_ISLNK(st.st_mode) && ::stat(local.constData(), &st) != 0) {
        if (errno == ELOOP)
            throw notAFile(AppError::PathFileAccessError, path, u"ein Verweis im Kreis",
                           u"a link that leads in a loop");
        throw notAFile(AppError::PathFileAccessError, path, u"ein Verweis ins Leere",
                       u"a link to nothing");
    }
    refuseIrregularFile(st.st_mode, path, AppError::PathFileAccessError);
}

} // namespace

void saveFileInPieces(const QString &path, const std::function<void(const PieceWriter &)> &produce)
{
    if (path.trimmed().isEmpty())
        throw AppError(AppError::BadFileName);
    checkTarget(path);
    // Without commit, the temporary file is removed when this object goes.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        fail(file, errno);
    produce([&file](QByteArrayView piece) {
        errno = 0;
        if (file.write(piece.data(), piece.size()) != piece.size())
            fail(file, errno);
    });
    // A short write can sit in the buffer until commit, which then fails
    // silently on some errors; flushing first reports a full disk.
    errno = 0;
    if (!file.flush())
        fail(file, errno);
    errno = 0;
    if (!file.commit())
        fail(file, errno);
}

void saveFile(const QString &path, const QByteArray &content)
{
    saveFileInPieces(path, [&content](const PieceWriter &write) { write(content); });
}

void saveTextFile(const QString &path, const QString &text)
{
    saveFile(path, encodeCp1252(text));
}

} // namespace askbright
