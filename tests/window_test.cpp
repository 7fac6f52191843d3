#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QBackingStore>
#include <QMenuBar>
#include <QMessageBox>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <filesystem>
#include <random>

#include "control/frmtavlo.h"
#include "control/messagebox.h"
#include "control/program.h"
#include "control/tableview.h"
#include "draw/tableimage.h"
#include "play/motion.h"
#include "tests/qtprint.h"

using namespace std::chrono_literals;

// Time as a script has it, so that ticks fall in the same slots however busy
// the machine is: it stands still while the game works, and moves on only when
// the event loop is about to block, to the alarm that the game's loop set or to
// the script's next input, whichever comes first. An input is handled in the
// event pump like any other event; one at the very moment of the alarm, first.
struct ScriptedTime final : LoopClock {
    ScriptedTime() { blocking = QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, [this] { MoveOn(); }); }
    ~ScriptedTime() override { QObject::disconnect(blocking); }
    time_point Now() const override { return now; }
    void WakeAt(std::optional<time_point> at) override { alarm = at; }

    void MoveOn()
    {
        std::function<void()> act = [] {};
        if (next < inputs.size() && (!alarm || start + inputs[next].first <= *alarm))
            now = start + inputs[next].first, act = inputs[next++].second;
        else if (alarm)
            now = std::max(now, *alarm), alarm.reset();
        QMetaObject::invokeMethod(QCoreApplication::instance(), act, Qt::QueuedConnection);
    }

    const time_point start = time_point{} + 1h;
    time_point now = start;
    std::optional<time_point> alarm;
    std::vector<std::pair<time_point::duration, std::function<void()>>> inputs;
    size_t next = 0;
    QMetaObject::Connection blocking;
};

// The game's window driven offscreen through Qt's own input path. After each
// tick the game is checked, then, in the event pump, the test's hook for every
// tick runs, and the test's next step once its moment has come. In real time,
// message boxes are answered a tenth of a second after they show; in scripted
// time, when the script says. Either way they are noted with their title.
// Nothing else wakes the event loop: a game that stops ticking, or ticks on,
// ends on CTest's time limit, however busy the machine.
struct Game : QObject {
    explicit Game(Pace pace = {}) : window(pace), scripted(pace.clock) {}
    ~Game() override { QApplication::instance()->removeEventFilter(this); }

    void Play(std::vector<std::pair<std::function<bool()>, std::function<void()>>> steps, std::function<void()> everyTick = [] {})
    {
        size_t next = 0;
        QObject::connect(&window, &frmTavlo::frameShown, [&] {
            ++ticks;
            Check();
            if (::testing::Test::HasFatalFailure())
                return void(window.close());
            everyTick();
            if (next < steps.size() && steps[next].first())
                steps[next++].second();
        });
        QApplication::instance()->installEventFilter(this);
        window.Run();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        wakes += event->type() == QEvent::SockAct;
        beats += event->type() == QEvent::UpdateRequest && watched == window.windowHandle();
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && (widget == window.view() || window.view()->isAncestorOf(widget)))
            if (event->type() == QEvent::Paint)
                ++paints, painted += static_cast<QPaintEvent*>(event)->region();
        if (auto* box = qobject_cast<QMessageBox*>(watched); box && event->type() == QEvent::Show && !event->spontaneous() && !scripted)
            QTimer::singleShot(100, box, [this] { Answer(); });
        return false;
    }

    // Clicks OK on the open box.
    void Answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box) << "no box to answer";
        boxes << box->windowTitle() + ": " + box->text(), box->button(QMessageBox::Ok)->click();
    }

    // No tick after a decided game, nor within another loop or under a box;
    // every ball pocketed (x exactly 0) or on the cloth, every value finite;
    // between shots every object ball down credited to one player.
    void Check()
    {
        const GameState& g = s();
        ASSERT_FALSE(decided && g.gameResult != result::Running) << "a tick after the game was decided";
        decided = g.gameResult == result::Player1Wins || g.gameResult == result::Player2Wins;
        ASSERT_TRUE(window.deepestLoop() == 1 && !QApplication::activeModalWidget() && g.shotPhase >= 0 && g.shotPhase <= 2
                    && (g.drawBuffer == 1 || g.drawBuffer == 2)) << "a tick under a box, within another loop, or out of its phases";
        int down = 0;
        for (int i = 0; i < GameState::kBalls; ++i) {
            const float x = g.ballX[i], y = g.ballY[i];
            ASSERT_TRUE(std::isfinite(g.ballVX[i] + g.ballVY[i] + y + g.aimDX + g.aimDY)
                        && (x == 0.0f || (x >= 34 && x <= 288 && y >= 42 && y <= 446)))
                << "ball " << i << " at " << x << ", " << y << ", aim " << g.aimDX << ", " << g.aimDY;
            down += i > 0 && x == 0.0f;
        }
        ASSERT_TRUE(g.shotPhase != phase::Aiming || (g.score1 + g.score2 == down && g.pottedCount == 0))
            << g.score1 << " + " << g.score2 << " points for " << down << " balls down, pottedCount " << g.pottedCount;
    }

    GameState& s() { return window.state(); }
    QString board() { return window.mnuCappy()->text(); }
    // Where the table's pixel p lies in the window.
    QPoint At(QPointF p) { return window.view()->mapTo(&window, (window.view()->corner() + p * window.view()->zoom()).toPoint()); }
    void Point(QPointF p) { QTest::mouseMove(window.windowHandle(), At(p)); }
    void Press(Qt::MouseButton button) { QTest::mouseClick(window.windowHandle(), button, {}, At({s().mouseX, s().mouseY})); }
    // Sends a ball rolling, as a strike would.
    void Roll(int i, float x, float y, float vx, float vy) { std::tie(s().ballX[i], s().ballY[i], s().ballVX[i], s().ballVY[i], s().shotPhase) = std::tuple(x, y, vx, vy, phase::Rolling); }
    frmTavlo window;
    const bool scripted;
    int ticks = 0, wakes = 0, paints = 0, beats = 0;
    bool decided = false;
    QStringList boxes;
    QRegion painted;
};

