#include <QApplication>

#include "control/frmtavlo.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("tavlo"));
    // Ties the window to the installed desktop entry, so docks show its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tavlo"));
    // The game loop ends the program itself once the window is closed.
    app.setQuitOnLastWindowClosed(false);
    frmTavlo window;
    return window.Run();
}
