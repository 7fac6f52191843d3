#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <array>
#include <chrono>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <random>

#include "control/frmtavlo.h"
#include "control/tableview.h"
#include "draw/tableimage.h"
#include "play/motion.h"
#include "play/scoring.h"

// The game's window driven offscreen through Qt's own input path.
struct Game : QObject {
    explicit Game(int ticksPerSecond) : window(ticksPerSecond) {}

    // Runs the program's life; `atTick` acts in the event pump after each
    // tick, once the game has been checked, until a check fails. Message boxes
    // are answered a tenth of a second after they show, and noted with their
    // title. Nothing else wakes the event loop, so the game's own timer must,
    // once per tick (`wakes` counts it): a game that stops ticking, or ticks
    // on, ends on CTest's time limit, however busy the machine.
    void Play(std::function<void(int tick)> atTick)
    {
        QObject::connect(&window, &frmTavlo::frameShown, [this, atTick] {
            Check();
            if (!::testing::Test::HasFatalFailure())
                return atTick(++ticks);
            window.close();
        });
        QApplication::instance()->installEventFilter(this);
        status = window.Run();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        wakes += event->type() == QEvent::SockAct;
        if (auto* box = qobject_cast<QMessageBox*>(watched); box && event->type() == QEvent::Show && !event->spontaneous())
            QTimer::singleShot(100, box, [this, box] {
                boxes << box->windowTitle() + ": " + box->text();
                box->button(QMessageBox::Ok)->click();
            });
        return false;
    }

    // No tick after a decided game, nor within another loop or under a box;
    // every ball pocketed (x exactly 0) or on the cloth, and every value
    // finite; between shots every object ball down credited to one player.
    void Check()
    {
        const GameState& g = s();
        ASSERT_FALSE(decided && g.gameResult != result::Running) << "a tick after the game was decided";
        decided = g.gameResult == result::Player1Wins || g.gameResult == result::Player2Wins;
        ASSERT_TRUE(window.deepestLoop() == 1 && !QApplication::activeModalWidget() && g.shotPhase >= 0 && g.shotPhase <= 2
                    && (g.drawBuffer == 1 || g.drawBuffer == 2));
        int down = 0;
        for (int i = 0; i < GameState::kBalls; ++i) {
            const float x = g.ballX[i], y = g.ballY[i];
            const bool onCloth = x >= table::kLeft && x <= table::kRight && y >= table::kTop && y <= table::kBottom;
            ASSERT_TRUE(std::isfinite(g.ballVX[i] + g.ballVY[i] + y + g.aimDX + g.aimDY) && (x == 0.0f || onCloth))
                << i << ": " << x << ", " << y << ", aim " << g.aimDX << ", " << g.aimDY;
            down += i > 0 && x == 0.0f;
        }
        ASSERT_TRUE(g.shotPhase != phase::Aiming || (g.score1 + g.score2 == down && g.pottedCount == 0))
            << g.score1 << " + " << g.score2 << " for " << down << " down, pottedCount " << g.pottedCount;
    }

    GameState& s() { return window.state(); }
    QPoint At(QPointF p) { return window.centralWidget()->mapTo(&window, p.toPoint()); }
    void Point(QPointF p) { QTest::mouseMove(window.windowHandle(), At(p)); }
    void Press(Qt::MouseButton button) { QTest::mouseClick(window.windowHandle(), button, {}, At({s().mouseX, s().mouseY})); }
    // Sends a ball rolling, as a strike would.
    void Roll(int ball, float x, float y, float vx, float vy)
    {
        std::tie(s().ballX[ball], s().ballY[ball], s().ballVX[ball], s().ballVY[ball], s().shotPhase) =
            std::tuple(x, y, vx, vy, phase::Rolling);
    }

    frmTavlo window;
    int ticks = 0, status = -1, wakes = 0;
    bool decided = false;
    QStringList boxes;
};

