// Writes what the scripts that drive the real game's window need to know of
// it, as shell assignments, from the game's own values: the client area's
// width, the cue spot, the cue's reach and the distance at which it strikes,
// the colours of the cloth, the cue ball and the cue's tip, and the box of
// the cloth's colour in the table.
// Usage: tavlo_constants OUTPUT_FILE

#include <QImage>
#include <QRect>
#include <cstdio>

#include "control/tableview.h"
#include "draw/colors.h"
#include "draw/paint.h"
#include "draw/tableimage.h"
#include "play/scoring.h"
#include "play/stroke.h"

int main(int argc, char* argv[])
{
    std::FILE* out = argc == 2 ? std::fopen(argv[1], "w") : nullptr;
    if (!out)
        return 1;
    GameState s;
    InitColors(s);
    const QImage table = PaintTableImage(1);
    const int x = static_cast<int>(rules::kCueSpotX), y = static_cast<int>(rules::kCueSpotY);
    const QRgb cloth = table.pixel(x, y);
    QRect box;
    for (int row = 0; row < table.height(); ++row)
        for (int column = 0; column < table.width(); ++column)
            if (table.pixel(column, row) == cloth)
                box |= QRect(column, row, 1, 1);
    std::fprintf(out, "client_width=%d spot_x=%d spot_y=%d reach=%d strike=%d\n", client::kWidth, x, y,
                 static_cast<int>(cue::kAimLength), static_cast<int>(cue::kStrikeDistance));
    // Colours as "r,g,b".
    const auto colour = [out](const char* name, QColor c) {
        std::fprintf(out, "%s=%d,%d,%d\n", name, c.red(), c.green(), c.blue());
    };
    colour("cloth", QColor(cloth));
    colour("cue_ball", ToQColor(s.ballColor[0]));
    colour("cue_tip", ToQColor(s.cueColorTip));
    std::fprintf(out, "cloth_size=%dx%d cloth_left=%d cloth_top=%d\n", box.width(), box.height(), box.x(), box.y());
    return std::fclose(out) == 0 ? 0 : 1;
}
