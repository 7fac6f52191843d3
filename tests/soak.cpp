// Random input over the real window and its real tick sequence, offscreen and
// unpaced. Each seed drives frmTavlo with a reproducible stream of pointer
// moves (small steps, jumps, far outside the window, exactly onto the cue
// ball), presses of every button in every phase, strokes pushed into the cue
// ball, New Game, About and closing the window (a new window then takes the
// rest of the stream), and checks the game after every tick.
//
// Usage: tavlo_soak [--seed N | --seeds FIRST-LAST] [--ticks TICKS_PER_SEED]
// Prints what each seed covered; on the first fault it names the seed and the
// tick and exits with status 1.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/qtestmouse.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

#include "control/frmtavlo.h"
#include "draw/framebuffers.h"
#include "play/rack.h"
#include "play/scoring.h"

namespace {

// Effectively unpaced: a tick is due a microsecond after the one before.
constexpr int kUnpaced = 1'000'000;

// The client area below the menu bar, where the drawing surfaces lie.
constexpr double kViewWidth = 326.0;
constexpr double kViewHeight = 496.0;

constexpr Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton,
                                        Qt::ForwardButton};

struct Coverage {
    long ticks = 0, windows = 0, strikes = 0, objectPots = 0, cuePots = 0, decided = 0, decidedOnPoints = 0;
    long newGames = 0, closes = 0, abouts = 0, centreAims = 0;
    // Button presses while aiming, stroking, rolling, and with no game loop.
    std::array<long, 4> presses{};
};

struct Fault {
    std::string what;
};

int ObjectBallsDown(const GameState& s)
{
    int down = 0;
    for (int i = 1; i < GameState::kBalls; ++i)
        down += s.ballX[i] == 0.0f;
    return down;
}

int BallsDown(const GameState& s)
{
    return ObjectBallsDown(s) + (s.ballX[0] == 0.0f);
}

// One seed's stream over as many windows as it takes to play its ticks.
class Soak {
public:
    Soak(uint64_t seed, long ticks) : rng_(seed), budget_(ticks) {}

    Coverage Run()
    {
        while (cover_.ticks < budget_ && fault_.empty()) {
            frmTavlo window(kUnpaced);
            window_ = &window;
            ++cover_.windows;
            expectRack_ = true;
            closing_ = false;
            lastDrawBuffer_ = 0;
            QObject::connect(&window, &frmTavlo::frameShown, [this] { AfterTick(); });
            // Two timers: one that acts may open About, and a timer never
            // fires again from inside its own handler, so another answers.
            QTimer answer(&window), idle(&window);
            QObject::connect(&answer, &QTimer::timeout, [this] { AnswerBoxes(); });
            QObject::connect(&idle, &QTimer::timeout, [this] { ActWhileIdle(); });
            answer.start(0);
            idle.start(0);
            const int status = window.Run();
            if (status != 0)
                Fail("the window ended with status " + std::to_string(status));
            if (window.deepestLoop() != 1)
                Fail("game loops nested " + std::to_string(window.deepestLoop()) + " deep");
            window_ = nullptr;
        }
        return cover_;
    }

