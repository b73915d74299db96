#pragma once

#include "app/language.h"

#include <QString>
#include <array>

namespace askbright {

struct FieldFont {
    QString name = QStringLiteral("Arial");
    double size = 11.25; // points
    bool bold = false;
    bool underline = false;

    bool operator==(const FieldFont &) const = default;
};

// The settings the settings file keeps between runs.
struct AppSettings {
    Language language;
    bool soundsOn = false;
    bool alwaysOnTop = false;
    bool minimizeToTray = false; // closing the window hides it in the notification area
    bool centerWindow = false;   // else the stored position
    qint16 windowLeft = 0;       // twips
    qint16 windowTop = 0;
    qint16 windowHeight = 0;
    qint16 windowWidth = 0;
    bool rememberSize = false;
    FieldFont questionFont;                    // txtfrage
    FieldFont answerFont;                      // txtantwort
    std::array<qint32, 2> textColors = {0, 0}; // 0x00BBGGRR: [0] question, [1] answer
    QString TemplatesFolder;
    QString lastTemplatePage;
    QString HtmlOutputFolder;
    QString schemeFilePath;
    QString faqFolder;

    bool operator==(const AppSettings &) const = default;
};

} // namespace askbright
