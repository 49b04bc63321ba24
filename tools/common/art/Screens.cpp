#include "tools/common/art/Screens.h"

#include <algorithm>
#include <cmath>

#include "tools/common/art/Effects.h"
#include "tools/common/art/Emblems.h"
#include "tools/common/art/Noise.h"
#include "tools/common/art/Surfaces.h"
#include "tools/common/art/Widgets.h"

namespace Tools::Art {

namespace {

constexpr float Pi = 3.14159265f;

Canvas Blank(float w, float h, float scale) {
    return Canvas(static_cast<int>(std::lround(w * scale)), static_cast<int>(std::lround(h * scale)), scale);
}

template <class Distance>
Grid Whole(const Canvas& c, Distance d) {
    return FieldOf(c.width, c.height, c.scale, d);
}

template <class Distance>
Grid Around(const Canvas& c, float x, float y, float r, Distance d) {
    return FieldIn(c.width, c.height, c.scale, x - r, y - r, x + r, y + r, 3.0f, d);
}

const Color kRim[] = {Hex(0x8A5A14), Hex(0xD89A2E), Hex(0xFFE08A)};

Color RimGold(float y, float y0, float y1) {
    return Gradient(y, y0, y1, kRim, 3);
}

// Ink on parchment, a little uneven as if drawn by hand.
void PaintInk(Canvas& c, const Grid& shape, float opacity) {
    PaintShape(c, shape, [&](float x, float y) {
        return WithAlpha(Palette::Ink, 0.75f + 0.25f * ValueNoise(x * 0.3f, y * 0.3f, 91));
    }, Bevel{0.0f, 0.0f, 0.0f, 0.0f}, opacity);
}

} // namespace

Canvas DrawMap(float w, float h, const std::vector<Point>& trail, float scale) {
    Canvas c = DrawPanel(w, h, PanelKind::Parchment, scale, 17);
    // The road: a faint wide band, then dashes along it.
    std::vector<Point> road;
    for (size_t i = 0; i < trail.size(); ++i) {
        if (i > 0 && std::fabs(trail[i].y - trail[i - 1].y) > 1.0f) {
            // A bend between rows, bulging outwards.
            const Point& a = trail[i - 1];
            const Point& b = trail[i];
            const float out = a.x > w * 0.5f ? 26.0f : -26.0f;
            const std::vector<Point> bend = CubicCurve(a, {a.x + out, a.y}, {b.x + out, b.y}, b, 12);
            road.insert(road.end(), bend.begin() + 1, bend.end());
        } else {
            road.push_back(trail[i]);
        }
    }
    if (road.size() >= 2) {
        PaintShape(c, StrokeField(c.width, c.height, c.scale, road, 7.0f, 3.0f), [&](float, float) { return Hex(0xC9A46E); },
                   Bevel{3.0f, -0.4f, 0.0f, 8}, 0.55f);
        // Dashes: keep every other stretch of the road's length.
        std::vector<std::vector<Point>> dashes;
        float run = 0.0f;
        std::vector<Point> dash;
        for (size_t i = 1; i < road.size(); ++i) {
            const Point a = road[i - 1], b = road[i];
            const float len = std::hypot(b.x - a.x, b.y - a.y);
            const int steps = std::max(1, static_cast<int>(len / 2.0f));
            for (int k = 0; k <= steps; ++k) {
                const float t = static_cast<float>(k) / static_cast<float>(steps);
                const Point p{Lerp(a.x, b.x, t), Lerp(a.y, b.y, t)};
                const bool on = std::fmod(run + len * t, 14.0f) < 8.0f;
                if (on) {
                    dash.push_back(p);
                } else if (!dash.empty()) {
                    if (dash.size() > 1) dashes.push_back(dash);
                    dash.clear();
                }
            }
            run += len;
        }
        if (dash.size() > 1) dashes.push_back(dash);
        for (const auto& d : dashes) PaintInk(c, StrokeField(c.width, c.height, c.scale, d, 1.3f, 2.0f), 0.8f);
    }
    return c;
}

Canvas DrawMapElement(float size, MapElementKind kind, int frame, float scale) {
    Canvas c = Blank(size, size, scale);
    const float cx = size * 0.5f, cy = size * 0.5f;
    const float r = size * 0.5f - 2.5f;
    if (frame == 5) {
        // The shadow: a soft dark disc.
        const Grid disc = Whole(c, [&](float x, float y) { return CircleDistance(x, y, cx, cy, r * 0.85f); });
        PaintShadow(c, disc, 0.0f, 0.0f, size * 0.06f, 0.45f, Palette::Shadow);
        return c;
    }
    const bool ahead = frame == 4;
    const bool current = frame == 3;
    const bool hover = frame == 2;
    const bool passed = frame == 1;
    if (current || hover) {
        const Grid halo = Whole(c, [&](float x, float y) { return CircleDistance(x, y, cx, cy, r); });
        PaintGlow(c, halo, Hex(0xFFE07A), 0.5f, size * 0.06f, current ? 1.0f : 0.8f);
    }
    // A round token: gold rim and a coloured face.
    const Color face = kind == MapElementKind::Start        ? Palette::Leaf
                       : kind == MapElementKind::Finish     ? Palette::Violet
                       : kind == MapElementKind::CheckPoint ? Palette::Water
                       : kind == MapElementKind::PathCheckPoint ? Palette::Berry
                                                                : Hex(0xB07A40);
    const Grid disc = Whole(c, [&](float x, float y) { return CircleDistance(x, y, cx, cy, r); });
    PaintShape(c, disc, [&](float, float y) { return RimGold(y, cy - r, cy + r); }, Bevel{std::max(1.2f, r * 0.15f), 1.2f, 0.5f, 18});
    const Grid inner = Grown(disc, -std::max(1.5f, r * 0.18f));
    PaintShape(c, inner, [&](float x, float y) {
        const float t = Clamp01((y - cy + r) / (2 * r));
        Color col = Shade(face, 0.7f + 0.5f * t);
        if (passed) col = Mix(Desaturate(col, 0.4f), Hex(0xE8DDC0), 0.25f);
        const float d = std::hypot(x - cx + r * 0.3f, y - cy - r * 0.3f) / r;
        return Mix(col, Hex(0xFFFFFF), 0.3f * SmoothStep(0.6f, 0.0f, d));
    }, Bevel{r * 0.5f, 1.0f, 0.5f, 22});
    // The sign on the token.
    const float k = r / 14.0f;
    Grid sign;
    bool hasSign = true;
    switch (kind) {
    case MapElementKind::Start: {
        // A flag on a pole.
        const std::vector<Point> pole = {{cx - 4 * k, cy - 8 * k}, {cx - 4 * k, cy + 8 * k}};
        const std::vector<Point> flag = {{cx - 4 * k, cy + 8 * k}, {cx + 7 * k, cy + 4.5f * k}, {cx - 4 * k, cy + 1 * k}};
        sign = Whole(c, [&](float x, float y) { return std::min(StrokeDistance(x, y, pole, 1.2f * k), PolygonDistance(x, y, flag)); });
        break;
    }
    case MapElementKind::Finish: {
        // A five-pointed star.
        std::vector<Point> star;
        for (int i = 0; i < 10; ++i) {
            const float a = Pi * 0.5f + static_cast<float>(i) * Pi / 5.0f;
            const float rr = (i % 2 == 0 ? 9.0f : 4.0f) * k;
            star.push_back({cx + std::cos(a) * rr, cy - 0.5f * k + std::sin(a) * rr});
        }
        sign = Whole(c, [&](float x, float y) { return PolygonDistance(x, y, star); });
        break;
    }
    case MapElementKind::CheckPoint:
    case MapElementKind::PathCheckPoint: {
        // A little tower.
        sign = Whole(c, [&](float x, float y) {
            float d = RoundedBoxDistance(x, y, cx - 5 * k, cy - 8 * k, cx + 5 * k, cy + 4 * k, 0.5f * k);
            const float merlon = std::fmod(std::fabs(x - cx + 50 * k), 3.4f * k);
            const float top = RoundedBoxDistance(x, y, cx - 6 * k, cy + 3 * k, cx + 6 * k, cy + 8 * k, 0.3f * k);
            d = std::min(d, merlon < 1.7f * k ? top : std::max(top, y - (cy + 5.5f * k)));
            return d;
        });
        break;
    }
    case MapElementKind::Path:
        hasSign = false;
        break;
    }
    if (hasSign) {
        PaintFlat(c, Grown(sign, 0.8f * k), Hex(0x2A1A0A), 0.6f);
        PaintShape(c, sign, [&](float, float) { return Palette::Cream; }, Bevel{1.0f * k, 0.8f, 0.3f, 14});
    } else if (passed) {
        // A passed stepping stone keeps a small gold star.
        std::vector<Point> star;
        for (int i = 0; i < 10; ++i) {
            const float a = Pi * 0.5f + static_cast<float>(i) * Pi / 5.0f;
            const float rr = (i % 2 == 0 ? 5.0f : 2.2f) * k;
            star.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
        }
        const Grid s = Whole(c, [&](float x, float y) { return PolygonDistance(x, y, star); });
        PaintShape(c, s, [&](float, float y) { return Gold(Clamp01((y - cy + 5 * k) / (10 * k))); }, Bevel{1.0f * k, 1.0f, 0.4f, 16});
    }
    if (ahead) {
        // Only a pale promise of what comes.
        for (Color& p : c.pixels) {
            if (p.a <= 0.0f) continue;
            Color s = Desaturate({p.r / p.a, p.g / p.a, p.b / p.a, 1}, 0.6f);
            s = Mix(s, Hex(0xF2E3C2), 0.4f);
            const float a = p.a * 0.65f;
            p = {s.r * a, s.g * a, s.b * a, a};
        }
    }
    if (hover) ApplyStateTint(c, ControlState::Hover);
    return c;
}

namespace {

struct TotemLook {
    Color paint;    // the stage's colour on the carving
    Color gem;
    int crown;      // 0 leaves, 1 pine, 2 waves, 3 sun, 4 peaks, 5 moon, 6 maple, 7 snowflake
};

TotemLook LookOf(int stage) {
    static const TotemLook looks[] = {
        {Palette::Leaf, Hex(0x8CE05A), 0},      {Hex(0x2F6B22), Hex(0x5AC070), 1}, {Palette::Water, Hex(0x5AC8F0), 2},
        {Hex(0xE0A030), Hex(0xFFD040), 3},       {Hex(0x7A8AA0), Hex(0xB0C8E8), 4}, {Hex(0x5A4AA0), Hex(0xB58BE0), 5},
        {Hex(0xC8602A), Hex(0xFF8A40), 6},       {Hex(0x9AC8E0), Hex(0xE8F8FF), 7}};
    return looks[std::clamp(stage, 0, 7)];
}

} // namespace

Canvas DrawTotem(float w, float h, int stage, bool lit, float scale) {
    Canvas c = Blank(w, h, scale);
    const TotemLook look = LookOf(stage);
    const float cx = w * 0.5f;
    // In a 70 × 120 frame, stretched to the canvas.
    const float kx = w / 70.0f, ky = h / 120.0f;
    const float k = std::min(kx, ky);
    const auto X = [&](float x) { return cx + x * kx; };
    const auto Y = [&](float y) { return y * ky; };
    WoodStyle wood;
    wood.seed = 200 + static_cast<uint32_t>(stage);
    wood.angle = 1.5708f;
    const auto carve = [&](const Grid& shape, float shade) {
        PaintShape(c, shape, [&](float x, float y) { return Shade(Wood(x, y, wood), shade); }, Bevel{3.0f * k, 1.0f, 0.3f, 14});
    };
    const auto paint = [&](const Grid& shape, const Color& col) {
        PaintShape(c, shape, [&](float, float) { return col; }, Bevel{1.2f * k, 0.9f, 0.35f, 16});
    };
    // Base, pole and the two faces stacked on it.
    const Grid base = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, X(-24), Y(2), X(24), Y(14), 3 * k); });
    PaintShadow(c, base, 1.5f * k, -1.5f * k, 2.0f * k, 0.5f);
    carve(base, 0.8f);
    const Grid lower = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, X(-17), Y(12), X(17), Y(52), 6 * k); });
    carve(lower, 0.95f);
    const Grid upper = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, X(-19), Y(50), X(19), Y(90), 8 * k); });
    // Wings at the sides of the upper face.
    const Grid wings = Whole(c, [&](float x, float y) {
        const std::vector<Point> left = {{X(-18), Y(82)}, {X(-33), Y(88)}, {X(-30), Y(74)}, {X(-18), Y(66)}};
        const std::vector<Point> right = {{X(18), Y(82)}, {X(33), Y(88)}, {X(30), Y(74)}, {X(18), Y(66)}};
        return std::min(PolygonDistance(x, y, left), PolygonDistance(x, y, right)) - 1.0f * k;
    });
    PaintShadow(c, wings, 1.0f * k, -1.0f * k, 1.5f * k, 0.4f);
    PaintShape(c, wings, [&](float x, float y) { return Mix(Wood(x, y, wood), look.paint, 0.55f); }, Bevel{2.0f * k, 1.0f, 0.3f, 14});
    carve(upper, 1.05f);
    // Faces: eyes and mouths painted in the stage's colour.
    for (int f = 0; f < 2; ++f) {
        const float fy = f == 0 ? 32.0f : 72.0f;
        const float s = f == 0 ? 0.85f : 1.0f;
        for (int side = -1; side <= 1; side += 2) {
            const float ex = static_cast<float>(side) * 7.0f * s;
            const Grid eye = Whole(c, [&](float x, float y) { return EllipseDistance(x, y, X(ex), Y(fy + 6 * s), 4.5f * s * k, 3.2f * s * k); });
            paint(eye, Palette::Cream);
            const Grid pupil = Whole(c, [&](float x, float y) { return CircleDistance(x, y, X(ex), Y(fy + 6 * s), 1.8f * s * k); });
            paint(pupil, Hex(0x2A1A0A));
        }
        const std::vector<Point> mouth = QuadraticCurve({X(-7 * s), Y(fy - 4 * s)}, {X(0), Y(fy - 10 * s)}, {X(7 * s), Y(fy - 4 * s)}, 8);
        paint(StrokeField(c.width, c.height, c.scale, mouth, 1.8f * s * k, 2.0f), look.paint);
        const std::vector<Point> brow = {{X(-12 * s), Y(fy + 12 * s)}, {X(12 * s), Y(fy + 12 * s)}};
        paint(StrokeField(c.width, c.height, c.scale, brow, 1.4f * k, 2.0f), look.paint);
    }
    // The gem between the faces.
    const float gy = 51.0f;
    const Grid gem = Whole(c, [&](float x, float y) {
        const std::vector<Point> d = {{X(0), Y(gy + 6)}, {X(6), Y(gy)}, {X(0), Y(gy - 6)}, {X(-6), Y(gy)}};
        return PolygonDistance(x, y, d);
    });
    if (lit) PaintGlow(c, gem, look.gem, 2.0f * k, 4.0f * k, 0.9f);
    PaintFlat(c, Grown(gem, 1.5f * k), Hex(0xD89A2E));
    PaintShape(c, gem, [&](float, float y) { return Mix(Shade(look.gem, 0.6f), look.gem, Clamp01((y - Y(gy - 6)) / Y(12))); },
               Bevel{2.5f * k, 1.2f, 0.7f, 24});
    // The crown on top.
    const float top = 90.0f;
    Grid crown;
    switch (look.crown) {
    case 0:  // three leaves
    case 6:  // maple
        crown = Whole(c, [&](float x, float y) {
            float d = 1e9f;
            for (int i = -1; i <= 1; ++i) {
                const float a = Pi * 0.5f + static_cast<float>(i) * 0.7f;
                const Point base{X(0), Y(top)};
                const float len = (i == 0 ? 24.0f : 19.0f) * k;
                const float ca = std::cos(a), sa = std::sin(a);
                const float lx = (x - base.x) * ca + (y - base.y) * sa;
                const float ly = -(x - base.x) * sa + (y - base.y) * ca;
                const float half = (look.crown == 6 ? 7.0f : 6.0f) * k * std::sin(Pi * Clamp01(lx / len));
                const float dd = (lx < 0 || lx > len) ? 1e9f : std::fabs(ly) - half;
                d = std::min(d, dd);
            }
            return d;
        });
        break;
    case 1:  // pine
        crown = Whole(c, [&](float x, float y) {
            const std::vector<Point> tree = {{X(-15), Y(top)}, {X(0), Y(top + 26)}, {X(15), Y(top)}};
            return PolygonDistance(x, y, tree);
        });
        break;
    case 2:  // waves
        crown = Whole(c, [&](float x, float y) {
            float d = 1e9f;
            for (int i = 0; i < 3; ++i) {
                const float wx = static_cast<float>(i - 1) * 10.0f;
                d = std::min(d, std::fabs(CircleDistance(x, y, X(wx), Y(top + 6), 6.0f * k)) - 2.0f * k);
            }
            return std::max(d, Y(top + 2) - y);
        });
        break;
    case 3:  // sun
        crown = Whole(c, [&](float x, float y) {
            const float a = std::atan2(y - Y(top + 12), x - X(0));
            return CircleDistance(x, y, X(0), Y(top + 12), (9.0f + 3.0f * std::cos(a * 8.0f)) * k);
        });
        break;
    case 4:  // peaks
        crown = Whole(c, [&](float x, float y) {
            const std::vector<Point> peaks = {{X(-19), Y(top)}, {X(-9), Y(top + 20)}, {X(-2), Y(top + 10)}, {X(7), Y(top + 26)}, {X(19), Y(top)}};
            return PolygonDistance(x, y, peaks);
        });
        break;
    case 5:  // crescent moon
        crown = Whole(c, [&](float x, float y) {
            return std::max(CircleDistance(x, y, X(0), Y(top + 13), 11.0f * k), -CircleDistance(x, y, X(5), Y(top + 17), 9.0f * k));
        });
        break;
    default:  // snowflake
        crown = Whole(c, [&](float x, float y) {
            float d = 1e9f;
            for (int i = 0; i < 3; ++i) {
                const float a = static_cast<float>(i) * Pi / 3.0f;
                const std::vector<Point> arm = {{X(0) - std::cos(a) * 12 * k, Y(top + 13) - std::sin(a) * 12 * k},
                                                {X(0) + std::cos(a) * 12 * k, Y(top + 13) + std::sin(a) * 12 * k}};
                d = std::min(d, StrokeDistance(x, y, arm, 2.0f * k));
            }
            return d;
        });
        break;
    }
    PaintShadow(c, crown, 1.0f * k, -1.0f * k, 1.5f * k, 0.4f);
    PaintShape(c, crown, [&](float, float y) { return Shade(look.paint, 0.75f + 0.45f * Clamp01((y - Y(top)) / Y(26))); },
               Bevel{2.5f * k, 1.1f, 0.4f, 16});
    if (!lit) {
        // Unlit: the carving in grey stone, without its colours or glow.
        for (Color& p : c.pixels) {
            if (p.a <= 0.0f) continue;
            Color s = Desaturate({p.r / p.a, p.g / p.a, p.b / p.a, 1}, 0.9f);
            s = Shade(Mix(s, Hex(0x6A6660), 0.35f), 0.75f);
            p = {s.r * p.a, s.g * p.a, s.b * p.a, p.a};
        }
    }
    return c;
}

