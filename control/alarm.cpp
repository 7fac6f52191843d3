#include "control/alarm.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

int OpenTimer()
{
    // steady_clock is CLOCK_MONOTONIC, so its time points are the timer's.
    const int fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd < 0)
        qFatal("timerfd_create: %s", std::strerror(errno));
    return fd;
}

} // namespace

Alarm::Alarm() : fd_(OpenTimer()), notifier_(fd_, QSocketNotifier::Read)
{
    // Reading empties the timer, so that it wakes the loop once per setting.
    QObject::connect(&notifier_, &QSocketNotifier::activated, [fd = fd_] {
        uint64_t expirations;
        if (read(fd, &expirations, sizeof expirations) < 0 && errno != EAGAIN)
            qFatal("reading the timer: %s", std::strerror(errno));
    });
}

Alarm::~Alarm()
{
    notifier_.setEnabled(false);
    close(fd_);
}

void Alarm::Set(std::chrono::steady_clock::time_point at)
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
    itimerspec when{};
    when.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    when.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    if (timerfd_settime(fd_, TFD_TIMER_ABSTIME, &when, nullptr) < 0)
        qFatal("timerfd_settime: %s", std::strerror(errno));
}
