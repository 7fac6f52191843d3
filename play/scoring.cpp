#include "play/scoring.h"

#include <cstdio>

#include "play/rack.h"

namespace {

bool ObjectBallLeft(const GameState& s)
{
    for (int i = 1; i < GameState::kBalls; ++i) {
        if (!Pocketed(s, i))
            return true;
    }
    return false;
}

std::string FormatScore(int16_t score)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d", static_cast<int>(score));
    return digits;
}

} // namespace

void ScoreShot(GameState& s)
{
    const bool cueBallPotted = Pocketed(s, 0);
    if (cueBallPotted) {
        s.ballX[0] = rules::kCueSpotX;
        s.ballY[0] = rules::kCueSpotY;
        s.pottedCount = static_cast<int16_t>(s.pottedCount - 1);
    }
    int16_t& shooterScore = s.currentPlayer == 1 ? s.score1 : s.score2;
    shooterScore = static_cast<int16_t>(shooterScore + s.pottedCount);

    if (s.pottedCount <= 0 || !Pocketed(s, rules::kBlack))
        return;

    // The black ball is down: on the last object ball with the cue ball kept on
    // the table the points decide, otherwise the shooter loses.
    if (!ObjectBallLeft(s) && !cueBallPotted) {
        if (s.score1 >= rules::kWinningPoints)
            s.gameResult = result::Player1Wins;
        if (s.score2 >= rules::kWinningPoints)
            s.gameResult = result::Player2Wins;
    } else {
        s.gameResult = s.currentPlayer == 1 ? result::Player2Wins : result::Player1Wins;
    }
    s.stopRequested = flag::True;
}

void EndShot(GameState& s)
{
    if (s.pottedCount > 0)
        ScoreShot(s);
    if (s.pottedCount == 0)
        s.currentPlayer = static_cast<int16_t>(-s.currentPlayer);
    ResetShot(s);
}

std::string ScoreboardText(const GameState& s)
{
    const std::string one = FormatScore(s.score1);
    const std::string two = FormatScore(s.score2);
    if (s.currentPlayer == 1)
        return ">" + one + "    " + two;
    return " " + one + "   >" + two;
}
