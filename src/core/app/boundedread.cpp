#include "app/boundedread.h"

#include "app/apperror.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace askbright {

void refuseIrregularFile(unsigned mode, const QString &path, int number)
{
    if (S_ISREG(mode))
        return;
    struct Kind {
        const char16_t *german;
        const char16_t *english;
    };
    Kind kind{u"keine gewöhnliche Datei", u"no regular file"};
    if (S_ISDIR(mode))
        kind = {u"ein Ordner", u"a folder"};
    else if (S_ISFIFO(mode))
        kind = {u"eine benannte Pipe", u"a named pipe"};
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = {u"ein Gerät", u"a device"};
    else if (S_ISSOCK(mode))
        kind = {u"ein Socket", u"a socket"};
    throw notAFile(number, path, kind.german, kind.english);
}

AppError notAFile(int number, const QString &path, QStringView germanKind, QStringView englishKind)
{
    return AppError(
        number,
        QStringLiteral("%1: %2 is %3, not a file")
            .arg(AppError::classicDescription(number, Language::English), path, englishKind),
        QStringLiteral("%1: %2 ist %3, keine Datei")
            .arg(AppError::classicDescription(number, Language::German), path, germanKind));
}

FileChunks::FileChunks(const QString &path, qint64 maxBytes) : m_path(path), m_maxBytes(maxBytes)
{
    const QByteArray local = QFile::encodeName(path);
    struct stat st {};
    // The kind is checked before opening, and again on the opened file: a named
    // pipe opened for reading would wait for a writer.
    if (::stat(local.constData(), &st) == 0)
        refuseIrregularFile(st.st_mode, path, AppError::BadFileName);
    m_fd = ::open(local.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        throw AppError::fromErrno(errno, path);
    if (::fstat(m_fd, &st) != 0) {
        const int error = errno;
        ::close(m_fd);
        throw AppError::fromErrno(error, path);
    }
    try {
        refuseIrregularFile(st.st_mode, path, AppError::BadFileName);
    } catch (...) {
        ::close(m_fd);
        throw;
    }
    if (st.st_size > maxBytes) {
        ::close(m_fd);
        throw AppError(
            AppError::OutOfMemory,
            QStringLiteral("File too large (more than %1 bytes): %2").arg(maxBytes).arg(path));
    }
    m_size = st.st_size;
}

FileChunks::~FileChunks()
{
    ::close(m_fd);
}

bool FileChunks::read(QByteArray &buffer, qsizetype chunk)
{
    const qsizetype old = buffer.size();
    buffer.resize(old + chunk);
    ssize_t got;
    do {
        got = ::read(m_fd, buffer.data() + old, size_t(chunk));
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        const int error = errno;
        buffer.truncate(old);
        throw AppError::fromErrno(error, m_path);
    }
    buffer.truncate(old + qsizetype(got));
    m_total += got;
    // A file that grew since it was opened is read on, up to the limit.
    if (m_total > m_maxBytes)
        throw AppError(AppError::OutOfMemory, QStringLiteral("File too large: %1").arg(m_path));
    return got > 0;
}

QByteArray readFileBytes(const QString &path, qint64 maxBytes)
{
    FileChunks file(path, maxBytes);
    // A buffer of the size the file had when opened; one more read finds the end
    // or the growth.
    QByteArray bytes;
    bytes.reserve(qsizetype(file.size()) + 1);
    for (;;) {
        const qsizetype room = bytes.capacity() - bytes.size();
        if (!file.read(bytes, room > 0 ? room : 64 * 1024))
            return bytes;
    }
}

bool ByteSource::more()
{
    if (!m_file)
        return false;
    constexpr qsizetype piece = 256 * 1024;
    // Moved by hand: a removal from the front would leave the room at the
    // front, and every piece would need a new buffer.
    const qsizetype kept = m_buffer.size() - m_pos;
    if (m_pos > 0) {
        std::memmove(m_buffer.data(), m_buffer.constData() + m_pos, size_t(kept));
        m_buffer.truncate(kept);
    }
    m_pos = 0;
    if (m_buffer.capacity() < kept + piece)
        m_buffer.reserve(qMax(kept + piece, 2 * m_buffer.capacity()));
    const bool got = m_file->read(m_buffer, piece);
    m_bytes = m_buffer;
    return got;
}

bool ByteSource::has(qsizetype n)
{
    while (m_bytes.size() - m_pos < n) {
        if (!more())
            return false;
    }
    return true;
}

} // namespace askbright
