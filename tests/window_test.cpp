#include <QAbstractButton>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "control/frmtavlo.h"
#include "play/rack.h"

namespace {

// Fast enough to keep the suite short, slow enough to be paced.
constexpr int kTestRate = 250;

struct Game {
    frmTavlo window{kTestRate};
    int ticks = 0;
    int status = -1;

    GameState& s() { return window.state(); }
    QString Scoreboard() const { return window.mnuCappy()->text(); }

    // Runs the program's life; `atTick` acts in the event pump after each tick.
    void Play(std::function<void(int tick)> atTick)
    {
        QObject::connect(&window, &frmTavlo::frameShown, [this, atTick] { atTick(++ticks); });
        status = window.Run();
    }
    QPoint At(float x, float y) const { return window.centralWidget()->mapTo(&window, QPoint(int(x), int(y))); }
    void Point(float x, float y) { QTest::mouseMove(window.windowHandle(), At(x, y)); }
    void Press(Qt::MouseButton button) { QTest::mouseClick(window.windowHandle(), button, {}, At(s().mouseX, s().mouseY)); }
    // Sends a ball rolling, as a strike would.
    void Roll(int ball, float x, float y, float vx, float vy)
    {
        s().ballX[ball] = x;
        s().ballY[ball] = y;
        s().ballVX[ball] = vx;
        s().ballVY[ball] = vy;
        s().shotPhase = phase::Rolling;
    }
};

struct Box {
    QString title, text;
    int ticksWhileOpen = -1, looks = 0;
};

// Answers the next modal box with OK after a short while, noting what it said
// and whether any tick ran while it was open. Gives up with the game's window.
void AnswerNextBox(Box& box, Game& g)
{
    QTimer::singleShot(20, &g.window, [&box, &g] {
        auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!open) {
            if (++box.looks < 25)
                AnswerNextBox(box, g);
            return;
        }
        const int before = g.ticks;
        QTest::qWait(60);
        box = {open->windowTitle(), open->text(), g.ticks - before};
        open->button(QMessageBox::Ok)->click();
    });
}

} // namespace

// Any button starts the stroke; a press while the balls roll changes nothing.
TEST(Window, StartsRackedAndAPointerPushedIntoTheCueBallStrikesWithItsStep)
{
    Game g;
    QStringList menus;
    GameState start, strike, pressedWhileRolling;
    float offset = 58.0f;
    g.Play([&](int tick) {
        if (tick == 1) {
            for (QAction* a : g.window.menuBar()->actions())
                menus << a->text();
            start = g.s();
            g.Point(161.0f + offset, 354.0f);
        } else if (tick == 2) {
            g.Press(Qt::RightButton);
        } else if (g.s().shotPhase == phase::Stroking) {
            offset -= 3.0f;
            g.Point(161.0f + offset, 354.0f);
        } else if (strike.shotPhase != phase::Rolling) {
            strike = g.s();
            g.Press(Qt::MiddleButton);
        } else {
            pressedWhileRolling = g.s();
            g.window.mnuFileExit()->trigger();
        }
    });
    EXPECT_EQ(g.status, 0);
    EXPECT_EQ(g.window.windowTitle(), "Tavlo - by Kelvane");
    EXPECT_EQ(menus, QStringList({"&File", "&Help", ">00    00"}));
    EXPECT_EQ(g.window.centralWidget()->size(), QSize(326, 496));
    GameState rack;
    RackBalls(rack);
    EXPECT_EQ(start.ballX, rack.ballX);
    EXPECT_EQ(start.currentPlayer, 1);
    EXPECT_EQ(start.drawBuffer, 2) << "the first tick draws into buffer 1";
    EXPECT_EQ(offset, 46.0f);
    EXPECT_EQ(strike.shotPhase, phase::Rolling);
    EXPECT_EQ(strike.ballVX[0], -3.0f);
    EXPECT_EQ(strike.ballVY[0], 0.0f);
    EXPECT_EQ(pressedWhileRolling.shotPhase, phase::Rolling);
}

