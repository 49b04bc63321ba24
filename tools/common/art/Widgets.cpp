#include "tools/common/art/Widgets.h"

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

Grid RoundRect(const Canvas& c, float x0, float y0, float x1, float y1, float r) {
    return FieldOf(c.width, c.height, c.scale,
                   [&](float x, float y) { return RoundedBoxDistance(x, y, x0, y0, x1, y1, r); });
}

Grid Ring(const Grid& distance, float inset, float halfWidth) {
    Grid out = distance;
    for (float& v : out.values) v = std::fabs(v + inset) - halfWidth;
    return out;
}

const Color kGoldRim[] = {Hex(0x8A5A14), Hex(0xD89A2E), Hex(0xFFE08A)};

// The gold of a rim or stud: vertical gradient over the shape's height.
Color RimGold(float y, float y0, float y1) {
    return Gradient(y, y0, y1, kGoldRim, 3);
}

WoodStyle ButtonWood(uint32_t seed) {
    WoodStyle s;
    s.dark = Hex(0x40260F);
    s.mid = Hex(0x74461F);
    s.light = Hex(0x9E6A38);
    s.grain = 0.7f;
    s.seed = seed;
    return s;
}

WoodStyle FrameWood(uint32_t seed) {
    WoodStyle s;
    s.dark = Palette::WoodDark;
    s.mid = Palette::WoodMid;
    s.light = Palette::WoodLight;
    s.grain = 0.8f;
    s.seed = seed;
    return s;
}

WoodStyle PanelWood(uint32_t seed) {
    WoodStyle s;
    s.dark = Hex(0x2A190B);
    s.mid = Palette::PanelDark;
    s.light = Palette::PanelMid;
    s.grain = 0.5f;
    s.seed = seed;
    return s;
}

// A domed gold stud.
void PaintStud(Canvas& c, float x, float y, float r) {
    const Grid stud = FieldIn(c.width, c.height, c.scale, x - r, y - r, x + r, y + r, 3.0f,
                              [&](float px, float py) { return CircleDistance(px, py, x, y, r); });
    PaintShadow(c, stud, 0.8f, -0.8f, 0.8f, 0.5f);
    PaintShape(c, stud, [&](float, float py) { return RimGold(py, y - r, y + r); }, Bevel{r, 1.4f, 0.6f, 20.0f});
}

// The varnish gleam: a soft light band under the top edge of a shape.
void PaintGleam(Canvas& c, const Grid& shape, float top, float depth, float opacity) {
    for (int y = 0; y < c.height; ++y) {
        const float uy = c.UnitY(y);
        const float band = SmoothStep(top - depth, top - depth * 0.35f, uy) * (1.0f - SmoothStep(top - depth * 0.3f, top, uy));
        if (band <= 0.0f) continue;
        for (int x = 0; x < c.width; ++x) {
            const float inside = Clamp01(0.5f - shape.At(x, y) * shape.scale);
            c.Blend(x, y, Hex(0xFFF6E0), inside * band * opacity);
        }
    }
}

} // namespace

void ApplyStateTint(Canvas& canvas, ControlState state) {
    if (state == ControlState::Hover) {
        for (Color& p : canvas.pixels) {
            p.r = std::min(p.a, p.r * 1.13f);
            p.g = std::min(p.a, p.g * 1.13f);
            p.b = std::min(p.a, p.b * 1.13f);
        }
    } else if (state == ControlState::Disabled) {
        for (Color& p : canvas.pixels) {
            if (p.a <= 0.0f) continue;
            Color s = Desaturate({p.r / p.a, p.g / p.a, p.b / p.a, 1}, 0.85f);
            // Half the contrast, around a warm grey.
            s = Mix(s, Hex(0x8A8070), 0.5f);
            const float a = p.a * 0.8f;
            p = {s.r * a, s.g * a, s.b * a, a};
        }
    }
}

