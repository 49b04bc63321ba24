#include "tools/common/art/Atlas.h"

#include <algorithm>
#include <stdexcept>

namespace Tools::Art {

namespace {

constexpr int Gutter = 2;
constexpr int Largest = 2048;

bool IsPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

} // namespace

int PowerOfTwo(int n) {
    int p = 4;
    while (p < n) p *= 2;
    return p;
}

Atlas PackFrames(const std::vector<Canvas>& frames) {
    if (frames.empty()) {
        throw std::invalid_argument("an atlas needs at least one frame");
    }
    const int w = frames[0].width;
    const int h = frames[0].height;
    for (const Canvas& frame : frames) {
        if (frame.width != w || frame.height != h) {
            throw std::invalid_argument("the frames of an atlas differ in size");
        }
    }
    Atlas atlas;
    if (frames.size() == 1 && IsPowerOfTwo(w) && IsPowerOfTwo(h)) {
        atlas.picture = frames[0];
        atlas.cells.push_back({});
        return atlas;
    }
    const int n = static_cast<int>(frames.size());
    const int cw = w + 2 * Gutter;
    const int ch = h + 2 * Gutter;
    int bestCols = 0;
    int bestW = 0;
    int bestH = 0;
    for (int cols = 1; cols <= n; ++cols) {
        const int rows = (n + cols - 1) / cols;
        const int tw = PowerOfTwo(cols * cw);
        const int th = PowerOfTwo(rows * ch);
        if (tw > Largest || th > Largest) continue;
        const long area = static_cast<long>(tw) * th;
        const long bestArea = static_cast<long>(bestW) * bestH;
        if (bestCols == 0 || area < bestArea ||
            (area == bestArea && std::abs(tw - th) < std::abs(bestW - bestH))) {
            bestCols = cols;
            bestW = tw;
            bestH = th;
        }
    }
    if (bestCols == 0) {
        throw std::invalid_argument("the frames do not fit a 2048 x 2048 picture");
    }
    atlas.picture = Canvas(bestW, bestH, frames[0].scale);
    for (int i = 0; i < n; ++i) {
        const int x0 = (i % bestCols) * cw + Gutter;
        const int y0 = (i / bestCols) * ch + Gutter;
        const Canvas& frame = frames[static_cast<size_t>(i)];
        for (int y = -Gutter; y < h + Gutter; ++y) {
            for (int x = -Gutter; x < w + Gutter; ++x) {
                atlas.picture.At(x0 + x, y0 + y) = frame.At(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1));
            }
        }
        atlas.cells.push_back({static_cast<float>(x0) / static_cast<float>(bestW),
                               static_cast<float>(y0) / static_cast<float>(bestH),
                               static_cast<float>(x0 + w) / static_cast<float>(bestW),
                               static_cast<float>(y0 + h) / static_cast<float>(bestH)});
    }
    return atlas;
}

} // namespace Tools::Art
