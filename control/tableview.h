#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "draw/sizes.h"

// The window's client area: the table image as background with the drawing
// surfaces stacked at its top-left. Mouse input is taken here rather than on
// the surfaces, since a hidden surface receives nothing and the frame buffers
// are hidden in turn every tick.
class TableView : public QWidget {
public:
    std::function<void(float x, float y)> pointerMoved;
    std::function<void()> buttonPressed;

    explicit TableView(QWidget* parent);

    const QImage& picture() const { return picture_; }
    void SetPicture(QImage picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};