// Four games at the game's own pace, through Qt's mouse path and the menus,
// on a screen of scale 2, with the scoreboard and the number of boxes shown
// so far noted between shots.
// - Whatever the machine's load, no tick ends before it was due, and each is
//   due exactly 1/60 s after the one before unless it began a whole period
//   late (as after a box or a minimized window): then a period after it began.
// - Resized by the window system, the window comes back at its size.
// - The pointer is recorded only over the table; with the pointer exactly on
//   the cue ball the aim stays as it was; any button starts the stroke; a
//   pointer pushed into the cue ball strikes with its last step once within 48
//   pixels; a press while rolling changes nothing.
// - That miss passes the turn. About pauses it, then minimizing does (no tick
//   until the window is shown again), and it ends exactly as it would have
//   unpaused. Player 2 then pots and keeps the turn, and drops the black
//   early: the box comes after the deciding tick, and nothing ticks until New
//   Game. The second game is cut short by New Game while rolling, with no box,
//   and starts racked. Player 1's early black decides the third and the
//   fourth: New Game or Exit chosen right after the deciding tick waits for
//   the box first.
// - The frames and the window's background are painted at the screen's
//   scale: the strip left of the cushions, which no ball or cue reaches, down
//   to the bottom of the window's table, is the table painted at 2.
TEST(Window, PlaysGamesAtItsOwnPaceThroughTheMouseAndTheMenus)
{
    Game g(kTicksPerSecond);
    constexpr auto kPeriod = std::chrono::steady_clock::duration(std::chrono::seconds(1)) / 60;
    std::chrono::steady_clock::time_point due;
    GameState strike, missed;
    QPointF pointer;
    QStringList boards;
    int16_t overStrip = -1, whileRolling = -1, drawn = 0;
    float offset = 57.0f;
    int step = 0, decidedAt = 0, idleTicks = -1, minimizedTicks = -1;
    // A new game's loop starts on a schedule of its own, at once.
    auto newGame = [&] { due = {}; g.window.mnuFileNew()->trigger(); };
    g.Play([&](int tick) {
        GameState& s = g.s();
        const auto now = std::chrono::steady_clock::now(), next = g.window.nextTickDue();
        EXPECT_TRUE(tick == 1 || (now >= due && (next - due == kPeriod || (now - due >= kPeriod && next - due >= 2 * kPeriod))))
            << "tick " << tick << " came early or moved the schedule";
        due = next;
        if (tick == 1) {
            for (QPointF p : {QPointF(5, 5), QPointF(0, 0), QPointF(client::kWidth - 1, 100), QPointF(100, client::kHeight - 3)})
                g.Point(p);
            QTest::mouseClick(g.window.windowHandle(), Qt::LeftButton, {}, g.At({100, client::kHeight - 1}));
            std::tie(pointer, overStrip, drawn) = std::tuple(QPointF(s.mouseX, s.mouseY), s.shotPhase, s.drawBuffer);
            g.window.move(QGuiApplication::screens().at(1)->geometry().topLeft() + QPoint(50, 50));
            g.window.windowHandle()->resize(600, 600); // as a window manager that maximizes by resizing
            return g.Point({161, 354}); // exactly on the cue ball: the aim stays
        }
        if (s.shotPhase == phase::Stroking)
            return g.Point({161.0f + (offset -= 3.0f), 354.0f});
        if (s.shotPhase == phase::Rolling && step == 1 && strike.shotPhase != phase::Rolling) {
            strike = missed = s;
            EXPECT_EQ(g.window.size(), g.window.minimumSize()) << "not back at its size";
            g.Press(Qt::MiddleButton);
            whileRolling = s.shotPhase;
            for (; !MoveBalls(missed);) {
            }
            EndShot(missed);
            g.window.mnuHelpAbout()->trigger();
        } else if (s.shotPhase == phase::Rolling && step == 1 && minimizedTicks == -1) {
            minimizedTicks = -2;
            g.window.showMinimized();
            QTimer::singleShot(300, &g.window, [&, tick] { minimizedTicks = g.ticks - tick, g.window.showNormal(); });
        }
        if (s.shotPhase != phase::Aiming)
            return;
        boards << QString::number(g.boxes.size()) + g.window.mnuCappy()->text();
        switch (step++) {
        case 0:
            g.Point({161.0f + offset, 354.0f});
            return g.Press(Qt::RightButton);
        case 1:
            EXPECT_EQ(std::tie(s.ballX, s.ballY, s.ballVX), std::tie(missed.ballX, missed.ballY, missed.ballVX));
            return g.Roll(3, 40.0f, 60.0f, -10.0f, -10.0f); // ball 3 into the top left pocket
        case 3: // the deciding tick, the last for 0.3 s, until New Game
            return QTimer::singleShot(300, &g.window, [&, tick] { idleTicks = g.ticks - tick, newGame(); });
        case 4:
            g.Roll(5, 100.0f, 300.0f, 20.0f, 20.0f);
            return newGame();
        case 2: case 5: case 7: // an early black
            return g.Roll(8, 40.0f, 60.0f, -10.0f, -10.0f);
        case 6:
            return newGame();
        case 8:
            decidedAt = tick;
            EXPECT_EQ(g.window.centralWidget()->grab(QRect(0, 0, 26, client::kHeight)).toImage().convertToFormat(QImage::Format_RGB32),
                      PaintTableImage(2.0).copy(0, 0, 52, 2 * client::kHeight));
            g.window.mnuFileExit()->trigger();
        }
    });
    EXPECT_EQ(boards, QStringList({"0>00    00", "1 00   >00", "1 00   >01", "1 00   >02", "2>00    00", "2>00    00",
                                   "2>01    00", "3>00    00", "3>01    00"}));
    EXPECT_EQ(g.boxes, QStringList({"Tavlo: Aim the cue stick, click the left mouse button and shoot the cue ball.\n"
                                    "Players switch when no balls are hit in.  Hit in the black eight ball last or you lose.",
                                    "Tavlo: Player 1 wins!", "Tavlo: Player 2 wins!", "Tavlo: Player 2 wins!"}));
    EXPECT_EQ(std::tuple(g.ticks, g.status, idleTicks, minimizedTicks, g.wakes <= g.ticks, g.window.windowTitle()),
              std::tuple(decidedAt, 0, 0, 0, true, QString(text::kCaption)))
        << "ticks after Exit, a decided game, while minimized; or wake-ups beyond one a tick";
    // The first tick drew into buffer 1; the pointer is recorded over the table's top left pixel, not over the strips.
    EXPECT_EQ(std::tuple(drawn, pointer, overStrip, strike.mouseX, strike.shotPhase, strike.ballVX[0], strike.ballVY[0], whileRolling),
              std::tuple(2, QPointF(0, 0), phase::Aiming, 161.0f + 48.0f, phase::Rolling, -3.0f, 0.0f, phase::Rolling));
}

