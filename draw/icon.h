#pragma once

#include <QIcon>

// The game's own icon, for the window and the program: the 16-colour 32 x 32
// picture and larger renderings of the same ball.
QIcon TavloIcon();
