#include "app/filesaver.h"

#include "app/apperror.h"
#include "app/textcodec.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace askbright {

namespace {

[[noreturn]] void fail(QSaveFile &file, int savedErrno)
{
    const QString target = file.fileName();
    file.cancelWriting();
    const QFileInfo info(target);
    if (!info.dir().exists())
        throw AppError(AppError::PathNotFound,
                       AppError::classicDescription(AppError::PathNotFound) + QStringLiteral(": ") +
                           info.absolutePath());
    if (info.isDir())
        throw AppError(AppError::PathFileAccessError,
                       AppError::classicDescription(AppError::PathFileAccessError) +
                           QStringLiteral(": ") + target);
    throw AppError::fromFile(file, savedErrno);
}

} // namespace

void saveFileInPieces(const QString &path, const std::function<void(const PieceWriter &)> &produce)
{
    if (path.trimmed().isEmpty())
        throw AppError(AppError::BadFileName);
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
