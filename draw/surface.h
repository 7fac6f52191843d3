#pragma once

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRegion>
#include <cstdint>
#include <tuple>
#include <vector>

#include "draw/sizes.h"

// What a tick draws on a frame, in the drawing state of the moment: a filled
// circle about (x1, y1), or a straight line from there to (x2, y2).
struct Mark {
    bool circle{};
    double x1{}, y1{}, x2{}, y2{}, radius{};
    double width{};
    int32_t outline{}, fill{};
    bool operator==(const Mark&) const = default;
};

// The device pixels of a picture at `scale` device pixels a table pixel
// where one list of marks may differ from another: every mark that is not
// the same at the same place in both lists, with room for its antialiased
// edge. A line is covered piece by piece along its length, so a long slanted
// cue claims little more than the pixels it crosses.
QRegion Differences(const std::vector<Mark>& a, const std::vector<Mark>& b, qreal scale);

// One drawing surface of the table: an image kept whether or not it is
// shown, and whether it is. A frame's circles and lines are noted as they are
// drawn and painted over the table only when the frame is to be shown, and
// then only where they differ from what the image already holds, so a frame
// costs what changed on it. Its painter stays open on the image, and its pens
// and brushes are made once per colour: made afresh every frame, either
// would cost heap allocations.
class Surface {
public:
    // The image, in device pixels, and how many of them a table pixel spans.
    const QImage& image() const { return image_; }
    qreal scale() const { return scale_; }
    // A new image at the scale of its device pixel ratio: painted whole next.
    void SetImage(QImage image);

    bool visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    // The drawing state, set before each use and kept from tick to tick.
    void SetDrawWidth(double width) { drawWidth_ = width; }
    void SetForeColor(int32_t color) { foreColor_ = color; }
    void SetFillColor(int32_t color) { fillColor_ = color; }
    void Circle(QPointF centre, double radius, int32_t outline);
    void Line(QPointF from, QPointF to);

    // A new frame: nothing drawn on it yet.
    void Clear() { marks_.clear(); }
    const std::vector<Mark>& Marks() const { return marks_; }
    // The marks the image shows.
    const std::vector<Mark>& Painted() const { return painted_; }
    // Paints the frame: the table's image (a surface of the same size), then
    // the frame's marks in the order they were drawn, wherever the image
    // showed other marks.
    void Paint(const Surface& table);

private:
    const QPen& Pen(int32_t color, double width);
    const QBrush& Brush(int32_t color);

    QImage image_;
    QPainter painter_;
    qreal scale_ = 1.0;
    bool visible_ = false;
    bool whole_ = true;
    double drawWidth_ = 1.0;
    int32_t foreColor_ = 0;
    int32_t fillColor_ = 0;
    std::vector<Mark> marks_;
    std::vector<Mark> painted_;
    std::vector<std::tuple<int32_t, double, QPen>> pens_;
    std::vector<std::pair<int32_t, QBrush>> brushes_;
};
