#include <QApplication>

#include "control/frmtavlo.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("tavlo"));
    // The game loop ends the program itself once the window is closed.
    app.setQuitOnLastWindowClosed(false);
    frmTavlo window;
    return window.Run();
}
