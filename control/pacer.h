#pragma once

#include <chrono>

// Keeps the game loop at a steady rate of ticks on absolute deadlines, so the
// rate does not drift with the cost of a tick. A loop that has fallen a whole
// period behind (a modal box, a slow machine) re-anchors on the tick it runs
// instead of catching up with a burst of ticks.
class Pacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit Pacer(Clock::duration period) : period_(period) {}

    // A tick begins at `now`.
    void Begin(Clock::time_point now)
    {
        if (now - due_ >= period_)
            due_ = now;
    }
    // When the tick after the one begun is due.
    Clock::time_point Due() const { return due_ + period_; }
    void Next() { due_ += period_; }

private:
    Clock::duration period_;
    Clock::time_point due_{};
};
