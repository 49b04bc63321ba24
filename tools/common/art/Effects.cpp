#include "tools/common/art/Effects.h"

#include <algorithm>

namespace Tools::Art {

namespace {

// Towards the viewer, from the top left.
constexpr float LightX = -0.55f;
constexpr float LightY = 0.6f;
constexpr float LightZ = 0.58f;

} // namespace

Lighting BevelLight(const Grid& distance, int x, int y, const Bevel& bevel) {
    const float d = distance.At(x, y);
    const float t = -d / bevel.width;
    if (t >= 1.0f || t <= -0.5f) {
        return {};
    }
    // The edge rises as a quarter sine: steep at the rim, flat inside.
    const float tc = std::clamp(t, 0.0f, 1.0f);
    const float slope = 1.5707963f * std::cos(tc * 1.5707963f) * bevel.strength;
    const float step = 1.0f / distance.scale;
    const float gx = (distance.Clamped(x + 1, y) - distance.Clamped(x - 1, y)) / (2.0f * step);
    const float gy = (distance.Clamped(x, y + 1) - distance.Clamped(x, y - 1)) / (2.0f * step);
    // Height grows inwards, against the distance's gradient.
    const float nx = slope * gx;
    const float ny = slope * gy;
    const float length = std::sqrt(nx * nx + ny * ny + 1.0f);
    const float dot = (nx * LightX + ny * LightY + LightZ) / length;
    Lighting light;
    light.shade = std::max(0.15f, 1.0f + (dot - LightZ) * 1.6f);
    // Blinn highlight with the viewer straight above.
    const float hx = LightX;
    const float hy = LightY;
    const float hz = LightZ + 1.0f;
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    const float spec = std::max(0.0f, (nx * hx + ny * hy + hz) / (length * hl));
    const float flat = hz / hl;
    if (spec > flat) {
        light.highlight = bevel.specular * std::pow((spec - flat) / (1.0f - flat), 1.0f + bevel.shininess * 0.1f);
    }
    return light;
}

void PaintFlat(Canvas& canvas, const Grid& distance, const Color& color, float opacity) {
    PaintShape(canvas, distance, [&](float, float) { return color; }, Bevel{0.0f, 0.0f, 0.0f, 0.0f}, opacity);
}

void PaintAmount(Canvas& canvas, const Grid& amount, const Color& color, float opacity) {
    const int y0 = std::max(0, -amount.originY);
    const int y1 = std::min(amount.height, canvas.height - amount.originY);
    const int x0 = std::max(0, -amount.originX);
    const int x1 = std::min(amount.width, canvas.width - amount.originX);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            canvas.Blend(x + amount.originX, y + amount.originY, color, amount.At(x, y) * opacity);
        }
    }
}

namespace {

// Room for a shape moved by (dx, dy) and blurred: its grid widened enough.
int MarginFor(const Grid& grid, float dx, float dy, float blur) {
    return static_cast<int>(std::ceil((std::max(std::fabs(dx), std::fabs(dy)) + blur * 2.2f) * grid.scale)) + 2;
}

} // namespace

void PaintShadow(Canvas& canvas, const Grid& distance, float dx, float dy, float blur, float opacity,
                 const Color& color) {
    const Grid wide = Coverage(distance).Expanded(MarginFor(distance, dx, dy, blur), 0.0f);
    PaintAmount(canvas, Blur(Shifted(wide, dx, dy, 0.0f), blur), color, opacity);
}

void PaintGlow(Canvas& canvas, const Grid& distance, const Color& color, float spread, float blur,
               float opacity) {
    const Grid wide = Coverage(Grown(distance, spread)).Expanded(MarginFor(distance, spread, 0.0f, blur), 0.0f);
    PaintAmount(canvas, Blur(wide, blur), color, opacity);
}

void PaintInnerShadow(Canvas& canvas, const Grid& distance, float dx, float dy, float blur, float opacity) {
    const int margin = MarginFor(distance, dx, dy, blur);
    const Grid inside = Coverage(distance).Expanded(margin, 0.0f);
    // Outside counts as covered, so the hollow is dark at its edge.
    Grid outer = inside;
    for (float& v : outer.values) v = 1.0f - v;
    const Grid moved = Blur(Shifted(outer, dx, dy, 1.0f), blur);
    Grid amount = inside;
    for (size_t i = 0; i < amount.values.size(); ++i) amount.values[i] = inside.values[i] * moved.values[i];
    PaintAmount(canvas, amount, Hex(0x000000), opacity);
}

Color Gradient(float y, float y0, float y1, const Color* colors, int count) {
    if (count <= 1) {
        return colors[0];
    }
    const float t = Clamp01((y - y0) / (y1 - y0)) * static_cast<float>(count - 1);
    const int i = std::min(static_cast<int>(t), count - 2);
    return Mix(colors[i], colors[i + 1], t - static_cast<float>(i));
}

} // namespace Tools::Art
