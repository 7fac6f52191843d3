#pragma once

// Three sizes a few pixels apart, in logical pixels, largest first:
// - the table image, the whole picture of the table with its outer edge;
// - the window's client area below the menu bar, which has the table image as
//   its background from its top-left corner, so the edge's rightmost 3
//   columns and bottom row fall outside it;
// - a drawing surface, where a frame is drawn and shown, at the client area's
//   top-left: 1 pixel narrower and 3 shorter, so strips of the background
//   show right of and below every frame, and the outer edge's right and
//   bottom lines on none.
struct Size {
    int width, height;
};
constexpr Size kTableImageSize{329, 497};
constexpr Size kClientAreaSize{326, 496};
constexpr Size kSurfaceSize{325, 493};
