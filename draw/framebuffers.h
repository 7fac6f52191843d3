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

    // Takes a table image painted at another scale: the store keeps the new
    // table, and each buffer its frame, resampled, until a tick draws it anew.
    void Rescale(const QImage& table);

    // The hidden buffer, the one this tick draws into.
    Surface& Hidden(const GameState& s);
};

// Copies the table image into the hidden buffer; the copy replaces every pixel
// of the buffer, so nothing of the frame drawn there two ticks ago survives.
void ComposeFrame(const GameState& s, FrameBuffers& b);

// Shows the buffer just drawn, then hides the other one, which becomes the
// hidden buffer of the next tick.
void ShowFrame(GameState& s, FrameBuffers& b);
