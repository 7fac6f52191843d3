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
// window beneath. Its painter stays open on the image and carries the
// surface's drawing state from tick to tick (opening one every tick would
// cost heap allocations in every frame), so only the surface itself writes to
// its image: by that painter, by a copy of another surface, or by taking a
// new image, which closes the painter on the old one first.
class Surface : public QWidget {
public:
    explicit Surface(QWidget* parent);

    const QImage& image() const { return image_; }
    QPainter& painter() { return painter_; }
    void SetImage(QImage image);
    // Copies the whole image of a surface of the same size: PaintPicture.
    void PaintPicture(const Surface& source);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QPainter painter_;
};
