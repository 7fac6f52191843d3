#include "control/frmtavlo.h"
#include "control/program.h"

int main(int argc, char* argv[])
{
    ForgetUnusableScale();
    const auto app = OpenDisplay(argc, argv);
    // Ties the window to the installed desktop entry, so docks show its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tavlo"));
    const int status = frmTavlo().Run();
    EndProgram(status);
}
