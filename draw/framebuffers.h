#pragma once

#include <QRegion>
#include <array>

#include "control/GameState.h"
#include "draw/surface.h"

// picTavlo(0) keeps the table image, as much of it as a surface shows, and is
// never shown; picTavlo(1) and picTavlo(2) are the frame buffers, shown in
// turn, all three painted at the table's scale.
struct FrameBuffers {
    explicit FrameBuffers(const QImage& table);

    std::array<Surface, 3> picTavlo{};

    // Where, in the surfaces' device pixels, the frame on view differs from
    // the one the window last showed, until the window takes it.
    QRegion changed;

    // Takes a table image painted at another scale: each buffer paints its
    // frame anew at it.
    void Rescale(const QImage& table);

    // The hidden buffer, the one this tick draws into, and the one on view
    // (none before the first frame).
    Surface& Hidden(const GameState& s);
    const Surface* Shown() const;
};

// Starts this tick's frame in the hidden buffer: nothing drawn on it yet.
void StartFrame(const GameState& s, FrameBuffers& b);

// Paints the frame over the table image where it differs from the frame that
// buffer held, so nothing of the frame drawn there two ticks ago survives;
// shows the buffer, then hides the other one, which becomes the hidden buffer
// of the next tick, and notes where the frame on view changed. A frame that
// would look exactly like the one on view is neither painted nor exchanged:
// the window system is left alone while the table is still.
void ShowFrame(GameState& s, FrameBuffers& b);
