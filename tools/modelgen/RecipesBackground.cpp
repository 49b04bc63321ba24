// The menu background: the garden's layers (sky, clouds, hills, meadow,
// trees, river, castle, rainbow, unicorn) and, in front of them, the screen
// border, the logos, the title board with its golden letters and the plate
// on which window titles are typed.
#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <utility>

#include "tools/common/art/Emblems.h"
#include "tools/common/art/Scenery.h"
#include "tools/common/art/Shapes.h"
#include "tools/common/art/Widgets.h"
#include "tools/modelgen/Recipes.h"

namespace ModelGen {

namespace {

using namespace Tools::Art;
constexpr float Pi = 3.14159265f;

struct Size {
    int w = 0;
    int h = 0;
};

Size TextureSize(const Entry& entry, const std::string& fallback) {
    const std::string text = entry.Text("texture", fallback);
    Size size;
    char x = 0;
    std::istringstream in(text);
    if (!(in >> size.w >> x >> size.h) || x != 'x' || size.w < 4 || size.h < 4 || (size.w & (size.w - 1)) != 0 ||
        (size.h & (size.h - 1)) != 0) {
        throw TableError(entry.Where() + ": texture is WxH in powers of two, not " + text);
    }
    return size;
}

// A canvas over the entry's box at the given pixels per unit.
Canvas BoxCanvas(const Entry& entry, float scale) {
    return Canvas(std::max(1, static_cast<int>(std::lround(entry.box.Width() * scale))),
                  std::max(1, static_cast<int>(std::lround(entry.box.Height() * scale))), scale);
}

// The vertices' movement in a frame, by their place in the box (0 to 1).
using Motion = std::function<Point(float u, float v, int frame)>;

// A grid of quads over the box showing the cell, each vertex moved by the
// motion; one vertex set per frame.
std::vector<Tools::Mesh> GridFrames(const Box& box, const Cell& cell, int cols, int rows, int frames, const Motion& motion) {
    std::vector<Tools::Mesh> meshes;
    for (int f = 0; f < frames; ++f) {
        Tools::Mesh mesh;
        for (int j = 0; j <= rows; ++j) {
            for (int i = 0; i <= cols; ++i) {
                const float u = static_cast<float>(i) / static_cast<float>(cols);
                const float v = static_cast<float>(j) / static_cast<float>(rows);
                const Point move = motion(u, v, f);
                Tools::ModelVertex vertex;
                vertex.position = {box.x0 + box.Width() * u + move.x, box.y0 + box.Height() * v + move.y, 0.0f};
                vertex.normal = {0, 0, 1};
                vertex.u = Lerp(cell.u0, cell.u1, u);
                vertex.v = Lerp(cell.v0, cell.v1, v);
                mesh.vertices.push_back(vertex);
            }
        }
        for (int j = 0; j < rows; ++j) {
            for (int i = 0; i < cols; ++i) {
                const uint32_t a = static_cast<uint32_t>(j * (cols + 1) + i);
                const uint32_t b = a + 1;
                const uint32_t c = a + static_cast<uint32_t>(cols + 1);
                const uint32_t d = c + 1;
                mesh.indices.insert(mesh.indices.end(), {a, b, d, d, c, a});
            }
        }
        meshes.push_back(std::move(mesh));
    }
    return meshes;
}

// Drops the cells of a grid over the cell of the texture whose texels are
// all transparent, in every frame alike: drawn, they would only cost the
// rasterizer. A texel's margin around each cell keeps what filtering reads.
void DropEmptyCells(std::vector<Tools::Mesh>& meshes, const Canvas& texture, const Cell& cell, int cols, int rows) {
    const auto empty = [&](int i, int j) {
        const float w = static_cast<float>(texture.width), h = static_cast<float>(texture.height);
        const int x0 = std::max(0, static_cast<int>(std::floor(Lerp(cell.u0, cell.u1, static_cast<float>(i) / cols) * w)) - 1);
        const int x1 = std::min(texture.width, static_cast<int>(std::ceil(Lerp(cell.u0, cell.u1, static_cast<float>(i + 1) / cols) * w)) + 1);
        const int y0 = std::max(0, static_cast<int>(std::floor(Lerp(cell.v0, cell.v1, static_cast<float>(j) / rows) * h)) - 1);
        const int y1 = std::min(texture.height, static_cast<int>(std::ceil(Lerp(cell.v0, cell.v1, static_cast<float>(j + 1) / rows) * h)) + 1);
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                if (texture.At(x, y).a >= 1.0f / 255.0f) return false;
            }
        }
        return true;
    };
    std::vector<uint32_t> kept;
    const std::vector<uint32_t>& indices = meshes.front().indices;
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < cols; ++i) {
            if (empty(i, j)) continue;
            const size_t first = static_cast<size_t>(j * cols + i) * 6;
            kept.insert(kept.end(), indices.begin() + static_cast<std::ptrdiff_t>(first),
                        indices.begin() + static_cast<std::ptrdiff_t>(first + 6));
        }
    }
    for (Tools::Mesh& mesh : meshes) mesh.indices = kept;
}

