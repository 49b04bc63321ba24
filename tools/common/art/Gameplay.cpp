#include "tools/common/art/Gameplay.h"

#include <algorithm>
#include <cmath>

#include "tools/common/art/Effects.h"
#include "tools/common/art/Noise.h"
#include "tools/common/art/Surfaces.h"

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

const Color kRim[] = {Hex(0x8A5A14), Hex(0xD89A2E), Hex(0xFFE08A)};

Color RimGold(float y, float y0, float y1) {
    return Gradient(y, y0, y1, kRim, 3);
}

// Planks of a table running across, each with its own grain.
Color TablePlanks(float x, float y) {
    const float plank = 56.0f;
    const float row = std::floor(y / plank);
    WoodStyle s;
    s.dark = Hex(0x4E3118);
    s.mid = Hex(0x7A5028);
    s.light = Hex(0x9E6E3C);
    s.grain = 0.55f;
    s.seed = 300 + static_cast<uint32_t>(row);
    Color col = Wood(x + row * 137.0f, y, s);
    // A dark seam between the planks and a lighter edge above it.
    const float within = y - row * plank;
    col = Shade(col, 1.0f - 0.45f * SmoothStep(2.0f, 0.0f, within) + 0.1f * SmoothStep(2.0f, 4.0f, within) * SmoothStep(7.0f, 4.0f, within));
    return col;
}

void Stud(Canvas& c, float x, float y, float r) {
    const Grid g = FieldIn(c.width, c.height, c.scale, x - r, y - r, x + r, y + r, 3.0f,
                           [&](float px, float py) { return CircleDistance(px, py, x, y, r); });
    PaintShadow(c, g, 0.7f, -0.7f, 0.7f, 0.5f);
    PaintShape(c, g, [&](float, float py) { return RimGold(py, y - r, y + r); }, Bevel{r, 1.4f, 0.6f, 20});
}

} // namespace

