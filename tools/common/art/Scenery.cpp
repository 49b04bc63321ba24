#include "tools/common/art/Scenery.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/common/art/Effects.h"
#include "tools/common/art/Noise.h"
#include "tools/common/art/Shapes.h"
#include "tools/common/art/Surfaces.h"

namespace Tools::Art {

namespace {

constexpr float Pi = 3.14159265f;

// A distance field over the whole canvas from a function of screen units.
template <class Distance>
Grid ScreenField(const Canvas& c, const Placement& at, Distance distance) {
    return FieldOf(c.width, c.height, c.scale, [&](float x, float y) { return distance(x + at.left, y + at.bottom); });
}

// The same over a screen rectangle only.
template <class Distance>
Grid ScreenFieldIn(const Canvas& c, const Placement& at, float x0, float y0, float x1, float y1, float margin,
                   Distance distance) {
    return FieldIn(c.width, c.height, c.scale, x0 - at.left, y0 - at.bottom, x1 - at.left, y1 - at.bottom, margin,
                   [&](float x, float y) { return distance(x + at.left, y + at.bottom); });
}

template <class Surface>
void PaintScreen(Canvas& c, const Placement& at, const Grid& shape, Surface surface, const Bevel& bevel,
                 float opacity = 1.0f) {
    PaintShape(c, shape, [&](float x, float y) { return surface(x + at.left, y + at.bottom); }, bevel, opacity);
}

const Bevel kFlat{0.0f, 0.0f, 0.0f, 0.0f};

// A soft-edged fill: coverage falls from 1 to 0 across `soft` units of the
// distance, for clouds and haze.
template <class Surface>
void PaintSoft(Canvas& c, const Placement& at, const Grid& shape, float soft, Surface surface) {
    for (int y = 0; y < shape.height; ++y) {
        const int cy = y + shape.originY;
        if (cy < 0 || cy >= c.height) continue;
        for (int x = 0; x < shape.width; ++x) {
            const int cx = x + shape.originX;
            if (cx < 0 || cx >= c.width) continue;
            const float coverage = SmoothStep(soft, -soft, shape.At(x, y));
            if (coverage <= 0.0f) continue;
            c.Blend(cx, cy, surface(shape.UnitX(x) + at.left, shape.UnitY(y) + at.bottom), coverage);
        }
    }
}

float HillTop(float x, float base, float amplitude, float frequency, float phase, uint32_t seed) {
    const float wave = std::sin(x * frequency + phase) * 0.55f + std::sin(x * frequency * 2.3f + phase * 1.7f) * 0.2f;
    const float rough = (Fractal(x * 0.006f, 0.5f, seed, 3) - 0.5f) * 1.2f;
    return base + amplitude * (wave + rough);
}

} // namespace

void DrawSky(Canvas& c, const Placement& at) {
    static const Color stops[] = {Hex(0xF6DDA8), Palette::SkyHorizon, Palette::SkyMiddle, Palette::SkyTop, Hex(0x5EA6DE)};
    const float sunX = 655.0f, sunY = 440.0f;
    for (int y = 0; y < c.height; ++y) {
        const float sy = c.UnitY(y) + at.bottom;
        for (int x = 0; x < c.width; ++x) {
            const float sx = c.UnitX(x) + at.left;
            Color col = Gradient(sy, 60.0f, 640.0f, stops, 5);
            const float dx = sx - sunX, dy = sy - sunY;
            const float d2 = dx * dx + dy * dy;
            const float halo = std::exp(-d2 / (2.0f * 150.0f * 150.0f)) * 0.45f + std::exp(-d2 / (2.0f * 45.0f * 45.0f)) * 0.5f;
            col = Mix(col, Hex(0xFFF5D6), Clamp01(halo));
            const float disc = SmoothStep(24.0f, 19.0f, std::sqrt(d2));
            col = Mix(col, Hex(0xFFFCEE), disc);
            // A faint dither so that the gradient shows no bands.
            const float n = (Hash01(x, y, 77) - 0.5f) / 255.0f;
            c.At(x, y) = {col.r + n, col.g + n, col.b + n, 1.0f};
        }
    }
}

void DrawClouds(Canvas& c, const Placement& at) {
    struct Cloud {
        float x, y, w, h;
    };
    const Cloud clouds[] = {{90, 520, 150, 48}, {330, 565, 120, 36}, {560, 530, 170, 52}, {745, 470, 110, 34},
                            {215, 430, 100, 30}, {470, 395, 90, 24}, {40, 360, 80, 22}};
    uint32_t seed = 5;
    for (const Cloud& cloud : clouds) {
        // Puffs along the cloud, biggest in the middle, on a flat bottom.
        std::vector<Point> centres;
        std::vector<float> radii;
        const int puffs = 5 + static_cast<int>(cloud.w / 40.0f);
        for (int i = 0; i < puffs; ++i) {
            const float t = (static_cast<float>(i) + 0.5f) / static_cast<float>(puffs);
            const float bulge = std::sin(t * Pi);
            const float r = cloud.h * (0.32f + 0.4f * bulge) * (0.8f + 0.4f * NextRandom(seed));
            centres.push_back({cloud.x - cloud.w * 0.5f + cloud.w * t, cloud.y - cloud.h * 0.15f + r * 0.55f});
            radii.push_back(r);
        }
        const float bottom = cloud.y - cloud.h * 0.25f;
        const Grid shape = ScreenFieldIn(c, at, cloud.x - cloud.w * 0.8f, cloud.y - cloud.h, cloud.x + cloud.w * 0.8f,
                                         cloud.y + cloud.h * 1.3f, 8.0f, [&](float x, float y) {
            float d = 1e9f;
            for (size_t i = 0; i < centres.size(); ++i) {
                d = SmoothUnion(d, CircleDistance(x, y, centres[i].x, centres[i].y, radii[i]), cloud.h * 0.2f);
            }
            // Cut flat underneath, softly.
            d = std::max(d, bottom - y);
            // Lumpy outline.
            return d + (Fractal(x * 0.06f, y * 0.06f, 31, 2) - 0.5f) * 5.0f;
        });
        PaintSoft(c, at, shape, 2.5f, [&](float x, float y) {
            const float t = Clamp01((y - bottom) / (cloud.h * 1.1f));
            Color col = Mix(Hex(0xC4D2E8), Hex(0xFFFFFF), SmoothStep(0.0f, 0.75f, t));
            // Warm light on the side towards the sun (the right).
            const float warm = Clamp01((x - cloud.x) / cloud.w + 0.3f) * t;
            col = Mix(col, Hex(0xFFF1D2), 0.45f * warm);
            return WithAlpha(col, 0.96f);
        });
    }
}

void DrawHills(Canvas& c, const Placement& at) {
    struct Range {
        float base, amplitude, frequency, phase;
        Color crest, foot;
        uint32_t seed;
    };
    const Range ranges[] = {
        {292.0f, 26.0f, 0.011f, 0.7f, Hex(0xB4D6C6), Hex(0x8DBDAA), 3},
        {250.0f, 30.0f, 0.0085f, 2.4f, Hex(0x9BCB7C), Hex(0x6EA85A), 5},
        {198.0f, 22.0f, 0.0105f, 4.1f, Hex(0x86C25E), Hex(0x5A9A44), 7},
    };
    for (const Range& r : ranges) {
        const Grid shape = ScreenField(c, at, [&](float x, float y) { return y - HillTop(x, r.base, r.amplitude, r.frequency, r.phase, r.seed); });
        PaintScreen(c, at, shape, [&](float x, float y) {
            const float top = HillTop(x, r.base, r.amplitude, r.frequency, r.phase, r.seed);
            const float slope = (HillTop(x + 2.0f, r.base, r.amplitude, r.frequency, r.phase, r.seed) - top) / 2.0f;
            const float depth = Clamp01((top - y) / 90.0f);
            Color col = Mix(r.crest, r.foot, SmoothStep(0.0f, 1.0f, depth));
            // Slopes facing the sun (rising to the right) catch light.
            col = Shade(col, 1.0f + std::clamp(-slope, -0.6f, 0.6f) * 0.35f);
            // Meadow patches and a light rim along the crest.
            const float patch = Fractal(x * 0.02f, y * 0.05f, r.seed + 11, 3);
            col = Shade(col, 0.93f + 0.14f * patch);
            col = Mix(col, Hex(0xF4F0C0), 0.25f * SmoothStep(4.0f, 0.0f, top - y));
            return col;
        }, kFlat);
        // Rows of little trees on the middle range.
        if (r.seed == 5) {
            uint32_t s = 91;
            for (int i = 0; i < 26; ++i) {
                const float x = 20.0f + 760.0f * NextRandom(s);
                const float top = HillTop(x, r.base, r.amplitude, r.frequency, r.phase, r.seed);
                const float y = top - 8.0f - 22.0f * NextRandom(s);
                const float size = 4.0f + 3.5f * NextRandom(s);
                const Grid tree = ScreenFieldIn(c, at, x - size, y - size, x + size, y + size * 1.6f, 3.0f, [&](float px, float py) {
                    return EllipseDistance(px, py, x, y + size * 0.3f, size * 0.8f, size * 1.2f);
                });
                PaintScreen(c, at, tree, [&](float, float py) {
                    return Mix(Hex(0x3F7A3A), Hex(0x7DB060), Clamp01((py - y) / (size * 2.0f)));
                }, Bevel{size * 0.6f, 0.7f, 0.1f, 10});
            }
        }
    }
}

void DrawMeadow(Canvas& c, const Placement& at) {
    const auto top = [](float x) {
        const float blades = std::pow(ValueNoise(x * 0.45f, 3.0f, 21), 3.0f) * 10.0f;
        return 150.0f + 10.0f * std::sin(x * 0.008f + 1.3f) + 6.0f * std::sin(x * 0.021f) + blades;
    };
    const Grid shape = ScreenField(c, at, [&](float x, float y) { return y - top(x); });
    PaintScreen(c, at, shape, [&](float x, float y) {
        const float t = Clamp01(y / 160.0f);
        Color col = Mix(Hex(0x3C7A28), Hex(0x8ACB52), SmoothStep(0.0f, 1.0f, t));
        // Blades: vertical streaks, finer further away.
        const float streak = ValueNoise(x * (0.5f + t * 0.6f), y * 0.05f, 23);
        col = Shade(col, 0.85f + 0.3f * streak);
        const float patch = Fractal(x * 0.01f, y * 0.03f, 25, 3);
        col = Mix(col, Hex(0xB7DC6A), 0.25f * SmoothStep(0.55f, 0.85f, patch) * t);
        // Sunlit tips along the top edge.
        col = Mix(col, Hex(0xD8F08A), 0.35f * SmoothStep(6.0f, 0.0f, top(x) - y));
        return col;
    }, kFlat);

    // Flowers, larger and more of them towards the front.
    static const Color petals[] = {Hex(0xFFFFFF), Hex(0xFFE45C), Hex(0xF59AC0), Hex(0xB58BE0), Hex(0xFF8A6A)};
    uint32_t seed = 404;
    for (int i = 0; i < 150; ++i) {
        const float depth = std::pow(NextRandom(seed), 1.7f);
        const float y = 8.0f + depth * 125.0f;
        const float x = NextRandom(seed) * 800.0f;
        const float size = 5.5f - depth * 3.5f;
        const Color petal = petals[static_cast<int>(NextRandom(seed) * 4.99f)];
        const float turn = NextRandom(seed) * 6.28f;
        const Grid flower = ScreenFieldIn(c, at, x - size * 1.6f, y - size * 1.6f, x + size * 1.6f, y + size * 1.6f, 2.0f,
                                          [&](float px, float py) {
            float d = 1e9f;
            for (int k = 0; k < 5; ++k) {
                const float a = turn + static_cast<float>(k) * 1.2566f;
                d = std::min(d, CircleDistance(px, py, x + std::cos(a) * size * 0.75f, y + std::sin(a) * size * 0.75f, size * 0.55f));
            }
            return d;
        });
        PaintShadow(c, flower, 0.8f, -0.8f, 0.8f, 0.25f);
        PaintShape(c, flower, [&](float, float) { return petal; }, Bevel{size * 0.4f, 0.6f, 0.2f, 10});
        const Grid heart = ScreenFieldIn(c, at, x - size, y - size, x + size, y + size, 1.0f,
                                         [&](float px, float py) { return CircleDistance(px, py, x, y, size * 0.38f); });
        PaintShape(c, heart, [&](float, float) { return Hex(0xF2B62A); }, Bevel{size * 0.3f, 0.8f, 0.3f, 10});
    }
}

void DrawTrees(Canvas& c, const Placement& at, const float* trunks, const float* heights, int count, uint32_t seed) {
    for (int i = 0; i < count; ++i) {
        const float x = trunks[i];
        const float h = heights[i];
        const float ground = 62.0f - h * 0.04f;
        const float crownY = ground + h * 0.64f;
        const float crownR = h * 0.27f;
        // The trunk flares into roots and forks into the crown.
        const float base = h * 0.055f;
        const std::vector<Point> trunk = {{x, ground}, {x + h * 0.01f, crownY - crownR * 0.1f}};
        const std::vector<Point> branchL = {{x, crownY - crownR * 0.55f}, {x - crownR * 0.55f, crownY + crownR * 0.05f}};
        const std::vector<Point> branchR = {{x + h * 0.005f, crownY - crownR * 0.45f}, {x + crownR * 0.5f, crownY + crownR * 0.15f}};
        const Grid wood = ScreenFieldIn(c, at, x - crownR, ground - 6.0f, x + crownR, crownY + crownR, 4.0f, [&](float px, float py) {
            const float up = Clamp01((py - ground) / (h * 0.55f));
            const float taper = base * (1.0f - 0.45f * up) + base * 0.9f * std::pow(1.0f - Clamp01((py - ground) / (base * 2.5f)), 2.0f);
            return std::min({CapsuleDistance(px, py, trunk[0], trunk[1], taper),
                             StrokeDistance(px, py, branchL, h * 0.016f), StrokeDistance(px, py, branchR, h * 0.016f)});
        });
        PaintShadow(c, wood, 3.0f, -2.0f, 3.0f, 0.25f);
        PaintShape(c, wood, [&](float px, float py) {
            const float bark = ValueNoise(px * 0.5f, py * 0.05f, seed + 3);
            const float lit = Clamp01((x - px) / (base * 1.6f) + 0.5f);
            return Shade(Mix(Hex(0x6E4A28), Hex(0x9A7048), lit), 0.8f + 0.3f * bark);
        }, Bevel{base * 0.8f, 0.6f, 0.05f, 10});

        // The crown: leaf clumps painted from the back (dark) to the front (lit).
        uint32_t s = seed * 7 + static_cast<uint32_t>(i) * 13;
        struct Clump {
            Point p;
            float r;
        };
        std::vector<Clump> clumps;
        for (int k = 0; k < 13; ++k) {
            const float a = NextRandom(s) * 6.2832f;
            const float d = std::sqrt(NextRandom(s)) * crownR * 0.75f;
            clumps.push_back({{x + std::cos(a) * d * 1.2f, crownY + std::sin(a) * d * 0.85f + crownR * 0.1f},
                              crownR * (0.36f + 0.16f * NextRandom(s))});
        }
        // Back ones first: lower right is further from the light.
        std::sort(clumps.begin(), clumps.end(), [&](const Clump& l, const Clump& r) {
            return (l.p.y - l.p.x * 0.5f) < (r.p.y - r.p.x * 0.5f);
        });
        for (size_t k = 0; k < clumps.size(); ++k) {
            const Clump& cl = clumps[k];
            const float depth = static_cast<float>(k) / static_cast<float>(clumps.size() - 1);
            const Grid clump = ScreenFieldIn(c, at, cl.p.x - cl.r, cl.p.y - cl.r, cl.p.x + cl.r, cl.p.y + cl.r, cl.r * 0.3f + 6.0f,
                                             [&](float px, float py) {
                // A scalloped edge of leaves.
                const float a = std::atan2(py - cl.p.y, px - cl.p.x);
                const float leaves = std::sin(a * 9.0f + static_cast<float>(k)) * 0.05f + (Fractal(px * 0.12f, py * 0.12f, seed + 5, 2) - 0.5f) * 0.14f;
                return CircleDistance(px, py, cl.p.x, cl.p.y, cl.r * (1.0f + leaves));
            });
            PaintShadow(c, clump, 2.0f, -3.0f, 3.0f, 0.35f, Hex(0x173410));
            PaintShape(c, clump, [&](float px, float py) {
                const float lit = Clamp01(((py - cl.p.y) - (px - cl.p.x) * 0.6f) / (cl.r * 1.6f) + 0.5f);
                Color col = Mix(Hex(0x2C6420), Hex(0x6DB446), lit * (0.55f + 0.45f * depth));
                const float leaf = Fractal(px * 0.16f, py * 0.16f, seed + 9 + static_cast<uint32_t>(k), 2);
                col = Mix(col, Hex(0xA9DA6C), SmoothStep(0.6f, 0.8f, leaf) * lit * 0.8f);
                col = Shade(col, 0.88f + 0.2f * leaf);
                return col;
            }, Bevel{cl.r * 0.25f, 0.35f, 0.04f, 8});
        }
    }
}

void DrawRiver(Canvas& c, const Placement& at) {
    // The middle of the stream from far to near, and its half width there.
    const std::vector<Point> course = CubicCurve({462, 268}, {478, 236}, {322, 186}, {250, 110}, 24);
    const std::vector<Point> lower = CubicCurve({250, 110}, {205, 55}, {160, 30}, {120, -20}, 16);
    std::vector<Point> path = course;
    path.insert(path.end(), lower.begin() + 1, lower.end());
    std::vector<float> width;
    for (size_t i = 0; i < path.size(); ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(path.size() - 1);
        width.push_back(1.5f + 58.0f * t * t);
    }
    // Distance to the banks: to the nearest point of the course, minus the
    // width there.
    const auto distance = [&](float x, float y, float* along) {
        float best = 1e9f;
        for (size_t i = 1; i < path.size(); ++i) {
            const Point& a = path[i - 1];
            const Point& b = path[i];
            const float bx = b.x - a.x, by = b.y - a.y;
            const float len = bx * bx + by * by;
            const float h = std::clamp(((x - a.x) * bx + (y - a.y) * by) / len, 0.0f, 1.0f);
            const float d = std::hypot(x - a.x - bx * h, y - a.y - by * h) - Lerp(width[i - 1], width[i], h);
            if (d < best) {
                best = d;
                if (along) *along = (static_cast<float>(i - 1) + h) / static_cast<float>(path.size() - 1);
            }
        }
        return best;
    };
    // The banks: a band of sand and light grass.
    const Grid bank = ScreenField(c, at, [&](float x, float y) { return distance(x, y, nullptr) - 3.0f; });
    // The far end fades into the hills.
    const auto fade = [&](float x, float y) {
        float along = 0.0f;
        distance(x, y, &along);
        return SmoothStep(0.0f, 0.12f, along);
    };
    PaintScreen(c, at, bank, [&](float x, float y) {
        return WithAlpha(Mix(Hex(0xD9C88E), Hex(0xA9C872), ValueNoise(x * 0.2f, y * 0.2f, 51)), fade(x, y));
    }, Bevel{2.0f, 0.6f, 0.1f, 10});
    const Grid water = ScreenField(c, at, [&](float x, float y) { return distance(x, y, nullptr); });
    PaintScreen(c, at, water, [&](float x, float y) {
        float along = 0.0f;
        const float edge = -distance(x, y, &along);
        Color col = Mix(Hex(0xBFE0EE), Palette::Water, SmoothStep(0.0f, 0.9f, along));
        // Darker under the banks, sky glints in the middle.
        col = Shade(col, 0.82f + 0.18f * SmoothStep(0.0f, 8.0f, edge));
        const float ripple = ValueNoise(x * 0.12f, y * 0.6f, 53);
        col = Mix(col, Hex(0xF2FAFF), 0.55f * SmoothStep(0.78f, 0.92f, ripple) * SmoothStep(2.0f, 6.0f, edge));
        return WithAlpha(col, SmoothStep(0.0f, 0.12f, along));
    }, Bevel{3.0f, -0.4f, 0.0f, 10});
}

void DrawCastle(Canvas& c, const Placement& at) {
    const float cx = 640.0f;
    const float base = 292.0f;
    const Color wall = Hex(0xEDE4F2);
    const Color wallShade = Hex(0xB9ADCE);
    const Color roof = Hex(0x6F6CC0);
    struct Tower {
        float x, w, top;
    };
    const Tower towers[] = {{cx - 46, 16, base + 82}, {cx + 44, 18, base + 92}, {cx - 4, 26, base + 104}};
    // Curtain wall with battlements.
    const Grid walls = ScreenFieldIn(c, at, cx - 60, base - 15, cx + 60, base + 60, 3.0f, [&](float x, float y) {
        float d = RoundedBoxDistance(x, y, cx - 52, base - 14, cx + 52, base + 44, 1.0f);
        const float merlon = std::fmod(std::fabs(x - cx + 100.0f), 10.0f);
        if (y > base + 38 && merlon > 5.0f) d = std::max(d, -(y - (base + 38)));
        return d;
    });
    const auto stone = [&](float x, float y) {
        const float n = ValueNoise(x * 0.25f, y * 0.5f, 61);
        const float lit = Clamp01((cx + 30.0f - x) / 90.0f);
        return Shade(Mix(wallShade, wall, 0.35f + 0.5f * lit), 0.95f + 0.08f * n);
    };
    PaintScreen(c, at, walls, stone, Bevel{1.5f, 0.6f, 0.05f, 8});
    for (const Tower& t : towers) {
        const Grid body = ScreenFieldIn(c, at, t.x - t.w, base - 14, t.x + t.w, t.top, 3.0f,
                                        [&](float x, float y) { return RoundedBoxDistance(x, y, t.x - t.w * 0.5f, base - 14, t.x + t.w * 0.5f, t.top, 1.0f); });
        PaintScreen(c, at, body, stone, Bevel{3.0f, 0.7f, 0.05f, 8});
        const std::vector<Point> cone = {{t.x - t.w * 0.68f, t.top - 2}, {t.x + t.w * 0.68f, t.top - 2}, {t.x, t.top + t.w * 1.5f}};
        const Grid hat = ScreenFieldIn(c, at, t.x - t.w, t.top - 4, t.x + t.w, t.top + t.w * 1.6f, 3.0f,
                                       [&](float x, float y) { return PolygonDistance(x, y, cone); });
        PaintScreen(c, at, hat, [&](float x, float) { return Shade(roof, 1.15f - 0.35f * Clamp01((x - t.x + t.w * 0.3f) / t.w)); },
                    Bevel{2.0f, 0.6f, 0.2f, 10});
        // A pennant on the tip.
        const float px = t.x, py = t.top + t.w * 1.5f;
        const std::vector<Point> pole = {{px, py - 1}, {px, py + 9}};
        const std::vector<Point> flag = {{px, py + 9}, {px + 9, py + 6.5f}, {px, py + 4}};
        const Grid pennant = ScreenFieldIn(c, at, px - 2, py - 2, px + 11, py + 11, 2.0f, [&](float x, float y) {
            return std::min(StrokeDistance(x, y, pole, 0.5f), PolygonDistance(x, y, flag));
        });
        PaintScreen(c, at, pennant, [&](float x, float) { return x > px + 0.6f ? Palette::Berry : Hex(0x5A4A6A); }, kFlat);
        // Windows.
        for (int k = 0; k < 2; ++k) {
            const float wy = base + 20 + static_cast<float>(k) * 26;
            if (wy + 8 > t.top) continue;
            const Grid win = ScreenFieldIn(c, at, t.x - 3, wy - 5, t.x + 3, wy + 5, 2.0f,
                                           [&](float x, float y) { return RoundedBoxDistance(x, y, t.x - 2.2f, wy - 4.5f, t.x + 2.2f, wy + 4.5f, 2.2f); });
            PaintScreen(c, at, win, [&](float, float) { return Hex(0x4A4070); }, kFlat);
        }
    }
    // The gate.
    const Grid gate = ScreenFieldIn(c, at, cx - 10, base - 14, cx + 10, base + 14, 2.0f,
                                    [&](float x, float y) { return RoundedBoxDistance(x, y, cx - 7, base - 20, cx + 7, base + 10, 7.0f); });
    PaintScreen(c, at, gate, [&](float, float) { return Hex(0x6A4A3A); }, Bevel{1.5f, -0.6f, 0.0f, 8});
    // Its foot sinks behind a fold of the far hills.
    const Grid fold = ScreenFieldIn(c, at, cx - 75, base - 30, cx + 75, base + 8, 4.0f, [&](float x, float y) {
        return y - (base - 4.0f + 5.0f * std::sin((x - cx) * 0.05f) - 0.004f * (x - cx) * (x - cx));
    });
    PaintScreen(c, at, fold, [&](float x, float y) {
        const Color hill = Mix(Hex(0x8DBDAA), Hex(0xB4D6C6), Clamp01((y - base + 30.0f) / 34.0f));
        return WithAlpha(hill, SmoothStep(75.0f, 55.0f, std::fabs(x - cx)));
    }, kFlat);
}

void DrawRainbow(Canvas& c, const Placement& at) {
    static const Color bands[] = {Hex(0xE8403A), Hex(0xF59A2E), Hex(0xF7E04A), Hex(0x6CC24A), Hex(0x3F8FD0), Hex(0x5A5AC8), Hex(0x9A5BC8)};
    const float cx = 400.0f, cy = 40.0f, outer = 520.0f, band = 7.0f;
    for (int y = 0; y < c.height; ++y) {
        const float sy = c.UnitY(y) + at.bottom;
        for (int x = 0; x < c.width; ++x) {
            const float sx = c.UnitX(x) + at.left;
            const float r = std::hypot(sx - cx, sy - cy);
            const float k = (outer - r) / band;
            if (k < -1.0f || k > 8.0f) continue;
            const float i = std::clamp(k, 0.0f, 6.999f);
            const int lo = static_cast<int>(i);
            const Color col = Mix(bands[lo], bands[std::min(lo + 1, 6)], SmoothStep(0.3f, 0.7f, i - static_cast<float>(lo)));
            const float edge = SmoothStep(-1.0f, 0.5f, k) * SmoothStep(8.0f, 6.5f, k);
            // Fading into the hills at both feet.
            const float feet = SmoothStep(200.0f, 380.0f, sy);
            c.Blend(x, y, col, 0.4f * edge * feet);
        }
    }
}

namespace {

// A stroke whose radius runs from r0 at its first point to r1 at its last.
float TaperedDistance(float x, float y, const std::vector<Point>& line, float r0, float r1) {
    float best = 1e9f;
    const float n = static_cast<float>(line.size() - 1);
    for (size_t i = 1; i < line.size(); ++i) {
        const Point& a = line[i - 1];
        const Point& b = line[i];
        const float bx = b.x - a.x, by = b.y - a.y;
        const float len = bx * bx + by * by;
        const float h = len > 0.0f ? std::clamp(((x - a.x) * bx + (y - a.y) * by) / len, 0.0f, 1.0f) : 0.0f;
        const float dx = x - a.x - bx * h, dy = y - a.y - by * h;
        const float r = Lerp(r0, r1, (static_cast<float>(i - 1) + h) / n);
        best = std::min(best, std::sqrt(dx * dx + dy * dy) - r);
    }
    return best;
}

Grid TaperedField(const Canvas& c, const std::vector<Point>& line, float r0, float r1) {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Point& p : line) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    const float r = std::max(r0, r1);
    return FieldIn(c.width, c.height, c.scale, x0 - r, y0 - r, x1 + r, y1 + r, 4.0f,
                   [&](float x, float y) { return TaperedDistance(x, y, line, r0, r1); });
}

} // namespace

