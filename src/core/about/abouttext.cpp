#include "about/abouttext.h"

#include "app/apperror.h"
#include "app/paths.h"
#include "app/textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>

namespace askbright {

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

int cappedRound(double value)
{
    return int(std::min(255L, std::lround(value)));
}

} // namespace

QStringList parseAboutText(QByteArrayView bytes, bool truncated)
{
    if (truncated) {
        // The cut line would show as if it were whole.
        qsizetype end = bytes.size();
        while (end > 0 && !isLineEnd(bytes[end - 1]))
            --end;
        bytes = bytes.first(end);
    }
    QStringList lines;
    LineReader reader(decodeCp1252(bytes));
    while (!reader.atEnd() && lines.size() < maxAboutLines)
        lines << reader.next().left(maxAboutLineLength);
    return lines;
}

QStringList readAboutText(const QString &path)
{
    const QString local = localPath(path);
    // A folder, a pipe or a device by that name is no text to show, and
    // opening a pipe could wait for ever.
    if (!QFileInfo(local).isFile())
        throw AppError(AppError::FileNotFound, QStringLiteral("File not found: %1").arg(path));
    QFile file(local);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw AppError::fromFile(file, errno);
    const QByteArray bytes = file.read(maxAboutBytes);
    if (file.error() != QFileDevice::NoError)
        throw AppError::fromFile(file, errno);
    return parseAboutText(bytes, !file.atEnd());
}

AboutRgb aboutLineColour(int y)
{
    if (y >= 245)
        return {255, 255, 255};
    if (y > 15) {
        const int redGreen = cappedRound(y * 255.0 / 235.0);
        return {redGreen, redGreen, cappedRound(y * 255.0 / 17.0)};
    }
    return {0, 0, 255};
}

QList<GradientBand> aboutGradient(int height)
{
    QList<GradientBand> bands;
    if (height <= 0)
        return bands;
    const double step = -1275.0 / height;
    double blue = 255;
    for (int y = 0; y <= height; y += 5) {
        bands.append({y - 1, y + 5, qBound(0, int(std::lround(blue)), 255)});
        blue += step;
    }
    return bands;
}

} // namespace askbright
