#pragma once
// Art of the later screens: the level map's parchment with its trail and its
// elements, the stage totems, the game-complete light effects, the pointer
// pictures (the tutorial's, the custom cursor's and the system cursors'),
// the tutorial's small board and the maker's splash card.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/art/Lettering.h"
#include "tools/common/art/Raster.h"
#include "tools/common/art/Shapes.h"

namespace Tools::Art {

// The parchment map with the trail through the given points (units relative
// to the canvas' lower-left corner), bending outwards between rows.
Canvas DrawMap(float w, float h, const std::vector<Point>& trail, float scale);

enum class MapElementKind { Start, Finish, CheckPoint, Path, PathCheckPoint };
// Frame 0 open, 1 passed, 2 hover, 3 current, 4 ahead (preview), 5 shadow.
Canvas DrawMapElement(float size, MapElementKind kind, int frame, float scale);

// A stage's carved totem: lit (its colours and a glowing gem) or unlit
// (greyed); stages 0 to 7 differ in face, colours and crown.
Canvas DrawTotem(float w, float h, int stage, bool lit, float scale);

// Full-screen light for the game's end: 0 a turning sunburst of rays, 1 a
// ring of sparkles, 2 a soft violet and gold bloom. White-gold on clear.
Canvas DrawLightRays(float size, int rays, float scale);
Canvas DrawSparkleRing(float size, float scale, uint32_t seed);
Canvas DrawBloom(float size, float scale);

// The golden leaf arrow with two blue gems, its tip at the top-left corner.
Canvas DrawPointer(float size, float scale);
// The same with a magnifying glass or a horseshoe magnet over it.
Canvas DrawPointerWithTip(float size, float scale);
Canvas DrawPointerWithMagnet(float size, float scale);
// The tutorial's pointer: the arrow and a mouse whose button shows pressed
// (0 none, 1 right, 2 left); the tip at the top-left corner.
Canvas DrawTutorialPointer(float w, float h, int pressed, float scale);
// That mouse alone, over the box (x0, y0)-(x1, y1) of the canvas, in units.
void PaintMouse(Canvas& c, float x0, float y0, float x1, float y1, int pressed);
// A caption on wood: cream letters with a dark outline and shadow, the pen
// from (x, baseline) units; returns where the pen stops.
float PaintCaption(Canvas& c, const Typeface& face, const std::u32string& text, float size, float x, float baseline);
// A gold coin with the step's digit, its left edge at x and centred on cy;
// returns its right edge.
float PaintStepBadge(Canvas& c, const Typeface& face, int step, float x, float cy);

// A small picture for the tutorial's puzzle: a flower in a meadow.
Canvas DrawTutorialPicture(float w, float h, float scale);

// The maker's card shown at start, for an 800 × 600 screen.
Canvas DrawSplash(float w, float h, const Typeface& face, float scale);

} // namespace Tools::Art
