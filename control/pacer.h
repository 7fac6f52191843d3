#pragma once

#include <chrono>

// Keeps the game loop at a steady rate of ticks on absolute deadlines, so the
// rate does not drift with the cost of a tick or the latency of waking up. A
// tick late by less than a period keeps the schedule; one late by a whole
// period or more (a modal box, a minimized window, a stalled machine)
// re-anchors the schedule on itself instead of catching up with a burst.
class Pacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit Pacer(Clock::duration period) : period_(period) {}

    // A tick begins at `now`; returns when the next one is due.
    Clock::time_point Begin(Clock::time_point now)
    {
        due_ = now - due_ >= period_ ? now + period_ : due_ + period_;
        return due_;
    }
    Clock::time_point Due() const { return due_; }

    // After a sleep that ended at `now`: the first slot of the schedule at or
    // after it is due, as if the loop had ticked through the sleep.
    void Resume(Clock::time_point now)
    {
        if (now > due_)
            due_ += ((now - due_ - Clock::duration(1)) / period_ + 1) * period_;
    }

private:
    Clock::duration period_;
    Clock::time_point due_{};
};
