// Random input over the real window, offscreen and effectively unpaced:
// pointer steps and jumps, far outside and exactly on the cue ball, presses of
// every button in every phase, New Game, About and closing at any moment (a
// new window takes the rest of the run). After every tick the game must be
// sound. CTest runs a short soak; a long one: TAVLO_SOAK=1-100:100000 (seeds 1
// to 100, 100 000 ticks each); a failure names its seed and tick.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <array>
#include <random>

#include "game.h"
#include "play/motion.h"

TEST(Soak, RandomInputKeepsTheGameSound)
{
    unsigned first = 1, last = 3;
    long budget = 30000;
    if (const char* spec = std::getenv("TAVLO_SOAK")) {
        ASSERT_EQ(std::sscanf(spec, "%u-%u:%ld", &first, &last, &budget), 3) << "TAVLO_SOAK=FIRST-LAST:TICKS";
    }
    for (unsigned seed = first; seed <= last && !HasFailure(); ++seed) {
        std::mt19937_64 rng(seed);
        auto chance = [&](double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng) < p; };
        auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng); };
        long ticks = 0, strikes = 0, decided = 0;
        QPointF pointer;
        while (ticks < budget && !HasFailure()) {
            Game g(1'000'000);
            bool gameOver = false;
            // Any input by its chance; the menus and closing only rarely while a game runs.
            auto act = [&](double rare) {
                if (chance(rare / 4))
                    g.window.close();
                else if (chance(rare))
                    gameOver = false, g.window.mnuFileNew()->trigger();
                else if (chance(rare))
                    g.window.mnuHelpAbout()->trigger();
                const double kind = uniform(0.0, 1.0), far = chance(0.5) ? -1e5 : 1e5;
                if (chance(0.6))
                    g.Point(pointer = kind < 0.6   ? pointer + QPointF(uniform(-9, 9), uniform(-9, 9))
                                      : kind < 0.9 ? QPointF(uniform(0, 330), uniform(0, 500))
                                      : kind < 0.95 ? QPointF(chance(0.5) ? far : 100, chance(0.5) ? far : 100)
                                                    : QPointF(g.s().ballX[0], g.s().ballY[0]));
                if (chance(0.02))
                    g.Press(std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[rng() % 3]);
            };
            QTimer idle;
            idle.callOnTimeout([&] {
                if (g.window.isVisible() && !QApplication::activeModalWidget() && g.s().gameResult == result::NoLoop)
                    act(0.2);
            });
            idle.start(0);
            int16_t lastPhase = phase::Aiming;
            g.Play([&](int) {
                const GameState& s = g.s();
                ASSERT_FALSE(gameOver) << "a tick ran after the game was decided";
                ASSERT_EQ(g.window.deepestLoop(), 1);
                ASSERT_FALSE(QApplication::activeModalWidget()) << "a tick ran while a box was open";
                ASSERT_TRUE(s.shotPhase >= 0 && s.shotPhase <= 2 && (s.drawBuffer == 1 || s.drawBuffer == 2));
                // Every ball pocketed (x exactly 0) or on the cloth, every value finite, and between
                // shots every object ball down credited to one player.
                int down = 0;
                for (int i = 0; i < GameState::kBalls; ++i) {
                    const float x = s.ballX[i], y = s.ballY[i];
                    const bool onCloth = x >= table::kLeft && x <= table::kRight && y >= table::kTop && y <= table::kBottom;
                    ASSERT_TRUE(std::isfinite(s.ballVX[i] + s.ballVY[i] + y) && (x == 0.0f || onCloth)) << i << ": " << x << ", " << y;
                    down += i > 0 && x == 0.0f;
                }
                ASSERT_TRUE(s.shotPhase != phase::Aiming || (s.score1 + s.score2 == down && s.pottedCount == 0))
                    << s.score1 << " + " << s.score2 << " for " << down << " down, pottedCount " << s.pottedCount;
                strikes += lastPhase == phase::Stroking && s.shotPhase == phase::Rolling;
                lastPhase = s.shotPhase;
                decided += gameOver = s.gameResult == result::Player1Wins || s.gameResult == result::Player2Wins;
                if (++ticks >= budget || HasFailure())
                    g.window.close();
                else
                    act(1e-4);
            }, budget);
        }
        std::printf("seed %u: %ld ticks, %ld strikes, %ld games decided%s\n", seed, ticks, strikes, decided,
                    HasFailure() ? ", failed at the last tick" : "");
    }
}
