#include "control/frametick.h"

#include "draw/balls.h"
#include "draw/cue.h"
#include "draw/framebuffers.h"
#include "play/motion.h"
#include "play/scoring.h"
#include "play/stroke.h"

bool PlayFrame(GameState& s, FrameBuffers& b)
{
    StartFrame(s, b);
    Surface& frame = b.Hidden(s);
    bool shotEnded = false;
    switch (s.shotPhase) {
    case phase::Aiming:
        DrawBalls(s, frame);
        AimCue(s);
        DrawCue(s, frame, s.aimDX, s.aimDY);
        break;
    case phase::Stroking:
        DrawBalls(s, frame);
        StrokeCue(s);
        DrawCue(s, frame, s.aimDX, s.aimDY);
        break;
    case phase::Rolling:
        shotEnded = MoveBalls(s);
        DrawBalls(s, frame);
        DrawCueAfterShot(s, frame);
        if (shotEnded)
            EndShot(s);
        break;
    default:
        break;
    }
    ShowFrame(s, b);
    return shotEnded;
}
