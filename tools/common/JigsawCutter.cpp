#include "tools/common/JigsawCutter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "tools/common/SeededRandom.h"

namespace Tools {

namespace {

constexpr uint16_t NoPiece = 0xFFFF;
constexpr uint32_t MinimumCell = 8;
constexpr int BezierSteps = 10;

struct Point {
    float x = 0;
    float y = 0;
};

using Polyline = std::vector<Point>;

Point Cubic(const Point& a, const Point& b, const Point& c, const Point& d, float t) {
    const float s = 1 - t;
    const float k0 = s * s * s;
    const float k1 = 3 * s * s * t;
    const float k2 = 3 * s * t * t;
    const float k3 = t * t * t;
    return {k0 * a.x + k1 * b.x + k2 * c.x + k3 * d.x, k0 * a.y + k1 * b.y + k2 * c.y + k3 * d.y};
}

// The knob in the edge's own frame: t runs along the edge from 0 to 1, h
// across it in units of the edge's length. A neck rises from the middle of
// the edge and swells into a round head about a quarter of the edge high.
// Six cubic curves: 19 points, each segment's end the next one's start.
std::array<Point, 19> KnobShape(SeededRandom& random) {
    const float centre = random.Range(0.45f, 0.55f);
    const float size = random.Range(0.9f, 1.08f);
    const float neck = 0.095f * size;   // half width of the neck
    const float head = 0.15f * size;    // half width of the head
    const float rise = 0.24f * size;    // height of the head's top
    const float lean = random.Range(-0.02f, 0.02f);  // the head leans a little
    const auto at = [&](float t, float h) { return Point{centre + t, h}; };
    std::array<Point, 19> p = {
        Point{0, 0},
        Point{centre * 0.55f, random.Range(-0.01f, 0.015f)},
        at(-neck - 0.02f, -0.03f),
        at(-neck, 0.035f),
        // neck up into the head's left side
        at(-neck + 0.015f, 0.085f),
        at(-head - 0.015f + lean, 0.12f),
        at(-head + lean, 0.175f),
        // over the top
        at(-head + 0.02f + lean, rise + 0.01f),
        at(-0.06f + lean, rise),
        at(lean, rise),
        at(0.06f + lean, rise),
        at(head - 0.02f + lean, rise + 0.01f),
        at(head + lean, 0.175f),
        // down the right side into the neck
        at(head + 0.015f + lean, 0.12f),
        at(neck - 0.015f, 0.085f),
        at(neck, 0.035f),
        at(neck + 0.02f, -0.03f),
        Point{centre + (1 - centre) * 0.45f, random.Range(-0.01f, 0.015f)},
        Point{1, 0},
    };
    // A touch of irregularity, so that no two knobs are alike.
    for (size_t i = 1; i + 1 < p.size(); ++i) {
        p[i].x += random.Range(-0.008f, 0.008f);
        p[i].y += random.Range(-0.008f, 0.008f);
    }
    return p;
}

// The edge from a to b: straight on the border, else a knob on the side
// given by sign (the left of the direction a to b for +1).
Polyline EdgeLine(const Point& a, const Point& b, bool border, SeededRandom& random) {
    if (border) {
        return {a, b};
    }
    const float sign = random.Coin() ? 1.0f : -1.0f;
    const std::array<Point, 19> knob = KnobShape(random);
    const Point along{b.x - a.x, b.y - a.y};
    const Point across{-along.y * sign, along.x * sign};
    const auto place = [&](const Point& p) {
        return Point{a.x + along.x * p.x + across.x * p.y, a.y + along.y * p.x + across.y * p.y};
    };
    Polyline line{a};
    for (size_t segment = 0; segment + 3 < knob.size(); segment += 3) {
        for (int step = 1; step <= BezierSteps; ++step) {
            line.push_back(place(Cubic(knob[segment], knob[segment + 1], knob[segment + 2], knob[segment + 3],
                                       static_cast<float>(step) / BezierSteps)));
        }
    }
    line.back() = b;
    return line;
}

// Fills the pixels whose centres lie inside the closed outline. Crossings are
// computed from each segment's endpoints in a fixed order, so a segment
// shared by two outlines gives both the same crossing and the half-open spans
// never give a pixel to both.
void FillOutline(const Polyline& outline, uint16_t label, JigsawCut& cut, uint32_t& overlaps) {
    float low = outline[0].y;
    float high = outline[0].y;
    for (const Point& p : outline) {
        low = std::min(low, p.y);
        high = std::max(high, p.y);
    }
    const int32_t firstRow = std::max(0, static_cast<int32_t>(std::floor(low)));
    const int32_t lastRow = std::min(static_cast<int32_t>(cut.height) - 1, static_cast<int32_t>(std::ceil(high)));
    std::vector<float> crossings;
    for (int32_t row = firstRow; row <= lastRow; ++row) {
        const float y = static_cast<float>(row) + 0.5f;
        crossings.clear();
        for (size_t i = 0; i < outline.size(); ++i) {
            Point p = outline[i];
            Point q = outline[(i + 1) % outline.size()];
            if (q.y < p.y || (q.y == p.y && q.x < p.x)) {
                std::swap(p, q);
            }
            if (p.y <= y && y < q.y) {
                crossings.push_back(p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int32_t from = std::max(0, static_cast<int32_t>(std::ceil(crossings[i] - 0.5f)));
            const int32_t to = std::min(static_cast<int32_t>(cut.width), static_cast<int32_t>(std::ceil(crossings[i + 1] - 0.5f)));
            for (int32_t x = from; x < to; ++x) {
                uint16_t& pixel = cut.labels[static_cast<size_t>(row) * cut.width + static_cast<size_t>(x)];
                overlaps += pixel != NoPiece;
                pixel = label;
            }
        }
    }
}

// Gives every pixel without a piece, and every pixel cut off from the main
// part of its piece, to a piece next to it.
void MendLabels(JigsawCut& cut) {
    const size_t count = cut.labels.size();
    const int32_t w = static_cast<int32_t>(cut.width);
    const int32_t h = static_cast<int32_t>(cut.height);
    const auto neighbourLabel = [&](size_t at, uint16_t other) -> uint16_t {
        const int32_t x = static_cast<int32_t>(at % cut.width);
        const int32_t y = static_cast<int32_t>(at / cut.width);
        const int32_t dx[4] = {-1, 1, 0, 0};
        const int32_t dy[4] = {0, 0, -1, 1};
        for (int k = 0; k < 4; ++k) {
            const int32_t nx = x + dx[k];
            const int32_t ny = y + dy[k];
            if (nx >= 0 && ny >= 0 && nx < w && ny < h) {
                const uint16_t label = cut.labels[static_cast<size_t>(ny) * cut.width + static_cast<size_t>(nx)];
                if (label != NoPiece && label != other) {
                    return label;
                }
            }
        }
        return NoPiece;
    };

    for (int pass = 0; pass < 4; ++pass) {
        // Components of equal label, 4-connected; the largest of each label stays.
        std::vector<uint32_t> component(count, 0);
        std::vector<uint32_t> sizes{0};
        std::vector<uint16_t> componentLabel{NoPiece};
        std::vector<size_t> stack;
        for (size_t start = 0; start < count; ++start) {
            if (component[start] != 0) {
                continue;
            }
            const uint32_t id = static_cast<uint32_t>(sizes.size());
            sizes.push_back(0);
            componentLabel.push_back(cut.labels[start]);
            component[start] = id;
            stack.push_back(start);
            while (!stack.empty()) {
                const size_t at = stack.back();
                stack.pop_back();
                ++sizes[id];
                const int32_t x = static_cast<int32_t>(at % cut.width);
                const int32_t y = static_cast<int32_t>(at / cut.width);
                const int32_t dx[4] = {-1, 1, 0, 0};
                const int32_t dy[4] = {0, 0, -1, 1};
                for (int k = 0; k < 4; ++k) {
                    const int32_t nx = x + dx[k];
                    const int32_t ny = y + dy[k];
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) {
                        continue;
                    }
                    const size_t next = static_cast<size_t>(ny) * cut.width + static_cast<size_t>(nx);
                    if (component[next] == 0 && cut.labels[next] == cut.labels[start]) {
                        component[next] = id;
                        stack.push_back(next);
                    }
                }
            }
        }
        std::vector<uint32_t> largest(65536, 0);
        for (size_t id = 1; id < sizes.size(); ++id) {
            if (componentLabel[id] != NoPiece) {
                largest[componentLabel[id]] = std::max(largest[componentLabel[id]], sizes[id]);
            }
        }
        bool changed = false;
        for (size_t at = 0; at < count; ++at) {
            const uint32_t id = component[at];
            const uint16_t label = componentLabel[id];
            if (label != NoPiece && sizes[id] == largest[label]) {
                continue;
            }
            const uint16_t other = neighbourLabel(at, label);
            if (other != NoPiece) {
                cut.labels[at] = other;
                changed = true;
            }
        }
        if (!changed) {
            return;
        }
    }
}

} // namespace

JigsawCut CutJigsaw(uint32_t width, uint32_t height, uint32_t columns, uint32_t rows, uint64_t seed) {
    if (columns == 0 || rows == 0 || width / columns < MinimumCell || height / rows < MinimumCell ||
        columns * rows > 65535) {
        throw std::invalid_argument("the picture cannot be cut into that grid");
    }
    SeededRandom random(seed);
    JigsawCut cut;
    cut.width = width;
    cut.height = height;
    cut.columns = columns;
    cut.rows = rows;
    cut.labels.assign(static_cast<size_t>(width) * height, NoPiece);

    const float cellWidth = static_cast<float>(width) / static_cast<float>(columns);
    const float cellHeight = static_cast<float>(height) / static_cast<float>(rows);
    // Corners, jittered; those on the border slide along it only.
    std::vector<Point> corners((columns + 1) * (rows + 1));
    const auto corner = [&](uint32_t i, uint32_t j) -> Point& { return corners[j * (columns + 1) + i]; };
    for (uint32_t j = 0; j <= rows; ++j) {
        for (uint32_t i = 0; i <= columns; ++i) {
            Point p{cellWidth * static_cast<float>(i), cellHeight * static_cast<float>(j)};
            if (i > 0 && i < columns) {
                p.x += random.Range(-0.08f, 0.08f) * cellWidth;
            }
            if (j > 0 && j < rows) {
                p.y += random.Range(-0.08f, 0.08f) * cellHeight;
            }
            corner(i, j) = p;
        }
    }
    // Horizontal edge (i, j) runs from corner (i, j) to (i + 1, j); vertical
    // edge (i, j) from corner (i, j) up to (i, j + 1).
    std::vector<Polyline> horizontal(columns * (rows + 1));
    std::vector<Polyline> vertical((columns + 1) * rows);
    for (uint32_t j = 0; j <= rows; ++j) {
        for (uint32_t i = 0; i < columns; ++i) {
            horizontal[j * columns + i] = EdgeLine(corner(i, j), corner(i + 1, j), j == 0 || j == rows, random);
        }
    }
    for (uint32_t j = 0; j < rows; ++j) {
        for (uint32_t i = 0; i <= columns; ++i) {
            vertical[j * (columns + 1) + i] = EdgeLine(corner(i, j), corner(i, j + 1), i == 0 || i == columns, random);
        }
    }

    uint32_t overlaps = 0;
    for (uint32_t j = 0; j < rows; ++j) {
        for (uint32_t i = 0; i < columns; ++i) {
            // Counter-clockwise: bottom, right, top backwards, left backwards.
            Polyline outline;
            const Polyline& bottom = horizontal[j * columns + i];
            const Polyline& right = vertical[j * (columns + 1) + i + 1];
            const Polyline& top = horizontal[(j + 1) * columns + i];
            const Polyline& left = vertical[j * (columns + 1) + i];
            outline.insert(outline.end(), bottom.begin(), bottom.end() - 1);
            outline.insert(outline.end(), right.begin(), right.end() - 1);
            outline.insert(outline.end(), top.rbegin(), top.rend() - 1);
            outline.insert(outline.end(), left.rbegin(), left.rend() - 1);
            FillOutline(outline, static_cast<uint16_t>(j * columns + i), cut, overlaps);
        }
    }
    MendLabels(cut);
    for (const uint16_t label : cut.labels) {
        if (label == NoPiece) {
            throw std::logic_error("the cut left a pixel without a piece");
        }
    }
    return cut;
}

std::vector<uint8_t> CutLineMap(const JigsawCut& cut) {
    std::vector<uint8_t> map(cut.labels.size(), 0);
    const int32_t w = static_cast<int32_t>(cut.width);
    const int32_t h = static_cast<int32_t>(cut.height);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const uint16_t own = cut.labels[static_cast<size_t>(y) * cut.width + static_cast<size_t>(x)];
            // Only the eight neighbours can be nearer than 1.5.
            float nearest = 2;
            for (int32_t dy = -1; dy <= 1; ++dy) {
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    const int32_t nx = x + dx;
                    const int32_t ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) {
                        continue;
                    }
                    if (cut.labels[static_cast<size_t>(ny) * cut.width + static_cast<size_t>(nx)] != own) {
                        nearest = std::min(nearest, std::sqrt(static_cast<float>(dx * dx + dy * dy)));
                    }
                }
            }
            const float strength = std::clamp(1.5f - nearest, 0.0f, 1.0f);
            map[static_cast<size_t>(y) * cut.width + static_cast<size_t>(x)] =
                static_cast<uint8_t>(std::lround(255.0f * strength));
        }
    }
    return map;
}

