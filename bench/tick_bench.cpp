// How long one tick of the game takes, and what it and the whole game loop
// allocate. The tick is the game's own PlayFrame, run headless on Qt's
// offscreen platform with the frame buffers on a shown parent, as in the
// window, at device pixel ratios 1 and 2. Beside it runs a memcpy of one whole
// frame of the same ratio: the least that recomposing the frame from scratch
// can cost.

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/allocations.h"
#include "control/frametick.h"
#include "control/frmtavlo.h"
#include "control/tableview.h"
#include "draw/colors.h"
#include "draw/framebuffers.h"
#include "draw/tableimage.h"
#include "play/motion.h"
#include "play/rack.h"

namespace {

// A hard break: the cue ball straight up the centre line into the apex ball,
// with the cue below it as it was just before the strike.
void Break(GameState& s)
{
    RackBalls(s);
    s.ballVY[0] = -30.0f;
    s.shotPhase = phase::Rolling;
    s.mouseX = 161.0f;
    s.mouseY = 410.0f;
    s.cueDX = 0.0f;
    s.cueDY = 40.0f;
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
    state.counters["time_per_step"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MoveBallsBreak);

void BM_FrameMemcpy(benchmark::State& state)
{
    const double dpr = static_cast<double>(state.range(0));
    const size_t bytes = static_cast<size_t>(std::ceil(kSurfaceSize.width * dpr) * std::ceil(kSurfaceSize.height * dpr)) * 4;
    std::vector<unsigned char> from(bytes, 0x7f), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameMemcpy)->ArgName("dpr")->Arg(1)->Arg(2);

// The frame buffers of the given ratio, and a game whose first tick draws
// into buffer 1.
struct Table {
    explicit Table(qreal dpr)
    {
        buffers = std::make_unique<FrameBuffers>(PaintTableImage(dpr));
        InitColors(s);
        s.drawBuffer = 1;
    }
    std::unique_ptr<FrameBuffers> buffers;
    GameState s;
};

// Rolling ticks of breaks, racked and struck again whenever one comes to
// rest: every frame differs from the one before. Allocations are counted per
// tick, and apart for painting and exchanging the buffers alone (the table,
// the balls and the cue over it, Qt showing one surface and hiding the
// other): the rest of the difference is the game's own.
void BM_Tick(benchmark::State& state)
{
    Table table(static_cast<qreal>(state.range(0)));
    GameState& s = table.s;
    FrameBuffers& buffers = *table.buffers;
    Break(s);
    auto tick = [&] {
        if (s.shotPhase == phase::Aiming)
            Break(s);
        PlayFrame(s, buffers);
    };
    tick();
    const Allocations before = AllocationsSoFar();
    for (auto _ : state)
        tick();
    const Allocations made = AllocationsSoFar() - before;
    const Allocations exchangeBefore = AllocationsSoFar();
    for (int64_t i = 0; i < state.iterations(); ++i)
        ShowFrame(s, buffers);
    const Allocations exchange = AllocationsSoFar() - exchangeBefore;
    auto perTick = [](uint64_t count) { return benchmark::Counter(static_cast<double>(count), benchmark::Counter::kAvgIterations); };
    state.counters["news"] = perTick(made.news);
    state.counters["mallocs"] = perTick(made.mallocs);
    state.counters["exchange_news"] = perTick(exchange.news);
    state.counters["exchange_mallocs"] = perTick(exchange.mallocs);
}
BENCHMARK(BM_Tick)->ArgName("dpr")->Arg(1)->Arg(2);

// Aiming ticks with the pointer resting over a still table: each computes the
// aim, notes the balls and the cue, and finds the frame like the one on
// screen. What this costs is what the one tick after a change costs before
// the loop goes to sleep.
void BM_StillTick(benchmark::State& state)
{
    Table table(static_cast<qreal>(state.range(0)));
    GameState& s = table.s;
    FrameBuffers& buffers = *table.buffers;
    RackBalls(s);
    std::tie(s.mouseX, s.mouseY) = std::tuple(161.0f, 420.0f);
    PlayFrame(s, buffers);
    for (auto _ : state)
        PlayFrame(s, buffers);
}
BENCHMARK(BM_StillTick)->ArgName("dpr")->Arg(1)->Arg(2);

// What the loop adds to every tick to know whether it changed anything: the
// game state copied before the tick and compared after it, here with nothing
// changed, so that every field is compared.
void BM_StillComparison(benchmark::State& state)
{
    GameState s;
    InitColors(s);
    RackBalls(s);
    for (auto _ : state) {
        const GameState before = s;
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(s == before);
    }
}
BENCHMARK(BM_StillComparison);

// The game's own window and loop, tick and event pump, at the game's pace
// over rolling breaks; then, in the same window with no tick running, Qt alone
// repainting the whole table as a window system's expose asks.
// Allocations are counted per pass of each: whatever the loop makes beyond
// Qt's share is the game's own.
void BM_Loop(benchmark::State& state)
{
    constexpr int kWarmUp = 10, kPasses = 120;
    for (auto _ : state) {
        frmTavlo window;
        Allocations loop, qtAlone;
        int passes = 0;
        QObject::connect(&window, &frmTavlo::frameShown, [&] {
            if (window.state().shotPhase == phase::Aiming)
                Break(window.state());
            if (++passes == kWarmUp)
                loop = AllocationsSoFar();
            if (passes < kWarmUp + kPasses)
                return;
            loop = AllocationsSoFar() - loop;
            for (int i = -kWarmUp; i < kPasses; ++i) {
                if (i == 0)
                    qtAlone = AllocationsSoFar();
                window.view()->update();
                QCoreApplication::processEvents();
            }
            qtAlone = AllocationsSoFar() - qtAlone;
            window.close();
        });
        window.Run();
        auto perPass = [](uint64_t count) { return benchmark::Counter(static_cast<double>(count) / kPasses); };
        state.counters["news"] = perPass(loop.news);
        state.counters["mallocs"] = perPass(loop.mallocs);
        state.counters["qt_alone_news"] = perPass(qtAlone.news);
        state.counters["qt_alone_mallocs"] = perPass(qtAlone.mallocs);
    }
}
// A new size: the table painted at its new scale, and both frame buffers
// painted anew at it; at 1.3, 2 and 2.2, the last that of a 1920 x 1080
// screen's full height.
void BM_Rescale(benchmark::State& state)
{
    const qreal scale = static_cast<qreal>(state.range(0)) / 10;
    Table table(1.0);
    for (auto _ : state) {
        const QImage image = PaintTableImage(scale);
        table.buffers->Rescale(image);
    }
}
BENCHMARK(BM_Rescale)->ArgName("scale_x10")->Arg(13)->Arg(20)->Arg(22)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_Loop)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
