#pragma once

#include <QMainWindow>
#include <chrono>
#include <cstdint>

#include "control/GameState.h"
#include "control/alarm.h"
#include "control/frameclock.h"
#include "control/pacer.h"

class QAction;
class TableView;

namespace text {
inline constexpr char kCaption[] = "Tavlo - by Kelvane";
inline constexpr char kTitle[] = "Tavlo";
inline constexpr char kAbout[] =
    "Aim the cue stick, click the left mouse button and shoot the cue ball.\r\n"
    "Players switch when no balls are hit in.  Hit in the black eight ball last or you lose.";
inline constexpr char kPlayer1Wins[] = "Player 1 wins!";
inline constexpr char kPlayer2Wins[] = "Player 2 wins!";
// The scoreboard's caption as the menu bar is made, spaced unlike what the
// scoreboard writes; the first game writes the scoreboard before the window is
// first painted, so it is never seen.
inline constexpr char kScoreboardBeforeFirstGame[] = ">00       00";
}

// One game step and one frame every tick, 60 times a second: speeds are in
// pixels per tick, so this rate is what the players feel.
constexpr int kTicksPerSecond = 60;

// How the game loop keeps time: its rate; the clock it reads and is woken by
// (none: the steady clock and the window's own alarm); whether it sleeps
// through a still spell; and where it learns the display's beats (none: the
// compositor's frame callback). Tests give it clocks of their own, and hold
// the sleeping loop to one that never sleeps.
struct Pace {
    int ticksPerSecond = kTicksPerSecond;
    LoopClock* clock = nullptr;
    bool sleeps = true;
    FrameClock* frames = nullptr;
};

// The game's one window: it owns the game state, the drawing surfaces and the
// menus, and drives the game loop.
class frmTavlo : public QMainWindow {
    Q_OBJECT

public:
    explicit frmTavlo(Pace pace = {});
    ~frmTavlo() override;

    // The program's life: loads the window, plays games as New Game asks for
    // them, and returns the exit status once the window has been closed.
    int Run();

    // Open to tests and tools that set up or inspect a table between ticks.
    GameState& state() { return state_; }
    QAction* mnuFileNew() const { return mnuFileNew_; }
    QAction* mnuFileExit() const { return mnuFileExit_; }
    QAction* mnuHelpAbout() const { return mnuHelpAbout_; }
    QAction* mnuCappy() const { return mnuCappy_; }
    TableView* view() const { return view_; }
    int deepestLoop() const { return deepestLoop_; }

signals:
    // A tick has been shown; the loop is about to handle window events.
    void frameShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Unload(int16_t& cancel);
    void mnuFileNew_Click();
    void mnuFileExit_Click();
    void mnuHelpAbout_Click();
    void picTavlo_MouseDown();
    void picTavlo_MouseMove(float x, float y);

    void CreateMenus();
    void FitToScreen();
    void NewGame();
    void ShowScoreboard();
    void ShowMessage(const char* message);

    void PlayGame();
    void DoEvents(const GameState& before);
    bool Waiting() const;
    void AnnounceWinner();

    GameState state_;
    TableView* view_ = nullptr;
    QAction* mnuFileNew_ = nullptr;
    QAction* mnuFileExit_ = nullptr;
    QAction* mnuHelpAbout_ = nullptr;
    QAction* mnuCappy_ = nullptr;

    // The game loop: its pace, its clock and alarm, the display's beats,
    // whether it sleeps until the next event, and how deep loops have ever
    // nested (they never should).
    Pacer pacer_;
    Alarm alarm_;
    LoopClock& clock_;
    FrameCallback callback_;
    FrameClock& frames_;
    bool sleeps_;
    bool asleep_ = false;
    int loopDepth_ = 0;
    int deepestLoop_ = 0;
    bool newGameRequested_ = false;
    bool closed_ = false;
};
