#include <array>
#include <set>

#include "draw/tableimage.h"
#include "drawing.h"

namespace {

constexpr QRgb kFrame = qRgb(127, 63, 0);
constexpr QRgb kCloth = qRgb(0, 127, 127);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kGrey = qRgb(143, 143, 143);
constexpr QRgb kLight = qRgb(208, 208, 208);
constexpr QRgb kLighter = qRgb(224, 224, 224);

struct Point {
    int x, y;
    QRgb color;
};

struct PocketBox {
    int left, top, right, bottom;
};

constexpr std::array<PocketBox, 6> kPocketBoxes{{
    {18, 21, 42, 44},
    {282, 21, 306, 44},
    {16, 229, 36, 253},
    {285, 229, 308, 253},
    {18, 444, 43, 469},
    {280, 444, 306, 469},
}};

void ExpectColours(const QImage& image, const std::initializer_list<Point>& points)
{
    for (const Point& p : points)
        EXPECT_TRUE(PixelIs(image, p.x, p.y, p.color));
}

} // namespace

TEST(TableImage, OuterEdgeIsLitTopLeftAndShadowedBottomRight)
{
    const QImage image = PaintTableImage(1.0);
    ASSERT_EQ(image.size(), QSize(329, 497));
    ExpectColours(image, {
        {0, 0, kLight}, {200, 0, kLight}, {326, 0, kLight}, {327, 0, kGrey}, {328, 0, kBlack},
        {0, 250, kLight}, {1, 250, kLight}, {2, 250, kFrame},
        {324, 250, kFrame}, {325, 250, kLight}, {326, 250, kLight}, {327, 250, kGrey}, {328, 250, kBlack},
        {200, 1, kFrame}, {200, 492, kFrame}, {200, 493, kLight}, {200, 494, kLight},
        {200, 495, kGrey}, {327, 495, kGrey}, {0, 496, kBlack}, {200, 496, kBlack}, {328, 496, kBlack},
    });
}

TEST(TableImage, ClothSitsInTheFrameInsideItsCushionLines)
{
    const QImage image = PaintTableImage(1.0);
    ExpectColours(image, {
        {10, 240, kFrame}, {160, 10, kFrame}, {160, 480, kFrame}, {310, 240, kFrame},
        {160, 240, kCloth}, {28, 150, kCloth}, {296, 150, kCloth}, {160, 35, kCloth}, {160, 455, kCloth},
        // top, left, right and bottom cushion lines, outer and inner
        {160, 33, kGrey}, {160, 34, kBlack}, {26, 150, kGrey}, {27, 150, kBlack},
        {298, 150, kLighter}, {297, 150, kLight}, {160, 457, kLighter}, {160, 456, kLight},
        // where the lines end clear of the pockets
        {281, 33, kGrey}, {26, 44, kFrame}, {26, 45, kGrey}, {26, 444, kGrey}, {27, 20, kFrame}, {27, 470, kFrame},
        {298, 44, kFrame}, {298, 45, kLighter}, {299, 150, kFrame}, {44, 457, kLighter}, {279, 457, kLighter},
        {160, 458, kFrame},
    });
}

TEST(TableImage, EachPocketIsTheDiscInscribedInItsBox)
{
    const QImage image = PaintTableImage(1.0);
    for (const PocketBox& b : kPocketBoxes) {
        SCOPED_TRACE(::testing::Message() << "pocket at " << b.left << ", " << b.top);
        const int midX = (b.left + b.right) / 2, midY = (b.top + b.bottom) / 2;
        for (const auto& [x, y] : {std::pair{midX, midY}, {b.left, midY}, {b.right, midY}, {midX, b.top}, {midX, b.bottom}})
            EXPECT_TRUE(PixelIs(image, x, y, kBlack));
        for (const auto& [x, y] : {std::pair{b.left, b.top}, {b.right, b.top}, {b.left, b.bottom}, {b.right, b.bottom},
                                   {b.left - 1, midY}, {b.right + 1, midY}, {midX, b.top - 1}, {midX, b.bottom + 1}})
            EXPECT_NE(image.pixel(x, y), kBlack) << "at " << x << ", " << y;
    }
    ExpectColours(image, {{17, 32, kFrame}, {307, 32, kFrame}, {15, 241, kFrame}, {309, 241, kFrame},
                          {30, 470, kFrame}, {293, 470, kFrame}});
}

TEST(TableImage, ClothShowsNothingButClothAndPockets)
{
    const QImage image = PaintTableImage(1.0);
    for (int y = 35; y <= 455; ++y)
        for (int x = 28; x <= 296; ++x) {
            const QRgb c = image.pixel(x, y);
            ASSERT_TRUE(c == kCloth || c == kBlack) << "at " << x << ", " << y;
        }
}

// At ratio 2 every straight edge lands on a device pixel boundary, so away
// from the pockets each pixel becomes an exact 2 x 2 block; the pockets are
// drawn finer but still in solid black, never blurred.
TEST(TableImage, DoubleRatioIsCrispNotBlurred)
{
    const QImage one = PaintTableImage(1.0);
    const QImage two = PaintTableImage(2.0);
    ASSERT_EQ(two.size(), QSize(658, 994));
    EXPECT_EQ(two.devicePixelRatio(), 2.0);
    const std::set<QRgb> palette{kFrame, kCloth, kBlack, kGrey, kLight, kLighter};
    auto inPocketBox = [](int x, int y) {
        for (const PocketBox& b : kPocketBoxes)
            if (x >= b.left && x <= b.right && y >= b.top && y <= b.bottom)
                return true;
        return false;
    };
    int pocketPixelsDiffering = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x)
            for (int d = 0; d < 4; ++d) {
                const QRgb c = two.pixel(2 * x + d % 2, 2 * y + d / 2);
                ASSERT_TRUE(palette.count(c)) << "at device " << 2 * x + d % 2 << ", " << 2 * y + d / 2;
                if (!inPocketBox(x, y))
                    ASSERT_EQ(c, one.pixel(x, y)) << "at " << x << ", " << y;
                else
                    pocketPixelsDiffering += c != one.pixel(x, y);
            }
    EXPECT_GT(pocketPixelsDiffering, 0) << "the pockets are only an enlargement of ratio 1";
}
