#include "draw/framebuffers.h"

#include <cmath>
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

FrameBuffers::FrameBuffers(const QImage& table)
{
    Rescale(table);
}

void FrameBuffers::Rescale(const QImage& table)
{
    // The store keeps exactly the part of the table that a surface shows, in
    // the buffers' own format and size, so a whole frame is one copy.
    const qreal dpr = table.devicePixelRatio();
    const QRect shown(0, 0, static_cast<int>(std::ceil(kSurfaceSize.width * dpr)),
                      static_cast<int>(std::ceil(kSurfaceSize.height * dpr)));
    QImage store = table.copy(shown).convertToFormat(QImage::Format_RGB32);
    store.setDevicePixelRatio(dpr);
    picTavlo[0].SetImage(std::move(store));
    for (Surface* buffer : {&picTavlo[1], &picTavlo[2]}) {
        QImage image(shown.size(), QImage::Format_RGB32);
        image.setDevicePixelRatio(dpr);
        buffer->SetImage(std::move(image));
        buffer->Paint(picTavlo[0]);
    }
    changed = shown;
}

Surface& FrameBuffers::Hidden(const GameState& s)
{
    return picTavlo[HiddenIndex(s.drawBuffer)];
}

const Surface* FrameBuffers::Shown() const
{
    for (const Surface* buffer : {&picTavlo[1], &picTavlo[2]})
        if (buffer->visible())
            return buffer;
    return nullptr;
}

void StartFrame(const GameState& s, FrameBuffers& b)
{
    b.Hidden(s).Clear();
}

void ShowFrame(GameState& s, FrameBuffers& b)
{
    Surface& hidden = b.Hidden(s);
    const Surface& shown = b.picTavlo[3 - HiddenIndex(s.drawBuffer)];
    // The same marks on the same table: that picture is already on view.
    if (shown.visible() && hidden.Marks() == shown.Marks())
        return;
    hidden.Paint(b.picTavlo[0]);
    const QRect whole = hidden.image().rect();
    b.changed += shown.visible() ? Differences(shown.Painted(), hidden.Marks(), hidden.scale()) & whole : QRegion(whole);
    hidden.SetVisible(true);
    s.drawBuffer = s.drawBuffer == 1 ? 2 : 1;
    b.Hidden(s).SetVisible(false);
}
