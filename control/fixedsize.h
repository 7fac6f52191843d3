#pragma once

#include <QObject>

// Puts a fixed-size window back at its size when the window system maximizes
// it, makes it full screen or resizes it all the same. Installed on the
// application, it looks after every such window, message boxes too.
class FixedSizeGuard : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
