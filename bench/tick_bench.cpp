// How long one tick of the game takes, and what it allocates.
//
// Everything runs headless on Qt's offscreen platform, with the frame buffers
// on a shown parent widget as in the window, at device pixel ratios 1 and 2.
// Beside the tick runs a memcpy of one whole frame of the same ratio: the
// least that recomposing the frame from scratch can cost, and the yardstick
// the tick is measured against. For steady figures run it with
// --benchmark_repetitions=5: the comparison then uses the medians.

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/allocations.h"
#include "draw/balls.h"
#include "draw/colors.h"
#include "draw/cue.h"
#include "draw/framebuffers.h"
#include "draw/tableimage.h"
#include "play/motion.h"
#include "play/rack.h"
#include "play/scoring.h"
#include "play/stroke.h"

namespace {

// A hard break: the cue ball straight up the centre line into the apex ball.
constexpr float kBreakSpeed = -30.0f;

void Break(GameState& s)
{
    RackBalls(s);
    s.ballVY[0] = kBreakSpeed;
    s.shotPhase = phase::Rolling;
    // The cue as it was just before the strike: below the cue ball, pointing up.
    s.mouseX = 161.0f;
    s.mouseY = 410.0f;
    s.cueDX = 0.0f;
    s.cueDY = 40.0f;
}

// The table as the window holds it: the three surfaces on a shown parent.
struct Table {
    explicit Table(qreal dpr) : buffers(&parent, PaintTableImage(dpr), dpr)
    {
        parent.resize(326, 496);
        parent.show();
        InitColors(s);
        s.drawBuffer = 1;
        Break(s);
    }

    // One rolling tick as the game loop runs it; a break that has come to
    // rest is racked and struck again, so every tick has balls moving.
    void Tick()
    {
        ComposeFrame(s, buffers);
        const bool atRest = MoveBalls(s);
        DrawBalls(s, buffers.Hidden(s));
        DrawCueAfterShot(s, buffers.Hidden(s));
        if (atRest)
            Break(s);
        ShowFrame(s, buffers);
    }

