#include "state/appstate.h"

#include "app/apperror.h"
#include "app/filesaver.h"
#include "app/paths.h"
#include "settings/recentfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

namespace askbright {

namespace {

// A program installed system-wide cannot write beside itself; its files then
// live in the per-user data folder.
QString chooseDataFolder(const QString &programFolder)
{
    if (QFileInfo(programFolder).isWritable())
        return programFolder;
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userFolder);
    return withTrailingSeparator(QDir::toNativeSeparators(userFolder));
}

const QString sampleDatabaseName = QStringLiteral("beispiel.faq");
const QString sampleTemplatesName = QStringLiteral("vorlagen");

// Copies the files of the source that the target lacks; what the target has
// is the user's and stays.
void copyMissing(const QString &source, const QString &target)
{
    const QFileInfo from(source);
    if (from.isDir()) {
        for (const QString &name :
             QDir(source).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
            copyMissing(withTrailingSeparator(source) + name, withTrailingSeparator(target) + name);
        return;
    }
    if (!from.isFile() || QFileInfo::exists(target))
        return;
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError::fromFile(file, errno);
    if (!QDir().mkpath(folderOf(target)))
        throw AppError::fromErrno(errno, folderOf(target));
    saveFile(target, file.readAll());
}

} // namespace

AppState::AppState(const QString &programFolder, const Clock &clock, const QString &exeBaseName,
                   const QString &documentsFolder)
    : m_clock(clock),
      m_programFolder(withTrailingSeparator(QDir::toNativeSeparators(programFolder))),
      m_dataFolder(chooseDataFolder(m_programFolder)),
      m_documentsFolder(withTrailingSeparator(QDir::toNativeSeparators(
          documentsFolder.isEmpty()
              ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
              : documentsFolder))),
      m_exeBaseName(exeBaseName)
{
    database.setBlankRecord(leerds_erstellen(clock.today()));
}

QString AppState::today() const
{
    return shortDateText(m_clock.today());
}

QString AppState::settingsFilePath() const
{
    return m_dataFolder + m_exeBaseName + QStringLiteral(".ini");
}

QString AppState::startSettingsPath() const
{
    const QString own = settingsFilePath();
    const QString shipped = m_programFolder + m_exeBaseName + QStringLiteral(".ini");
    return !QFileInfo::exists(own) && QFileInfo::exists(shipped) ? shipped : own;
}

SettingsReadResult AppState::readStartSettings()
{
    const QString path = startSettingsPath();
    const bool firstStart = !QFileInfo::exists(path);
    const SettingsReadResult result = readSettingsFile(path, settings);
    if (firstStart) {
        const QString samples = samplesFolder();
        const QString templates = samples + sampleTemplatesName;
        if (QFileInfo(templates).isDir())
            settings.TemplatesFolder = withTrailingSeparator(templates);
        settings.HtmlOutputFolder = defaultOutputFolder();
        settings.faqFolder = samples;
    }
    return result;
}

QString AppState::defaultOutputFolder() const
{
    return withTrailingSeparator(m_documentsFolder + QStringLiteral("Askbright"));
}

QString AppState::samplesFolder() const
{
    if (m_dataFolder == m_programFolder)
        return m_programFolder;
    // A copy that cannot be made leaves the user to choose folders, as
    // without samples.
    try {
        for (const QString &name : {sampleDatabaseName, sampleTemplatesName})
            copyMissing(m_programFolder + name, m_dataFolder + name);
    } catch (const AppError &) {
    }
    return m_dataFolder;
}

QString AppState::recentFilesPath() const
{
    return m_dataFolder + recentFilesName;
}

QString AppState::errorLogPath() const
{
    return m_dataFolder + m_exeBaseName + QStringLiteral(".EPT");
}

QString AppState::errorProtocolPath() const
{
    return m_dataFolder + m_exeBaseName + QStringLiteral(".ERR");
}

void AppState::setLanguage(Language language)
{
    settings.language = language;
    emit languageChanged(language);
}

void AppState::setTitleSuffix(const QString &suffix)
{
    m_titleSuffix = suffix;
    emit titleSuffixChanged(suffix);
}

} // namespace askbright