    const std::string& fault() const { return fault_; }

private:
    GameState& s() { return window_->state(); }

    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng_); }
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }

    void Fail(const std::string& what)
    {
        if (!fault_.empty())
            return;
        std::ostringstream out;
        out << "tick " << cover_.ticks << ": " << what;
        fault_ = out.str();
        if (window_)
            window_->close();
    }

    // --- Input, through the platform's own mouse path -----------------------

    QPointF ViewOrigin() const { return QPointF(window_->centralWidget()->mapTo(window_, QPoint(0, 0))); }

    void MoveTo(double x, double y)
    {
        pointer_ = {x, y};
        const QPointF local = ViewOrigin() + pointer_;
        qt_handleMouseEvent(window_->windowHandle(), local, window_->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                            QEvent::MouseMove, Qt::NoModifier, NextTimestamp());
    }

    // A click where the pointer is, which must be over the client area: a
    // press on the menu bar would open a menu instead.
    void Click(Qt::MouseButton button)
    {
        ++cover_.presses[s().gameResult == result::NoLoop ? 3 : std::clamp<int>(s().shotPhase, 0, 2)];
        const QPointF local = ViewOrigin() + pointer_;
        const QPointF global = window_->mapToGlobal(local);
        qt_handleMouseEvent(window_->windowHandle(), local, global, button, button, QEvent::MouseButtonPress,
                            Qt::NoModifier, NextTimestamp());
        qt_handleMouseEvent(window_->windowHandle(), local, global, Qt::NoButton, button,
                            QEvent::MouseButtonRelease, Qt::NoModifier, NextTimestamp());
    }

    // Milliseconds apart, mostly too far for a double click; wraps long
    // before the platform's int could overflow.
    int NextTimestamp()
    {
        timestamp_ = (timestamp_ + 1 + Pick(700)) % 1'000'000'000;
        return timestamp_;
    }

    bool PointerOverView() const
    {
        return pointer_.x() >= 0 && pointer_.y() >= 0 && pointer_.x() < kViewWidth && pointer_.y() < kViewHeight;
    }

    void RandomMove()
    {
        const double kind = Uniform(0.0, 1.0);
        if (kind < 0.6) {
            const double step = Uniform(0.0, 4.0);
            MoveTo(std::clamp(pointer_.x() + Uniform(-step, step), -2.0, kViewWidth + 2.0),
                   std::clamp(pointer_.y() + Uniform(-step, step), -2.0, kViewHeight + 2.0));
        } else if (kind < 0.85) {
            MoveTo(Uniform(0.0, kViewWidth), Uniform(0.0, kViewHeight));
        } else if (kind < 0.93) {
            // Beyond every edge of the window, and over the menu bar.
            const double far[][2] = {{-400.0, 100.0}, {2000.0, 300.0}, {150.0, -15.0}, {100.0, 5000.0}, {-1e6, -1e6}};
            const auto& at = far[Pick(5)];
            MoveTo(at[0], at[1]);
        } else {
            MoveTo(s().ballX[0], s().ballY[0]);
        }
    }

    void ClickSomewhere()
    {
        if (!PointerOverView())
            MoveTo(Uniform(0.0, kViewWidth), Uniform(0.0, kViewHeight));
        Click(kButtons[Pick(5)]);
    }

    // --- Strokes: aim behind the cue ball, press, push the pointer through --

    struct Stroke {
        bool active = false;
        bool pressed = false;
        QPointF unit;
        double distance = 0, step = 0;
        int ticks = 0;
    };

    void BeginStroke()
    {
        const QPointF cue(s().ballX[0], s().ballY[0]);
        QPointF towards(Uniform(-1.0, 1.0), Uniform(-1.0, 1.0));
        // Mostly at an object ball, so that balls drop and games end; and
        // like a player, mostly not at the black while others are left.
        if (Chance(0.8)) {
            int target = 1 + Pick(9);
            if (target == rules::kBlack && ObjectBallsDown(s()) < 8 && Chance(0.9))
                target = 1 + Pick(7);
            if (s().ballX[target] != 0.0f)
                towards = QPointF(s().ballX[target], s().ballY[target]) - cue;
        }
        const double length = std::hypot(towards.x(), towards.y());
        if (!(length > 0.0))
            return;
        stroke_ = {};
        stroke_.active = true;
        stroke_.unit = -towards / length;
        stroke_.step = Chance(0.3) ? Uniform(0.5, 6.0) : Uniform(6.0, 45.0);
        // Start where the pointer still lies over the surfaces.
        stroke_.distance = Uniform(60.0, 150.0);
        while (stroke_.distance > 50.0 && !OverSurfaces(cue + stroke_.unit * stroke_.distance))
            stroke_.distance -= 10.0;
        const QPointF at = cue + stroke_.unit * stroke_.distance;
        MoveTo(at.x(), at.y());
    }

    static bool OverSurfaces(QPointF p)
    {
        return p.x() >= 0 && p.y() >= 0 && p.x() < frame::kWidth && p.y() < frame::kHeight;
    }

    void ContinueStroke()
    {
        if (++stroke_.ticks > 60 || s().shotPhase == phase::Rolling) {
            stroke_.active = false;
            return;
        }
        if (!stroke_.pressed) {
            // Near a cushion the start may lie over the menu bar: give up.
            if (!PointerOverView()) {
                stroke_.active = false;
                return;
            }
            stroke_.pressed = true;
            Click(kButtons[Chance(0.7) ? 0 : Pick(5)]);
            return;
        }
        stroke_.distance -= stroke_.step;
        const QPointF at = QPointF(s().ballX[0], s().ballY[0]) + stroke_.unit * stroke_.distance;
        MoveTo(at.x(), at.y());
    }

    // --- Acting between ticks, and between loops -----------------------------

    void ActAfterTick()
    {
        if (Chance(1.0 / 40000)) {
            ++cover_.closes;
            closing_ = true;
            window_->close();
            return;
        }
        if (Chance(1.0 / 25000)) {
            TriggerNewGame();
            return;
        }
        if (Chance(1.0 / 8000))
            ShowAbout();
        if (stroke_.active) {
            ContinueStroke();
            if (Chance(0.02))
                RandomMove();
            if (Chance(0.05))
                ClickSomewhere();
            return;
        }
        if (s().shotPhase == phase::Aiming && Chance(0.08)) {
            BeginStroke();
            return;
        }
        if (Chance(0.3))
            RandomMove();
        if (Chance(0.004))
            ClickSomewhere();
    }

    // Runs whenever the event loop turns, answering any message box once it
    // has been open for a few turns: no tick may run meanwhile.
    void AnswerBoxes()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!window_ || !box)
            return;
        if (++boxTurns_ < 3)
            return;
        boxTurns_ = 0;
        AnswerBox(box);
    }

    // While no game loop runs, acts as a player would on the idle window.
    void ActWhileIdle()
    {
        if (!window_ || !fault_.empty() || QApplication::activeModalWidget())
            return;
        if (s().gameResult != result::NoLoop || closing_ || newGameChosen_)
            return;
        const double what = Uniform(0.0, 1.0);
        if (what < 0.15) {
            TriggerNewGame();
        } else if (what < 0.2) {
            ++cover_.closes;
            closing_ = true;
            window_->close();
        } else if (what < 0.25) {
            ShowAbout();
        } else if (what < 0.6) {
            ClickSomewhere();
        } else {
            RandomMove();
        }
    }

    void TriggerNewGame()
    {
        ++cover_.newGames;
        newGameChosen_ = true;
        expectRack_ = true;
        window_->mnuFileNew()->trigger();
    }

    void ShowAbout()
    {
        ++cover_.abouts;
        const long before = cover_.ticks;
        aboutOpen_ = true;
        window_->mnuHelpAbout()->trigger();
        aboutOpen_ = false;
        if (cover_.ticks != before)
            Fail("ticks ran while About was open");
    }

    void AnswerBox(QMessageBox* box)
    {
        const QString text = box->text();
        if (aboutOpen_) {
            if (!text.startsWith(QStringLiteral("Aim the cue stick")))
                Fail("unexpected box during About: " + text.toStdString());
        } else if (winner_ == 0) {
            Fail("a box no one asked for: " + text.toStdString());
        } else {
            const QString expected = winner_ == 1 ? QStringLiteral("Player 1 wins!") : QStringLiteral("Player 2 wins!");
            if (text != expected)
                Fail("the winner box says \"" + text.toStdString() + "\", expected \"" + expected.toStdString() + "\"");
            winner_ = 0;
        }
        box->button(QMessageBox::Ok)->click();
    }

    // --- Checks after every tick ---------------------------------------------

    void AfterTick()
    {
        ++cover_.ticks;
        Check();
        if (!fault_.empty())
            return;
        if (cover_.ticks >= budget_) {
            closing_ = true;
            window_->close();
            return;
        }
        ActAfterTick();
        aimsNext_ = s().shotPhase != phase::Rolling;
    }

    void Check()
    {
        GameState& g = s();
        if (decided_ && !newGameChosen_ && !expectRack_)
            return Fail("a tick ran after the game was decided, before New Game");
        if (window_->deepestLoop() != 1)
            return Fail("game loops nested");
        if (g.shotPhase < 0 || g.shotPhase > 2)
            return Fail("shot phase " + std::to_string(g.shotPhase));
        if (g.drawBuffer != 1 && g.drawBuffer != 2)
            return Fail("drawBuffer " + std::to_string(g.drawBuffer));
        if (lastDrawBuffer_ != 0 && g.drawBuffer == lastDrawBuffer_)
            return Fail("the frame buffers did not take turns");
        lastDrawBuffer_ = g.drawBuffer;
        const auto& surfaces = window_->buffers().picTavlo;
        if (!surfaces[0]->isHidden() || !surfaces[g.drawBuffer]->isHidden() || surfaces[3 - g.drawBuffer]->isHidden())
            return Fail("the wrong surfaces are shown");

        if (expectRack_) {
            expectRack_ = false;
            newGameChosen_ = false;
            decided_ = false;
            rolling_ = false;
            stroke_.active = false;
            aimsNext_ = true;
            down_ = {};
            GameState rack;
            RackBalls(rack);
            if (g.ballX != rack.ballX || g.ballY != rack.ballY || g.score1 != 0 || g.score2 != 0
                || g.currentPlayer != 1 || g.shotPhase != phase::Aiming)
                return Fail("a new game did not start racked, level and with player 1 to shoot");
            startOfShot_ = g;
        }

        for (int i = 0; i < GameState::kBalls; ++i) {
            const float x = g.ballX[i], y = g.ballY[i], vx = g.ballVX[i], vy = g.ballVY[i];
            if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(vx) || !std::isfinite(vy))
                return Fail("ball " + std::to_string(i) + " is not finite");
            if (x == 0.0f) {
                if (vx != 0.0f || vy != 0.0f)
                    return Fail("pocketed ball " + std::to_string(i) + " still has a velocity");
                continue;
            }
            if (x < 34.0f || x > 288.0f || y < 42.0f || y > 446.0f)
                return Fail("ball " + std::to_string(i) + " off the cloth at " + std::to_string(x) + ", "
                            + std::to_string(y));
            if (i > 0 && down_[i])
                return Fail("object ball " + std::to_string(i) + " came back out of its pocket");
        }

        // A tick that aimed with the pointer exactly on the cue-ball centre.
        if (aimsNext_ && g.aimDistance == 0.0f)
            ++cover_.centreAims;
        aimsNext_ = false;

        if (g.shotPhase == phase::Rolling) {
            if (!rolling_) {
                rolling_ = true;
                ++cover_.strikes;
                downAtStrike_ = BallsDown(lastTick_);
            }
            if (g.pottedCount != BallsDown(g) - downAtStrike_)
                return Fail("pottedCount " + std::to_string(g.pottedCount) + " for "
                            + std::to_string(BallsDown(g) - downAtStrike_) + " balls dropped in this shot");
        } else {
            if (g.pottedCount != 0)
                return Fail("pottedCount " + std::to_string(g.pottedCount) + " between shots");
            if (g.score1 + g.score2 != ObjectBallsDown(g))
                return Fail("scores " + std::to_string(g.score1) + " + " + std::to_string(g.score2) + " for "
                            + std::to_string(ObjectBallsDown(g)) + " object balls down");
            for (int i = 0; i < GameState::kBalls; ++i)
                if (g.ballVX[i] != 0.0f || g.ballVY[i] != 0.0f)
                    return Fail("ball " + std::to_string(i) + " moves between shots");
            if (g.ballX[0] == 0.0f)
                return Fail("the cue ball was not put back");
            if (g.currentPlayer != 1 && g.currentPlayer != -1)
                return Fail("currentPlayer " + std::to_string(g.currentPlayer));
            if (rolling_) {
                rolling_ = false;
                EndOfShot(g);
            }
        }
        if (window_->mnuCappy()->text() != QString::fromStdString(ScoreboardText(g)))
            return Fail("the scoreboard reads \"" + window_->mnuCappy()->text().toStdString() + "\"");
        for (int i = 1; i < GameState::kBalls; ++i)
            down_[i] = down_[i] || g.ballX[i] == 0.0f;
        lastTick_ = g;
    }

    // The tick that ended a shot: the game is decided exactly when the black
    // ball went down, and for the player the rules name.
    void EndOfShot(const GameState& g)
    {
        const int objects = ObjectBallsDown(g) - ObjectBallsDown(startOfShot_);
        cover_.objectPots += objects;
        const bool cueDropped = lastTick_.ballX[0] == 0.0f;
        cover_.cuePots += cueDropped;
        const bool blackDown = g.ballX[rules::kBlack] == 0.0f;
        if (g.gameResult == result::Running) {
            if (blackDown)
                Fail("the black ball went down and the game goes on");
        } else if (!blackDown || !g.stopRequested) {
            Fail("game decided with the black ball on the table");
        } else {
            // The turn does not pass on a deciding shot: currentPlayer shot.
            const int shooter = g.currentPlayer == 1 ? 1 : 2;
            int expected = shooter == 1 ? 2 : 1;
            if (ObjectBallsDown(g) == 9 && !cueDropped) {
                expected = g.score1 >= rules::kWinningPoints ? 1 : 2;
                ++cover_.decidedOnPoints;
            }
            if (g.gameResult != expected)
                Fail("player " + std::to_string(g.gameResult) + " won, the rules say player " + std::to_string(expected));
            ++cover_.decided;
            decided_ = true;
            winner_ = g.gameResult;
        }
        startOfShot_ = g;
    }

    std::mt19937_64 rng_;
    long budget_;
    Coverage cover_;
    std::string fault_;
    frmTavlo* window_ = nullptr;

    QPointF pointer_;
    int timestamp_ = 0;
    Stroke stroke_;
    bool aimsNext_ = false;
    bool closing_ = false;
    bool aboutOpen_ = false;
    int boxTurns_ = 0;

    bool expectRack_ = false;
    bool newGameChosen_ = false;
    bool decided_ = false;
    int winner_ = 0;
    bool rolling_ = false;
    int downAtStrike_ = 0;
    int16_t lastDrawBuffer_ = 0;
    std::array<bool, GameState::kBalls> down_{};
    GameState lastTick_;
    GameState startOfShot_;
};

