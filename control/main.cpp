#include <QApplication>

#include "control/fixedsize.h"
#include "control/frmtavlo.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Ties the window to the installed desktop entry, so docks show its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tavlo"));
    FixedSizeGuard guard;
    app.installEventFilter(&guard);
    frmTavlo window;
    return window.Run();
}