// Random input over the real window, effectively unpaced: pointer steps and
// jumps, some far outside the window, presses of every button in every phase,
// New Game, About and closing at any moment (a new window takes the rest of
// the run), with the game checked after every tick, for 60 000 ticks from the
// seed of --gtest_random_seed (1 in CTest). A long soak, seeds 1 to 100:
// --gtest_filter='Soak.*' --gtest_random_seed=1 --gtest_shuffle
// --gtest_repeat=100; gtest names the seed of each run.
TEST(Soak, RandomInputKeepsTheGameSound)
{
    std::mt19937_64 rng(::testing::UnitTest::GetInstance()->random_seed());
    auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng); };
    for (long ticks = 0; ticks < 60000 && !HasFailure();) {
        Game g(1'000'000);
        // Between ticks and while no game runs; the menus and closing rarely during play.
        QTimer input;
        input.callOnTimeout([&] {
            if (!g.window.isVisible() || QApplication::activeModalWidget())
                return;
            const double rare = g.s().gameResult == result::NoLoop ? 0.2 : 1e-4, kind = uniform(0, 1);
            if (kind < rare / 4)
                g.window.close();
            else if (kind < rare)
                (uniform(0, 1) < 0.6 ? g.window.mnuFileNew() : g.window.mnuHelpAbout())->trigger();
            else if (kind < 0.4)
                g.Point(QPointF(g.s().mouseX + uniform(-9, 9), g.s().mouseY + uniform(-9, 9)));
            else if (kind < 0.6)
                g.Point(QPointF(uniform(-20, 350), uniform(-20, 520)) * (uniform(0, 1) < 0.9 ? 1 : 1e4));
            else if (kind < 0.62)
                g.Press(std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[rng() % 3]);
        });
        input.start(0);
        g.Play([&](int) {
            if (++ticks >= 60000)
                g.window.close();
        });
    }
}

// Qt tests run without a display, on two screens of scales 1 and 2; the
// platform must be chosen before the application exists, and also when CTest
// only lists the tests.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TAVLO_TEST_DATA "/screens.json");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
