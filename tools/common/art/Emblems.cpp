#include "tools/common/art/Emblems.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/common/art/Effects.h"
#include "tools/common/art/Noise.h"
#include "tools/common/art/Shapes.h"
#include "tools/common/art/Surfaces.h"

namespace Tools::Art {

namespace {

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

WoodStyle SignWood(uint32_t seed) {
    WoodStyle s;
    s.dark = Hex(0x4A2C12);
    s.mid = Hex(0x7A4A22);
    s.light = Hex(0xA9733E);
    s.grain = 0.6f;
    s.seed = seed;
    return s;
}

void Stud(Canvas& c, float x, float y, float r) {
    const Grid g = FieldIn(c.width, c.height, c.scale, x - r, y - r, x + r, y + r, 3.0f,
                           [&](float px, float py) { return CircleDistance(px, py, x, y, r); });
    PaintShadow(c, g, 0.7f, -0.7f, 0.7f, 0.5f);
    PaintShape(c, g, [&](float, float py) { return RimGold(py, y - r, y + r); }, Bevel{r, 1.4f, 0.6f, 20});
}

} // namespace

Canvas DrawTitleBoard(float w, float h, float scale) {
    Canvas c = Blank(w, h, scale);
    // A board with rounded scroll ends, hanging from two gold rings.
    const float x0 = 22.0f, x1 = w - 26.0f, y0 = 8.0f, y1 = h - 10.0f;
    const float cy = (y0 + y1) * 0.5f;
    const auto board = [&](float x, float y) {
        float d = RoundedBoxDistance(x, y, x0, y0, x1, y1, 14.0f);
        // Scrolls: a rolled end on each side.
        d = SmoothUnion(d, EllipseDistance(x, y, x0 + 2.0f, cy, 16.0f, (y1 - y0) * 0.5f + 3.0f), 4.0f);
        d = SmoothUnion(d, EllipseDistance(x, y, x1 - 2.0f, cy, 16.0f, (y1 - y0) * 0.5f + 3.0f), 4.0f);
        return d;
    };
    const Grid shape = Whole(c, board);
    PaintShadow(c, shape, 3.0f, -4.0f, 3.5f, 0.45f, Palette::Shadow);
    PaintShape(c, shape, [&](float, float y) { return RimGold(y, y0 - 3, y1 + 3); }, Bevel{2.0f, 1.2f, 0.5f, 18});
    const Grid face = Grown(shape, -3.0f);
    PaintShape(c, face, [&](float x, float y) {
        Color col = Wood(x, y, SignWood(71));
        return Shade(col, 0.8f + 0.35f * Clamp01((y - y0) / (y1 - y0)));
    }, Bevel{5.0f, 0.9f, 0.25f, 14});
    // The scrolls' curls.
    for (int side = 0; side < 2; ++side) {
        const float sx = side == 0 ? x0 + 2.0f : x1 - 2.0f;
        const Grid curl = Whole(c, [&](float x, float y) {
            return std::fabs(EllipseDistance(x, y, sx, cy, 9.0f, (y1 - y0) * 0.3f)) - 1.6f;
        });
        PaintShape(c, curl, [&](float, float y) { return RimGold(y, y0, y1); }, Bevel{1.6f, 1.0f, 0.4f, 16});
    }
    // A leafy vine along the top edge.
    const Grid vine = Whole(c, [&](float x, float y) {
        float d = 1e9f;
        for (int i = 0; i < 9; ++i) {
            const float lx = x0 + 30.0f + (x1 - x0 - 60.0f) * static_cast<float>(i) / 8.0f;
            const float angle = (i % 2 == 0 ? 0.5f : 2.6f);
            d = std::min(d, LeafDistance(x, y, lx, y1 - 1.0f, 13.0f, 4.5f, angle));
        }
        return d;
    });
    PaintShadow(c, vine, 1.0f, -1.0f, 1.0f, 0.35f);
    PaintShape(c, vine, [&](float x, float) { return Mix(Palette::LeafDark, Palette::Leaf, 0.5f + 0.5f * std::sin(x * 0.3f)); },
               Bevel{2.0f, 0.9f, 0.3f, 12});
    Stud(c, x0 + 26.0f, y1 - 8.0f, 3.2f);
    Stud(c, x1 - 26.0f, y1 - 8.0f, 3.2f);
    Stud(c, x0 + 26.0f, y0 + 8.0f, 3.2f);
    Stud(c, x1 - 26.0f, y0 + 8.0f, 3.2f);
    return c;
}

Canvas DrawPlate(float w, float h, float scale) {
    Canvas c = Blank(w, h, scale);
    const float x0 = 2.0f, y0 = 4.0f, x1 = w - 4.0f, y1 = h - 2.0f;
    const Grid shape = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, x0, y0, x1, y1, 12.0f); });
    PaintShadow(c, shape, 2.0f, -2.5f, 2.5f, 0.5f, Palette::Shadow);
    PaintShape(c, shape, [&](float, float y) { return RimGold(y, y0, y1); }, Bevel{2.0f, 1.2f, 0.5f, 18});
    const Grid face = Grown(shape, -3.0f);
    const float cx = w * 0.5f;
    PaintShape(c, face, [&](float x, float y) {
        WoodStyle s = SignWood(73);
        s.dark = Hex(0x25150A);
        s.mid = Hex(0x3B2614);
        s.light = Hex(0x52361C);
        const float glow = std::exp(-std::pow((x - cx) / (w * 0.45f), 2.0f));
        return Shade(Wood(x, y, s), 0.85f + 0.35f * glow);
    }, Bevel{3.0f, -0.8f, 0.0f, 10});
    PaintInnerShadow(c, face, 2.0f, -2.0f, 2.5f, 0.55f);
    Stud(c, x0 + 9.0f, (y0 + y1) * 0.5f, 2.6f);
    Stud(c, x1 - 9.0f, (y0 + y1) * 0.5f, 2.6f);
    return c;
}