Canvas DrawLightRays(float size, int rays, float scale) {
    Canvas c = Blank(size, size, scale);
    const float cx = size * 0.5f, cy = size * 0.5f, r = size * 0.5f;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const float dx = c.UnitX(x) - cx, dy = c.UnitY(y) - cy;
            const float d = std::sqrt(dx * dx + dy * dy) / r;
            if (d >= 1.0f) continue;
            const float a = std::atan2(dy, dx);
            const float ray = std::pow(0.5f + 0.5f * std::cos(a * static_cast<float>(rays)), 6.0f);
            const float fall = std::pow(1.0f - d, 1.5f);
            const float core = std::exp(-d * d * 30.0f);
            c.Blend(x, y, Mix(Hex(0xFFD86B), Hex(0xFFFBEA), core), Clamp01(ray * fall * 0.8f + core));
        }
    }
    return c;
}

Canvas DrawSparkleRing(float size, float scale, uint32_t seed) {
    Canvas c = Blank(size, size, scale);
    const float cx = size * 0.5f, cy = size * 0.5f;
    const Canvas star = DrawStarSprite(static_cast<int>(48 * scale / 2.0f) * 2);
    for (int i = 0; i < 28; ++i) {
        const float a = NextRandom(seed) * 2.0f * Pi;
        const float rr = size * (0.36f + 0.1f * NextRandom(seed));
        const float s = 0.4f + 0.7f * NextRandom(seed);
        const Canvas scaled = star.Resampled(std::max(4, static_cast<int>(star.width * s)), std::max(4, static_cast<int>(star.height * s)));
        const int px = static_cast<int>((cx + std::cos(a) * rr) * scale) - scaled.width / 2;
        const int py = static_cast<int>((cy + std::sin(a) * rr) * scale) - scaled.height / 2;
        Canvas tinted = scaled;
        const Color tint = i % 3 == 0 ? Hex(0xE8C8FF) : Hex(0xFFF0B0);
        for (Color& p : tinted.pixels) p = {p.r * tint.r, p.g * tint.g, p.b * tint.b, p.a};
        c.OverAt(tinted, px, py);
    }
    // A faint ring of light under the sparkles.
    const Grid ring = Whole(c, [&](float x, float y) { return std::fabs(CircleDistance(x, y, cx, cy, size * 0.41f)) - size * 0.02f; });
    PaintGlow(c, ring, Hex(0xFFF3C8), 0.0f, size * 0.03f, 0.5f);
    return c;
}

