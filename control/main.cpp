#include <QApplication>

#include "control/frmtavlo.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Ties the window to the installed desktop entry, so docks show its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tavlo"));
    frmTavlo window;
    return window.Run();
}
