#pragma once

#include <QSocketNotifier>
#include <chrono>
#include <optional>

// Where the game loop reads the time, and what wakes its event pump: an alarm
// at a moment, or, with none set, nothing but the next window event.
class LoopClock {
public:
    using time_point = std::chrono::steady_clock::time_point;

    virtual ~LoopClock() = default;
    virtual time_point Now() const = 0;
    virtual void WakeAt(std::optional<time_point> at) = 0;
};

// The steady clock, with an alarm that wakes the event loop. One timer file
// serves every wait and is set anew for each, so waiting allocates nothing,
// where every start of a QTimer registers (and allocates) a timer of its own.
class Alarm final : public LoopClock {
public:
    Alarm();

    time_point Now() const override { return std::chrono::steady_clock::now(); }
    void WakeAt(std::optional<time_point> at) override;

private:
    // Closes the timer file; declared before the notifier that watches it,
    // so that the notifier goes first.
    struct TimerFile {
        int fd;
        explicit TimerFile(int descriptor) : fd(descriptor) {}
        ~TimerFile();
        TimerFile(const TimerFile&) = delete;
        TimerFile& operator=(const TimerFile&) = delete;
    };

    TimerFile timer_;
    QSocketNotifier notifier_;
};
