#include "draw/balls.h"

#include <QPaintEngine>
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

// The painter's own discs cost about 2 us each, nearly all of it in turning
// the circle into curves and edges; ten of them were the largest part of a
// tick. When the painter draws straight onto an opaque image, with nothing in
// between but the device pixel ratio, the balls are filled row by row into
// that image instead. The pixels are those of an antialiased disc: solid
// within half a device pixel of the rim, and across the rim covering each
// pixel by how far its centre lies inside the circle plus half a pixel.
class DirectDiscs {
public:
    explicit DirectDiscs(QPainter& p)
    {
        const QTransform t = p.deviceTransform();
        if (p.paintEngine() == nullptr || p.paintEngine()->type() != QPaintEngine::Raster
            || p.device()->devType() != QInternal::Image || p.hasClipping()
            || p.compositionMode() != QPainter::CompositionMode_SourceOver || p.opacity() != 1.0
            || t.type() > QTransform::TxScale || t.m11() != t.m22() || !(t.m11() > 0.0))
            return;
        QImage* image = static_cast<QImage*>(p.device());
        if (image->format() != QImage::Format_RGB32)
            return;
        image_ = image;
        transform_ = t;
    }

    bool Usable() const { return image_ != nullptr; }

    void Fill(QPointF centre, qreal radius, QRgb color) const
    {
        const QPointF c = transform_.map(centre);
        const double r = radius * transform_.m11();
        const double outer = r + 0.5, inner = r - 0.5;
        const int top = std::max(0, static_cast<int>(std::floor(c.y() - outer)));
        const int bottom = std::min(image_->height() - 1, static_cast<int>(std::ceil(c.y() + outer)));
        for (int y = top; y <= bottom; ++y) {
            const double dy = y + 0.5 - c.y();
            if (dy * dy >= outer * outer)
                continue;
            // Pixel x has its centre at x + 0.5; [solidFrom, solidTo] lie
            // wholly inside, [from, to] touch the disc at all.
            const double reach = std::sqrt(outer * outer - dy * dy);
            const int from = std::max(0, static_cast<int>(std::floor(c.x() - reach)));
            const int to = std::min(image_->width() - 1, static_cast<int>(std::ceil(c.x() + reach)));
            int solidFrom = to + 1, solidTo = to;
            if (dy * dy < inner * inner) {
                const double solid = std::sqrt(inner * inner - dy * dy);
                solidFrom = std::max(from, static_cast<int>(std::ceil(c.x() - solid - 0.5)));
                solidTo = std::min(to, static_cast<int>(std::floor(c.x() + solid - 0.5)));
            }
            // The painter writes into the same rows without detaching the
            // image, and so must this: a detach here would leave the painter
            // drawing into a copy.
            QRgb* row = reinterpret_cast<QRgb*>(const_cast<uchar*>(image_->constScanLine(y)));
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

private:
    // `color` over `under`, covering 0 to 256 parts of 256.
    static QRgb Blend(QRgb under, QRgb color, uint32_t cover)
    {
        const uint32_t rest = 256 - cover;
        const uint32_t redBlue = (((color & 0xff00ff) * cover + (under & 0xff00ff) * rest) >> 8) & 0xff00ff;
        const uint32_t green = (((color & 0x00ff00) * cover + (under & 0x00ff00) * rest) >> 8) & 0x00ff00;
        return 0xff000000u | redBlue | green;
    }

    QImage* image_ = nullptr;
    QTransform transform_;
};

} // namespace

void DrawBalls(const GameState& s, QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const DirectDiscs direct(p);
    for (int i = 0; i < GameState::kBalls; ++i) {
        // Only exactly 0 marks a pocketed ball; the tiniest other value is drawn.
        if (s.ballX[i] == 0.0f)
            continue;
        const QPointF centre = PixelCentre(RoundCentre(s.ballX[i]), RoundCentre(s.ballY[i]));
        if (direct.Usable()) {
            direct.Fill(centre, ball::kRadius, ToQColor(s.ballColor[i]).rgb());
        } else {
            p.setBrush(SolidBrush(s.ballColor[i]));
            p.drawEllipse(centre, ball::kRadius, ball::kRadius);
        }
    }
}