// One evening's play in scripted time, by the game's loop, which sleeps after a
// tick that changed nothing until the next event, and by a loop that never
// sleeps. The pointer is recorded only over the table, not over the strips
// beside and below it, where a press starts nothing; exactly on the cue ball,
// the aim stays as it was. Any button starts a stroke: pressed beyond 48
// pixels, pushed into the cue ball with still spells between, it strikes once
// within 48 pixels, with the pointer's movement since the tick before; a press
// while the balls roll changes nothing; pressed within 48 pixels, it strikes at
// once, at no speed. Each miss passes the turn. About pauses the rolling shot,
// and so does minimizing the window, until it is shown again, repainted; the
// shot ends exactly where it would have unpaused. About pauses the still table
// too; one input comes at the very moment of a slot. Then player 2 drops the
// black early: the box comes after the deciding tick, and nothing ticks until
// New Game. The next game is cut short by New Game while rolling, with no box.
// Player 1's early black decides the two after: New Game or Exit chosen right
// after the deciding tick waits for the box first. Each box shows once, and one
// click answers it. Every tick of the sleeping loop falls in a slot where the
// other's does and leaves the game as that one's does, and the still spells
// are slept through.
TEST(Window, PlaysAsItsPlayersAskAndSleepsWhileNothingMoves)
{
    using Log = std::vector<std::pair<LoopClock::time_point::duration, GameState>>;
    const auto play = [](bool sleeps) {
        const auto at = [](int slot, int ms) { return slot * (std::chrono::steady_clock::duration(1s) / 60) + 1ms * ms; };
        ScriptedTime time;
        Game g(sleeps ? Pace{.clock = &time} : Pace{.clock = &time, .sleeps = false});
        GameState aimed, straight;
        QStringList boards;
        int ticks = 0, paints = 0;
        const std::function<void()> about = [&] { g.window.mnuHelpAbout()->trigger(); }, answer = [&] { g.Answer(); },
                                    newGame = [&] { g.window.mnuFileNew()->trigger(); },
                                    earlyBlack = [&] { boards << g.board(), g.Roll(8, 40.0f, 60.0f, -10.0f, -10.0f); };
        time.inputs = {
            {at(5, 3), [&] {
                 for (QPointF p : {QPointF(5, 5), QPointF(0, 0), QPointF(325, 100), QPointF(100, 493)})
                     g.Point(p);
                 QTest::mouseClick(g.window.windowHandle(), Qt::LeftButton, {}, g.At({100, 495}));
                 aimed = g.s(), g.Point({161, 354}); }},
            {at(8, 0), [&] { EXPECT_EQ(std::tuple(g.s().aimDX, g.s().aimDY), std::tuple(aimed.aimDX, aimed.aimDY)) << "on the cue ball the aim moved";
                 g.Point({101, 100}); }},
            {at(40, 1), [&] { g.Press(Qt::LeftButton); }}, {at(60, 2), [&] { g.Point({161, 454}); }},
            {at(80, 5), [&] { g.Point({161, 414}); }}, {at(80, 9), [&] { g.Point({161, 405}); }}, {at(100, 4), [&] { g.Point({161, 402}); }},
            {at(101, 9), [&] { EXPECT_EQ(std::tuple(g.s().ballVX[0], g.s().ballVY[0]), std::tuple(0.0f, -3.0f)) << "the strike";
                 g.Press(Qt::MiddleButton);
                 for (straight = g.s(); !MoveBalls(straight);) {} }},
            {at(130, 2), about}, {at(170, 7), answer},
            {at(180, 1), [&] { ticks = g.ticks, g.window.showMinimized(); }},
            {at(200, 6), [&] { EXPECT_EQ(g.ticks, ticks) << "ticks while minimized"; paints = g.paints, g.window.showNormal(); }},
            {at(600, 3), [&] {
                 EXPECT_EQ(std::tuple(g.s().ballX, g.s().ballY, g.paints > paints), std::tuple(straight.ballX, straight.ballY, true))
                     << "the paused shot's end, and a repaint once shown again";
                 boards << g.board(), g.Point({g.s().ballX[0] + 30, g.s().ballY[0]}); }},
            {at(620, 1), [&] { g.Press(Qt::RightButton); }}, {at(650, 2), about}, {at(700, 3), answer},
            {at(710, 1), [&] { boards << g.board(), g.Roll(0, g.s().ballX[0], g.s().ballY[0], 0.0f, 3.0f); }}, {at(800, 1), earlyBlack},
            {at(820, 1), answer}, {at(840, 1), [&] { boards << g.board() + QString::number(g.s().gameResult), newGame(); }},
            {at(850, 1), [&] { g.Roll(5, 100.0f, 300.0f, 20.0f, 20.0f), newGame(); }}, {at(870, 1), earlyBlack}, {at(880, 1), answer},
            {at(900, 1), earlyBlack}, {at(910, 1), answer}};
        Log log;
        const auto decided = [&](qsizetype boxes) { return [&g, boxes] { return g.s().gameResult > 0 && g.boxes.size() == boxes; }; };
        g.Play({{decided(3), newGame}, {decided(4), [&] { g.window.mnuFileExit()->trigger(); }}}, [&] { log.emplace_back(time.now - time.start, g.s()); });
        log.emplace_back(time.now - time.start, g.s());
        EXPECT_EQ(boards, QStringList({" 00   >00", ">00    00", " 00   >00", " 00   >01-1", ">00    00", ">00    00"}))
            << "each miss passes the turn; the final position stays, with no loop, until New Game; each game starts afresh";
        const QString rules = "Tavlo: Aim the cue stick, click the left mouse button and shoot the cue ball.\n"
                              "Players switch when no balls are hit in.  Hit in the black eight ball last or you lose.";
        EXPECT_EQ(g.boxes, QStringList({rules, rules, "Tavlo: Player 1 wins!", "Tavlo: Player 2 wins!", "Tavlo: Player 2 wins!"}));
        const auto rolled = std::count_if(log.begin(), log.end(), [&](const auto& tick) { return tick.first >= at(711, 8) && tick.first < at(711, 8) + 1s && tick.second.shotPhase == phase::Rolling; });
        EXPECT_EQ(std::tuple(aimed.mouseX, aimed.mouseY, aimed.shotPhase, log.front().second.drawBuffer, rolled, g.window.centralWidget()->size(), g.window.isVisible()),
                  std::tuple(0.0f, 0.0f, phase::Aiming, 2, 60, QSize(326, 496), false))
            << "the pointer over the strips and a press there; the first tick draws into buffer 1; ticks in a second of rolling; the client area; the window after Exit";
        return log;
    };
    const Log slept = play(true);
    const auto files = std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); // the first window opens what Qt keeps for later ones
    const Log ticked = play(false);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}), files) << "files left open by a window that is gone";
    for (const auto& [at, state] : slept) {
        const auto same = std::find_if(ticked.begin(), ticked.end(), [at = at](const auto& tick) { return tick.first == at; });
        ASSERT_TRUE(same != ticked.end()) << "the sleeping loop ticked at " << at / 1us << " us, where the other did not";
        ASSERT_EQ(state, same->second) << "the game after the tick at " << at / 1us << " us";
    }
    EXPECT_LT(4 * slept.size(), ticked.size()) << "the still spells, most of the evening, were not slept through";
}

