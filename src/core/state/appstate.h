#pragma once

#include "app/clock.h"
#include "database/faqdatabase.h"
#include "html/exportoptions.h"
#include "settings/appsettings.h"

#include <QString>

namespace askbright {

// Everything more than one window uses, created once in main (or in a test)
// and handed to each window by reference.
class AppState {
public:
    // programFolder holds the companion files; files the program writes go
    // there too unless it is not writable (see dataFolder()).
    AppState(const QString &programFolder, const Clock &clock,
             const QString &exeBaseName = QStringLiteral("askbright"));

    const Clock &clock() const { return m_clock; }
    QString today() const; // short date text

    QString programFolder() const { return m_programFolder; }
    QString dataFolder() const { return m_dataFolder; }
    QString settingsFilePath() const;
    QString recentFilesPath() const;

    FaqDatabase database;
    AppSettings settings;
    ExportOptions exportOptions;
    QString contactAddress; // ContactAddress: empty means no contact block
    QString titleSuffix;    // "   Datei: name.faq", "   Neuanlage" / "   New File", or ""
    int lastAnswer = 0;
    int exitConfirmed = 0;

private:
    const Clock &m_clock;
    QString m_programFolder;
    QString m_dataFolder;
    QString m_exeBaseName;
};

} // namespace askbright
