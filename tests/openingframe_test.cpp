#include <QPainter>
#include <QWidget>
#include <array>

#include "draw/balls.h"
#include "draw/colors.h"
#include "draw/cue.h"
#include "draw/framebuffers.h"
#include "draw/tableimage.h"
#include "drawing.h"
#include "play/rack.h"
#include "play/stroke.h"

namespace {

constexpr QRgb kCloth = qRgb(0, 127, 127);

// The rack's positions rounded to whole pixels, ball 0 first.
constexpr std::array<QPoint, 10> kRackPixels{{
    {161, 354}, {161, 134}, {152, 120}, {170, 120}, {161, 76},
    {170, 91}, {152, 91}, {179, 105}, {161, 105}, {143, 105},
}};

// The first tick of a game, as the window runs it: the table, the rack, and
// the cue aimed from a pointer below and right of the cue ball, far enough
// out that its butt runs off the surface.
class OpeningFrame : public ::testing::Test {
protected:
    QImage Draw(qreal dpr)
    {
        InitColors(s);
        RackBalls(s);
        s.drawBuffer = 1;
        s.mouseX = 215.0f;
        s.mouseY = 430.0f;
        FrameBuffers b(&window, PaintTableImage(dpr), dpr);
        ComposeFrame(s, b);
        {
            QPainter p(&b.Hidden(s));
            DrawBalls(s, p);
            AimCue(s);
            DrawCue(s, p, s.aimDX, s.aimDY);
        }
        ShowFrame(s, b);
        return b.picTavlo[1]->image();
    }

    QWidget window;
    GameState s;
};

} // namespace

TEST_F(OpeningFrame, ShowsEveryBallInItsColourOnTheCloth)
{
    const QImage frame = Draw(1.0);
    ASSERT_TRUE(frame.save(TAVLO_ARTEFACT_DIR "/opening-frame.png"));
    for (int i = 0; i < GameState::kBalls; ++i)
        EXPECT_TRUE(PixelIs(frame, kRackPixels[i].x(), kRackPixels[i].y(), ToQRgb(s.ballColor[i]))) << "ball " << i;
    EXPECT_TRUE(PixelIs(frame, 161, 105, qRgb(0, 0, 0)));
    // between 9 and 8, 8 and 7, 2 and 3, and around the cue ball
    for (const auto& [x, y] : {std::pair{152, 105}, {170, 105}, {161, 120}, {150, 354}, {161, 343}})
        EXPECT_TRUE(PixelIs(frame, x, y, kCloth));
    EXPECT_TRUE(PixelIs(frame, 215, 430, ToQRgb(s.cueColorTip)));
}

// At ratio 2 a ball is painted at the finer resolution: its rim shows blended
// colours, and it is not the ratio-1 frame with every pixel doubled.
TEST_F(OpeningFrame, BallEdgesAreSmoothAtRatioTwo)
{
    const QImage frame = Draw(2.0);
    ASSERT_TRUE(frame.save(TAVLO_ARTEFACT_DIR "/opening-frame@2x.png"));
    ASSERT_EQ(frame.size(), QSize(650, 986));
    EXPECT_TRUE(PixelIs(frame, 2 * 161 + 1, 2 * 105 + 1, qRgb(0, 0, 0)));

    const QRgb white = ToQRgb(s.ballColor[0]);
    const QRect around(2 * 161 - 18, 2 * 354 - 18, 38, 38);
    int blended = 0, splitBlocks = 0;
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x) {
            const QRgb c = frame.pixel(x, y);
            blended += c != white && c != kCloth;
            if (x % 2 == 0 && y % 2 == 0)
                splitBlocks += c != frame.pixel(x + 1, y) || c != frame.pixel(x, y + 1) || c != frame.pixel(x + 1, y + 1);
        }
    EXPECT_GT(blended, 20);
    EXPECT_GT(splitBlocks, 10);
}
