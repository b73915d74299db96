#pragma once

#include <QString>
#include <QtGlobal>

namespace askbright {

// Number conversions of the positional text files. Parsing is locale
// independent: a decimal comma and a decimal point are both accepted, so
// files written under a German locale read back unchanged everywhere.
// An empty text is 0; anything else that is not a number throws error 13,
// a value outside the target range error 6. Fractions round half to even.
qint16 toInt16(const QString &text);
qint32 toInt32(const QString &text);
double toDecimal(const QString &text);

// Numbers as a print statement writes them: the sign position (a blank for
// non-negative numbers), the digits, a trailing blank: " 12 ", "-3 ".
QString printNumber(qint64 value);
// Decimals the same way, with a decimal comma: " 11,25 ".
QString printDecimal(double value);

} // namespace askbright
