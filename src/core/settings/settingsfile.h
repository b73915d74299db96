#pragma once

#include "app/apperror.h"
#include "settings/appsettings.h"

#include <QString>
#include <optional>

namespace askbright {

inline constexpr int settingsLineCount = 59;

enum class SettingsReadOutcome {
    Complete,   // all 59 lines read
    EndedEarly, // the file ended early (error 62): what was read is kept
    Recovered,  // any other error: fonts reset to Arial 11.25, centring on;
                // the caller writes the file with the current values
};

struct SettingsReadResult {
    SettingsReadOutcome outcome = SettingsReadOutcome::Complete;
    std::optional<AppError> error;
};

// Reads the positional settings file into settings. Values are stored as
// they are read, so a failure keeps the lines before it.
SettingsReadResult readSettingsFile(const QString &path, AppSettings &settings);
void parseSettings(const QString &text, AppSettings &settings);

// The 59 lines, each ended by CR LF.
QString formatSettings(const AppSettings &settings);
void writeSettingsFile(const QString &path, const AppSettings &settings);

} // namespace askbright
