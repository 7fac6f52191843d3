#pragma once

#include <QApplication>
#include <memory>

// A scale of the whole display that Qt would take but that leaves the window
// no pixels (0 or less, or not finite) is treated as 1, as Qt itself treats
// one that is not a number.
void ForgetUnusableScale();

// The application on the display that the environment names. Without one,
// the program ends with status 1 and one line on standard error naming what
// it tried, rather than Qt's abort and its advice to reinstall the program.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

// Ends the program once its window is gone. Nothing of the game is left to
// save, and Qt's Wayland teardown can wait forever on its event thread, so
// the program ends without it.
[[noreturn]] void EndProgram(int status);
