#include "control/alarm.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

// The timer fails only when the system has no resources left, and the game
// cannot be paced without it.
int Checked(ssize_t result, const char* what)
{
    if (result < 0 && errno != EAGAIN)
        qFatal("%s: %s", what, std::strerror(errno));
    return static_cast<int>(result);
}

} // namespace

Alarm::TimerFile::~TimerFile()
{
    close(fd);
}

// steady_clock is CLOCK_MONOTONIC, so its time points are the timer's.
Alarm::Alarm()
    : timer_(Checked(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC), "timerfd_create")),
      notifier_(timer_.fd, QSocketNotifier::Read)
{
    // Reading empties the timer, so that it wakes the loop once per setting.
    QObject::connect(&notifier_, &QSocketNotifier::activated, [fd = timer_.fd] {
        uint64_t expirations;
        Checked(read(fd, &expirations, sizeof expirations), "reading the timer");
    });
}

// With no moment the timer is disarmed (a time of zero does that), and nothing
// but an event wakes the loop.
void Alarm::WakeAt(std::optional<time_point> at)
{
    itimerspec when{};
    if (at) {
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(at->time_since_epoch()).count();
        when.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        when.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    }
    Checked(timerfd_settime(timer_.fd, TFD_TIMER_ABSTIME, &when, nullptr), "timerfd_settime");
}
