#include "app/product.h"
#include "controls/qtdialogservice.h"
#include "editor/frm1.h"
#include "state/appstate.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("askbright"));
    QApplication::setApplicationDisplayName(askbright::productTitle);

    askbright::SystemClock clock;
    askbright::AppState state(QCoreApplication::applicationDirPath(), clock);
    askbright::QtDialogService dialogs(askbright::productTitle);
    askbright::frm1 window(state, dialogs);
    window.Form_Load();
    return app.exec();
}