Canvas DrawValuesPanel(float w, float h, float split, float scale, uint32_t seed) {
    Canvas c = DrawPanel(w, h, PanelKind::Inset, scale, seed);
    const auto field = [&](auto distance) { return FieldOf(c.width, c.height, c.scale, distance); };

    // The groove: a dark cut with a light lip on its lit side.
    const float low = 9.0f, high = h - 9.0f;
    PaintFlat(c, field([&](float x, float y) { return CapsuleDistance(x, y, {split, low}, {split, high}, 0.9f); }),
              Palette::Shadow, 0.75f);
    PaintFlat(c, field([&](float x, float y) {
                  return CapsuleDistance(x, y, {split + 1.5f, low}, {split + 1.5f, high}, 0.45f);
              }),
              Palette::WoodHighlight, 0.3f);

    // The hourglass, centred in the part right of the groove.
    const float cx = (split + w) * 0.5f, cy = h * 0.5f;
    const float half = std::min((w - split) * 0.5f - 8.0f, 14.0f);
    const float tall = std::min(h * 0.5f - 14.0f, 30.0f);
    const float capTop = cy + tall, capBottom = cy - tall;
    const float bulb = tall - 4.5f;  // from the neck to the inside of a cap
    const float rx = half - 3.0f, ry = bulb * 0.5f;
    const auto glass = [&](float x, float y) {
        return SmoothUnion(EllipseDistance(x, y, cx, cy + ry, rx, ry), EllipseDistance(x, y, cx, cy - ry, rx, ry),
                           2.5f);
    };
    const Grid glassShape = field(glass);
    PaintShadow(c, glassShape, 1.0f, -1.0f, 1.5f, 0.5f);
    PaintShape(c, glassShape, [&](float, float) { return Mix(Palette::Cream, Palette::SkyMiddle, 0.3f); },
               Bevel{2.0f, 0.8f, 0.7f, 24.0f}, 0.45f);
    // Sand: a heap in the lower bulb, what is left above the neck, and the
    // thread that runs between them.
    const Grid sand = field([&](float x, float y) {
        const float heap = std::max(glass(x, y) + 1.0f, y - (cy - ry * 1.1f - 0.35f * std::fabs(x - cx)));
        const float left = std::max({glass(x, y) + 1.0f, y - (cy + ry * 0.55f), cy + 1.0f - y});
        const float thread = CapsuleDistance(x, y, {cx, cy - ry * 1.1f}, {cx, cy + 1.0f}, 0.5f);
        return std::min({heap, left, thread});
    });
    PaintShape(c, sand, [&](float, float y) { return Gold(Clamp01((y - capBottom) / (capTop - capBottom))); },
               Bevel{1.2f, 0.9f, 0.3f, 16.0f});
    // The glint of the glass, left of its top.
    PaintFlat(c, field([&](float x, float y) {
                  return CapsuleDistance(x, y, {cx - rx * 0.55f, cy + ry * 1.5f}, {cx - rx * 0.45f, cy + ry * 0.6f},
                                         0.7f);
              }),
              Palette::Cream, 0.55f);

    // Two turned posts and the gold caps they hold.
    for (const float side : {-1.0f, 1.0f}) {
        const float x = cx + side * (half - 1.5f);
        const Grid post = field([&](float px, float py) {
            return CapsuleDistance(px, py, {x, capBottom + 2.0f}, {x, capTop - 2.0f}, 1.3f);
        });
        PaintShadow(c, post, 0.8f, -0.8f, 0.8f, 0.5f);
        PaintShape(c, post, [&](float px, float) { return Wood(px * 3.0f, 0.0f, FrameWood(seed + 7)); },
                   Bevel{1.3f, 1.2f, 0.4f, 16.0f});
    }
    for (const float y : {capBottom, capTop}) {
        const Grid cap = RoundRect(c, cx - half - 2.0f, y - 2.5f, cx + half + 2.0f, y + 2.5f, 2.0f);
        PaintShadow(c, cap, 1.0f, -1.0f, 1.0f, 0.5f);
        PaintShape(c, cap, [&](float, float py) { return RimGold(py, y - 2.5f, y + 2.5f); },
                   Bevel{1.6f, 1.3f, 0.6f, 20.0f});
    }
    return c;
}

