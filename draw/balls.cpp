#include "draw/balls.h"

#include <cmath>

#include "draw/paint.h"

namespace {

// Halves go to the even neighbour under the default rounding mode, and the
// stored position keeps its fraction.
int16_t RoundCentre(float v)
{
    return static_cast<int16_t>(std::nearbyint(v));
}

} // namespace

void DrawBalls(const GameState& s, Surface& frame)
{
    for (int i = 0; i < GameState::kBalls; ++i) {
        // Only exactly 0 marks a pocketed ball; the tiniest other value is drawn.
        if (Pocketed(s, i))
            continue;
        frame.SetFillColor(s.ballColor[i]);
        frame.Circle(PixelCentre(RoundCentre(s.ballX[i]), RoundCentre(s.ballY[i])), ball::kRadius, s.ballColor[i]);
    }
}