Canvas DrawTable(float w, float h, const Rect& board, const std::vector<Point>& path, const Rect& statistics, float scale) {
    Canvas c = Blank(w, h, scale);
    // The table, darker towards the screen's edges.
    const float cx = w * 0.5f, cy = h * 0.5f;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const float ux = c.UnitX(x), uy = c.UnitY(y);
            const float dx = (ux - cx) / w, dy = (uy - cy) / h;
            const float v = 1.0f - 0.55f * SmoothStep(0.2f, 0.75f, std::sqrt(dx * dx + dy * dy));
            c.Blend(x, y, Shade(TablePlanks(ux, uy), v), 1.0f);
        }
    }
    // The trough, from beyond the top edge through every path point.
    std::vector<Point> line = {{path.front().x + 10.0f, h + 30.0f}};
    line.insert(line.end(), path.begin(), path.end());
    const Grid rim = StrokeField(c.width, c.height, c.scale, line, 27.0f, 12.0f);
    PaintShadow(c, rim, 3.0f, -3.0f, 3.5f, 0.5f, Palette::Shadow);
    PaintShape(c, rim, [&](float x, float y) {
        WoodStyle s;
        s.seed = 41;
        s.angle = 1.5708f;
        return Wood(x, y, s);
    }, Bevel{4.0f, 1.0f, 0.3f, 14});
    const Grid channel = Grown(rim, -5.0f);
    PaintShape(c, channel, [&](float x, float y) {
        WoodStyle s;
        s.dark = Hex(0x2E1B0C);
        s.mid = Hex(0x4A2E16);
        s.light = Hex(0x6A4424);
        s.seed = 43;
        s.angle = 1.5708f;
        return Wood(x, y, s);
    }, Bevel{5.0f, -0.9f, 0.0f, 10});
    PaintInnerShadow(c, channel, 3.0f, -3.0f, 3.0f, 0.55f);
    const Grid groove = StrokeField(c.width, c.height, c.scale, line, 2.0f, 3.0f);
    PaintShape(c, groove, [&](float, float) { return Hex(0x1E1008); }, Bevel{1.5f, -0.8f, 0.0f, 8});

    // Where the statistics are printed: a dark inset field with a gold rim
    // and a golden sprig. The statistics are drawn behind the table, so the
    // field is partly open: a share of their light comes through. Behind
    // the table there is only the black of the screen, so the field is
    // painted with the colours it should show (premultiplied over black),
    // and reads as an opaque inset whether the statistics are on or off.
    const float statisticsLight = 0.4f;
    const Grid pane = Whole(c, [&](float x, float y) {
        return RoundedBoxDistance(x, y, statistics.x0 + 4.0f, statistics.y0 + 3.0f, statistics.x1 - 4.0f, statistics.y1 - 3.0f, 6.0f);
    });
    PaintShadow(c, Grown(pane, 1.5f), 2.0f, -2.0f, 2.5f, 0.5f, Palette::Shadow);
    PaintShape(c, Grown(pane, 1.5f), [&](float, float y) { return RimGold(y, statistics.y0, statistics.y1); }, Bevel{1.5f, -1.0f, 0.3f, 16});
    const Grid paneCover = Coverage(pane);
    WoodStyle inset;
    inset.dark = Hex(0x1E1209);
    inset.mid = Hex(0x331F0F);
    inset.light = Hex(0x4A2F17);
    inset.grain = 0.45f;
    inset.seed = 57;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const float glass = paneCover.At(x, y);
            if (glass <= 0.0f) {
                continue;
            }
            const float uy = c.UnitY(y);
            // Darker under the top lip, as in a recess.
            const float lip = 0.7f + 0.3f * SmoothStep(statistics.y1 - 4.0f, statistics.y1 - 16.0f, uy);
            const Color wood = Shade(Wood(c.UnitX(x), uy, inset), lip);
            const Color field = {wood.r, wood.g, wood.b, 1.0f - statisticsLight};
            Color& p = c.At(x, y);
            p = {Lerp(p.r, field.r, glass), Lerp(p.g, field.g, glass), Lerp(p.b, field.b, glass), Lerp(p.a, field.a, glass)};
        }
    }
    PaintInnerShadow(c, pane, 2.0f, -2.0f, 2.5f, 0.45f);
    // The sprig, right of where the statistics' lines end and above the
    // board's frame: leaves in turn on both sides of a curved stem.
    const float sx = statistics.x1 - 48.0f, sy = (board.y1 + 15.0f + statistics.y1) * 0.5f;
    const std::vector<Point> stem = QuadraticCurve({sx - 30.0f, sy - 9.0f}, {sx, sy + 7.0f}, {sx + 30.0f, sy + 4.0f}, 16);
    const Grid sprig = Whole(c, [&](float x, float y) {
        float d = StrokeDistance(x, y, stem, 1.0f);
        for (int i = 0; i < 5; ++i) {
            const size_t at = 2 + static_cast<size_t>(i) * 3;
            const Point a = stem[at], b = stem[at + 1];
            const float along = std::atan2(b.y - a.y, b.x - a.x);
            const float side = i % 2 == 0 ? 0.95f : -0.95f;
            d = std::min(d, LeafDistance(x, y, a.x, a.y, 11.0f - static_cast<float>(i) * 0.6f, 4.2f, along + side));
        }
        const Point tip = stem.back();
        return std::min(d, LeafDistance(x, y, tip.x, tip.y, 10.0f, 4.0f, -0.1f));
    });
    PaintShape(c, sprig, [&](float, float y) { return Gold(Clamp01((y - sy + 10.0f) / 22.0f)); }, Bevel{1.5f, 1.1f, 0.5f, 18});
    // The board's carved frame; inside it the table is cut away.
    const float band = 15.0f;
    const Grid outer = Whole(c, [&](float x, float y) {
        return RoundedBoxDistance(x, y, board.x0 - band, board.y0 - band, board.x1 + band, board.y1 + band, 8.0f);
    });
    PaintShadow(c, outer, 4.0f, -4.0f, 5.0f, 0.55f, Palette::Shadow);
    PaintShape(c, outer, [&](float x, float y) {
        WoodStyle s;
        s.seed = 45;
        return Wood(x, y, s);
    }, Bevel{5.0f, 1.1f, 0.35f, 14});
    const Grid inlay = Whole(c, [&](float x, float y) {
        return std::fabs(RoundedBoxDistance(x, y, board.x0 - band * 0.45f, board.y0 - band * 0.45f, board.x1 + band * 0.45f,
                                            board.y1 + band * 0.45f, 5.0f)) - 1.0f;
    });
    PaintShape(c, inlay, [&](float, float y) { return RimGold(y, board.y0, board.y1); }, Bevel{1.0f, 1.2f, 0.5f, 20});
    Stud(c, board.x0 - band * 0.5f, board.y0 - band * 0.5f, 4.0f);
    Stud(c, board.x1 + band * 0.5f, board.y0 - band * 0.5f, 4.0f);
    Stud(c, board.x0 - band * 0.5f, board.y1 + band * 0.5f, 4.0f);
    Stud(c, board.x1 + band * 0.5f, board.y1 + band * 0.5f, 4.0f);
    // A dark lip just outside the board, then nothing over the board itself.
    const Grid lip = Whole(c, [&](float x, float y) {
        return std::fabs(RoundedBoxDistance(x, y, board.x0 - 1.5f, board.y0 - 1.5f, board.x1 + 1.5f, board.y1 + 1.5f, 0.5f)) - 1.5f;
    });
    PaintFlat(c, lip, Hex(0x1E1008), 0.9f);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const float ux = c.UnitX(x), uy = c.UnitY(y);
            if (ux > board.x0 && ux < board.x1 && uy > board.y0 && uy < board.y1) c.At(x, y) = {0, 0, 0, 0};
        }
    }
    return c;
}

