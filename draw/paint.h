#pragma once

#include <QColor>
#include <QPointF>
#include <cstdint>

inline QColor ToQColor(int32_t c)
{
    return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
}

// A game position names a pixel, and that pixel spans [x, x + 1) in the
// painter's coordinates: discs and strokes are centred half a pixel further on,
// so a ball at x 100 is symmetric about pixel 100 at any device pixel ratio.
inline QPointF PixelCentre(double x, double y)
{
    return {x + 0.5, y + 0.5};
}