void DrawUnicorn(Canvas& c, float phase) {
    const float w = static_cast<float>(c.width) / c.scale;
    const float h = static_cast<float>(c.height) / c.scale;
    // Posed in a 260 × 270 frame, fitted to the canvas.
    const float kx = w / 260.0f, ky = h / 270.0f;
    const float k = std::min(kx, ky);
    const auto P = [&](float x, float y) { return Point{x * kx, y * ky}; };
    const float turn = phase * 2.0f * Pi;
    const float wave = std::sin(turn);
    const float wave2 = std::sin(turn + 1.6f);
    const float nod = std::sin(turn) * 2.0f;
    const auto H = [&](float x, float y) { return P(x, y + nod); };  // points that nod with the head

    // A faint glow behind the figure.
    const Grid halo = FieldOf(c.width, c.height, c.scale,
                              [&](float x, float y) { return EllipseDistance(x, y, 140 * kx, 130 * ky, 95 * kx, 100 * ky); });
    PaintSoft(c, {}, halo, 45.0f * k, [&](float, float) { return Hex(0xF3E6FF, 0.2f); });

    static const Color hair[] = {Palette::Violet, Hex(0xE98FD2), Palette::GoldLight, Hex(0xB58BE0), Hex(0xF4B6E4)};
    const auto strand = [&](const std::vector<Point>& line, float r0, float r1, const Color& color) {
        const Grid g = TaperedField(c, line, r0, r1);
        PaintShadow(c, g, 1.0f * k, -1.5f * k, 1.5f * k, 0.25f, Hex(0x4A2A70));
        PaintShape(c, g, [&](float, float y) { return Shade(color, 0.85f + 0.3f * Clamp01(y / (270.0f * ky))); },
                   Bevel{r0 * 0.8f, 0.7f, 0.3f, 12});
    };

    // Tail, behind the body.
    for (int i = 0; i < 4; ++i) {
        const float o = static_cast<float>(i) * 4.0f;
        strand(CubicCurve(P(214, 128 - o * 0.3f), P(248 + wave * 4, 140 - o), P(236 + wave2 * 7 + o, 86 - o * 0.5f),
                          P(244 + wave * 9 + o * 1.5f, 40 + o), 18),
               (9.0f - static_cast<float>(i) * 1.3f) * k, 2.0f * k, hair[(i + 1) % 5]);
    }

    // The far legs, a shade darker, behind the body.
    struct Leg {
        Point top, knee, foot;
    };
    const Leg far[] = {{P(112, 96), P(108, 56), P(112, 20)}, {P(184, 96), P(190, 56), P(186, 20)}};
    const Leg near[] = {{P(130, 94), P(134, 56), P(132, 18)}, {P(202, 96), P(210, 58), P(206, 18)}};
    const auto legField = [&](const Leg& l) {
        const std::vector<Point> line = {l.top, l.knee, l.foot};
        return TaperedField(c, line, 11.0f * k, 7.5f * k);
    };
    const auto hoof = [&](const Point& f, float shade) {
        const Grid g = FieldIn(c.width, c.height, c.scale, f.x - 11 * k, f.y - 10 * k, f.x + 11 * k, f.y + 4 * k, 2.0f,
                               [&](float x, float y) { return RoundedBoxDistance(x, y, f.x - 8 * k, f.y - 9 * k, f.x + 8 * k, f.y + 1 * k, 3 * k); });
        PaintShape(c, g, [&](float, float y) { return Shade(Gold(Clamp01((y - f.y + 9 * k) / (10 * k))), shade); }, Bevel{2 * k, 1.0f, 0.5f, 16});
    };
    for (const Leg& l : far) {
        PaintShape(c, legField(l), [&](float, float y) { return Mix(Hex(0xB9ACD8), Hex(0xDCD2F0), Clamp01(y / (100 * ky))); },
                   Bevel{6.0f * k, 0.6f, 0.1f, 10});
        hoof(l.foot, 0.8f);
    }

    // Body, neck and head as one smooth shape.
    const auto body = [&](float x, float y) {
        float d = EllipseDistance(x, y, 152 * kx, 112 * ky, 56 * kx, 32 * ky);
        d = SmoothUnion(d, CircleDistance(x, y, 108 * kx, 116 * ky, 30 * k), 12 * k);
        d = SmoothUnion(d, CircleDistance(x, y, 194 * kx, 114 * ky, 30 * k), 12 * k);
        const std::vector<Point> neck = {P(112, 128), H(96, 168), H(86, 192)};
        d = SmoothUnion(d, TaperedDistance(x, y, neck, 24 * k, 17 * k), 10 * k);
        d = SmoothUnion(d, CircleDistance(x, y, H(80, 200).x, H(80, 200).y, 25 * k), 8 * k);
        const std::vector<Point> face = {H(76, 196), H(48, 180)};
        d = SmoothUnion(d, TaperedDistance(x, y, face, 20 * k, 15 * k), 8 * k);
        const std::vector<Point> ear = {H(88, 218), H(98, 246), H(104, 216)};
        d = SmoothUnion(d, PolygonDistance(x, y, ear) - 1.5f * k, 4 * k);
        return d;
    };
    const Grid shape = FieldIn(c.width, c.height, c.scale, 20 * kx, 60 * ky, 240 * kx, 260 * ky, 6.0f, body);
    PaintShadow(c, shape, 0.0f, -3.0f * k, 4.0f * k, 0.2f, Hex(0x5A4A80));
    PaintShape(c, shape, [&](float x, float y) {
        const float t = Clamp01((y - 80 * ky) / (110 * ky));
        Color col = Mix(Hex(0xD5C9F0), Hex(0xFFFFFF), SmoothStep(0.0f, 0.7f, t));
        return Mix(col, Hex(0xEDE6FA), 0.5f * Clamp01((x - 150 * kx) / (80 * kx)));
    }, Bevel{12.0f * k, 0.55f, 0.22f, 12});
    for (const Leg& l : near) {
        PaintShape(c, legField(l), [&](float, float y) { return Mix(Hex(0xD8CEF0), Hex(0xFFFFFF), Clamp01(y / (100 * ky))); },
                   Bevel{6.0f * k, 0.6f, 0.15f, 10});
        hoof(l.foot, 1.0f);
    }

    // Mane: strands from the poll down the back of the neck, flowing right.
    for (int i = 0; i < 6; ++i) {
        const float t = static_cast<float>(i) / 5.0f;
        const Point root = {Lerp(H(92, 222).x, P(124, 146).x, t), Lerp(H(92, 222).y, P(124, 146).y, t)};
        const float sway = (i % 2 == 0 ? wave : wave2) * 4.0f * k;
        strand(CubicCurve(root, {root.x + 16 * k, root.y + 6 * k}, {root.x + 24 * k + sway, root.y - 14 * k},
                          {root.x + 26 * k + sway * 1.6f, root.y - 32 * k}, 12),
               (10.0f - t * 3.0f) * k, 2.0f * k, hair[i % 5]);
    }
    // Forelock over the brow.
    strand(CubicCurve(H(86, 222), H(74, 226), H(66, 214), H(70, 202), 10), 6.0f * k, 1.5f * k, hair[1]);

    // Horn: a golden spiral.
    const Point hornBase = H(78, 220), hornTip = H(62, 264);
    const Grid horn = FieldIn(c.width, c.height, c.scale, hornTip.x - 8 * k, hornBase.y - 8 * k, hornBase.x + 8 * k, hornTip.y + 2 * k, 2.0f,
                              [&](float x, float y) { return TaperedDistance(x, y, {hornBase, hornTip}, 6.5f * k, 1.0f * k); });
    PaintShadow(c, horn, 1.0f * k, -1.0f * k, 1.0f * k, 0.3f);
    PaintShape(c, horn, [&](float x, float y) {
        const float along = ((x - hornBase.x) * (hornTip.x - hornBase.x) + (y - hornBase.y) * (hornTip.y - hornBase.y)) /
                            ((hornTip.x - hornBase.x) * (hornTip.x - hornBase.x) + (hornTip.y - hornBase.y) * (hornTip.y - hornBase.y));
        const float band = 0.5f + 0.5f * std::sin(along * 26.0f);
        return Gold(0.3f + 0.65f * band);
    }, Bevel{3.0f * k, 1.0f, 0.5f, 20});

    // Eye: large and friendly, with two glints and lashes.
    const Point eye = H(68, 198);
    const Grid eyeShape = FieldIn(c.width, c.height, c.scale, eye.x - 7 * k, eye.y - 8 * k, eye.x + 7 * k, eye.y + 8 * k, 2.0f,
                                  [&](float x, float y) { return EllipseDistance(x, y, eye.x, eye.y, 4.6f * k, 6.0f * k); });
    PaintShape(c, eyeShape, [&](float, float y) { return Mix(Hex(0x2A1A4A), Hex(0x6A4AA0), Clamp01((eye.y - y) / (6 * k))); },
               Bevel{2.0f * k, -0.5f, 0.0f, 10});
    const std::vector<Point> lash = QuadraticCurve({eye.x - 5 * k, eye.y + 5 * k}, {eye.x, eye.y + 9 * k}, {eye.x + 6 * k, eye.y + 4 * k}, 6);
    PaintFlat(c, StrokeField(c.width, c.height, c.scale, lash, 0.9f * k, 2.0f), Hex(0x2A1A4A));
    for (int g = 0; g < 2; ++g) {
        const Point p = {eye.x - (g == 0 ? 1.5f : -1.5f) * k, eye.y + (g == 0 ? 2.2f : -2.0f) * k};
        const float r = (g == 0 ? 1.5f : 0.8f) * k;
        PaintFlat(c, FieldIn(c.width, c.height, c.scale, p.x - r, p.y - r, p.x + r, p.y + r, 1.0f,
                             [&](float x, float y) { return CircleDistance(x, y, p.x, p.y, r); }),
                  Hex(0xFFFFFF));
    }
    // Nostril and a smile.
    const Point nose = H(40, 184);
    PaintFlat(c, FieldIn(c.width, c.height, c.scale, nose.x - 3 * k, nose.y - 3 * k, nose.x + 3 * k, nose.y + 3 * k, 1.0f,
                         [&](float x, float y) { return EllipseDistance(x, y, nose.x, nose.y, 1.6f * k, 2.2f * k); }),
              Hex(0xB59ACD));
    const std::vector<Point> smile = QuadraticCurve(H(36, 172), H(44, 168), H(52, 172), 6);
    PaintFlat(c, StrokeField(c.width, c.height, c.scale, smile, 0.8f * k, 2.0f), Hex(0xB59ACD));
    // Rosy cheek.
    const Point cheek = H(62, 184);
    PaintSoft(c, {}, FieldIn(c.width, c.height, c.scale, cheek.x - 9 * k, cheek.y - 9 * k, cheek.x + 9 * k, cheek.y + 9 * k, 6.0f * k,
                             [&](float x, float y) { return CircleDistance(x, y, cheek.x, cheek.y, 4.5f * k); }),
              3.0f * k, [&](float, float) { return Hex(0xF4A6C8, 0.55f); });

    // Sparkles about the horn, twinkling in turn.
    for (int i = 0; i < 5; ++i) {
        const float a = static_cast<float>(i) * 1.2566f + turn * 0.25f;
        const float twinkle = 0.5f + 0.5f * std::sin(turn * 2.0f + static_cast<float>(i) * 1.7f);
        const Point p = {hornTip.x + std::cos(a) * 20 * k, hornTip.y - 8 * k + std::sin(a) * 15 * k};
        const float r = (2.5f + 4.0f * twinkle) * k;
        const Grid star = FieldIn(c.width, c.height, c.scale, p.x - r, p.y - r, p.x + r, p.y + r, 5.0f * k, [&](float x, float y) {
            const float dx = std::fabs(x - p.x), dy = std::fabs(y - p.y);
            return std::min(dx * 3.0f + dy, dy * 3.0f + dx) / 3.0f - r * 0.45f;
        });
        PaintGlow(c, star, Hex(0xFFF3B0), 1.0f * k, 2.0f * k, 0.6f * twinkle);
        PaintFlat(c, star, Hex(0xFFFBE6), 0.4f + 0.6f * twinkle);
    }
}

} // namespace Tools::Art