Canvas DrawBloom(float size, float scale) {
    Canvas c = Blank(size, size, scale);
    const float cx = size * 0.5f, cy = size * 0.5f, r = size * 0.5f;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const float d = std::hypot(c.UnitX(x) - cx, c.UnitY(y) - cy) / r;
            if (d >= 1.0f) continue;
            const float a = std::exp(-d * d * 5.0f) * 0.8f;
            c.Blend(x, y, Mix(Hex(0xFFF0C0), Hex(0xC8A0FF), SmoothStep(0.1f, 0.8f, d)), a * SmoothStep(1.0f, 0.8f, d));
        }
    }
    return c;
}

namespace {

// The leaf arrow in a 64-unit frame, tip at (2, 62) (y up).
void PaintLeafArrow(Canvas& c, float k) {
    const auto P = [&](float x, float yDown) { return Point{x * k, (64.0f - yDown) * k}; };
    std::vector<Point> outline = CubicCurve(P(2.5f, 1.5f), P(1.0f, 14.0f), P(2.0f, 28.0f), P(6.5f, 38.0f), 10);
    const std::vector<Point> notch = {P(13.0f, 30.5f), P(22.0f, 45.0f), P(27.0f, 42.5f), P(18.5f, 28.5f)};
    const std::vector<Point> back = CubicCurve(P(30.0f, 25.5f), P(21.0f, 16.0f), P(12.0f, 6.0f), P(2.5f, 1.5f), 10);
    outline.insert(outline.end(), notch.begin(), notch.end());
    outline.insert(outline.end(), back.begin(), back.end());
    const Grid leaf = FieldOf(c.width, c.height, c.scale, [&](float x, float y) { return PolygonDistance(x, y, outline); });
    PaintShadow(c, leaf, 1.5f * k, -1.5f * k, 1.5f * k, 0.45f);
    PaintFlat(c, Grown(leaf, 1.4f * k), Hex(0x4A2E08));
    PaintShape(c, leaf, [&](float, float y) { return Gold(Clamp01(y / (64.0f * k))); }, Bevel{3.0f * k, 1.1f, 0.5f, 20});
    // The midrib from the tip into the stem.
    const std::vector<Point> rib = QuadraticCurve(P(4.0f, 4.0f), P(9.0f, 20.0f), P(22.0f, 42.0f), 10);
    PaintFlat(c, StrokeField(c.width, c.height, c.scale, rib, 0.7f * k, 1.0f), Hex(0x8A5A14), 0.8f);
    // Two blue gems.
    const Point gems[] = {P(8.5f, 15.0f), P(14.5f, 24.0f)};
    const float radii[] = {3.0f * k, 2.4f * k};
    for (int i = 0; i < 2; ++i) {
        const Point g = gems[i];
        const float r = radii[i];
        const Grid gem = FieldOf(c.width, c.height, c.scale, [&](float x, float y) { return CircleDistance(x, y, g.x, g.y, r); });
        PaintFlat(c, Grown(gem, 0.7f * k), Hex(0xB07A20));
        PaintShape(c, gem, [&](float, float y) { return Mix(Hex(0x1A4A90), Hex(0x7FD0FF), Clamp01((y - g.y + r) / (2 * r))); },
                   Bevel{r, 1.2f, 0.8f, 24});
    }
}

} // namespace

