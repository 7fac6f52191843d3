#include "draw/surface.h"

#include <QPainter>
#include <cmath>

Surface::Surface(QWidget* parent, qreal dpr)
    : QWidget(parent)
    , image_(static_cast<int>(std::ceil(frame::kWidth * dpr)), static_cast<int>(std::ceil(frame::kHeight * dpr)),
             QImage::Format_RGB32)
{
    image_.setDevicePixelRatio(dpr);
    image_.fill(Qt::black);
    setGeometry(0, 0, frame::kWidth, frame::kHeight);
    // The window tracks the pointer itself, over whichever buffer is showing.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The image covers the whole widget, so nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Surface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), image_);
}
