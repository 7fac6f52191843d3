#include <gtest/gtest.h>

#include "play/motion.h"

namespace {

struct Ball {
    int index;
    float x, y, vx = 0.0f, vy = 0.0f;
};

// A table holding only the given balls; every other ball is in a pocket.
GameState Table(std::initializer_list<Ball> balls)
{
    GameState s;
    for (const Ball& b : balls) {
        s.ballX[b.index] = b.x;
        s.ballY[b.index] = b.y;
        s.ballVX[b.index] = b.vx;
        s.ballVY[b.index] = b.vy;
    }
    return s;
}

} // namespace

TEST(Cushion, ReflectsAndDampsAtTheRightLimit)
{
    GameState s = Table({{0, 287.0f, 200.0f, 2.0f}});
    EXPECT_FALSE(MoveBalls(s));
    EXPECT_EQ(s.ballX[0], 288.0f);
    EXPECT_EQ(s.ballVX[0], -1.90125f);
}

TEST(Cushion, ReflectsAndDampsAtTheLeftLimit)
{
    GameState s = Table({{0, 35.0f, 200.0f, -2.0f}});
    EXPECT_FALSE(MoveBalls(s));
    EXPECT_EQ(s.ballX[0], 34.0f);
    EXPECT_EQ(s.ballVX[0], 1.90125f);
}

TEST(Cushion, CentreLandingExactlyOnTheLimitKeepsItsVelocityUntilCarriedBeyond)
{
    // 40 * 0.975 rounds to exactly 39, which lands the centre on x = 288.
    GameState s = Table({{0, 249.0f, 200.0f, 40.0f}});
    MoveBalls(s);
    EXPECT_EQ(s.ballX[0], 288.0f);
    EXPECT_EQ(s.ballVX[0], 39.0f);
    MoveBalls(s);
    EXPECT_EQ(s.ballX[0], 288.0f);
    EXPECT_EQ(s.ballVX[0], static_cast<float>(-static_cast<float>(39.0 * 0.975) * 0.975));
}

TEST(Threshold, HalfAPixelDoesNotMoveAndIsKept)
{
    GameState s = Table({{0, 100.0f, 200.0f, 0.5f}});
    EXPECT_TRUE(MoveBalls(s));
    EXPECT_EQ(s.ballX[0], 100.0f);
    EXPECT_EQ(s.ballVX[0], 0.5f);
}

TEST(Threshold, JustAboveHalfMovesOnceThenStops)
{
    GameState s = Table({{0, 100.0f, 200.0f, 0.51f}});
    EXPECT_FALSE(MoveBalls(s));
    EXPECT_EQ(s.ballVX[0], 0.497249991f);
    EXPECT_EQ(s.ballX[0], static_cast<float>(100.0 + static_cast<double>(0.497249991f)));
    const float x = s.ballX[0];
    EXPECT_TRUE(MoveBalls(s));
    EXPECT_EQ(s.ballX[0], x);
    EXPECT_EQ(s.ballVX[0], 0.497249991f);
}

TEST(Threshold, LoneBallOnOpenClothFirstRestsOnStep29)
{
    GameState s = Table({{0, 100.0f, 200.0f, 1.0f}});
    for (int step = 1; step <= 28; ++step)
        ASSERT_FALSE(MoveBalls(s)) << "step " << step;
    EXPECT_TRUE(MoveBalls(s));
}

TEST(Pocket, ZonesCaptureOnlyStrictlyInside)
{
    EXPECT_TRUE(InPocket(40.0f, 50.0f));
    EXPECT_TRUE(InPocket(40.0f, 240.0f));
    EXPECT_TRUE(InPocket(280.0f, 440.0f));
    EXPECT_TRUE(InPocket(288.0f, 42.0f));
    EXPECT_FALSE(InPocket(46.0f, 50.0f));
    EXPECT_FALSE(InPocket(40.0f, 54.0f));
    EXPECT_FALSE(InPocket(40.0f, 228.0f));
    EXPECT_FALSE(InPocket(40.0f, 252.0f));
    EXPECT_FALSE(InPocket(161.0f, 42.0f));
    EXPECT_FALSE(InPocket(34.0f, 100.0f));
}

TEST(Pocket, BallClampedAgainstACushionIsCapturedAtTheClampedPosition)
{
    GameState s = Table({{3, 40.0f, 60.0f, -10.0f, -10.0f}});
    s.pottedCount = 1;
    EXPECT_FALSE(MoveBalls(s));
    EXPECT_EQ(s.ballX[3], 0.0f);
    EXPECT_EQ(s.ballY[3], 50.25f);
    EXPECT_EQ(s.ballVX[3], 0.0f);
    EXPECT_EQ(s.ballVY[3], 0.0f);
    EXPECT_EQ(s.pottedCount, 2);
}

