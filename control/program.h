#pragma once

#include <QApplication>
#include <QVersionNumber>
#include <memory>

// A scale of the whole display that Qt would take but that leaves the window
// no pixels (0 or less, or not finite) is treated as 1, as Qt itself treats
// one that is not a number.
void ForgetUnusableScale();

// The application on the display that the environment names. Without one,
// the program ends with status 1 and one line on standard error naming what
// it tried, rather than Qt's abort and its advice to reinstall the program.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

// Where Qt holds a window at the largest size it asks for, whatever the
// window system configures (Wayland before Qt 6.8), a compositor that
// maximizes it takes no frame of another size: weston ends the program at the
// next one. There the game's windows ask for their smallest size only, and
// take the size they are given, as they do everywhere else.
bool QtHoldsLargestSize(const QString& platform, const QVersionNumber& qt);

// Ends the program once its window is gone. Nothing of the game is left to
// save, and Qt's Wayland teardown can wait forever on its event thread, so
// the program ends without it.
[[noreturn]] void EndProgram(int status);