Canvas DrawPointer(float size, float scale) {
    Canvas c = Blank(size, size, scale);
    PaintLeafArrow(c, size / 64.0f);
    return c;
}

Canvas DrawPointerWithTip(float size, float scale) {
    Canvas c = Blank(size, size, scale);
    const float k = size / 64.0f;
    PaintLeafArrow(c, k);
    const float cx = 40.0f * k, cy = 26.0f * k;
    const std::vector<Point> handle = {{cx + 9 * k, cy - 9 * k}, {cx + 19 * k, cy - 19 * k}};
    const Grid glass = FieldOf(c.width, c.height, c.scale, [&](float x, float y) {
        return std::min(std::fabs(CircleDistance(x, y, cx, cy, 10.0f * k)) - 2.2f * k, StrokeDistance(x, y, handle, 3.0f * k));
    });
    const Grid lens = FieldOf(c.width, c.height, c.scale, [&](float x, float y) { return CircleDistance(x, y, cx, cy, 8.5f * k); });
    PaintShape(c, lens, [&](float, float) { return Hex(0xCFEFFF, 0.55f); }, Bevel{3.0f * k, 0.6f, 0.6f, 24});
    PaintShadow(c, glass, 1.2f * k, -1.2f * k, 1.2f * k, 0.45f);
    PaintFlat(c, Grown(glass, 1.0f * k), Hex(0x3A2008));
    PaintShape(c, glass, [&](float, float y) { return Gold(Clamp01((y - cy + 20 * k) / (30 * k))); }, Bevel{2.0f * k, 1.1f, 0.5f, 18});
    return c;
}

