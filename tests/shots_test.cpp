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
// build: each shot's aim and strike and every step of every ball are hashed, by
// shot and by ball, so that a change of rounding or of a constant's precision
// anywhere in table play, or a fused multiply-add that changes a result, shows
// here first, with the first shot that went elsewhere and the balls that did.
TEST(Shots, FixedShotsEndBitForBitWhereTheyAlwaysHave)
{
    constexpr int kShots = 40;
    constexpr std::array<uint32_t, kShots> kByShot{
        1969851493u, 3862257240u, 1995486695u, 2147839881u, 78425477u, 2073373349u, 15902611u, 516144405u,
        4031302255u, 2394318597u, 176862415u, 2823252580u, 2400647419u, 68943143u, 1360121497u, 92221785u,
        685670509u, 1381337613u, 4277272645u, 3375508263u, 699133929u, 61861319u, 2634193464u, 537775701u,
        3449165501u, 3260165387u, 325960356u, 3988674852u, 1224591598u, 119831133u, 32781719u, 2978036557u,
        328945441u, 3600692687u, 1093879302u, 3270612562u, 691915281u, 231837675u, 1630121271u, 2024182874u,
    };
    constexpr std::array<uint32_t, GameState::kBalls> kByBall{
        1338041889u, 852680864u, 1599578485u, 1733047862u, 2098283983u,
        1025241453u, 831083922u, 3613541189u, 3410547558u, 3063661557u,
    };
    std::array<uint32_t, kShots> byShot{};
    std::array<uint32_t, GameState::kBalls> byBall{};
    byBall.fill(2166136261u);
    const auto mix = [](uint32_t& hash, auto... values) { ((hash = (hash ^ std::bit_cast<uint32_t>(values)) * 16777619u), ...); };
    GameState s;
    s.currentPlayer = 1;
    RackBalls(s);
    for (int shot = 0; shot < kShots; ++shot) {
        if (s.stopRequested)
            s.stopRequested = flag::False, RackBalls(s);
        Strike(s, 1 + shot % 9, 6.0f + static_cast<float>(shot % 7) * 5.0f);
        uint32_t& hash = byShot[shot] = 2166136261u;
        mix(hash, s.aimDX, s.aimDY, s.aimDistance, s.offsetX, s.offsetY, s.prevOffsetX, s.prevOffsetY, s.cueDX, s.cueDY);
        for (bool rest = false; !rest;) {
            rest = MoveBalls(s);
            for (int i = 0; i < GameState::kBalls; ++i)
                mix(hash, s.ballX[i], s.ballY[i], s.ballVX[i], s.ballVY[i]), mix(byBall[i], s.ballX[i], s.ballY[i], s.ballVX[i], s.ballVY[i]);
        }
        EndShot(s);
        mix(hash, s.ballX[0], s.ballY[0], int32_t{s.score1}, int32_t{s.score2}, int32_t{s.currentPlayer});
    }
    std::string balls;
    for (int i = 0; i < GameState::kBalls; ++i)
        balls += byBall[i] == kByBall[i] ? "" : " " + std::to_string(i);
    const auto shot = std::mismatch(byShot.begin(), byShot.end(), kByShot.begin()).first - byShot.begin();
    EXPECT_TRUE(shot == kShots && balls.empty()) << "shot " << shot + 1 << " of " << kShots << " went elsewhere first; balls" << balls << " took other paths";
}
