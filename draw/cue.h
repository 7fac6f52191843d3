#pragma once

#include <QPainter>

#include "control/GameState.h"

// The cue at the pointer P along direction D: the tip from P - D to P + D,
// 3 pixels wide; the middle on to P + 3D, 5 wide; the butt on to P + 6D, 7
// wide. Each wider segment covers the end of the narrower one before it.
void DrawCue(const GameState& s, QPainter& p, float dx, float dy);

// While the balls roll the cue keeps the direction it struck with and follows
// the pointer.
void DrawCueAfterShot(const GameState& s, QPainter& p);
