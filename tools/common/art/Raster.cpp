#include "tools/common/art/Raster.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Tools::Art {

Color Hex(uint32_t rgb, float alpha) {
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
}

Color Mix(const Color& x, const Color& y, float t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

Color Shade(const Color& c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}

Color WithAlpha(const Color& c, float alpha) {
    return {c.r, c.g, c.b, alpha};
}

Color Desaturate(const Color& c, float amount) {
    const float grey = 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
    return Mix(c, {grey, grey, grey, c.a}, amount);
}

float Clamp01(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

float SmoothStep(float edge0, float edge1, float v) {
    const float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float Lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

Grid::Grid(int width, int height, float scale, float value)
    : width(width), height(height), scale(scale), values(static_cast<size_t>(width) * height, value) {
    if (width <= 0 || height <= 0 || scale <= 0.0f) {
        throw std::invalid_argument("a grid needs a positive size and scale");
    }
}

Grid::Grid(int originX, int originY, int width, int height, float scale, float value)
    : Grid(width, height, scale, value) {
    this->originX = originX;
    this->originY = originY;
}

Grid Grid::Expanded(int margin, float fill) const {
    Grid out(originX - margin, originY - margin, width + 2 * margin, height + 2 * margin, scale, fill);
    for (int y = 0; y < height; ++y) {
        std::copy(values.begin() + static_cast<ptrdiff_t>(y) * width, values.begin() + static_cast<ptrdiff_t>(y + 1) * width,
                  out.values.begin() + static_cast<ptrdiff_t>(y + margin) * out.width + margin);
    }
    return out;
}

bool Grid::SameArea(const Grid& other) const {
    return originX == other.originX && originY == other.originY && width == other.width && height == other.height;
}

float Grid::Clamped(int x, int y) const {
    x = std::clamp(x, 0, width - 1);
    y = std::clamp(y, 0, height - 1);
    return At(x, y);
}

float Grid::Sample(float ux, float uy) const {
    const float px = ux * scale - 0.5f - static_cast<float>(originX);
    const float py = uy * scale - 0.5f - static_cast<float>(originY);
    const float fx = std::floor(px);
    const float fy = std::floor(py);
    const int x = static_cast<int>(fx);
    const int y = static_cast<int>(fy);
    const float tx = px - fx;
    const float ty = py - fy;
    const float bottom = Lerp(Clamped(x, y), Clamped(x + 1, y), tx);
    const float top = Lerp(Clamped(x, y + 1), Clamped(x + 1, y + 1), tx);
    return Lerp(bottom, top, ty);
}

Canvas::Canvas(int width, int height, float scale)
    : width(width), height(height), scale(scale), pixels(static_cast<size_t>(width) * height, Color{0, 0, 0, 0}) {
    if (width <= 0 || height <= 0 || scale <= 0.0f) {
        throw std::invalid_argument("a canvas needs a positive size and scale");
    }
}

void Canvas::Blend(int x, int y, const Color& color, float coverage) {
    const float a = Clamp01(color.a * coverage);
    if (a <= 0.0f) {
        return;
    }
    Color& p = At(x, y);
    const float keep = 1.0f - a;
    p.r = color.r * a + p.r * keep;
    p.g = color.g * a + p.g * keep;
    p.b = color.b * a + p.b * keep;
    p.a = a + p.a * keep;
}

void Canvas::Over(const Canvas& top) {
    OverAt(top, 0, 0);
}

void Canvas::OverAt(const Canvas& top, int dx, int dy) {
    for (int y = std::max(0, dy); y < std::min(height, dy + top.height); ++y) {
        for (int x = std::max(0, dx); x < std::min(width, dx + top.width); ++x) {
            const Color& s = top.At(x - dx, y - dy);
            if (s.a <= 0.0f) {
                continue;
            }
            Color& p = At(x, y);
            const float keep = 1.0f - s.a;
            p.r = s.r + p.r * keep;
            p.g = s.g + p.g * keep;
            p.b = s.b + p.b * keep;
            p.a = s.a + p.a * keep;
        }
    }
}

void Canvas::MaskBy(const Grid& mask) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int gx = x - mask.originX;
            const int gy = y - mask.originY;
            const bool inside = gx >= 0 && gy >= 0 && gx < mask.width && gy < mask.height;
            const float k = inside ? Clamp01(mask.At(gx, gy)) : 0.0f;
            Color& p = At(x, y);
            p = {p.r * k, p.g * k, p.b * k, p.a * k};
        }
    }
}

