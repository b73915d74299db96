#include "app/product.h"
#include "app/windowcontext.h"
#include "controls/qtdialogservice.h"
#include "controls/soundplayer.h"
#include "editor/frm1.h"
#include "errors/errptnr.h"
#include "state/appstate.h"

#include <QApplication>
#include <QFileInfo>

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
    askbright::SilentSoundPlayer sounds;
    askbright::ErrPtnr errors(state, dialogs, sounds);
    askbright::WindowContext context(state, dialogs, errors, sounds);
    askbright::frm1 window(context);
    window.Form_Load();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.openFromCommandLine(arguments.at(1));
    return app.exec();
}
