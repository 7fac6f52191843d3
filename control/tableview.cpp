#include "control/tableview.h"

#include <QMouseEvent>
#include <QPainter>

#include "draw/surface.h"

namespace {
// Only the drawing surfaces report the pointer; the uncovered strips at the
// right and bottom of the client area do not.
bool OverSurfaces(QPointF p)
{
    return p.x() >= 0 && p.y() >= 0 && p.x() < kSurfaceSize.width && p.y() < kSurfaceSize.height;
}
}

TableView::TableView(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kClientAreaSize.width, kClientAreaSize.height);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TableView::SetPicture(QImage picture)
{
    picture_ = std::move(picture);
    update();
}

void TableView::paintEvent(QPaintEvent*)
{
    QPainter(this).drawImage(0, 0, picture_);
}

void TableView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    if (OverSurfaces(p) && pointerMoved)
        pointerMoved(static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void TableView::mousePressEvent(QMouseEvent* event)
{
    if (OverSurfaces(event->position()) && buttonPressed)
        buttonPressed();
}
