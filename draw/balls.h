#pragma once

#include "control/GameState.h"
#include "draw/surface.h"

namespace ball {
constexpr double kRadius = 8.0;
}

// Every ball still on the table as a filled disc of radius 8 in its colour,
// with an outline of the same colour, centred on its position rounded to whole
// pixels. Higher indices are drawn later and lie on top, so the cue ball lies
// under every object ball.
void DrawBalls(const GameState& s, Surface& frame);
