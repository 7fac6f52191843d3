#include "control/frameclock.h"

#include <QGuiApplication>
#include <QScreen>

FrameCallback::FrameCallback() : wayland_(QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {}

void FrameCallback::Request(QWindow& window)
{
    if (wayland_)
        window.requestUpdate();
}

std::chrono::steady_clock::duration StatedPeriod(const QWindow& window)
{
    const qreal hz = window.screen() ? window.screen()->refreshRate() : 0;
    return hz >= 1 ? std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(1 / hz)) : std::chrono::steady_clock::duration{};
}
