// The game's own window, exactly as the game runs it, with one addition: the
// time of every frame shown is noted, and when the window closes the
// intervals between them are written out, one per line in microseconds.
// With --decided, the first game is lost at once: once its first frame is
// shown, the black ball rolls into the top-left pocket with the other balls
// still on the table, so that player 1 loses and the winner's box shows.
// Usage: tavlo_tickprobe [--decided] INTERVALS_FILE

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "control/frmtavlo.h"
#include "play/scoring.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("tavlo"));
    app.setQuitOnLastWindowClosed(false);
    const bool decided = argc == 3 && std::strcmp(argv[1], "--decided") == 0;
    if (argc != 2 + decided) {
        std::fprintf(stderr, "usage: %s [--decided] INTERVALS_FILE\n", argv[0]);
        return 2;
    }

    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> shown;
    // An hour of ticks, so that noting one never allocates during play.
    shown.reserve(60 * 60 * 60);
    frmTavlo window;
    QObject::connect(&window, &frmTavlo::frameShown, [&] {
        shown.push_back(Clock::now());
        if (decided && shown.size() == 1) {
            GameState& s = window.state();
            s.ballX[rules::kBlack] = 40;
            s.ballY[rules::kBlack] = 60;
            s.ballVX[rules::kBlack] = -10;
            s.ballVY[rules::kBlack] = -10;
            s.shotPhase = phase::Rolling;
        }
    });
    const int status = window.Run();

    std::FILE* out = std::fopen(argv[argc - 1], "w");
    if (!out) {
        std::perror(argv[argc - 1]);
        return 1;
    }
    for (size_t i = 1; i < shown.size(); ++i)
        std::fprintf(out, "%.1f\n", std::chrono::duration<double, std::micro>(shown[i] - shown[i - 1]).count());
    std::fclose(out);
    return status;
}
