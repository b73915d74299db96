#include "app/apperror.h"
#include "app/product.h"
#include "app/windowcontext.h"
#include "controls/qtdialogservice.h"
#include "controls/soundplayer.h"
#include "editor/frm1.h"
#include "errors/errorreporter.h"
#include "state/appstate.h"

#include <QApplication>
#include <QFileInfo>

namespace {

// Shows the error until the reporter window takes over.
class MessageErrorReporter : public askbright::ErrorReporter {
public:
    explicit MessageErrorReporter(askbright::DialogService &dialogs) : m_dialogs(dialogs) {}
    int OnError(const QString &module, const QString &procedure,
                const askbright::AppError &error) override
    {
        m_dialogs.showMessage({module + QStringLiteral(" - ") + procedure + QLatin1Char('\r') +
                                   error.numberAndDescription(),
                               {},
                               askbright::MessageButtons::Ok,
                               askbright::MessageIcon::Critical,
                               1});
        return askbright::LeaveProcedure;
    }

private:
    askbright::DialogService &m_dialogs;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("askbright"));

    askbright::SystemClock clock;
    // A renamed copy of the program keeps its own settings and logs.
    askbright::AppState state(
        QCoreApplication::applicationDirPath(), clock,
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    askbright::QtDialogService dialogs(askbright::productTitle);
    MessageErrorReporter errors(dialogs);
    askbright::SilentSoundPlayer sounds;
    askbright::WindowContext context(state, dialogs, errors, sounds);
    askbright::frm1 window(context);
    window.Form_Load();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.openFromCommandLine(arguments.at(1));
    return app.exec();
}