Tools::Model FramesModel(const std::vector<Tools::Mesh>& meshes, float fps) {
    const uint32_t kind = meshes.size() > 1 ? Tools::ModelFlag::Morph : Tools::ModelFlag::Static;
    return Tools::MeshModel(kind | Tools::ModelFlag::List, meshes, fps);
}

// A loop phase: frame f of n as an angle.
float Phase(int frame, int frames) {
    return 2.0f * Pi * static_cast<float>(frame) / static_cast<float>(frames);
}

// The grid of a layer with transparent parts.
constexpr int kLayerColumns = 16;
constexpr int kLayerRows = 12;

// Writes a layer: its picture drawn over the box, resampled to the texture
// size, and a model moving by the motion.
void WriteLayer(Writer& out, const Entry& entry, const Canvas& drawn, bool alpha, const Motion& motion, int cols, int rows) {
    const Size size = TextureSize(entry, "1024x512");
    const Canvas texture = drawn.Resampled(size.w, size.h);
    const std::string picture = entry.name + (alpha ? ".tga" : ".jpg");
    out.Picture(entry.folder, picture, texture, alpha);
    out.Material(entry.folder, entry.name, BlendedMaterial(picture));
    const int frames = entry.Integer("frames", 1);
    std::vector<Tools::Mesh> meshes;
    if (alpha) {
        // A fine grid whose empty cells are left out.
        cols = std::max(cols, kLayerColumns);
        rows = std::max(rows, kLayerRows);
        meshes = GridFrames(entry.box, Cell{}, cols, rows, frames, motion);
        DropEmptyCells(meshes, texture, Cell{}, cols, rows);
    } else {
        meshes = GridFrames(entry.box, Cell{}, cols, rows, frames, motion);
    }
    out.Model(entry.folder, entry.name, FramesModel(meshes, entry.Number("fps", 2.0f)));
}

Motion Still() {
    return [](float, float, int) { return Point{}; };
}

// The whole layer drifts sideways and back over the loop.
Motion Drift(const Entry& entry) {
    const float amplitude = entry.Number("drift", 8.0f);
    const int frames = entry.Integer("frames", 1);
    return [=](float, float, int f) { return Point{amplitude * std::sin(Phase(f, frames)), 0.0f}; };
}

// The top sways in a wave along x; the bottom stays put.
Motion Sway(const Entry& entry) {
    const float amplitude = entry.Number("sway", 3.0f);
    const int frames = entry.Integer("frames", 1);
    return [=](float u, float v, int f) {
        return Point{amplitude * v * v * std::sin(Phase(f, frames) + u * 5.0f), 0.0f};
    };
}

Placement At(const Entry& entry) {
    return {entry.box.x0, entry.box.y0};
}

void Sky(const Entry& entry, Writer& out) {
    Canvas c = BoxCanvas(entry, 0.7f);
    DrawSky(c, At(entry));
    WriteLayer(out, entry, c, false, Still(), 1, 1);
}

void Clouds(const Entry& entry, Writer& out) {
    Canvas c = BoxCanvas(entry, 1.0f);
    DrawClouds(c, At(entry));
    WriteLayer(out, entry, c, true, Drift(entry), 1, 1);
}

void Hills(const Entry& entry, Writer& out) {
    Canvas c = BoxCanvas(entry, 1.3f);
    DrawHills(c, At(entry));
    WriteLayer(out, entry, c, true, Still(), 1, 1);
}

void Meadow(const Entry& entry, Writer& out) {
    Canvas c = BoxCanvas(entry, 1.3f);
    DrawMeadow(c, At(entry));
    WriteLayer(out, entry, c, true, Sway(entry), 16, 2);
}