TEST(Window, PottingKeepsTheTurnAndAMissPassesIt)
{
    Game g;
    QStringList boards;
    g.Play([&](int tick) {
        if (tick == 1)
            g.Roll(3, 40.0f, 60.0f, -10.0f, -10.0f);
        else if (g.s().shotPhase == phase::Aiming) {
            boards << g.Scoreboard();
            g.Roll(0, 161.0f, 354.0f, 2.0f, 0.0f);
        }
        if (boards.size() == 2 || tick > 200)
            g.window.close();
    });
    EXPECT_EQ(boards, QStringList({">01    00", " 01   >00"}));
}

TEST(Window, NewGameOrExitWhileRollingEndsTheLoopAfterItsTick)
{
    Game g;
    Box box;
    GameState fresh;
    g.Play([&](int tick) {
        if (tick == 1) {
            g.s().score1 = 4;
            g.Roll(5, 100.0f, 300.0f, 20.0f, 20.0f);
        } else if (tick == 3) {
            AnswerNextBox(box, g);
            g.window.mnuFileNew()->trigger();
        } else if (tick == 4) {
            fresh = g.s();
            g.Roll(0, 161.0f, 354.0f, 0.0f, -30.0f);
        } else if (tick == 6) {
            g.window.mnuFileExit()->trigger();
        }
    });
    EXPECT_TRUE(box.title.isEmpty()) << "no winner message for a game cut short";
    EXPECT_EQ(fresh.score1, 0);
    EXPECT_EQ(fresh.shotPhase, phase::Aiming);
    EXPECT_EQ(fresh.ballX[5], 169.8f);
    EXPECT_EQ(g.window.deepestLoop(), 1);
    EXPECT_EQ(g.ticks, 6) << "no tick after Exit";
    EXPECT_EQ(g.status, 0);
}

TEST(Window, AboutPausesPlayAndItResumesWhereItWas)
{
    Game g;
    Box box;
    GameState before, after;
    g.Play([&](int tick) {
        if (tick == 1)
            g.Roll(0, 161.0f, 354.0f, 0.0f, -30.0f);
        if (tick == 3) {
            before = g.s();
            AnswerNextBox(box, g);
            g.window.mnuHelpAbout()->trigger();
            after = g.s();
            g.window.close();
        }
    });
    EXPECT_EQ(box.title, "Tavlo");
    EXPECT_EQ(box.text, "Aim the cue stick, click the left mouse button and shoot the cue ball.\n"
                        "Players switch when no balls are hit in.  Hit in the black eight ball last or you lose.");
    EXPECT_EQ(box.ticksWhileOpen, 0);
    EXPECT_EQ(after.ballY, before.ballY);
    EXPECT_EQ(after.ballVY, before.ballVY);
}

TEST(Window, DecidedGameAnnouncesTheWinnerStopsTicksAndNewGameStartsAnother)
{
    Game g;
    Box box;
    int idleTicks = -1;
    QString restarted;
    g.Play([&](int tick) {
        if (tick == 1) {
            g.Roll(8, 40.0f, 60.0f, -10.0f, -10.0f);
            AnswerNextBox(box, g);
            // After the winner's box the window stays idle until New Game.
            QTimer::singleShot(300, &g.window, [&] {
                const int ended = g.ticks;
                QTimer::singleShot(100, &g.window, [&, ended] {
                    idleTicks = g.ticks - ended;
                    g.window.mnuFileNew()->trigger();
                });
            });
        } else if (idleTicks >= 0) {
            restarted = g.Scoreboard();
            g.window.close();
        }
    });
    EXPECT_EQ(box.text, "Player 2 wins!");
    EXPECT_EQ(box.title, "Tavlo");
    EXPECT_EQ(box.ticksWhileOpen, 0);
    EXPECT_EQ(idleTicks, 0);
    EXPECT_EQ(restarted, ">00    00");
    EXPECT_EQ(g.window.deepestLoop(), 1);
}
