#pragma once

#include <array>
#include <cstdint>

// Every variable of the game, owned by the window for its whole life. Created
// zero-filled; fields keep their declared order and widths: positions in
// pixels of the drawing area and velocities in pixels per tick are float,
// flags int16_t (-1 true, 0 false), counters and scores int16_t, colours
// int32_t as red + 256 * green + 65536 * blue. Every per-ball array has ball 0,
// the cue ball, first; 1 to 9 are the object balls, 8 the black one.
struct GameState {
    static constexpr int kBalls = 10;
    using Floats = std::array<float, kBalls>;
    using Colors = std::array<int32_t, kBalls>;

    int32_t cueColorTip = 0; // the cue's thin tip, its middle and its butt
    int32_t cueColorMid = 0;
    int32_t cueColorButt = 0;
    int16_t stopRequested = 0; // the game loop ends at its next test
    int16_t shotPhase = 0; // phase::Aiming, Stroking or Rolling
    int16_t pottedCount = 0; // balls down in this shot, the cue ball too until it is put back
    Floats ballX{}; // centres; a ball in a pocket has x exactly 0 (Pocketed)
    Floats ballY{};
    Floats ballVX{};
    Floats ballVY{};
    float mouseX = 0; // the pointer, as last reported over the table
    float mouseY = 0;
    float aimDX = 0; // 40 pixels long, from the cue ball's centre towards the pointer
    float aimDY = 0;
    float aimDistance = 0; // from the cue ball's centre to the pointer
    float prevOffsetX = 0; // offsetX as the tick before left it
    float prevOffsetY = 0;
    float cueDX = 0; // the aim the cue keeps while the balls roll
    float cueDY = 0;
    Colors ballColor{};
    float offsetX = 0; // the pointer less the cue ball's centre, this tick
    float offsetY = 0;
    int16_t drawBuffer = 0; // the hidden frame buffer, 1 or 2, that this tick draws into
    int16_t currentPlayer = 0; // 1: player 1 shoots; -1: player 2
    int16_t score1 = 0;
    int16_t score2 = 0;
    int16_t gameResult = 0; // whether a loop runs, and who won: result::NoLoop, Running, Player1Wins, Player2Wins

    bool operator==(const GameState&) const = default;
};

namespace flag {
constexpr int16_t True = -1;
constexpr int16_t False = 0;
}

namespace phase {
constexpr int16_t Aiming = 0;
constexpr int16_t Stroking = 1;
constexpr int16_t Rolling = 2;
}

namespace result {
constexpr int16_t NoLoop = -1;
constexpr int16_t Running = 0;
constexpr int16_t Player1Wins = 1;
constexpr int16_t Player2Wins = 2;
}

// A ball in a pocket has its centre's x at exactly 0, where no ball on the
// table can be; its y plays no part until the next rack.
constexpr float kPocketedX = 0.0f;

constexpr bool Pocketed(const GameState& s, int ball)
{
    return s.ballX[ball] == kPocketedX;
}
