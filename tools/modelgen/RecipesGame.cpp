// A level's art: the table and HUD, the path's markers and the hole, the
// cart, the bonus icons, the board's completion ripple and the mini game's
// tiles and arrows.
#include <cmath>
#include <sstream>
#include <array>

#include "tools/common/art/Gameplay.h"
#include "tools/common/art/Widgets.h"
#include "tools/modelgen/Recipes.h"

namespace ModelGen {

namespace {

using namespace Tools::Art;

// "x:y,x:y,..." from an option.
std::vector<Point> Points(const Entry& entry, const std::string& key) {
    std::vector<Point> points;
    std::istringstream in(entry.Text(key));
    std::string pair;
    while (std::getline(in, pair, ',')) {
        Point p;
        char colon = 0;
        std::istringstream one(pair);
        if (!(one >> p.x >> colon >> p.y) || colon != ':') throw TableError(entry.Where() + ": " + key + " is x:y,x:y,...");
        points.push_back(p);
    }
    return points;
}

Rect RectOf(const Entry& entry, const std::string& key) {
    const std::vector<Point> p = Points(entry, key);
    if (p.size() != 2) throw TableError(entry.Where() + ": " + key + " is x0:y0,x1:y1");
    return {p[0].x, p[0].y, p[1].x, p[1].y};
}

void Single(Writer& out, const Entry& entry, const Canvas& drawn) {
    WriteStates(out, entry, {drawn});
}

// The table around the board: the whole screen, on a square picture with
// one texel per unit.
void Table(const Entry& entry, Writer& out) {
    const Canvas c = DrawTable(entry.box.Width(), entry.box.Height(), RectOf(entry, "board"), Points(entry, "path"),
                               RectOf(entry, "statistics"), 1.0f);
    Canvas sheet(PowerOfTwo(c.width), PowerOfTwo(std::max(c.width, c.height)), 1.0f);
    sheet.OverAt(c, 0, 0);
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, sheet, true);
    out.Material(entry.folder, entry.name, BlendedMaterial(picture));
    const float u1 = static_cast<float>(c.width) / static_cast<float>(sheet.width);
    const float v1 = static_cast<float>(c.height) / static_cast<float>(sheet.height);
    // Four quads around the board: the table is empty over the board, and a
    // quad there would cost the software rasterizer a blended pass over a
    // third of the screen every frame for nothing.
    const Box& b = entry.box;
    const Rect board = RectOf(entry, "board");
    const auto u = [&](float x) { return (x - b.x0) / b.Width() * u1; };
    const auto v = [&](float y) { return (y - b.y0) / b.Height() * v1; };
    const auto quad = [&](float x0, float y0, float x1, float y1) {
        return Tools::QuadMesh(x0, y0, x1, y1, u(x0), v(y0), u(x1), v(y1));
    };
    Tools::Mesh frame = quad(b.x0, b.y0, b.x1, board.y0);
    Tools::AppendMesh(frame, quad(b.x0, board.y1, b.x1, b.y1));
    Tools::AppendMesh(frame, quad(b.x0, board.y0, board.x0, board.y1));
    Tools::AppendMesh(frame, quad(board.x1, board.y0, b.x1, board.y1));
    out.Model(entry.folder, entry.name, Tools::MeshModel(Tools::ModelFlag::Static | Tools::ModelFlag::List, {frame}));
}

void HudBar(const Entry& entry, Writer& out) {
    Single(out, entry, DrawHudBar(entry.box.Width(), entry.box.Height(), DrawScale(entry)));
}

void HoleBottom(const Entry& entry, Writer& out) {
    Single(out, entry, DrawHoleBottom(entry.box.Width(), entry.box.Height(), DrawScale(entry)));
}

void HoleTop(const Entry& entry, Writer& out) {
    Single(out, entry, DrawHoleTop(entry.box.Width(), entry.box.Height(), entry.Number("rim", entry.box.Height()), DrawScale(entry)));
}

void Cart(const Entry& entry, Writer& out) {
    Single(out, entry, DrawCart(entry.box.Width(), entry.box.Height(), DrawScale(entry)));
}

void Bonus(const Entry& entry, Writer& out) {
    const std::string kind = entry.Text("kind");
    const BonusKind bonus = kind == "magnet" ? BonusKind::Magnet
                            : kind == "pause" ? BonusKind::Pause
                            : kind == "rollback" ? BonusKind::Rollback
                                                 : BonusKind::Tip;
    Single(out, entry, DrawBonus(entry.box.Width(), bonus, DrawScale(entry)));
}

void SmallArrow(const Entry& entry, Writer& out) {
    Single(out, entry, DrawSmallArrow(entry.box.Width(), entry.Integer("direction", 0), DrawScale(entry)));
}

// The finished picture settles: a ripple from the middle dies away over the
// frames and the last frame lies flat on the board. The game draws it with
// the puzzle's own picture, whose texels fill the bottom-left of a
// 1024 × 512 texture.
void Ripple(const Entry& entry, Writer& out) {
    const int frames = entry.Integer("frames", 30);
    const int cols = 28, rows = 21;
    const Box& b = entry.box;
    const float u1 = entry.Number("u", b.Width() / 1024.0f);
    const float v1 = entry.Number("v", b.Height() / 512.0f);
    const float cx = (b.x0 + b.x1) * 0.5f, cy = (b.y0 + b.y1) * 0.5f;
    std::vector<Tools::Mesh> meshes;
    for (int f = 0; f < frames; ++f) {
        const float t = static_cast<float>(f) / static_cast<float>(frames - 1);
        const float amplitude = f == frames - 1 ? 0.0f : 7.0f * (1.0f - t) * (1.0f - t);
        Tools::Mesh mesh;
        for (int j = 0; j <= rows; ++j) {
            for (int i = 0; i <= cols; ++i) {
                const float u = static_cast<float>(i) / cols, v = static_cast<float>(j) / rows;
                float x = b.x0 + b.Width() * u, y = b.y0 + b.Height() * v;
                const float dx = x - cx, dy = y - cy;
                const float r = std::sqrt(dx * dx + dy * dy);
                // The wave runs outwards; the edges stay on the board's frame.
                const float edge = std::min({u, 1.0f - u, v, 1.0f - v}) * 8.0f;
                const float wave = amplitude * std::sin(r * 0.05f - t * 14.0f) * std::min(1.0f, edge);
                if (r > 0.001f) {
                    x += dx / r * wave;
                    y += dy / r * wave;
                }
                Tools::ModelVertex vertex;
                vertex.position = {x, y, 0.0f};
                vertex.normal = {0, 0, 1};
                vertex.u = u * u1;
                vertex.v = v * v1;
                mesh.vertices.push_back(vertex);
            }
        }
        for (int j = 0; j < rows; ++j) {
            for (int i = 0; i < cols; ++i) {
                const uint32_t a = static_cast<uint32_t>(j * (cols + 1) + i);
                const uint32_t c = a + static_cast<uint32_t>(cols + 1);
                mesh.indices.insert(mesh.indices.end(), {a, a + 1, c + 1, c + 1, c, a});
            }
        }
        meshes.push_back(std::move(mesh));
    }
    out.Material(entry.folder, entry.name, BlendedMaterial("ui\\menus\\textures\\clear.tga"));
    out.Model(entry.folder, entry.name,
              Tools::MeshModel(Tools::ModelFlag::Morph | Tools::ModelFlag::List, meshes, entry.Number("fps", 25.0f)));
}

// The mini game's tile: the rim is a square frame with thickness in z, the
// two faces are quads on its opposite sides. The face at -z looks at the
// viewer. The other carries the same texture coordinates seen from the
// front, so a turn about x shows it upside down and a turn about y shows it
// mirrored: each of the four faces a tile can show looks different, and
// only the right one reads the right way round.
void TileRim(const Entry& entry, Writer& out) {
    const float depth = entry.Number("depth", 6.0f);
    const float band = entry.Number("band", 6.0f);
    const Canvas rim = DrawTileRim(100.0f, band, 1.28f * 2.0f).Downsample(2);
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, rim, true);
    out.Material(entry.folder, entry.name, BlendedMaterial(picture));
    const Box& b = entry.box;
    Tools::Mesh mesh;
    // Front and back frames, and the four outer walls.
    Tools::Mesh front = Tools::QuadMesh(b.x0, b.y0, b.x1, b.y1, 0, 0, 1, 1, -depth * 0.5f - 0.1f);
    for (auto& v : front.vertices) v.normal = {0, 0, -1};
    Tools::AppendMesh(mesh, front);
    Tools::Mesh back = Tools::QuadMesh(b.x0, b.y0, b.x1, b.y1, 1, 0, 0, 1, depth * 0.5f + 0.1f);
    Tools::AppendMesh(mesh, back);
    const float z0 = -depth * 0.5f, z1 = depth * 0.5f;
    const float strip = band / 100.0f;
    const std::vector<std::array<ZorvaneEngine::Vector3, 4>> walls = {
        {{{b.x0, b.y0, z0}, {b.x1, b.y0, z0}, {b.x1, b.y0, z1}, {b.x0, b.y0, z1}}},
        {{{b.x1, b.y0, z0}, {b.x1, b.y1, z0}, {b.x1, b.y1, z1}, {b.x1, b.y0, z1}}},
        {{{b.x1, b.y1, z0}, {b.x0, b.y1, z0}, {b.x0, b.y1, z1}, {b.x1, b.y1, z1}}},
        {{{b.x0, b.y1, z0}, {b.x0, b.y0, z0}, {b.x0, b.y0, z1}, {b.x0, b.y1, z1}}}};
    for (const auto& wall : walls) {
        Tools::Mesh m;
        const float uv[4][2] = {{0, 0}, {1, 0}, {1, strip}, {0, strip}};
        for (int k = 0; k < 4; ++k) m.vertices.push_back({wall[k], {0, 0, 1}, uv[k][0], uv[k][1]});
        m.indices = {0, 1, 2, 2, 3, 0};
        Tools::AppendMesh(mesh, m);
    }
    out.Model(entry.folder, entry.name, Tools::MeshModel(Tools::ModelFlag::Static | Tools::ModelFlag::List, {mesh}));
}

