#pragma once

#include <QImage>

#include "draw/sizes.h"

// The table seen from above: frame, cloth, cushion edges and six pockets, in
// RGB32 at ceil(329 * dpr) x ceil(497 * dpr) device pixels. At ratio 1 every
// pixel has exactly its laid-out colour; at higher ratios the same layout is
// painted at the finer resolution rather than enlarged.
QImage PaintTableImage(qreal dpr);
