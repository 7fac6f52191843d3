#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace frame {
constexpr int kWidth = 325;
constexpr int kHeight = 493;
}

// One drawing surface of the table: a widget that keeps its own image, shows
// exactly that image whenever it is painted, and lets the mouse through to the
// window beneath. Its painter stays open on the image for the surface's life
// and carries the surface's drawing state from tick to tick; opening one every
// tick would cost heap allocations in every frame.
class Surface : public QWidget {
public:
    Surface(QWidget* parent, QImage image);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    QPainter& painter() { return painter_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QPainter painter_;
};
