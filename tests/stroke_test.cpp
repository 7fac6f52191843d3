#include <gtest/gtest.h>

#include <cmath>

#include "play/rack.h"
#include "play/stroke.h"

namespace {

GameState Racked(float mouseX, float mouseY)
{
    GameState s;
    RackBalls(s);
    s.mouseX = mouseX;
    s.mouseY = mouseY;
    return s;
}

} // namespace

TEST(Aim, PointsFromTheCueBallTowardsThePointerAndStaysWhenOnTheCentre)
{
    GameState s = Racked(0.0f, 0.0f);
    AimCue(s);
    EXPECT_NEAR(s.aimDX, -16.56, 0.005) << "first aim, from the corner";
    EXPECT_NEAR(s.aimDY, -36.41, 0.005);
    s.mouseX = 161.0f + 1.8f;
    s.mouseY = 354.0f - 2.4f;
    AimCue(s);
    EXPECT_NEAR(s.aimDX, 24.0, 1e-3) << "still 40 long when the pointer is 3 away";
    EXPECT_NEAR(s.aimDY, -32.0, 1e-3);
    const float keptX = s.aimDX, keptY = s.aimDY;
    s.mouseX = 161.0f;
    s.mouseY = 354.0f;
    AimCue(s);
    EXPECT_EQ(s.aimDistance, 0.0f);
    EXPECT_EQ(s.aimDX, keptX);
    EXPECT_EQ(s.aimDY, keptY);
}

TEST(Stroke, ApproachFromTheRightStrikesWithTheLastStepAndKeepsThePreviousAim)
{
    GameState s = Racked(161.0f + 55.0f, 354.0f);
    AimCue(s);
    s.shotPhase = phase::Stroking;
    for (float offset : {52.0f, 49.0f, 46.0f}) {
        EXPECT_EQ(s.shotPhase, phase::Stroking) << "before " << offset;
        s.mouseX = 161.0f + offset;
        StrokeCue(s);
    }
    EXPECT_EQ(s.shotPhase, phase::Rolling);
    EXPECT_EQ(s.ballVX[0], -3.0f);
    EXPECT_EQ(s.ballVY[0], 0.0f);
    EXPECT_EQ(s.cueDX, 40.0f);
    EXPECT_EQ(s.cueDY, 0.0f);
}

TEST(Stroke, StrikesWithinFortyEightInclusiveWithThePointersOwnStep)
{
    const struct {
        float x, y;
        int16_t phase;
    } cases[] = {
        {161.0f, 402.0f, phase::Rolling},
        {161.0f, std::nextafter(402.0f, 500.0f), phase::Stroking},
        {161.0f, 354.0f, phase::Rolling}, // on the centre
    };
    for (const auto& c : cases) {
        GameState s = Racked(c.x, c.y);
        s.shotPhase = phase::Stroking;
        StrokeCue(s);
        EXPECT_EQ(s.shotPhase, c.phase) << c.y;
    }
    // Sliding sideways into reach sends the ball sideways.
    GameState s = Racked(151.0f, 414.0f);
    AimCue(s);
    s.shotPhase = phase::Stroking;
    s.mouseX = 171.0f;
    s.mouseY = 394.0f;
    StrokeCue(s);
    EXPECT_EQ(s.ballVX[0], 20.0f);
    EXPECT_EQ(s.ballVY[0], -20.0f);
}
