#pragma once

#include "control/GameState.h"
#include "draw/surface.h"

// The cue at the pointer P along direction D: the tip from P - D to P + D,
// 3 pixels wide; the middle on to P + 3D, 5 wide; the butt on to P + 6D, 7
// wide. Each wider segment covers the end of the narrower one before it. The
// surface's line width is 1 again afterwards, for the balls' outlines.
void DrawCue(const GameState& s, Surface& frame, float dx, float dy);

// While the balls roll the cue keeps the direction it struck with and follows
// the pointer.
void DrawCueAfterShot(const GameState& s, Surface& frame);
