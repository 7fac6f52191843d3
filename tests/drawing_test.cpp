#include <QWidget>
#include <gtest/gtest.h>

#include "control/frametick.h"
#include "control/tableview.h"
#include "draw/balls.h"
#include "draw/colors.h"
#include "draw/framebuffers.h"
#include "draw/tableimage.h"
#include "play/rack.h"

namespace {

// Pictures are compared pixel for pixel with reference pictures in
// tests/data, checked against the table's layout and the game's colours. One
// that differs is saved beside the test binary, for a look and, after a
// deliberate change, as the new reference.
::testing::AssertionResult LooksLike(const QImage& drawn, const QString& name)
{
    const QImage reference(QStringLiteral(TAVLO_TEST_DATA "/") + name);
    const QImage got = drawn.convertToFormat(QImage::Format_RGB32);
    if (!reference.isNull() && got == reference.convertToFormat(QImage::Format_RGB32))
        return ::testing::AssertionSuccess();
    got.save(name);
    return ::testing::AssertionFailure() << "the picture differs from tests/data/" << name.toStdString();
}

// A disc of radius 8 and its outline reach half a pixel further: the
// pixels 7 away from its centre are solid, those 9 away untouched.
void ExpectDisc(const QImage& image, int x, int y, QRgb color)
{
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        EXPECT_EQ(image.pixel(x + 7 * dx, y + 7 * dy), color) << x + 7 * dx << ", " << y + 7 * dy;
        EXPECT_EQ(image.pixel(x + 9 * dx, y + 9 * dy), qRgb(0, 0, 0)) << x + 9 * dx << ", " << y + 9 * dy;
    }
}

} // namespace

TEST(Table, IsPaintedAsLaidOut)
{
    EXPECT_TRUE(LooksLike(PaintTableImage(1.0), "table.png"));
}

// The first two ticks of a game with the pointer 35 pixels above the cue ball,
// so that the whole cue shows and its tip crosses the ball: each tick draws
// the rack and the cue into the hidden buffer, shows it and hides the other.
TEST(Frame, OpeningTicksShowTheRackWithTheCueOnTopAtRatiosOneAndTwo)
{
    for (const qreal dpr : {1.0, 2.0}) {
        QWidget window;
        window.resize(client::kWidth, client::kHeight);
        window.show();
        FrameBuffers b(&window, PaintTableImage(dpr));
        GameState s;
        InitColors(s);
        RackBalls(s);
        s.drawBuffer = 1;
        s.mouseX = 170.0f;
        s.mouseY = 320.0f;
        for (int tick = 1; tick <= 2; ++tick) {
            b.Hidden(s).image().fill(Qt::magenta);
            EXPECT_FALSE(PlayFrame(s, b));
            EXPECT_EQ(std::tuple(s.drawBuffer, b.picTavlo[0]->isVisible(), b.picTavlo[tick]->isVisible(),
                                 b.picTavlo[3 - tick]->isVisible()), std::tuple(3 - tick, false, true, false));
            EXPECT_TRUE(LooksLike(b.picTavlo[tick]->image(), dpr == 1.0 ? "opening.png" : "opening@2x.png"));
        }
        // The window shows the last frame from the buffer's retained image.
        EXPECT_TRUE(dpr != 1.0 || window.grab(QRect(0, 0, frame::kWidth, frame::kHeight)).toImage() == b.picTavlo[2]->image());
        // A stray buffer index draws into buffer 2 and becomes 1.
        s.drawBuffer = 0;
        PlayFrame(s, b);
        EXPECT_EQ(std::tuple(s.drawBuffer, b.picTavlo[1]->isVisible(), b.picTavlo[2]->isVisible()), std::tuple(1, false, true));
    }
}

// Centres round half to even, only exactly 0 is pocketed, and a higher index
// lies on top.
TEST(Balls, RoundHalfToEvenSkipOnlyThePocketedAndStackByIndex)
{
    GameState s;
    InitColors(s);
    const float kPlaces[][2] = {{0, 12}, {10.5f, 12.5f}, {31.5f, 13.5f}, {0, 0}, {0, 0},
                                {0, 0},  {10, 40},       {18, 40},      {0, 0}, {1e-30f, 40}};
    for (int i = 0; i < GameState::kBalls; ++i)
        s.ballX[i] = kPlaces[i][0], s.ballY[i] = kPlaces[i][1];
    QImage frame(60, 55, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter p(&frame);
    p.setRenderHint(QPainter::Antialiasing);
    DrawBalls(s, p);
    ExpectDisc(frame, 10, 12, qRgb(255, 255, 128));
    ExpectDisc(frame, 32, 14, qRgb(128, 255, 128));
    EXPECT_EQ(frame.pixel(0, 12), qRgb(0, 0, 0)) << "the pocketed cue ball";
    EXPECT_EQ(frame.pixel(14, 40), qRgb(64, 196, 64)) << "ball 7 over ball 6";
    EXPECT_EQ(frame.pixel(0, 40), qRgb(96, 64, 128)) << "ball 9, a hair from 0";
}
