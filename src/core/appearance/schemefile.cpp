#include "appearance/schemefile.h"

#include "app/apperror.h"
#include "app/boundedread.h"
#include "app/filesaver.h"
#include "app/numbers.h"
#include "app/paths.h"
#include "app/textcodec.h"

#include <QFileInfo>
#include <limits>

namespace askbright {

namespace {

// A word quoted in a message is cut here so a binary file gives a short message.
constexpr qsizetype maxQuotedWord = 20;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool endsNumber(char c)
{
    return isBlank(c) || isLineEnd(c) || c == ',';
}

QString colourCount(int count)
{
    if (count == 0)
        return QStringLiteral("no colours");
    return count == 1 ? QStringLiteral("only 1 colour")
                      : QStringLiteral("only %1 colours").arg(count);
}

QString quoted(QByteArrayView word)
{
    QString text = decodeCp1252(word.first(qMin(word.size(), maxQuotedWord)));
    if (word.size() > maxQuotedWord)
        text += QStringLiteral("...");
    return u'"' + text + u'"';
}

} // namespace

ColorScheme parseScheme(QByteArrayView bytes, bool truncated)
{
    ColorScheme scheme;
    qsizetype pos = 0;
    for (int entry = 0; entry < ColorScheme::entryCount; ++entry) {
        while (pos < bytes.size() && (isBlank(bytes[pos]) || isLineEnd(bytes[pos])))
            ++pos;
        if (pos >= bytes.size()) {
            if (truncated)
                throw AppError(AppError::OutOfMemory,
                               QStringLiteral("The colour scheme file is larger than %1 bytes "
                                              "and holds %2 in them")
                                   .arg(maxSchemeFileBytes)
                                   .arg(colourCount(entry)));
            throw AppError(
                AppError::InputPastEndOfFile,
                QStringLiteral("The colour scheme file holds %1").arg(colourCount(entry)));
        }
        const qsizetype start = pos;
        while (pos < bytes.size() && !endsNumber(bytes[pos]))
            ++pos;
        if (pos >= bytes.size() && truncated)
            throw AppError(AppError::OutOfMemory,
                           QStringLiteral("The colour scheme file is larger than %1 bytes and "
                                          "colour %2 is cut off at that point")
                               .arg(maxSchemeFileBytes)
                               .arg(entry + 1));
        const QByteArrayView word = bytes.sliced(start, pos - start);
        if (word.isEmpty())
            throw AppError(AppError::TypeMismatch,
                           QStringLiteral("The colour scheme file has an empty entry where "
                                          "colour %1 belongs")
                               .arg(entry + 1));
        try {
            scheme.entries[size_t(entry)] = toInt32(decodeCp1252(word));
        } catch (const AppError &e) {
            const QString what = e.number() == AppError::Overflow
                                     ? QStringLiteral("The colour scheme file holds %1 as colour "
                                                      "%2, which is out of range")
                                     : QStringLiteral("The colour scheme file holds %1 where "
                                                      "colour %2 belongs");
            throw AppError(e.number(), what.arg(quoted(word)).arg(entry + 1));
        }
        while (pos < bytes.size() && isBlank(bytes[pos]))
            ++pos;
        if (pos < bytes.size() && bytes[pos] == ',')
            ++pos;
    }
    return scheme;
}

ColorScheme readSchemeFile(const QString &path)
{
    FileChunks file(localPath(path), std::numeric_limits<qint64>::max());
    // Only the beginning is read: whatever follows the fourth number never matters.
    QByteArray bytes;
    while (bytes.size() < maxSchemeFileBytes && file.read(bytes, maxSchemeFileBytes - bytes.size()))
        ;
    return parseScheme(bytes, file.size() > bytes.size());
}

QByteArray formatScheme(const ColorScheme &scheme)
{
    QByteArray out;
    for (qint32 colour : scheme.entries)
        out += printNumber(colour).toLatin1() + crlf;
    return out;
}

void saveSchemeFile(const QString &path, const ColorScheme &scheme)
{
    saveFile(localPath(path), formatScheme(scheme));
}

bool isSchemeFileName(const QString &name)
{
    return name.endsWith(QStringLiteral("sch"), Qt::CaseSensitive);
}

bool isUsableScheme(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(localPath(path));
    return info.isFile() && isSchemeFileName(info.fileName());
}

QString startupSchemePath(const QString &schemeFilePath, const QString &programFolder)
{
    if (schemeFilePath.isEmpty() || !QFileInfo(localPath(schemeFilePath)).isFile())
        return programFolder + standardSchemeName;
    return schemeFilePath;
}

void skin_einlesen(const QString &path, ColorScheme &currentColors, ColorScheme &savedColors)
{
    const ColorScheme scheme = readSchemeFile(path);
    currentColors = scheme;
    savedColors = scheme;
}

void saveScheme(const QString &chosenPath, const ColorScheme &currentColors,
                ColorScheme &savedColors, QString &schemeFilePath)
{
    saveSchemeFile(chosenPath, currentColors);
    savedColors = currentColors;
    schemeFilePath = chosenPath;
}

void loadScheme(const QString &chosenPath, ColorScheme &currentColors, ColorScheme &savedColors,
                QString &schemeFilePath)
{
    skin_einlesen(chosenPath, currentColors, savedColors);
    schemeFilePath = chosenPath;
}

} // namespace askbright