Canvas DrawPanel(float w, float h, PanelKind kind, float scale, uint32_t seed) {
    Canvas c = Blank(w, h, scale);
    if (kind == PanelKind::Inset) {
        const Grid body = RoundRect(c, 1.0f, 1.0f, w - 1.0f, h - 1.0f, std::min(8.0f, h * 0.3f));
        // A thin light lip around the hollow, then the dark hollow itself.
        PaintShape(c, body, [&](float x, float y) { return Wood(x, y, FrameWood(seed)); }, Bevel{1.5f, -1.0f, 0.2f, 10});
        const Grid well = Grown(body, -2.0f);
        PaintShape(c, well, [&](float x, float y) { return Shade(Wood(x, y, PanelWood(seed + 1)), 0.85f); },
                   Bevel{3.0f, -0.7f, 0.0f, 10});
        PaintInnerShadow(c, well, 2.0f, -2.0f, 2.5f, 0.6f);
        return c;
    }

    const bool mainMenu = kind == PanelKind::MainMenu;
    const float radius = mainMenu ? 14.0f : 16.0f;
    const float x0 = 2.0f, y0 = 6.0f, x1 = w - 6.0f, y1 = h - 2.0f;
    const Grid body = RoundRect(c, x0, y0, x1, y1, radius);
    PaintShadow(c, body, 4.0f, -4.0f, 4.0f, 0.45f, Palette::Shadow);

    if (kind == PanelKind::Parchment) {
        PaintShape(c, body, [&](float x, float y) { return Wood(x, y, FrameWood(seed)); }, Bevel{4.0f, 1.0f, 0.3f, 14});
        const Grid sheet = Grown(body, -8.0f);
        const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
        PaintShape(c, sheet, [&](float x, float y) {
            Color col = Parchment(x, y, seed + 3);
            // Warm vignette towards the edges.
            const float dx = (x - cx) / ((x1 - x0) * 0.5f);
            const float dy = (y - cy) / ((y1 - y0) * 0.5f);
            const float v = SmoothStep(0.55f, 1.15f, std::sqrt(dx * dx * 0.8f + dy * dy * 0.8f));
            return Mix(col, Hex(0xB08A58), 0.45f * v);
        }, Bevel{3.0f, -0.5f, 0.0f, 10});
        PaintInnerShadow(c, sheet, 2.0f, -2.0f, 3.0f, 0.35f);
        return c;
    }

    // The carved frame, with a dark edge that holds it against bright scenery.
    PaintFlat(c, Grown(body, 1.0f), Hex(0x2A1708), 0.9f);
    PaintShape(c, body, [&](float x, float y) { return Wood(x, y, FrameWood(seed)); }, Bevel{5.0f, 1.1f, 0.35f, 14});
    const float border = mainMenu ? 12.0f : 14.0f;
    // A gold inlay line around the panel.
    PaintShape(c, Ring(body, border - 3.5f, 1.1f), [&](float, float y) { return RimGold(y, y0, y1); },
               Bevel{1.1f, 1.2f, 0.5f, 20});
    // The dark stained panel, sunk into the frame.
    const Grid panel = Grown(body, -border);
    const float cx = (x0 + x1) * 0.5f;
    const float top = y1 - border;
    PaintShape(c, panel, [&](float x, float y) {
        Color col = Wood(x, y, PanelWood(seed + 5));
        // Lamplight from above the middle, dusk towards the corners.
        const float dx = (x - cx) / (w * 0.6f);
        const float dy = (top - y) / (h * 0.9f);
        const float light = std::exp(-(dx * dx + dy * dy) * 2.2f);
        return Shade(col, 0.8f + 0.45f * light);
    }, Bevel{3.0f, -0.8f, 0.0f, 10});
    PaintInnerShadow(c, panel, 3.0f, -3.0f, 4.0f, 0.55f);

    // Gold leaves spreading from each corner over the frame, a stud at
    // their root.
    const float inset = border * 0.5f + 0.5f;
    const float studR = mainMenu ? 3.0f : 3.4f;
    for (int sx = 0; sx < 2; ++sx) {
        for (int sy = 0; sy < 2; ++sy) {
            const float cx = sx == 0 ? x0 + inset : x1 - inset;
            const float cy = sy == 0 ? y0 + inset : y1 - inset;
            const float along = std::atan2(sy == 0 ? 1.0f : -1.0f, sx == 0 ? 1.0f : -1.0f);
            const float reach = mainMenu ? 16.0f : 20.0f;
            const Grid leaves = FieldIn(c.width, c.height, c.scale, cx - reach, cy - reach, cx + reach, cy + reach, 3.0f,
                                        [&](float x, float y) {
                // Two leaves along the frame's sides, one smaller between them.
                const float side = along + (sx == sy ? 0.785f : -0.785f);
                const float other = along - (sx == sy ? 0.785f : -0.785f);
                return std::min({LeafDistance(x, y, cx, cy, reach, 3.2f, side), LeafDistance(x, y, cx, cy, reach, 3.2f, other),
                                 LeafDistance(x, y, cx, cy, reach * 0.6f, 2.6f, along)});
            });
            PaintShadow(c, leaves, 0.8f, -0.8f, 0.8f, 0.5f);
            PaintShape(c, leaves, [&](float, float y) { return Gold(Clamp01((y - cy + reach) / (2.0f * reach))); },
                       Bevel{1.6f, 1.2f, 0.5f, 18});
            PaintStud(c, cx, cy, studR);
        }
    }
    if (mainMenu || w > 300.0f) {
        // A small crest in the middle of the top edge: a gold diamond between two studs.
        const float mx = (x0 + x1) * 0.5f;
        const float my = y1 - border * 0.5f;
        const std::vector<Point> diamond = {{mx - 9, my}, {mx, my + 5}, {mx + 9, my}, {mx, my - 5}};
        const Grid crest = FieldIn(c.width, c.height, c.scale, mx - 10, my - 6, mx + 10, my + 6, 3.0f,
                                   [&](float x, float y) { return PolygonDistance(x, y, diamond) - 0.6f; });
        PaintShadow(c, crest, 0.8f, -0.8f, 0.8f, 0.5f);
        PaintShape(c, crest, [&](float, float y) { return RimGold(y, my - 5, my + 5); }, Bevel{2.0f, 1.3f, 0.6f, 20});
        PaintStud(c, mx - 15, my, 2.2f);
        PaintStud(c, mx + 15, my, 2.2f);
    }
    return c;
}