void Canvas::Fade(float k) {
    for (Color& p : pixels) {
        p = {p.r * k, p.g * k, p.b * k, p.a * k};
    }
}

Canvas Canvas::Downsample(int factor) const {
    if (factor <= 1) {
        return *this;
    }
    Canvas out(width / factor, height / factor, scale / static_cast<float>(factor));
    const float norm = 1.0f / static_cast<float>(factor * factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            Color sum{0, 0, 0, 0};
            for (int j = 0; j < factor; ++j) {
                for (int i = 0; i < factor; ++i) {
                    const Color& p = At(x * factor + i, y * factor + j);
                    sum.r += p.r;
                    sum.g += p.g;
                    sum.b += p.b;
                    sum.a += p.a;
                }
            }
            out.At(x, y) = {sum.r * norm, sum.g * norm, sum.b * norm, sum.a * norm};
        }
    }
    return out;
}

namespace {

// For each new pixel along one axis: the old pixels it covers and their
// weights (a box filter when shrinking, a tent when growing).
struct Tap {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Tap> Taps(int from, int to) {
    std::vector<Tap> taps(static_cast<size_t>(to));
    const float ratio = static_cast<float>(from) / static_cast<float>(to);
    const float support = std::max(ratio, 1.0f);
    for (int i = 0; i < to; ++i) {
        const float centre = (static_cast<float>(i) + 0.5f) * ratio;
        const int lo = std::max(0, static_cast<int>(std::floor(centre - support)));
        const int hi = std::min(from - 1, static_cast<int>(std::ceil(centre + support)));
        Tap& tap = taps[static_cast<size_t>(i)];
        tap.first = lo;
        float total = 0.0f;
        for (int j = lo; j <= hi; ++j) {
            const float d = std::fabs(static_cast<float>(j) + 0.5f - centre) / support;
            const float w = std::max(0.0f, 1.0f - d);
            tap.weights.push_back(w);
            total += w;
        }
        for (float& w : tap.weights) w /= total;
    }
    return taps;
}

} // namespace

Canvas Canvas::Resampled(int newWidth, int newHeight) const {
    const std::vector<Tap> tx = Taps(width, newWidth);
    const std::vector<Tap> ty = Taps(height, newHeight);
    Canvas across(newWidth, height, scale * static_cast<float>(newWidth) / static_cast<float>(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < newWidth; ++x) {
            const Tap& t = tx[static_cast<size_t>(x)];
            Color sum{0, 0, 0, 0};
            for (size_t k = 0; k < t.weights.size(); ++k) {
                const Color& p = At(t.first + static_cast<int>(k), y);
                sum.r += p.r * t.weights[k];
                sum.g += p.g * t.weights[k];
                sum.b += p.b * t.weights[k];
                sum.a += p.a * t.weights[k];
            }
            across.At(x, y) = sum;
        }
    }
    Canvas out(newWidth, newHeight, across.scale);
    for (int y = 0; y < newHeight; ++y) {
        const Tap& t = ty[static_cast<size_t>(y)];
        for (int x = 0; x < newWidth; ++x) {
            Color sum{0, 0, 0, 0};
            for (size_t k = 0; k < t.weights.size(); ++k) {
                const Color& p = across.At(x, t.first + static_cast<int>(k));
                sum.r += p.r * t.weights[k];
                sum.g += p.g * t.weights[k];
                sum.b += p.b * t.weights[k];
                sum.a += p.a * t.weights[k];
            }
            out.At(x, y) = sum;
        }
    }
    return out;
}

Grid Canvas::Alpha() const {
    Grid out(width, height, scale);
    for (size_t i = 0; i < pixels.size(); ++i) {
        out.values[i] = pixels[i].a;
    }
    return out;
}

namespace {

uint8_t Byte(float v) {
    return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f));
}