Canvas DrawPointerWithMagnet(float size, float scale) {
    Canvas c = Blank(size, size, scale);
    const float k = size / 64.0f;
    PaintLeafArrow(c, k);
    const float cx = 43.0f * k, cy = 24.0f * k;
    std::vector<Point> shoe = {{cx - 9 * k, cy - 10 * k}, {cx - 9 * k, cy + 2 * k}};
    const std::vector<Point> arc = QuadraticCurve({cx - 9 * k, cy + 2 * k}, {cx, cy + 20 * k}, {cx + 9 * k, cy + 2 * k}, 12);
    shoe.insert(shoe.end(), arc.begin() + 1, arc.end());
    shoe.push_back({cx + 9 * k, cy - 10 * k});
    const Grid magnet = StrokeField(c.width, c.height, c.scale, shoe, 3.6f * k, 2.0f);
    PaintShadow(c, magnet, 1.2f * k, -1.2f * k, 1.2f * k, 0.45f);
    PaintFlat(c, Grown(magnet, 1.0f * k), Hex(0x1A1A2A));
    PaintShape(c, magnet, [&](float, float y) { return y < cy - 5 * k ? Hex(0xE8EEF4) : Hex(0xD0403A); }, Bevel{2.5f * k, 1.1f, 0.5f, 18});
    return c;
}

