#include "app/clock.h"

namespace askbright {

QString shortDateText(QDate date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace askbright
