#include "control/frameclock.h"

FrameCallback::FrameCallback(QStringView platform) : wayland_(AnswersAtTheNextFrame(platform)) {}

void FrameCallback::Request(QWindow& window)
{
    if (wayland_)
        window.requestUpdate();
}

bool AnswersAtTheNextFrame(QStringView platform)
{
    return platform.startsWith(QLatin1String("wayland"));
}

std::chrono::steady_clock::duration StatedPeriod(qreal hz)
{
    return hz > 0 ? std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(1 / hz)) : std::chrono::steady_clock::duration{};
}
