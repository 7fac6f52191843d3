// The game's own window, exactly as the game runs it, with one addition: the
// time of every frame shown is noted, and when the window closes the
// intervals between them are written out, one per line in microseconds.
// Usage: tavlo_tickprobe INTERVALS_FILE

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <vector>

#include "control/frmtavlo.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("tavlo"));
    app.setQuitOnLastWindowClosed(false);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s INTERVALS_FILE\n", argv[0]);
        return 2;
    }

    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> shown;
    // An hour of ticks, so that noting one never allocates during play.
    shown.reserve(60 * 60 * 60);
    frmTavlo window;
    QObject::connect(&window, &frmTavlo::frameShown, [&shown] { shown.push_back(Clock::now()); });
    const int status = window.Run();

    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    for (size_t i = 1; i < shown.size(); ++i)
        std::fprintf(out, "%.1f\n", std::chrono::duration<double, std::micro>(shown[i] - shown[i - 1]).count());
    std::fclose(out);
    return status;
}
