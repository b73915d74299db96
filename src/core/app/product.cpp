#include "app/product.h"

#include "app/version.h"

namespace askbright {

QString versionText()
{
    return QStringLiteral(" Version %1.%2").arg(versionMajor).arg(versionMinor);
}

QString fullVersionText()
{
    return QStringLiteral("%1.%2.%3").arg(versionMajor).arg(versionMinor).arg(versionRevision);
}

} // namespace askbright