// Three seconds of aiming in scripted time, the pointer moved every slot, then
// resting, on a display that takes a frame 1 ms after each slot: by the end
// each tick comes half a display period before the display's next beat. A
// beat is asked for after each tick that changed the table, and only then,
// and repaints nothing. The display period is the one the screen states;
// only a Wayland compositor is asked for beats.
TEST(Window, TicksHalfADisplayPeriodBeforeEachBeat)
{
    ScriptedTime time;
    struct : FrameClock {
        int requests = 0;
        void Request(QWindow&) override { ++requests; }
    } frames;
    Game g(Pace{.clock = &time, .frames = &frames});
    const auto display = std::chrono::steady_clock::duration(1s) / 60;
    for (int i = 0; i < 190; ++i) {
        time.inputs.push_back({i * display + 1ms, [&g] { QEvent beat(QEvent::UpdateRequest); QCoreApplication::sendEvent(g.window.windowHandle(), &beat); }});
        time.inputs.push_back({i * display + 2ms, [&g, i] { g.Point({161 + 90 * std::cos(std::min(i, 179) * 0.05), 354 + 90 * std::sin(std::min(i, 179) * 0.05)}); }});
    }
    int strays = 0, requests = 0;
    GameState last;
    LoopClock::time_point tick;
    g.Play({{[&] { return time.now - time.start > 3s + 100ms; }, [&] { g.window.mnuFileExit()->trigger(); }}},
           [&] { strays += (g.s() == last) != (frames.requests == std::exchange(requests, frames.requests)), last = g.s(), tick = time.now; });
    EXPECT_EQ(std::tuple((tick - time.start - 1ms) % display, strays, g.paints - frames.requests), std::tuple(display / 2, 0, 0))
        << "the last tick's time after a beat; ticks that asked for a beat after a still tick, or none after a new frame; paints besides one a frame";
    EXPECT_EQ(std::tuple(StatedPeriod(60), StatedPeriod(0.5), StatedPeriod(0), StatedPeriod(-60), AnswersAtTheNextFrame(u"wayland"), AnswersAtTheNextFrame(u"wayland-egl"), AnswersAtTheNextFrame(u"xcb"), AnswersAtTheNextFrame(u"offscreen")),
              std::tuple(display, 2s, 0s, 0s, true, true, false, false)) << "a frame's length on screens of 60 Hz, 0.5 Hz, none and less; the beat asked of Wayland's compositors alone";
}

