#include "control/frmtavlo.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "control/frametick.h"
#include "control/messagebox.h"
#include "control/tableview.h"
#include "draw/colors.h"
#include "draw/icon.h"
#include "play/rack.h"
#include "play/scoring.h"

frmTavlo::frmTavlo(Pace pace)
    : pacer_(std::chrono::duration_cast<Pacer::Clock::duration>(std::chrono::duration<double>(1.0 / pace.ticksPerSecond))),
      clock_(pace.clock ? *pace.clock : alarm_), frames_(pace.frames ? *pace.frames : callback_), sleeps_(pace.sleeps)
{
    QCoreApplication::instance()->installEventFilter(this);
    setWindowTitle(QString::fromUtf8(text::kCaption));
    setWindowIcon(TavloIcon());

    view_ = new TableView(this);
    view_->pointerMoved = [this](float x, float y) { picTavlo_MouseMove(x, y); };
    view_->buttonPressed = [this] { picTavlo_MouseDown(); };
    setCentralWidget(view_);
    CreateMenus();
}

frmTavlo::~frmTavlo() = default;

void frmTavlo::CreateMenus()
{
    // Qt's own menu bar: a native one drops top-level actions without a
    // submenu, and the scoreboard is one.
    menuBar()->setNativeMenuBar(false);
    QMenu* mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFileNew_ = mnuFile->addAction(tr("&New Game"), this, &frmTavlo::mnuFileNew_Click);
    mnuFileExit_ = mnuFile->addAction(tr("&Exit"), this, &frmTavlo::mnuFileExit_Click);
    QMenu* mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelpAbout_ = mnuHelp->addAction(tr("&About"), this, &frmTavlo::mnuHelpAbout_Click);
    mnuCappy_ = menuBar()->addAction(QString::fromUtf8(text::kScoreboardBeforeFirstGame));
    for (QAction* action : {mnuFileNew_, mnuFileExit_, mnuHelpAbout_, mnuCappy_})
        action->setMenuRole(QAction::NoRole);
}

int frmTavlo::Run()
{
    Form_Load();
    while (!closed_) {
        if (newGameRequested_) {
            newGameRequested_ = false;
            NewGame();
        } else {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    return 0;
}

// The table and the frames are painted at the scale of the screen the window
// is on, and painted anew when it moves to a screen with another scale.
void frmTavlo::FitToScreen()
{
    view_->Fit();
}

void frmTavlo::Form_Load()
{
    show();
    connect(windowHandle(), &QWindow::screenChanged, this, &frmTavlo::FitToScreen);
    FitToScreen();
    state_.drawBuffer = 1;
    InitColors(state_);
    state_.gameResult = result::NoLoop;
    mnuFileNew_Click();
}

void frmTavlo::closeEvent(QCloseEvent* event)
{
    int16_t cancel = flag::False;
    Form_Unload(cancel);
    event->setAccepted(cancel == flag::False);
}

void frmTavlo::Form_Unload(int16_t&)
{
    state_.stopRequested = flag::True;
    closed_ = true;
}

// Handlers only record: a running loop ends after its tick, and the new game
// starts from Run once that loop has returned, so loops never nest.
void frmTavlo::mnuFileNew_Click()
{
    if (state_.gameResult != result::NoLoop)
        state_.stopRequested = flag::True;
    newGameRequested_ = true;
}

void frmTavlo::NewGame()
{
    state_.score2 = 0;
    state_.score1 = 0;
    state_.currentPlayer = 1;
    ShowScoreboard();
    RackBalls(state_);
    state_.stopRequested = flag::False;
    PlayGame();
}

void frmTavlo::mnuFileExit_Click()
{
    close();
}

void frmTavlo::mnuHelpAbout_Click()
{
    ShowMessage(text::kAbout);
}

void frmTavlo::picTavlo_MouseDown()
{
    if (state_.shotPhase == phase::Aiming)
        state_.shotPhase = phase::Stroking;
}

void frmTavlo::picTavlo_MouseMove(float x, float y)
{
    state_.mouseX = x;
    state_.mouseY = y;
}

void frmTavlo::ShowScoreboard()
{
    mnuCappy_->setText(QString::fromStdString(ScoreboardText(state_)));
}

void frmTavlo::ShowMessage(const char* message)
{
    // The text keeps its CR LF line break; a label shows a lone CR as a glyph.
    QString body = QString::fromUtf8(message);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    MessageBox(QString::fromUtf8(text::kTitle), body, this).exec();
}

void frmTavlo::PlayGame()
{
    ++loopDepth_;
    deepestLoop_ = std::max(deepestLoop_, loopDepth_);
    state_.gameResult = result::Running;
    while (!state_.stopRequested) {
        pacer_.Begin(clock_.Now());
        const GameState before = state_;
        if (PlayFrame(state_, view_->buffers()))
            ShowScoreboard();
        if (view_->ShowChanges())
            frames_.Request(*windowHandle());
        DoEvents(before);
    }
    AnnounceWinner();
    state_.gameResult = result::NoLoop;
    --loopDepth_;
}

// The event pump between two ticks: handles what is pending, then keeps
// handling events as they come until the next tick is due and the window is
// on screen, or the loop is asked to stop. The alarm ends the wait on time;
// minimized, the loop sleeps until the window is shown again. After a tick
// that changed nothing, nothing will change until an event comes: the loop
// sleeps until one does, with no alarm set. What the tick left for deletion
// is freed here: it was posted outside any event handler, and processEvents
// alone leaves such deferred deletes pending.
void frmTavlo::DoEvents(const GameState& before)
{
    emit frameShown();
    asleep_ = sleeps_ && state_ == before;
    clock_.WakeAt(asleep_ ? std::nullopt : std::optional(pacer_.Due()));
    do {
        QCoreApplication::processEvents(Waiting() ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (!state_.stopRequested && Waiting());
}

// The first event after a still tick wakes the loop, which ticks again at the
// next slot of its schedule: each tick comes when, and sees what, it would
// have if the loop had ticked through the still spell.
//
// The display's beat, the answer to an update request, sets the schedule's
// phase and wakes nothing. It goes no further: newer Qt has a widget's window
// repaint the whole window for it.
bool frmTavlo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::UpdateRequest && watched == windowHandle()) {
        const QScreen* screen = windowHandle()->screen();
        pacer_.Beat(clock_.Now(), StatedPeriod(screen ? screen->refreshRate() : 0));
        return true;
    }
    if (asleep_) {
        asleep_ = false;
        pacer_.Resume(clock_.Now());
        clock_.WakeAt(pacer_.Due());
    }
    return false;
}

// Asleep, until the next tick is due, or while nobody can see a frame.
bool frmTavlo::Waiting() const
{
    return asleep_ || clock_.Now() < pacer_.Due() || isMinimized() || !windowHandle()->isExposed();
}

void frmTavlo::AnnounceWinner()
{
    if (state_.gameResult == result::Player1Wins)
        ShowMessage(text::kPlayer1Wins);
    else if (state_.gameResult == result::Player2Wins)
        ShowMessage(text::kPlayer2Wins);
}
