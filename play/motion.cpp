#include "play/motion.h"

#include <cfloat>
#include <cmath>

// Every build computes float and double in their own width; carried wider, as
// on the x87 unit, the same shot would end elsewhere.
static_assert(FLT_EVAL_METHOD == 0, "float arithmetic carries excess precision in this build");

namespace {

// One axis of a ball: friction, then the move, then the cushion, which clamps
// the centre to its limit and reflects and damps the velocity once more.
// A centre landing exactly on a limit keeps its velocity.
bool MoveAlong(float& pos, float& vel, float low, float high)
{
    if (!(std::fabs(vel) > table::kStopThreshold))
        return false;
    vel = static_cast<float>(vel * table::kFriction);
    pos = static_cast<float>(static_cast<double>(pos) + vel);
    if (pos < low) {
        pos = low;
        vel = static_cast<float>(-vel * table::kFriction);
    } else if (pos > high) {
        pos = high;
        vel = static_cast<float>(-vel * table::kFriction);
    }
    return true;
}

void Capture(GameState& s, int i)
{
    s.ballVX[i] = 0.0f;
    s.ballVY[i] = 0.0f;
    s.ballX[i] = kPocketedX;
    s.pottedCount = static_cast<int16_t>(s.pottedCount + 1);
}

// Soft contact: overlapping balls push each other apart through their
// velocities, never their positions, and both lose speed. The box test comes
// before the square root so the root is only taken for near pairs.
void Collide(GameState& s, int i, int j)
{
    const float dx = s.ballX[i] - s.ballX[j];
    if (!(std::fabs(dx) < table::kContact))
        return;
    const float dy = s.ballY[i] - s.ballY[j];
    if (!(std::fabs(dy) < table::kContact))
        return;
    const double distance = std::sqrt(static_cast<double>(dy) * dy + static_cast<double>(dx) * dx);
    const float overlap = static_cast<float>(static_cast<double>(table::kContact) - distance);
    if (!(overlap > 0.0f))
        return;
    const float k = overlap / table::kContact;
    const double kx = static_cast<double>(k) * dx;
    const double ky = static_cast<double>(k) * dy;
    s.ballVX[j] = static_cast<float>((s.ballVX[j] - kx) * table::kDamping);
    s.ballVY[j] = static_cast<float>((s.ballVY[j] - ky) * table::kDamping);
    s.ballVX[i] = static_cast<float>((s.ballVX[i] + kx) * table::kDamping);
    s.ballVY[i] = static_cast<float>((s.ballVY[i] + ky) * table::kDamping);
}

} // namespace

bool InPocket(float x, float y)
{
    const bool besideCushion = x < table::kPocketLeft || x > table::kPocketRight;
    const bool atPocketHeight = y < table::kCornerTop || y > table::kCornerBottom
        || (y > table::kSideTop && y < table::kSideBottom);
    return besideCushion && atPocketHeight;
}

bool MoveBalls(GameState& s)
{
    int16_t moving = 0;
    for (int i = 0; i < GameState::kBalls; ++i) {
        if (MoveAlong(s.ballX[i], s.ballVX[i], table::kLeft, table::kRight))
            ++moving;
        if (MoveAlong(s.ballY[i], s.ballVY[i], table::kTop, table::kBottom))
            ++moving;
        if (Pocketed(s, i))
            continue;
        // A ball captured now starts no contacts: pocketed balls must not be
        // pushed along unseen and keep the shot rolling.
        if (InPocket(s.ballX[i], s.ballY[i])) {
            Capture(s, i);
            continue;
        }
        for (int j = i + 1; j < GameState::kBalls; ++j)
            Collide(s, i, j);
    }
    return moving == 0;
}
