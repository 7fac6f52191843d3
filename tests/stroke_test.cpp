#include <gtest/gtest.h>

#include <cmath>

#include "play/rack.h"
#include "play/stroke.h"

namespace {

GameState Racked()
{
    GameState s;
    RackBalls(s);
    return s;
}

void PointAt(GameState& s, float x, float y)
{
    s.mouseX = x;
    s.mouseY = y;
}

} // namespace

TEST(Aim, FirstAimBeforeAnyPointerMovePointsFromTheTopLeftCorner)
{
    GameState s = Racked();
    AimCue(s);
    EXPECT_NEAR(s.aimDX, -16.56, 0.005);
    EXPECT_NEAR(s.aimDY, -36.41, 0.005);
    EXPECT_EQ(s.offsetX, -161.0f);
    EXPECT_EQ(s.offsetY, -354.0f);
}

TEST(Aim, VectorIsFortyLongWhateverTheDistance)
{
    GameState s = Racked();
    for (float d : {3.0f, 39.0f, 41.0f, 300.0f}) {
        PointAt(s, 161.0f + d * 0.6f, 354.0f - d * 0.8f);
        AimCue(s);
        EXPECT_NEAR(std::hypot(s.aimDX, s.aimDY), 40.0, 1e-4) << "distance " << d;
    }
}

TEST(Aim, PointerOnTheCentreKeepsTheAimAndStrikesWhenStroking)
{
    GameState s = Racked();
    PointAt(s, 200.0f, 354.0f);
    AimCue(s);
    PointAt(s, 161.0f, 354.0f);
    AimCue(s);
    EXPECT_EQ(s.aimDistance, 0.0f);
    EXPECT_EQ(s.aimDX, 40.0f);
    EXPECT_EQ(s.aimDY, 0.0f);

    s.shotPhase = phase::Stroking;
    StrokeCue(s);
    EXPECT_EQ(s.shotPhase, phase::Rolling);
    EXPECT_EQ(s.ballVX[0], 0.0f);
    EXPECT_EQ(s.ballVY[0], 0.0f);
}

TEST(Stroke, ApproachFromTheRightStrikesWithTheLastStepAndKeepsThePreviousAim)
{
    GameState s = Racked();
    PointAt(s, 161.0f + 55.0f, 354.0f);
    AimCue(s);
    s.shotPhase = phase::Stroking;
    for (float offset : {52.0f, 49.0f}) {
        PointAt(s, 161.0f + offset, 354.0f);
        StrokeCue(s);
        ASSERT_EQ(s.shotPhase, phase::Stroking) << "offset " << offset;
    }
    PointAt(s, 161.0f + 46.0f, 354.0f);
    StrokeCue(s);
    EXPECT_EQ(s.shotPhase, phase::Rolling);
    EXPECT_EQ(s.ballVX[0], -3.0f);
    EXPECT_EQ(s.ballVY[0], 0.0f);
    EXPECT_EQ(s.cueDX, 40.0f);
    EXPECT_EQ(s.cueDY, 0.0f);
}

TEST(Stroke, ExactlyFortyEightStrikesAndTheNextFloatAboveDoesNot)
{
    GameState at48 = Racked();
    at48.shotPhase = phase::Stroking;
    PointAt(at48, 161.0f, 354.0f + 48.0f);
    StrokeCue(at48);
    EXPECT_EQ(at48.aimDistance, 48.0f);
    EXPECT_EQ(at48.shotPhase, phase::Rolling);

    GameState above = Racked();
    above.shotPhase = phase::Stroking;
    PointAt(above, 161.0f, std::nextafter(402.0f, 500.0f));
    StrokeCue(above);
    EXPECT_GT(above.aimDistance, 48.0f);
    EXPECT_EQ(above.shotPhase, phase::Stroking);
}

TEST(Stroke, StillPointerFarAwayNeverStrikesAndRemembersItsAim)
{
    GameState s = Racked();
    PointAt(s, 100.0f, 200.0f);
    AimCue(s);
    s.shotPhase = phase::Stroking;
    for (int tick = 0; tick < 3; ++tick)
        StrokeCue(s);
    EXPECT_EQ(s.shotPhase, phase::Stroking);
    EXPECT_EQ(s.prevOffsetX, s.offsetX);
    EXPECT_EQ(s.prevOffsetY, s.offsetY);
    EXPECT_EQ(s.cueDX, s.aimDX);
    EXPECT_EQ(s.cueDY, s.aimDY);
    EXPECT_EQ(s.ballVX[0], 0.0f);
}

TEST(Stroke, SidewaysSlideSendsTheBallSideways)
{
    GameState s = Racked();
    PointAt(s, 161.0f - 10.0f, 354.0f + 60.0f);
    AimCue(s);
    s.shotPhase = phase::Stroking;
    PointAt(s, 161.0f + 10.0f, 354.0f + 40.0f);
    StrokeCue(s);
    EXPECT_EQ(s.shotPhase, phase::Rolling);
    EXPECT_EQ(s.ballVX[0], 20.0f);
    EXPECT_EQ(s.ballVY[0], -20.0f);
}
