#pragma once

#include "control/GameState.h"

// Ends a shot: every ball at rest, back to aiming, nothing potted.
void ResetShot(GameState& s);

// Starts a rack: ResetShot, then all ten balls on their starting spots.
void RackBalls(GameState& s);