Canvas DrawButton(float w, float h, ButtonKind kind, ControlState state, float scale) {
    Canvas c = Blank(w, h, scale);
    const bool pressed = state == ControlState::Pressed;
    const bool hover = state == ControlState::Hover;
    const float x0 = 1.0f, y0 = 3.0f, x1 = w - 3.0f, y1 = h - 1.0f;
    const float radius = std::min((y1 - y0) * 0.5f, kind == ButtonKind::MainMenu ? 12.0f : 10.0f);
    const Grid body = RoundRect(c, x0, y0, x1, y1, radius);
    if (!pressed) {
        PaintShadow(c, body, 1.6f, -1.6f, 1.4f, 0.5f, Palette::Shadow);
    }
    if (hover) {
        PaintGlow(c, body, Hex(0xFFD86B), 0.5f, 1.2f, 0.9f);
    }
    // The gold rim.
    PaintShape(c, body, [&](float, float y) { return Shade(RimGold(y, y0, y1), hover ? 1.15f : 1.0f); },
               Bevel{1.6f, 1.2f, 0.5f, 18});
    // The wooden face; pressed, its content moves a unit down and right.
    const float shift = pressed ? 1.0f : 0.0f;
    const Grid face = Grown(body, -2.2f);
    const uint32_t seed = kind == ButtonKind::MainMenu ? 41 : 23;
    PaintShape(c, face, [&](float x, float y) {
        Color col = Wood(x - shift, y + shift, ButtonWood(seed));
        // Lighter above, darker below, as a rounded plank.
        const float t = Clamp01((y + shift - y0) / (y1 - y0));
        col = Shade(col, 0.78f + 0.42f * t);
        if (pressed) col = Shade(col, 0.82f);
        return col;
    }, Bevel{pressed ? 2.0f : 3.5f, pressed ? -0.5f : 0.9f, 0.25f, 14});
    if (pressed) {
        PaintInnerShadow(c, face, 1.5f, -1.5f, 1.5f, 0.6f);
    } else {
        PaintGleam(c, face, y1 - 3.0f, (y1 - y0) * 0.45f, 0.22f);
    }
    if (kind == ButtonKind::MainMenu) {
        const float cy = (y0 + y1) * 0.5f - shift;
        PaintStud(c, x0 + 8.0f + shift, cy, 2.3f);
        PaintStud(c, x1 - 8.0f + shift, cy, 2.3f);
    }
    ApplyStateTint(c, state);
    return c;
}

