#include <QWidget>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "control/frametick.h"
#include "draw/colors.h"
#include "draw/framebuffers.h"
#include "draw/tableimage.h"
#include "play/rack.h"
#include "tests/qtprint.h"

// Pictures are compared pixel for pixel with reference pictures in tests/data,
// checked against the table's layout and the game's colours. One that differs
// is saved in the tests' build folder, for a look and, after a deliberate
// change, as the new reference.
static ::testing::AssertionResult LooksLike(const QImage& drawn, const QString& name)
{
    ::testing::AssertionResult same = SamePicture(drawn, QImage(QStringLiteral(TAVLO_TEST_DATA "/") + name));
    if (!same)
        drawn.save(QStringLiteral(TAVLO_TEST_OUTPUT "/") + name);
    return same << " (tests/data/" << name.toStdString() << "; the picture drawn is saved in " TAVLO_TEST_OUTPUT ")";
}

// Ticks with the pointer 35 pixels above the cue ball, so that the whole cue
// shows and its tip crosses the ball, at scales 1, 2 and between. The aiming
// tick draws into the hidden buffer, whatever it held before, shows it and
// hides the other; a stray buffer index draws into buffer 2 and becomes 1. The
// stroking tick (a strike of no speed) and the rolling tick that rests at once
// (its cue along the aim from before the strike, not the latest one) would
// look the same: neither is painted nor exchanged. In the rack, balls 1 and 2
// stand on half pixels and are drawn at the even neighbours (160, 134) and
// (152, 120); one of balls 3 and 9 is pocketed, the other a hair from 0 is
// drawn at the left edge (each in one of the two pictures, so that every
// colour shows); ball 6 lies on ball 5, moved against it (too lightly to push
// it into motion). Then a hard break rolls while the pointer moves, the cue
// slanted: every frame, painted only where it changed, is the frame painted
// whole; a screen that takes only where the frame on view changed shows each
// exactly; and that is nothing more than one device pixel around the balls
// and the cue's pieces of the frame before and of this one.
TEST(Frame, ShowsEachFrameOnceAndPaintsOnlyWhatChanged)
{
    for (const qreal scale : {1.0, 700.0 / 496, 2.0}) {
        const QImage table = PaintTableImage(scale);
        FrameBuffers b(table);
        QImage screen(b.picTavlo[0].image().size(), QImage::Format_RGB32);
        screen.fill(Qt::magenta), screen.setDevicePixelRatio(scale);
        b.picTavlo[1].SetImage(screen), b.picTavlo[2].SetImage(screen);
        GameState s;
        InitColors(s), RackBalls(s);
        std::tie(s.mouseX, s.mouseY, s.ballX[1], s.ballY[1], s.ballX[2], s.ballY[2], s.ballX[5]) =
            std::tuple(170.0f, 320.0f, 160.5f, 134.5f, 151.5f, 119.5f, 167.8f);
        const int hair = scale == 1.0 ? 3 : 9, gone = 12 - hair;
        std::tie(s.ballX[hair], s.ballX[gone], s.ballY[gone], s.drawBuffer) = std::tuple(1e-30f, 0.0f, 300.0f, 0);
        const auto shown = [&] { return std::tuple(s.drawBuffer, b.picTavlo[0].visible(), b.picTavlo[1].visible(), b.picTavlo[2].visible()); };
        EXPECT_FALSE(PlayFrame(s, b));
        EXPECT_EQ(shown(), std::tuple(1, false, false, true));
        if (scale == 1.0 || scale == 2.0) { EXPECT_TRUE(LooksLike(b.picTavlo[2].image(), scale == 1.0 ? "opening.png" : "opening@2x.png")); }
        s.shotPhase = phase::Stroking;
        for (const bool rests : {false, true}) {
            EXPECT_EQ(PlayFrame(s, b), rests);
            EXPECT_EQ(shown(), std::tuple(1, false, false, true)) << "a frame like the one on screen was exchanged";
            s.aimDX = -s.aimDX;
        }
        RackBalls(s), b.changed = {}, screen = b.Shown()->image().copy();
        std::tie(s.mouseX, s.mouseY, s.ballVY[0], s.cueDX, s.cueDY, s.shotPhase) = std::tuple(161.0f, 420.0f, -30.0f, 6.0f, -8.0f, phase::Rolling);
        for (int tick = 0; tick < 150 && !HasFailure(); ++tick) {
            GameState whole = s;
            const std::vector<Mark> before = b.Shown()->Painted();
            PlayFrame(s, b);
            QRegion near; // one device pixel around each ball and each piece of the cue, before and now
            for (const std::vector<Mark>* marks : {&before, &b.Shown()->Painted()})
                for (const Mark& m : *marks) {
                    const double r = (m.circle ? m.radius : 0) + m.width / 2, x2 = m.circle ? m.x1 : m.x2, y2 = m.circle ? m.y1 : m.y2;
                    near += QRectF(QPointF(std::min(m.x1, x2) - r, std::min(m.y1, y2) - r) * scale, QPointF(std::max(m.x1, x2) + r, std::max(m.y1, y2) + r) * scale).toAlignedRect().adjusted(-1, -1, 1, 1);
                }
            EXPECT_TRUE((b.changed - near).isEmpty()) << "tick " << tick << " at scale " << scale << " hands on more than what was and is drawn, with its edges";
            for (const QRect& r : std::exchange(b.changed, {}))
                for (int y = r.top(); y <= r.bottom(); ++y)
                    std::copy_n(b.Shown()->image().constScanLine(y) + 4 * r.left(), 4 * r.width(), screen.scanLine(y) + 4 * r.left());
            EXPECT_TRUE(SamePicture(screen, b.Shown()->image())) << "the screen after tick " << tick << " at scale " << scale;
            if (tick % 8 == 0) {
                FrameBuffers fresh(table);
                PlayFrame(whole, fresh);
                EXPECT_TRUE(SamePicture(b.Shown()->image(), fresh.Shown()->image())) << "the frame of tick " << tick << " at scale " << scale;
            }
            s.mouseX += 3, s.mouseY -= tick % 7;
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
