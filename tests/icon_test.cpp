#include <QIcon>
#include <QImage>
#include <set>

#include "draw/icon.h"
#include "drawing.h"

TEST(Icon, SmallPictureIsATealBallInSixteenColoursOnTransparency)
{
    ASSERT_FALSE(TavloIcon().isNull());
    const QImage small(QStringLiteral(":/tavlo.xpm"));
    ASSERT_EQ(small.size(), QSize(32, 32));
    std::set<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            colours.insert(small.pixel(x, y));
    EXPECT_LE(colours.size(), 16u);
    for (const auto& [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}})
        EXPECT_EQ(qAlpha(small.pixel(x, y)), 0);
    const QRgb rim = small.pixel(5, 16);
    EXPECT_EQ(qAlpha(rim), 255);
    EXPECT_LT(qRed(rim) + 40, qGreen(rim));
    EXPECT_LT(qRed(rim) + 40, qBlue(rim));
}

TEST(Icon, OffersEverySizeFromThirtyTwoToTwoHundredFiftySix)
{
    const QIcon icon = TavloIcon();
    for (int size : {32, 48, 64, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        EXPECT_EQ(icon.pixmap(QSize(size, size)).size(), QSize(size, size)) << size;
    }
}
