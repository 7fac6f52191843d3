#include "draw/surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "draw/paint.h"

namespace {

// The device pixels that a box of table pixels touches, one more all round
// for the antialiased edge.
QRect Touched(double left, double top, double right, double bottom, qreal scale)
{
    return QRect(QPoint(static_cast<int>(std::floor(left * scale)) - 1, static_cast<int>(std::floor(top * scale)) - 1),
                 QPoint(static_cast<int>(std::ceil(right * scale)), static_cast<int>(std::ceil(bottom * scale))));
}

// A disc with its outline, or a stroke with its round caps, reaches half the
// pen's width beyond its shape.
QRect DiscBox(const Mark& m, qreal scale)
{
    const double r = m.radius + m.width / 2;
    return Touched(m.x1 - r, m.y1 - r, m.x1 + r, m.y1 + r, scale);
}

// A stroke is covered in pieces about one and a half times its width with the
// edges, each piece by its own box.
void Cover(QRegion& region, const Mark& m, qreal scale)
{
    if (m.circle) {
        region += DiscBox(m, scale);
        return;
    }
    const double pad = m.width / 2;
    const double dx = m.x2 - m.x1, dy = m.y2 - m.y1;
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::hypot(dx, dy) / (1.5 * (m.width + 2)))));
    for (int i = 0; i < pieces; ++i) {
        const double t0 = static_cast<double>(i) / pieces, t1 = static_cast<double>(i + 1) / pieces;
        const double xa = m.x1 + t0 * dx, xb = m.x1 + t1 * dx, ya = m.y1 + t0 * dy, yb = m.y1 + t1 * dy;
        region += Touched(std::min(xa, xb) - pad, std::min(ya, yb) - pad, std::max(xa, xb) + pad, std::max(ya, yb) + pad, scale);
    }
}

} // namespace

QRegion Differences(const std::vector<Mark>& a, const std::vector<Mark>& b, qreal scale)
{
    // A pixel outside every mark that differs is touched, in both lists, by
    // the same marks in the same order, so it looks the same in both.
    QRegion region;
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (i < a.size() && i < b.size() && a[i] == b[i])
            continue;
        for (const std::vector<Mark>* list : {&a, &b})
            if (i < list->size())
                Cover(region, (*list)[i], scale);
    }
    return region;
}

void Surface::SetImage(QImage image)
{
    // A painter must not outlive, nor be left on, the image it draws on.
    if (painter_.isActive())
        painter_.end();
    // The painter works in device pixels, with the scale as its own
    // transform, so that the clip can be set in device pixels exactly.
    scale_ = image.devicePixelRatio();
    image_ = std::move(image);
    image_.setDevicePixelRatio(1.0);
    whole_ = true;
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing);
}

void Surface::Circle(QPointF centre, double radius, int32_t outline)
{
    marks_.push_back({.circle = true, .x1 = centre.x(), .y1 = centre.y(), .radius = radius, .width = drawWidth_, .outline = outline, .fill = fillColor_});
}

void Surface::Line(QPointF from, QPointF to)
{
    marks_.push_back({.circle = false, .x1 = from.x(), .y1 = from.y(), .x2 = to.x(), .y2 = to.y(), .width = drawWidth_, .outline = foreColor_});
}

void Surface::Paint(const Surface& table)
{
    const QRegion dirty = whole_ ? QRegion(image_.rect()) : Differences(painted_, marks_, scale_) & image_.rect();
    whole_ = false;
    painted_ = marks_;
    if (dirty.isEmpty())
        return;
    // PaintPicture, where the frame differs: the table's image, of the same
    // size, replaces those pixels.
    for (const QRect& r : dirty)
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(image_.scanLine(y) + r.left() * 4, table.image_.constScanLine(y) + r.left() * 4, static_cast<size_t>(r.width()) * 4);
    // The clip stays until the next frame replaces it: Qt's raster painter
    // ignores a clip set again once clipping has been turned off.
    painter_.resetTransform();
    painter_.setClipRegion(dirty);
    painter_.setTransform(QTransform::fromScale(scale_, scale_));
    for (const Mark& m : marks_) {
        // A ball clear of the pixels painted afresh would change none of them,
        // and Qt would work out its outline before clipping it away whole.
        if (m.circle && !dirty.intersects(DiscBox(m, scale_)))
            continue;
        painter_.setPen(Pen(m.outline, m.width));
        if (m.circle) {
            painter_.setBrush(Brush(m.fill));
            painter_.drawEllipse(QPointF(m.x1, m.y1), m.radius, m.radius);
        } else {
            painter_.drawLine(QLineF(m.x1, m.y1, m.x2, m.y2));
        }
    }
}

const QPen& Surface::Pen(int32_t color, double width)
{
    for (const auto& [c, w, pen] : pens_)
        if (c == color && w == width)
            return pen;
    return std::get<QPen>(pens_.emplace_back(color, width, QPen(ToQColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)));
}

const QBrush& Surface::Brush(int32_t color)
{
    for (const auto& [c, brush] : brushes_)
        if (c == color)
            return brush;
    return brushes_.emplace_back(color, QBrush(ToQColor(color))).second;
}
