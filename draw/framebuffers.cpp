#include "draw/framebuffers.h"

#include <cmath>
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

} // namespace

FrameBuffers::FrameBuffers(QWidget* parent, const QImage& table)
{
    // The store keeps exactly the part of the table that a surface shows, in
    // the buffers' own format and size, so a whole frame is one memcpy.
    const qreal dpr = table.devicePixelRatio();
    const QRect shown(0, 0, static_cast<int>(std::ceil(frame::kWidth * dpr)),
                      static_cast<int>(std::ceil(frame::kHeight * dpr)));
    QImage store = table.copy(shown).convertToFormat(QImage::Format_RGB32);
    auto blank = [&] {
        QImage buffer(shown.size(), QImage::Format_RGB32);
        buffer.setDevicePixelRatio(dpr);
        return buffer;
    };
    picTavlo = {new Surface(parent, std::move(store)), new Surface(parent, blank()), new Surface(parent, blank())};
    // Nothing shows until the first frame; the window's own background
    // carries the table until then.
    for (Surface* surface : picTavlo)
        surface->hide();
}

Surface& FrameBuffers::Hidden(const GameState& s)
{
    return *picTavlo[HiddenIndex(s.drawBuffer)];
}

void ComposeFrame(const GameState& s, FrameBuffers& b)
{
    const QImage& table = std::as_const(*b.picTavlo[0]).image();
    QImage& frame = b.Hidden(s).image();
    Q_ASSERT(frame.sizeInBytes() == table.sizeInBytes());
    std::memcpy(frame.bits(), table.constBits(), static_cast<size_t>(frame.sizeInBytes()));
}

void ShowFrame(GameState& s, FrameBuffers& b)
{
    b.picTavlo[HiddenIndex(s.drawBuffer)]->show();
    s.drawBuffer = s.drawBuffer == 1 ? 2 : 1;
    b.picTavlo[HiddenIndex(s.drawBuffer)]->hide();
}
