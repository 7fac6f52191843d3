#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "play/rack.h"
#include "play/stroke.h"

namespace {

GameState Racked(float mouseX, float mouseY)
{
    GameState s;
    RackBalls(s);
    std::tie(s.mouseX, s.mouseY) = std::tuple(mouseX, mouseY);
    return s;
}

} // namespace

// The first aim comes from the corner. Then the pointer comes in along a
// 3-4-5 line from 60 pixels away, 5 a tick: at 50 it has not reached the
// ball, at 45 it strikes with the last tick's step, and the cue keeps the aim
// of the tick at 50, 40 long. 48 itself strikes, the next float beyond does
// not, and the centre does, keeping the aim it had.
TEST(Stroke, AimsFortyLongAndStrikesWithinFortyEightWithThePointersLastStep)
{
    GameState s = Racked(0.0f, 0.0f);
    AimCue(s);
    EXPECT_NEAR(s.aimDX, -16.56, 0.005);
    EXPECT_NEAR(s.aimDY, -36.41, 0.005);
    s = Racked(161.0f + 36.0f, 354.0f + 48.0f);
    AimCue(s);
    s.shotPhase = phase::Stroking;
    for (float k : {10.0f, 9.0f}) {
        EXPECT_EQ(s.shotPhase, phase::Stroking) << "before " << 5 * k;
        std::tie(s.mouseX, s.mouseY) = std::tuple(161.0f + 3.0f * k, 354.0f + 4.0f * k);
        StrokeCue(s);
    }
    EXPECT_EQ(std::tie(s.shotPhase, s.ballVX[0], s.ballVY[0], s.cueDX, s.cueDY),
              std::tuple(phase::Rolling, -3.0f, -4.0f, 24.0f, 32.0f));
    for (auto [y, strikes] : {std::pair{402.0f, true}, {std::nextafter(402.0f, 500.0f), false}, {354.0f, true}}) {
        s = Racked(161.0f, y);
        std::tie(s.shotPhase, s.aimDX, s.aimDY) = std::tuple(phase::Stroking, 7.0f, -7.0f);
        StrokeCue(s);
        EXPECT_EQ(s.shotPhase, strikes ? phase::Rolling : phase::Stroking) << y;
    }
    EXPECT_EQ(std::tie(s.aimDX, s.aimDY), std::tuple(7.0f, -7.0f)) << "the aim kept with the pointer on the centre";
}
