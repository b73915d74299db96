#include "app/apperror.h"

#include <cerrno>

namespace askbright {

AppError::AppError(int number, QString description, QString germanDescription)
    : m_number(number), m_description(std::move(description)),
      m_germanDescription(std::move(germanDescription)), m_what(numberAndDescription().toUtf8())
{
}

AppError AppError::withDetail(int number, const QString &detail)
{
    AppError error(number);
    error.m_detail = detail;
    error.m_what = error.numberAndDescription().toUtf8();
    return error;
}

QString AppError::description(Language language) const
{
    if (!m_description.isEmpty())
        return language.isGerman() && !m_germanDescription.isEmpty() ? m_germanDescription
                                                                     : m_description;
    const QString classic = classicDescription(m_number, language);
    return m_detail.isEmpty() ? classic : classic + QStringLiteral(": ") + m_detail;
}

QString AppError::numberAndDescription(Language language) const
{
    return QString::number(m_number) + QStringLiteral("  ") + description(language);
}

QString AppError::classicDescription(int number, Language language)
{
    struct Classic {
        int number;
        const char16_t *german;
        const char16_t *english;
    };
    static constexpr Classic texts[] = {
        {InvalidCall, u"Ungültiger Prozeduraufruf oder ungültiges Argument",
         u"Invalid procedure call or argument"},
        {Overflow, u"Überlauf", u"Overflow"},
        {OutOfMemory, u"Nicht genügend Speicher", u"Out of memory"},
        {SubscriptOutOfRange, u"Index außerhalb des gültigen Bereichs", u"Subscript out of range"},
        {TypeMismatch, u"Typen unverträglich", u"Type mismatch"},
        {BadFileName, u"Dateiname oder -nummer falsch", u"Bad file name or number"},
        {FileNotFound, u"Datei nicht gefunden", u"File not found"},
        {DeviceIoError, u"Fehler beim Lesen oder Schreiben auf dem Gerät", u"Device I/O error"},
        {DiskFull, u"Datenträger voll", u"Disk full"},
        {InputPastEndOfFile, u"Einlesen hinter Dateiende", u"Input past end of file"},
        {PermissionDenied, u"Zugriff verweigert", u"Permission denied"},
        {DiskNotReady, u"Datenträger nicht bereit", u"Disk not ready"},
        {PathFileAccessError, u"Fehler beim Zugriff auf Pfad/Datei", u"Path/File access error"},
        {PathNotFound, u"Pfad nicht gefunden", u"Path not found"},
        {ResourceNotFound, u"Ressource mit diesem Bezeichner nicht gefunden",
         u"Resource with this identifier not found"},
        {Cancelled, u"Abgebrochen", u"Cancelled"},
    };
    for (const Classic &c : texts)
        if (c.number == number)
            return language.pick(c.german, c.english);
    return language.pick(u"Anwendungs- oder objektdefinierter Fehler",
                         u"Application-defined or object-defined error");
}

AppError AppError::fromErrno(int err, const QString &path)
{
    int number = PathFileAccessError;
    switch (err) {
    case ENOENT:
        number = FileNotFound;
        break;
    case ENOTDIR:
        number = PathNotFound;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        number = PermissionDenied;
        break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        number = DiskFull;
        break;
    case EIO:
        number = DeviceIoError;
        break;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
        number = DiskNotReady;
        break;
    case ENAMETOOLONG:
    case EINVAL:
        number = BadFileName;
        break;
    default:
        break;
    }
    return withDetail(number, path);
}

AppError AppError::fromFile(const QFileDevice &file, int savedErrno)
{
    if (savedErrno != 0)
        return fromErrno(savedErrno, file.fileName());
    int number = PathFileAccessError;
    switch (file.error()) {
    case QFileDevice::OpenError:
        number = FileNotFound;
        break;
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
        number = DeviceIoError;
        break;
    case QFileDevice::PermissionsError:
        number = PermissionDenied;
        break;
    case QFileDevice::ResourceError:
        number = DiskFull;
        break;
    default:
        break;
    }
    return withDetail(number, file.fileName());
}

} // namespace askbright
