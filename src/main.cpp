#include "app/product.h"
#include "app/windowcontext.h"
#include "controls/alsasoundplayer.h"
#include "controls/qtdialogservice.h"
#include "editor/frm1.h"
#include "errors/errptnr.h"
#include "state/appstate.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QFontDatabase>

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
    askbright::ErrPtnr errors(state, dialogs, sounds);
    askbright::WindowContext context(state, dialogs, errors, sounds);
    // The layout editor's font list: sorted by character codes, entry 0 empty.
    QStringList fonts = QFontDatabase::families();
    std::sort(fonts.begin(), fonts.end());
    fonts.prepend(QString());
    state.installedFonts = fonts;
    askbright::frm1 window(context);
    window.Form_Load();
    if (!parser.positionalArguments().isEmpty())
        window.openFromCommandLine(parser.positionalArguments().constFirst());
    return app.exec();
}
