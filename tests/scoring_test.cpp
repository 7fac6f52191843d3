#include <gtest/gtest.h>

#include <tuple>

#include "play/rack.h"
#include "play/scoring.h"

constexpr int16_t P1 = 1, P2 = -1;
constexpr std::initializer_list<int> kAllButBlack = {1, 2, 3, 4, 5, 6, 7, 9};

// One finished shot: who shot, the points before it, the balls down before
// it and those that dropped in it; then the points, the turn and the result.
struct Outcome { const char* what; int16_t shooter, score1, score2; std::initializer_list<int> downBefore, dropped; int16_t after1, after2, turn, result; };

const Outcome kOutcomes[] = {
    {"nothing dropped", P1, 0, 0, {}, {}, 0, 0, P2, result::Running},
    {"only the cue ball", P2, 2, 1, {}, {0}, 2, 1, P1, result::Running},
    {"object balls count for the shooter", P2, 0, 1, {1}, {2, 5, 9}, 0, 4, P2, result::Running},
    {"an early black loses even with five", P1, 5, 2, {2, 3, 4, 5, 6, 7, 9}, {8}, 6, 2, P1, result::Player2Wins},
    {"the last black, player 1 reaches five", P1, 4, 4, kAllButBlack, {8}, 5, 4, P1, result::Player1Wins},
    {"the last black, player 2 holds five", P1, 3, 5, kAllButBlack, {8}, 4, 5, P1, result::Player2Wins},
    {"the last black, player 1 holds five", P2, 5, 3, kAllButBlack, {8}, 5, 4, P2, result::Player1Wins},
    {"the last black with the cue ball", P1, 6, 2, kAllButBlack, {0, 8}, 7, 2, P1, result::Player2Wins},
};

// Another ball left on the cue ball's spot does not stop the respot, and the
// leftover velocities of a shot are cleared.
TEST(EndOfShot, ScoresPassesTheTurnAndDecidesAsTheRulesSay)
{
    for (const Outcome& o : kOutcomes) {
        SCOPED_TRACE(o.what);
        GameState s;
        RackBalls(s);
        std::tie(s.currentPlayer, s.score1, s.score2, s.shotPhase) = std::tuple(o.shooter, o.score1, o.score2, phase::Rolling);
        for (int i : o.downBefore)
            s.ballX[i] = 0.0f;
        for (int i : o.dropped)
            s.ballX[i] = 0.0f, ++s.pottedCount;
        std::tie(s.ballX[2], s.ballY[2], s.ballVX[4], s.ballVY[4]) = std::tuple(s.ballX[2] == 0.0f ? 0.0f : 161.0f, 354.0f, 0.3f, -0.3f);
        EndShot(s);
        EXPECT_EQ(std::tuple(s.score1, s.score2, s.currentPlayer, s.gameResult), std::tuple(o.after1, o.after2, o.turn, o.result));
        EXPECT_EQ(std::tuple(s.stopRequested, s.ballX[0], s.ballY[0], s.pottedCount, s.shotPhase, s.ballVX[4], s.ballVY[4]),
                  std::tuple(o.result == result::Running ? flag::False : flag::True, 161.0f, 354.0f, 0, phase::Aiming, 0.0f, 0.0f));
    }
}
