#include "draw/cue.h"

#include <QPainter>
#include <array>
#include <optional>

#include "draw/paint.h"

namespace {

struct Segment {
    double from, to; // multiples of the direction, from the pointer
    qreal width;
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

// The segments' pens, made again only when a cue colour changes: made afresh
// every tick they would cost heap allocations in every frame.
const QPen& SegmentPen(const GameState& s, size_t segment)
{
    static std::array<QPen, kSegments.size()> pens;
    static std::array<std::optional<int32_t>, kSegments.size()> colors;
    const Segment& seg = kSegments[segment];
    if (colors[segment] != s.*seg.color) {
        colors[segment] = s.*seg.color;
        pens[segment] = QPen(ToQColor(s.*seg.color), seg.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }
    return pens[segment];
}

} // namespace

void DrawCue(const GameState& s, QPainter& p, float dx, float dy)
{
    for (size_t i = 0; i < kSegments.size(); ++i) {
        p.setPen(SegmentPen(s, i));
        p.drawLine(QLineF(CuePoint(s, kSegments[i].from, dx, dy), CuePoint(s, kSegments[i].to, dx, dy)));
    }
}

void DrawCueAfterShot(const GameState& s, QPainter& p)
{
    DrawCue(s, p, s.cueDX, s.cueDY);
}
