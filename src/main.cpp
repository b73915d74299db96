#include "app/product.h"
#include "app/windowcontext.h"
#include "controls/alsasoundplayer.h"
#include "controls/qtdialogservice.h"
#include "editor/mainwindow.h"
#include "errors/errorreporterwindow.h"
#include "state/appstate.h"
#include "windows/splashwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("askbright"));
    QApplication::setApplicationVersion(askbright::fullVersionText());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Keeps FAQ databases and makes FAQ web pages from them."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .faq database to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    askbright::SystemClock clock;
    // A renamed copy of the program keeps its own settings and logs.
    askbright::AppState state(
        QCoreApplication::applicationDirPath(), clock,
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    askbright::QtDialogService dialogs(askbright::productTitle);
    askbright::AlsaSoundPlayer sounds;
    askbright::ErrorReporterWindow errors(state, dialogs, sounds);
    askbright::WindowContext context(state, dialogs, errors, sounds);
    const QString fileToOpen = parser.positionalArguments().value(0);
    std::unique_ptr<askbright::MainWindow> window;
    // The splash collects the installed fonts, then the main window loads and
    // closes the splash; meanwhile no window is open, which must not end the run.
    askbright::ScreenFonts screenFonts;
    askbright::SplashWindow splash(context, screenFonts, [&] {
        QApplication::setQuitOnLastWindowClosed(false);
        window = std::make_unique<askbright::MainWindow>(context);
        window->load();
        QApplication::setQuitOnLastWindowClosed(true);
        if (!fileToOpen.isEmpty())
            window->openFromCommandLine(fileToOpen);
    });
    return app.exec();
}
