#include <algorithm>
#include <set>

#include "draw/tableimage.h"
#include "drawing.h"

namespace {

// Frame, cloth, black, and the grey, light and lighter edges.
constexpr QRgb F = qRgb(127, 63, 0);
constexpr QRgb C = kCloth;
constexpr QRgb K = qRgb(0, 0, 0);
constexpr QRgb G = qRgb(143, 143, 143);
constexpr QRgb L = qRgb(208, 208, 208);
constexpr QRgb LL = qRgb(224, 224, 224);

struct Point {
    int x, y;
    QRgb color;
};

constexpr Point kPoints[] = {
    // outer edge: lit top and left, shadowed right and bottom
    {0, 0, L}, {326, 0, L}, {327, 0, G}, {328, 0, K}, {1, 250, L}, {2, 250, F}, {324, 250, F}, {325, 250, L},
    {326, 250, L}, {327, 250, G}, {328, 250, K}, {200, 1, F}, {200, 492, F}, {200, 493, L}, {200, 494, L},
    {200, 495, G}, {327, 495, G}, {0, 496, K}, {328, 496, K},
    // frame and cloth
    {10, 240, F}, {160, 480, F}, {160, 240, C}, {28, 150, C}, {296, 150, C}, {160, 35, C}, {160, 455, C},
    // cushion lines, outer and inner, and where they end clear of the pockets
    {160, 33, G}, {160, 34, K}, {26, 150, G}, {27, 150, K}, {298, 150, LL}, {297, 150, L}, {160, 457, LL},
    {160, 456, L}, {281, 33, G}, {26, 44, F}, {26, 45, G}, {26, 444, G}, {27, 20, F}, {27, 470, F},
    {298, 44, F}, {298, 45, LL}, {299, 150, F}, {44, 457, LL}, {279, 457, LL}, {160, 458, F},
    // pockets: centre and the middle of the box's sides black, corners and
    // one pixel beyond the box not
    {30, 32, K}, {18, 32, K}, {30, 44, K}, {18, 21, F}, {17, 32, F}, {30, 20, F},
    {294, 32, K}, {306, 32, K}, {294, 21, K}, {306, 21, F}, {307, 32, F},
    {26, 241, K}, {16, 241, K}, {36, 241, K}, {16, 229, F}, {15, 241, F}, {37, 241, C},
    {296, 241, K}, {308, 241, K}, {296, 229, K}, {308, 253, F}, {309, 241, F}, {284, 241, C},
    {30, 456, K}, {43, 456, K}, {30, 469, K}, {18, 469, F}, {30, 470, F}, {44, 456, L},
    {293, 456, K}, {280, 456, K}, {293, 469, K}, {306, 469, F}, {293, 470, F}, {279, 456, L},
};

constexpr QRect kPocketBoxes[] = {
    {18, 21, 25, 24}, {282, 21, 25, 24}, {16, 229, 21, 25}, {285, 229, 24, 25}, {18, 444, 26, 26}, {280, 444, 27, 26},
};

} // namespace

TEST(TableImage, EveryRegionHasItsColour)
{
    const QImage image = PaintTableImage(1.0);
    ASSERT_EQ(image.size(), QSize(329, 497));
    for (const Point& p : kPoints)
        EXPECT_TRUE(PixelIs(image, p.x, p.y, p.color));
}

// At ratio 2 the straight edges fall on device pixel boundaries and the
// pockets are drawn finer, in solid colours only, never blurred.
TEST(TableImage, RatioTwoIsCrispNotEnlarged)
{
    const QImage one = PaintTableImage(1.0);
    const QImage two = PaintTableImage(2.0);
    ASSERT_EQ(two.size(), QSize(658, 994));
    const std::set<QRgb> palette{F, C, K, G, L, LL};
    int differing = 0;
    for (int y = 0; y < two.height(); ++y)
        for (int x = 0; x < two.width(); ++x) {
            ASSERT_TRUE(palette.count(two.pixel(x, y))) << "at device " << x << ", " << y;
            if (two.pixel(x, y) == one.pixel(x / 2, y / 2))
                continue;
            ++differing;
            ASSERT_TRUE(std::any_of(std::begin(kPocketBoxes), std::end(kPocketBoxes),
                                    [&](const QRect& box) { return box.contains(x / 2, y / 2); }))
                << "at device " << x << ", " << y;
        }
    EXPECT_GT(differing, 0) << "the pockets are the ratio-1 pockets enlarged";
}