Canvas DrawPlateMount(float w, float h, float plateInset, float scale) {
    Canvas c = Blank(w, h, scale);
    // A backing board a little larger than the plate, with gold corner
    // brackets and two rings at the top where it hangs.
    const float x0 = 1.0f, y0 = 1.0f, x1 = w - 1.0f, y1 = h - 1.0f;
    const Grid shape = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, x0, y0 + 2.0f, x1, y1 - 2.0f, 14.0f); });
    PaintShadow(c, shape, 2.0f, -2.0f, 2.0f, 0.4f, Palette::Shadow);
    PaintShape(c, shape, [&](float x, float y) { return Shade(Wood(x, y, SignWood(75)), 0.75f); }, Bevel{3.0f, 0.9f, 0.2f, 12});
    for (int sx = 0; sx < 2; ++sx) {
        for (int sy = 0; sy < 2; ++sy) {
            const float cx = sx == 0 ? x0 + plateInset : x1 - plateInset;
            const float cy = sy == 0 ? y0 + 4.0f : y1 - 4.0f;
            const float dx = sx == 0 ? 1.0f : -1.0f;
            const float dy = sy == 0 ? 1.0f : -1.0f;
            const std::vector<Point> bracket = {{cx + dx * 16.0f, cy}, {cx, cy}, {cx, cy + dy * 12.0f}};
            const Grid g = Whole(c, [&](float x, float y) { return StrokeDistance(x, y, bracket, 2.2f); });
            PaintShape(c, g, [&](float, float y) { return RimGold(y, y0, y1); }, Bevel{2.0f, 1.1f, 0.5f, 16});
        }
    }
    return c;
}

Canvas DrawFlash(float w, float h, float scale) {
    Canvas c = Blank(w, h, scale);
    const float cx = w * 0.5f, cy = h * 0.5f;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const float dx = (c.UnitX(x) - cx) / (w * 0.5f);
            const float dy = (c.UnitY(y) - cy) / (h * 0.5f);
            const float core = std::exp(-(dx * dx * 2.0f + dy * dy * 10.0f));
            const float wide = std::exp(-(dx * dx * 1.2f + dy * dy * 3.0f)) * 0.6f;
            const float streak = std::exp(-dy * dy * 60.0f) * (1.0f - dx * dx) * 0.8f;
            const float a = Clamp01(core + wide + std::max(streak, 0.0f));
            c.Blend(x, y, Mix(Hex(0xFFD86B), Hex(0xFFFBEA), Clamp01(core + streak)), a);
        }
    }
    return c;
}

