#include "control/tableview.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "draw/tableimage.h"

TableView::TableView(QWidget* parent)
    : QWidget(parent), picture_(PaintTableImage(devicePixelRatioF())), buffers_(picture_)
{
    setMinimumSize(kClientAreaSize.width, kClientAreaSize.height);
    setMouseTracking(true);
    // Every pixel is painted below, the plain background beside the picture too.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QPointF TableView::corner() const
{
    return QPointF(origin_) / devicePixelRatioF();
}

void TableView::Fit()
{
    const qreal dpr = devicePixelRatioF();
    zoom_ = std::max(1.0, std::min(width() / static_cast<qreal>(kClientAreaSize.width), height() / static_cast<qreal>(kClientAreaSize.height)));
    // In the middle, on whole logical pixels where the screen's scale allows.
    const QPointF corner(std::floor((width() - kClientAreaSize.width * zoom_) / 2), std::floor((height() - kClientAreaSize.height * zoom_) / 2));
    origin_ = QPoint(static_cast<int>(std::lround(std::max(0.0, corner.x()) * dpr)), static_cast<int>(std::lround(std::max(0.0, corner.y()) * dpr)));
    if (const qreal scale = dpr * zoom_; scale != picture_.devicePixelRatio()) {
        picture_ = PaintTableImage(scale);
        buffers_.Rescale(picture_);
    }
    buffers_.changed = QRegion();
    update();
}

bool TableView::ShowChanges()
{
    if (buffers_.changed.isEmpty())
        return false;
    const qreal dpr = devicePixelRatioF();
    QRegion region;
    for (const QRect& r : buffers_.changed)
        region += QRectF(QRectF(r.translated(origin_)).topLeft() / dpr, QSizeF(r.size()) / dpr).toAlignedRect();
    buffers_.changed = QRegion();
    repaint(region);
    return true;
}

void TableView::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const qreal dpr = devicePixelRatioF();
    const QRect view(0, 0, static_cast<int>(std::ceil(width() * dpr)), static_cast<int>(std::ceil(height() * dpr)));
    const qreal scale = picture_.devicePixelRatio();
    const QRect client(origin_, QSize(static_cast<int>(std::ceil(kClientAreaSize.width * scale)), static_cast<int>(std::ceil(kClientAreaSize.height * scale))));
    const QColor plain = palette().color(QPalette::Window);
    const auto copy = [&](const QImage& image, QRect from) { p.drawImage(QRectF(from.translated(origin_)), image, QRectF(from)); };
    const Surface* shown = buffers_.Shown();
    const QRect surface = shown ? shown->image().rect() : QRect();
    // One rectangle of the region at a time: clipped to a rectangle, Qt's
    // painter copies an image row by row; clipped to many, it goes span by
    // span and hands large copies to other threads, waking each.
    for (const QRect& r : event->region()) {
        p.resetTransform();
        p.setClipRect(r);
        // In device pixels, where the pictures are laid out: each is copied
        // pixel for pixel, never resampled.
        p.scale(1 / dpr, 1 / dpr);
        p.fillRect(QRect(view.topLeft(), QPoint(view.right(), client.top() - 1)), plain);
        p.fillRect(QRect(QPoint(view.left(), client.bottom() + 1), view.bottomRight()), plain);
        p.fillRect(QRect(QPoint(view.left(), client.top()), QPoint(client.left() - 1, client.bottom())), plain);
        p.fillRect(QRect(QPoint(client.right() + 1, client.top()), QPoint(view.right(), client.bottom())), plain);
        // The window's background picture, then over it the frame on view.
        copy(picture_, QRect(QPoint(surface.right() + 1, 0), QPoint(client.width() - 1, client.height() - 1)));
        copy(picture_, QRect(QPoint(0, surface.bottom() + 1), QPoint(surface.right(), client.height() - 1)));
        if (shown)
            copy(shown->image(), surface);
    }
}

void TableView::resizeEvent(QResizeEvent*)
{
    Fit();
}

// Only the drawing surfaces report the pointer; the uncovered strips at the
// right and bottom of the client area, and the plain background around it,
// do not.
bool TableView::OverSurfaces(QPointF p) const
{
    return p.x() >= 0 && p.y() >= 0 && p.x() < kSurfaceSize.width && p.y() < kSurfaceSize.height;
}

void TableView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = (event->position() - corner()) / zoom_;
    if (OverSurfaces(p) && pointerMoved)
        pointerMoved(static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void TableView::mousePressEvent(QMouseEvent* event)
{
    if (OverSurfaces((event->position() - corner()) / zoom_) && buttonPressed)
        buttonPressed();
}
