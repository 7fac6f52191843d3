#include "draw/framebuffers.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Only buffer 1 answers to drawBuffer 1; any other value means buffer 2. That
// matches the flip, which sends every value but 1 to 1, so a stray value still
// draws into a hidden buffer, shows it and hides the other, and never reaches
// the table store or an index outside the three surfaces.
int HiddenIndex(int16_t drawBuffer)
{
    return drawBuffer == 1 ? 1 : 2;
}

// The store keeps exactly the part of the table that a surface shows, in the
// buffers' own format and size, so that their rows line up and the copy of a
// whole frame is one run of memory.
QImage StoreTable(const QImage& table, QSize frameSize)
{
    QImage stored = table.convertToFormat(QImage::Format_RGB32);
    if (stored.width() < frameSize.width() || stored.height() < frameSize.height())
        stored = stored.scaled(frameSize.expandedTo(stored.size()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (stored.size() != frameSize)
        stored = stored.copy(QRect(QPoint(0, 0), frameSize));
    return stored;
}

} // namespace

FrameBuffers::FrameBuffers(QWidget* parent, const QImage& table, qreal dpr)
{
    for (Surface*& surface : picTavlo) {
        surface = new Surface(parent, dpr);
        // Nothing shows until the first frame; the window's own background
        // carries the table until then.
        surface->hide();
    }
    QImage& store = picTavlo[0]->image();
    const qreal ratio = store.devicePixelRatio();
    store = StoreTable(table, store.size());
    store.setDevicePixelRatio(ratio);
}

QImage& FrameBuffers::Hidden(const GameState& s)
{
    return picTavlo[HiddenIndex(s.drawBuffer)]->image();
}

void ComposeFrame(const GameState& s, FrameBuffers& b)
{
    const QImage& table = std::as_const(*b.picTavlo[0]).image();
    QImage& frame = b.Hidden(s);
    uchar* to = frame.bits();
    const uchar* from = table.constBits();
    if (frame.bytesPerLine() == table.bytesPerLine()) {
        std::memcpy(to, from, static_cast<size_t>(frame.sizeInBytes()));
        return;
    }
    const size_t rowBytes = static_cast<size_t>(frame.width()) * sizeof(QRgb);
    for (int y = 0; y < frame.height(); ++y)
        std::memcpy(to + y * frame.bytesPerLine(), from + y * table.bytesPerLine(), rowBytes);
}

void ShowFrame(GameState& s, FrameBuffers& b)
{
    b.picTavlo[HiddenIndex(s.drawBuffer)]->show();
    s.drawBuffer = s.drawBuffer == 1 ? 2 : 1;
    b.picTavlo[HiddenIndex(s.drawBuffer)]->hide();
}
