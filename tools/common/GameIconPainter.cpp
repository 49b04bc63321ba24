#include "tools/common/GameIconPainter.h"

#include <algorithm>
#include <cmath>

namespace Tools {

namespace {

constexpr int kSamples = 4;  // per pixel and axis

struct Vec {
    double x = 0, y = 0;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(Vec a, double s) { return {a.x * s, a.y * s}; }
double Length(Vec a) { return std::hypot(a.x, a.y); }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }

struct Color {
    double r = 0, g = 0, b = 0;
};
Color Mix(Color a, Color b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Color Scaled(Color c, double s) { return {c.r * s, c.g * s, c.b * s}; }
constexpr Color Hex(uint32_t rgb)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

// The palette of the game's art.
constexpr Color kWoodDark = Hex(0x5A3A1E), kWoodMid = Hex(0x8B5A2B), kWoodLight = Hex(0xC68E4E),
                kWoodHighlight = Hex(0xE8B878);
constexpr Color kLeaf = Hex(0x5FA83A), kLeafDark = Hex(0x2F6B22), kLeafLight = Hex(0xA8DA6E);
constexpr Color kGoldTop = Hex(0xFFD86B), kGoldBottom = Hex(0xE0A030), kGoldOutline = Hex(0x6B4510),
                kCream = Hex(0xFFF4D6);

double SmoothStep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Towards the light, in picture coordinates (y down): the top left.
const Vec kLight{-std::sqrt(0.5), -std::sqrt(0.5)};

// The disc: the wooden rim ends at kDiscRadius, the leaf inside kLeafRadius.
constexpr double kDiscRadius = 0.97;
constexpr double kLeafRadius = 0.80;

// The piece, in its own frame: a rounded square with tabs on the top and
// right edges and blanks in the left and bottom ones.
constexpr double kHalf = 0.35;
constexpr double kCorner = 0.05;
constexpr double kKnob = 0.135;                // radius of a tab or blank
constexpr double kKnobOffset = 0.6 * kKnob;     // of its centre beyond the edge
const Vec kPieceCentre{-0.01, 0.06};
const double kTilt = -0.2;  // radians

double RoundedBox(Vec p, double half, double corner)
{
    const Vec q{std::fabs(p.x) - (half - corner), std::fabs(p.y) - (half - corner)};
    const Vec outside{std::max(q.x, 0.0), std::max(q.y, 0.0)};
    return Length(outside) + std::min(std::max(q.x, q.y), 0.0) - corner;
}

double Circle(Vec p, Vec centre, double radius) { return Length(p - centre) - radius; }

// Signed distance to the piece's outline: negative inside.
double Piece(Vec p)
{
    const Vec d = p - kPieceCentre;
    const double c = std::cos(kTilt), s = std::sin(kTilt);
    const Vec q{c * d.x + s * d.y, -s * d.x + c * d.y};
    const double edge = kHalf + kKnobOffset;
    const double inner = kHalf - kKnobOffset;
    double shape = RoundedBox(q, kHalf, kCorner);
    shape = std::min(shape, Circle(q, {0, -edge}, kKnob));      // top tab
    shape = std::min(shape, Circle(q, {edge, 0}, kKnob));       // right tab
    shape = std::max(shape, -Circle(q, {-inner, 0}, kKnob));    // left blank
    shape = std::max(shape, -Circle(q, {0, inner}, kKnob));     // bottom blank
    return shape;
}

// The outward direction of the piece's surface at p.
Vec PieceNormal(Vec p)
{
    constexpr double h = 0.002;
    const Vec g{Piece(p + Vec{h, 0}) - Piece(p - Vec{h, 0}), Piece(p + Vec{0, h}) - Piece(p - Vec{0, h})};
    const double length = Length(g);
    return length > 0 ? g * (1 / length) : Vec{};
}

Color Wood(Vec p, double radius)
{
    // Rings across the grain, bent by a slow wave.
    const double grain = 0.5 + 0.5 * std::sin(38 * (p.y + 0.04 * std::sin(9 * p.x)) + 3 * p.x);
    Color wood = Mix(kWoodMid, kWoodLight, 0.55 * grain);
    // A rounded rim: lit where it faces the light, dark at its outer edge.
    const Vec outward = radius > 0 ? p * (1 / radius) : Vec{};
    const double across = (radius - kLeafRadius) / (kDiscRadius - kLeafRadius);  // 0 inner, 1 outer
    const double slope = std::cos(across * 3.14159265);  // inner half faces in, outer half out
    const double lit = Dot(outward, kLight) * slope;
    wood = lit > 0 ? Mix(wood, kWoodHighlight, 0.6 * lit) : Mix(wood, kWoodDark, -0.6 * lit);
    return Mix(wood, kWoodDark, SmoothStep(0.85, 1.0, across) * 0.7);
}

Color Leaf(Vec p, double radius)
{
    // Brightest toward the light, deepening to the rim.
    const double t = Length(p - Vec{-0.4, -0.4});
    Color leaf = Mix(kLeafLight, kLeaf, SmoothStep(0.0, 0.7, t));
    leaf = Mix(leaf, kLeafDark, SmoothStep(0.7, 1.5, t));
    // The midrib runs from the bottom left to the top right, side veins
    // leave it toward the rim.
    const double along = (p.x - p.y) * std::sqrt(0.5);
    const double across = (p.x + p.y) * std::sqrt(0.5);
    const double rib = 1 - SmoothStep(0.006, 0.02, std::fabs(across));
    const double phase = along * 5 + std::fabs(across) * 3;
    const double vein = (1 - SmoothStep(0.02, 0.07, std::fabs(phase - std::round(phase)))) *
                        SmoothStep(0.05, 0.12, std::fabs(across));
    leaf = Mix(leaf, kLeafLight, 0.35 * rib + 0.18 * vein);
    // The rim's shadow on the leaf's edge.
    return Scaled(leaf, 1 - 0.35 * SmoothStep(kLeafRadius - 0.08, kLeafRadius, radius));
}

Color Gold(Vec p, double distance)
{
    Color gold = Mix(kGoldTop, kGoldBottom, SmoothStep(-0.35, 0.45, p.y + 0.3 * p.x));
    // A bevel along the outline, lit from the top left.
    const double bevel = 1 - SmoothStep(0.0, 0.08, -distance);
    const double lit = Dot(PieceNormal(p), kLight);
    gold = lit > 0 ? Mix(gold, kCream, 0.7 * lit * bevel) : Mix(gold, kGoldOutline, -0.55 * lit * bevel);
    // A soft shine on the upper left of the face.
    const Vec shine = p - Vec{-0.14, -0.12};
    const double glow = std::exp(-(shine.x * shine.x / 0.012 + shine.y * shine.y / 0.006));
    gold = Mix(gold, kCream, 0.55 * glow);
    // The dark outline.
    return Mix(gold, kGoldOutline, 1 - SmoothStep(0.018, 0.03, -distance));
}

// The colour and coverage of one point of the picture.
void Sample(Vec p, Color& color, double& alpha)
{
    const double radius = Length(p);
    if (radius > kDiscRadius) {
        alpha = 0;
        return;
    }
    alpha = 1;
    if (radius > kLeafRadius) {
        color = Wood(p, radius);
        return;
    }
    color = Leaf(p, radius);
    const double distance = Piece(p);
    if (distance < 0) {
        color = Gold(p, distance);
        return;
    }
    // The piece's shadow, thrown down and to the right.
    const double shadow = 1 - SmoothStep(-0.03, 0.07, Piece(p - Vec{0.06, 0.07}));
    color = Scaled(color, 1 - 0.45 * shadow);
}

uint8_t Byte(double value) { return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255)); }

} // namespace

std::vector<uint8_t> PaintGameIcon(uint32_t side)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(side) * side * 4, 0);
    const double step = 2.0 / (side * kSamples);
    for (uint32_t y = 0; y < side; ++y) {
        for (uint32_t x = 0; x < side; ++x) {
            // Averaged with premultiplied colours, so the transparent
            // outside does not darken the rim.
            Color sum;
            double coverage = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Vec p{-1 + ((x * kSamples + sx) + 0.5) * step, -1 + ((y * kSamples + sy) + 0.5) * step};
                    Color c;
                    double a = 0;
                    Sample(p, c, a);
                    sum = {sum.r + c.r * a, sum.g + c.g * a, sum.b + c.b * a};
                    coverage += a;
                }
            }
            uint8_t* out = &pixels[(static_cast<size_t>(y) * side + x) * 4];
            if (coverage > 0) {
                out[0] = Byte(sum.r / coverage);
                out[1] = Byte(sum.g / coverage);
                out[2] = Byte(sum.b / coverage);
            }
            out[3] = Byte(coverage / (kSamples * kSamples));
        }
    }
    return pixels;
}

} // namespace Tools
