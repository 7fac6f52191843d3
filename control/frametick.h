#pragma once

#include "control/GameState.h"

struct FrameBuffers;

// One frame tick: a new frame in the hidden buffer; then by shot phase the
// balls and the aim, or the balls and the stroke, or the motion step, the
// balls, the cue and, once everything rests, the end of the shot; then the
// frame is painted over the table and shown. A phase outside 0 to 2 shows the
// bare table. Returns true when a shot ended in this tick, for the caller to
// refresh the scoreboard.
bool PlayFrame(GameState& s, FrameBuffers& b);
