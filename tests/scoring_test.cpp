#include <gtest/gtest.h>

#include "play/rack.h"
#include "play/scoring.h"

namespace {

// A racked table mid-game, rolling, with the given balls already in pockets
// before the shot and the given balls dropped during it.
struct Shot {
    int16_t shooter = 1;
    int16_t score1 = 0;
    int16_t score2 = 0;
    std::initializer_list<int> downBefore = {};
    std::initializer_list<int> dropped = {};
};

GameState AtRestAfter(const Shot& shot)
{
    GameState s;
    RackBalls(s);
    s.gameResult = result::Running;
    s.currentPlayer = shot.shooter;
    s.score1 = shot.score1;
    s.score2 = shot.score2;
    for (int i : shot.downBefore)
        s.ballX[i] = 0.0f;
    for (int i : shot.dropped) {
        s.ballX[i] = 0.0f;
        s.ballY[i] = 50.0f;
        ++s.pottedCount;
    }
    s.shotPhase = phase::Rolling;
    s.ballVX[4] = 0.2f;
    return s;
}

} // namespace

TEST(EndOfShot, NothingDroppedPassesTheTurnAndPreparesTheNextShot)
{
    GameState s = AtRestAfter({.shooter = 1});
    EndShot(s);
    EXPECT_EQ(s.currentPlayer, -1);
    EXPECT_EQ(s.score1, 0);
    EXPECT_EQ(s.shotPhase, phase::Aiming);
    EXPECT_EQ(s.ballVX[4], 0.0f);
    EXPECT_EQ(s.stopRequested, flag::False);
}

TEST(EndOfShot, OnlyTheCueBallDroppedIsRespottedAndPassesTheTurn)
{
    GameState s = AtRestAfter({.shooter = -1, .score1 = 2, .score2 = 1, .dropped = {0}});
    EndShot(s);
    EXPECT_EQ(s.ballX[0], 161.0f);
    EXPECT_EQ(s.ballY[0], 354.0f);
    EXPECT_EQ(s.score1, 2);
    EXPECT_EQ(s.score2, 1);
    EXPECT_EQ(s.pottedCount, 0);
    EXPECT_EQ(s.currentPlayer, 1);
}

TEST(EndOfShot, CueBallPottedWithObjectBallKeepsTheTurn)
{
    GameState s = AtRestAfter({.shooter = 1, .dropped = {0, 3}});
    EndShot(s);
    EXPECT_EQ(s.score1, 1);
    EXPECT_EQ(s.currentPlayer, 1);
    EXPECT_EQ(s.ballX[0], 161.0f);
    EXPECT_EQ(s.stopRequested, flag::False);
}

TEST(EndOfShot, EveryObjectBallCountsForTheShooter)
{
    GameState s = AtRestAfter({.shooter = -1, .score2 = 1, .downBefore = {1}, .dropped = {2, 5, 9}});
    EndShot(s);
    EXPECT_EQ(s.score2, 4);
    EXPECT_EQ(s.score1, 0);
    EXPECT_EQ(s.currentPlayer, -1);
    EXPECT_EQ(s.gameResult, result::Running);
}

TEST(EndOfShot, CueBallIsRespottedEvenOntoAnotherBall)
{
    GameState s = AtRestAfter({.dropped = {0, 1}});
    s.ballX[2] = 161.0f;
    s.ballY[2] = 354.0f;
    EndShot(s);
    EXPECT_EQ(s.ballX[0], s.ballX[2]);
    EXPECT_EQ(s.ballY[0], s.ballY[2]);
}

TEST(BlackBall, EarlyBlackLosesForTheShooterEvenWithFivePoints)
{
    GameState one = AtRestAfter({.shooter = 1, .score1 = 5, .downBefore = {1, 2, 3, 4, 5}, .dropped = {8}});
    EndShot(one);
    EXPECT_EQ(one.gameResult, result::Player2Wins);
    EXPECT_EQ(one.stopRequested, flag::True);
    EXPECT_EQ(one.score1, 6);
    EXPECT_EQ(one.currentPlayer, 1);

    GameState two = AtRestAfter({.shooter = -1, .dropped = {8}});
    EndShot(two);
    EXPECT_EQ(two.gameResult, result::Player1Wins);
    EXPECT_EQ(two.currentPlayer, -1);
}

TEST(BlackBall, LastBlackIsDecidedByThePointsWhoeverShot)
{
    GameState s = AtRestAfter({.shooter = 1, .score1 = 2, .score2 = 6,
                               .downBefore = {1, 2, 3, 4, 5, 6, 7, 9}, .dropped = {8}});
    EndShot(s);
    EXPECT_EQ(s.score1, 3);
    EXPECT_EQ(s.gameResult, result::Player2Wins);
    EXPECT_EQ(s.stopRequested, flag::True);

    GameState p2 = AtRestAfter({.shooter = -1, .score1 = 6, .score2 = 2,
                                .downBefore = {1, 2, 3, 4, 5, 6, 7, 9}, .dropped = {8}});
    EndShot(p2);
    EXPECT_EQ(p2.gameResult, result::Player1Wins);
    EXPECT_EQ(p2.currentPlayer, -1);
}

TEST(BlackBall, BlackWithTheLastOtherObjectBallIsDecidedByThePoints)
{
    GameState s = AtRestAfter({.shooter = -1, .score1 = 3, .score2 = 4,
                               .downBefore = {1, 2, 3, 4, 5, 6, 7}, .dropped = {9, 8}});
    EndShot(s);
    EXPECT_EQ(s.score2, 6);
    EXPECT_EQ(s.gameResult, result::Player2Wins);
}

TEST(BlackBall, LastBlackWithTheCueBallLosesForTheShooterEvenWithFivePoints)
{
    GameState s = AtRestAfter({.shooter = 1, .score1 = 6, .score2 = 2,
                               .downBefore = {1, 2, 3, 4, 5, 6, 7, 9}, .dropped = {0, 8}});
    EndShot(s);
    EXPECT_EQ(s.score1, 7);
    EXPECT_EQ(s.gameResult, result::Player2Wins);
    EXPECT_EQ(s.ballX[0], 161.0f);

    GameState p2 = AtRestAfter({.shooter = -1, .score1 = 2, .score2 = 6,
                                .downBefore = {1, 2, 3, 4, 5, 6, 7, 9}, .dropped = {8, 0}});
    EndShot(p2);
    EXPECT_EQ(p2.gameResult, result::Player1Wins);
}

TEST(Scoreboard, MarksThePlayerToShootInNineCharacters)
{
    GameState s;
    s.currentPlayer = 1;
    EXPECT_EQ(ScoreboardText(s), ">00    00");
    s.score1 = 3;
    s.score2 = 5;
    EXPECT_EQ(ScoreboardText(s), ">03    05");
    s.currentPlayer = -1;
    EXPECT_EQ(ScoreboardText(s), " 03   >05");
    s.score1 = 9;
    s.score2 = 0;
    EXPECT_EQ(ScoreboardText(s), " 09   >00");
    EXPECT_EQ(ScoreboardText(s).size(), 9u);
}

TEST(Scoreboard, TenOrMorePointsShowAllTheirDigits)
{
    GameState s;
    s.currentPlayer = 1;
    s.score1 = 10;
    s.score2 = 123;
    EXPECT_EQ(ScoreboardText(s), ">10    123");
}
