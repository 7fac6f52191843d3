#include <gtest/gtest.h>

#include "play/motion.h"
#include "play/rack.h"

TEST(Rack, PlacesEveryBallOnItsSpotEvenWhenPocketed)
{
    GameState s;
    s.ballX[3] = 0.0f;
    s.ballX[0] = 250.0f;
    RackBalls(s);
    EXPECT_EQ(s.ballX[8], 161.0f);
    EXPECT_EQ(s.ballY[8], 105.2f);
    EXPECT_EQ(s.ballX[4], 161.0f);
    EXPECT_EQ(s.ballY[4], 76.4f);
    EXPECT_EQ(s.ballX[2], 152.19999694824219f);
    EXPECT_EQ(s.ballX[0], 161.0f);
    EXPECT_EQ(s.ballY[0], 354.0f);
    for (int i = 0; i < GameState::kBalls; ++i)
        EXPECT_NE(s.ballX[i], 0.0f) << "ball " << i;
}

TEST(Rack, MidShotRackReturnsToAimingAtRestAndKeepsScores)
{
    GameState s;
    s.score1 = 3;
    s.score2 = 4;
    s.currentPlayer = -1;
    s.shotPhase = phase::Rolling;
    s.pottedCount = 2;
    s.ballVX[5] = 7.0f;
    s.ballVY[0] = -0.3f;
    RackBalls(s);
    EXPECT_EQ(s.shotPhase, phase::Aiming);
    EXPECT_EQ(s.pottedCount, 0);
    EXPECT_EQ(s.ballVX[5], 0.0f);
    EXPECT_EQ(s.ballVY[0], 0.0f);
    EXPECT_EQ(s.score1, 3);
    EXPECT_EQ(s.score2, 4);
    EXPECT_EQ(s.currentPlayer, -1);
}

TEST(Rack, NoTwoRackedBallsTouchSoAFreshRackIsAtRest)
{
    GameState s;
    RackBalls(s);
    const GameState before = s;
    EXPECT_TRUE(MoveBalls(s));
    EXPECT_EQ(s.ballVX, before.ballVX);
    EXPECT_EQ(s.ballVY, before.ballVY);
    EXPECT_EQ(s.ballX, before.ballX);
    EXPECT_EQ(s.ballY, before.ballY);
}

TEST(Rack, ResetShotClearsLeftoverVelocitiesOnly)
{
    GameState s;
    RackBalls(s);
    s.ballX[6] = 0.0f;
    s.ballVX[2] = 0.3f;
    s.ballVY[9] = -0.5f;
    s.shotPhase = phase::Stroking;
    ResetShot(s);
    EXPECT_EQ(s.ballVX[2], 0.0f);
    EXPECT_EQ(s.ballVY[9], 0.0f);
    EXPECT_EQ(s.ballX[6], 0.0f);
    EXPECT_EQ(s.shotPhase, phase::Aiming);
}
