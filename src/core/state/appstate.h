#pragma once

#include "app/clock.h"
#include "app/language.h"
#include "appearance/colorscheme.h"
#include "database/faqdatabase.h"
#include "settings/appsettings.h"
#include "settings/settingsfile.h"
#include "state/pageselection.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace askbright {

// Everything more than one window uses, created once in main (or in a test)
// and handed to each window by reference. Changes that several windows follow
// are signalled.
class AppState : public QObject {
    Q_OBJECT
public:
    // programFolder holds the companion files; files the program writes go
    // there too unless it is not writable (see dataFolder()). exeBaseName is
    // the executable's file name without extension: it names the settings
    // file, the error log and the error protocol. documentsFolder is the
    // user's documents folder (empty: the system's).
    AppState(const QString &programFolder, const Clock &clock,
             const QString &exeBaseName = QStringLiteral("askbright"),
             const QString &documentsFolder = {});

    const Clock &clock() const { return m_clock; }
    QString today() const; // short date text

    QString programFolder() const { return m_programFolder; }
    QString dataFolder() const { return m_dataFolder; }
    QString exeBaseName() const { return m_exeBaseName; }
    QString settingsFilePath() const; // where the settings are written
    // Where the settings are read at start: settingsFilePath(), or, while
    // that does not exist, the settings file a read-only program folder holds.
    QString startSettingsPath() const;
    // Reads the start settings. At a first start (no settings file at all) a
    // new user is led somewhere: the templates folder is the sample page
    // projects, the output folder defaultOutputFolder() and the .faq folder
    // the one holding the sample database. A read-only program folder's
    // samples are copied into the data folder for that (never over a copy
    // already there).
    SettingsReadResult readStartSettings();
    // "Askbright" in the user's documents folder; made when first used, so
    // the start-up check does not count it as gone.
    QString defaultOutputFolder() const;
    QString recentFilesPath() const;
    QString errorLogPath() const;      // appended on every error report
    QString errorProtocolPath() const; // written on request

    Language language() const { return settings.language; }
    void setLanguage(Language language);

    // "   Datei: name.faq", "   Neuanlage" / "   New File", or "".
    QString titleSuffix() const { return m_titleSuffix; }
    void setTitleSuffix(const QString &suffix);

    // Repaints the windows that follow the scheme with currentColors.
    void applyScheme() { emit schemeApplied(); }

    FaqDatabase database;
    AppSettings settings;
    // The templates folder, page and output folder, which live in settings.
    PageSelection pages{settings};
    // Whether the export dialog offers the modern page: the one export
    // option kept from one opening to the next.
    bool modernPageChosen = false;
    QString contactAddress;     // ContactAddress: empty means no contact block
    ColorScheme currentColors;  // painted on windows, edited by the scheme editor
    ColorScheme savedColors;    // as last read from or written to a scheme file
    QStringList installedFonts; // sorted; entry 0 empty
    int exitConfirmed = 0;

signals:
    void languageChanged(Language language);
    void titleSuffixChanged(const QString &suffix);
    void schemeApplied();

private:
    // The folder holding the sample database and page projects a user works on.
    QString samplesFolder() const;

    const Clock &m_clock;
    QString m_programFolder;
    QString m_dataFolder;
    QString m_documentsFolder;
    QString m_exeBaseName;
    QString m_titleSuffix;
};

} // namespace askbright
