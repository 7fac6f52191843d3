#include <gtest/gtest.h>

#include "play/rack.h"
#include "play/scoring.h"

namespace {

constexpr int16_t P1 = 1, P2 = -1;
constexpr std::initializer_list<int> kAllButBlack = {1, 2, 3, 4, 5, 6, 7, 9};

// One finished shot: who shot, the points before it, the balls down before
// it and those that dropped in it; then the points, the turn and the result.
struct Outcome {
    const char* what;
    int16_t shooter, score1, score2;
    std::initializer_list<int> downBefore, dropped;
    int16_t after1, after2, turn, result;
};

const Outcome kOutcomes[] = {
    {"nothing dropped", P1, 0, 0, {}, {}, 0, 0, P2, result::Running},
    {"only the cue ball", P2, 2, 1, {}, {0}, 2, 1, P1, result::Running},
    {"cue ball with an object ball", P1, 0, 0, {}, {0, 3}, 1, 0, P1, result::Running},
    {"object balls count for the shooter", P2, 0, 1, {1}, {2, 5, 9}, 0, 4, P2, result::Running},
    {"early black loses even with five", P1, 5, 0, {1, 2, 3, 4, 5}, {8}, 6, 0, P1, result::Player2Wins},
    {"early black by player 2", P2, 0, 0, {}, {8}, 0, 1, P2, result::Player1Wins},
    {"last black, the other holds five", P1, 2, 6, kAllButBlack, {8}, 3, 6, P1, result::Player2Wins},
    {"last black, player 1 holds five", P2, 6, 2, kAllButBlack, {8}, 6, 3, P2, result::Player1Wins},
    {"black with the last other ball", P2, 3, 4, {1, 2, 3, 4, 5, 6, 7}, {9, 8}, 3, 6, P2, result::Player2Wins},
    {"last black with the cue ball", P1, 6, 2, kAllButBlack, {0, 8}, 7, 2, P1, result::Player2Wins},
    {"last black with the cue ball, player 2", P2, 2, 6, kAllButBlack, {8, 0}, 2, 7, P2, result::Player1Wins},
};

} // namespace

TEST(EndOfShot, ScoresPassesTheTurnAndDecidesAsTheRulesSay)
{
    for (const Outcome& o : kOutcomes) {
        SCOPED_TRACE(o.what);
        GameState s;
        RackBalls(s);
        s.currentPlayer = o.shooter;
        s.score1 = o.score1;
        s.score2 = o.score2;
        for (int i : o.downBefore)
            s.ballX[i] = 0.0f;
        for (int i : o.dropped) {
            s.ballX[i] = 0.0f;
            ++s.pottedCount;
        }
        // Another ball left on the cue ball's spot does not stop the respot.
        s.ballX[2] = s.ballX[2] == 0.0f ? 0.0f : 161.0f;
        s.ballY[2] = 354.0f;
        s.shotPhase = phase::Rolling;
        s.ballVX[4] = 0.3f;

        EndShot(s);
        EXPECT_EQ(s.score1, o.after1);
        EXPECT_EQ(s.score2, o.after2);
        EXPECT_EQ(s.currentPlayer, o.turn);
        EXPECT_EQ(s.gameResult, o.result);
        EXPECT_EQ(s.stopRequested, o.result == result::Running ? flag::False : flag::True);
        EXPECT_EQ(s.ballX[0], 161.0f);
        EXPECT_EQ(s.ballY[0], 354.0f);
        EXPECT_EQ(s.pottedCount, 0);
        EXPECT_EQ(s.shotPhase, phase::Aiming);
        EXPECT_EQ(s.ballVX[4], 0.0f);
    }
}

TEST(Scoreboard, MarksThePlayerToShootWithScoresInFixedColumns)
{
    GameState s;
    const struct {
        int16_t player, one, two;
        const char* text;
    } cases[] = {
        {P1, 0, 0, ">00    00"}, {P1, 3, 5, ">03    05"}, {P2, 3, 5, " 03   >05"},
        {P2, 9, 0, " 09   >00"}, {P1, 10, 123, ">10    123"},
    };
    for (const auto& c : cases) {
        s.currentPlayer = c.player;
        s.score1 = c.one;
        s.score2 = c.two;
        EXPECT_EQ(ScoreboardText(s), c.text);
    }
}
