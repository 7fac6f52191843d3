#include <QPainter>
#include <QWidget>
#include <cmath>

#include "control/frametick.h"
#include "draw/balls.h"
#include "draw/colors.h"
#include "draw/cue.h"
#include "draw/framebuffers.h"
#include "drawing.h"
#include "play/rack.h"
#include "play/stroke.h"

namespace {

GameState Colored()
{
    GameState s;
    InitColors(s);
    return s;
}

QImage WithBalls(const GameState& s)
{
    QImage frame = BareFrame();
    QPainter p(&frame);
    p.setRenderHint(QPainter::Antialiasing);
    DrawBalls(s, p);
    p.end();
    return frame;
}

// The first tick of a game as the window runs it, the cue aimed from below
// and right of the cue ball: the frame it shows.
QImage OpeningFrame(GameState& s, qreal dpr)
{
    s = Colored();
    RackBalls(s);
    s.drawBuffer = 1;
    s.mouseX = 215.0f;
    s.mouseY = 430.0f;
    QWidget window;
    FrameBuffers b(&window, PaintTableImage(dpr));
    PlayFrame(s, b);
    return b.picTavlo[1]->image();
}

} // namespace

TEST(Balls, DiscOfRadiusEightAboutTheCentreRoundedHalfToEven)
{
    GameState s = Colored();
    const QRgb color = ToQRgb(s.ballColor[4]);
    for (const auto& [at, pixel] : {std::pair{100.5f, 100}, {101.5f, 102}, {100.6f, 101}}) {
        s.ballX[4] = at;
        s.ballY[4] = at + 100.0f;
        const QImage frame = WithBalls(s);
        for (const auto& [dx, dy] : {std::pair{0, 0}, {-7, 0}, {7, 0}, {0, -7}, {0, 7}})
            EXPECT_TRUE(PixelIs(frame, pixel + dx, pixel + 100 + dy, color)) << "at " << at;
        for (const auto& [dx, dy] : {std::pair{-9, 0}, {9, 0}, {0, -9}, {0, 9}})
            EXPECT_TRUE(PixelIs(frame, pixel + dx, pixel + 100 + dy, kCloth)) << "at " << at;
    }
}

TEST(Balls, OnlyExactlyZeroIsPocketedAndHigherIndicesLieOnTop)
{
    GameState s = Colored();
    s.ballY[3] = 200.0f;
    EXPECT_TRUE(WithBalls(s) == BareFrame());
    s.ballX[3] = 1e-30f;
    EXPECT_TRUE(PixelIs(WithBalls(s), 0, 200, ToQRgb(s.ballColor[3])));
    for (const auto& [left, right] : {std::pair{3, 5}, {5, 3}, {0, 9}}) {
        GameState two = Colored();
        two.ballX[left] = 100.0f;
        two.ballX[right] = 108.0f;
        two.ballY[left] = two.ballY[right] = 200.0f;
        EXPECT_TRUE(PixelIs(WithBalls(two), 104, 200, ToQRgb(two.ballColor[std::max(left, right)])));
    }
}

// Tip, middle and butt in their colours, 3, 5 and 7 pixels wide, along the
// kept direction after the shot: solid near the centre line, cloth beyond.
TEST(Cue, SegmentsRunTipToButtInTheirColoursAndWidths)
{
    GameState s = Colored();
    s.mouseX = 120.0f;
    s.mouseY = 300.0f;
    s.cueDX = 24.0f;
    s.cueDY = -32.0f;
    QImage frame = BareFrame();
    {
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        DrawCueAfterShot(s, p);
    }
    // The pixel at P + k D, moved `side` pixels along the unit normal (0.8, 0.6).
    auto at = [&](double k, double side) {
        return frame.pixel(int(std::floor(120.5 + k * 24.0 + side * 0.8)), int(std::floor(300.5 - k * 32.0 + side * 0.6)));
    };
    const struct {
        double from, to, solid, clear;
        int32_t color;
    } segments[] = {{-1, 1, 0, 3, s.cueColorTip}, {1, 3, 1.7, 4, s.cueColorMid}, {3, 6, 2.7, 5, s.cueColorButt}};
    for (const auto& seg : segments)
        for (double k : {seg.from + 0.25, (seg.from + seg.to) / 2, seg.to - 0.25})
            for (double side : {-1.0, 1.0}) {
                EXPECT_EQ(at(k, side * seg.solid), ToQRgb(seg.color)) << k << " D";
                EXPECT_EQ(at(k, side * seg.clear), kCloth) << k << " D";
            }
    EXPECT_EQ(at(-1.1, 0.0), kCloth);
    EXPECT_EQ(at(6.15, 0.0), kCloth);
}

TEST(OpeningFrame, ShowsEveryBallInItsColourWithTheCueOnTop)
{
    GameState s;
    const QImage frame = OpeningFrame(s, 1.0);
    ASSERT_TRUE(frame.save(TAVLO_ARTEFACT_DIR "/opening-frame.png"));
    const QPoint rack[] = {{161, 354}, {161, 134}, {152, 120}, {170, 120}, {161, 76},
                           {170, 91},  {152, 91},  {179, 105}, {161, 105}, {143, 105}};
    for (int i = 0; i < GameState::kBalls; ++i)
        EXPECT_TRUE(PixelIs(frame, rack[i].x(), rack[i].y(), ToQRgb(s.ballColor[i]))) << "ball " << i;
    for (const auto& [x, y] : {std::pair{152, 105}, {170, 105}, {161, 120}, {150, 354}})
        EXPECT_TRUE(PixelIs(frame, x, y, kCloth));
    EXPECT_TRUE(PixelIs(frame, 215, 430, ToQRgb(s.cueColorTip)));

    // The pointer nearer than 40 pixels: the tip crosses the cue ball's centre.
    s.mouseX = 161.0f;
    s.mouseY = 380.0f;
    AimCue(s);
    QImage close = BareFrame();
    {
        QPainter p(&close);
        p.setRenderHint(QPainter::Antialiasing);
        DrawBalls(s, p);
        DrawCue(s, p, s.aimDX, s.aimDY);
    }
    EXPECT_TRUE(PixelIs(close, 161, 354, ToQRgb(s.cueColorTip)));
    EXPECT_TRUE(PixelIs(close, 155, 354, ToQRgb(s.ballColor[0])));
}

// At ratio 2 a ball is drawn at the finer resolution: its rim shows blended
// colours, and it is not the ratio-1 frame with every pixel doubled.
TEST(OpeningFrame, BallEdgesAreSmoothAtRatioTwo)
{
    GameState s;
    const QImage frame = OpeningFrame(s, 2.0);
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
