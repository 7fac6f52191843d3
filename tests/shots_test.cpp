#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <string>
#include <tuple>

#include "play/motion.h"
#include "play/rack.h"
#include "play/scoring.h"
#include "play/stroke.h"

// Aims from behind the cue ball at an object ball still on the table and
// pushes the pointer through at `speed` pixels a tick until it strikes.
static void Strike(GameState& s, int target, float speed)
{
    while (s.ballX[target] == 0.0f)
        target = 1 + target % 9;
    const float dx = s.ballX[0] - s.ballX[target], dy = s.ballY[0] - s.ballY[target];
    const float length = std::hypot(dx, dy);
    std::tie(s.mouseX, s.mouseY) = std::tuple(s.ballX[0] + 80.0f * dx / length, s.ballY[0] + 80.0f * dy / length);
    AimCue(s);
    s.shotPhase = phase::Stroking;
    while (s.shotPhase == phase::Stroking)
        s.mouseX -= speed * dx / length, s.mouseY -= speed * dy / length, StrokeCue(s);
}

// A fixed run of shots goes through the same bits on every machine and in every
// build: each shot takes the same number of steps to come to rest, and each
// ball's every value at every step, hashed over all the shots, is the same, so
// that a change of rounding or of a constant's precision anywhere in table
// play, or a fused multiply-add that changes a result, shows here first, with
// the balls that went elsewhere and the first shot that ended another time.
TEST(Shots, FixedShotsEndBitForBitWhereTheyAlwaysHave)
{
    constexpr std::array kSteps{
        84, 105, 109, 139, 88, 156, 147, 90, 62, 137, 134, 142, 155, 150, 100, 82, 114, 124, 137, 123,
        63, 95, 100, 35, 144, 25, 142, 106, 95, 99, 109, 45, 152, 32, 166, 95, 113, 42, 129, 81,
    };
    constexpr std::array<uint32_t, GameState::kBalls> kByBall{
        447614142u, 852680864u, 1599578485u, 1733047862u, 2098283983u,
        1025241453u, 831083922u, 3613541189u, 3410547558u, 3063661557u,
    };
    std::array<int, kSteps.size()> steps{};
    std::array<uint32_t, GameState::kBalls> byBall{};
    byBall.fill(2166136261u);
    const auto mix = [](uint32_t& hash, auto... values) { ((hash = (hash ^ std::bit_cast<uint32_t>(values)) * 16777619u), ...); };
    GameState s;
    s.currentPlayer = 1;
    RackBalls(s);
    for (size_t shot = 0; shot < kSteps.size(); ++shot) {
        if (s.stopRequested)
            s.stopRequested = flag::False, RackBalls(s);
        Strike(s, 1 + shot % 9, 6.0f + static_cast<float>(shot % 7) * 5.0f);
        mix(byBall[0], s.aimDX, s.aimDY, s.aimDistance, s.offsetX, s.offsetY, s.prevOffsetX, s.prevOffsetY, s.cueDX, s.cueDY);
        for (bool rest = false; !rest; ++steps[shot]) {
            rest = MoveBalls(s);
            for (int i = 0; i < GameState::kBalls; ++i)
                mix(byBall[i], s.ballX[i], s.ballY[i], s.ballVX[i], s.ballVY[i]);
        }
        EndShot(s);
        mix(byBall[0], s.ballX[0], s.ballY[0], int32_t{s.score1}, int32_t{s.score2}, int32_t{s.currentPlayer});
    }
    std::string balls;
    for (int i = 0; i < GameState::kBalls; ++i)
        balls += byBall[i] == kByBall[i] ? "" : " " + std::to_string(i);
    const auto shot = std::mismatch(steps.begin(), steps.end(), kSteps.begin()).first - steps.begin();
    EXPECT_TRUE(balls.empty() && shot == std::ssize(kSteps)) << "balls" << balls << " went elsewhere; shot " << shot + 1 << " of "
                                                              << kSteps.size() << " is the first to end after another number of steps";
}
