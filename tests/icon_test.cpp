#include <QIcon>
#include <QImage>
#include <set>

#include "draw/icon.h"
#include "drawing.h"

TEST(Icon, SmallPictureIsATealBallInSixteenColoursOnTransparency)
{
    const QIcon icon = TavloIcon();
    for (int size : {32, 48, 64, 128, 256})
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    const QImage small(QStringLiteral(":/tavlo.xpm"));
    ASSERT_EQ(small.size(), QSize(32, 32));
    std::set<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            colours.insert(small.pixel(x, y));
    EXPECT_LE(colours.size(), 16u);
    EXPECT_EQ(qAlpha(small.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(small.pixel(31, 31)), 0);
    const QRgb rim = small.pixel(5, 16);
    EXPECT_EQ(qAlpha(rim), 255);
    EXPECT_LT(qRed(rim) + 40, std::min(qGreen(rim), qBlue(rim)));
}
