#pragma once

#include "control/GameState.h"

// The table's playing bounds and pocket zones, as limits on ball centres.
namespace table {
constexpr float kLeft = 34.0f;
constexpr float kRight = 288.0f;
constexpr float kTop = 42.0f;
constexpr float kBottom = 446.0f;
constexpr float kPocketLeft = 46.0f;
constexpr float kPocketRight = 276.0f;
constexpr float kCornerTop = 54.0f;
constexpr float kCornerBottom = 434.0f;
constexpr float kSideTop = 228.0f;
constexpr float kSideBottom = 252.0f;
constexpr float kContact = 16.0f;
constexpr float kStopThreshold = 0.5f;
constexpr double kFriction = 0.975;
constexpr double kDamping = 0.95;
}

// Advances every ball by one step: friction, cushions, pockets, contacts.
// Returns true when no velocity component moved in this step.
bool MoveBalls(GameState& s);

// True when a centre (already held within the cushions) lies in a pocket zone.
bool InPocket(float x, float y);
