#include <QCoreApplication>
#include <algorithm>
#include <cmath>

#include "control/frmtavlo.h"
#include "draw/balls.h"
#include "draw/cue.h"
#include "draw/framebuffers.h"
#include "play/motion.h"
#include "play/scoring.h"
#include "play/stroke.h"

void frmTavlo::PlayGame()
{
    ++loopDepth_;
    deepestLoop_ = std::max(deepestLoop_, loopDepth_);
    state_.gameResult = result::Running;
    while (!state_.stopRequested) {
        pacer_.Begin(Pacer::Clock::now());
        PlayFrame();
        DoEvents();
    }
    AnnounceWinner();
    state_.gameResult = result::NoLoop;
    --loopDepth_;
}

void frmTavlo::PlayFrame()
{
    ComposeFrame(state_, *buffers_);
    PlayPhase(buffers_->Hidden(state_));
    ShowFrame(state_, *buffers_);
}

void frmTavlo::PlayPhase(QImage& frame)
{
    switch (state_.shotPhase) {
    case phase::Aiming:
        DrawBalls(state_, frame);
        AimCue(state_);
        DrawCue(state_, frame, state_.aimDX, state_.aimDY);
        break;
    case phase::Stroking:
        DrawBalls(state_, frame);
        StrokeCue(state_);
        DrawCue(state_, frame, state_.aimDX, state_.aimDY);
        break;
    case phase::Rolling: {
        const bool atRest = MoveBalls(state_);
        DrawBalls(state_, frame);
        DrawCueAfterShot(state_, frame);
        if (atRest) {
            EndShot(state_);
            ShowScoreboard();
        }
        break;
    }
    default:
        break;
    }
}

// The event pump between two ticks: handles what is pending, then keeps
// handling events as they come until the next tick is due or the loop is
// asked to stop. The wake-up timer ends the wait on time.
void frmTavlo::DoEvents()
{
    emit frameShown();
    const Pacer::Clock::time_point due = pacer_.Due();
    do {
        const auto remaining = due - Pacer::Clock::now();
        const auto flags = remaining > Pacer::Clock::duration::zero() ? QEventLoop::WaitForMoreEvents
                                                                      : QEventLoop::AllEvents;
        if (flags == QEventLoop::WaitForMoreEvents)
            wake_.start(static_cast<int>(std::ceil(std::chrono::duration<double, std::milli>(remaining).count())));
        QCoreApplication::processEvents(flags);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (!state_.stopRequested && Pacer::Clock::now() < due);
    wake_.stop();
    pacer_.Next();
}

void frmTavlo::AnnounceWinner()
{
    if (state_.gameResult == result::Player1Wins)
        ShowMessage(text::kPlayer1Wins);
    else if (state_.gameResult == result::Player2Wins)
        ShowMessage(text::kPlayer2Wins);
}
