#pragma once
// The painted garden behind the menus, layer by layer, in screen units
// (800 × 600, y up). Each function draws its layer onto a canvas that
// covers the screen rectangle whose lower-left corner is (left, bottom);
// what lies outside the canvas is simply not drawn.
#include <cstdint>

#include "tools/common/art/Raster.h"

namespace Tools::Art {

struct Placement {
    float left = 0.0f;
    float bottom = 0.0f;
};

// Gradient sky with a soft sun; opaque.
void DrawSky(Canvas& canvas, const Placement& at);
// Fluffy clouds, lit from the sun's side.
void DrawClouds(Canvas& canvas, const Placement& at);
// Three ranges of rolling hills, hazier with distance.
void DrawHills(Canvas& canvas, const Placement& at);
// The meadow in front: grass with flowers, a ragged top edge of blades.
void DrawMeadow(Canvas& canvas, const Placement& at);
// A group of round-crowned trees standing on the meadow, trunks at the given
// screen x positions (their count is the group's size).
void DrawTrees(Canvas& canvas, const Placement& at, const float* trunks, const float* heights, int count,
               uint32_t seed);
// A river winding from the far hills out of the bottom of the screen.
void DrawRiver(Canvas& canvas, const Placement& at);
// A small castle on a far hill.
void DrawCastle(Canvas& canvas, const Placement& at);
// A translucent rainbow arc over the scene.
void DrawRainbow(Canvas& canvas, const Placement& at);
// The unicorn facing left, at pose phase 0 to 1 of its idle loop (mane and
// tail flowing, head nodding, sparkles about the horn); drawn to fill the
// canvas (its own units, the canvas' size).
void DrawUnicorn(Canvas& canvas, float phase);

} // namespace Tools::Art
