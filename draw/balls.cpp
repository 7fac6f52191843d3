#include "draw/balls.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "draw/paint.h"

namespace {

// Halves go to the even neighbour under the default rounding mode, and the
// stored position keeps its fraction. A centre beyond the 16-bit range is
// held at its end, far off the surface, rather than overflowing.
int16_t RoundCentre(float v)
{
    constexpr double lowest = std::numeric_limits<int16_t>::min();
    constexpr double highest = std::numeric_limits<int16_t>::max();
    const double r = std::nearbyint(static_cast<double>(v));
    if (!(r >= lowest))
        return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(std::min(r, highest));
}

} // namespace

void DrawBalls(const GameState& s, QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < GameState::kBalls; ++i) {
        // Only exactly 0 marks a pocketed ball; the tiniest other value is drawn.
        if (s.ballX[i] == 0.0f)
            continue;
        p.setBrush(ToQColor(s.ballColor[i]));
        p.drawEllipse(PixelCentre(RoundCentre(s.ballX[i]), RoundCentre(s.ballY[i])), ball::kRadius, ball::kRadius);
    }
}
