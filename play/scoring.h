#pragma once

#include <string>

#include "control/GameState.h"

namespace rules {
constexpr int kBlack = 8;
constexpr float kCueSpotX = 161.0f;
constexpr float kCueSpotY = 354.0f;
constexpr int16_t kWinningPoints = 5;
}

// Credits the balls potted in the shot to the shooter, puts a potted cue ball
// back on its spot, and decides the game when the black ball is down.
void ScoreShot(GameState& s);

// The rules once every ball is at rest: score, pass the turn when nothing
// counted, and prepare the next shot. The caller refreshes the scoreboard.
void EndShot(GameState& s);

// Both scores, "00" formatted, with ">" before the score of the player to
// shoot: ">03    05" or " 03   >05".
std::string ScoreboardText(const GameState& s);
