#pragma once
// The level's art: the table around the board with the carved trough the
// pieces roll along, the HUD bar, the hole at the trough's end, the cart,
// the bonus icons and the mini game's arrows and tile rim.
#include <vector>

#include "tools/common/art/Raster.h"
#include "tools/common/art/Shapes.h"

namespace Tools::Art {

struct Rect {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
};

// The whole 800 × 600 screen of a level: a wooden table with the board's
// frame around the board (left open), the trough along the path, and a
// half-open window where the statistics are printed.
Canvas DrawTable(float w, float h, const Rect& board, const std::vector<Point>& path, const Rect& statistics, float scale);
// The HUD bar along the top, with the hollows its values sit in.
Canvas DrawHudBar(float w, float h, float scale);
// The pit at the trough's end: its dark inside, and its front rim, which
// the pieces pass behind.
Canvas DrawHoleBottom(float w, float h, float scale);
Canvas DrawHoleTop(float w, float h, float rimTop, float scale);
// A small wooden cart seen from the side.
Canvas DrawCart(float w, float h, float scale);

enum class BonusKind { Magnet, Pause, Rollback, Tip };
// A round gem with the bonus' sign on it.
Canvas DrawBonus(float size, BonusKind kind, float scale);
// A bold arrow pointing up, right, down or left (0 to 3).
Canvas DrawSmallArrow(float size, int direction, float scale);
// The mini game's tile rim: a square gold-rimmed wooden frame.
Canvas DrawTileRim(float size, float band, float scale);

} // namespace Tools::Art
