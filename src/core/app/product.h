#pragma once

#include <QString>

namespace askbright {

// The product's own name and addresses, defined once for titles, the page
// footer, the homepage command and the support mail.
inline const QString productTitle = QStringLiteral("Askbright");
inline const QString homepageUrl = QStringLiteral("https://askbright.example.org/");
inline const QString supportAddress = QStringLiteral("support@askbright.example.org");

// " Version 1.6": the tail of every main window title.
QString versionText();
// "1.6.3": major, minor and revision joined by dots.
QString fullVersionText();

} // namespace askbright