Canvas DrawHudBar(float w, float h, float scale) {
    Canvas c = Blank(w, h, scale);
    const Grid bar = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, -30.0f, 7.0f, w - 3.0f, h + 30.0f, 16.0f); });
    PaintShadow(c, bar, 2.0f, -3.0f, 3.0f, 0.55f, Palette::Shadow);
    PaintShape(c, bar, [&](float, float y) { return RimGold(y, 7.0f, 20.0f); }, Bevel{2.0f, 1.2f, 0.5f, 18});
    const Grid face = Grown(bar, -3.0f);
    PaintShape(c, face, [&](float x, float y) {
        WoodStyle s;
        s.dark = Hex(0x40260F);
        s.mid = Hex(0x6A4020);
        s.light = Hex(0x8E5E30);
        s.grain = 0.6f;
        s.seed = 51;
        return Shade(Wood(x, y, s), 0.8f + 0.3f * Clamp01((y - 7.0f) / (h - 7.0f)));
    }, Bevel{4.0f, 0.9f, 0.25f, 14});
    return c;
}

Canvas DrawHoleBottom(float w, float h, float scale) {
    Canvas c = Blank(w, h, scale);
    const float cx = w * 0.5f, cy = h * 0.5f;
    const Grid rim = Whole(c, [&](float x, float y) { return EllipseDistance(x, y, cx, cy, w * 0.5f - 0.5f, h * 0.5f - 0.5f); });
    PaintShape(c, rim, [&](float x, float y) {
        const float n = Fractal(x * 0.4f, y * 0.4f, 61, 2);
        return Shade(Mix(Hex(0x7E7A70), Hex(0xB8B2A2), n), 0.9f);
    }, Bevel{3.0f, 1.0f, 0.3f, 12});
    const Grid pit = Grown(rim, -4.0f);
    PaintShape(c, pit, [&](float x, float y) {
        const float dx = (x - cx) / (w * 0.5f), dy = (y - cy) / (h * 0.5f);
        const float deep = 1.0f - std::sqrt(dx * dx + dy * dy);
        return Mix(Hex(0x2A1E14), Hex(0x050302), SmoothStep(0.0f, 0.7f, deep));
    }, Bevel{3.0f, -0.8f, 0.0f, 10});
    PaintInnerShadow(c, pit, 0.0f, -2.5f, 2.0f, 0.8f);
    return c;
}

Canvas DrawHoleTop(float w, float h, float rimTop, float scale) {
    // The whole rim's front half: the ellipse of the pit's box, whose centre
    // lies at this canvas' top edge (rimTop units up).
    Canvas c = Blank(w, h, scale);
    const float cx = w * 0.5f, cy = rimTop;
    const float rx = w * 0.5f - 0.5f, ry = rimTop - 0.5f;
    const Grid ring = Whole(c, [&](float x, float y) {
        const float outside = EllipseDistance(x, y, cx, cy, rx, ry);
        const float inside = EllipseDistance(x, y, cx, cy, rx - 4.0f, ry - 4.0f);
        return std::max(outside, -inside);
    });
    PaintShape(c, ring, [&](float x, float y) {
        const float n = Fractal(x * 0.4f, y * 0.4f, 61, 2);
        return Shade(Mix(Hex(0x7E7A70), Hex(0xB8B2A2), n), 0.95f);
    }, Bevel{2.0f, 1.0f, 0.3f, 12});
    return c;
}

