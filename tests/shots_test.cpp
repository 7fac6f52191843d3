#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <new>
#include <random>

#include "play/motion.h"
#include "play/rack.h"
#include "play/scoring.h"
#include "play/stroke.h"

// Every operator new of this test program is counted: table play runs every
// tick and must never touch the heap.
namespace {
std::atomic<long> gNews{0};
}
void* operator new(size_t size)
{
    gNews.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
// Inlined next to a new-expression the free() looks mismatched; it is not,
// since the operator new above hands out malloc's memory.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

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

// Aims from behind the cue ball at an object ball still on the table and
// pushes the pointer through at `speed` pixels a tick until it strikes.
void Strike(GameState& s, int target, float speed)
{
    while (s.ballX[target] == 0.0f)
        target = 1 + target % 9;
    const float dx = s.ballX[0] - s.ballX[target], dy = s.ballY[0] - s.ballY[target];
    const float length = std::hypot(dx, dy);
    s.mouseX = s.ballX[0] + 80.0f * dx / length;
    s.mouseY = s.ballY[0] + 80.0f * dy / length;
    AimCue(s);
    s.shotPhase = phase::Stroking;
    while (s.shotPhase == phase::Stroking) {
        s.mouseX -= speed * dx / length;
        s.mouseY -= speed * dy / length;
        StrokeCue(s);
    }
}

} // namespace

// Whole games of random strikes: balls stay on the cloth, values stay finite,
// every shot comes to rest, the scores always account for the potted balls,
// and none of it allocates.
TEST(Shots, RandomStrikesKeepTheTableSoundTheScoresHonestAndTheHeapUntouched)
{
    std::mt19937 rng(20261206);
    GameState s;
    int games = 0;
    long news = 0;
    for (int shot = 0; shot < 600; ++shot) {
        if (shot == 0 || s.stopRequested) {
            games += shot > 0;
            s = GameState{};
            s.currentPlayer = 1;
            RackBalls(s);
        }
        const int target = std::uniform_int_distribution<int>(1, 9)(rng);
        const float speed = std::uniform_real_distribution<float>(1.0f, 40.0f)(rng);
        const long before = gNews.load();
        Strike(s, target, speed);
        for (int step = 0; !MoveBalls(s); ++step) {
            ASSERT_TRUE(SoundTable(s)) << "shot " << shot << " step " << step;
            ASSERT_LT(step, 20000) << "shot " << shot << " never came to rest";
        }
        EndShot(s);
        news += gNews.load() - before;
        int down = 0;
        for (int i = 1; i < GameState::kBalls; ++i)
            down += s.ballX[i] == 0.0f;
        ASSERT_EQ(s.score1 + s.score2, down) << "shot " << shot;
        ASSERT_NE(s.ballX[0], 0.0f);
    }
    EXPECT_GT(games, 2) << "the random shots seldom decided a game";
    EXPECT_EQ(news, 0) << "table play allocated";
}

// A fixed run of shots goes through the same bits on every machine and in every
// build: every step of every ball, the strike and the aim are hashed, so a
// change of rounding, of a constant's precision or of contraction into fused
// multiply-adds anywhere in table play shows here first.
TEST(Shots, FixedShotsEndBitForBitWhereTheyAlwaysHave)
{
    GameState s;
    s.currentPlayer = 1;
    RackBalls(s);
    long steps = 0;
    uint64_t hash = 14695981039346656037u;
    const auto mix = [&hash](std::initializer_list<float> values) {
        for (float v : values)
            hash = (hash ^ std::bit_cast<uint32_t>(v)) * 1099511628211u;
    };
    const auto mixBalls = [&]() {
        for (int i = 0; i < GameState::kBalls; ++i)
            mix({s.ballX[i], s.ballY[i], s.ballVX[i], s.ballVY[i]});
    };
    for (int shot = 0; shot < 40; ++shot) {
        if (s.stopRequested) {
            s.stopRequested = flag::False;
            RackBalls(s);
        }
        Strike(s, 1 + shot % 9, 6.0f + static_cast<float>(shot % 7) * 5.0f);
        mix({s.aimDX, s.aimDY, s.aimDistance, s.offsetX, s.offsetY, s.prevOffsetX, s.prevOffsetY, s.cueDX, s.cueDY});
        mixBalls();
        while (!MoveBalls(s)) {
            ++steps;
            mixBalls();
        }
        EndShot(s);
        mixBalls();
    }
    EXPECT_EQ(steps, 4206);
    EXPECT_EQ(hash, 11516263659955662449u);
}