Canvas DrawCheckBox(float size, int frame, float scale) {
    Canvas c = Blank(size, size, scale);
    const bool checked = frame == 3 || frame == 4 || frame == 5 || frame == 7;
    const ControlState state = frame >= 6 ? ControlState::Disabled : static_cast<ControlState>(frame % 3);
    const bool pressed = state == ControlState::Pressed;
    const float x0 = 1.5f, y0 = 3.5f, x1 = size - 3.5f, y1 = size - 1.5f;
    const Grid body = RoundRect(c, x0, y0, x1, y1, 5.0f);
    if (!pressed) PaintShadow(c, body, 1.5f, -1.5f, 1.2f, 0.5f, Palette::Shadow);
    if (state == ControlState::Hover) PaintGlow(c, body, Hex(0xFFD86B), 0.4f, 1.0f, 0.9f);
    PaintShape(c, body, [&](float x, float y) { return Wood(x, y, FrameWood(7)); }, Bevel{2.5f, 1.1f, 0.35f, 14});
    const Grid well = Grown(body, -3.5f);
    PaintShape(c, well, [&](float x, float y) { return Shade(Wood(x, y, PanelWood(9)), pressed ? 0.75f : 0.95f); },
               Bevel{2.0f, -0.8f, 0.0f, 10});
    PaintInnerShadow(c, well, 1.2f, -1.2f, 1.2f, 0.6f);
    if (checked) {
        const float s = (x1 - x0) / 22.0f;
        const float shift = pressed ? 0.7f : 0.0f;
        const auto at = [&](float x, float y) { return Point{x0 + x * s + shift, y0 + y * s - shift}; };
        // A hand-drawn tick: a short stroke down, a long one up past the corner.
        std::vector<Point> tick = QuadraticCurve(at(4.5f, 11.5f), at(7.5f, 8.5f), at(9.0f, 4.5f), 6);
        const std::vector<Point> up = QuadraticCurve(at(9.0f, 4.5f), at(13.0f, 13.0f), at(22.5f, 23.0f), 10);
        tick.insert(tick.end(), up.begin() + 1, up.end());
        const Grid outline = FieldOf(c.width, c.height, c.scale, [&](float x, float y) { return StrokeDistance(x, y, tick, 3.2f * s); });
        const Grid stroke = Grown(outline, -1.1f * s);
        PaintShadow(c, outline, 0.8f, -0.8f, 0.8f, 0.45f);
        PaintFlat(c, outline, Hex(0x1E4514));
        PaintShape(c, stroke, [&](float, float y) {
            static const Color g[] = {Palette::LeafDark, Palette::Leaf, Palette::LeafLight};
            return Gradient(y, y0, y1, g, 3);
        }, Bevel{1.8f * s, 1.2f, 0.45f, 16});
    }
    ApplyStateTint(c, state);
    return c;
}

