#include <gtest/gtest.h>

#include "control/pacer.h"

using namespace std::chrono_literals;

namespace {
const Pacer::Clock::time_point t0 = Pacer::Clock::time_point{} + 1000s;
}

TEST(Pacer, KeepsAbsoluteDeadlinesWhateverATickCosts)
{
    Pacer pacer(10ms);
    pacer.Begin(t0);
    EXPECT_EQ(pacer.Due(), t0 + 10ms);
    for (int tick = 1; tick <= 5; ++tick) {
        pacer.Next();
        pacer.Begin(t0 + tick * 10ms + 3ms);
        EXPECT_EQ(pacer.Due(), t0 + (tick + 1) * 10ms) << "late starts must not drift the schedule";
    }
}

TEST(Pacer, ReanchorsAfterAPauseInsteadOfBurstingToCatchUp)
{
    Pacer pacer(10ms);
    pacer.Begin(t0);
    pacer.Next();
    const auto afterBox = t0 + 2s;
    pacer.Begin(afterBox);
    EXPECT_EQ(pacer.Due(), afterBox + 10ms);
}

TEST(Pacer, SlowTicksRunBackToBackWithoutBursting)
{
    // Each tick costs 15 ms of a 10 ms period: whenever a tick begins, the
    // next one is due within one period and never already overdue, so the
    // loop runs tick after tick and never two for one.
    Pacer pacer(10ms);
    auto now = t0;
    for (int tick = 0; tick < 20; ++tick) {
        pacer.Begin(now);
        ASSERT_GT(pacer.Due(), now) << "tick " << tick;
        ASSERT_LE(pacer.Due(), now + 10ms) << "tick " << tick;
        now += 15ms;
        pacer.Next();
    }
}
