#include "tools/common/art/Shapes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace Tools::Art {

float RoundedBoxDistance(float x, float y, float x0, float y0, float x1, float y1, float radius) {
    const float cx = (x0 + x1) * 0.5f;
    const float cy = (y0 + y1) * 0.5f;
    const float hx = (x1 - x0) * 0.5f - radius;
    const float hy = (y1 - y0) * 0.5f - radius;
    const float qx = std::fabs(x - cx) - hx;
    const float qy = std::fabs(y - cy) - hy;
    const float ox = std::max(qx, 0.0f);
    const float oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

float CircleDistance(float x, float y, float cx, float cy, float radius) {
    const float dx = x - cx, dy = y - cy;
    return std::sqrt(dx * dx + dy * dy) - radius;
}

float EllipseDistance(float x, float y, float cx, float cy, float rx, float ry) {
    const float px = (x - cx) / rx;
    const float py = (y - cy) / ry;
    const float k = std::sqrt(px * px + py * py);
    if (k < 1e-6f) {
        return -std::min(rx, ry);
    }
    // The normalised radius times the local scale along the gradient.
    const float gx = px / (rx * k);
    const float gy = py / (ry * k);
    return (k - 1.0f) / std::sqrt(gx * gx + gy * gy);
}

namespace {

float SegmentDistance(float x, float y, const Point& a, const Point& b) {
    const float bax = b.x - a.x;
    const float bay = b.y - a.y;
    const float pax = x - a.x;
    const float pay = y - a.y;
    const float len = bax * bax + bay * bay;
    const float h = len > 0.0f ? std::clamp((pax * bax + pay * bay) / len, 0.0f, 1.0f) : 0.0f;
    const float dx = pax - bax * h, dy = pay - bay * h;
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace

float CapsuleDistance(float x, float y, const Point& a, const Point& b, float radius) {
    return SegmentDistance(x, y, a, b) - radius;
}

float PolygonDistance(float x, float y, const std::vector<Point>& polygon) {
    float best = std::numeric_limits<float>::max();
    bool inside = false;
    const size_t n = polygon.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        best = std::min(best, SegmentDistance(x, y, a, b));
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside ? -best : best;
}

float StrokeDistance(float x, float y, const std::vector<Point>& line, float radius) {
    // Squared distances, one square root at the end.
    float best = std::numeric_limits<float>::max();
    for (size_t i = 1; i < line.size(); ++i) {
        const Point& a = line[i - 1];
        const Point& b = line[i];
        const float bax = b.x - a.x, bay = b.y - a.y;
        const float pax = x - a.x, pay = y - a.y;
        const float len = bax * bax + bay * bay;
        const float h = len > 0.0f ? std::clamp((pax * bax + pay * bay) / len, 0.0f, 1.0f) : 0.0f;
        const float dx = pax - bax * h, dy = pay - bay * h;
        best = std::min(best, dx * dx + dy * dy);
    }
    return std::sqrt(best) - radius;
}

Grid StrokeField(int width, int height, float scale, const std::vector<Point>& line, float radius, float margin) {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Point& p : line) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    return FieldIn(width, height, scale, x0 - radius, y0 - radius, x1 + radius, y1 + radius, margin,
                   [&](float x, float y) { return StrokeDistance(x, y, line, radius); });
}

std::vector<Point> QuadraticCurve(const Point& a, const Point& control, const Point& b, int steps) {
    std::vector<Point> out;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const float u = 1.0f - t;
        out.push_back({u * u * a.x + 2 * u * t * control.x + t * t * b.x,
                       u * u * a.y + 2 * u * t * control.y + t * t * b.y});
    }
    return out;
}

std::vector<Point> CubicCurve(const Point& a, const Point& c1, const Point& c2, const Point& b, int steps) {
    std::vector<Point> out;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const float u = 1.0f - t;
        out.push_back({u * u * u * a.x + 3 * u * u * t * c1.x + 3 * u * t * t * c2.x + t * t * t * b.x,
                       u * u * u * a.y + 3 * u * u * t * c1.y + 3 * u * t * t * c2.y + t * t * t * b.y});
    }
    return out;
}

