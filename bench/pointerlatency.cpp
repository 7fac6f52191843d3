// How soon the game's picture follows the pointer after the table has been
// still for a while: the pointer is moved COUNT times by the X server's test
// extension, each time after a pause of its own (0.2 to 1.2 s, drawn from a
// seeded generator, long enough for the game to have nothing left to do), to
// a new point on a circle of 90 pixels about the cue ball's spot, so that the
// cue turns to it. For each move, the time from the move's request (flushed
// to the server) to the first change the server reports in the table's
// pixels of the game's window (XDamage, on the window as the server holds
// it), on the monotonic clock. A move with no change within a second is
// missed. Changes during the pauses, when nothing moved the pointer, are
// counted as stray, a frame's rectangles as one change: the picture should
// not change by itself.
// Prints "moves N median_ms M p99_ms P max_ms X missed K stray S" (times over
// the moves not missed, percentiles of the nearest rank); with --samples,
// first one line per move: its pause in seconds and its latency in ms (or
// "missed").
// Usage: tavlo_pointerlatency WINDOW LEFT TOP COUNT [SEED] [--samples]
//   WINDOW: the game's X window id; LEFT, TOP: where the table's top-left
//   pixel lies in that window.

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <numbers>
#include <poll.h>
#include <random>
#include <string>
#include <vector>

namespace {

// The cue ball's spot and the table's size, in table pixels.
constexpr int kSpotX = 161;
constexpr int kSpotY = 354;
constexpr int kTableWidth = 329;
constexpr int kTableHeight = 497;
constexpr double kRadius = 90;
// Consecutive points lie at least this far apart on the circle, in radians:
// some 47 pixels, a turn of the cue that no frame could leave unchanged.
constexpr double kLeastTurn = std::numbers::pi / 6;
constexpr double kLeastPause = 0.2;
constexpr double kMostPause = 1.2;
constexpr double kMissedAfter = 1.0;
// A frame painted only where it changed reaches the server as several
// rectangles, one soon after another.
constexpr double kSameFrame = 0.004;

double Now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The game's window as the server draws it: the changes it reports in the
// table's pixels. The server drops its damage object with the connection.
class Watch {
public:
    Watch(Display* display, Window window, int left, int top) : display_(display)
    {
        int error = 0;
        if (!XDamageQueryExtension(display_, &event_base_, &error)) {
            std::fprintf(stderr, "the X server has no DAMAGE extension\n");
            std::exit(1);
        }
        table_ = {static_cast<short>(left), static_cast<short>(top), kTableWidth, kTableHeight};
        // Every rendering into the window is reported with its bounds; the
        // server first reports the whole window, which is dropped.
        damage_ = XDamageCreate(display_, window, XDamageReportRawRectangles);
        Repair();
    }

    // Waits until `deadline` on the monotonic clock for a change in the
    // table's pixels; returns the moment it was read, or a negative value
    // when none came.
    double TableChanged(double deadline)
    {
        for (;;) {
            while (XPending(display_)) {
                if (NextOnTable())
                    return Now();
            }
            const double left = deadline - Now();
            if (left <= 0)
                return -1;
            pollfd connection{ConnectionNumber(display_), POLLIN, 0};
            poll(&connection, 1, static_cast<int>(std::ceil(left * 1000)));
        }
    }

    // Forgets every change reported so far, in the server and in the queue;
    // returns how many of them were in the table's pixels.
    int Repair()
    {
        XDamageSubtract(display_, damage_, None, None);
        XSync(display_, False);
        int changes = 0;
        while (XPending(display_))
            changes += NextOnTable();
        return changes;
    }

private:
    // Takes the next event: whether it reports a change in the table's pixels.
    bool NextOnTable()
    {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type != event_base_ + XDamageNotify)
            return false;
        const XRectangle& a = reinterpret_cast<XDamageNotifyEvent&>(event).area;
        return a.x < table_.x + table_.width && table_.x < a.x + a.width && a.y < table_.y + table_.height
            && table_.y < a.y + a.height;
    }

    Display* display_;
    int event_base_ = 0;
    Damage damage_ = 0;
    XRectangle table_{};
};

// The value of the nearest rank at fraction p of sorted values.
double Rank(const std::vector<double>& sorted, double p)
{
    const auto rank = static_cast<size_t>(std::ceil(p * static_cast<double>(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool samples = std::erase(args, "--samples") > 0;
    if (args.size() < 4 || args.size() > 5) {
        std::fprintf(stderr, "usage: %s WINDOW LEFT TOP COUNT [SEED] [--samples]\n", argv[0]);
        return 2;
    }
    const Window window = std::strtoul(args[0].c_str(), nullptr, 0);
    const int left = std::atoi(args[1].c_str());
    const int top = std::atoi(args[2].c_str());
    const int count = std::atoi(args[3].c_str());
    const unsigned seed = args.size() > 4 ? static_cast<unsigned>(std::strtoul(args[4].c_str(), nullptr, 0)) : 27;

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    int unused = 0;
    if (!XTestQueryExtension(display, &unused, &unused, &unused, &unused)) {
        std::fprintf(stderr, "the X server has no XTEST extension\n");
        return 1;
    }
    Watch watch(display, window, left, top);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> pause(kLeastPause, kMostPause);
    std::uniform_real_distribution<double> turn(kLeastTurn, 2 * std::numbers::pi - kLeastTurn);

    // Moves the pointer to the point at `angle` on the circle; returns the
    // moment the request left for the server.
    const auto moveTo = [&](double angle) {
        int x = 0;
        int y = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, DefaultRootWindow(display),
            left + kSpotX + static_cast<int>(std::lround(kRadius * std::cos(angle))),
            top + kSpotY + static_cast<int>(std::lround(kRadius * std::sin(angle))), &x, &y, &child);
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        XFlush(display);
        return Now();
    };

    // The first move brings the pointer onto the table, and is not counted.
    double angle = 0;
    watch.TableChanged(moveTo(angle) + kMissedAfter);
    watch.Repair();
    std::vector<double> latencies;
    int missed = 0;
    int stray = 0;
    for (int i = 0; i < count; ++i) {
        const double still = pause(random);
        const double end = Now() + still;
        while (watch.TableChanged(end) >= 0)
            ++stray;
        stray += watch.Repair();
        angle += turn(random);
        const double moved = moveTo(angle);
        const double changed = watch.TableChanged(moved + kMissedAfter);
        if (changed < 0) {
            ++missed;
            if (samples)
                std::printf("pause %.3f missed\n", still);
            continue;
        }
        // The rest of that frame's rectangles, each within a few
        // milliseconds of the one before, are the same change.
        while (watch.TableChanged(Now() + kSameFrame) >= 0) {
        }
        latencies.push_back((changed - moved) * 1000);
        if (samples)
            std::printf("pause %.3f latency_ms %.3f\n", still, latencies.back());
    }
    XCloseDisplay(display);

    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty())
        latencies.push_back(NAN);
    std::printf("moves %d median_ms %.2f p99_ms %.2f max_ms %.2f missed %d stray %d\n", count, Rank(latencies, 0.5),
        Rank(latencies, 0.99), latencies.back(), missed, stray);
    return 0;
}
