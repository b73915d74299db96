#include "errors/errorprotocol.h"

#include "app/filesaver.h"
#include "app/paths.h"
#include "app/product.h"
#include "app/textcodec.h"

#include <QFile>
#include <QStringView>
#include <QSysInfo>
#include <QVersionNumber>

namespace askbright {

namespace {

const QString line = QString(70, u'-') + QLatin1String(crlf);
const QString indent(10, u' ');
constexpr qsizetype printWidth = 73;
constexpr qsizetype continuationIndent = 20;
constexpr qsizetype tabWidth = 8;

void addRow(QString &text, const QString &row)
{
    text += row;
    text += QLatin1String(crlf);
}

void addIndented(QString &text, const QString &label, const QString &value)
{
    addRow(text, indent + label + u'\t' + value);
}

// A printer has no tab stops of its own: each tab becomes the blanks up to
// the next column that is a multiple of 8.
QString expandTabs(const QString &line)
{
    QString out;
    for (const QChar c : line) {
        if (c == u'\t')
            out += QString(tabWidth - out.size() % tabWidth, u' ');
        else
            out += c;
    }
    return out;
}

} // namespace

SystemInfo currentSystemInfo()
{
    return systemInfoFrom(QSysInfo::prettyProductName(), QSysInfo::kernelType(),
                          QSysInfo::kernelVersion(), QSysInfo::buildAbi());
}

// There is no platform id here: the platform row names the system as it calls
// itself, version and build come from the kernel's version numbers (the
// parts a support request needs to tell systems apart), and the ABI the
// program was built for stands where a service-pack text would.
SystemInfo systemInfoFrom(const QString &productName, const QString &kernelType,
                          const QString &kernelVersion, const QString &buildAbi)
{
    const QVersionNumber numbers = QVersionNumber::fromString(kernelVersion.trimmed());
    SystemInfo info;
    info.platform = productName.trimmed().isEmpty() ? kernelType : productName;
    info.version =
        QString::number(numbers.majorVersion()) + u'.' + QString::number(numbers.minorVersion());
    info.build = QString::number(numbers.microVersion()) + QStringLiteral("   ") + buildAbi;
    return info;
}

QString BuildProtocol(const ProtocolFields &fields, QDate date, QTime time,
                      const SystemInfo &system)
{
    QString text = line;
    addRow(text, QStringLiteral("F E H L E R P R O T O K O L L vom DaverUdivada"));
    text += line;
    addRow(text, fields.progInfoCaption.toUpper());
    addRow(text, indent + fields.progInfo);
    text += line;
    addRow(text, fields.errorCaption.toUpper());
    for (size_t i = 0; i < fields.errorTitles.size(); ++i)
        addIndented(text, fields.errorTitles[i], fields.errorValues[i]);
    addIndented(text, QStringLiteral("Datum/Uhrzeit:"),
                date.toString(QStringLiteral("MM-dd-yyyy")) + QStringLiteral(" / ") +
                    time.toString(QStringLiteral("HH:mm:ss")));
    text += line;
    addRow(text, fields.callStackCaption.toUpper());
    for (const QString &entry : fields.callStack)
        addRow(text, indent + entry);
    text += line;
    addRow(text, QStringLiteral("SYSTEMINFO:"));
    addIndented(text, QStringLiteral("Plattform:"), system.platform);
    addIndented(text, QStringLiteral("Version:"), system.version);
    addIndented(text, QStringLiteral("Build:"), system.build);
    text += line;
    return text;
}

QStringList wrapForPrint(const QString &protocol)
{
    const QString text = protocol + QLatin1String(crlf);
    QStringList printed;
    qsizetype start = 0;
    for (qsizetype end; (end = text.indexOf(QLatin1String(crlf), start)) >= 0; start = end + 2) {
        // Every word keeps the blank after it; the appended blank ends the last one.
        const QString source = expandTabs(text.mid(start, end - start)) + u' ';
        QString out;
        qsizetype counter = 0;
        qsizetype wordStart = 0;
        for (qsizetype blank; (blank = source.indexOf(u' ', wordStart)) >= 0;
             wordStart = blank + 1) {
            const QStringView word = QStringView(source).mid(wordStart, blank + 1 - wordStart);
            if (counter + word.size() > printWidth) {
                if (!out.isEmpty()) {
                    printed << out;
                    out = QString(continuationIndent, u' ');
                }
                counter = word.size();
            } else {
                counter += word.size();
            }
            out += word;
        }
        if (!out.isEmpty())
            printed << out;
    }
    return printed;
}

QByteArray protocolBytes(const QString &text)
{
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isEncodable(c)) {
            safe += c;
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text.at(++i));
        safe += QStringLiteral("&#%1;").arg(quint32(code));
    }
    return encodeCp1252(safe);
}

bool AppendProtocolLog(const QString &logPath, const QString &protocol) noexcept
{
    // Appending leaves every earlier entry in place, so the log is not
    // rewritten through the replace-the-whole-file helper on every error.
    try {
        const QByteArray bytes = protocolBytes(protocol + QLatin1String(crlf));
        QFile log(localPath(logPath));
        // Unbuffered: after a failed write no rest waits in a buffer to be
        // written behind the truncation when the file is closed.
        if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return false;
        const qint64 oldSize = log.size();
        if (log.write(bytes) == bytes.size() && log.flush())
            return true;
        log.resize(oldSize);
        return false;
    } catch (...) {
        return false;
    }
}

void saveProtocol(const QString &path, const QString &protocol)
{
    saveFile(path, protocolBytes(protocol + QLatin1String(crlf)));
}

QString programInfoText(const QString &exeBaseName)
{
    return exeBaseName + QStringLiteral("  V") + fullVersionText();
}

} // namespace askbright
