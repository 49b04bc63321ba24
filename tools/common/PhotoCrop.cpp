#include "tools/common/PhotoCrop.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace Tools {

namespace {

using ZorvaneEngine::Image;

// Brightness gradients on a grid of cells of step × step pixels, summed in
// an integral table so that every window's mean is four look-ups.
struct DetailTable {
    uint32_t step = 1;
    uint32_t columns = 0;
    uint32_t rows = 0;
    std::vector<double> sums;  // (columns + 1) × (rows + 1)

    double Sum(uint32_t c0, uint32_t r0, uint32_t c1, uint32_t r1) const {
        const auto at = [&](uint32_t c, uint32_t r) { return sums[static_cast<size_t>(r) * (columns + 1) + c]; };
        return at(c1, r1) - at(c0, r1) - at(c1, r0) + at(c0, r0);
    }
};

// Gradients are taken between pixels stride apart, which keeps large
// photographs cheap and still sees the detail at the output's scale.
DetailTable MeasureDetail(const Image& photo, uint32_t step) {
    const uint32_t bytes = photo.GetPixelBytes();
    const uint32_t stride = std::max<uint32_t>(1, step / 6);
    const uint32_t w = photo.GetWidth() / stride;
    const uint32_t h = photo.GetHeight() / stride;
    std::vector<float> grey(static_cast<size_t>(w) * h);
    for (uint32_t y = 0; y < h; ++y) {
        const uint8_t* row = photo.GetRow(y * stride);
        for (uint32_t x = 0; x < w; ++x) {
            const uint8_t* p = row + static_cast<size_t>(x) * stride * bytes;
            grey[static_cast<size_t>(y) * w + x] = 0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2];
        }
    }
    const uint32_t cell = step / stride;
    DetailTable table;
    table.step = cell * stride;
    table.columns = w / cell;
    table.rows = h / cell;
    table.sums.assign(static_cast<size_t>(table.columns + 1) * (table.rows + 1), 0.0);
    for (uint32_t r = 0; r < table.rows; ++r) {
        double rowSum = 0;
        for (uint32_t c = 0; c < table.columns; ++c) {
            double sum = 0;
            for (uint32_t y = r * cell; y < (r + 1) * cell && y + 1 < h; ++y) {
                for (uint32_t x = c * cell; x < (c + 1) * cell && x + 1 < w; ++x) {
                    const float here = grey[static_cast<size_t>(y) * w + x];
                    sum += std::fabs(grey[static_cast<size_t>(y) * w + x + 1] - here) +
                           std::fabs(grey[static_cast<size_t>(y + 1) * w + x] - here);
                }
            }
            rowSum += sum;
            table.sums[static_cast<size_t>(r + 1) * (table.columns + 1) + c + 1] =
                table.sums[static_cast<size_t>(r) * (table.columns + 1) + c + 1] + rowSum;
        }
    }
    return table;
}

struct Window {
    uint32_t c = 0;  // in table cells
    uint32_t r = 0;
    double detail = 0;
};

// Area averaging along one axis: output i covers the source span
// [origin + i × scale, origin + (i + 1) × scale); the taps give each output
// its source samples and their shares.
struct Tap {
    uint32_t source;
    float weight;
};

std::vector<std::vector<Tap>> AreaTaps(double origin, double scale, uint32_t count, uint32_t sourceCount) {
    std::vector<std::vector<Tap>> taps(count);
    for (uint32_t i = 0; i < count; ++i) {
        const double from = origin + i * scale;
        const double to = from + scale;
        double total = 0;
        for (int64_t s = static_cast<int64_t>(std::floor(from)); s < static_cast<int64_t>(std::ceil(to)); ++s) {
            const double weight = std::min<double>(to, static_cast<double>(s + 1)) - std::max<double>(from, static_cast<double>(s));
            if (s >= 0 && s < static_cast<int64_t>(sourceCount) && weight > 0) {
                taps[i].push_back({static_cast<uint32_t>(s), static_cast<float>(weight)});
                total += weight;
            }
        }
        for (Tap& tap : taps[i]) {
            tap.weight = static_cast<float>(tap.weight / total);
        }
    }
    return taps;
}

} // namespace

