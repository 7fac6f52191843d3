// How much of the game's window the X server is told changed, frame by frame:
// for SECONDS, every rendering into the window is reported with its bounds
// (XDamage, raw rectangles), and the reports that come within a few
// milliseconds of each other are one frame's (frames come a tick apart, some
// 17 ms). Run it while something moves the pointer over the table.
// Prints "frames N mean_px M max_px X" (the pixels of each frame's
// rectangles, summed; rectangles that overlap are counted twice).
// Usage: tavlo_damagearea WINDOW SECONDS

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>

namespace {

// Reports further apart than this start another frame.
constexpr double kFrameGap = 0.004;

double Now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WINDOW SECONDS\n", argv[0]);
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const double seconds = std::atof(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    int base = 0;
    int error = 0;
    if (!display || !XDamageQueryExtension(display, &base, &error)) {
        std::fprintf(stderr, "no display, or no DAMAGE extension on it\n");
        return 1;
    }
    // The server first reports the whole window, which is dropped.
    const Damage damage = XDamageCreate(display, window, XDamageReportRawRectangles);
    XDamageSubtract(display, damage, None, None);
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }

    long frames = 0;
    double total = 0;
    double largest = 0;
    double frame = 0;
    double last = -1;
    const auto endFrame = [&] {
        if (last < 0)
            return;
        ++frames, total += frame, largest = std::max(largest, frame), frame = 0;
    };
    const double end = Now() + seconds;
    for (double now = Now(); now < end; now = Now()) {
        if (!XPending(display)) {
            // Waits for the next report; a gap this long closes the frame.
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            if (poll(&connection, 1, static_cast<int>(std::ceil(std::min(end - now, kFrameGap) * 1000))) == 0 && last >= 0
                && Now() - last > kFrameGap)
                endFrame(), last = -1;
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != base + XDamageNotify)
            continue;
        const XRectangle& a = reinterpret_cast<XDamageNotifyEvent&>(event).area;
        if (last >= 0 && now - last > kFrameGap)
            endFrame();
        frame += static_cast<double>(a.width) * a.height, last = now;
    }
    endFrame();
    std::printf("frames %ld mean_px %.0f max_px %.0f\n", frames, frames ? total / static_cast<double>(frames) : 0.0, largest);
    XCloseDisplay(display);
    return 0;
}
