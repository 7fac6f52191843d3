#pragma once

#include "control/GameState.h"

namespace cue {
constexpr double kAimLength = 40.0;
// The cue tip is drawn 40 pixels ahead of the pointer and a ball has radius 8:
// within 48 pixels of the centre the cue has reached the cue ball.
constexpr float kStrikeDistance = 48.0f;
}

// The aim from the pointer to the cue ball: offset, distance, and an aim
// vector 40 pixels long from the cue ball towards the pointer. With the
// pointer exactly on the centre the previous aim is kept. The cue is drawn
// from the result by the caller.
void AimCue(GameState& s);

// One stroking tick after the balls are drawn: remembers the previous offset
// and aim, aims anew, and once the cue reaches the cue ball gives it the
// pointer's movement over the last tick as velocity and starts the roll.
void StrokeCue(GameState& s);