void PaintMouse(Canvas& c, float mx0, float my0, float mx1, float my1, int pressed) {
    const Grid body = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, mx0, my0, mx1, my1, (mx1 - mx0) * 0.45f); });
    PaintShadow(c, body, 1.0f, -1.0f, 1.0f, 0.5f);
    PaintFlat(c, Grown(body, 1.0f), Hex(0x3A2A1A));
    PaintShape(c, body, [&](float, float y) { return Mix(Hex(0xD9D0C0), Hex(0xFFFFFF), Clamp01((y - my0) / (my1 - my0))); },
               Bevel{3.0f, 0.9f, 0.4f, 18});
    const float mid = (mx0 + mx1) * 0.5f;
    const float split = my0 + (my1 - my0) * 0.55f;
    for (int side = 0; side < 2; ++side) {
        const bool on = (side == 0 && pressed == 2) || (side == 1 && pressed == 1);
        const Grid button = Whole(c, [&](float x, float y) {
            const float d = RoundedBoxDistance(x, y, mx0, my0, mx1, my1, (mx1 - mx0) * 0.45f);
            const float half = side == 0 ? x - (mid - 0.6f) : (mid + 0.6f) - x;
            return std::max({d + 1.2f, half, split + 0.6f - y});
        });
        PaintShape(c, button, [&](float, float) { return on ? Hex(0xFF9A2E) : Hex(0xF2EEE6); }, Bevel{1.5f, on ? -0.8f : 0.8f, 0.3f, 14});
        if (on) PaintGlow(c, button, Hex(0xFFC060), 0.5f, 1.5f, 0.8f);
    }
}

