#pragma once

#include <QGuiApplication>
#include <QWindow>
#include <chrono>

// Where the game loop learns the display's beats, the moments the display
// takes a new frame. Asked once a frame has gone to the display, it answers at
// the next beat with an update request to the window; one that cannot tell
// leaves the request unanswered.
class FrameClock {
public:
    virtual ~FrameClock() = default;
    virtual void Request(QWindow& window) = 0;
};

// The compositor's frame callback. A Wayland compositor answers a window's
// update request with it once a frame has been committed; under X, Qt answers
// at once or on a timer of its own, which says nothing of the display, so
// nothing is asked there. The platform is the application's, or one a test
// names.
class FrameCallback final : public FrameClock {
public:
    explicit FrameCallback(QStringView platform = QGuiApplication::platformName());
    void Request(QWindow& window) override;

private:
    bool wayland_;
};

// Whether a platform's windows have their update requests answered by the
// compositor's frame callback: Wayland's do.
bool AnswersAtTheNextFrame(QStringView platform);

// How long a frame lasts on a screen of the given refresh rate, in hertz;
// zero for a rate of none.
std::chrono::steady_clock::duration StatedPeriod(qreal hz);