void River(const Entry& entry, Writer& out) {
    Canvas c = BoxCanvas(entry, 1.25f);
    DrawRiver(c, At(entry));
    WriteLayer(out, entry, c, true, Still(), 1, 1);
}

void Castle(const Entry& entry, Writer& out) {
    Canvas c = BoxCanvas(entry, 2.0f);
    DrawCastle(c, At(entry));
    WriteLayer(out, entry, c, true, Still(), 1, 1);
}

void Rainbow(const Entry& entry, Writer& out) {
    Canvas c = BoxCanvas(entry, 0.8f);
    DrawRainbow(c, At(entry));
    WriteLayer(out, entry, c, true, Still(), 1, 1);
}

// Two groups of trees, one at each side of the screen, in one model: the
// crowns sway a little.
void Trees(const Entry& entry, Writer& out) {
    const Box left{0.0f, 20.0f, 330.0f, 440.0f};
    const Box right{600.0f, 20.0f, 800.0f, 400.0f};
    const float leftTrunks[] = {92.0f, 200.0f};
    const float leftHeights[] = {385.0f, 290.0f};
    const float rightTrunks[] = {742.0f};
    const float rightHeights[] = {330.0f};
    const float scale = 1.25f;
    Canvas a(static_cast<int>(left.Width() * scale), static_cast<int>(left.Height() * scale), scale);
    DrawTrees(a, {left.x0, left.y0}, leftTrunks, leftHeights, 2, 3);
    Canvas b(static_cast<int>(right.Width() * scale), static_cast<int>(right.Height() * scale), scale);
    DrawTrees(b, {right.x0, right.y0}, rightTrunks, rightHeights, 1, 5);
    // Both into one 512 × 512 picture: left group on the left, right on the right.
    Canvas sheet(512, 512, 1.0f);
    const Canvas sa = a.Resampled(300, 508);
    const Canvas sb = b.Resampled(200, 508);
    sheet.OverAt(sa, 2, 2);
    sheet.OverAt(sb, 308, 2);
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, sheet, true);
    out.Material(entry.folder, entry.name, BlendedMaterial(picture));
    const Cell cellA{2.0f / 512, 2.0f / 512, 302.0f / 512, 510.0f / 512};
    const Cell cellB{308.0f / 512, 2.0f / 512, 508.0f / 512, 510.0f / 512};
    const int frames = entry.Integer("frames", 1);
    const float amplitude = entry.Number("sway", 3.0f);
    const auto motion = [&](float seed) {
        return Motion([=](float u, float v, int f) {
            const float crown = SmoothStep(0.35f, 1.0f, v);
            return Point{amplitude * crown * std::sin(Phase(f, frames) + seed + u), 0.0f};
        });
    };
    auto ma = GridFrames(left, cellA, 8, 12, frames, motion(0.0f));
    auto mb = GridFrames(right, cellB, 6, 12, frames, motion(1.9f));
    DropEmptyCells(ma, sheet, cellA, 8, 12);
    DropEmptyCells(mb, sheet, cellB, 6, 12);
    std::vector<Tools::Mesh> meshes;
    for (int f = 0; f < frames; ++f) {
        Tools::Mesh m = ma[static_cast<size_t>(f)];
        Tools::AppendMesh(m, mb[static_cast<size_t>(f)]);
        meshes.push_back(std::move(m));
    }
    out.Model(entry.folder, entry.name, FramesModel(meshes, entry.Number("fps", 2.0f)));
}

// The unicorn's idle loop as a texture animation: a grid of 4 × 4 frames
// that the game steps through itself, so that it can play the loop once.
void Unicorn(const Entry& entry, Writer& out) {
    const int cols = 4, rows = 4, frames = cols * rows;
    const int cell = entry.Integer("cell", 256);
    Canvas sheet(cols * cell, rows * cell, 1.0f);
    for (int f = 0; f < frames; ++f) {
        const float scale = static_cast<float>(cell) / entry.box.Height();
        Canvas c = BoxCanvas(entry, scale);
        DrawUnicorn(c, static_cast<float>(f) / static_cast<float>(frames));
        const Canvas small = c.Resampled(cell, cell);
        // Cell 0 is the top-left one, counted along the rows.
        sheet.OverAt(small, (f % cols) * cell, (rows - 1 - f / cols) * cell);
    }
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, sheet, true);
    Tools::Material material = BlendedMaterial(picture);
    Tools::MaterialStage& stage = material.stages[0];
    stage.animation = Tools::StageAnimation::Grid;
    stage.frameCount = frames;
    stage.cols = cols;
    stage.rows = rows;
    stage.speed = entry.Number("fps", 6.0f);
    out.Material(entry.folder, entry.name, material);
    out.Model(entry.folder, entry.name, StateQuads(entry.box, {Cell{}}));
}

