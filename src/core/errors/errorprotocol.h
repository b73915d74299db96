#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <array>

namespace askbright {

// What the error protocol is built from: the captions and texts the reporter
// window shows at the moment.
struct ProtocolFields {
    QString progInfoCaption;            // framProgInfo
    QString progInfo;                   // lblProgInfo
    QString errorCaption;               // framFehler
    std::array<QString, 4> errorTitles; // lblErrTitel 0..3
    std::array<QString, 4> errorValues; // lblError 0..3
    QString callStackCaption;           // framCallStack
    QStringList callStack;              // lstCallStack, top to bottom
};

// The three system rows of the protocol, ready to print.
struct SystemInfo {
    QString platform;
    QString version; // "major.minor"
    QString build;   // "build   detail"

    bool operator==(const SystemInfo &) const = default;
};

// The system rows of the machine the program runs on.
SystemInfo currentSystemInfo();
// The system rows from what the system says about itself: the product name
// (empty: the kernel type stands in), the kernel version ("6.1.0-18-amd64":
// version "6.1", build number 0) and the build ABI as the detail text.
SystemInfo systemInfoFrom(const QString &productName, const QString &kernelType,
                          const QString &kernelVersion, const QString &buildAbi);

// The protocol text: every line ends in CR LF.
QString BuildProtocol(const ProtocolFields &fields, QDate date, QTime time,
                      const SystemInfo &system);

// The protocol cut into printed lines: tabs become blanks up to the next
// multiple of 8 columns, and a line longer than 73 columns goes on at word
// boundaries in lines indented by 20 blanks.
QStringList wrapForPrint(const QString &protocol);

// The bytes the log and the protocol file hold: Windows-1252, with any
// character the code page lacks written as "&#code;" so that nothing is lost.
QByteArray protocolBytes(const QString &text);

// Appends the protocol and a CR LF to the log. Never throws: the reporter
// must reach its window even when the log cannot be written. A failed append
// is undone, so the log never keeps half an entry. Returns whether it was written.
bool AppendProtocolLog(const QString &logPath, const QString &protocol) noexcept;

// Replaces the protocol file with the protocol and a CR LF; throws AppError
// and keeps the old file on failure.
void saveProtocol(const QString &path, const QString &protocol);

// "askbright  V1.6.3": program name, two blanks, "V" and the full version.
QString programInfoText(const QString &exeBaseName);

} // namespace askbright