bool ParseSeeds(const char* text, uint64_t& first, uint64_t& last)
{
    char* end = nullptr;
    first = std::strtoull(text, &end, 10);
    if (*end == '\0') {
        last = first;
        return true;
    }
    if (*end != '-')
        return false;
    last = std::strtoull(end + 1, &end, 10);
    return *end == '\0' && last >= first;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform remarks on every new window that it cannot
    // resize one to its size hints; nothing else is held back.
    static const QtMessageHandler qtDefault = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.contains(QStringLiteral("propagateSizeHints")))
            qtDefault(type, context, message);
    });
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    uint64_t first = 1, last = 1;
    long ticks = 100'000;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if ((!std::strcmp(argv[i], "--seed") || !std::strcmp(argv[i], "--seeds")) && hasValue) {
            if (!ParseSeeds(argv[++i], first, last))
                return std::fprintf(stderr, "bad seeds: %s\n", argv[i]), 2;
        } else if (!std::strcmp(argv[i], "--ticks") && hasValue) {
            ticks = std::atol(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: %s [--seed N | --seeds FIRST-LAST] [--ticks TICKS_PER_SEED]\n", argv[0]);
            return 2;
        }
    }

    Coverage total;
    int passed = 0, failed = 0;
    const auto start = std::chrono::steady_clock::now();
    for (uint64_t seed = first; seed <= last; ++seed) {
        Soak soak(seed, ticks);
        const Coverage c = soak.Run();
        std::printf("seed %llu: %ld ticks, %ld windows, %ld strikes, %ld object balls and %ld cue balls potted, "
                    "%ld games decided (%ld on points), %ld new games, %ld closes, %ld abouts, presses %ld aiming %ld stroking "
                    "%ld rolling %ld idle, %ld aims from the cue-ball centre\n",
                    static_cast<unsigned long long>(seed), c.ticks, c.windows, c.strikes, c.objectPots, c.cuePots,
                    c.decided, c.decidedOnPoints, c.newGames, c.closes, c.abouts, c.presses[0], c.presses[1], c.presses[2],
                    c.presses[3], c.centreAims);
        if (!soak.fault().empty()) {
            std::printf("seed %llu FAILED at %s\n", static_cast<unsigned long long>(seed), soak.fault().c_str());
            ++failed;
        } else {
            ++passed;
        }
        std::fflush(stdout);
        total.ticks += c.ticks;
        total.strikes += c.strikes;
        total.objectPots += c.objectPots;
        total.decided += c.decided;
        total.decidedOnPoints += c.decidedOnPoints;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("in all: %ld ticks, %ld strikes, %ld object balls potted, %ld games decided (%ld on points), in %.1f s\n",
                total.ticks, total.strikes, total.objectPots, total.decided, total.decidedOnPoints, seconds);
    std::printf("soak: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