// ---- In front of the layers ----

float EaseOutBack(float t) {
    const float c = 1.5f;
    const float u = t - 1.0f;
    return 1.0f + (c + 1.0f) * u * u * u + c * u * u;
}

// Quads over the box scaled about a point per frame (sx, sy), shifted by dy.
using Pose = std::function<void(int frame, float& sx, float& sy, float& dy)>;

void WriteAnimatedQuad(Writer& out, const Entry& entry, const Canvas& finished, const Pose& pose, float pivotY,
                       bool additive = false) {
    const Atlas atlas = PackFrames({finished});
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, atlas.picture, true);
    out.Material(entry.folder, entry.name, additive ? AdditiveMaterial(picture) : BlendedMaterial(picture));
    const int frames = entry.Integer("frames", 25);
    const Box& b = entry.box;
    const float cx = (b.x0 + b.x1) * 0.5f;
    const float cy = b.y0 + (b.y1 - b.y0) * pivotY;
    std::vector<Tools::Mesh> meshes;
    for (int f = 0; f < frames; ++f) {
        float sx = 1.0f, sy = 1.0f, dy = 0.0f;
        if (f < frames - 1) pose(f, sx, sy, dy);
        const Cell& cell = atlas.cells[0];
        meshes.push_back(Tools::QuadMesh(cx + (b.x0 - cx) * sx, cy + (b.y0 - cy) * sy + dy, cx + (b.x1 - cx) * sx,
                                         cy + (b.y1 - cy) * sy + dy, cell.u0, cell.v0, cell.u1, cell.v1));
    }
    out.Model(entry.folder, entry.name, FramesModel(meshes, entry.Number("fps", 25.0f)));
}

float T(int frame, int frames) {
    return static_cast<float>(frame) / static_cast<float>(frames - 1);
}

// Drops in from above the screen and settles with a little bounce; the
// delay (0 to 1 of the animation) holds it up there first.
Pose DropIn(const Entry& entry) {
    const int frames = entry.Integer("frames", 25);
    const float height = 610.0f - entry.box.y0;
    const float delay = entry.Number("delay", 0.0f);
    return [=](int f, float&, float&, float& dy) {
        const float t = Clamp01((T(f, frames) - delay) / (1.0f - delay));
        dy = height * (1.0f - EaseOutBack(t));
    };
}

void TitleBoard(const Entry& entry, Writer& out) {
    const Canvas c = DrawTitleBoard(entry.box.Width(), entry.box.Height(), 2.0f).Downsample(2);
    WriteAnimatedQuad(out, entry, c, DropIn(entry), 0.5f);
}

void PlateMount(const Entry& entry, Writer& out) {
    const Canvas c = DrawPlateMount(entry.box.Width(), entry.box.Height(), entry.Number("inset", 10.0f), 2.0f).Downsample(2);
    WriteAnimatedQuad(out, entry, c, DropIn(entry), 0.5f);
}

// A burst of light that opens from the middle across the plate.
void Flash(const Entry& entry, Writer& out) {
    const Canvas c = DrawFlash(entry.box.Width(), entry.box.Height(), 1.0f);
    const int frames = entry.Integer("frames", 25);
    WriteAnimatedQuad(out, entry, c, [=](int f, float& sx, float& sy, float&) {
        const float t = T(f, frames);
        sx = 0.05f + 0.95f * std::sqrt(t);
        sy = 0.4f + 0.6f * std::sin(t * Pi * 0.5f);
    }, 0.5f, true);
}

// The plate unfolds from a line to its full height.
void Plate(const Entry& entry, Writer& out) {
    const Canvas c = DrawPlate(entry.box.Width(), entry.box.Height(), 2.0f).Downsample(2);
    const int frames = entry.Integer("frames", 12);
    WriteAnimatedQuad(out, entry, c, [=](int f, float& sx, float& sy, float&) {
        const float t = T(f, frames);
        sy = std::max(0.05f, EaseOutBack(t));
        sx = 0.9f + 0.1f * std::min(1.0f, t * 2.0f);
    }, 0.5f);
}

