#include <QMenuBar>
#include <algorithm>
#include <chrono>

#include "control/tableview.h"
#include "draw/tableimage.h"
#include "game.h"
#include "play/rack.h"

// At the game's own pace: the rack, the menus, the pointer recorded only over
// the table, any button starting the stroke, a pointer pushed into the cue
// ball striking with its last step, and a press while rolling changing nothing.
TEST(Window, StartsRackedAtSixtyTicksASecondAndAPointerPushedIntoTheCueBallStrikes)
{
    Game g(kTicksPerSecond);
    QStringList menus;
    GameState start, strike;
    int16_t pressedOverStrip = -1, pressedWhileRolling = -1;
    float offset = 58.0f;
    std::vector<std::chrono::steady_clock::time_point> times;
    g.Play([&](int tick) {
        times.push_back(std::chrono::steady_clock::now());
        if (tick == 1) {
            for (QAction* a : g.window.menuBar()->actions() + g.window.findChildren<QAction*>())
                menus << a->text();
            start = g.s();
            EXPECT_TRUE(g.window.isVisible() && g.window.minimumSize() == g.window.maximumSize()) << "a fixed window";
            g.Point({5, 5});
            g.Point({0, 0});
            EXPECT_EQ(std::tie(g.s().mouseX, g.s().mouseY), std::tuple(0.0f, 0.0f)) << "the table's first pixel";
            g.Point({161.0f + offset, 354.0f});
            g.Point({client::kWidth - 1, 100});
            g.Point({100, client::kHeight - 3});
            QTest::mouseClick(g.window.windowHandle(), Qt::LeftButton, {}, g.At({100, client::kHeight - 1}));
            pressedOverStrip = g.s().shotPhase;
        } else if (tick == 2) {
            g.Press(Qt::RightButton);
        } else if (g.s().shotPhase == phase::Stroking) {
            g.Point({161.0f + (offset -= 3.0f), 354.0f});
        } else if (strike.shotPhase != phase::Rolling) {
            strike = g.s();
            g.Press(Qt::MiddleButton);
            pressedWhileRolling = g.s().shotPhase;
        } else if (tick == 30) {
            const QImage shown = g.window.centralWidget()->grab().toImage(), table = PaintTableImage(1.0);
            EXPECT_TRUE(shown.copy(325, 0, 1, 496) == table.copy(325, 0, 1, 496)) << "the table beside the frame";
            g.window.mnuFileExit()->trigger();
        }
    });
    EXPECT_EQ(std::tuple(g.status, g.window.isVisible()), std::tuple(0, false));
    EXPECT_EQ(g.window.windowTitle(), text::kCaption);
    EXPECT_EQ(g.window.windowIcon().availableSizes(), QList<QSize>({{32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    EXPECT_EQ(menus.mid(0, 3), QStringList({"&File", "&Help", ">00    00"}));
    EXPECT_TRUE(menus.contains("&New Game") && menus.contains("&Exit") && menus.contains("&About"));
    GameState rack;
    RackBalls(rack);
    EXPECT_EQ(std::tie(start.ballX, start.ballY, start.currentPlayer, start.drawBuffer), std::tuple(rack.ballX, rack.ballY, 1, 2));
    EXPECT_EQ(std::tie(start.ballColor[9], start.cueColorButt), std::tuple(96 + 256 * 64 + 65536 * 128, 128 + 256 * 64 + 65536 * 16));
    EXPECT_EQ(pressedOverStrip, phase::Aiming);
    EXPECT_EQ(std::tie(strike.mouseX, strike.shotPhase, strike.ballVX[0], strike.ballVY[0]),
              std::tuple(161.0f + 46.0f, phase::Rolling, -3.0f, 0.0f)) << "moves over the uncovered strips are not recorded";
    EXPECT_EQ(pressedWhileRolling, phase::Rolling);
    // Paced on absolute deadlines: the typical tick comes one period after the last.
    std::vector<double> periods;
    for (size_t i = 1; i < times.size(); ++i)
        periods.push_back(std::chrono::duration<double>(times[i] - times[i - 1]).count() * kTicksPerSecond);
    std::nth_element(periods.begin(), periods.begin() + periods.size() / 2, periods.end());
    EXPECT_NEAR(periods[periods.size() / 2], 1.0, 0.05) << "median tick interval, in periods";
}

// A pot keeps the turn and a miss passes it; About pauses play; New Game while
// rolling starts afresh without a box; Exit ends the program after its tick.
TEST(Window, ShotsPassTheTurnAboutPausesAndNewGameOrExitEndTheLoopAfterItsTick)
{
    Game g;
    QStringList boards;
    GameState before, after, fresh;
    int step = 0, exitedAt = 0;
    g.Play([&](int tick) {
        if (step == 2 && g.s().shotPhase == phase::Rolling && before.shotPhase == phase::Aiming) {
            before = g.s();
            g.window.mnuHelpAbout()->trigger();
            after = g.s();
        }
        if (g.s().shotPhase != phase::Aiming)
            return;
        boards << g.Scoreboard();
        switch (step++) {
        case 0: // ball 3 into the top left pocket
            return g.Roll(3, 40.0f, 60.0f, -10.0f, -10.0f);
        case 1: // a miss
            return g.Roll(0, 161.0f, 354.0f, 2.0f, 3.0f);
        case 2:
            g.s().score2 = 3;
            g.Roll(5, 100.0f, 300.0f, 20.0f, 20.0f);
            return g.window.mnuFileNew()->trigger();
        case 3:
            fresh = g.s();
            g.Roll(0, 161.0f, 354.0f, 0.0f, -30.0f);
            g.window.mnuFileExit()->trigger();
            exitedAt = tick;
        }
    });
    EXPECT_EQ(boards, QStringList({">00    00", ">01    00", " 01   >00", ">00    00"}));
    EXPECT_EQ(std::tie(fresh.score1, fresh.score2, fresh.currentPlayer, fresh.shotPhase, fresh.ballX[5], fresh.ballVX[5]),
              std::tuple(0, 0, 1, phase::Aiming, 169.8f, 0.0f));
    ASSERT_EQ(g.boxes.size(), 1u) << "About, and no winner's box for a game cut short";
    EXPECT_EQ(std::tie(g.boxes[0].title, g.boxes[0].ticksWhileOpen), std::tuple("Tavlo", 0));
    EXPECT_EQ(g.boxes[0].text, "Aim the cue stick, click the left mouse button and shoot the cue ball.\n"
                               "Players switch when no balls are hit in.  Hit in the black eight ball last or you lose.");
    EXPECT_EQ(std::tie(after.ballX, after.ballVX), std::tie(before.ballX, before.ballVX));
    EXPECT_EQ(g.window.deepestLoop(), 1);
    EXPECT_EQ(std::tie(g.ticks, g.status), std::tuple(exitedAt, 0)) << "no tick after Exit";
}

// Three games decided by an early black: the winner's box comes after the
// deciding tick and no tick runs until New Game; New Game or Exit chosen in
// the pump right after the deciding tick still waits for the box first.
TEST(Window, DecidedGamesAnnounceTheWinnerBeforeAnotherGameOrTheEnd)
{
    Game g;
    int game = 0, decidedAt = 0, idleTicks = -1;
    std::vector<size_t> boxesAtStart;
    g.Play([&](int tick) {
        if (g.s().ballX[8] != 0.0f && g.s().shotPhase == phase::Aiming) {
            boxesAtStart.push_back(g.boxes.size());
            g.s().currentPlayer = ++game == 1 ? -1 : 1;
            g.Roll(8, 40.0f, 60.0f, -10.0f, -10.0f);
        } else if (g.s().gameResult != result::Running) {
            decidedAt = tick;
            if (game == 1) {
                QTimer::singleShot(300, &g.window, [&] {
                    idleTicks = g.ticks - decidedAt;
                    g.window.mnuFileNew()->trigger();
                });
            } else {
                (game == 2 ? g.window.mnuFileNew() : g.window.mnuFileExit())->trigger();
            }
        }
    });
    ASSERT_EQ(g.boxes.size(), 3u);
    for (const Box& box : g.boxes)
        EXPECT_EQ(std::tie(box.title, box.ticksWhileOpen), std::tuple("Tavlo", 0));
    EXPECT_EQ(g.boxes[0].text + g.boxes[1].text + g.boxes[2].text, "Player 1 wins!Player 2 wins!Player 2 wins!");
    EXPECT_EQ(idleTicks, 0) << "ticks after a decided game";
    EXPECT_EQ(boxesAtStart, (std::vector<size_t>{0, 1, 2})) << "boxes shown when each game started";
    EXPECT_EQ(std::tie(g.ticks, g.status), std::tuple(decidedAt, 0)) << "no tick after Exit";
    EXPECT_EQ(g.window.deepestLoop(), 1);
}
