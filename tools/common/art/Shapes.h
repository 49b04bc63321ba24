#pragma once
// Shapes as signed distances in units (negative inside), and the grid
// operations the effects are built from: coverage, blur, the distance field
// of a rasterised mask.
#include <algorithm>
#include <utility>
#include <vector>

#include "tools/common/art/Raster.h"

namespace Tools::Art {

struct Point {
    float x = 0.0f;
    float y = 0.0f;
};

float RoundedBoxDistance(float x, float y, float x0, float y0, float x1, float y1, float radius);
float CircleDistance(float x, float y, float cx, float cy, float radius);
// An ellipse's distance, exact on the axes and close enough elsewhere for
// edges and bevels.
float EllipseDistance(float x, float y, float cx, float cy, float rx, float ry);
// The distance to the segment a-b minus the radius: a capsule.
float CapsuleDistance(float x, float y, const Point& a, const Point& b, float radius);
// A closed polygon, any winding; even-odd inside test.
float PolygonDistance(float x, float y, const std::vector<Point>& polygon);
// The distance to a polyline minus the radius: a stroke of width 2 radius.
float StrokeDistance(float x, float y, const std::vector<Point>& line, float radius);
// Points along a quadratic or cubic Bezier curve, both ends included.
std::vector<Point> QuadraticCurve(const Point& a, const Point& control, const Point& b, int steps);
std::vector<Point> CubicCurve(const Point& a, const Point& c1, const Point& c2, const Point& b, int steps);
// A leaf pointing along angle (radians), its base at (x, y): width wide in
// the middle, narrowing to both tips.
float LeafDistance(float px, float py, float x, float y, float length, float width, float angle);
// Union with a rounded join of about k units.
float SmoothUnion(float d1, float d2, float k);

// A grid of the distance function at every pixel centre.
template <class Distance>
Grid FieldOf(int width, int height, float scale, Distance distance) {
    Grid grid(width, height, scale);
    for (int y = 0; y < height; ++y) {
        const float uy = grid.UnitY(y);
        for (int x = 0; x < width; ++x) {
            grid.At(x, y) = distance(grid.UnitX(x), uy);
        }
    }
    return grid;
}

// The same over the rectangle (x0, y0)-(x1, y1) in units widened by margin
// units, clipped to a canvas of width × height pixels: for small shapes on
// large pictures.
template <class Distance>
Grid FieldIn(int width, int height, float scale, float x0, float y0, float x1, float y1, float margin,
             Distance distance) {
    const int px0 = std::max(0, static_cast<int>((x0 - margin) * scale) - 1);
    const int py0 = std::max(0, static_cast<int>((y0 - margin) * scale) - 1);
    const int px1 = std::min(width, static_cast<int>((x1 + margin) * scale) + 2);
    const int py1 = std::min(height, static_cast<int>((y1 + margin) * scale) + 2);
    Grid grid(px0, py0, std::max(1, px1 - px0), std::max(1, py1 - py0), scale);
    for (int y = 0; y < grid.height; ++y) {
        const float uy = grid.UnitY(y);
        for (int x = 0; x < grid.width; ++x) {
            grid.At(x, y) = distance(grid.UnitX(x), uy);
        }
    }
    return grid;
}

// A stroke's distance over its own bounds widened by margin units.
Grid StrokeField(int width, int height, float scale, const std::vector<Point>& line, float radius, float margin);

// The share of each pixel inside the shape, from its distance.
Grid Coverage(const Grid& distance);
// The signed distance (units) of a coverage grid's 0.5 contour, refined by
// the coverage of the edge pixels.
Grid DistanceOfCoverage(const Grid& coverage);
// Three box passes of the given radius in units: close to a Gaussian.
Grid Blur(const Grid& grid, float radius);
// The grid moved by (dx, dy) units; what comes in from outside is fill.
Grid Shifted(const Grid& grid, float dx, float dy, float fill);
// Union and difference of distance grids of one size.
Grid Union(const Grid& a, const Grid& b);
Grid Subtract(const Grid& a, const Grid& b);
// The distance grown outwards by r units (negative r shrinks).
Grid Grown(const Grid& distance, float r);

} // namespace Tools::Art