void TileFace(const Entry& entry, Writer& out) {
    const bool bottom = entry.Text("side") == "bottom";
    const float depth = entry.Number("depth", 6.0f);
    const Box& b = entry.box;
    // The code gives both faces the totem picture and their texture window.
    Tools::Mesh face = Tools::QuadMesh(b.x0, b.y0, b.x1, b.y1, 0, 0, 1, 1, bottom ? depth * 0.5f : -depth * 0.5f);
    for (auto& v : face.vertices) v.normal = {0, 0, bottom ? 1.0f : -1.0f};
    out.Material(entry.folder, entry.name, BlendedMaterial("ui\\menus\\textures\\clear.tga"));
    out.Model(entry.folder, entry.name, Tools::MeshModel(Tools::ModelFlag::Static | Tools::ModelFlag::List, {face}));
}

} // namespace

void AddGameRecipes(RecipeBook& book) {
    book["table"] = Table;
    book["hud_bar"] = HudBar;
    book["hole_bottom"] = HoleBottom;
    book["hole_top"] = HoleTop;
    book["cart"] = Cart;
    book["bonus"] = Bonus;
    book["small_arrow"] = SmallArrow;
    book["ripple"] = Ripple;
    book["tile_rim"] = TileRim;
    book["tile_face"] = TileFace;
}

} // namespace ModelGen
