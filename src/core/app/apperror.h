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

    // Without a description the classic text of the number describes the
    // failure, in either language; a description given is kept as worded,
    // in German too when a German wording is given.
    explicit AppError(int number, QString description = {}, QString germanDescription = {});

    int number() const { return m_number; }
    // The classic text is followed by the detail (a path) when there is one.
    QString description(Language language = Language::English) const;
    // "53  File not found": number, two blanks, description.
    QString numberAndDescription(Language language = Language::English) const;
    const char *what() const noexcept override { return m_what.constData(); }

    static QString classicDescription(int number, Language language = Language::English);
    // Maps an operating-system error (errno) met while accessing path.
    static AppError fromErrno(int err, const QString &path);
    // Maps a failed QFile/QSaveFile operation; uses errno when the device left one.
    static AppError fromFile(const QFileDevice &file, int savedErrno);

    // The classic text of number followed by ": " and detail (a path).
    static AppError withDetail(int number, const QString &detail);

private:
    int m_number;
    QString m_description; // as given; empty: the classic text
    QString m_germanDescription;
    QString m_detail;
    QByteArray m_what;
};

} // namespace askbright
