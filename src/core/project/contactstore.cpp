#include "project/contactstore.h"

#include "app/apperror.h"
#include "app/boundedread.h"
#include "app/filesaver.h"
#include "app/paths.h"
#include "app/product.h"
#include "app/textcodec.h"
#include "app/version.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace askbright {

namespace {

constexpr qint64 maxContactFileBytes = 64 * 1024;

void writeStore(const QString &folder, const QString &version, const QString &address)
{
    saveTextFile(localPath(contactStorePath(folder)),
                 version + QLatin1String(crlf) + address + QLatin1String(crlf));
}

QChar characterOfCode(const QString &run)
{
    for (QChar c : run) {
        if (c < u'0' || c > u'9')
            throw AppError(
                AppError::TypeMismatch,
                QStringLiteral("Type mismatch: \"%1\" is not a character code").arg(excerpt(run)));
    }
    bool ok = false;
    const uint code = run.toUInt(&ok);
    if (!ok || code > 255)
        throw AppError(AppError::InvalidCall,
                       QStringLiteral("%1 is not a Windows-1252 character code").arg(excerpt(run)));
    const char byte = char(code);
    return decodeCp1252(QByteArrayView(&byte, 1)).at(0);
}

} // namespace

QString mail_encrypt(const QString &address)
{
    const QByteArray bytes = encodeCp1252(trimBlanks(address));
    QString out;
    out.reserve(bytes.size() * 6);
    for (char b : bytes)
        out += QStringLiteral("&#") + QString::number(uchar(b)) + u';';
    return out;
}

QString mail_decrypt(const QString &encoded)
{
    QString result;
    QString run;
    for (QChar c : encoded) {
        if (c == u'&' || c == u'#' || c == u';') {
            if (!run.isEmpty())
                result += characterOfCode(run);
            run.clear();
        } else {
            run += c;
        }
    }
    return result;
}

bool holdsEncodedAddress(const QString &addressVersion)
{
    return addressVersion.startsWith(QStringLiteral("%1.%2").arg(versionMajor).arg(versionMinor));
}

bool consistsOfCharacterReferences(const QString &address)
{
    static const QRegularExpression reference(QStringLiteral("&#([0-9]{1,3});"));
    qsizetype end = 0;
    for (QRegularExpressionMatchIterator it = reference.globalMatch(address); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedStart() != end || m.captured(1).toInt() > 255)
            return false;
        end = m.capturedEnd();
    }
    return end > 0 && end == address.size();
}

bool addressIsEncoded(const ContactStore &store)
{
    return holdsEncodedAddress(store.addressVersion) ||
           consistsOfCharacterReferences(store.address);
}

QString addressForEditor(const ContactStore &store)
{
    return addressIsEncoded(store) ? mail_decrypt(store.address) : store.address;
}

QString contactStorePath(const QString &folder)
{
    return folder + contactFileName;
}

std::optional<ContactStore> readContactStore(const QString &folder)
{
    const QString path = localPath(contactStorePath(folder));
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return parseContactStore(readFileBytes(path, maxContactFileBytes));
}

ContactStore parseContactStore(QByteArrayView bytes)
{
    LineReader in(decodeCp1252(bytes));
    ContactStore store;
    store.addressVersion = trimBlanks(in.next());
    store.address = trimBlanks(in.next());
    return store;
}

QString readContactAddress(const QString &folder)
{
    const std::optional<ContactStore> store = readContactStore(folder);
    return store ? store->address : QString();
}

void saveEditorContactStore(const QString &folder, const QString &addressField)
{
    writeStore(folder, fullVersionText(),
               addressField.contains(u'@') ? mail_encrypt(addressField) : QString());
}

void mail_speichern(const QString &folder, const QString &contactAddress)
{
    writeStore(folder, plainStoreVersion, contactAddress);
}

} // namespace askbright
