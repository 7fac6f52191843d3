#include <gtest/gtest.h>

#include "control/pacer.h"

// Ticks begun at given moments, and when each says the next is due: late
// wake-ups keep the absolute schedule (no drift); a tick a whole period late,
// or after a stall such as a modal box, re-anchors on itself, so the next tick
// waits a period instead of following at once in a burst of catch-up ticks.
TEST(Pacer, KeepsItsScheduleUnlessATickIsAWholePeriodLate)
{
    using namespace std::chrono_literals;
    constexpr Pacer::Clock::duration P = 16ms;
    const Pacer::Clock::time_point t0 = Pacer::Clock::time_point{} + 1h;
    Pacer pacer(P);
    const std::pair<Pacer::Clock::duration, Pacer::Clock::duration> ticks[] = {
        {0ms, P},                   // the first tick anchors the schedule
        {P + 3ms, 2 * P},           // woken late
        {3 * P, 4 * P},             // a whole period late
        {4 * P + 10s, 5 * P + 10s}, // after a stall
    };
    for (auto [begin, next] : ticks)
        EXPECT_EQ(pacer.Begin(t0 + begin), t0 + next) << "tick at " << (begin / 1ns) << " ns";
}
