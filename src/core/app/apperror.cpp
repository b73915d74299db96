#include "app/apperror.h"

#include <cerrno>

namespace askbright {

AppError::AppError(int number, QString description, QString germanDescription)
    : m_number(number),
      m_description(description.isEmpty() ? classicDescription(number) : std::move(description)),
      m_germanDescription(std::move(germanDescription)), m_what(numberAndDescription().toUtf8())
{
}

QString AppError::numberAndDescription() const
{
    return QString::number(m_number) + QStringLiteral("  ") + m_description;
}

QString AppError::numberAndDescription(Language language) const
{
    if (language.isEnglish() || m_germanDescription.isEmpty())
        return numberAndDescription();
    return QString::number(m_number) + QStringLiteral("  ") + m_germanDescription;
}

QString AppError::classicDescription(int number)
{
    switch (number) {
    case InvalidCall:
        return QStringLiteral("Invalid procedure call or argument");
    case Overflow:
        return QStringLiteral("Overflow");
    case OutOfMemory:
        return QStringLiteral("Out of memory");
    case SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case TypeMismatch:
        return QStringLiteral("Type mismatch");
    case BadFileName:
        return QStringLiteral("Bad file name or number");
    case FileNotFound:
        return QStringLiteral("File not found");
    case DeviceIoError:
        return QStringLiteral("Device I/O error");
    case DiskFull:
        return QStringLiteral("Disk full");
    case InputPastEndOfFile:
        return QStringLiteral("Input past end of file");
    case PermissionDenied:
        return QStringLiteral("Permission denied");
    case DiskNotReady:
        return QStringLiteral("Disk not ready");
    case PathFileAccessError:
        return QStringLiteral("Path/File access error");
    case PathNotFound:
        return QStringLiteral("Path not found");
    case ResourceNotFound:
        return QStringLiteral("Resource with this identifier not found");
    case Cancelled:
        return QStringLiteral("Cancelled");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
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
    QString description = classicDescription(number);
    if (!path.isEmpty())
        description += QStringLiteral(": ") + path;
    return AppError(number, description);
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
    return AppError(number, classicDescription(number) + QStringLiteral(": ") + file.fileName());
}

} // namespace askbright
