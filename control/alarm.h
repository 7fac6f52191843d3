#pragma once

#include <QSocketNotifier>
#include <chrono>

// Wakes the event loop at a moment of the steady clock. One timer file serves
// every wait and is set anew for each, so waiting allocates nothing, where
// every start of a QTimer registers (and allocates) a timer of its own.
class Alarm {
public:
    Alarm();
    ~Alarm();
    Alarm(const Alarm&) = delete;
    Alarm& operator=(const Alarm&) = delete;

    void Set(std::chrono::steady_clock::time_point at);

private:
    int fd_;
    QSocketNotifier notifier_;
};