Canvas DrawTutorialPointer(float w, float h, int pressed, float scale) {
    Canvas c = Blank(w, h, scale);
    // The arrow in the upper part.
    Canvas arrow = DrawPointer(30.0f, scale);
    c.OverAt(arrow, 0, c.height - arrow.height);
    // A mouse below and to the right.
    PaintMouse(c, w * 0.38f, 1.0f, w - 1.0f, h * 0.52f, pressed);
    return c;
}

float PaintCaption(Canvas& c, const Typeface& face, const std::u32string& text, float size, float x, float baseline) {
    Grid cover(c.width, c.height, c.scale);
    face.Draw(cover, text, size, x, baseline);
    const Grid letters = DistanceOfCoverage(cover);
    PaintShadow(c, letters, 1.0f, -1.0f, 1.0f, 0.6f, Palette::Shadow);
    PaintFlat(c, Grown(letters, 1.0f), Palette::Shadow, 0.85f);
    PaintFlat(c, letters, Hex(0xFFF4D6));
    return x + face.Measure(text, size);
}

float PaintStepBadge(Canvas& c, const Typeface& face, int step, float x, float cy) {
    const float r = 9.0f;
    const Grid coin = Whole(c, [&](float px, float py) { return CircleDistance(px, py, x + r, cy, r); });
    PaintShadow(c, coin, 1.0f, -1.0f, 1.0f, 0.5f);
    PaintFlat(c, Grown(coin, 1.0f), Palette::GoldOutline);
    PaintShape(c, coin, [&](float, float y) { return Gold(Clamp01((y - cy + r) / (2.0f * r))); }, Bevel{2.0f, 1.1f, 0.5f, 18});
    const std::u32string digit(1, static_cast<char32_t>(U'0' + step));
    const InkBox ink = face.Ink(digit, 13.0f);
    Grid cover(c.width, c.height, c.scale);
    face.Draw(cover, digit, 13.0f, x + r - (ink.x0 + ink.x1) * 0.5f, cy - (ink.y0 + ink.y1) * 0.5f);
    PaintFlat(c, DistanceOfCoverage(cover), Palette::Ink);
    return x + 2.0f * r;
}

Canvas DrawTutorialPicture(float w, float h, float scale) {
    Canvas c = Blank(w, h, scale);
    static const Color sky[] = {Hex(0xFCE9B8), Palette::SkyMiddle, Palette::SkyTop};
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) c.Blend(x, y, Gradient(c.UnitY(y), h * 0.3f, h, sky, 3), 1.0f);
    }
    const Grid sun = Whole(c, [&](float x, float y) { return CircleDistance(x, y, w * 0.8f, h * 0.78f, h * 0.09f); });
    PaintGlow(c, sun, Hex(0xFFF3C0), h * 0.02f, h * 0.06f, 0.8f);
    PaintFlat(c, sun, Hex(0xFFF8DC));
    const Grid hill = Whole(c, [&](float x, float y) { return y - (h * 0.32f + h * 0.08f * std::sin(x / w * 5.0f + 1.0f)); });
    PaintShape(c, hill, [&](float, float y) { return Mix(Hex(0x4E9A38), Hex(0x8ACB52), Clamp01(y / (h * 0.4f))); }, Bevel{0, 0, 0, 0});
    // A big flower in the middle.
    const float fx = w * 0.42f, fy = h * 0.52f, r = h * 0.16f;
    const std::vector<Point> stem = QuadraticCurve({fx, fy}, {fx - r * 0.3f, fy - r * 1.6f}, {fx + r * 0.2f, 0.0f}, 10);
    PaintShape(c, StrokeField(c.width, c.height, c.scale, stem, r * 0.09f, 2.0f), [&](float, float) { return Palette::LeafDark; },
               Bevel{r * 0.06f, 0.8f, 0.2f, 10});
    for (int i = 0; i < 8; ++i) {
        const float a = static_cast<float>(i) * Pi / 4.0f + 0.2f;
        const Grid petal = Whole(c, [&](float x, float y) {
            return EllipseDistance(x, y, fx + std::cos(a) * r * 0.75f, fy + std::sin(a) * r * 0.75f, r * 0.45f, r * 0.45f);
        });
        PaintShape(c, petal, [&](float, float) { return i % 2 == 0 ? Hex(0xF59AC0) : Hex(0xF7B2D0); }, Bevel{r * 0.2f, 0.7f, 0.3f, 12});
    }
    const Grid heart = Whole(c, [&](float x, float y) { return CircleDistance(x, y, fx, fy, r * 0.42f); });
    PaintShape(c, heart, [&](float, float) { return Hex(0xF2B62A); }, Bevel{r * 0.25f, 0.9f, 0.4f, 14});
    return c;
}

