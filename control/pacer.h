#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>

// Keeps the game loop at a steady rate of ticks on absolute deadlines, so the
// rate does not drift with the cost of a tick or the latency of waking up. A
// tick late by less than a period keeps the schedule; one late by a whole
// period or more (a modal box, a minimized window, a stalled machine)
// re-anchors the schedule on itself instead of catching up with a burst.
//
// Where the display reports its beats (the moments it takes a new frame), the
// schedule's phase follows them: each deadline moves by at most a small step,
// so that a tick's frame is ready half a display period before the display
// takes the next one, and each frame is shown once. The rate stays: the
// deadlines never move more than a display period from the schedule's own, and
// where the display runs slower or faster, the phase comes back by a whole
// display period at once, one frame dropped or held once, never several.
class Pacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit Pacer(Clock::duration period) : period_(period) {}

    // A tick begins at `now`; returns when the next one is due.
    Clock::time_point Begin(Clock::time_point now)
    {
        if (now - due_ >= period_)
            due_ = now + period_, shift_ = {};
        else
            due_ += period_ + Slew();
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

    // The display took a frame at `at`; its screen says it takes one every
    // `stated`. A compositor may keep a rate of its own, so the period the
    // phase follows is the beats' own, over a second of them or more; a gap
    // of more than a few periods (the table still) starts a new count.
    void Beat(Clock::time_point at, Clock::duration stated)
    {
        const double periods = stated > Clock::duration::zero() ? std::round(static_cast<double>((at - beat_).count()) / static_cast<double>(stated.count())) : 0;
        if (periods >= 1 && periods <= 4)
            periods_ += static_cast<int>(periods);
        else if (periods < 1)
            return;
        else
            first_ = at, periods_ = 0;
        beat_ = at;
        if (periods_ >= 60)
            display_ = (beat_ - first_) / periods_;
    }

private:
    static constexpr Clock::duration kStep = std::chrono::microseconds(250);

    // How far the next deadline moves towards the middle between two beats.
    // Only a display whose period divides a tick's, or nearly, keeps a phase
    // to lock to; at other rates no phase serves every frame.
    Clock::duration Slew()
    {
        const double beats = static_cast<double>(period_.count()) / static_cast<double>(display_.count());
        if (display_ <= Clock::duration::zero() || std::round(beats) < 1 || std::abs(beats - std::round(beats)) > 0.01 * std::round(beats))
            return {};
        const Clock::duration half = display_ / 2;
        Clock::duration off = (due_ + period_ - beat_ - half) % display_;
        off += off >= half ? -display_ : off < -half ? display_ : Clock::duration::zero();
        Clock::duration slew = std::clamp(-off, -kStep, kStep);
        shift_ += slew;
        if (shift_ > display_ || shift_ < -display_) {
            const Clock::duration back = shift_ > display_ ? -display_ : display_;
            shift_ += back, slew += back;
        }
        return slew;
    }

    Clock::duration period_;
    Clock::time_point due_{};
    Clock::time_point beat_{};
    Clock::time_point first_{};
    int periods_ = 0;
    Clock::duration display_{};
    Clock::duration shift_{};
};