// Straight colours of the painted pixels, spread outwards into the empty
// ones ring by ring.
std::vector<Color> BleedColors(const Canvas& canvas) {
    const int w = canvas.width;
    const int h = canvas.height;
    std::vector<Color> straight(canvas.pixels.size());
    std::vector<uint8_t> known(canvas.pixels.size(), 0);
    std::vector<int> frontier;
    for (size_t i = 0; i < canvas.pixels.size(); ++i) {
        const Color& p = canvas.pixels[i];
        if (p.a > 0.5f / 255.0f) {
            straight[i] = {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
            known[i] = 1;
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (known[static_cast<size_t>(y) * w + x]) {
                continue;
            }
            bool edge = false;
            for (int k = 0; k < 4 && !edge; ++k) {
                const int nx = x + (k == 0) - (k == 1);
                const int ny = y + (k == 2) - (k == 3);
                edge = nx >= 0 && ny >= 0 && nx < w && ny < h && known[static_cast<size_t>(ny) * w + nx];
            }
            if (edge) {
                frontier.push_back(y * w + x);
            }
        }
    }
    // A few rings are enough for filtering and the first mip levels; the rest
    // take the mean of the painted pixels.
    for (int ring = 0; ring < 8 && !frontier.empty(); ++ring) {
        std::vector<int> next;
        std::vector<std::pair<int, Color>> found;
        for (const int i : frontier) {
            if (known[i]) {
                continue;
            }
            const int x = i % w;
            const int y = i / w;
            Color sum{0, 0, 0, 0};
            float n = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) {
                        continue;
                    }
                    const int j = ny * w + nx;
                    if (known[j] == 1) {
                        sum.r += straight[j].r;
                        sum.g += straight[j].g;
                        sum.b += straight[j].b;
                        n += 1;
                    }
                }
            }
            if (n > 0) {
                found.push_back({i, {sum.r / n, sum.g / n, sum.b / n, 0}});
            }
        }
        for (const auto& [i, c] : found) {
            straight[i] = c;
            known[i] = 2;
        }
        for (const auto& [i, c] : found) {
            known[i] = 1;
            const int x = i % w;
            const int y = i / w;
            for (int k = 0; k < 4; ++k) {
                const int nx = x + (k == 0) - (k == 1);
                const int ny = y + (k == 2) - (k == 3);
                if (nx >= 0 && ny >= 0 && nx < w && ny < h && !known[ny * w + nx]) {
                    next.push_back(ny * w + nx);
                }
            }
        }
        frontier.swap(next);
    }
    Color mean{0, 0, 0, 0};
    float n = 0;
    for (size_t i = 0; i < straight.size(); ++i) {
        if (known[i] && canvas.pixels[i].a > 0.5f / 255.0f) {
            mean.r += straight[i].r;
            mean.g += straight[i].g;
            mean.b += straight[i].b;
            n += 1;
        }
    }
    if (n > 0) {
        mean = {mean.r / n, mean.g / n, mean.b / n, 0};
    }
    for (size_t i = 0; i < straight.size(); ++i) {
        if (!known[i]) {
            straight[i] = mean;
        }
        straight[i].a = canvas.pixels[i].a;
    }
    return straight;
}

} // namespace

ZorvaneEngine::Image Canvas::ToImage(bool withAlpha) const {
    ZorvaneEngine::Image image;
    image.Create(static_cast<uint32_t>(width), static_cast<uint32_t>(height), withAlpha ? 32 : 24, nullptr);
    const std::vector<Color> straight = withAlpha ? BleedColors(*this) : std::vector<Color>{};
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.GetRow(static_cast<uint32_t>(y));
        for (int x = 0; x < width; ++x) {
            if (withAlpha) {
                const Color& c = straight[static_cast<size_t>(y) * width + x];
                *row++ = Byte(c.r);
                *row++ = Byte(c.g);
                *row++ = Byte(c.b);
                *row++ = Byte(c.a);
            } else {
                const Color& p = At(x, y);
                *row++ = Byte(p.r);
                *row++ = Byte(p.g);
                *row++ = Byte(p.b);
            }
        }
    }
    return image;
}

ZorvaneEngine::Image AlphaImage(const Canvas& canvas) {
    ZorvaneEngine::Image image;
    image.Create(static_cast<uint32_t>(canvas.width), static_cast<uint32_t>(canvas.height), 8, nullptr);
    for (int y = 0; y < canvas.height; ++y) {
        uint8_t* row = image.GetRow(static_cast<uint32_t>(y));
        for (int x = 0; x < canvas.width; ++x) {
            row[x] = Byte(canvas.At(x, y).a);
        }
    }
    return image;
}

} // namespace Tools::Art
