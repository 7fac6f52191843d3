#include <QPainter>
#include <QWidget>

#include "draw/balls.h"
#include "draw/colors.h"
#include "draw/cue.h"
#include "draw/framebuffers.h"
#include "draw/tableimage.h"
#include "drawing.h"
#include "play/rack.h"
#include "play/stroke.h"

namespace {

// The first tick of a game as the window runs it, with the cue aimed from
// below and right of the cue ball, far enough out that its butt runs off the
// surface. Answers the frame shown.
QImage DrawOpeningFrame(GameState& s, qreal dpr)
{
    InitColors(s);
    RackBalls(s);
    s.drawBuffer = 1;
    s.mouseX = 215.0f;
    s.mouseY = 430.0f;
    QWidget window;
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

} // namespace

TEST(OpeningFrame, ShowsEveryBallInItsColourOnTheCloth)
{
    GameState s;
    const QImage frame = DrawOpeningFrame(s, 1.0);
    ASSERT_TRUE(frame.save(TAVLO_ARTEFACT_DIR "/opening-frame.png"));
    const QPoint rack[] = {{161, 354}, {161, 134}, {152, 120}, {170, 120}, {161, 76},
                           {170, 91},  {152, 91},  {179, 105}, {161, 105}, {143, 105}};
    for (int i = 0; i < GameState::kBalls; ++i)
        EXPECT_TRUE(PixelIs(frame, rack[i].x(), rack[i].y(), ToQRgb(s.ballColor[i]))) << "ball " << i;
    EXPECT_TRUE(PixelIs(frame, 161, 105, qRgb(0, 0, 0)));
    for (const auto& [x, y] : {std::pair{152, 105}, {170, 105}, {161, 120}, {150, 354}, {161, 343}})
        EXPECT_TRUE(PixelIs(frame, x, y, kCloth));
    EXPECT_TRUE(PixelIs(frame, 215, 430, ToQRgb(s.cueColorTip)));
}

// At ratio 2 a ball is painted at the finer resolution: its rim shows blended
// colours, and it is not the ratio-1 frame with every pixel doubled.
TEST(OpeningFrame, BallEdgesAreSmoothAtRatioTwo)
{
    GameState s;
    const QImage frame = DrawOpeningFrame(s, 2.0);
    ASSERT_TRUE(frame.save(TAVLO_ARTEFACT_DIR "/opening-frame@2x.png"));
    EXPECT_TRUE(PixelIs(frame, 2 * 161 + 1, 2 * 105 + 1, qRgb(0, 0, 0)));
    const QRgb white = ToQRgb(s.ballColor[0]);
    int blended = 0, splitBlocks = 0;
    for (int y = 2 * 354 - 18; y < 2 * 354 + 20; y += 2)
        for (int x = 2 * 161 - 18; x < 2 * 161 + 20; x += 2) {
            const QRgb c = frame.pixel(x, y);
            blended += c != white && c != kCloth;
            splitBlocks += c != frame.pixel(x + 1, y) || c != frame.pixel(x, y + 1) || c != frame.pixel(x + 1, y + 1);
        }
    EXPECT_GT(blended, 10);
    EXPECT_GT(splitBlocks, 10);
}
