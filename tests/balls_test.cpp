#include <QPainter>

#include "draw/balls.h"
#include "draw/colors.h"
#include "drawing.h"

namespace {

QImage Draw(const GameState& s)
{
    QImage frame = BareFrame();
    QPainter p(&frame);
    DrawBalls(s, p);
    return frame;
}

GameState NoBalls()
{
    GameState s;
    InitColors(s);
    return s;
}

// A disc of radius 8 about pixel (cx, cy) is solid 7 pixels out each way and
// leaves the cloth 9 pixels out untouched.
void ExpectDiscAbout(const QImage& frame, int cx, int cy, QRgb color)
{
    for (const auto& [dx, dy] : {std::pair{0, 0}, {-7, 0}, {7, 0}, {0, -7}, {0, 7}})
        EXPECT_TRUE(PixelIs(frame, cx + dx, cy + dy, color));
    for (const auto& [dx, dy] : {std::pair{-9, 0}, {9, 0}, {0, -9}, {0, 9}})
        EXPECT_TRUE(PixelIs(frame, cx + dx, cy + dy, kCloth));
}

} // namespace

TEST(Balls, CentreRoundsToTheNearestPixelWithHalvesToEven)
{
    GameState s = NoBalls();
    const QRgb color = ToQRgb(s.ballColor[4]);
    for (const auto& [at, pixel] : {std::pair{100.5f, 100}, {101.5f, 102}, {100.6f, 101}, {100.4999f, 100}}) {
        SCOPED_TRACE(::testing::Message() << "at " << at);
        s.ballX[4] = at;
        s.ballY[4] = 250.0f;
        ExpectDiscAbout(Draw(s), pixel, 250, color);
        s.ballX[4] = 150.0f;
        s.ballY[4] = at + 100.0f;
        ExpectDiscAbout(Draw(s), 150, pixel + 100, color);
    }
}

TEST(Balls, OnlyAnXOfExactlyZeroMarksAPocketedBall)
{
    GameState s = NoBalls();
    s.ballY[3] = 200.0f;
    s.ballX[7] = -0.0f;
    s.ballY[7] = 300.0f;
    EXPECT_TRUE(Draw(s) == BareFrame());
    s.ballX[3] = 1e-30f;
    EXPECT_TRUE(PixelIs(Draw(s), 0, 200, ToQRgb(s.ballColor[3])));
}

TEST(Balls, HigherIndexBallLiesOnTop)
{
    for (const auto& [left, right] : {std::pair{3, 5}, {5, 3}, {0, 9}}) {
        GameState s = NoBalls();
        s.ballX[left] = 100.0f;
        s.ballX[right] = 108.0f;
        s.ballY[left] = s.ballY[right] = 200.0f;
        EXPECT_TRUE(PixelIs(Draw(s), 104, 200, ToQRgb(s.ballColor[std::max(left, right)]))) << left << ", " << right;
    }
}

// Balls on an opaque frame are filled straight into its rows; any other
// surface gets the painter's own discs. Both must give the same balls, at
// both ratios, also where a ball hangs over the edge of the surface.
TEST(Balls, FilledStraightIntoTheFrameAsThePainterDrawsThem)
{
    GameState s = NoBalls();
    const float xs[] = {161.0f, 3.0f, 4.0f, 324.0f, 329.0f, 100.0f, 108.0f, 200.0f, 250.5f, 1e-30f};
    const float ys[] = {354.0f, 0.0f, 250.0f, 492.0f, 100.0f, -6.0f, 200.0f, 205.0f, 480.0f, 30000.0f};
    for (int i = 0; i < GameState::kBalls; ++i) {
        s.ballX[i] = xs[i];
        s.ballY[i] = ys[i];
    }
    for (qreal dpr : {1.0, 2.0}) {
        SCOPED_TRACE(::testing::Message() << "ratio " << dpr);
        QImage bare = PaintTableImage(dpr).copy(0, 0, static_cast<int>(325 * dpr), static_cast<int>(493 * dpr));
        bare.setDevicePixelRatio(dpr);
        QImage direct = bare;
        QImage painted = bare.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (QImage* frame : {&direct, &painted}) {
            QPainter p(frame);
            DrawBalls(s, p);
        }
        painted = painted.convertToFormat(QImage::Format_RGB32);
        int worst = 0, changed = 0;
        for (int y = 0; y < direct.height(); ++y)
            for (int x = 0; x < direct.width(); ++x) {
                const QRgb a = direct.pixel(x, y), b = painted.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
                changed += a != bare.pixel(x, y);
            }
        // The two differ only in how finely they shade the rim.
        EXPECT_LE(worst, 32);
        EXPECT_GT(changed, 1000 * dpr * dpr) << "the balls were not drawn";
    }
}
