#include <QPainter>
#include <cmath>

#include "draw/balls.h"
#include "draw/colors.h"
#include "draw/cue.h"
#include "draw/tableimage.h"
#include "drawing.h"
#include "play/rack.h"
#include "play/stroke.h"

namespace {

constexpr QRgb kCloth = qRgb(0, 127, 127);

class CueTest : public ::testing::Test {
protected:
    CueTest() { InitColors(s); }

    QImage DrawAt(float x, float y, float dx, float dy)
    {
        s.mouseX = x;
        s.mouseY = y;
        QImage frame = PaintTableImage(1.0).copy(0, 0, 325, 493);
        QPainter p(&frame);
        DrawCue(s, p, dx, dy);
        return frame;
    }

    // The pixel holding the point P + k D + side N, N the unit normal of D.
    static QRgb At(const QImage& frame, float x, float y, float dx, float dy, double k, double side = 0.0)
    {
        const double length = std::hypot(dx, dy);
        return frame.pixel(static_cast<int>(std::floor(x + k * dx - side * dy / length + 0.5)),
                           static_cast<int>(std::floor(y + k * dy + side * dx / length + 0.5)));
    }

    GameState s;
};

} // namespace

// Tip, middle and butt in their colours and widths: 3, 5 and 7 pixels, with
// the cloth showing beyond each side and past both ends.
TEST_F(CueTest, SegmentsRunTipToButtInTheirColoursAndWidths)
{
    const float x = 120.0f, y = 300.0f, dx = 24.0f, dy = -32.0f;
    const QImage frame = DrawAt(x, y, dx, dy);
    const struct {
        double from, to;
        QRgb color;
        double solid, clear; // distance from the centre line
    } segments[] = {
        {-1.0, 1.0, ToQRgb(s.cueColorTip), 0.0, 3.0},
        {1.0, 3.0, ToQRgb(s.cueColorMid), 1.7, 4.0},
        {3.0, 6.0, ToQRgb(s.cueColorButt), 2.7, 5.0},
    };
    for (const auto& seg : segments)
        for (double t : {0.125, 0.5, 0.875}) {
            const double k = seg.from + t * (seg.to - seg.from);
            SCOPED_TRACE(::testing::Message() << "at " << k << " D");
            for (double side : {-seg.solid, seg.solid})
                EXPECT_EQ(At(frame, x, y, dx, dy, k, side), seg.color);
            for (double side : {-seg.clear, seg.clear})
                EXPECT_EQ(At(frame, x, y, dx, dy, k, side), kCloth);
        }
    EXPECT_EQ(At(frame, x, y, dx, dy, -1.0 - 4.0 / 40.0), kCloth);
    EXPECT_EQ(At(frame, x, y, dx, dy, 6.0 + 6.0 / 40.0), kCloth);
}

// With the pointer 26 pixels below the cue ball the tip reaches past its
// centre, and the middle crosses a ball further down: the cue covers both.
TEST_F(CueTest, CueLiesOverTheBalls)
{
    RackBalls(s);
    s.ballX[5] = 161.0f;
    s.ballY[5] = 440.0f;
    s.mouseX = 161.0f;
    s.mouseY = 380.0f;
    AimCue(s);
    QImage frame = PaintTableImage(1.0).copy(0, 0, 325, 493);
    {
        QPainter p(&frame);
        DrawBalls(s, p);
        DrawCue(s, p, s.aimDX, s.aimDY);
    }
    EXPECT_TRUE(PixelIs(frame, 161, 354, ToQRgb(s.cueColorTip)));
    EXPECT_TRUE(PixelIs(frame, 161, 440, ToQRgb(s.cueColorMid)));
    EXPECT_TRUE(PixelIs(frame, 155, 354, ToQRgb(s.ballColor[0])));
}

TEST_F(CueTest, AfterTheShotTheCueKeepsItsStrokeDirection)
{
    s.mouseX = 150.0f;
    s.mouseY = 250.0f;
    s.aimDX = 0.0f;
    s.aimDY = 40.0f;
    s.cueDX = 40.0f;
    s.cueDY = 0.0f;
    QImage frame = PaintTableImage(1.0).copy(0, 0, 325, 493);
    {
        QPainter p(&frame);
        DrawCueAfterShot(s, p);
    }
    EXPECT_TRUE(PixelIs(frame, 230, 250, ToQRgb(s.cueColorMid)));
    EXPECT_TRUE(PixelIs(frame, 150, 330, kCloth));
}

// A pointer a quarter pixel down puts a quarter of the 3-pixel tip over one
// more row and takes a quarter off the other side; snapped to whole pixels
// both edge rows would be plain.
TEST_F(CueTest, EndsKeepTheirFractionOfAPixel)
{
    const QImage frame = DrawAt(100.0f, 200.25f, 40.0f, 0.0f);
    const QRgb tip = ToQRgb(s.cueColorTip);
    EXPECT_TRUE(PixelIs(frame, 100, 200, tip));
    EXPECT_TRUE(PixelIs(frame, 100, 201, tip));
    for (int y : {199, 202}) {
        const QRgb edge = frame.pixel(100, y);
        EXPECT_NE(edge, tip) << y;
        EXPECT_NE(edge, kCloth) << y;
    }
}
