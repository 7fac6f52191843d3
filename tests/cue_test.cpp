#include <QPainter>
#include <cmath>

#include "draw/balls.h"
#include "draw/colors.h"
#include "draw/cue.h"
#include "drawing.h"
#include "play/rack.h"
#include "play/stroke.h"

// Tip, middle and butt in their colours, 3, 5 and 7 pixels wide: solid near
// the centre line, cloth just beyond the edges and past both ends. After the
// shot the cue takes the stroke's direction, not the aim's.
TEST(Cue, SegmentsRunTipToButtInTheirColoursAndWidths)
{
    GameState s;
    InitColors(s);
    s.mouseX = 120.0f;
    s.mouseY = 300.0f;
    s.aimDX = 40.0f;
    s.cueDX = 24.0f;
    s.cueDY = -32.0f;
    QImage frame = BareFrame();
    {
        QPainter p(&frame);
        DrawCueAfterShot(s, p);
    }
    // The pixel at P + k D, moved `side` pixels along the unit normal (0.8, 0.6).
    auto at = [&](double k, double side) {
        return frame.pixel(static_cast<int>(std::floor(120.0 + k * 24.0 + side * 0.8 + 0.5)),
                           static_cast<int>(std::floor(300.0 - k * 32.0 + side * 0.6 + 0.5)));
    };
    const struct {
        double from, to, solid, clear;
        QRgb color;
    } segments[] = {
        {-1.0, 1.0, 0.0, 3.0, ToQRgb(s.cueColorTip)},
        {1.0, 3.0, 1.7, 4.0, ToQRgb(s.cueColorMid)},
        {3.0, 6.0, 2.7, 5.0, ToQRgb(s.cueColorButt)},
    };
    for (const auto& seg : segments)
        for (double t : {0.125, 0.5, 0.875}) {
            const double k = seg.from + t * (seg.to - seg.from);
            SCOPED_TRACE(::testing::Message() << "at " << k << " D");
            EXPECT_EQ(at(k, -seg.solid), seg.color);
            EXPECT_EQ(at(k, seg.solid), seg.color);
            EXPECT_EQ(at(k, -seg.clear), kCloth);
            EXPECT_EQ(at(k, seg.clear), kCloth);
        }
    EXPECT_EQ(at(-1.1, 0.0), kCloth);
    EXPECT_EQ(at(6.15, 0.0), kCloth);
}

// With the pointer 26 pixels below the cue ball the tip reaches past its
// centre, and the middle crosses a ball further down: the cue covers both.
TEST(Cue, CueLiesOverTheBalls)
{
    GameState s;
    InitColors(s);
    RackBalls(s);
    s.ballX[5] = 161.0f;
    s.ballY[5] = 440.0f;
    s.mouseX = 161.0f;
    s.mouseY = 380.0f;
    AimCue(s);
    QImage frame = BareFrame();
    {
        QPainter p(&frame);
        DrawBalls(s, p);
        DrawCue(s, p, s.aimDX, s.aimDY);
    }
    EXPECT_TRUE(PixelIs(frame, 161, 354, ToQRgb(s.cueColorTip)));
    EXPECT_TRUE(PixelIs(frame, 161, 440, ToQRgb(s.cueColorMid)));
    EXPECT_TRUE(PixelIs(frame, 155, 354, ToQRgb(s.ballColor[0])));
}
