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

DetailTable MeasureDetail(const Image& photo, uint32_t step) {
    const uint32_t bytes = photo.GetPixelBytes();
    const uint32_t w = photo.GetWidth();
    const uint32_t h = photo.GetHeight();
    std::vector<float> grey(static_cast<size_t>(w) * h);
    for (uint32_t y = 0; y < h; ++y) {
        const uint8_t* row = photo.GetRow(y);
        for (uint32_t x = 0; x < w; ++x) {
            const uint8_t* p = row + static_cast<size_t>(x) * bytes;
            grey[static_cast<size_t>(y) * w + x] = bytes >= 3 ? 0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2] : p[0];
        }
    }
    DetailTable table;
    table.step = step;
    table.columns = w / step;
    table.rows = h / step;
    table.sums.assign(static_cast<size_t>(table.columns + 1) * (table.rows + 1), 0.0);
    for (uint32_t r = 0; r < table.rows; ++r) {
        double rowSum = 0;
        for (uint32_t c = 0; c < table.columns; ++c) {
            double cell = 0;
            for (uint32_t y = r * step; y < (r + 1) * step && y + 1 < h; ++y) {
                for (uint32_t x = c * step; x < (c + 1) * step && x + 1 < w; ++x) {
                    const float here = grey[static_cast<size_t>(y) * w + x];
                    cell += std::fabs(grey[static_cast<size_t>(y) * w + x + 1] - here) +
                            std::fabs(grey[static_cast<size_t>(y + 1) * w + x] - here);
                }
            }
            rowSum += cell;
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

// Area-averaging resampler along one axis: output i covers source
// [origin + i × scale, origin + (i + 1) × scale).
std::vector<float> Resample(const std::vector<float>& source, uint32_t sourceCount, uint32_t channels,
                            uint32_t lines, bool alongRows, double origin, double scale, uint32_t count) {
    // alongRows: source holds lines × sourceCount samples, each line one row.
    std::vector<float> out(static_cast<size_t>(lines) * count * channels);
    for (uint32_t line = 0; line < lines; ++line) {
        for (uint32_t i = 0; i < count; ++i) {
            const double from = origin + i * scale;
            const double to = from + scale;
            float sum[4] = {0, 0, 0, 0};
            double weightSum = 0;
            for (int64_t s = static_cast<int64_t>(std::floor(from)); s < static_cast<int64_t>(std::ceil(to)); ++s) {
                if (s < 0 || s >= static_cast<int64_t>(sourceCount)) {
                    continue;
                }
                const double weight = std::min<double>(to, static_cast<double>(s + 1)) - std::max<double>(from, static_cast<double>(s));
                if (weight <= 0) {
                    continue;
                }
                const size_t at = alongRows ? (static_cast<size_t>(line) * sourceCount + static_cast<size_t>(s)) * channels
                                            : (static_cast<size_t>(s) * lines + line) * channels;
                for (uint32_t k = 0; k < channels; ++k) {
                    sum[k] += static_cast<float>(weight) * source[at + k];
                }
                weightSum += weight;
            }
            const size_t at = alongRows ? (static_cast<size_t>(line) * count + i) * channels
                                        : (static_cast<size_t>(i) * lines + line) * channels;
            for (uint32_t k = 0; k < channels; ++k) {
                out[at + k] = weightSum > 0 ? sum[k] / static_cast<float>(weightSum) : 0.0f;
            }
        }
    }
    return out;
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
    const uint32_t spanC = std::max<uint32_t>(1, static_cast<uint32_t>(windowWidth / step));
    const uint32_t spanR = std::max<uint32_t>(1, static_cast<uint32_t>(windowHeight / step));
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
    double left = (window.c + spanC * 0.5) * step - windowWidth * 0.5;
    double bottom = (window.r + spanR * 0.5) * step - windowHeight * 0.5;
    left = std::clamp(left, 0.0, photo.GetWidth() - windowWidth);
    bottom = std::clamp(bottom, 0.0, photo.GetHeight() - windowHeight);

    // Rows of the window, then scaled along rows, then along columns.
    const uint32_t bytes = photo.GetPixelBytes();
    const uint32_t firstRow = static_cast<uint32_t>(std::floor(bottom));
    const uint32_t lastRow = std::min(photo.GetHeight(), static_cast<uint32_t>(std::ceil(bottom + windowHeight)));
    const uint32_t lines = lastRow - firstRow;
    std::vector<float> rows(static_cast<size_t>(lines) * photo.GetWidth() * 3);
    for (uint32_t y = 0; y < lines; ++y) {
        const uint8_t* source = photo.GetRow(firstRow + y);
        for (uint32_t x = 0; x < photo.GetWidth(); ++x) {
            for (uint32_t k = 0; k < 3; ++k) {
                rows[(static_cast<size_t>(y) * photo.GetWidth() + x) * 3 + k] = source[static_cast<size_t>(x) * bytes + k];
            }
        }
    }
    const std::vector<float> narrow =
        Resample(rows, photo.GetWidth(), 3, lines, true, left, windowWidth / width, width);
    const std::vector<float> small =
        Resample(narrow, lines, 3, width, false, bottom - firstRow, windowHeight / height, height);

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