Canvas DrawArrowButton(float w, float h, Direction direction, ControlState state, float scale) {
    Canvas c = Blank(w, h, scale);
    const bool pressed = state == ControlState::Pressed;
    const float x0 = 1.0f, y0 = 2.5f, x1 = w - 2.5f, y1 = h - 1.0f;
    const Grid body = RoundRect(c, x0, y0, x1, y1, std::min(x1 - x0, y1 - y0) * 0.3f);
    if (!pressed) PaintShadow(c, body, 1.3f, -1.3f, 1.0f, 0.5f, Palette::Shadow);
    if (state == ControlState::Hover) PaintGlow(c, body, Hex(0xFFD86B), 0.3f, 1.0f, 0.9f);
    PaintShape(c, body, [&](float, float y) { return RimGold(y, y0, y1); }, Bevel{1.4f, 1.2f, 0.5f, 18});
    const Grid face = Grown(body, -1.8f);
    PaintShape(c, face, [&](float x, float y) { return Shade(Wood(x, y, ButtonWood(31)), pressed ? 0.75f : 1.0f); },
               Bevel{2.5f, pressed ? -0.5f : 0.9f, 0.25f, 14});
    const float shift = pressed ? 0.7f : 0.0f;
    const float cx = (x0 + x1) * 0.5f + shift, cy = (y0 + y1) * 0.5f - shift;
    const float r = std::min(x1 - x0, y1 - y0) * 0.26f;
    // The triangle points right, then turns to the direction.
    const float angle = (direction == Direction::Right) ? 0.0f
                        : (direction == Direction::Up)  ? 1.5707963f
                        : (direction == Direction::Left) ? 3.1415927f
                                                         : -1.5707963f;
    std::vector<Point> tri;
    for (int k = 0; k < 3; ++k) {
        const float a = angle + static_cast<float>(k) * 2.0943951f;
        tri.push_back({cx + std::cos(a) * r * (k == 0 ? 1.15f : 1.0f), cy + std::sin(a) * r});
    }
    const Grid arrow = FieldOf(c.width, c.height, c.scale, [&](float x, float y) { return PolygonDistance(x, y, tri) - 0.7f; });
    PaintFlat(c, Grown(arrow, 0.9f), Hex(0x3A2008));
    PaintShape(c, arrow, [&](float, float y) { return Gold(Clamp01((y - (cy - r)) / (2 * r))); }, Bevel{1.2f, 1.0f, 0.5f, 20});
    ApplyStateTint(c, state);
    return c;
}

Canvas DrawSliderTrack(float w, float h, bool vertical, float end, int state, float scale) {
    Canvas c = Blank(w, h, scale);
    // Along the track: a (the length axis) and b (across it).
    const float length = vertical ? h : w;
    const float breadth = vertical ? w : h;
    const float a0 = end + 1.0f, a1 = length - end - 1.0f;
    const float b0 = breadth * 0.5f - 6.0f, b1 = breadth * 0.5f + 4.0f;
    const auto box = [&](float a0_, float b0_, float a1_, float b1_, float r) {
        return vertical ? RoundRect(c, b0_, a0_, b1_, a1_, r) : RoundRect(c, a0_, b0_, a1_, b1_, r);
    };
    const Grid rail = box(a0, b0, a1, b1, 5.0f);
    PaintShadow(c, rail, 1.0f, -1.0f, 1.0f, 0.4f, Palette::Shadow);
    PaintShape(c, rail, [&](float x, float y) { return Wood(x, y, FrameWood(11)); }, Bevel{2.0f, 1.0f, 0.3f, 14});
    const Grid groove = Grown(rail, -2.3f);
    PaintShape(c, groove, [&](float, float) { return Hex(0x22140A); }, Bevel{1.5f, -0.8f, 0.0f, 10});
    PaintInnerShadow(c, groove, 1.0f, -1.0f, 1.0f, 0.7f);
    // Tick marks along the rail's lower lip.
    const int ticks = static_cast<int>((a1 - a0) / 24.0f);
    for (int i = 0; i <= ticks; ++i) {
        const float a = a0 + 6.0f + (a1 - a0 - 12.0f) * static_cast<float>(i) / static_cast<float>(std::max(ticks, 1));
        const Grid tick = vertical ? RoundRect(c, b1 + 1.0f, a - 0.6f, b1 + 3.0f, a + 0.6f, 0.5f)
                                   : RoundRect(c, a - 0.6f, b0 - 3.0f, a + 0.6f, b0 - 1.0f, 0.5f);
        PaintFlat(c, tick, Hex(0xE8B878), 0.8f);
    }
    ApplyStateTint(c, state == 1 ? ControlState::Hover : state == 2 ? ControlState::Disabled : ControlState::Normal);
    return c;
}