TEST(Pocket, FastBallCrossesTheSideBandWithinOneStep)
{
    GameState s = Table({{0, 34.0f, 220.0f, 0.0f, 36.0f}});
    MoveBalls(s);
    EXPECT_EQ(s.ballX[0], 34.0f);
    EXPECT_EQ(s.ballY[0], 255.100006f);
    EXPECT_EQ(s.pottedCount, 0);
}

TEST(Pocket, PocketedBallIsNeverCountedAgain)
{
    GameState s = Table({{5, 40.0f, 50.0f, 0.3f}});
    MoveBalls(s);
    ASSERT_EQ(s.pottedCount, 1);
    for (int step = 0; step < 5; ++step)
        EXPECT_TRUE(MoveBalls(s));
    EXPECT_EQ(s.pottedCount, 1);
    EXPECT_EQ(s.ballY[5], 50.0f);
}

// Regression: two balls captured close together in one step used to push each
// other along y out of sight and kept the shot rolling for about 80 steps.
TEST(Pocket, BallsCapturedTogetherStartNoContactsAndComeToRest)
{
    GameState s = Table({{2, 40.0f, 46.0f, 0.3f}, {5, 40.0f, 52.9f, 0.3f}});
    EXPECT_TRUE(MoveBalls(s));
    EXPECT_EQ(s.pottedCount, 2);
    EXPECT_TRUE(MoveBalls(s));
    EXPECT_EQ(s.ballY[2], 46.0f);
    EXPECT_EQ(s.ballY[5], 52.9f);
    EXPECT_EQ(s.ballVY[2], 0.0f);
    EXPECT_EQ(s.ballVY[5], 0.0f);
}

TEST(Contact, RestingOverlapPushesBothApartWithTheHigherBallMovingAtOnce)
{
    GameState s = Table({{0, 100.0f, 200.0f}, {1, 110.0f, 200.0f}});
    EXPECT_FALSE(MoveBalls(s));
    EXPECT_EQ(s.ballVX[0], -3.5625f);
    EXPECT_EQ(s.ballX[0], 100.0f);
    EXPECT_EQ(s.ballVX[1], 3.47343755f);
    EXPECT_EQ(s.ballX[1], 113.473434f);
    EXPECT_EQ(s.ballVY[0], 0.0f);
    EXPECT_EQ(s.ballVY[1], 0.0f);
}

TEST(Contact, HeadOnOverTwoStepsMatchesTheWorkedValues)
{
    GameState s = Table({{0, 100.0f, 200.0f, 4.0f}, {1, 115.0f, 200.0f}});
    EXPECT_FALSE(MoveBalls(s));
    EXPECT_EQ(s.ballX[0], 103.900002f);
    EXPECT_EQ(s.ballVX[0], 0.475593269f);
    EXPECT_EQ(s.ballVX[1], 3.14867163f);
    EXPECT_EQ(s.ballX[1], 118.148674f);

    EXPECT_FALSE(MoveBalls(s));
    EXPECT_EQ(s.ballX[0], 103.900002f);
    EXPECT_EQ(s.ballVX[0], -1.02983558f);
    EXPECT_EQ(s.ballVX[1], 4.36106491f);
    EXPECT_EQ(s.ballX[1], 122.509735f);
}

TEST(Contact, BoxTestAndDistanceDecideTouching)
{
    GameState apart16 = Table({{0, 100.0f, 200.0f}, {1, 116.0f, 200.0f}});
    EXPECT_TRUE(MoveBalls(apart16));
    EXPECT_EQ(apart16.ballVX[0], 0.0f);
    EXPECT_EQ(apart16.ballVX[1], 0.0f);

    GameState diagonal = Table({{0, 100.0f, 200.0f}, {1, 115.0f, 215.0f}});
    EXPECT_TRUE(MoveBalls(diagonal));
    EXPECT_EQ(diagonal.ballVX[1], 0.0f);
    EXPECT_EQ(diagonal.ballVY[1], 0.0f);
}

TEST(Contact, RestIsAboutMotionNotAboutVelocitiesChanged)
{
    // Nearly coincident centres push with almost nothing: velocities change,
    // nothing moves, and the step still reports rest.
    GameState s = Table({{0, 100.0f, 200.0f}, {1, 100.1f, 200.0f}});
    EXPECT_TRUE(MoveBalls(s));
    EXPECT_NE(s.ballVX[0], 0.0f);
    EXPECT_NE(s.ballVX[1], 0.0f);
}