// A leaf pointing along angle, its base at (x, y): as wide as width in the
// middle, narrowing to both tips.
float LeafDistance(float px, float py, float x, float y, float length, float width, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    const float lx = (px - x) * c + (py - y) * s;
    const float ly = -(px - x) * s + (py - y) * c;
    if (lx < 0.0f) return std::hypot(lx, ly);
    if (lx > length) return std::hypot(lx - length, ly);
    return (std::fabs(ly) - width * std::sin(3.14159265f * lx / length)) * 0.85f;
}

float SmoothUnion(float d1, float d2, float k) {
    const float h = std::clamp(0.5f + 0.5f * (d2 - d1) / k, 0.0f, 1.0f);
    return Lerp(d2, d1, h) - k * h * (1.0f - h);
}

Grid Coverage(const Grid& distance) {
    Grid out = distance;
    for (size_t i = 0; i < out.values.size(); ++i) {
        out.values[i] = Clamp01(0.5f - distance.values[i] * distance.scale);
    }
    return out;
}

namespace {

// Squared distance transform of one line (Felzenszwalb and Huttenlocher):
// f holds 0 at the sites and a large value elsewhere.
void Transform1D(const float* f, float* d, int n, std::vector<int>& v, std::vector<float>& z) {
    const float inf = std::numeric_limits<float>::max();
    int k = 0;
    v[0] = 0;
    z[0] = -inf;
    z[1] = inf;
    for (int q = 1; q < n; ++q) {
        float s = ((f[q] + static_cast<float>(q * q)) - (f[v[k]] + static_cast<float>(v[k] * v[k]))) /
                  static_cast<float>(2 * q - 2 * v[k]);
        while (s <= z[k]) {
            --k;
            s = ((f[q] + static_cast<float>(q * q)) - (f[v[k]] + static_cast<float>(v[k] * v[k]))) /
                static_cast<float>(2 * q - 2 * v[k]);
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = inf;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < static_cast<float>(q)) {
            ++k;
        }
        const float dq = static_cast<float>(q - v[k]);
        d[q] = dq * dq + f[v[k]];
    }
}

// Pixel distances to the nearest pixel where site is true.
std::vector<float> DistanceTransform(const std::vector<uint8_t>& site, int w, int h) {
    const float big = 1e12f;
    std::vector<float> grid(site.size());
    for (size_t i = 0; i < site.size(); ++i) {
        grid[i] = site[i] ? 0.0f : big;
    }
    const int n = std::max(w, h);
    std::vector<float> f(n), d(n), z(n + 1);
    std::vector<int> v(n);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) f[y] = grid[static_cast<size_t>(y) * w + x];
        Transform1D(f.data(), d.data(), h, v, z);
        for (int y = 0; y < h; ++y) grid[static_cast<size_t>(y) * w + x] = d[y];
    }
    for (int y = 0; y < h; ++y) {
        float* row = grid.data() + static_cast<size_t>(y) * w;
        std::copy(row, row + w, f.begin());
        Transform1D(f.data(), d.data(), w, v, z);
        std::copy(d.begin(), d.begin() + w, row);
    }
    for (float& value : grid) {
        value = std::sqrt(value);
    }
    return grid;
}

} // namespace

Grid DistanceOfCoverage(const Grid& coverage) {
    const int w = coverage.width;
    const int h = coverage.height;
    std::vector<uint8_t> inside(coverage.values.size());
    std::vector<uint8_t> outside(coverage.values.size());
    for (size_t i = 0; i < inside.size(); ++i) {
        inside[i] = coverage.values[i] >= 0.5f;
        outside[i] = !inside[i];
    }
    const std::vector<float> toInside = DistanceTransform(inside, w, h);
    const std::vector<float> toOutside = DistanceTransform(outside, w, h);
    Grid out = coverage;
    for (size_t i = 0; i < out.values.size(); ++i) {
        const float c = coverage.values[i];
        float d = inside[i] ? -(toOutside[i] - 0.5f) : toInside[i] - 0.5f;
        if (c > 0.0f && c < 1.0f && std::fabs(d) <= 1.0f) {
            d = 0.5f - c;
        }
        out.values[i] = d / coverage.scale;
    }
    return out;
}

