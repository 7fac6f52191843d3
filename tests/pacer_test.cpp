#include <gtest/gtest.h>

#include "control/pacer.h"

using namespace std::chrono_literals;

TEST(Pacer, KeepsAbsoluteDeadlinesAndReanchorsInsteadOfBursting)
{
    const auto t0 = Pacer::Clock::time_point{} + 1000s;
    Pacer pacer(10ms);
    pacer.Begin(t0);
    pacer.Next();
    for (int tick = 1; tick < 5; ++tick) {
        pacer.Begin(t0 + tick * 10ms + 3ms);
        EXPECT_EQ(pacer.Due(), t0 + (tick + 1) * 10ms) << "late starts must not drift the schedule";
        pacer.Next();
    }
    // After a pause (a modal box) the next tick is a whole period away.
    pacer.Begin(t0 + 2s);
    EXPECT_EQ(pacer.Due(), t0 + 2s + 10ms);
    // Ticks slower than the period run back to back, never two for one.
    auto now = t0 + 3s;
    for (int tick = 0; tick < 20; ++tick, now += 15ms) {
        pacer.Begin(now);
        ASSERT_GT(pacer.Due(), now) << "tick " << tick;
        ASSERT_LE(pacer.Due(), now + 10ms) << "tick " << tick;
        pacer.Next();
    }
}
