#pragma once

// Helpers shared by the drawing tests.

#include <QImage>
#include <gtest/gtest.h>

#include "draw/paint.h"
#include "draw/tableimage.h"

constexpr QRgb kCloth = qRgb(0, 127, 127);

inline QRgb ToQRgb(int32_t c)
{
    return ToQColor(c).rgb();
}

// A frame buffer's view of the bare table, to draw on.
inline QImage BareFrame()
{
    return PaintTableImage(1.0).copy(0, 0, 325, 493);
}

inline ::testing::AssertionResult PixelIs(const QImage& image, int x, int y, QRgb expected)
{
    const QRgb got = image.pixel(x, y);
    if (got == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << qRed(got) << "," << qGreen(got)
                                         << "," << qBlue(got) << ", expected " << qRed(expected) << ","
                                         << qGreen(expected) << "," << qBlue(expected);
}
