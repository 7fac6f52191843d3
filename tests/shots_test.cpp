#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "play/motion.h"
#include "play/rack.h"
#include "play/scoring.h"

namespace {

::testing::AssertionResult SoundTable(const GameState& s)
{
    for (int i = 0; i < GameState::kBalls; ++i) {
        const float x = s.ballX[i], y = s.ballY[i];
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(s.ballVX[i]) || !std::isfinite(s.ballVY[i]))
            return ::testing::AssertionFailure() << "ball " << i << " is not finite";
        if (x != 0.0f && (x < 34.0f || x > 288.0f || y < 42.0f || y > 446.0f))
            return ::testing::AssertionFailure() << "ball " << i << " off the table at " << x << ", " << y;
    }
    return ::testing::AssertionSuccess();
}

} // namespace

// Whole games of random strikes: balls stay on the cloth, values stay finite,
// every shot comes to rest, and the scores always account for the potted balls.
TEST(Shots, RandomStrikesKeepTheTableSoundAndTheScoresHonest)
{
    std::mt19937 rng(20261206);
    std::uniform_real_distribution<float> speed(-60.0f, 60.0f);
    GameState s;
    int games = 0;
    for (int shot = 0; shot < 400; ++shot) {
        if (shot == 0 || s.stopRequested) {
            games += shot > 0;
            s = GameState{};
            s.currentPlayer = 1;
            RackBalls(s);
        }
        s.ballVX[0] = speed(rng);
        s.ballVY[0] = speed(rng);
        for (int step = 0; !MoveBalls(s); ++step) {
            ASSERT_TRUE(SoundTable(s)) << "shot " << shot << " step " << step;
            ASSERT_LT(step, 20000) << "shot " << shot << " never came to rest";
        }
        EndShot(s);
        int down = 0;
        for (int i = 1; i < GameState::kBalls; ++i)
            down += s.ballX[i] == 0.0f;
        ASSERT_EQ(s.score1 + s.score2, down) << "shot " << shot;
        ASSERT_NE(s.ballX[0], 0.0f);
    }
    EXPECT_GT(games, 0) << "no random game was ever decided";
}
