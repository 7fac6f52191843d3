#include "play/stroke.h"

#include <cmath>

void AimCue(GameState& s)
{
    s.offsetX = s.mouseX - s.ballX[0];
    s.offsetY = s.mouseY - s.ballY[0];
    s.aimDistance = static_cast<float>(
        std::sqrt(static_cast<double>(s.offsetX) * s.offsetX + static_cast<double>(s.offsetY) * s.offsetY));
    const float scale = static_cast<float>(s.aimDistance / cue::kAimLength);
    if (scale != 0.0f) {
        s.aimDX = s.offsetX / scale;
        s.aimDY = s.offsetY / scale;
    }
}

void StrokeCue(GameState& s)
{
    s.prevOffsetX = s.offsetX;
    s.prevOffsetY = s.offsetY;
    s.cueDX = s.aimDX;
    s.cueDY = s.aimDY;
    AimCue(s);
    if (s.aimDistance <= cue::kStrikeDistance) {
        s.ballVX[0] = s.offsetX - s.prevOffsetX;
        s.ballVY[0] = s.offsetY - s.prevOffsetY;
        s.shotPhase = phase::Rolling;
    }
}
