#include <QPainter>

#include "draw/balls.h"
#include "draw/colors.h"
#include "draw/tableimage.h"
#include "drawing.h"

namespace {

constexpr QRgb kCloth = qRgb(0, 127, 127);

class BallsTest : public ::testing::Test {
protected:
    BallsTest()
    {
        InitColors(s);
        s.ballX.fill(0.0f);
    }

    QImage Draw() const
    {
        QImage frame = PaintTableImage(1.0).copy(0, 0, 325, 493);
        QPainter p(&frame);
        DrawBalls(s, p);
        return frame;
    }

    // A disc of radius 8 about pixel (cx, cy) is solid 7 pixels out in each
    // direction and leaves the cloth 9 pixels out untouched.
    void ExpectDiscAbout(const QImage& frame, int cx, int cy, int ball) const
    {
        const QRgb c = ToQRgb(s.ballColor[ball]);
        for (const auto& [dx, dy] : {std::pair{0, 0}, {-7, 0}, {7, 0}, {0, -7}, {0, 7}})
            EXPECT_TRUE(PixelIs(frame, cx + dx, cy + dy, c));
        for (const auto& [dx, dy] : {std::pair{-9, 0}, {9, 0}, {0, -9}, {0, 9}})
            EXPECT_TRUE(PixelIs(frame, cx + dx, cy + dy, kCloth));
    }

    GameState s;
};

} // namespace

TEST_F(BallsTest, CentreRoundsToTheNearestPixelWithHalvesToEven)
{
    const struct {
        float at;
        int pixel;
    } cases[] = {{100.5f, 100}, {101.5f, 102}, {100.6f, 101}, {100.4999f, 100}, {201.5f, 202}, {200.5f, 200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "at " << c.at);
        s.ballX[4] = c.at;
        s.ballY[4] = 250.0f;
        ExpectDiscAbout(Draw(), c.pixel, 250, 4);
        s.ballX[4] = 150.0f;
        s.ballY[4] = c.at + 100.0f;
        ExpectDiscAbout(Draw(), 150, c.pixel + 100, 4);
    }
}

TEST_F(BallsTest, OnlyAnXOfExactlyZeroMarksAPocketedBall)
{
    const QImage bare = Draw();
    s.ballY[3] = 200.0f;
    s.ballY[6] = 0.0f;
    s.ballX[7] = -0.0f;
    s.ballY[7] = 300.0f;
    EXPECT_TRUE(Draw() == bare);

    s.ballX[3] = 1e-30f;
    EXPECT_TRUE(PixelIs(Draw(), 0, 200, ToQRgb(s.ballColor[3])));
}

TEST_F(BallsTest, HigherIndexBallLiesOnTop)
{
    for (const auto& [left, right] : {std::pair{3, 5}, {5, 3}, {0, 9}}) {
        s.ballX.fill(0.0f);
        s.ballX[left] = 100.0f;
        s.ballX[right] = 108.0f;
        s.ballY[left] = s.ballY[right] = 200.0f;
        const int top = std::max(left, right);
        EXPECT_TRUE(PixelIs(Draw(), 104, 200, ToQRgb(s.ballColor[top]))) << left << " beside " << right;
    }
}
