#include "project/colors.h"

namespace askbright {

const std::array<QString, 16> StandardColors = {
    QStringLiteral("#000000"), QStringLiteral("#800000"), QStringLiteral("#008000"),
    QStringLiteral("#808000"), QStringLiteral("#000080"), QStringLiteral("#800080"),
    QStringLiteral("#008080"), QStringLiteral("#808080"), QStringLiteral("#C0C0C0"),
    QStringLiteral("#FF0000"), QStringLiteral("#00FF00"), QStringLiteral("#FFFF00"),
    QStringLiteral("#0000FF"), QStringLiteral("#FF00FF"), QStringLiteral("#00FFFF"),
    QStringLiteral("#FFFFFF"),
};

HexParts splitColorText(const QString &colorText)
{
    return {colorText.mid(1, 2), colorText.mid(3, 2), colorText.mid(5, 2)};
}

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

int hexValue(const QString &part)
{
    int value = 0;
    for (QChar c : part) {
        const int digit = hexDigit(c);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}

ColorParts rgb_errechnen(const QString &colorText)
{
    const HexParts hex = splitColorText(colorText);
    return {hexValue(hex.red), hexValue(hex.green), hexValue(hex.blue)};
}

QString hexByte(int value)
{
    return QString::number(value & 0xFF, 16).toUpper().rightJustified(2, u'0');
}

QString colorText(ColorParts parts)
{
    return u'#' + hexByte(parts.red) + hexByte(parts.green) + hexByte(parts.blue);
}

quint32 platformColor(ColorParts parts)
{
    return quint32(parts.red & 0xFF) + 256u * quint32(parts.green & 0xFF) +
           65536u * quint32(parts.blue & 0xFF);
}

ColorParts partsOfPlatformColor(quint32 value)
{
    return {int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF)};
}

} // namespace askbright
