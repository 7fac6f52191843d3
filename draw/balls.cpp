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

// `color` over `under`, covering 0 to 256 parts of 256.
QRgb Blend(QRgb under, QRgb color, uint32_t cover)
{
    const uint32_t rest = 256 - cover;
    const uint32_t redBlue = (((color & 0xff00ff) * cover + (under & 0xff00ff) * rest) >> 8) & 0xff00ff;
    const uint32_t green = (((color & 0x00ff00) * cover + (under & 0x00ff00) * rest) >> 8) & 0x00ff00;
    return 0xff000000u | redBlue | green;
}

// A disc filled row by row in device pixels: solid within half a pixel of the
// rim, and across the rim covering each pixel by how far its centre lies
// inside the circle plus half a pixel. A painter's ellipse looks the same but
// costs about 2 us a ball, most of a tick, in turning the circle into edges.
void FillDisc(QImage& frame, QPointF c, double r, QRgb color)
{
    const double outer = r + 0.5, inner = r - 0.5;
    const int top = std::max(0, static_cast<int>(std::floor(c.y() - outer)));
    const int bottom = std::min(frame.height() - 1, static_cast<int>(std::ceil(c.y() + outer)));
    for (int y = top; y <= bottom; ++y) {
        const double dy = y + 0.5 - c.y();
        if (dy * dy >= outer * outer)
            continue;
        // Pixel x has its centre at x + 0.5; [solidFrom, solidTo] lie wholly
        // inside, [from, to] touch the disc at all.
        const double reach = std::sqrt(outer * outer - dy * dy);
        const int from = std::max(0, static_cast<int>(std::floor(c.x() - reach)));
        const int to = std::min(frame.width() - 1, static_cast<int>(std::ceil(c.x() + reach)));
        int solidFrom = to + 1, solidTo = to;
        if (dy * dy < inner * inner) {
            const double solid = std::sqrt(inner * inner - dy * dy);
            solidFrom = std::max(from, static_cast<int>(std::ceil(c.x() - solid - 0.5)));
            solidTo = std::min(to, static_cast<int>(std::floor(c.x() + solid - 0.5)));
        }
        QRgb* row = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = from; x <= to; ++x) {
            if (x >= solidFrom && x <= solidTo) {
                std::fill(row + x, row + solidTo + 1, color);
                x = solidTo;
                continue;
            }
            const double dx = x + 0.5 - c.x();
            const double cover = outer - std::sqrt(dx * dx + dy * dy);
            if (cover >= 1.0)
                row[x] = color;
            else if (cover > 0.0)
                row[x] = Blend(row[x], color, static_cast<uint32_t>(cover * 256.0 + 0.5));
        }
    }
}

} // namespace

void DrawBalls(const GameState& s, QImage& frame)
{
    Q_ASSERT(frame.format() == QImage::Format_RGB32);
    const double dpr = frame.devicePixelRatio();
    for (int i = 0; i < GameState::kBalls; ++i) {
        // Only exactly 0 marks a pocketed ball; the tiniest other value is drawn.
        if (s.ballX[i] == 0.0f)
            continue;
        const QPointF centre = PixelCentre(RoundCentre(s.ballX[i]), RoundCentre(s.ballY[i])) * dpr;
        FillDisc(frame, centre, ball::kRadius * dpr, ToQColor(s.ballColor[i]).rgb());
    }
}
