#include "play/rack.h"

namespace {
// Cue ball on the centre line, object balls in a diamond of 1, 2, 3, 2, 1 rows
// near the top; no two are within the contact distance, so the rack is at rest.
constexpr GameState::Floats kRackX{161.0f, 161.0f, 152.2f, 169.8f, 161.0f, 169.8f, 152.2f, 178.6f, 161.0f, 143.4f};
constexpr GameState::Floats kRackY{354.0f, 134.0f, 119.6f, 119.6f, 76.4f, 90.8f, 90.8f, 105.2f, 105.2f, 105.2f};
}

void ResetShot(GameState& s)
{
    s.ballVX.fill(0.0f);
    s.ballVY.fill(0.0f);
    s.shotPhase = phase::Aiming;
    s.pottedCount = 0;
}

void RackBalls(GameState& s)
{
    ResetShot(s);
    s.ballX = kRackX;
    s.ballY = kRackY;
}
