// Prints the folder Qt reports for the running executable.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::puts(qPrintable(QCoreApplication::applicationDirPath()));
    return 0;
}