Canvas DrawSliderKnob(float w, float h, bool vertical, ControlState state, float scale) {
    Canvas c = Blank(w, h, scale);
    const bool pressed = state == ControlState::Pressed;
    const float x0 = 2.0f, y0 = 3.0f, x1 = w - 3.0f, y1 = h - 2.0f;
    const float r = std::min(x1 - x0, y1 - y0) * 0.5f;
    const Grid body = RoundRect(c, x0, y0, x1, y1, r * (vertical ? 0.7f : 0.9f));
    if (!pressed) PaintShadow(c, body, 1.4f, -1.4f, 1.2f, 0.55f, Palette::Shadow);
    if (state == ControlState::Hover) PaintGlow(c, body, Hex(0xFFD86B), 0.4f, 1.0f, 0.9f);
    PaintShape(c, body, [&](float, float y) { return RimGold(y, y0, y1); }, Bevel{1.5f, 1.2f, 0.6f, 18});
    const Grid knob = Grown(body, -1.8f);
    PaintShape(c, knob, [&](float x, float y) {
        WoodStyle s = FrameWood(17);
        s.angle = vertical ? 0.0f : 1.5707963f;
        return Shade(Wood(x, y, s), pressed ? 0.8f : 1.05f);
    }, Bevel{r * 0.9f, 1.3f, 0.7f, 22});
    // Three grip grooves across the knob.
    const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    for (int i = -1; i <= 1; ++i) {
        const float o = static_cast<float>(i) * 3.0f;
        const Grid g = vertical ? RoundRect(c, cx - 4.0f, cy + o - 0.5f, cx + 4.0f, cy + o + 0.5f, 0.5f)
                                : RoundRect(c, cx + o - 0.5f, cy - 5.0f, cx + o + 0.5f, cy + 5.0f, 0.5f);
        PaintFlat(c, g, Hex(0x3A2008), 0.55f);
    }
    ApplyStateTint(c, state);
    return c;
}

Canvas DrawTextField(float w, float h, float lead, float scale) {
    Canvas c = Blank(w, h, scale);
    const Grid body = RoundRect(c, 1.0f, 1.0f, w - 1.0f, h - 1.0f, std::min(9.0f, h * 0.35f));
    PaintShape(c, body, [&](float, float y) { return RimGold(y, 1.0f, h - 1.0f); }, Bevel{1.5f, -1.0f, 0.3f, 16});
    const Grid well = Grown(body, -2.0f);
    PaintShape(c, well, [&](float x, float y) { return Shade(Wood(x, y, PanelWood(13)), 0.75f); }, Bevel{2.5f, -0.7f, 0.0f, 10});
    PaintInnerShadow(c, well, 1.5f, -1.5f, 2.0f, 0.7f);
    // A quill in the lead: a feather leaning right with its nib at the bottom.
    const float cx = lead * 0.5f + 1.0f;
    const float cy = h * 0.5f;
    const float s = std::min(lead, h) / 28.0f;
    const std::vector<Point> vane = {{cx - 6 * s, cy - 2 * s}, {cx - 2 * s, cy + 9 * s}, {cx + 6 * s, cy + 12 * s},
                                     {cx + 3 * s, cy + 3 * s}, {cx - 3 * s, cy - 6 * s}};
    const Grid feather = FieldOf(c.width, c.height, c.scale, [&](float x, float y) { return PolygonDistance(x, y, vane) - 1.0f * s; });
    PaintShape(c, feather, [&](float, float y) { return Mix(Hex(0xD9C096), Palette::Cream, Clamp01((y - cy + 6 * s) / (16 * s))); },
               Bevel{1.5f * s, 1.0f, 0.3f, 14});
    const std::vector<Point> shaft = {{cx - 7 * s, cy - 9 * s}, {cx + 5 * s, cy + 11 * s}};
    PaintFlat(c, FieldOf(c.width, c.height, c.scale, [&](float x, float y) { return StrokeDistance(x, y, shaft, 0.5f * s); }),
              Hex(0x8A6A40));
    return c;
}