Canvas DrawCart(float w, float h, float scale) {
    Canvas c = Blank(w, h, scale);
    const float wheelR = h * 0.2f;
    // The box of the cart on its axle.
    const Grid body = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, 3.0f, wheelR + 2.0f, w - 3.0f, h - 6.0f, 4.0f); });
    PaintShadow(c, body, 1.5f, -1.5f, 1.5f, 0.5f);
    PaintShape(c, body, [&](float, float y) { return RimGold(y, wheelR, h - 6.0f); }, Bevel{1.5f, 1.2f, 0.5f, 18});
    const Grid planks = Grown(body, -2.0f);
    PaintShape(c, planks, [&](float x, float y) {
        WoodStyle s;
        s.seed = 71;
        const float seam = std::fmod(y, 7.0f);
        return Shade(Wood(x, y, s), 1.0f - 0.35f * SmoothStep(1.0f, 0.0f, seam));
    }, Bevel{2.5f, 0.9f, 0.3f, 14});
    // A handle at the back (the right, since it pushes to the left).
    const std::vector<Point> handle = {{w - 6.0f, h - 8.0f}, {w - 1.5f, h - 1.5f}};
    PaintShape(c, StrokeField(c.width, c.height, c.scale, handle, 1.5f, 2.0f), [&](float, float) { return Hex(0x6A4424); },
               Bevel{1.5f, 0.8f, 0.2f, 10});
    for (int i = 0; i < 2; ++i) {
        const float wx = i == 0 ? w * 0.28f : w * 0.72f;
        const Grid wheel = Whole(c, [&](float x, float y) { return CircleDistance(x, y, wx, wheelR + 0.5f, wheelR); });
        PaintShadow(c, wheel, 1.0f, -1.0f, 1.0f, 0.5f);
        PaintShape(c, wheel, [&](float x, float y) {
            const float a = std::atan2(y - wheelR, x - wx);
            const float spoke = SmoothStep(0.85f, 1.0f, std::fabs(std::cos(a * 3.0f)));
            const float r = std::hypot(x - wx, y - wheelR) / wheelR;
            Color col = Mix(Hex(0x5A3A1E), Hex(0x8B5A2B), spoke * SmoothStep(0.95f, 0.7f, r));
            return r > 0.78f ? Hex(0x3A2410) : col;
        }, Bevel{1.5f, 1.0f, 0.3f, 12});
        Stud(c, wx, wheelR + 0.5f, wheelR * 0.28f);
    }
    return c;
}

