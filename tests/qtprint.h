#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QStringList>
#include <gtest/gtest.h>

#include "control/GameState.h"

// GoogleTest shows Qt's values as text, not as the bytes of the objects.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* os) { *os << "{\"" << texts.join("\", \"").toStdString() << "\"}"; }
inline void PrintTo(const QPointF& p, std::ostream* os) { *os << '(' << p.x() << ", " << p.y() << ')'; }
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << " x " << s.height(); }

// A game state by its fields, the balls as (x, y; vx, vy); the colours, set
// once, are left out.
inline void PrintTo(const GameState& s, std::ostream* os)
{
    *os << "{stop " << s.stopRequested << ", phase " << s.shotPhase << ", potted " << s.pottedCount << ", balls";
    for (int i = 0; i < GameState::kBalls; ++i)
        *os << ' ' << i << " (" << s.ballX[i] << ", " << s.ballY[i] << "; " << s.ballVX[i] << ", " << s.ballVY[i] << ')';
    *os << ", mouse " << s.mouseX << ' ' << s.mouseY << ", aim " << s.aimDX << ' ' << s.aimDY << ' ' << s.aimDistance << ", offset " << s.offsetX << ' ' << s.offsetY
        << ", before " << s.prevOffsetX << ' ' << s.prevOffsetY << ", cue " << s.cueDX << ' ' << s.cueDY << ", buffer " << s.drawBuffer << ", turn "
        << s.currentPlayer << ", scores " << s.score1 << ' ' << s.score2 << ", result " << s.gameResult << '}';
}

// Two pictures alike pixel for pixel, or where and how they differ.
inline ::testing::AssertionResult SamePicture(const QImage& seen, const QImage& expected)
{
    const QImage a = seen.convertToFormat(QImage::Format_RGB32), b = expected.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "a picture of " << a.width() << " x " << a.height() << " pixels, not " << b.width() << " x " << b.height();
    if (a == b)
        return ::testing::AssertionSuccess();
    int differ = 0, first = -1;
    for (int i = 0; i < a.width() * a.height(); ++i)
        if (a.pixel(i % a.width(), i / a.width()) != b.pixel(i % a.width(), i / a.width()) && differ++ == 0)
            first = i;
    const QPoint p(first % a.width(), first / a.width());
    return ::testing::AssertionFailure() << differ << " pixels differ, the first at (" << p.x() << ", " << p.y() << "): "
                                         << QColor(a.pixel(p)).name().toStdString() << " instead of " << QColor(b.pixel(p)).name().toStdString();
}
