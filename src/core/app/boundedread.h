#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace askbright {

class AppError;

// Reading files with a bound: nothing larger than the caller allows is read,
// and only regular files are read at all.

// Throws AppError number "<description>: <path> is a named pipe, not a file"
// unless mode (as stat gives it) is that of a regular file.
void refuseIrregularFile(unsigned mode, const QString &path, int number);
// The error for path being of the given kind instead of a file, in both languages.
AppError notAFile(int number, const QString &path, QStringView germanKind, QStringView englishKind);

// Reads a whole file, refusing files larger than maxBytes; throws AppError.
// Only regular files are read: a folder, a named pipe or a device is refused
// with error 52 naming what the path is, before anything could block.
QByteArray readFileBytes(const QString &path, qint64 maxBytes);

// The same checks for a file read piece by piece, so a large file is never
// held whole: read() appends up to chunk bytes to buffer and returns false at
// the end; a file that grows past maxBytes while being read throws.
class FileChunks {
public:
    FileChunks(const QString &path, qint64 maxBytes);
    ~FileChunks();
    FileChunks(const FileChunks &) = delete;
    FileChunks &operator=(const FileChunks &) = delete;

    bool read(QByteArray &buffer, qsizetype chunk);
    qint64 size() const { return m_size; } // as the file was opened

private:
    QString m_path;
    int m_fd = -1;
    qint64 m_size = 0;
    qint64 m_maxBytes = 0;
    qint64 m_total = 0;
};

// Bytes of memory or of a file, read front to back. Of a file only what is
// not consumed yet and the piece read last are held.
class ByteSource {
public:
    explicit ByteSource(QByteArrayView bytes) : m_bytes(bytes) {}
    explicit ByteSource(FileChunks &file) : m_file(&file) {}

    // The bytes in hand not consumed yet; valid until the next more().
    QByteArrayView rest() const { return m_bytes.sliced(m_pos); }
    // Appends the next piece of the file to rest(); false at the end.
    bool more();
    // Whether rest() holds at least n bytes, reading more as needed.
    bool has(qsizetype n);
    void consume(qsizetype n) { m_pos += n; }

private:
    FileChunks *m_file = nullptr;
    QByteArray m_buffer;
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

} // namespace askbright
