#pragma once

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
// nothing is asked there.
class FrameCallback final : public FrameClock {
public:
    FrameCallback();
    void Request(QWindow& window) override;

private:
    bool wayland_;
};

// How long a frame lasts on the window's screen, as the screen says; zero
// where it says nothing usable.
std::chrono::steady_clock::duration StatedPeriod(const QWindow& window);
