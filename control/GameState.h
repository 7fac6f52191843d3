#pragma once

#include <array>
#include <cstdint>

// Every variable of the game, owned by the window for its whole life. Created
// zero-filled; fields keep their declared order and widths: positions and
// velocities are float, flags (-1 true, 0 false), counters and scores int16_t,
// colours int32_t as red + 256 * green + 65536 * blue.
struct GameState {
    static constexpr int kBalls = 10;
    using Floats = std::array<float, kBalls>;
    using Colors = std::array<int32_t, kBalls>;

    int32_t cueColorTip = 0;
    int32_t cueColorMid = 0;
    int32_t cueColorButt = 0;
    int16_t stopRequested = 0;
    int16_t shotPhase = 0;
    int16_t pottedCount = 0;
    Floats ballX{};
    Floats ballY{};
    Floats ballVX{};
    Floats ballVY{};
    float mouseX = 0;
    float mouseY = 0;
    float aimDX = 0;
    float aimDY = 0;
    float aimDistance = 0;
    float prevOffsetX = 0;
    float prevOffsetY = 0;
    float cueDX = 0;
    float cueDY = 0;
    Colors ballColor{};
    float offsetX = 0;
    float offsetY = 0;
    int16_t drawBuffer = 0;
    int16_t currentPlayer = 0;
    int16_t score1 = 0;
    int16_t score2 = 0;
    int16_t gameResult = 0;

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
