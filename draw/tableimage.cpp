#include "draw/tableimage.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Inclusive ranges of logical pixels.
struct Box {
    int left, top, right, bottom;
};

struct Patch {
    Box box;
    QRgb color;
};

namespace color {
constexpr QRgb kFrame = qRgb(127, 63, 0);
constexpr QRgb kCloth = qRgb(0, 127, 127);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kGrey = qRgb(143, 143, 143);
constexpr QRgb kLight = qRgb(208, 208, 208);
constexpr QRgb kLighter = qRgb(224, 224, 224);
}

// In painting order; later patches cover earlier ones. The outermost column
// and row (x 328, y 496) are black, which is what the image starts as.
constexpr std::array kPatches{
    // Outer edge, lit at the top left and shadowed at the bottom right.
    Patch{{0, 0, 326, 0}, color::kLight},
    Patch{{0, 493, 326, 494}, color::kLight},
    Patch{{0, 0, 1, 494}, color::kLight},
    Patch{{325, 0, 326, 494}, color::kLight},
    Patch{{327, 0, 327, 495}, color::kGrey},
    Patch{{0, 495, 327, 495}, color::kGrey},

    Patch{{2, 1, 324, 492}, color::kFrame},
    Patch{{28, 35, 296, 455}, color::kCloth},

    // Cushion edges: dark along the top and left of the cloth, light along the
    // bottom and right.
    // The inner lines of the top and left cushions run into the corner
    // pockets (x 18-306 and y 21-469), which hide their ends at ratio 1. They
    // start and end at those pockets' centres instead: the same picture at
    // ratio 1, and at any other ratio their ends stay inside the rounder
    // pockets rather than showing beside them as stubs.
    Patch{{42, 33, 281, 33}, color::kGrey},
    Patch{{30, 34, 294, 34}, color::kBlack},
    Patch{{26, 45, 26, 444}, color::kGrey},
    Patch{{27, 33, 27, 456}, color::kBlack},
    Patch{{298, 45, 298, 444}, color::kLighter},
    Patch{{297, 45, 297, 444}, color::kLight},
    Patch{{44, 457, 280, 457}, color::kLighter},
    Patch{{44, 456, 280, 456}, color::kLight},
};

// Each pocket is the black disc inscribed in its box.
constexpr std::array kPockets{
    Box{18, 21, 42, 44},    // top left
    Box{282, 21, 306, 44},  // top right
    Box{16, 229, 36, 253},  // left side
    Box{285, 229, 308, 253}, // right side
    Box{18, 444, 43, 469},  // bottom left
    Box{280, 444, 306, 469}, // bottom right
};

// Device pixels [begin, end) whose centres fall within logical pixels
// first..last, that is within [first, last + 1) in continuous coordinates.
struct Span {
    int begin, end;
};

Span DeviceSpan(int first, int last, qreal dpr)
{
    return {static_cast<int>(std::ceil(first * dpr - 0.5)), static_cast<int>(std::ceil((last + 1) * dpr - 0.5))};
}

QRgb* Row(QImage& image, int y)
{
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

void PaintPatch(QImage& image, const Patch& patch, qreal dpr)
{
    const Box& b = patch.box;
    const Span xs = DeviceSpan(b.left, b.right, dpr);
    const Span ys = DeviceSpan(b.top, b.bottom, dpr);
    for (int y = ys.begin; y < ys.end; ++y)
        std::fill(Row(image, y) + xs.begin, Row(image, y) + xs.end, patch.color);
}

// A device pixel belongs to the pocket when its centre lies inside or on the
// ellipse. The test is kept free of square roots so that at ratio 1, where
// every term is a multiple of a quarter, it is exact.
void PaintPocket(QImage& image, const Box& b, qreal dpr)
{
    const double cx = (b.left + b.right + 1) / 2.0;
    const double cy = (b.top + b.bottom + 1) / 2.0;
    const double a = (b.right - b.left + 1) / 2.0;
    const double h = (b.bottom - b.top + 1) / 2.0;
    const Span xs = DeviceSpan(b.left, b.right, dpr);
    const Span ys = DeviceSpan(b.top, b.bottom, dpr);
    for (int y = ys.begin; y < ys.end; ++y) {
        const double dy = (y + 0.5) / dpr - cy;
        for (int x = xs.begin; x < xs.end; ++x) {
            const double dx = (x + 0.5) / dpr - cx;
            if (h * h * dx * dx + a * a * dy * dy <= a * a * h * h)
                Row(image, y)[x] = color::kBlack;
        }
    }
}

} // namespace

QImage PaintTableImage(qreal dpr)
{
    QImage image(static_cast<int>(std::ceil(kTableImageSize.width * dpr)),
                 static_cast<int>(std::ceil(kTableImageSize.height * dpr)), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(color::kBlack);
    for (const Patch& patch : kPatches)
        PaintPatch(image, patch, dpr);
    for (const Box& pocket : kPockets)
        PaintPocket(image, pocket, dpr);
    return image;
}
