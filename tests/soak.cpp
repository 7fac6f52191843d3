// Random input over the real window, offscreen and unpaced: each seed drives
// frmTavlo with a reproducible stream of pointer moves, button presses,
// strokes, New Game, About and closing (a new window then takes the rest of
// the stream), and checks the game after every tick. On the first fault it
// names the seed and the tick and exits with status 1.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/qtestmouse.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

#include "control/frmtavlo.h"
#include "draw/framebuffers.h"

namespace {

constexpr int kUnpaced = 1'000'000; // a tick is due a microsecond after the one before
const QRectF kView(0, 0, 326, 496); // the client area below the menu bar
const QRectF kSurfaces(0, 0, frame::kWidth, frame::kHeight);
constexpr Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

// One seed's stream over as many windows as it takes to play its ticks.
class Soak {
public:
    Soak(unsigned long long seed, long ticks) : rng_(seed), budget_(ticks) {}

    // Plays the seed's ticks; true when no check failed.
    bool Run()
    {
        while (ticks_ < budget_ && fault_.empty()) {
            frmTavlo window(kUnpaced);
            window_ = &window;
            ++windows_;
            gameOver_ = stroking_ = false;
            QObject::connect(&window, &frmTavlo::frameShown, [this] { AfterTick(); });
            // A timer never fires inside its own handler, so the one that may
            // open About cannot answer it: a second timer answers every box.
            QTimer answer(&window), idle(&window);
            QObject::connect(&answer, &QTimer::timeout, [this] { AnswerBox(); });
            QObject::connect(&idle, &QTimer::timeout, [this] { ActWhileIdle(); });
            answer.start(0);
            idle.start(0);
            window.Run();
            window_ = nullptr;
        }
        return fault_.empty();
    }

