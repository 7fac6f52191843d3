#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

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

// Ten minutes of ticks on displays of 60, 59.94 (stated as 60), 120 and
// 144 Hz, and a compositor that keeps 50.8 Hz on a screen of 60, whose beats
// come with up to 2 ms of jitter, each tick's frame ready as it begins and the
// first beat after it reported: 60 ticks a second whatever the display. Once
// locked, within a second, each beat of a 60 Hz display takes exactly one new
// frame; one of 59.94 Hz drops one frame each time its phase has drifted by a
// whole period, 16.7 s; one of 120 Hz holds each
// frame for exactly two beats. A tick moves by 250 us at most, but where it
// slips. At 144 and 50.8 Hz no phase serves every frame, and the ticks keep
// their own schedule.
TEST(Pacer, LocksItsPhaseToTheDisplaysBeatsAndKeepsItsRate)
{
    using namespace std::chrono;
    const auto period = [](double hz) { return duration_cast<Pacer::Clock::duration>(duration<double>(1 / hz)); };
    for (const auto& [hz, stated] : {std::pair(60.0, 60.0), {59.94, 60.0}, {120.0, 120.0}, {144.0, 144.0}, {50.8, 60.0}}) {
        std::mt19937 random(7);
        std::vector<Pacer::Clock::time_point> beats;
        for (auto b = Pacer::Clock::time_point{} + 1h; b < Pacer::Clock::time_point{} + 1h + 601s; b += period(hz))
            beats.push_back(b + microseconds(std::uniform_int_distribution(-2000, 2000)(random)));
        Pacer pacer(period(60));
        std::vector<int> frames(beats.size());
        int ticks = 0, uneven = 0, jumps = 0, slips = 0;
        for (auto t = beats.front() + 500us; t < beats.front() + 10min; t = pacer.Due(), ++ticks) {
            const auto off = abs(pacer.Begin(t) - t - 16666666ns);
            uneven += off > 0ns, jumps += off > 250us;
            const auto next = std::upper_bound(beats.begin(), beats.end(), t);
            ++frames[next - beats.begin() - 1];
            pacer.Beat(*next, period(stated));
        }
        // A beat that took no frame, or one too many, is a slip; at 120 Hz, a
        // pair of beats that did not take exactly one.
        for (auto i = static_cast<size_t>(hz); i + 2 * static_cast<size_t>(hz) < frames.size(); ++i)
            slips += std::abs(hz < 100 ? frames[i] - 1 : frames[i] + frames[i + 1] - 1);
        EXPECT_TRUE(std::abs(ticks - 36000) <= 1 && (hz == 144.0 || hz == 50.8 ? uneven == 0 : slips <= (hz == 59.94 ? 37 : 0) && jumps <= slips))
            << ticks << " ticks in ten minutes at " << hz << " Hz, " << slips << " slips; " << uneven << " ticks off their own schedule, " << jumps << " by more than 250 us";
    }
}