Canvas DrawSplash(float w, float h, const Typeface& face, float scale) {
    Canvas c = Blank(w, h, scale);
    const float cx = w * 0.5f, cy = h * 0.56f;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const float d = std::hypot((c.UnitX(x) - cx) / w, (c.UnitY(y) - cy) / h);
            c.Blend(x, y, Mix(Hex(0x2F5A26), Hex(0x0E1E0C), SmoothStep(0.0f, 0.75f, d)), 1.0f);
        }
    }
    // Soft rays behind the emblem.
    const Canvas rays = DrawLightRays(h * 1.1f, 14, scale);
    Canvas faded = rays;
    faded.Fade(0.35f);
    c.OverAt(faded, static_cast<int>((cx - h * 0.55f) * scale), static_cast<int>((cy - h * 0.55f) * scale));
    // The emblem: a green leaf in a gold ring.
    const float r = h * 0.2f;
    const Grid disc = Whole(c, [&](float x, float y) { return CircleDistance(x, y, cx, cy, r); });
    PaintShadow(c, disc, 4.0f, -5.0f, 6.0f, 0.6f);
    PaintShape(c, disc, [&](float, float y) { return Mix(Hex(0x1F3A1A), Hex(0x4A7A34), Clamp01((y - cy + r) / (2 * r))); },
               Bevel{r * 0.2f, 0.8f, 0.2f, 10});
    const float lx = cx - r * 0.5f, ly = cy - r * 0.5f, len = r * 1.4f;
    const Grid leaf = Whole(c, [&](float x, float y) {
        const float a = 0.785f;
        const float ca = std::cos(a), sa = std::sin(a);
        const float u = (x - lx) * ca + (y - ly) * sa;
        const float v = -(x - lx) * sa + (y - ly) * ca;
        if (u < 0.0f) return std::hypot(u, v);
        if (u > len) return std::hypot(u - len, v);
        return (std::fabs(v) - r * 0.42f * std::sin(Pi * u / len)) * 0.85f;
    });
    PaintShape(c, leaf, [&](float, float y) { return Mix(Palette::Leaf, Palette::LeafLight, Clamp01((y - cy + r) / (2 * r))); },
               Bevel{r * 0.12f, 1.0f, 0.4f, 14});
    const Grid ring = Whole(c, [&](float x, float y) { return std::fabs(CircleDistance(x, y, cx, cy, r)) - r * 0.08f; });
    PaintShape(c, ring, [&](float, float y) { return RimGold(y, cy - r, cy + r); }, Bevel{r * 0.08f, 1.2f, 0.5f, 18});
    // The name below.
    const std::u32string name = U"Quobin Games";
    float size = h * 0.1f;
    const float width = face.Measure(name, size);
    if (width > w * 0.8f) size *= w * 0.8f / width;
    const InkBox ink = face.Ink(name, size);
    Grid cover(c.width, c.height, c.scale);
    face.Draw(cover, name, size, cx - (ink.x0 + ink.x1) * 0.5f, h * 0.2f - ink.y0);
    const Grid letters = DistanceOfCoverage(cover);
    PaintGlow(c, letters, Hex(0xFFE7A0), 2.0f, 6.0f, 0.35f);
    PaintFlat(c, Grown(letters, 2.0f), Palette::GoldOutline);
    PaintShape(c, letters, [&](float, float y) { return Gold(Clamp01((y - h * 0.2f) / (ink.y1 - ink.y0))); }, Bevel{2.0f, 1.2f, 0.5f, 20});
    return c;
}

} // namespace Tools::Art
