#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace askbright {

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
