#pragma once

#include "app/language.h"

#include <QObject>
#include <memory>

class QTranslator;

namespace askbright {

class AppState;

// Qt's own texts (standard buttons, file dialogs) in the interface language:
// its German translation is installed while the interface is German.
class QtTranslation : public QObject {
    Q_OBJECT
public:
    explicit QtTranslation(AppState &state);
    ~QtTranslation() override;

    void apply(Language language);

private:
    std::unique_ptr<QTranslator> m_german;
    bool m_installed = false;
};

} // namespace askbright