    std::string Summary() const
    {
        std::ostringstream out;
        out << ticks_ << " ticks, " << strikes_ << " strikes, " << pots_ << " object balls potted, " << decided_
            << " games decided, " << windows_ << " windows";
        return fault_.empty() ? out.str() : out.str() + "; FAILED at " + fault_;
    }

private:
    GameState& s() { return window_->state(); }
    QPointF Cue() { return {s().ballX[0], s().ballY[0]}; }
    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng_); }
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }
    QPointF Anywhere() { return {Uniform(0.0, kView.width()), Uniform(0.0, kView.height())}; }

    template <typename... Parts> void Fail(const Parts&... parts)
    {
        std::ostringstream out;
        out << "tick " << ticks_ << ": ";
        (out << ... << parts);
        if (fault_.empty())
            fault_ = out.str();
        window_->close();
    }

    void AfterTick()
    {
        ++ticks_;
        Check(s());
        if (!fault_.empty() || ticks_ >= budget_)
            window_->close();
        else
            Act();
    }

    void Check(const GameState& g)
    {
        if (gameOver_)
            return Fail("a tick ran after the game was decided, before New Game");
        if (window_->deepestLoop() != 1)
            return Fail("game loops nested ", window_->deepestLoop(), " deep");
        if (QApplication::activeModalWidget())
            return Fail("a tick ran while a box was open");
        if (g.shotPhase < 0 || g.shotPhase > 2 || g.drawBuffer < 1 || g.drawBuffer > 2)
            return Fail("shotPhase ", g.shotPhase, ", drawBuffer ", g.drawBuffer);
        int down = 0;
        for (int i = 0; i < GameState::kBalls; ++i) {
            const float x = g.ballX[i], y = g.ballY[i];
            if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(g.ballVX[i]) || !std::isfinite(g.ballVY[i]))
                return Fail("ball ", i, " is not finite");
            if (x != 0.0f && (x < 34.0f || x > 288.0f || y < 42.0f || y > 446.0f))
                return Fail("ball ", i, " at ", x, ", ", y, " is neither on the cloth nor pocketed");
            down += i > 0 && x == 0.0f;
        }
        if (g.shotPhase == phase::Aiming && (g.pottedCount != 0 || g.score1 + g.score2 != down))
            return Fail("between shots pottedCount is ", g.pottedCount, " and the scores ", g.score1, " + ",
                        g.score2, " for ", down, " object balls down");
        // Coverage; a new rack only ever lowers the count of balls down.
        strikes_ += g.shotPhase == phase::Rolling && lastPhase_ != phase::Rolling;
        pots_ += std::max(0, down - lastDown_);
        lastPhase_ = g.shotPhase;
        lastDown_ = down;
        gameOver_ = g.gameResult == result::Player1Wins || g.gameResult == result::Player2Wins;
        decided_ += gameOver_;
    }

    void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held)
    {
        const QPointF local = QPointF(window_->centralWidget()->mapTo(window_, QPoint(0, 0))) + pointer_;
        timestamp_ = (timestamp_ + 1 + Pick(700)) % 1'000'000'000; // mostly too far apart for a double click
        qt_handleMouseEvent(window_->windowHandle(), local, window_->mapToGlobal(local), held, button, type,
                            Qt::NoModifier, timestamp_);
    }

    void MoveTo(QPointF at)
    {
        pointer_ = at;
        Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    }

    // Over the client area: a press on the menu bar would open a menu.
    void Press(Qt::MouseButton button)
    {
        if (!kView.contains(pointer_))
            MoveTo(Anywhere());
        Send(QEvent::MouseButtonPress, button, button);
        Send(QEvent::MouseButtonRelease, button, Qt::NoButton);
    }

    void Move()
    {
        static const QPointF kFar[] = {{-400, 100}, {2000, 300}, {150, -15}, {100, 5000}, {-1e6, -1e6}};
        const double kind = Uniform(0.0, 1.0), step = Uniform(0.0, 4.0);
        if (kind < 0.6)
            MoveTo(pointer_ + QPointF(Uniform(-step, step), Uniform(-step, step)));
        else if (kind < 0.85)
            MoveTo(Anywhere());
        else if (kind < 0.93)
            MoveTo(kFar[Pick(5)]); // beyond every edge, and over the menu bar
        else
            MoveTo(Cue()); // exactly the cue-ball centre
    }

    void Wander(double move, double press)
    {
        if (Chance(move))
            Move();
        if (Chance(press))
            Press(kButtons[Pick(3)]);
    }

    // A stroke: the pointer behind the cue ball, mostly in line with an object
    // ball, pressed, then pushed through the cue ball a step every tick.
    void BeginStroke()
    {
        const int target = 1 + Pick(GameState::kBalls - 1);
        QPointF towards(Uniform(-1.0, 1.0), Uniform(-1.0, 1.0));
        if (Chance(0.8) && s().ballX[target] != 0.0f)
            towards = QPointF(s().ballX[target], s().ballY[target]) - Cue();
        const double length = std::hypot(towards.x(), towards.y());
        if (!(length > 0.0))
            return;
        unit_ = -towards / length;
        step_ = Chance(0.3) ? Uniform(0.5, 6.0) : Uniform(6.0, 45.0);
        for (distance_ = Uniform(60.0, 150.0); distance_ > 50.0 && !kSurfaces.contains(Cue() + unit_ * distance_);)
            distance_ -= 10.0;
        MoveTo(Cue() + unit_ * distance_);
        strokeTicks_ = 0;
        stroking_ = true;
    }

    void ContinueStroke()
    {
        // Near a cushion the start may lie over the menu bar: give up then.
        if (++strokeTicks_ > 60 || s().shotPhase == phase::Rolling || (strokeTicks_ == 1 && !kView.contains(pointer_)))
            stroking_ = false;
        else if (strokeTicks_ == 1)
            Press(kButtons[Chance(0.7) ? 0 : Pick(3)]);
        else
            MoveTo(Cue() + unit_ * (distance_ -= step_));
        Wander(0.02, 0.05);
    }

    void Act()
    {
        if (Interrupt(1.0 / 40000, 1.0 / 25000, 1.0 / 8000))
            return;
        if (stroking_)
            ContinueStroke();
        else if (s().shotPhase == phase::Aiming && Chance(0.08))
            BeginStroke();
        else
            Wander(0.3, 0.004);
    }

    void ActWhileIdle()
    {
        if (window_ && window_->isVisible() && !QApplication::activeModalWidget()
            && s().gameResult == result::NoLoop && !Interrupt(0.05, 0.15, 0.05))
            Wander(0.5, 0.5);
    }

    // Closes the window, starts a new game or opens About, each by its chance.
    bool Interrupt(double close, double newGame, double about)
    {
        if (Chance(close))
            window_->close();
        else if (Chance(newGame))
            NewGame();
        else if (Chance(about))
            window_->mnuHelpAbout()->trigger();
        else
            return false;
        return true;
    }

    void NewGame()
    {
        gameOver_ = stroking_ = false;
        window_->mnuFileNew()->trigger();
    }

    // Answers a box once it has been open a few turns of the event loop.
    void AnswerBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && ++boxTurns_ >= 3) {
            boxTurns_ = 0;
            box->button(QMessageBox::Ok)->click();
        }
    }

    std::mt19937_64 rng_;
    long budget_;
    long ticks_ = 0, strikes_ = 0, pots_ = 0, decided_ = 0, windows_ = 0;
    std::string fault_;
    frmTavlo* window_ = nullptr;
    QPointF pointer_, unit_;
    double distance_ = 0, step_ = 0;
    int timestamp_ = 0, boxTurns_ = 0, strokeTicks_ = 0, lastDown_ = 0, lastPhase_ = 0;
    bool stroking_ = false, gameOver_ = false;
};

bool ParseSeeds(const char* text, unsigned long long& first, unsigned long long& last)
{
    char* end = nullptr;
    first = last = std::strtoull(text, &end, 10);
    if (*end == '-')
        last = std::strtoull(end + 1, &end, 10);
    return end != text && *end == '\0' && last >= first;
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

    unsigned long long first = 1, last = 1;
    long ticks = 100'000;
    for (int i = 1; i < argc; ++i) {
        const bool seeds = !std::strcmp(argv[i], "--seed") || !std::strcmp(argv[i], "--seeds");
        if (seeds && i + 1 < argc && ParseSeeds(argv[i + 1], first, last))
            ++i;
        else if (!std::strcmp(argv[i], "--ticks") && i + 1 < argc)
            ticks = std::atol(argv[++i]);
        else
            return std::fprintf(stderr, "usage: %s [--seed N | --seeds FIRST-LAST] [--ticks TICKS]\n", argv[0]), 2;
    }

    int passed = 0, failed = 0;
    for (unsigned long long seed = first; seed <= last; ++seed) {
        Soak soak(seed, ticks);
        ++(soak.Run() ? passed : failed);
        std::printf("seed %llu: %s\n", seed, soak.Summary().c_str());
        std::fflush(stdout);
    }
    std::printf("soak: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
