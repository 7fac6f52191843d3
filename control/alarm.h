#pragma once

#include <QSocketNotifier>
#include <chrono>

// Wakes the event loop at a moment of the steady clock. One timer file serves
// every wait and is set anew for each, so waiting allocates nothing, where
// every start of a QTimer registers (and allocates) a timer of its own.
class Alarm {
public:
    Alarm();

    void Set(std::chrono::steady_clock::time_point at);

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
