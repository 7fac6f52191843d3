#pragma once

#include <QImage>
#include <QWidget>

namespace frame {
constexpr int kWidth = 325;
constexpr int kHeight = 493;
}

// One drawing surface of the table: a widget that keeps its own image, shows
// exactly that image whenever it is painted, and lets the mouse through to the
// window beneath.
class Surface : public QWidget {
public:
    Surface(QWidget* parent, qreal dpr);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
