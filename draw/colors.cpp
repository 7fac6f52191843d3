#include "draw/colors.h"

namespace {
constexpr int32_t kCueTip = Rgb(240, 128, 48);
constexpr int32_t kCueMid = Rgb(196, 96, 32);
constexpr int32_t kCueButt = Rgb(128, 64, 16);

constexpr GameState::Colors kBallColors{
    Rgb(255, 255, 255), // cue ball
    Rgb(255, 255, 128),
    Rgb(128, 255, 128),
    Rgb(128, 128, 255),
    Rgb(255, 128, 255),
    Rgb(255, 128, 128),
    Rgb(128, 96, 64),
    Rgb(64, 196, 64),
    Rgb(0, 0, 0), // black ball
    Rgb(96, 64, 128),
};
}

void InitColors(GameState& s)
{
    s.cueColorTip = kCueTip;
    s.cueColorMid = kCueMid;
    s.cueColorButt = kCueButt;
    s.ballColor = kBallColors;
}
