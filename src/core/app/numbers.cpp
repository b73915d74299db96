#include "app/numbers.h"

#include "app/apperror.h"
#include "app/textcodec.h"

#include <cmath>
#include <limits>

namespace askbright {

namespace {

double parseNumber(const QString &text)
{
    QString s = text.trimmed();
    if (s.isEmpty())
        return 0.0;
    // A single comma is a decimal separator; combined with points it is not a number here.
    if (s.count(u',') == 1 && !s.contains(u'.'))
        s.replace(u',', u'.');
    bool digitSeen = false;
    bool pointSeen = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            digitSeen = true;
        } else if (c == u'.' && !pointSeen) {
            pointSeen = true;
        } else if ((c == u'-' || c == u'+') && i == 0) {
        } else {
            throw AppError(AppError::TypeMismatch,
                           QStringLiteral("Type mismatch: \"%1\" is not a number").arg(text));
        }
    }
    if (!digitSeen)
        throw AppError(AppError::TypeMismatch,
                       QStringLiteral("Type mismatch: \"%1\" is not a number").arg(text));
    bool ok = false;
    const double value = s.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw AppError(AppError::Overflow);
    return value;
}

template <typename T> T toInteger(const QString &text)
{
    const double rounded = std::nearbyint(parseNumber(text)); // default mode: half to even
    if (rounded < double(std::numeric_limits<T>::min()) ||
        rounded > double(std::numeric_limits<T>::max()))
        throw AppError(AppError::Overflow,
                       QStringLiteral("Overflow: %1 is out of range").arg(trimBlanks(text)));
    return static_cast<T>(rounded);
}

} // namespace

qint16 toInt16(const QString &text)
{
    return toInteger<qint16>(text);
}

qint32 toInt32(const QString &text)
{
    return toInteger<qint32>(text);
}

double toDecimal(const QString &text)
{
    return parseNumber(text);
}

QString printNumber(qint64 value)
{
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value) +
           QStringLiteral(" ");
}

QString printDecimal(double value)
{
    QString digits = QString::number(value, 'g', 7);
    digits.replace(u'.', u',');
    return (value < 0 ? QString() : QStringLiteral(" ")) + digits + QStringLiteral(" ");
}

} // namespace askbright