Canvas DrawScreenBorder(float w, float h, float scale) {
    Canvas c = Blank(w, h, scale);
    // A soft dark vignette into the corners.
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const float ex = std::min(c.UnitX(x), w - c.UnitX(x));
            const float ey = std::min(c.UnitY(y), h - c.UnitY(y));
            const float edge = std::min(ex, ey);
            // Everything stays within 50 units of the edge, where the
            // strips of the border model lie.
            const float corner = std::hypot(std::max(0.0f, 50.0f - ex), std::max(0.0f, 50.0f - ey));
            const float v = SmoothStep(48.0f, 0.0f, edge) * 0.3f + SmoothStep(0.0f, 60.0f, corner) * 0.2f;
            c.Blend(x, y, Hex(0x2A1A0A), v);
        }
    }
    // The carved frame: a band along the edges.
    const float band = 7.0f;
    const Grid outer = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, -20.0f, -20.0f, w + 20.0f, h + 20.0f, 0.0f); });
    const Grid inner = Whole(c, [&](float x, float y) { return RoundedBoxDistance(x, y, band, band, w - band, h - band, 10.0f); });
    const Grid frame = Subtract(outer, inner);
    PaintShadow(c, frame, 2.0f, -2.0f, 3.0f, 0.5f, Palette::Shadow);
    PaintShape(c, frame, [&](float x, float y) { return Wood(x, y, SignWood(77)); }, Bevel{3.0f, 1.0f, 0.3f, 14});
    const Grid line = Whole(c, [&](float x, float y) {
        return std::fabs(RoundedBoxDistance(x, y, band - 1.5f, band - 1.5f, w - band + 1.5f, h - band + 1.5f, 11.5f)) - 0.9f;
    });
    PaintShape(c, line, [&](float, float y) { return RimGold(y, 0, h); }, Bevel{0.9f, 1.0f, 0.5f, 18});
    // Gold leaf ornaments in the corners.
    for (int sx = 0; sx < 2; ++sx) {
        for (int sy = 0; sy < 2; ++sy) {
            const float cx = sx == 0 ? band + 2.0f : w - band - 2.0f;
            const float cy = sy == 0 ? band + 2.0f : h - band - 2.0f;
            const float base = std::atan2(sy == 0 ? 1.0f : -1.0f, sx == 0 ? 1.0f : -1.0f);
            const Grid leaves = FieldIn(c.width, c.height, c.scale, cx - 40, cy - 40, cx + 40, cy + 40, 3.0f, [&](float x, float y) {
                float d = 1e9f;
                for (int k = -2; k <= 2; ++k) {
                    d = std::min(d, LeafDistance(x, y, cx, cy, 30.0f - std::abs(k) * 5.0f, 5.0f, base + static_cast<float>(k) * 0.38f));
                }
                return d;
            });
            PaintShadow(c, leaves, 1.5f, -1.5f, 1.5f, 0.5f);
            PaintShape(c, leaves, [&](float, float y) { return Gold(Clamp01((y - cy + 30.0f) / 60.0f)); }, Bevel{2.5f, 1.2f, 0.5f, 18});
            Stud(c, cx, cy, 4.0f);
        }
    }
    return c;
}

