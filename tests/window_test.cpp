#include <QAbstractButton>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "control/frmtavlo.h"
#include "draw/framebuffers.h"
#include "play/rack.h"

namespace {

// Fast enough to keep the suite short, slow enough to be paced.
constexpr int kTestRate = 250;

struct Game {
    frmTavlo window{kTestRate};
    int ticks = 0;
    int status = -1;

    GameState& s() { return window.state(); }

    // Runs the program's life; `atTick` acts in the event pump after each tick.
    void Play(std::function<void(int tick)> atTick)
    {
        QObject::connect(&window, &frmTavlo::frameShown, [this, atTick] { atTick(++ticks); });
        status = window.Run();
    }

    QPoint At(float x, float y) const
    {
        return window.centralWidget()->mapTo(&window, QPoint(static_cast<int>(x), static_cast<int>(y)));
    }
    void Point(float x, float y) { QTest::mouseMove(window.windowHandle(), At(x, y)); }
    void Press(Qt::MouseButton button)
    {
        const QPoint p = window.centralWidget()->mapTo(&window, QPoint(static_cast<int>(s().mouseX), static_cast<int>(s().mouseY)));
        QTest::mousePress(window.windowHandle(), button, {}, p);
        QTest::mouseRelease(window.windowHandle(), button, {}, p);
    }
    QString Scoreboard() const { return window.mnuCappy()->text(); }

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
    QString title;
    QString text;
    int ticksWhileOpen = -1;
    int looks = 0;
};

// Answers the next modal box with OK after a short while, noting what it said
// and whether any tick ran while it was open. Gives up with the game's window.
void AnswerNextBox(Box& box, Game& g)
{
    const int& ticks = g.ticks;
    QTimer::singleShot(20, &g.window, [&box, &g, &ticks] {
        auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!open) {
            if (++box.looks < 25)
                AnswerNextBox(box, g);
            return;
        }
        const int before = ticks;
        QTest::qWait(60);
        box.title = open->windowTitle();
        box.text = open->text();
        box.ticksWhileOpen = ticks - before;
        open->button(QMessageBox::Ok)->click();
    });
}

} // namespace

TEST(Window, StartsTheFirstGameRackedWithPlayerOneToShoot)
{
    Game g;
    QStringList menus;
    QString scoreboard;
    GameState seen;
    g.Play([&](int tick) {
        if (tick == 3) {
            for (QAction* a : g.window.menuBar()->actions())
                menus << a->text();
            scoreboard = g.Scoreboard();
            seen = g.s();
            g.window.mnuFileExit()->trigger();
        }
    });
    EXPECT_EQ(g.status, 0);
    EXPECT_EQ(g.ticks, 3);
    EXPECT_EQ(g.window.windowTitle(), "Tavlo - by Kelvane");
    EXPECT_EQ(menus, QStringList({"&File", "&Help", ">00    00"}));
    EXPECT_EQ(g.window.mnuFileNew()->text(), "&New Game");
    EXPECT_EQ(g.window.mnuFileExit()->text(), "&Exit");
    EXPECT_EQ(g.window.mnuHelpAbout()->text(), "&About");
    EXPECT_EQ(g.window.centralWidget()->size(), QSize(326, 496));
    GameState rack;
    RackBalls(rack);
    EXPECT_EQ(seen.ballX, rack.ballX);
    EXPECT_EQ(seen.ballY, rack.ballY);
    EXPECT_EQ(seen.drawBuffer, 2) << "three ticks from buffer 1 leave buffer 2 hidden";
    EXPECT_EQ(seen.currentPlayer, 1);
}

TEST(Window, PointerPushedIntoTheCueBallStrikesWithItsStepPerTick)
{
    Game g;
    float strikeVX = 0, strikeVY = 0;
    int pressTick = 0;
    float offset = 58.0f;
    g.Play([&](int tick) {
        if (tick == 1)
            g.Point(161.0f + offset, 354.0f);
        if (tick == 2) {
            g.Press(Qt::LeftButton);
            pressTick = tick;
        }
        if (tick > 2 && g.s().shotPhase == phase::Stroking) {
            offset -= 3.0f;
            g.Point(161.0f + offset, 354.0f);
        }
        if (g.s().shotPhase == phase::Rolling && pressTick) {
            strikeVX = g.s().ballVX[0];
            strikeVY = g.s().ballVY[0];
            g.window.close();
        }
        if (tick > 100)
            g.window.close();
    });
    EXPECT_EQ(strikeVX, -3.0f);
    EXPECT_EQ(strikeVY, 0.0f);
    EXPECT_EQ(offset, 46.0f);
}