    QWidget parent;
    FrameBuffers buffers;
    GameState s;
};

// Heap allocations per iteration since `before`, as counters of the run.
void ReportAllocations(benchmark::State& state, const Allocations& before)
{
    const Allocations made = AllocationsSoFar() - before;
    state.counters["mallocs"] = benchmark::Counter(static_cast<double>(made.mallocs), benchmark::Counter::kAvgIterations);
    state.counters["news"] = benchmark::Counter(static_cast<double>(made.news), benchmark::Counter::kAvgIterations);
}

void BM_MoveBallsBreak(benchmark::State& state)
{
    GameState racked;
    Break(racked);
    int64_t steps = 0;
    for (auto _ : state) {
        GameState s = racked;
        do
            ++steps;
        while (!MoveBalls(s));
        benchmark::DoNotOptimize(s);
    }
    state.counters["steps_per_break"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kAvgIterations);
    state.counters["time_per_step"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MoveBallsBreak);

void BM_FrameMemcpy(benchmark::State& state)
{
    const double dpr = static_cast<double>(state.range(0));
    const size_t bytes = static_cast<size_t>(std::ceil(frame::kWidth * dpr) * std::ceil(frame::kHeight * dpr)) * 4;
    std::vector<unsigned char> from(bytes, 0x7f), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_FrameMemcpy)->ArgName("dpr")->Arg(1)->Arg(2);

void BM_Tick(benchmark::State& state)
{
    Table table(static_cast<qreal>(state.range(0)));
    table.Tick();
    const Allocations before = AllocationsSoFar();
    for (auto _ : state)
        table.Tick();
    ReportAllocations(state, before);
}
BENCHMARK(BM_Tick)->ArgName("dpr")->Arg(1)->Arg(2);

// The parts of a tick one by one.

void BM_ComposeFrame(benchmark::State& state)
{
    Table table(static_cast<qreal>(state.range(0)));
    for (auto _ : state) {
        ComposeFrame(table.s, table.buffers);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposeFrame)->ArgName("dpr")->Arg(1)->Arg(2);

void BM_PainterBeginEnd(benchmark::State& state)
{
    Table table(static_cast<qreal>(state.range(0)));
    const Allocations before = AllocationsSoFar();
    for (auto _ : state) {
        QPainter painter(&table.buffers.Hidden(table.s));
        benchmark::DoNotOptimize(painter);
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_PainterBeginEnd)->ArgName("dpr")->Arg(1)->Arg(2);

void BM_DrawBalls(benchmark::State& state)
{
    Table table(static_cast<qreal>(state.range(0)));
    RackBalls(table.s);
    const Allocations before = AllocationsSoFar();
    for (auto _ : state)
        DrawBalls(table.s, table.buffers.Hidden(table.s));
    ReportAllocations(state, before);
}
BENCHMARK(BM_DrawBalls)->ArgName("dpr")->Arg(1)->Arg(2);

void BM_DrawCue(benchmark::State& state)
{
    Table table(static_cast<qreal>(state.range(0)));
    const Allocations before = AllocationsSoFar();
    for (auto _ : state)
        DrawCueAfterShot(table.s, table.buffers.Hidden(table.s));
    ReportAllocations(state, before);
}
BENCHMARK(BM_DrawCue)->ArgName("dpr")->Arg(1)->Arg(2);

void BM_ShowFrame(benchmark::State& state)
{
    Table table(static_cast<qreal>(state.range(0)));
    const Allocations before = AllocationsSoFar();
    for (auto _ : state)
        ShowFrame(table.s, table.buffers);
    ReportAllocations(state, before);
}
BENCHMARK(BM_ShowFrame)->ArgName("dpr")->Arg(1)->Arg(2);

// Whole shots of table play, from the aim to the end of the shot; the rules
// and physics must not touch the heap at all.
void BM_TablePlayShot(benchmark::State& state)
{
    GameState s;
    s.currentPlayer = 1;
    RackBalls(s);
    int64_t shots = 0, steps = 0;
    const Allocations before = AllocationsSoFar();
    for (auto _ : state) {
        // Aim from below the cue ball, then push the pointer up into it.
        s.mouseX = s.ballX[0] + 3.0f;
        s.mouseY = s.ballY[0] + 90.0f;
        AimCue(s);
        s.shotPhase = phase::Stroking;
        while (s.shotPhase == phase::Stroking) {
            s.mouseY -= 20.0f;
            StrokeCue(s);
        }
        while (!MoveBalls(s))
            ++steps;
        EndShot(s);
        ++shots;
        if (s.stopRequested) {
            s = GameState{};
            s.currentPlayer = 1;
            RackBalls(s);
        }
    }
    const Allocations made = AllocationsSoFar() - before;
    state.counters["steps_per_shot"] = benchmark::Counter(static_cast<double>(steps) / static_cast<double>(shots));
    state.counters["allocations"] = benchmark::Counter(static_cast<double>(made.mallocs + made.news));
}
BENCHMARK(BM_TablePlayShot);

// Prints the usual table and keeps each benchmark's time per iteration, for
// the comparison printed at the end.
class Reporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type != Run::RT_Iteration && !median)
                continue;
            nanoseconds[run.run_name.str()] = run.GetAdjustedRealTime();
            if (run.counters.count("allocations"))
                tablePlayAllocations = run.counters.at("allocations").value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> nanoseconds;
    double tablePlayAllocations = -1;
};

void Summarise(const Reporter& r)
{
    auto time = [&](const char* name) {
        const auto it = r.nanoseconds.find(name);
        return it == r.nanoseconds.end() ? -1.0 : it->second;
    };
    std::printf("\n");
    for (const char* dpr : {"1", "2"}) {
        const double tick = time((std::string("BM_Tick/dpr:") + dpr).c_str());
        const double floor = time((std::string("BM_FrameMemcpy/dpr:") + dpr).c_str());
        if (tick > 0 && floor > 0)
            std::printf("whole tick at ratio %s: %.1f us, %.2f x a memcpy of one frame (%.1f us)\n", dpr, tick / 1000.0,
                        tick / floor, floor / 1000.0);
    }
    if (r.tablePlayAllocations >= 0)
        std::printf("table play (aim, stroke, motion, end of shot): %.0f heap allocations\n", r.tablePlayAllocations);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    Summarise(reporter);
    return 0;
}
