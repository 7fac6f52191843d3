#pragma once

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QWidget>
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

// One drawing surface of the table: a widget that keeps its own image, shows
// exactly that image whenever it is painted, and lets the mouse through to the
// window beneath. A frame's circles and lines are noted as they are drawn and
// painted over the table only when the frame is to be shown, so that a frame
// like the one on screen costs nothing. Its painter stays open on the image,
// and its pens and brushes are made once per colour: made afresh every frame,
// either would cost heap allocations.
class Surface : public QWidget {
public:
    explicit Surface(QWidget* parent);

    const QImage& image() const { return image_; }
    void SetImage(QImage image);

    // The drawing state, set before each use and kept from tick to tick.
    void SetDrawWidth(double width) { drawWidth_ = width; }
    void SetForeColor(int32_t color) { foreColor_ = color; }
    void SetFillColor(int32_t color) { fillColor_ = color; }
    void Circle(QPointF centre, double radius, int32_t outline);
    void Line(QPointF from, QPointF to);

    // A new frame: nothing drawn on it yet.
    void Clear() { marks_.clear(); }
    const std::vector<Mark>& Marks() const { return marks_; }
    // Paints the frame: the table's image (a surface of the same size), then
    // the frame's marks in the order they were drawn.
    void Paint(const Surface& table);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPen& Pen(int32_t color, double width);
    const QBrush& Brush(int32_t color);

    QImage image_;
    QPainter painter_;
    double drawWidth_ = 1.0;
    int32_t foreColor_ = 0;
    int32_t fillColor_ = 0;
    std::vector<Mark> marks_;
    std::vector<std::tuple<int32_t, double, QPen>> pens_;
    std::vector<std::pair<int32_t, QBrush>> brushes_;
};
