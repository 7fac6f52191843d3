#include "draw/balls.h"

#include <array>
#include <cmath>
#include <optional>

#include "draw/paint.h"

namespace {

// Halves go to the even neighbour under the default rounding mode, and the
// stored position keeps its fraction.
int16_t RoundCentre(float v)
{
    return static_cast<int16_t>(std::nearbyint(v));
}

struct Ink {
    std::optional<int32_t> color;
    QPen pen;
    QBrush brush;
};

// Each ball's pen and brush, made again only when its colour changes: made
// afresh every tick they would cost heap allocations in every frame.
const Ink& BallInk(const GameState& s, int i)
{
    static std::array<Ink, GameState::kBalls> inks;
    Ink& ink = inks[i];
    if (ink.color != s.ballColor[i]) {
        const QColor color = ToQColor(s.ballColor[i]);
        ink = {s.ballColor[i], QPen(color, 1.0), QBrush(color)};
    }
    return ink;
}

} // namespace

void DrawBalls(const GameState& s, QPainter& p)
{
    for (int i = 0; i < GameState::kBalls; ++i) {
        // Only exactly 0 marks a pocketed ball; the tiniest other value is drawn.
        if (s.ballX[i] == 0.0f)
            continue;
        const Ink& ink = BallInk(s, i);
        p.setPen(ink.pen);
        p.setBrush(ink.brush);
        p.drawEllipse(PixelCentre(RoundCentre(s.ballX[i]), RoundCentre(s.ballY[i])), ball::kRadius, ball::kRadius);
    }
}