std::vector<std::vector<uint32_t>> GridNeighbours(const JigsawCut& cut) {
    std::vector<std::vector<uint32_t>> neighbours(cut.columns * cut.rows);
    for (uint32_t j = 0; j < cut.rows; ++j) {
        for (uint32_t i = 0; i < cut.columns; ++i) {
            std::vector<uint32_t>& list = neighbours[j * cut.columns + i];
            if (i > 0) list.push_back(j * cut.columns + i - 1);
            if (i + 1 < cut.columns) list.push_back(j * cut.columns + i + 1);
            if (j > 0) list.push_back((j - 1) * cut.columns + i);
            if (j + 1 < cut.rows) list.push_back((j + 1) * cut.columns + i);
        }
    }
    return neighbours;
}

Puzzle BuildJigsawPuzzle(const JigsawCut& cut, uint32_t blockedCount, uint32_t linksPerBlocked, uint64_t seed) {
    const uint32_t count = cut.columns * cut.rows;
    Puzzle puzzle;
    puzzle.width = cut.width;
    puzzle.height = cut.height;
    puzzle.pieces.resize(count);

    std::vector<int32_t> x0(count, INT32_MAX), y0(count, INT32_MAX), x1(count, -1), y1(count, -1);
    for (uint32_t y = 0; y < cut.height; ++y) {
        for (uint32_t x = 0; x < cut.width; ++x) {
            const uint16_t label = cut.labels[static_cast<size_t>(y) * cut.width + x];
            x0[label] = std::min(x0[label], static_cast<int32_t>(x));
            y0[label] = std::min(y0[label], static_cast<int32_t>(y));
            x1[label] = std::max(x1[label], static_cast<int32_t>(x));
            y1[label] = std::max(y1[label], static_cast<int32_t>(y));
        }
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (x1[i] < 0) {
            throw std::logic_error("a piece of the cut has no pixel");
        }
        PuzzlePiece& piece = puzzle.pieces[i];
        piece.x = x0[i];
        piece.y = y0[i];
        piece.width = x1[i] - x0[i] + 1;
        piece.height = y1[i] - y0[i] + 1;
        piece.mask.assign(static_cast<size_t>(piece.width) * static_cast<size_t>(piece.height), 0);
        for (int32_t y = 0; y < piece.height; ++y) {
            for (int32_t x = 0; x < piece.width; ++x) {
                const size_t at = static_cast<size_t>(piece.y + y) * cut.width + static_cast<size_t>(piece.x + x);
                piece.mask[static_cast<size_t>(y) * static_cast<size_t>(piece.width) + static_cast<size_t>(x)] =
                    cut.labels[at] == i ? 1 : 0;
            }
        }
    }
    puzzle.cutLines = CutLineMap(cut);

    // Blocked pieces, never side by side, so that every link goes to a free
    // piece and no chain of blocked pieces can wait on itself.
    SeededRandom random(seed ^ 0xB10C4EDull);
    const std::vector<std::vector<uint32_t>> neighbours = GridNeighbours(cut);
    std::vector<uint32_t> order(count);
    for (uint32_t i = 0; i < count; ++i) {
        order[i] = i;
    }
    for (uint32_t i = count; i > 1; --i) {
        std::swap(order[i - 1], order[random.Below(i)]);
    }
    std::vector<bool> blocked(count, false);
    uint32_t placed = 0;
    for (const uint32_t candidate : order) {
        if (placed == blockedCount) {
            break;
        }
        const std::vector<uint32_t>& around = neighbours[candidate];
        const bool alone = std::none_of(around.begin(), around.end(), [&](uint32_t n) { return blocked[n]; });
        const uint32_t wanted = linksPerBlocked != 0 ? linksPerBlocked : 1 + random.Below(2);
        if (!alone || around.size() < wanted) {
            continue;
        }
        blocked[candidate] = true;
        PuzzlePiece& piece = puzzle.pieces[candidate];
        piece.blocked = true;
        std::vector<uint32_t> choices = around;
        for (uint32_t k = 0; k < wanted; ++k) {
            const uint32_t pick = k + random.Below(static_cast<uint32_t>(choices.size()) - k);
            std::swap(choices[k], choices[pick]);
            piece.links.push_back(choices[k]);
        }
        std::sort(piece.links.begin(), piece.links.end());
        ++placed;
    }
    if (placed != blockedCount) {
        throw std::invalid_argument("the puzzle has no room for that many blocked pieces");
    }
    return puzzle;
}

} // namespace Tools