// The screen border: four strips along the edges of one picture; it comes
// in from beyond the screen's edges.
void ScreenBorder(const Entry& entry, Writer& out) {
    const float w = entry.box.Width(), h = entry.box.Height();
    const float band = entry.Number("band", 56.0f);
    const Canvas full = DrawScreenBorder(w, h, 1.0f);
    const int b = static_cast<int>(band);
    const int W = static_cast<int>(w), H = static_cast<int>(h);
    // Strips: top and bottom span the width, left and right the rest.
    struct Strip {
        int x, y, w, h;     // in the full picture
        int tx, ty;         // in the texture
    };
    const Strip strips[] = {{0, H - b, W, b, 2, 2}, {0, 0, W, b, 2, b + 6},
                            {0, b, b, H - 2 * b, W + 8, 2}, {W - b, b, b, H - 2 * b, W + b + 14, 2}};
    Canvas sheet(1024, 512, 1.0f);
    std::vector<Cell> cells;
    for (const Strip& s : strips) {
        for (int y = -2; y < s.h + 2; ++y) {
            for (int x = -2; x < s.w + 2; ++x) {
                sheet.At(s.tx + x, s.ty + y) = full.At(std::clamp(s.x + x, 0, W - 1), std::clamp(s.y + y, 0, H - 1));
            }
        }
        cells.push_back({static_cast<float>(s.tx) / 1024, static_cast<float>(s.ty) / 512, static_cast<float>(s.tx + s.w) / 1024,
                         static_cast<float>(s.ty + s.h) / 512});
    }
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, sheet, true);
    out.Material(entry.folder, entry.name, BlendedMaterial(picture));
    const int frames = entry.Integer("frames", 25);
    const float cx = w * 0.5f + entry.box.x0, cy = h * 0.5f + entry.box.y0;
    std::vector<Tools::Mesh> meshes;
    for (int f = 0; f < frames; ++f) {
        const float s = f == frames - 1 ? 1.0f : 1.0f + 0.18f * (1.0f - EaseOutBack(T(f, frames)));
        Tools::Mesh mesh;
        for (size_t i = 0; i < 4; ++i) {
            const Strip& st = strips[i];
            const float x0 = entry.box.x0 + static_cast<float>(st.x), y0 = entry.box.y0 + static_cast<float>(st.y);
            const float x1 = x0 + static_cast<float>(st.w), y1 = y0 + static_cast<float>(st.h);
            Tools::AppendMesh(mesh, Tools::QuadMesh(cx + (x0 - cx) * s, cy + (y0 - cy) * s, cx + (x1 - cx) * s, cy + (y1 - cy) * s,
                                                    cells[i].u0, cells[i].v0, cells[i].u1, cells[i].v1));
        }
        meshes.push_back(std::move(mesh));
    }
    out.Model(entry.folder, entry.name, FramesModel(meshes, entry.Number("fps", 25.0f)));
}

// The maker's badge pops up from nothing.
void MakerLogo(const Entry& entry, Writer& out) {
    const Typeface face(SerifBoldFont());
    std::u32string name;
    for (const char ch : entry.Text("name")) name += ch == '_' ? U' ' : static_cast<char32_t>(ch);
    const Canvas c = DrawMakerLogo(entry.box.Width(), entry.box.Height(), name, face, 2.0f).Downsample(2);
    const int frames = entry.Integer("frames", 25);
    WriteAnimatedQuad(out, entry, c, [=](int f, float& sx, float& sy, float&) {
        sx = sy = std::max(0.02f, EaseOutBack(T(f, frames)));
    }, 0.5f);
}

// The publisher's badge: its picture is a JPEG pair in the menus' texture
// folder, whose presence is what makes the game show it.
void PublisherLogo(const Entry& entry, Writer& out) {
    const Typeface face(SerifBoldFont());
    std::u32string name;
    for (const char ch : entry.Text("name")) name += ch == '_' ? U' ' : static_cast<char32_t>(ch);
    const Canvas drawn = DrawSeal(entry.box.Width(), entry.box.Height(), name, face, 2.0f);
    const Size size = TextureSize(entry, "256x64");
    const Canvas texture = drawn.Resampled(size.w, size.h);
    const std::string folder = "ui/menus/textures";
    const std::string base = entry.Text("picture");
    out.Picture(folder, base + ".jpg", texture, false);
    out.AlphaPicture(folder, base + "_alpha.jpg", texture);
    Tools::Material material = BlendedMaterial("ui\\menus\\textures\\" + base + ".jpg");
    material.stages[0].opacity = "ui\\menus\\textures\\" + base + "_alpha.jpg";
    out.Material(entry.folder, entry.name, material);
    out.Model(entry.folder, entry.name, StateQuads(entry.box, {Cell{}}));
}