namespace {

// A name in gold lettering from x = left to the canvas' right edge, fitted
// to that room and centred on the height ey.
void PaintBadgeName(Canvas& c, float left, float w, float h, float ey, const std::u32string& name,
                    const Typeface& face) {
    float size = h * 0.5f;
    const float room = w - left - 3.0f;
    const float width = face.Measure(name, size);
    if (width > room) size *= room / width;
    const InkBox ink = face.Ink(name, size);
    Grid cover(c.width, c.height, c.scale);
    face.Draw(cover, name, size, left, ey - (ink.y0 + ink.y1) * 0.5f);
    const Grid letters = DistanceOfCoverage(cover);
    PaintShadow(c, letters, 1.0f, -1.0f, 1.0f, 0.6f);
    PaintFlat(c, Grown(letters, 1.0f), Palette::GoldOutline);
    PaintShape(c, letters, [&](float, float y) { return Gold(Clamp01((y - ey + size * 0.4f) / (size * 0.8f))); }, Bevel{1.0f, 1.0f, 0.4f, 16});
}

} // namespace

Canvas DrawMakerLogo(float w, float h, const std::u32string& name, const Typeface& face, float scale) {
    Canvas c = Blank(w, h, scale);
    const float r = h * 0.42f;
    const float ex = r + 2.0f, ey = h * 0.5f;
    // The emblem: a gold ring around a green leaf.
    const Grid ring = Whole(c, [&](float x, float y) { return std::fabs(CircleDistance(x, y, ex, ey, r - 2.0f)) - 2.0f; });
    const Grid disc = Whole(c, [&](float x, float y) { return CircleDistance(x, y, ex, ey, r - 2.0f); });
    PaintShadow(c, disc, 1.2f, -1.2f, 1.5f, 0.5f);
    PaintShape(c, disc, [&](float, float y) { return Mix(Hex(0x1F3A1A), Hex(0x3C6A2C), Clamp01((y - ey + r) / (2 * r))); },
               Bevel{4.0f, 0.8f, 0.2f, 10});
    const Grid leaf = Whole(c, [&](float x, float y) { return LeafDistance(x, y, ex - r * 0.45f, ey - r * 0.45f, r * 1.25f, r * 0.38f, 0.785f); });
    PaintShape(c, leaf, [&](float, float y) { return Mix(Palette::Leaf, Palette::LeafLight, Clamp01((y - ey + r) / (2 * r))); },
               Bevel{2.0f, 1.0f, 0.4f, 14});
    PaintShape(c, ring, [&](float, float y) { return RimGold(y, ey - r, ey + r); }, Bevel{2.0f, 1.2f, 0.5f, 18});
    // The name in gold beside it, fitted to the space left.
    PaintBadgeName(c, ex + r + 5.0f, w, h, ey, name, face);
    return c;
}

Canvas DrawSeal(float w, float h, const std::u32string& name, const Typeface& face, float scale) {
    Canvas c = Blank(w, h, scale);
    const float r = h * 0.44f;
    const float cx = r + 3.0f, cy = h * 0.5f;
    // Wax with a scalloped edge, a leaf pressed into it.
    const Grid wax = Whole(c, [&](float x, float y) {
        const float a = std::atan2(y - cy, x - cx);
        return CircleDistance(x, y, cx, cy, r - 1.0f - 1.2f * std::cos(a * 9.0f));
    });
    PaintShadow(c, wax, 1.2f, -1.2f, 1.5f, 0.5f);
    PaintShape(c, wax, [&](float, float y) { return Mix(Hex(0x7A2420), Palette::Berry, Clamp01((y - cy + r) / (2 * r))); },
               Bevel{3.0f, 1.0f, 0.35f, 14});
    const Grid press = Whole(c, [&](float x, float y) { return std::fabs(CircleDistance(x, y, cx, cy, r * 0.62f)) - 0.8f; });
    PaintShape(c, press, [&](float, float) { return Hex(0x5A1A16); }, Bevel{0.8f, -0.8f, 0.0f, 10});
    const Grid leaf = Whole(c, [&](float x, float y) { return LeafDistance(x, y, cx - r * 0.35f, cy - r * 0.35f, r * 0.95f, r * 0.3f, 0.785f); });
    PaintShape(c, leaf, [&](float, float) { return Hex(0x5A1A16); }, Bevel{1.0f, -0.9f, 0.1f, 10});
    // The publisher's name beside it, as the maker's badge has its own.
    PaintBadgeName(c, cx + r + 5.0f, w, h, cy, name, face);
    return c;
}

