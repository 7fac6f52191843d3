#include "draw/cue.h"

#include <array>

#include "draw/paint.h"

namespace {

struct Segment {
    double from, to; // multiples of the direction, from the pointer
    double width;
    int32_t GameState::*color;
};

constexpr std::array kSegments{
    Segment{-1.0, 1.0, 3.0, &GameState::cueColorTip},
    Segment{1.0, 3.0, 5.0, &GameState::cueColorMid},
    Segment{3.0, 6.0, 7.0, &GameState::cueColorButt},
};

// Worked in double from the stored floats and handed over as a float: the end
// keeps its fraction of a pixel.
QPointF CuePoint(const GameState& s, double k, float dx, float dy)
{
    const float x = static_cast<float>(static_cast<double>(s.mouseX) + k * static_cast<double>(dx));
    const float y = static_cast<float>(static_cast<double>(s.mouseY) + k * static_cast<double>(dy));
    return PixelCentre(x, y);
}

} // namespace

void DrawCue(const GameState& s, Surface& frame, float dx, float dy)
{
    for (const Segment& segment : kSegments) {
        frame.SetDrawWidth(segment.width);
        frame.SetForeColor(s.*segment.color);
        frame.Line(CuePoint(s, segment.from, dx, dy), CuePoint(s, segment.to, dx, dy));
    }
    frame.SetDrawWidth(1.0);
}

void DrawCueAfterShot(const GameState& s, Surface& frame)
{
    DrawCue(s, frame, s.cueDX, s.cueDY);
}
