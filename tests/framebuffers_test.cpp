#include <QPainter>
#include <QWidget>

#include "draw/framebuffers.h"
#include "draw/tableimage.h"
#include "drawing.h"

namespace {

class FrameBuffersTest : public ::testing::Test {
protected:
    FrameBuffersTest()
        : table(PaintTableImage(1.0))
        , buffers(&window, table, 1.0)
    {
        window.resize(326, 496);
        window.show();
        s.drawBuffer = 1;
    }

    // One tick that marks its frame with a square at the given place.
    void Tick(int x, int y)
    {
        ComposeFrame(s, buffers);
        QPainter(&buffers.Hidden(s)).fillRect(x, y, 10, 10, Qt::red);
        ShowFrame(s, buffers);
    }

    Surface& Buffer(int i) { return *buffers.picTavlo[i]; }

    QImage table;
    QWidget window;
    FrameBuffers buffers;
    GameState s;
};

} // namespace

TEST_F(FrameBuffersTest, CopyReplacesEveryPixelWithTheTopLeftOfTheTable)
{
    for (int tick = 0; tick < 2; ++tick) {
        QImage& frame = buffers.Hidden(s);
        frame.fill(Qt::magenta);
        ComposeFrame(s, buffers);
        ASSERT_EQ(frame.size(), QSize(325, 493));
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                ASSERT_EQ(frame.pixel(x, y), table.pixel(x, y)) << "at " << x << ", " << y;
        ShowFrame(s, buffers);
    }
}

TEST_F(FrameBuffersTest, BuffersTakeTurnsAndTheTableStoreIsNeverShown)
{
    EXPECT_FALSE(Buffer(1).isVisible());
    EXPECT_FALSE(Buffer(2).isVisible());

    EXPECT_EQ(&buffers.Hidden(s), &Buffer(1).image());
    Tick(0, 0);
    EXPECT_EQ(s.drawBuffer, 2);
    EXPECT_TRUE(Buffer(1).isVisible());
    EXPECT_FALSE(Buffer(2).isVisible());

    EXPECT_EQ(&buffers.Hidden(s), &Buffer(2).image());
    Tick(0, 0);
    EXPECT_EQ(s.drawBuffer, 1);
    EXPECT_TRUE(Buffer(2).isVisible());
    EXPECT_FALSE(Buffer(1).isVisible());
    EXPECT_FALSE(Buffer(0).isVisible());
}

TEST_F(FrameBuffersTest, NoTickDrawsIntoTheVisibleBuffer)
{
    for (int tick = 0; tick < 6; ++tick) {
        const int hidden = &buffers.Hidden(s) == &Buffer(1).image() ? 1 : 2;
        EXPECT_FALSE(Buffer(hidden).isVisible()) << "tick " << tick;
        Tick(0, 0);
        EXPECT_TRUE(Buffer(hidden).isVisible());
        EXPECT_FALSE(Buffer(3 - hidden).isVisible());
        EXPECT_FALSE(Buffer(0).isVisible());
    }
}

// A stray index, such as the zero of a state never set up, still draws into a
// hidden frame buffer, never into the table store nor past the three
// surfaces, shows what it drew and becomes 1.
TEST_F(FrameBuffersTest, StrayIndexBecomesOneAndSparesTheTableStore)
{
    for (int16_t stray : {int16_t{0}, int16_t{-1}, int16_t{3}, int16_t{32767}}) {
        s.drawBuffer = stray;
        QImage& frame = buffers.Hidden(s);
        ASSERT_NE(&frame, &Buffer(0).image()) << stray;
        const Surface& target = &frame == &Buffer(1).image() ? Buffer(1) : Buffer(2);
        EXPECT_FALSE(target.isVisible()) << stray;
        Tick(50, 50);
        EXPECT_EQ(s.drawBuffer, 1) << stray;
        EXPECT_TRUE(target.isVisible()) << stray;
        EXPECT_EQ(Buffer(1).isVisible() + Buffer(2).isVisible(), 1) << stray;
        EXPECT_TRUE(Buffer(0).image() == table);
        Tick(0, 0);
    }
}

TEST_F(FrameBuffersTest, WindowShowsTheFrameJustDrawnFromItsRetainedImage)
{
    Tick(100, 100);
    QImage shown = window.grab().toImage();
    EXPECT_TRUE(PixelIs(shown, 105, 105, qRgb(255, 0, 0)));
    EXPECT_TRUE(PixelIs(shown, 205, 305, table.pixel(205, 305)));

    Tick(200, 300);
    shown = window.grab().toImage();
    EXPECT_TRUE(PixelIs(shown, 105, 105, table.pixel(105, 105)));
    EXPECT_TRUE(PixelIs(shown, 205, 305, qRgb(255, 0, 0)));
    EXPECT_TRUE(PixelIs(shown, 0, 0, table.pixel(0, 0)));
}
