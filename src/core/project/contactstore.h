#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace askbright {

// The contact address file in the program's (data) folder.
inline const QString contactFileName = QStringLiteral("mail.dat");
// The version text the export dialog writes: its address is stored as typed.
inline const QString plainStoreVersion = QStringLiteral("1.2.5");

// mail.dat's two lines, surrounding blanks removed.
struct ContactStore {
    QString addressVersion;
    QString address; // encoded or as typed, see holdsEncodedAddress

    bool operator==(const ContactStore &) const = default;
};

// Every character as "&#" code ";" with its Windows-1252 code ("abc" gives
// "&#97;&#98;&#99;"); surrounding blanks are dropped first. Throws AppError
// for a character the code page lacks.
QString mail_encrypt(const QString &address);
// The reverse: a run of characters ended by "&", "#" or ";" is a character
// code; a run left open at the end is dropped. A run that is not a number
// throws error 13, a code beyond 255 error 5.
QString mail_decrypt(const QString &encoded);

// Whether a store's address line is encoded by its version text: it starts
// with the running program's "major.minor".
bool holdsEncodedAddress(const QString &addressVersion);
// Whether an address line is nothing but Windows-1252 decimal character
// references ("&#97;&#64;..."): no typed address looks like that.
bool consistsOfCharacterReferences(const QString &address);
// Whether the layout editor decodes the store's address: by its version, or
// because the line is character references whatever program version wrote
// it, so an encoded address is never shown encoded and encoded again.
bool addressIsEncoded(const ContactStore &store);
// The address as the layout editor's field shows it.
QString addressForEditor(const ContactStore &store);

QString contactStorePath(const QString &folder);
// The store in folder, or nothing when there is no mail.dat; throws AppError
// (62 for a store of fewer than two lines).
std::optional<ContactStore> readContactStore(const QString &folder);
ContactStore parseContactStore(QByteArrayView bytes);
// The export dialog's reading: line 2, or "" when there is no store.
QString readContactAddress(const QString &folder);

// The layout editor's writing: the program's full version and the address
// field encoded when it holds an at sign, else an empty address line.
void saveEditorContactStore(const QString &folder, const QString &addressField);
// The export dialog's writing (mail_speichern): "1.2.5" and the address as typed.
void mail_speichern(const QString &folder, const QString &contactAddress);

} // namespace askbright