namespace {

// One pass of a box of half width radius along rows or columns; beyond the
// edge the grid repeats its edge value. Both directions walk memory in order.
void BoxPass(std::vector<float>& values, int w, int h, int radius, bool horizontal) {
    if (radius <= 0) {
        return;
    }
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    if (horizontal) {
        std::vector<float> line(w);
        for (int y = 0; y < h; ++y) {
            float* row = values.data() + static_cast<size_t>(y) * w;
            std::copy(row, row + w, line.begin());
            double sum = 0.0;
            for (int k = -radius; k <= radius; ++k) sum += line[std::clamp(k, 0, w - 1)];
            for (int x = 0; x < w; ++x) {
                row[x] = static_cast<float>(sum) * norm;
                sum += line[std::min(x + radius + 1, w - 1)] - line[std::max(x - radius, 0)];
            }
        }
        return;
    }
    const std::vector<float> source = values;
    std::vector<double> sums(w, 0.0);
    for (int k = -radius; k <= radius; ++k) {
        const float* row = source.data() + static_cast<size_t>(std::clamp(k, 0, h - 1)) * w;
        for (int x = 0; x < w; ++x) sums[x] += row[x];
    }
    for (int y = 0; y < h; ++y) {
        float* out = values.data() + static_cast<size_t>(y) * w;
        const float* add = source.data() + static_cast<size_t>(std::min(y + radius + 1, h - 1)) * w;
        const float* drop = source.data() + static_cast<size_t>(std::max(y - radius, 0)) * w;
        for (int x = 0; x < w; ++x) {
            out[x] = static_cast<float>(sums[x]) * norm;
            sums[x] += add[x] - drop[x];
        }
    }
}

} // namespace

Grid Blur(const Grid& grid, float radius) {
    Grid out = grid;
    // Three passes of a box of half width r have a deviation of about r.
    const int r = static_cast<int>(std::lround(radius * grid.scale / 1.7f));
    for (int pass = 0; pass < 3; ++pass) {
        BoxPass(out.values, out.width, out.height, r, true);
        BoxPass(out.values, out.width, out.height, r, false);
    }
    return out;
}

Grid Shifted(const Grid& grid, float dx, float dy, float fill) {
    Grid out(grid.originX, grid.originY, grid.width, grid.height, grid.scale, fill);
    const int sx = static_cast<int>(std::lround(dx * grid.scale));
    const int sy = static_cast<int>(std::lround(dy * grid.scale));
    for (int y = 0; y < grid.height; ++y) {
        const int from = y - sy;
        if (from < 0 || from >= grid.height) continue;
        for (int x = 0; x < grid.width; ++x) {
            const int fx = x - sx;
            if (fx < 0 || fx >= grid.width) continue;
            out.At(x, y) = grid.At(fx, from);
        }
    }
    return out;
}

namespace {

void SameSize(const Grid& a, const Grid& b) {
    if (!a.SameArea(b)) {
        throw std::invalid_argument("grids of different sizes");
    }
}

} // namespace

Grid Union(const Grid& a, const Grid& b) {
    SameSize(a, b);
    Grid out = a;
    for (size_t i = 0; i < out.values.size(); ++i) out.values[i] = std::min(a.values[i], b.values[i]);
    return out;
}

Grid Subtract(const Grid& a, const Grid& b) {
    SameSize(a, b);
    Grid out = a;
    for (size_t i = 0; i < out.values.size(); ++i) out.values[i] = std::max(a.values[i], -b.values[i]);
    return out;
}

Grid Grown(const Grid& distance, float r) {
    Grid out = distance;
    for (float& v : out.values) v -= r;
    return out;
}

} // namespace Tools::Art