// The title's letters, one model each, laid out centred in the box; their
// count goes to the title file the background reads.
void TitleLetters(const Entry& entry, Writer& out) {
    const Typeface face(SerifBoldFont());
    std::u32string word;
    for (const char ch : entry.Text("text")) word += static_cast<char32_t>(ch);
    // The largest size whose ink fits the box.
    const Box& b = entry.box;
    float size = b.Height() * 1.5f;
    for (int i = 0; i < 40; ++i) {
        const InkBox ink = face.Ink(word, size);
        if (ink.x1 - ink.x0 <= b.Width() - 8.0f && ink.y1 - ink.y0 <= b.Height() - 6.0f) break;
        size *= 0.97f;
    }
    const InkBox all = face.Ink(word, size);
    const float penX = (b.x0 + b.x1) * 0.5f - (all.x0 + all.x1) * 0.5f;
    const float baseline = (b.y0 + b.y1) * 0.5f - (all.y0 + all.y1) * 0.5f;
    std::vector<Canvas> letters;
    std::vector<Box> boxes;
    float pen = penX;
    for (size_t i = 0; i < word.size(); ++i) {
        const GoldLetter letter = DrawGoldLetter(face, word[i], size, 2.0f);
        // The pen advance up to this letter, with kerning, from the word's measure.
        pen = penX + face.Measure(word.substr(0, i), size);
        const float x0 = pen + letter.ink.x0 - letter.margin;
        const float y0 = baseline + letter.ink.y0 - letter.margin;
        letters.push_back(letter.canvas.Downsample(2));
        boxes.push_back({x0, y0, x0 + static_cast<float>(letters.back().width), y0 + static_cast<float>(letters.back().height)});
    }
    // All letters in one picture, each in its own cell of the largest size.
    int cw = 0, ch = 0;
    for (const Canvas& l : letters) {
        cw = std::max(cw, l.width);
        ch = std::max(ch, l.height);
    }
    std::vector<Canvas> cells;
    for (const Canvas& l : letters) {
        Canvas padded(cw, ch, 1.0f);
        padded.OverAt(l, 0, 0);
        cells.push_back(std::move(padded));
    }
    const Atlas atlas = PackFrames(cells);
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, atlas.picture, true);
    for (size_t i = 0; i < letters.size(); ++i) {
        const std::string name = entry.name + "_" + std::to_string(i);
        Cell cell = atlas.cells[i];
        // Only the letter's own part of the padded cell.
        cell.u1 = cell.u0 + static_cast<float>(letters[i].width) / static_cast<float>(atlas.picture.width);
        cell.v1 = cell.v0 + static_cast<float>(letters[i].height) / static_cast<float>(atlas.picture.height);
        out.Material(entry.folder, name, BlendedMaterial(picture));
        out.Model(entry.folder, name, StateQuads(boxes[i], {cell}));
    }
    const std::string count = std::to_string(letters.size()) + "\n";
    out.Bytes(entry.folder, entry.name + ".ini", std::vector<uint8_t>(count.begin(), count.end()));
}

} // namespace

void AddBackgroundRecipes(RecipeBook& book) {
    book["sky"] = Sky;
    book["clouds"] = Clouds;
    book["hills"] = Hills;
    book["meadow"] = Meadow;
    book["river"] = River;
    book["castle"] = Castle;
    book["rainbow"] = Rainbow;
    book["trees"] = Trees;
    book["unicorn"] = Unicorn;
    book["title_board"] = TitleBoard;
    book["plate_mount"] = PlateMount;
    book["flash"] = Flash;
    book["plate"] = Plate;
    book["screen_border"] = ScreenBorder;
    book["maker_logo"] = MakerLogo;
    book["publisher_logo"] = PublisherLogo;
    book["title_letters"] = TitleLetters;
}

} // namespace ModelGen
