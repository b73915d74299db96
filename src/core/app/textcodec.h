#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace askbright {

class AppError;

// Stored record texts carry this character (byte A8 on disk) where the user
// typed a double quote, so that quoted fields never contain a quote.
inline constexpr QChar quoteSubstitute = QChar(0x00A8);
inline constexpr char crlf[] = "\r\n";

// Windows-1252, the code page of every file the program reads and writes.
// Decoding accepts any byte (the five unassigned ones map to U+0081 etc.),
// so every byte survives a round trip.
QString decodeCp1252(QByteArrayView bytes);
// Throws AppError when a character has no Windows-1252 byte: a writer must
// never put a substitute in place of the user's text.
QByteArray encodeCp1252(const QString &text);
// The byte of one character, or -1 when Windows-1252 has none.
int cp1252Byte(QChar c);
// The error a writer throws for such a character.
[[noreturn]] void throwUnencodable(QChar c);
// Index of the first character Windows-1252 cannot hold, or -1.
qsizetype firstUnencodable(const QString &text);
bool isEncodable(QChar c);

// "Trim" in this program removes blanks (U+0020) only; tabs and line breaks stay.
QString trimBlanks(const QString &s);
QString trimLeadingBlanks(const QString &s);
QString trimTrailingBlanks(const QString &s);

// At most the first 60 characters of a value, for quoting it in a message.
QString excerpt(const QString &text);

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

// Line-by-line reading of the positional text files. A line ends at CR LF,
// CR or LF; reading past the last line throws error 62.
class LineReader {
public:
    explicit LineReader(QString text) : m_text(std::move(text)) {}
    QString next();
    bool atEnd() const { return m_pos >= m_text.size(); }

private:
    QString m_text;
    qsizetype m_pos = 0;
};

} // namespace askbright
