#include "app/qttranslation.h"

#include "state/appstate.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace askbright {

QtTranslation::QtTranslation(AppState &state) : m_german(std::make_unique<QTranslator>())
{
    // Without the translation files Qt's texts simply stay English.
    if (!m_german->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_german.reset();
    connect(&state, &AppState::languageChanged, this, &QtTranslation::apply);
    apply(state.language());
}

QtTranslation::~QtTranslation()
{
    apply(Language::English);
}

void QtTranslation::apply(Language language)
{
    // Qt's dialogs name file types and write dates in the default locale's language.
    QLocale::setDefault(language.isGerman() ? QLocale(QLocale::German, QLocale::Germany)
                                            : QLocale(QLocale::English, QLocale::UnitedStates));
    const bool wanted = language.isGerman() && m_german;
    if (wanted == m_installed || !QCoreApplication::instance())
        return;
    if (wanted)
        QCoreApplication::installTranslator(m_german.get());
    else
        QCoreApplication::removeTranslator(m_german.get());
    m_installed = wanted;
}

} // namespace askbright
