// Menu frames with their appear animations, and the placements that slide
// the main menu's buttons in.
#include <algorithm>
#include <cmath>

#include "tools/common/art/Widgets.h"
#include "tools/modelgen/Recipes.h"

namespace ModelGen {

namespace {

using namespace Tools::Art;

// 0 to 1 with a small overshoot before it settles.
float EaseOutBack(float t) {
    const float c = 1.4f;
    const float u = t - 1.0f;
    return 1.0f + (c + 1.0f) * u * u * u + c * u * u;
}

float EaseOutCubic(float t) {
    const float u = 1.0f - t;
    return 1.0f - u * u * u;
}

// The frame's picture over every frame of its appear animation: it grows
// from a little smaller to its place with a soft overshoot, while the code
// fades it in over the first 15 frames; the last frame stands exactly on
// the box.
void Window(const Entry& entry, Writer& out) {
    const int frames = entry.Integer("frames", 20);
    if (frames < 2) throw TableError(entry.Where() + ": a window frame appears over at least 2 frames");
    const std::string kind = entry.Text("kind", "window");
    const PanelKind panel = kind == "main" ? PanelKind::MainMenu : PanelKind::Window;
    const Canvas drawn = DrawPanel(entry.box.Width(), entry.box.Height(), panel, DrawScale(entry),
                                   static_cast<uint32_t>(entry.Integer("seed", 1)));
    const Atlas atlas = PackFrames({Finish(entry, drawn)});
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, atlas.picture, true);
    out.Material(entry.folder, entry.name, BlendedMaterial(picture));

    const Box& b = entry.box;
    const float cx = (b.x0 + b.x1) * 0.5f;
    const float cy = (b.y0 + b.y1) * 0.5f;
    const Cell& cell = atlas.cells[0];
    std::vector<Tools::Mesh> meshes;
    for (int f = 0; f < frames; ++f) {
        const float t = static_cast<float>(f) / static_cast<float>(frames - 1);
        const float s = f == frames - 1 ? 1.0f : 0.9f + 0.1f * EaseOutBack(t);
        meshes.push_back(Tools::QuadMesh(cx + (b.x0 - cx) * s, cy + (b.y0 - cy) * s, cx + (b.x1 - cx) * s,
                                         cy + (b.y1 - cy) * s, cell.u0, cell.v0, cell.u1, cell.v1));
    }
    out.Model(entry.folder, entry.name,
              Tools::MeshModel(Tools::ModelFlag::Morph | Tools::ModelFlag::List, meshes, entry.Number("fps", 32.0f)));
}

// An invisible box that slides in from beyond the left edge of the screen
// to its place; the control's look rides on it.
void SlideIn(const Entry& entry, Writer& out) {
    const int frames = entry.Integer("frames", 12);
    if (frames < 2) throw TableError(entry.Where() + ": a slide needs at least 2 frames");
    // Each button starts a little further out, so they arrive one after another.
    const float start = -entry.box.x1 - entry.Number("lead", 20.0f);
    out.Material(entry.folder, entry.name, BlendedMaterial("ui\\menus\\textures\\clear.tga"));
    std::vector<Tools::Mesh> meshes;
    for (int f = 0; f < frames; ++f) {
        const float t = static_cast<float>(f) / static_cast<float>(frames - 1);
        const float dx = f == frames - 1 ? 0.0f : start * (1.0f - EaseOutCubic(t));
        meshes.push_back(Tools::QuadMesh(entry.box.x0 + dx, entry.box.y0, entry.box.x1 + dx, entry.box.y1));
    }
    out.Model(entry.folder, entry.name,
              Tools::MeshModel(Tools::ModelFlag::Morph | Tools::ModelFlag::List, meshes, entry.Number("fps", 60.0f)));
}

} // namespace

void AddWindowRecipes(RecipeBook& book) {
    book["window"] = Window;
    book["slide_in"] = SlideIn;
}

} // namespace ModelGen
