#pragma once

#include <cstdint>

#include "control/GameState.h"

constexpr int32_t Rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

// The three cue segments and the ten balls; set once, before the first game.
void InitColors(GameState& s);