GoldLetter DrawGoldLetter(const Typeface& face, char32_t letter, float size, float scale) {
    GoldLetter out;
    const std::u32string text(1, letter);
    out.ink = face.Ink(text, size);
    out.margin = 8.0f;
    const float w = out.ink.x1 - out.ink.x0 + 2.0f * out.margin;
    const float h = out.ink.y1 - out.ink.y0 + 2.0f * out.margin;
    out.canvas = Blank(w, h, scale);
    Canvas& c = out.canvas;
    Grid cover(c.width, c.height, c.scale);
    const float baseline = out.margin - out.ink.y0;
    face.Draw(cover, text, size, out.margin - out.ink.x0, baseline);
    const Grid glyph = DistanceOfCoverage(cover);
    const float top = h - out.margin, bottom = out.margin;
    // Warm glow, then the extrusion down and to the right in dark gold.
    PaintGlow(c, glyph, Hex(0xFFE7A0), 2.0f, 4.0f, 0.55f);
    const float depth = 3.5f;
    for (int i = 8; i >= 1; --i) {
        const float t = static_cast<float>(i) / 8.0f;
        const Grid step = Shifted(Grown(glyph, 1.6f), depth * t, -depth * t, 1e9f);
        PaintFlat(c, step, Mix(Hex(0x8A5A14), Hex(0x4A2E08), t));
    }
    PaintFlat(c, Grown(glyph, 2.0f), Palette::GoldOutline);
    PaintShape(c, glyph, [&](float, float y) { return Gold(Clamp01((y - bottom) / (top - bottom))); }, Bevel{2.2f, 1.3f, 0.55f, 22});
    return out;
}

Canvas DrawSoftSprite(int pixels) {
    Canvas c(pixels, pixels, 1.0f);
    const float r = static_cast<float>(pixels) * 0.5f;
    for (int y = 0; y < pixels; ++y) {
        for (int x = 0; x < pixels; ++x) {
            const float d = std::hypot(c.UnitX(x) - r, c.UnitY(y) - r) / r;
            const float a = std::exp(-d * d * 4.5f) * SmoothStep(1.0f, 0.85f, d);
            c.Blend(x, y, Hex(0xFFFFFF), a);
        }
    }
    return c;
}

Canvas DrawStarSprite(int pixels) {
    Canvas c(pixels, pixels, 1.0f);
    const float r = static_cast<float>(pixels) * 0.5f;
    for (int y = 0; y < pixels; ++y) {
        for (int x = 0; x < pixels; ++x) {
            const float dx = std::fabs(c.UnitX(x) - r) / r, dy = std::fabs(c.UnitY(y) - r) / r;
            const float d = std::hypot(dx, dy);
            // A small bright core, two thin rays across it and a faint halo.
            const float core = std::exp(-d * d * 40.0f);
            const float rays = std::exp(-dx * 22.0f) * std::exp(-dy * dy * 3.0f) + std::exp(-dy * 22.0f) * std::exp(-dx * dx * 3.0f);
            const float a = Clamp01(core + rays * 0.9f + std::exp(-d * d * 6.0f) * 0.15f) * SmoothStep(1.0f, 0.8f, d);
            c.Blend(x, y, Hex(0xFFFFFF), a);
        }
    }
    return c;
}

Canvas DrawPetalSprite(int pixels) {
    Canvas c(pixels, pixels, 1.0f);
    const float r = static_cast<float>(pixels) * 0.5f;
    const Grid petal = FieldOf(pixels, pixels, 1.0f, [&](float x, float y) { return EllipseDistance(x, y, r, r, r * 0.45f, r * 0.8f); });
    for (int y = 0; y < pixels; ++y) {
        for (int x = 0; x < pixels; ++x) {
            const float d = petal.At(x, y);
            c.Blend(x, y, Hex(0xFFFFFF), SmoothStep(1.5f, -2.5f, d));
        }
    }
    return c;
}

} // namespace Tools::Art
