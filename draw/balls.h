#pragma once

#include <QImage>

#include "control/GameState.h"

namespace ball {
constexpr double kRadius = 8.0;
}

// Every ball still on the table as a filled, antialiased disc of its colour,
// centred on its position rounded to whole pixels, straight into an RGB32
// frame at the frame's device pixel ratio. Higher indices are drawn later and
// lie on top, so the cue ball lies under every object ball.
void DrawBalls(const GameState& s, QImage& frame);
