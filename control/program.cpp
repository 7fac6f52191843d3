#include "control/program.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

const char* Setting(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "unset";
}

// While Qt looks for a display its own messages about each attempt are held
// back: where none is found they end in advice to reinstall the program,
// which is untrue.
void NoDisplay(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtFatalMsg)
        return;
    std::fprintf(stderr, "tavlo: no display to open the window on (DISPLAY=%s, WAYLAND_DISPLAY=%s, QT_QPA_PLATFORM=%s)\n",
                 Setting("DISPLAY"), Setting("WAYLAND_DISPLAY"), Setting("QT_QPA_PLATFORM"));
    std::_Exit(1);
}

} // namespace

void ForgetUnusableScale()
{
    bool isNumber = false;
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&isNumber);
    if (isNumber && !(scale > 0 && std::isfinite(scale)))
        qunsetenv("QT_SCALE_FACTOR");
}

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv)
{
    // A frame changes in small pieces, where the cue and the balls were and
    // are. Qt's X backing store, sharing its memory with the X server, must
    // wait for the server to finish reading a piece before it paints over it
    // again: a round trip most frames. Sent over the connection instead, a
    // frame costs a copy of a few kilobytes. Wayland is not affected.
    qputenv("QT_XCB_NO_MITSHM", "1");
    const QtMessageHandler previous = qInstallMessageHandler(NoDisplay);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return app;
}

bool QtHoldsLargestSize(const QString& platform, const QVersionNumber& qt)
{
    return platform.startsWith(QLatin1String("wayland")) && qt < QVersionNumber(6, 8);
}

void EndProgram(int status)
{
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's own check at exit would not run: look for leaks now,
    // with every library still loaded, so that each one can be named.
    __lsan_do_leak_check();
#endif
    std::fflush(nullptr);
    std::_Exit(status);
}