Canvas DrawBonus(float size, BonusKind kind, float scale) {
    Canvas c = Blank(size, size, scale);
    const float cx = size * 0.5f - 0.5f, cy = size * 0.5f + 0.5f, r = size * 0.5f - 2.0f;
    const Color gem = kind == BonusKind::Magnet  ? Palette::Water
                      : kind == BonusKind::Pause ? Palette::Leaf
                      : kind == BonusKind::Rollback ? Palette::Violet
                                                    : Hex(0xE0A030);
    const Grid disc = Whole(c, [&](float x, float y) { return CircleDistance(x, y, cx, cy, r); });
    PaintShadow(c, disc, 1.0f, -1.0f, 1.2f, 0.55f);
    PaintShape(c, disc, [&](float, float y) { return RimGold(y, cy - r, cy + r); }, Bevel{1.5f, 1.2f, 0.5f, 18});
    const Grid face = Grown(disc, -2.0f);
    PaintShape(c, face, [&](float x, float y) {
        const float t = Clamp01((y - cy + r) / (2.0f * r));
        const float d = std::hypot(x - cx + r * 0.3f, y - cy - r * 0.3f) / r;
        return Mix(Shade(gem, 0.6f + 0.5f * t), Hex(0xFFFFFF), 0.35f * SmoothStep(0.6f, 0.0f, d));
    }, Bevel{r * 0.6f, 1.1f, 0.6f, 24});
    const float k = r / 15.0f;
    const Color ink = Palette::Cream;
    Grid mark;
    switch (kind) {
    case BonusKind::Magnet: {
        // A horseshoe magnet with red tips, pointing down.
        const std::vector<Point> shoe = {{cx - 6 * k, cy - 6 * k}, {cx - 6 * k, cy + 1 * k}};
        const std::vector<Point> arc = QuadraticCurve({cx - 6 * k, cy + 1 * k}, {cx, cy + 13 * k}, {cx + 6 * k, cy + 1 * k}, 10);
        const std::vector<Point> leg = {{cx + 6 * k, cy + 1 * k}, {cx + 6 * k, cy - 6 * k}};
        std::vector<Point> all = shoe;
        all.insert(all.end(), arc.begin() + 1, arc.end());
        all.insert(all.end(), leg.begin() + 1, leg.end());
        mark = StrokeField(c.width, c.height, c.scale, all, 2.6f * k, 2.0f);
        PaintFlat(c, Grown(mark, 0.9f * k), Hex(0x10203A), 0.8f);
        PaintShape(c, mark, [&](float, float y) { return y < cy - 2.5f * k ? Hex(0xE0504A) : Hex(0xE8EEF4); }, Bevel{1.5f * k, 1.0f, 0.4f, 14});
        return c;
    }
    case BonusKind::Pause: {
        // A clock face with two hands.
        const Grid ring = Whole(c, [&](float x, float y) { return std::fabs(CircleDistance(x, y, cx, cy, 8.0f * k)) - 1.6f * k; });
        const std::vector<Point> hands = {{cx, cy + 6 * k}, {cx, cy}, {cx + 4.5f * k, cy - 2.5f * k}};
        mark = Union(ring, Whole(c, [&](float x, float y) { return StrokeDistance(x, y, hands, 1.3f * k); }));
        break;
    }
    case BonusKind::Rollback: {
        // A circular arrow turning back.
        std::vector<Point> arc;
        for (int i = 0; i <= 16; ++i) {
            const float a = 0.5f + 4.4f * static_cast<float>(i) / 16.0f;
            arc.push_back({cx + std::cos(a) * 7.5f * k, cy + std::sin(a) * 7.5f * k});
        }
        const Point tip = arc.back();
        const float a = 4.9f;
        const std::vector<Point> head = {{tip.x + std::cos(a + 1.57f) * 5.5f * k, tip.y + std::sin(a + 1.57f) * 5.5f * k},
                                         {tip.x + std::cos(a) * 5.0f * k, tip.y + std::sin(a) * 5.0f * k},
                                         {tip.x - std::cos(a) * 5.0f * k, tip.y - std::sin(a) * 5.0f * k}};
        mark = Whole(c, [&](float x, float y) { return std::min(StrokeDistance(x, y, arc, 1.8f * k), PolygonDistance(x, y, head)); });
        break;
    }
    case BonusKind::Tip: {
        // A magnifying glass.
        const std::vector<Point> handle = {{cx + 3.5f * k, cy - 3.5f * k}, {cx + 9 * k, cy - 9 * k}};
        mark = Whole(c, [&](float x, float y) {
            return std::min(std::fabs(CircleDistance(x, y, cx - 2 * k, cy + 2 * k, 6.0f * k)) - 1.7f * k,
                            StrokeDistance(x, y, handle, 2.2f * k));
        });
        break;
    }
    }
    PaintFlat(c, Grown(mark, 0.9f * k), Hex(0x201008), 0.7f);
    PaintShape(c, mark, [&](float, float) { return ink; }, Bevel{1.2f * k, 0.9f, 0.3f, 14});
    return c;
}

Canvas DrawSmallArrow(float size, int direction, float scale) {
    Canvas c = Blank(size, size, scale);
    const float cx = size * 0.5f, cy = size * 0.5f, r = size * 0.42f;
    const float angle = direction * -Pi * 0.5f + Pi * 0.5f;  // 0 up, 1 right, 2 down, 3 left
    const auto at = [&](float along, float across) {
        return Point{cx + std::cos(angle) * along - std::sin(angle) * across, cy + std::sin(angle) * along + std::cos(angle) * across};
    };
    const std::vector<Point> shape = {at(r, 0), at(0, r * 0.95f), at(0, r * 0.42f), at(-r, r * 0.42f),
                                      at(-r, -r * 0.42f), at(0, -r * 0.42f), at(0, -r * 0.95f)};
    const Grid arrow = Whole(c, [&](float x, float y) { return PolygonDistance(x, y, shape) + 0.4f; });
    PaintShadow(c, arrow, 0.6f, -0.6f, 0.6f, 0.5f);
    PaintFlat(c, Grown(arrow, 0.9f), Hex(0x3A2008));
    PaintShape(c, arrow, [&](float, float y) { return Gold(Clamp01(y / size)); }, Bevel{1.2f, 1.0f, 0.5f, 18});
    return c;
}

Canvas DrawTileRim(float size, float band, float scale) {
    Canvas c = Blank(size, size, scale);
    const Grid outer = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, 0.5f, 0.5f, size - 0.5f, size - 0.5f, band * 0.6f); });
    const Grid inner = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, band, band, size - band, size - band, band * 0.3f); });
    const Grid frame = Subtract(outer, inner);
    PaintShape(c, frame, [&](float x, float y) {
        WoodStyle s;
        s.seed = 81;
        return Mix(Wood(x, y, s), RimGold(y, 0, size), 0.35f);
    }, Bevel{band * 0.5f, 1.1f, 0.45f, 16});
    return c;
}

} // namespace Tools::Art
