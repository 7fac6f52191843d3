#include "draw/surface.h"

#include <cstring>

Surface::Surface(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, frame::kWidth, frame::kHeight);
    // The window tracks the pointer itself, over whichever buffer is showing.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The image covers the whole widget, so nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Surface::SetImage(QImage image)
{
    // A painter must not outlive, nor be left on, the image it draws on.
    if (painter_.isActive())
        painter_.end();
    image_ = std::move(image);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing);
}

void Surface::PaintPicture(const Surface& source)
{
    Q_ASSERT(image_.sizeInBytes() == source.image_.sizeInBytes());
    std::memcpy(image_.bits(), source.image_.constBits(), static_cast<size_t>(image_.sizeInBytes()));
}

void Surface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), image_);
}
