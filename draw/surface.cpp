#include "draw/surface.h"

#include <cstring>

#include "draw/paint.h"

Surface::Surface(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, kSurfaceSize.width, kSurfaceSize.height);
    // The window tracks the pointer itself, over whichever buffer is showing.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The image covers the whole widget, so nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Surface::SetImage(QImage image)
{
    // A painter must not outlive, nor be left on, the image it draws on.
    if (painter_.isActive())
        painter_.end();
    image_ = std::move(image);
    update();
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
    // PaintPicture: the table's whole image, of the same size, replaces every pixel.
    std::memcpy(image_.bits(), table.image_.constBits(), static_cast<size_t>(image_.sizeInBytes()));
    for (const Mark& m : marks_) {
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

void Surface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), image_);
}
