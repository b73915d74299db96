#include "state/appstate.h"

#include "app/paths.h"
#include "settings/recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

} // namespace

AppState::AppState(const QString &programFolder, const Clock &clock, const QString &exeBaseName)
    : m_clock(clock),
      m_programFolder(withTrailingSeparator(QDir::toNativeSeparators(programFolder))),
      m_dataFolder(chooseDataFolder(m_programFolder)), m_exeBaseName(exeBaseName)
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
