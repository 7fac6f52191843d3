#pragma once

#include <QBrush>
#include <QColor>
#include <QPen>
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

// A solid brush of a game colour, and a round-ended pen of a game colour and
// width. Each is made the first time it is asked for and then kept: made
// afresh for every ball and cue segment, they would cost heap allocations in
// every tick. The reference holds until a dozen other colours have been asked
// for; painters copy what they are given, so passing it straight on is safe.
const QBrush& SolidBrush(int32_t color);
const QPen& RoundPen(int32_t color, qreal width);