TEST(Window, AnyButtonStartsTheStrokeButOnlyWhileAiming)
{
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        Game g;
        int16_t phaseAfterPress = -1;
        g.Play([&](int tick) {
            if (tick == 1)
                g.Press(button);
            if (tick == 2) {
                phaseAfterPress = g.s().shotPhase;
                g.window.close();
            }
        });
        EXPECT_EQ(phaseAfterPress, phase::Stroking) << "button " << button;
    }

    Game rolling;
    int16_t phaseAfterPress = -1;
    float cueBallVX = 0;
    rolling.Play([&](int tick) {
        if (tick == 1)
            rolling.Roll(0, 161.0f, 354.0f, 0.0f, -30.0f);
        if (tick == 2) {
            cueBallVX = rolling.s().ballVX[0];
            rolling.Press(Qt::LeftButton);
        }
        if (tick == 3) {
            phaseAfterPress = rolling.s().shotPhase;
            rolling.window.close();
        }
    });
    EXPECT_EQ(phaseAfterPress, phase::Rolling);
    EXPECT_EQ(cueBallVX, 0.0f);
}

TEST(Window, PottingKeepsTheTurnAndAMissPassesIt)
{
    Game g;
    QString afterPot, afterMiss;
    g.Play([&](int tick) {
        if (tick == 1)
            g.Roll(3, 40.0f, 60.0f, -10.0f, -10.0f);
        if (afterPot.isEmpty() && tick > 1 && g.s().shotPhase == phase::Aiming) {
            afterPot = g.Scoreboard();
            g.Roll(0, 161.0f, 354.0f, 2.0f, 0.0f);
        } else if (!afterPot.isEmpty() && g.s().shotPhase == phase::Aiming) {
            afterMiss = g.Scoreboard();
            g.window.close();
        }
        if (tick > 200)
            g.window.close();
    });
    EXPECT_EQ(afterPot, ">01    00");
    EXPECT_EQ(afterMiss, " 01   >00");
}

TEST(Window, NewGameWhileRollingEndsTheLoopFirstAndRacksAfresh)
{
    Game g;
    Box box;
    GameState fresh;
    int newGameTick = 0;
    g.Play([&](int tick) {
        if (tick == 1) {
            g.s().score1 = 4;
            g.Roll(5, 100.0f, 300.0f, 20.0f, 20.0f);
        }
        if (tick == 3) {
            AnswerNextBox(box, g);
            g.window.mnuFileNew()->trigger();
            newGameTick = tick;
        }
        if (tick == 6) {
            fresh = g.s();
            g.window.close();
        }
    });
    EXPECT_EQ(newGameTick, 3);
    EXPECT_TRUE(box.title.isEmpty()) << "no winner message for a game cut short";
    EXPECT_EQ(fresh.score1, 0);
    EXPECT_EQ(fresh.shotPhase, phase::Aiming);
    GameState rack;
    RackBalls(rack);
    EXPECT_EQ(fresh.ballX, rack.ballX);
    EXPECT_EQ(g.Scoreboard(), ">00    00");
    EXPECT_EQ(g.window.deepestLoop(), 1);
}

TEST(Window, ExitWhileRollingEndsAtOnceWithStatusZero)
{
    Game g;
    g.Play([&](int tick) {
        if (tick == 1)
            g.Roll(0, 161.0f, 354.0f, 0.0f, -30.0f);
        if (tick == 4)
            g.window.mnuFileExit()->trigger();
    });
    EXPECT_EQ(g.ticks, 4);
    EXPECT_EQ(g.status, 0);
    EXPECT_FALSE(g.window.isVisible());
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
        }
        if (tick == 5)
            g.window.close();
    });
    EXPECT_EQ(box.title, "Tavlo");
    EXPECT_EQ(box.text, "Aim the cue stick, click the left mouse button and shoot the cue ball.\n"
                        "Players switch when no balls are hit in.  Hit in the black eight ball last or you lose.");
    EXPECT_EQ(box.ticksWhileOpen, 0);
    EXPECT_EQ(after.ballY, before.ballY);
    EXPECT_EQ(after.ballVY, before.ballVY);
    EXPECT_EQ(g.ticks, 5);
}

TEST(Window, DecidedGameAnnouncesTheWinnerStopsTicksAndNewGameStartsAnother)
{
    Game g;
    Box box;
    int ticksAtEnd = -1;
    int ticksLater = -1;
    bool restarted = false;
    g.Play([&](int tick) {
        if (tick == 1) {
            g.Roll(8, 40.0f, 60.0f, -10.0f, -10.0f);
            AnswerNextBox(box, g);
            // After the winner's box, the window stays idle until New Game.
            QTimer::singleShot(300, &g.window, [&] {
                ticksAtEnd = g.ticks;
                QTimer::singleShot(100, &g.window, [&] {
                    ticksLater = g.ticks;
                    g.window.mnuFileNew()->trigger();
                });
            });
        }
        if (ticksLater >= 0 && !restarted) {
            restarted = true;
            EXPECT_EQ(g.s().score1, 0);
            EXPECT_EQ(g.Scoreboard(), ">00    00");
            g.window.close();
        }
    });
    EXPECT_EQ(box.text, "Player 2 wins!");
    EXPECT_EQ(box.title, "Tavlo");
    EXPECT_EQ(box.ticksWhileOpen, 0);
    EXPECT_EQ(ticksLater, ticksAtEnd);
    EXPECT_TRUE(restarted);
    EXPECT_EQ(g.window.deepestLoop(), 1);
}