Image CropDetailed(const Image& photo, uint32_t width, uint32_t height, const CropChoice& choice) {
    if (photo.IsEmpty() || photo.GetBits() < 24 || width == 0 || height == 0 || choice.zoom < 1) {
        throw std::invalid_argument("no picture to crop");
    }
    const double aspect = static_cast<double>(width) / height;
    double windowHeight = std::min<double>(photo.GetHeight(), photo.GetWidth() / aspect) / choice.zoom;
    double windowWidth = windowHeight * aspect;
    if (windowWidth < width || windowHeight < height) {
        throw std::invalid_argument("the photograph is too small for that crop");
    }

    // Candidate windows on a grid of table cells.
    const uint32_t step = std::max<uint32_t>(4, static_cast<uint32_t>(windowWidth / 48));
    const DetailTable table = MeasureDetail(photo, step);
    const uint32_t spanC = std::max<uint32_t>(1, static_cast<uint32_t>(windowWidth / table.step));
    const uint32_t spanR = std::max<uint32_t>(1, static_cast<uint32_t>(windowHeight / table.step));
    std::vector<Window> windows;
    for (uint32_t r = 0; r + spanR <= table.rows; ++r) {
        for (uint32_t c = 0; c + spanC <= table.columns; ++c) {
            windows.push_back({c, r, table.Sum(c, r, c + spanC, r + spanR)});
        }
    }
    std::stable_sort(windows.begin(), windows.end(), [](const Window& a, const Window& b) { return a.detail > b.detail; });
    std::vector<Window> chosen;
    for (const Window& window : windows) {
        const bool apart = std::all_of(chosen.begin(), chosen.end(), [&](const Window& other) {
            const auto shared = [](uint32_t a, uint32_t b, uint32_t span) {
                const int64_t overlap = static_cast<int64_t>(std::min(a, b)) + span - std::max(a, b);
                return static_cast<double>(std::max<int64_t>(0, overlap));
            };
            const double dc = shared(window.c, other.c, spanC);
            const double dr = shared(window.r, other.r, spanR);
            return dc * dr < spanC * spanR / 3.0;
        });
        if (apart) {
            chosen.push_back(window);
            if (chosen.size() > choice.pick) {
                break;
            }
        }
    }
    if (chosen.size() <= choice.pick) {
        throw std::invalid_argument("the photograph has no such crop");
    }
    const Window& window = chosen[choice.pick];
    // The window centred on its cells, kept inside the photograph.
    double left = (window.c + spanC * 0.5) * table.step - windowWidth * 0.5;
    double bottom = (window.r + spanR * 0.5) * table.step - windowHeight * 0.5;
    left = std::clamp(left, 0.0, photo.GetWidth() - windowWidth);
    bottom = std::clamp(bottom, 0.0, photo.GetHeight() - windowHeight);

    // Scaled along the rows straight from the photograph, then along the
    // columns.
    const uint32_t bytes = photo.GetPixelBytes();
    const std::vector<std::vector<Tap>> across = AreaTaps(left, windowWidth / width, width, photo.GetWidth());
    const std::vector<std::vector<Tap>> down = AreaTaps(bottom, windowHeight / height, height, photo.GetHeight());
    const uint32_t firstRow = down.front().front().source;
    const uint32_t lastRow = down.back().back().source + 1;
    std::vector<float> narrow(static_cast<size_t>(lastRow - firstRow) * width * 3);
    for (uint32_t y = firstRow; y < lastRow; ++y) {
        const uint8_t* source = photo.GetRow(y);
        float* target = narrow.data() + static_cast<size_t>(y - firstRow) * width * 3;
        for (uint32_t x = 0; x < width; ++x) {
            for (const Tap& tap : across[x]) {
                const uint8_t* p = source + static_cast<size_t>(tap.source) * bytes;
                target[x * 3] += tap.weight * p[0];
                target[x * 3 + 1] += tap.weight * p[1];
                target[x * 3 + 2] += tap.weight * p[2];
            }
        }
    }
    std::vector<float> small(static_cast<size_t>(width) * height * 3, 0.0f);
    for (uint32_t y = 0; y < height; ++y) {
        float* target = small.data() + static_cast<size_t>(y) * width * 3;
        for (const Tap& tap : down[y]) {
            const float* source = narrow.data() + static_cast<size_t>(tap.source - firstRow) * width * 3;
            for (uint32_t k = 0; k < width * 3; ++k) {
                target[k] += tap.weight * source[k];
            }
        }
    }

    Image picture;
    picture.Create(width, height, 24, nullptr);
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* target = picture.GetRow(y);
        for (uint32_t x = 0; x < width; ++x) {
            for (uint32_t k = 0; k < 3; ++k) {
                const float value = small[(static_cast<size_t>(y) * width + x) * 3 + k];
                target[static_cast<size_t>(x) * 3 + k] = static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
            }
        }
    }
    return picture;
}

void GradeWarm(Image& picture) {
    if (picture.GetBits() < 24) {
        return;
    }
    const uint32_t bytes = picture.GetPixelBytes();
    const float gain[3] = {1.045f, 1.01f, 0.94f};
    for (uint32_t y = 0; y < picture.GetHeight(); ++y) {
        uint8_t* row = picture.GetRow(y);
        for (uint32_t x = 0; x < picture.GetWidth(); ++x) {
            uint8_t* p = row + static_cast<size_t>(x) * bytes;
            for (uint32_t k = 0; k < 3; ++k) {
                // Contrast around the middle grey, then the warm gain.
                const float value = (128.0f + (p[k] - 128.0f) * 1.04f) * gain[k];
                p[k] = static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
            }
        }
    }
}

} // namespace Tools
