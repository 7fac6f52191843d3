#include <gtest/gtest.h>

#include <bit>
#include <cmath>
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
// build: every step of every ball, the strike and the aim are hashed, so a
// change of rounding or of a constant's precision anywhere in table play, or a
// fused multiply-add that changes a result, shows here first.
TEST(Shots, FixedShotsEndBitForBitWhereTheyAlwaysHave)
{
    GameState s;
    s.currentPlayer = 1;
    RackBalls(s);
    long steps = 0;
    uint64_t hash = 14695981039346656037u;
    const auto mix = [&hash](auto... values) { ((hash = (hash ^ std::bit_cast<uint32_t>(values)) * 1099511628211u), ...); };
    const auto mixBalls = [&] {
        for (int i = 0; i < GameState::kBalls; ++i)
            mix(s.ballX[i], s.ballY[i], s.ballVX[i], s.ballVY[i]);
    };
    for (int shot = 0; shot < 40; ++shot) {
        if (s.stopRequested)
            s.stopRequested = flag::False, RackBalls(s);
        Strike(s, 1 + shot % 9, 6.0f + static_cast<float>(shot % 7) * 5.0f);
        mix(s.aimDX, s.aimDY, s.aimDistance, s.offsetX, s.offsetY, s.prevOffsetX, s.prevOffsetY, s.cueDX, s.cueDY);
        for (mixBalls(); !MoveBalls(s); mixBalls())
            ++steps;
        EndShot(s);
        mixBalls();
    }
    EXPECT_EQ(std::tuple(steps, hash), std::tuple(4206, 11516263659955662449u));
}
