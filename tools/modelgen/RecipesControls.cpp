// Shared controls: buttons, check boxes, arrows, sliders, fields, HUD
// buttons, and the boxes that only mark areas.
#include <cmath>

#include "tools/common/art/Widgets.h"
#include "tools/modelgen/Recipes.h"

namespace ModelGen {

namespace {

using namespace Tools::Art;

ControlState StateOf(int frame) {
    return static_cast<ControlState>(frame);
}

Direction DirectionOf(const Entry& entry) {
    const std::string d = entry.Text("direction");
    if (d == "up") return Direction::Up;
    if (d == "down") return Direction::Down;
    if (d == "left") return Direction::Left;
    if (d == "right") return Direction::Right;
    throw TableError(entry.Where() + ": direction is up, down, left or right");
}

void Area(const Entry& entry, Writer& out) {
    WriteInvisible(out, entry, entry.Integer("frames", 1));
}

void Clear(const Entry& entry, Writer& out) {
    // The shared transparent picture of the models that only mark places.
    out.Picture(entry.folder, entry.name + ".tga", Canvas(4, 4, 1.0f), true);
}

void Button(const Entry& entry, Writer& out) {
    const ButtonKind kind = entry.Text("kind", "plank") == "main" ? ButtonKind::MainMenu : ButtonKind::Plank;
    std::vector<Canvas> frames;
    for (int f = 0; f < 4; ++f) {
        frames.push_back(DrawButton(entry.box.Width(), entry.box.Height(), kind, StateOf(f), DrawScale(entry)));
    }
    WriteStates(out, entry, frames);
}

void CheckBox(const Entry& entry, Writer& out) {
    std::vector<Canvas> frames;
    for (int f = 0; f < 8; ++f) frames.push_back(DrawCheckBox(entry.box.Width(), f, DrawScale(entry)));
    WriteStates(out, entry, frames);
}

void Arrow(const Entry& entry, Writer& out) {
    std::vector<Canvas> frames;
    for (int f = 0; f < 4; ++f) {
        frames.push_back(DrawArrowButton(entry.box.Width(), entry.box.Height(), DirectionOf(entry), StateOf(f), DrawScale(entry)));
    }
    WriteStates(out, entry, frames);
}

void SliderTrack(const Entry& entry, Writer& out) {
    const bool vertical = entry.Integer("vertical", 0) != 0;
    std::vector<Canvas> frames;
    for (int f = 0; f < 3; ++f) {
        frames.push_back(DrawSliderTrack(entry.box.Width(), entry.box.Height(), vertical, entry.Number("end", 24.0f), f,
                                         DrawScale(entry)));
    }
    WriteStates(out, entry, frames);
}

void SliderKnob(const Entry& entry, Writer& out) {
    const bool vertical = entry.Integer("vertical", 0) != 0;
    std::vector<Canvas> frames;
    for (int f = 0; f < 4; ++f) {
        frames.push_back(DrawSliderKnob(entry.box.Width(), entry.box.Height(), vertical, StateOf(f), DrawScale(entry)));
    }
    WriteStates(out, entry, frames);
}

void HudButton(const Entry& entry, Writer& out) {
    const std::string icon = entry.Text("icon");
    const HudIcon kind = icon == "close" ? HudIcon::Close : HudIcon::Minimize;
    std::vector<Canvas> frames;
    for (int f = 0; f < 4; ++f) frames.push_back(DrawHudButton(entry.box.Width(), kind, StateOf(f), DrawScale(entry)));
    WriteStates(out, entry, frames);
}

// A check box of two looks: checked frames offer full screen (the window is
// windowed then), unchecked ones offer a window.
void HudToggle(const Entry& entry, Writer& out) {
    std::vector<Canvas> frames;
    for (int f = 0; f < 8; ++f) {
        const bool checked = f == 3 || f == 4 || f == 5 || f == 7;
        const ControlState state = f >= 6 ? ControlState::Disabled : StateOf(f % 3);
        frames.push_back(DrawHudButton(entry.box.Width(), checked ? HudIcon::FullScreen : HudIcon::Windowed, state,
                                       DrawScale(entry)));
    }
    WriteStates(out, entry, frames);
}

void TextField(const Entry& entry, Writer& out) {
    WriteStates(out, entry, {DrawTextField(entry.box.Width(), entry.box.Height(), entry.Number("lead", 28.0f), DrawScale(entry))});
}

void Panel(const Entry& entry, Writer& out) {
    const std::string kind = entry.Text("kind");
    if (kind == "values") {
        WriteStates(out, entry, {DrawValuesPanel(entry.box.Width(), entry.box.Height(), entry.Number("split", 0.0f),
                                                 DrawScale(entry), static_cast<uint32_t>(entry.Integer("seed", 1)))});
        return;
    }
    const PanelKind panel = kind == "inset"       ? PanelKind::Inset
                            : kind == "parchment" ? PanelKind::Parchment
                            : kind == "main"      ? PanelKind::MainMenu
                                                  : PanelKind::Window;
    WriteStates(out, entry, {DrawPanel(entry.box.Width(), entry.box.Height(), panel, DrawScale(entry),
                                       static_cast<uint32_t>(entry.Integer("seed", 1)))});
}

} // namespace

void AddControlRecipes(RecipeBook& book) {
    book["area"] = Area;
    book["clear"] = Clear;
    book["button"] = Button;
    book["check_box"] = CheckBox;
    book["arrow"] = Arrow;
    book["slider_track"] = SliderTrack;
    book["slider_knob"] = SliderKnob;
    book["hud_button"] = HudButton;
    book["hud_toggle"] = HudToggle;
    book["text_field"] = TextField;
    book["panel"] = Panel;
}

} // namespace ModelGen
