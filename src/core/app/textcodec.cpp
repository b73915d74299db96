#include "app/textcodec.h"

#include "app/apperror.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace askbright {

namespace {

// Bytes 80..9F; the rest of the code page equals ISO-8859-1.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

inline int encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (size_t i = 0; i < cp1252High.size(); ++i) {
        if (cp1252High[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

} // namespace

namespace {

// Whether any byte lies in 80..9F (its top three bits are 100), eight bytes
// at a time.
bool hasCp1252High(QByteArrayView bytes)
{
    constexpr quint64 topBits = 0xE0E0E0E0E0E0E0E0, pattern = 0x8080808080808080,
                      ones = 0x0101010101010101;
    const char *at = bytes.data();
    qsizetype left = bytes.size();
    for (; left >= 8; at += 8, left -= 8) {
        quint64 word;
        std::memcpy(&word, at, 8);
        // A zero byte in x marks a byte of the range.
        const quint64 x = (word & topBits) ^ pattern;
        if ((x - ones) & ~x & pattern)
            return true;
    }
    return std::any_of(at, at + left, [](char c) { return (uchar(c) & 0xE0) == 0x80; });
}

} // namespace

QString decodeCp1252(QByteArrayView bytes)
{
    // Mostly the text is ISO-8859-1 as it stands, which Qt widens fast; only
    // the bytes 80..9F are looked up afterwards, when there are any.
    QString out = QString::fromLatin1(bytes.data(), bytes.size());
    if (!hasCp1252High(bytes))
        return out;
    for (QChar &c : out) {
        if (c.unicode() >= 0x80 && c.unicode() < 0xA0)
            c = QChar(cp1252High[c.unicode() - 0x80]);
    }
    return out;
}

bool isEncodable(QChar c)
{
    return encodeChar(c.unicode()) >= 0;
}

qsizetype firstUnencodable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isEncodable(text.at(i)))
            return i;
    }
    return -1;
}

int cp1252Byte(QChar c)
{
    return encodeChar(c.unicode());
}

void throwUnencodable(QChar c)
{
    throw AppError(
        AppError::InvalidCall,
        QStringLiteral("The character \"%1\" (U+%2) cannot be stored in a Windows-1252 file")
            .arg(c)
            .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'))));
}

QByteArray encodeCp1252(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *dst = out.data();
    for (QChar c : text) {
        const int b = encodeChar(c.unicode());
        if (b < 0)
            throwUnencodable(c);
        *dst++ = char(b);
    }
    return out;
}

QString trimLeadingBlanks(const QString &s)
{
    qsizetype start = 0;
    while (start < s.size() && s.at(start) == u' ')
        ++start;
    return s.mid(start);
}

QString trimTrailingBlanks(const QString &s)
{
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1) == u' ')
        --end;
    return s.left(end);
}

QString trimBlanks(const QString &s)
{
    return trimLeadingBlanks(trimTrailingBlanks(s));
}

QString excerpt(const QString &text)
{
    constexpr qsizetype maxQuoted = 60;
    return text.size() <= maxQuoted ? text : text.left(maxQuoted) + QStringLiteral("...");
}

QString LineReader::next()
{
    if (atEnd())
        throw AppError(AppError::InputPastEndOfFile);
    qsizetype end = m_pos;
    while (end < m_text.size() && m_text.at(end) != u'\r' && m_text.at(end) != u'\n')
        ++end;
    QString line = m_text.mid(m_pos, end - m_pos);
    m_pos = end;
    if (m_pos < m_text.size() && m_text.at(m_pos) == u'\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text.at(m_pos) == u'\n')
        ++m_pos;
    return line;
}

} // namespace askbright
