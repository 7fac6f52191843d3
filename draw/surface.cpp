#include "draw/surface.h"

Surface::Surface(QWidget* parent, QImage image) : QWidget(parent), image_(std::move(image))
{
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing);
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
