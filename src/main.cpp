#include "app/appstate.h"
#include "editor/frm1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("askbright"));
    askbright::SystemClock clock;
    askbright::AppState state(QCoreApplication::applicationDirPath(), clock);
    askbright::frm1 window(state);
    window.show();
    return app.exec();
}
