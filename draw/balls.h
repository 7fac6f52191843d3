#pragma once

#include <QPainter>

#include "control/GameState.h"

namespace ball {
constexpr qreal kRadius = 8.0;
}

// Every ball still on the table as a filled disc of its colour, centred on its
// position rounded to whole pixels; higher indices are drawn later and lie on
// top, so the cue ball lies under every object ball.
void DrawBalls(const GameState& s, QPainter& p);
