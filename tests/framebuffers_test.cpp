#include <QPainter>
#include <QWidget>

#include "draw/framebuffers.h"
#include "draw/tableimage.h"
#include "drawing.h"

namespace {

class FrameBuffersTest : public ::testing::Test {
protected:
    FrameBuffersTest()
    {
        window.resize(326, 496);
        window.show();
        s.drawBuffer = 1;
    }

    // One tick that marks its frame with a red square; answers the buffer it drew into.
    int Tick(int x = 0, int y = 0)
    {
        const int drawn = &b.Hidden(s) == b.picTavlo[1] ? 1 : 2;
        EXPECT_FALSE(b.picTavlo[drawn]->isVisible());
        ComposeFrame(s, b);
        b.Hidden(s).painter().fillRect(x, y, 10, 10, Qt::red);
        ShowFrame(s, b);
        EXPECT_TRUE(b.picTavlo[drawn]->isVisible());
        EXPECT_FALSE(b.picTavlo[3 - drawn]->isVisible());
        EXPECT_FALSE(b.picTavlo[0]->isVisible());
        return drawn;
    }

    QImage table = PaintTableImage(1.0);
    QWidget window;
    FrameBuffers b{&window, table};
    GameState s;
};

} // namespace

TEST_F(FrameBuffersTest, CopyReplacesEveryPixelWithTheTopLeftOfTheTable)
{
    QImage& frame = b.Hidden(s).image();
    frame.fill(Qt::magenta);
    ComposeFrame(s, b);
    ASSERT_TRUE(frame == table.copy(0, 0, 325, 493));
}

TEST_F(FrameBuffersTest, BuffersTakeTurnsAndAStrayIndexBecomesOne)
{
    EXPECT_EQ(Tick(), 1);
    EXPECT_EQ(s.drawBuffer, 2);
    EXPECT_EQ(Tick(), 2);
    EXPECT_EQ(s.drawBuffer, 1);
    // A stray index, such as the zero of a state never set up, still draws
    // into the hidden buffer and never into the table store.
    for (int16_t stray : {int16_t{0}, int16_t{-1}, int16_t{3}}) {
        Tick();
        s.drawBuffer = stray;
        EXPECT_EQ(Tick(50, 50), 2);
        EXPECT_EQ(s.drawBuffer, 1);
    }
    EXPECT_TRUE(b.picTavlo[0]->image() == table.copy(0, 0, 325, 493));
}

TEST_F(FrameBuffersTest, WindowShowsTheLastFrameFromItsRetainedImage)
{
    Tick(100, 100);
    Tick(200, 300);
    const QImage shown = window.grab().toImage();
    EXPECT_TRUE(PixelIs(shown, 205, 305, qRgb(255, 0, 0)));
    EXPECT_TRUE(PixelIs(shown, 105, 105, table.pixel(105, 105)));
    EXPECT_TRUE(PixelIs(shown, 0, 0, table.pixel(0, 0)));
}
