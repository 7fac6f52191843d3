#pragma once

// The game's window driven offscreen through Qt's own input path, for the
// window scenarios and the soak.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "control/frmtavlo.h"

struct Box {
    QString title, text;
    int ticksWhileOpen;
};

struct Game {
    explicit Game(int ticksPerSecond = 250) : window(ticksPerSecond) {}

    // Runs the program's life; `atTick` acts in the event pump after each
    // tick. Message boxes are answered after a few turns of the event loop
    // and noted. A game still ticking after `limit` ticks, or neither ticking
    // nor showing a box for two seconds, is closed and fails.
    void Play(std::function<void(int tick)> atTick, int limit = 1000)
    {
        QObject::connect(&window, &frmTavlo::frameShown, [this, atTick, limit] {
            if (++ticks <= limit)
                return atTick(ticks);
            ADD_FAILURE() << "still ticking after " << limit << " ticks";
            window.close();
        });
        QTimer answer;
        answer.callOnTimeout([this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            idle = box || ticks != lastTicks ? 0 : idle + 1;
            lastTicks = ticks;
            if (idle == 200 && window.isVisible()) {
                ADD_FAILURE() << "the game neither ticks nor shows a box";
                window.close();
            }
            if (box && boxTurns++ == 0)
                openedAt = ticks;
            if (box && boxTurns == 3) {
                boxTurns = 0;
                boxes.push_back({box->windowTitle(), box->text(), ticks - openedAt});
                box->button(QMessageBox::Ok)->click();
            }
        });
        answer.start(10);
        status = window.Run();
    }

    GameState& s() { return window.state(); }
    QString Scoreboard() const { return window.mnuCappy()->text(); }
    QPoint At(QPointF p) const { return window.centralWidget()->mapTo(&window, p.toPoint()); }
    void Point(QPointF p) { QTest::mouseMove(window.windowHandle(), At(p)); }
    void Press(Qt::MouseButton button) { QTest::mouseClick(window.windowHandle(), button, {}, At({s().mouseX, s().mouseY})); }
    // Sends a ball rolling, as a strike would.
    void Roll(int ball, float x, float y, float vx, float vy)
    {
        s().ballX[ball] = x, s().ballY[ball] = y, s().ballVX[ball] = vx, s().ballVY[ball] = vy;
        s().shotPhase = phase::Rolling;
    }

    frmTavlo window;
    int ticks = 0, status = -1, boxTurns = 0, openedAt = 0, idle = 0, lastTicks = 0;
    std::vector<Box> boxes;
};
