#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "draw/framebuffers.h"
#include "draw/sizes.h"

// The window's client area below the menu bar. It shows the client area's
// picture, the table image as background with the drawing surfaces at its
// top-left, at the largest zoom that fits, in the middle of the window's
// plain background; at the window's own size that is all of it. The picture
// is painted at its zoom times the screen's scale, never enlarged. Mouse input
// is taken here and mapped back to table pixels, since only the surfaces
// report the pointer.
class TableView : public QWidget {
public:
    std::function<void(float x, float y)> pointerMoved;
    std::function<void()> buttonPressed;

    explicit TableView(QWidget* parent);

    FrameBuffers& buffers() { return buffers_; }
    // How many logical pixels a table pixel spans, and where the table's
    // top-left lies in the view.
    qreal zoom() const { return zoom_; }
    QPointF corner() const;

    // Lays the picture out for the view's size and screen, and paints the
    // table anew only when its scale changes.
    void Fit();
    // Paints, and hands the window system at once, the part of the view where
    // the frame on view has changed since it last did; false if none has.
    bool ShowChanges();

    QSize sizeHint() const override { return {kClientAreaSize.width, kClientAreaSize.height}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool OverSurfaces(QPointF p) const;

    QImage picture_;
    FrameBuffers buffers_;
    qreal zoom_ = 1.0;
    // The picture's top-left, in the view's device pixels.
    QPoint origin_;
};