// The table at the window's own size, then at twice the client area as a
// screen of scale 2 shows it, then at zoom 2 on a screen of scale 2 in a wide
// window, then at a fractional zoom in a tall window (the strip left of the
// cushions, which no ball or cue reaches, is the table painted at that
// scale), the plain background beside, above and below it; the pointer mapped
// back, the background beside the table taking no input; an aiming tick has
// Qt paint little more than where the cue was and is; the window on screen
// always what a fresh repaint shows; the window's icon at every size. The
// frame callback is asked for as under Wayland: the offscreen platform
// answers it too, and the beats it brings repaint nothing.
TEST(Window, FillsTheSizeItIsGivenWithTheTablePaintedAtItsScale)
{
    FrameCallback wayland(u"wayland");
    Game g(Pace{.frames = &wayland});
    TableView& v = *g.window.view();
    const auto atScale = [&](qreal scale) {
        EXPECT_TRUE(SamePicture(v.grab(QRectF(v.corner(), QSizeF(26, 496) * v.zoom()).toAlignedRect()).toImage(),
                                PaintTableImage(scale).copy(0, 0, std::ceil(26 * scale), std::ceil(496 * scale)))) << "at scale " << scale;
        // The window's own pixels, as Qt holds them for the screen.
        const qreal dpr = g.window.devicePixelRatio();
        EXPECT_TRUE(SamePicture(static_cast<QImage*>(g.window.backingStore()->paintDevice())->copy(QRectF(QPointF(v.pos()) * dpr, QSizeF(v.size()) * dpr).toRect()), v.grab().toImage()))
            << "the window on screen is not what a fresh repaint shows, at scale " << scale;
    };
    const auto plain = [&](int x, int y) { return QColor(v.grab(QRect(x, y, 1, 1)).toImage().pixel(0, 0)) == v.palette().window().color(); };
    const auto resize = [&](int w, int h) { g.window.windowHandle()->resize(w, h + g.window.menuBar()->height()); };
    const std::vector<std::function<void()>> acts = {
        [&] { g.Point({251, 354}); }, [&] { g.painted = {}, g.Point({251, 374}); }, [&] { g.Point({251, 375});},
        [&] {
             const QRegion painted = g.painted;
             atScale(1);
             for (const QPointF p : {QPointF(211, 354), {271, 354}, {212, 366}, {270, 380}})
                 EXPECT_TRUE(painted.contains(g.At(p) - v.pos())) << "where the cue was or is (its tip, and 20 pixels beyond the pointer), at " << p.x() << ", " << p.y() << ", not painted";
             const QRect box = painted.boundingRect();
             EXPECT_EQ(std::tuple(v.width(), v.height(), g.window.minimumSize() == g.window.size(), g.window.maximumSize().height() > 2000, g.window.windowIcon().availableSizes(), box.width() * box.height() < 326 * 496 / 10),
                       std::tuple(326, 496, true, true, QList<QSize>({{32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}), true))
                 << "a client area of 326 x 496, the window's smallest size, and it can be made larger; an icon at each size a dock may ask for; an aiming tick had Qt paint within " << box.width() << " x " << box.height() << " pixels, a tenth of the table at most";
             resize(2 * 326, 2 * 496);},
        [&] {
             std::tie(g.s().mouseX, g.s().mouseY, g.s().ballX[1], g.s().ballY[1], g.s().ballX[2], g.s().ballY[2], g.s().ballX[5], g.s().ballX[3], g.s().ballX[9], g.s().score1) =
                 std::tuple(170.0f, 320.0f, 160.5f, 134.5f, 151.5f, 119.5f, 167.8f, 0.0f, 0.0f, 2);
             QTest::mouseMove(g.window.windowHandle(), v.mapTo(&g.window, QPoint(341, 641)));},
        [&] { EXPECT_EQ(QPointF(g.s().mouseX, g.s().mouseY), QPointF(170.5, 320.5)) << "the pointer mapped at zoom 2"; g.Point({170, 320});},
        [&] {
             // Ball 9, drawn at the left edge there, is pocketed here.
             EXPECT_TRUE(SamePicture(v.grab(QRect(20, 0, 630, 986)).toImage(), QImage(TAVLO_TEST_DATA "/opening@2x.png").copy(20, 0, 630, 986))) << "at twice the size";
             atScale(2), g.window.move(QGuiApplication::screens().at(1)->geometry().topLeft()), resize(1000, 2 * 496);},
        [&] {
             const QPoint beside = v.mapTo(&g.window, QPoint(v.corner().x() - 2, 300));
             atScale(4), QTest::mouseMove(g.window.windowHandle(), beside), QTest::mouseClick(g.window.windowHandle(), Qt::LeftButton, {}, beside);
             EXPECT_EQ(std::tuple(v.corner(), g.window.devicePixelRatio(), plain(998, 300), g.s().mouseX, g.s().shotPhase), std::tuple(QPointF(std::floor((1000 - 2 * 326) / 2), 0), 2.0, true, 170.0f, phase::Aiming))
                 << "on a screen of scale 2, the table is not in the middle, filling the height, on the plain background, or the background beside it took the pointer";
             QTest::mouseClick(g.window.windowHandle(), Qt::LeftButton, {}, g.At({300, 480})), resize(500, 900);},
        [&] {
             EXPECT_EQ(std::tuple(g.s().shotPhase, v.corner(), plain(250, 30) && plain(250, 880)), std::tuple(phase::Stroking, QPointF(0, 69), true))
                 << "a press at the table's far end started no stroke, or in a tall window the table is not in the middle on the plain background";
             g.Roll(0, 161, 354, 5.0f, -7.0f), g.Point({100, 130});},
        [&] { atScale(1000.0 / 326), g.window.move(0, 0); },
        [&] { atScale(500.0 / 326), g.window.mnuHelpAbout()->trigger(), g.window.mnuFileExit()->trigger(); }};
    g.Play({}, [&, next = size_t(0)]() mutable { acts.at(next++)(); });
    EXPECT_TRUE(g.wakes <= g.ticks && g.beats > 0) << g.wakes << " wake-ups by the game's own alarm for " << g.ticks << " ticks (at most one a tick, its box open for a tenth of a second among them); " << g.beats << " beats in answer to the frame callback asked for as under Wayland (none: no update request was made)";
}

// A box whose title is wider than its text is as wide as the title and the
// title bar's buttons need: Qt's Wayland title bar centres the title and
// keeps 77 pixels on the right for its buttons. It is no wider than that
// allows for, with a few pixels to spare, and it keeps its size, except under
// Wayland before Qt 6.8, which would hold it at its largest size.
TEST(Box, IsAsWideAsItsTitleAndTheTitleBarsButtonsNeed)
{
    MessageBox box(QString("A title that is far wider than the text of its box"), QString("Text"), nullptr);
    box.show();
    QFont title = box.font();
    title.setPixelSize(14);
    const int needs = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + 2 * 77;
    EXPECT_TRUE(box.width() >= needs && box.width() <= needs + 12 && box.minimumSize() == box.maximumSize()) << "a box of " << box.width() << " pixels, or not of one size, for a title and buttons of " << needs;
    EXPECT_EQ(std::tuple(QtHoldsLargestSize("wayland", {6, 7, 3}), QtHoldsLargestSize("wayland-egl", {6, 4}), QtHoldsLargestSize("wayland", {6, 8}), QtHoldsLargestSize("xcb", {6, 4})),
              std::tuple(true, true, false, false)) << "Qt holding a box at its largest size: under Wayland before 6.8 (6.7.3, 6.4), not with 6.8, not under X";
}

static QStringList toQt;

// A scale of the whole display of 0 or less, or not finite, counts as 1; Qt
// itself ignores one that is not a number. Once the display is open, Qt's
// messages reach Qt's own handler again, for which the tests stand in.
TEST(Start, TreatsAnUnusableScaleAsOneAndHandsQtItsMessagesBack)
{
    qWarning("a warning once the display is open");
    EXPECT_EQ(toQt.value(toQt.size() - 1), QString("a warning once the display is open")) << "Qt's messages are still held back";
    for (const auto& [scale, kept] : {std::pair{"0", false}, {"-1", false}, {"inf", false}, {"0.5", true}, {"x", true}}) {
        qputenv("QT_SCALE_FACTOR", scale);
        ForgetUnusableScale();
        EXPECT_EQ(qEnvironmentVariableIsSet("QT_SCALE_FACTOR"), kept) << "QT_SCALE_FACTOR=" << scale;
    }
    qunsetenv("QT_SCALE_FACTOR");
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
        Game g({.ticksPerSecond = 1'000'000});
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
        g.Play({}, [&] {
            if (++ticks >= 60000)
                g.window.close();
        });
    }
}

// Qt tests run without a display, on two screens of scales 1 and 2 (Qt's own
// scale, which every Qt lends its windows); the platform must be chosen before
// the application exists, and also when CTest only lists the tests. The display
// is opened as the game opens it, with no XDG_RUNTIME_DIR, as from a root
// shell: Qt's warning about it is not to be taken for a missing display. The
// tests' handler of Qt's messages, standing in for Qt's own, notes each one and
// hands it on to Qt's.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TAVLO_TEST_DATA "/screens.json");
    qputenv("QT_SCREEN_SCALE_FACTORS", "1;2");
    qunsetenv("XDG_RUNTIME_DIR");
    static QtMessageHandler qts = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) { toQt << message, qts(type, context, message); });
    const auto app = OpenDisplay(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
