#pragma once

#include "app/language.h"

#include <QFileDevice>
#include <QString>
#include <exception>

namespace askbright {

// A failure with a run-time error number in the classic numbering, so that
// messages and logs show the numbers users already know.
class AppError : public std::exception {
public:
    enum Number {
        InvalidCall = 5,
        OutOfMemory = 7,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        TypeMismatch = 13,
        BadFileName = 52,
        FileNotFound = 53,
        DeviceIoError = 57,
        DiskFull = 61,
        InputPastEndOfFile = 62,
        PermissionDenied = 70,
        DiskNotReady = 71,
        PathFileAccessError = 75,
        PathNotFound = 76,
        ResourceNotFound = 326,
        Cancelled = 32755,
    };

    // The description defaults to the classic text of the number. A failure
    // the user can act on may have a German wording too; without one, the
    // description is shown in both languages.
    explicit AppError(int number, QString description = {}, QString germanDescription = {});

    int number() const { return m_number; }
    QString description() const { return m_description; }
    // "53  File not found": number, two blanks, description.
    QString numberAndDescription() const;
    QString numberAndDescription(Language language) const;
    const char *what() const noexcept override { return m_what.constData(); }

    static QString classicDescription(int number);
    // Maps an operating-system error (errno) met while accessing path.
    static AppError fromErrno(int err, const QString &path);
    // Maps a failed QFile/QSaveFile operation; uses errno when the device left one.
    static AppError fromFile(const QFileDevice &file, int savedErrno);

private:
    int m_number;
    QString m_description;
    QString m_germanDescription;
    QByteArray m_what;
};

} // namespace askbright
