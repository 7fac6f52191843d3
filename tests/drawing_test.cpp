#include <QWidget>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "control/frametick.h"
#include "draw/colors.h"
#include "draw/framebuffers.h"
#include "draw/tableimage.h"
#include "play/rack.h"

// Pictures are compared pixel for pixel with reference pictures in tests/data,
// checked against the table's layout and the game's colours. One that differs
// is saved in the tests' build folder, for a look and, after a deliberate
// change, as the new reference.
static ::testing::AssertionResult LooksLike(const QImage& drawn, const QString& name)
{
    if (drawn.convertToFormat(QImage::Format_RGB32) == QImage(QStringLiteral(TAVLO_TEST_DATA "/") + name))
        return ::testing::AssertionSuccess();
    drawn.save(QStringLiteral(TAVLO_TEST_OUTPUT "/") + name);
    return ::testing::AssertionFailure() << "the picture differs from tests/data/" << name.toStdString() << ", saved in " TAVLO_TEST_OUTPUT;
}

// Ticks with the pointer still, 35 pixels above the cue ball, so that the
// whole cue shows and its tip crosses the ball: aiming, stroking (a strike of
// no speed), and rolling to rest at once, which ends the shot. Each draws the
// same frame into the hidden buffer, shows it and hides the other; a stray
// buffer index draws into buffer 2 and becomes 1. In the rack,
// balls 1 and 2 stand on half pixels and are drawn at the even neighbours
// (160, 134) and (152, 120); one of balls 3 and 9 is pocketed, the other a
// hair from 0 is drawn at the left edge (each in one of the two pictures, so
// that every colour shows); ball 6 lies on ball 5, moved against it (too
// lightly to push it into motion).
TEST(Frame, OpeningTicksShowTheRackWithTheCueOnTopAtRatiosOneAndTwo)
{
    for (const qreal dpr : {1.0, 2.0}) {
        QWidget window;
        FrameBuffers b(&window, PaintTableImage(dpr));
        window.show();
        GameState s;
        InitColors(s);
        RackBalls(s);
        std::tie(s.mouseX, s.mouseY, s.ballX[1], s.ballY[1], s.ballX[2], s.ballY[2], s.ballX[5]) =
            std::tuple(170.0f, 320.0f, 160.5f, 134.5f, 151.5f, 119.5f, 167.8f);
        const int hair = dpr == 1.0 ? 3 : 9, gone = 12 - hair;
        std::tie(s.ballX[hair], s.ballX[gone], s.ballY[gone]) = std::tuple(1e-30f, 0.0f, 300.0f);
        for (auto [buffer, shot, ends] : {std::tuple<int16_t, int16_t, bool>{1, phase::Aiming, false},
                                            {2, phase::Stroking, false}, {0, phase::Rolling, true}}) {
            const int drawn = buffer ? buffer : 2;
            std::tie(s.drawBuffer, s.shotPhase) = std::tuple(buffer, shot);
            if (shot == phase::Rolling) // rolling, the cue keeps its direction from before the strike, not the latest aim
                s.aimDX = -s.aimDX;
            b.Hidden(s).painter().fillRect(QRect(0, 0, frame::kWidth, frame::kHeight), Qt::magenta);
            EXPECT_EQ(PlayFrame(s, b), ends);
            EXPECT_EQ(std::tuple(s.drawBuffer, b.picTavlo[0]->isVisible(), b.picTavlo[drawn]->isVisible(),
                                 b.picTavlo[3 - drawn]->isVisible()), std::tuple(3 - drawn, false, true, false));
            EXPECT_TRUE(LooksLike(b.picTavlo[drawn]->image(), dpr == 1.0 ? "opening.png" : "opening@2x.png"));
        }
    }
}

// The table at the fractional ratios of laptop screens as well as at 1 and 2:
// away from the pockets, every device pixel has the colour that its centre's
// logical pixel has at ratio 1, so every rim shows in place and nothing is
// resampled; and beyond the cushion edges no black
// in a pocket's box outside the ellipse inscribed in it: no cushion line's end
// beside a pocket as a stub.
TEST(Table, IsExactAtEveryScale)
{
    const QImage one(QStringLiteral(TAVLO_TEST_DATA "/table.png"));
    const QRectF pockets[] = {{18, 21, 25, 24}, {282, 21, 25, 24}, {16, 229, 21, 25},
                              {285, 229, 24, 25}, {18, 444, 26, 26}, {280, 444, 27, 26}};
    for (const qreal dpr : {1.0, 1.25, 1.5, 1.75, 2.0}) {
        const QImage table = PaintTableImage(dpr);
        int moved = 0, stubs = 0;
        for (int y = 0; y < table.height(); ++y)
            for (int x = 0; x < table.width(); ++x) {
                const QPointF p((x + 0.5) / dpr, (y + 0.5) / dpr);
                const QRgb c = table.pixel(x, y);
                const QRectF* box = std::find_if(std::begin(pockets), std::end(pockets), [&](QRectF b) { return b.contains(p); });
                if (box == std::end(pockets))
                    moved += one.valid(int(p.x()), int(p.y())) && c != one.pixel(int(p.x()), int(p.y()));
                else // the cushion edges run x 26-298, y 33-457
                    stubs += c == qRgb(0, 0, 0) && !QRectF(26, 33, 273, 425).contains(p)
                             && std::hypot(2 * (p.x() - box->center().x()) / box->width(), 2 * (p.y() - box->center().y()) / box->height()) > 1;
            }
        EXPECT_EQ(std::tuple(moved, stubs), std::tuple(0, 0)) << "at ratio " << dpr;
    }
}
