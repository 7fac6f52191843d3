#pragma once

#include <array>

#include "control/GameState.h"
#include "draw/surface.h"

// picTavlo(0) keeps the table image, as much of it as a surface shows, and is
// never shown; picTavlo(1) and picTavlo(2) are the frame buffers, shown in
// turn. All three lie at (0, 0) of the parent, which owns them.
struct FrameBuffers {
    FrameBuffers(QWidget* parent, const QImage& table);

    std::array<Surface*, 3> picTavlo{};

    // Takes a table image painted at another scale: each buffer paints its
    // frame anew at it.
    void Rescale(const QImage& table);

    // The hidden buffer, the one this tick draws into.
    Surface& Hidden(const GameState& s);
};

// Starts this tick's frame in the hidden buffer: nothing drawn on it yet.
void StartFrame(const GameState& s, FrameBuffers& b);

// Paints the frame over the table image, which replaces every pixel of the
// buffer, so nothing of the frame drawn there two ticks ago survives; shows
// the buffer, then hides the other one, which becomes the hidden buffer of the
// next tick. A frame that would look exactly like the one on screen is
// neither painted nor exchanged: the window system is left alone while the
// table is still.
void ShowFrame(GameState& s, FrameBuffers& b);