Canvas DrawHudButton(float size, HudIcon icon, ControlState state, float scale) {
    Canvas c = Blank(size, size, scale);
    const bool pressed = state == ControlState::Pressed;
    const float x0 = 1.0f, y0 = 3.0f, x1 = size - 3.0f, y1 = size - 1.0f;
    const float cx = (x0 + x1) * 0.5f + (pressed ? 0.6f : 0.0f);
    const float cy = (y0 + y1) * 0.5f - (pressed ? 0.6f : 0.0f);
    const float r = (x1 - x0) * 0.5f;
    const Grid body = FieldOf(c.width, c.height, c.scale, [&](float x, float y) { return CircleDistance(x, y, (x0 + x1) * 0.5f, (y0 + y1) * 0.5f, r); });
    if (!pressed) PaintShadow(c, body, 1.3f, -1.3f, 1.0f, 0.55f, Palette::Shadow);
    if (state == ControlState::Hover) PaintGlow(c, body, Hex(0xFFD86B), 0.3f, 1.0f, 0.9f);
    PaintShape(c, body, [&](float, float y) { return RimGold(y, y0, y1); }, Bevel{1.5f, 1.2f, 0.5f, 18});
    // A gem face: berry red for close, deep wood otherwise.
    const Color gem = icon == HudIcon::Close ? Palette::Berry : Hex(0x6B4322);
    const Grid face = Grown(body, -2.0f);
    PaintShape(c, face, [&](float, float y) {
        const float t = Clamp01((y - y0) / (y1 - y0));
        return Shade(gem, (pressed ? 0.7f : 0.85f) + 0.35f * t);
    }, Bevel{r * 0.8f, 1.2f, 0.55f, 24});
    const Color ink = Palette::Cream;
    const float k = r / 10.0f;
    Grid mark;
    switch (icon) {
    case HudIcon::Minimize:
        mark = RoundRect(c, cx - 5 * k, cy - 4.5f * k, cx + 5 * k, cy - 2.2f * k, 1.0f * k);
        break;
    case HudIcon::Close: {
        const std::vector<Point> a = {{cx - 4.5f * k, cy - 4.5f * k}, {cx + 4.5f * k, cy + 4.5f * k}};
        const std::vector<Point> b = {{cx - 4.5f * k, cy + 4.5f * k}, {cx + 4.5f * k, cy - 4.5f * k}};
        mark = FieldOf(c.width, c.height, c.scale, [&](float x, float y) {
            return std::min(StrokeDistance(x, y, a, 1.3f * k), StrokeDistance(x, y, b, 1.3f * k));
        });
        break;
    }
    case HudIcon::FullScreen: {
        // Four corner brackets pointing outwards.
        mark = FieldOf(c.width, c.height, c.scale, [&](float x, float y) {
            float d = 1e9f;
            for (int sx = -1; sx <= 1; sx += 2) {
                for (int sy = -1; sy <= 1; sy += 2) {
                    const Point corner{cx + sx * 5.5f * k, cy + sy * 5.5f * k};
                    const std::vector<Point> l = {{corner.x - sx * 3.5f * k, corner.y}, corner,
                                                  {corner.x, corner.y - sy * 3.5f * k}};
                    d = std::min(d, StrokeDistance(x, y, l, 0.95f * k));
                }
            }
            return d;
        });
        break;
    }
    case HudIcon::Windowed: {
        // Two overlapping window outlines.
        mark = FieldOf(c.width, c.height, c.scale, [&](float x, float y) {
            const float back = std::fabs(RoundedBoxDistance(x, y, cx - 2 * k, cy - 1 * k, cx + 5.5f * k, cy + 5 * k, 0.8f * k)) - 0.8f * k;
            const float front = RoundedBoxDistance(x, y, cx - 5.5f * k, cy - 5 * k, cx + 2 * k, cy + 1.5f * k, 0.8f * k);
            const float frontRing = std::fabs(front) - 0.8f * k;
            return std::min(std::max(back, -(front - 0.8f * k)), frontRing);
        });
        break;
    }
    }
    PaintFlat(c, Grown(mark, 0.8f * k), Hex(0x2A1408), 0.7f);
    PaintShape(c, mark, [&](float, float) { return ink; }, Bevel{0.8f * k, 0.8f, 0.3f, 14});
    ApplyStateTint(c, state);
    return c;
}

} // namespace Tools::Art
