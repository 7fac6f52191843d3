#pragma once

#include <QObject>

// Where Qt holds a window at the largest size it asks for, whatever the window
// system configures (Wayland before Qt 6.8), a compositor that maximizes it
// takes no frame of another size: weston ends the program at the next one.
// There the game's windows ask for their smallest size only, and take the
// size they are given, as they do everywhere else.
bool PlatformHoldsLargestSize();

// Repaints the whole of a window when the window system changes its state: a
// new state may come with a new, blank buffer for the window (Qt's Wayland
// title bar goes with full screen and comes back after it), where Qt would
// repaint only what it knows to have changed. Installed on the application,
// it looks after every window, message boxes too.
class WindowStateFilter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
