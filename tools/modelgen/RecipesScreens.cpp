// The later screens: the level map with its elements and totems, the
// game-complete light effects, the tutorial's demonstration, the pointer
// pictures and the maker's splash card.
#include <algorithm>
#include <cmath>

#include "tools/common/art/Effects.h"
#include "tools/common/art/Emblems.h"
#include "tools/common/art/Gameplay.h"
#include "tools/common/art/Surfaces.h"
#include "tools/common/art/Screens.h"
#include "tools/common/art/Widgets.h"
#include "tools/common/TextTable.h"
#include "tools/modelgen/Recipes.h"

namespace ModelGen {

namespace {

using namespace Tools::Art;
constexpr float Pi = 3.14159265f;

Tools::Model Frames(const std::vector<Tools::Mesh>& meshes, float fps) {
    const uint32_t kind = meshes.size() > 1 ? Tools::ModelFlag::Morph : Tools::ModelFlag::Static;
    return Tools::MeshModel(kind | Tools::ModelFlag::List, meshes, fps);
}

// The map's trail: a serpentine of rows, one per stage, each of `cols`
// elements, alternating in direction; the same layout the map file uses.
std::vector<Point> Serpentine(const Entry& entry) {
    std::vector<Point> points;
    const int rows = entry.Integer("rows", 8), cols = entry.Integer("cols", 5);
    const float x0 = entry.Number("x0", 180), dx = entry.Number("dx", 110);
    const float y0 = entry.Number("y0", 110), dy = entry.Number("dy", 42);
    for (int r = 0; r < rows; ++r) {
        for (int i = 0; i < cols; ++i) {
            const int c = r % 2 == 0 ? i : cols - 1 - i;
            points.push_back({x0 + dx * static_cast<float>(c) - entry.box.x0, y0 + dy * static_cast<float>(r) - entry.box.y0});
        }
    }
    return points;
}

void Map(const Entry& entry, Writer& out) {
    WriteStates(out, entry, {DrawMap(entry.box.Width(), entry.box.Height(), Serpentine(entry), DrawScale(entry))});
}

void MapElement(const Entry& entry, Writer& out) {
    const std::string kind = entry.Text("kind");
    const MapElementKind k = kind == "start"         ? MapElementKind::Start
                             : kind == "finish"      ? MapElementKind::Finish
                             : kind == "check_point" ? MapElementKind::CheckPoint
                             : kind == "path_check_point" ? MapElementKind::PathCheckPoint
                                                          : MapElementKind::Path;
    // Small pictures: drawn at four times their size.
    std::vector<Canvas> frames;
    for (int f = 0; f < 6; ++f) frames.push_back(DrawMapElement(entry.box.Width(), k, f, 4.0f).Downsample(4));
    const Atlas atlas = PackFrames(frames);
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, atlas.picture, true);
    out.Material(entry.folder, entry.name, BlendedMaterial(picture));
    out.Model(entry.folder, entry.name, StateQuads(entry.box, atlas.cells));
}

// Frame 2s is stage s's totem lit, 2s + 1 the same unlit.
void Totem(const Entry& entry, Writer& out) {
    std::vector<Canvas> frames;
    for (int f = 0; f < 16; ++f) frames.push_back(DrawTotem(entry.box.Width(), entry.box.Height(), f / 2, f % 2 == 0, DrawScale(entry)));
    WriteStates(out, entry, frames);
}

// A full-screen light that turns, grows or pulses over its frames; drawn
// added to what lies behind it.
void Light(const Entry& entry, Writer& out) {
    const std::string kind = entry.Text("kind");
    const float size = entry.Number("size", 1000.0f);
    const float scale = entry.Number("density", 0.5f);
    Canvas drawn = kind == "rays"      ? DrawLightRays(size, entry.Integer("rays", 16), scale)
                   : kind == "sparkles" ? DrawSparkleRing(size, scale, 17)
                                        : DrawBloom(size, scale);
    const Canvas texture = drawn.Resampled(512, 512);
    const std::string picture = entry.name + ".tga";
    out.Picture(entry.folder, picture, texture, true);
    out.Material(entry.folder, entry.name, AdditiveMaterial(picture));
    const int frames = entry.Integer("frames", 40);
    const float cx = (entry.box.x0 + entry.box.x1) * 0.5f, cy = (entry.box.y0 + entry.box.y1) * 0.5f;
    std::vector<Tools::Mesh> meshes;
    for (int f = 0; f < frames; ++f) {
        const float t = static_cast<float>(f) / static_cast<float>(frames - 1);
        float s = 1.0f, angle = 0.0f;
        if (kind == "rays") {
            s = 0.75f + 0.45f * t;
            angle = 0.5f * t;
        } else if (kind == "sparkles") {
            s = 0.25f + 1.1f * std::sqrt(t);
            angle = -0.3f * t;
        } else {
            s = 0.6f + 0.5f * std::sin(t * Pi);
        }
        const float half = size * 0.5f * s;
        const float ca = std::cos(angle), sa = std::sin(angle);
        Tools::Mesh quad = Tools::QuadMesh(-half, -half, half, half);
        for (auto& v : quad.vertices) {
            const float x = v.position.x, y = v.position.y;
            v.position.x = cx + x * ca - y * sa;
            v.position.y = cy + x * sa + y * ca;
        }
        meshes.push_back(std::move(quad));
    }
    out.Model(entry.folder, entry.name, Frames(meshes, entry.Number("fps", 20.0f)));
}

// ---- The tutorial's demonstration ----
//
// A small board of four slots (the bottom right one blocked) and a trough
// on the right with the four pieces queued in it. The pointer picks each
// piece and puts it into its slot; the third one is first taken back with
// the right button, and placing it opens the blocked slot for the last.

struct Key {
    float frame, x, y;
};

Point Along(const std::vector<Key>& keys, float f) {
    if (f <= keys.front().frame) return {keys.front().x, keys.front().y};
    for (size_t i = 1; i < keys.size(); ++i) {
        if (f <= keys[i].frame) {
            const float t = (f - keys[i - 1].frame) / (keys[i].frame - keys[i - 1].frame);
            const float e = t * t * (3.0f - 2.0f * t);
            return {Lerp(keys[i - 1].x, keys[i].x, e), Lerp(keys[i - 1].y, keys[i].y, e)};
        }
    }
    return {keys.back().x, keys.back().y};
}

struct Storyboard {
    Box board{130.0f, 140.0f, 450.0f, 380.0f};
    float trough = 640.0f;  // the trough's x
    int frames = 96;
    // Each piece's picks, places and return; the frame ranges are the
    // pointer's button presses the game reads.
    struct Piece {
        float pick, place, pickAgain = -1.0f, back = -1.0f;
    };
    Piece pieces[4] = {{4, 19}, {24, 34}, {39, 74, 59, 52}, {79, 89}};

    Point Slot(int k) const {
        const float w = board.Width() * 0.5f, h = board.Height() * 0.5f;
        return {board.x0 + w * (static_cast<float>(k % 2) + 0.5f), board.y1 - h * (static_cast<float>(k / 2) + 0.5f)};
    }
    // Queue place q (0 the front, lowest) on the trough.
    Point Queue(float q) const { return {trough, 175.0f + 56.0f * q}; }
};

// The pointer's path: from rest to each piece and its slot.
std::vector<Key> PointerPath(const Storyboard& s) {
    const Point rest{540.0f, 300.0f};
    const auto q = [&](float i) { return s.Queue(i); };
    const Point s0 = s.Slot(0), s1 = s.Slot(1), s2 = s.Slot(2), s3 = s.Slot(3);
    return {{0, rest.x, rest.y},  {4, q(0).x, q(0).y},  {6, q(0).x, q(0).y},   {19, s0.x, s0.y}, {21, s0.x, s0.y},
            {24, q(0).x, q(0).y}, {26, q(0).x, q(0).y}, {34, s1.x, s1.y},     {36, s1.x, s1.y}, {39, q(0).x, q(0).y},
            {41, q(0).x, q(0).y}, {52, s3.x - 40, s3.y + 20}, {54, s3.x - 40, s3.y + 20}, {59, q(0).x, q(0).y},
            {61, q(0).x, q(0).y}, {74, s2.x, s2.y}, {76, s2.x, s2.y},     {79, q(0).x, q(0).y}, {81, q(0).x, q(0).y},
            {89, s3.x, s3.y},     {91, s3.x, s3.y},   {96, rest.x, rest.y}};
}

struct PiecePose {
    Point centre;
    float scale;
};

// Where piece k is in frame f and how large: queued pieces are small on the
// trough, a held one follows the pointer and grows, a placed one fills its
// slot.
PiecePose PoseOf(const Storyboard& s, const std::vector<Key>& pointer, int k, float f) {
    const Storyboard::Piece& p = s.pieces[k];
    const float small = 0.3f;
    // The queue place: pieces ahead of it that have left the trough (and not
    // come back) let it roll forward.
    float ahead = 0.0f;
    for (int j = 0; j < k; ++j) {
        const Storyboard::Piece& o = s.pieces[j];
        const bool gone = f >= o.pick + 1 && !(o.back >= 0 && f >= o.back + 2 && f < o.pickAgain + 1);
        if (!gone) ahead += 1.0f;
    }
    // Rolling forward takes four frames.
    float smooth = ahead;
    for (int j = 0; j < k; ++j) {
        const Storyboard::Piece& o = s.pieces[j];
        const float left = f - (o.pick + 1);
        if (left >= 0 && left < 4 && !(o.back >= 0 && f >= o.back)) smooth += 1.0f - left / 4.0f;
    }
    const PiecePose queued{s.Queue(smooth), small};
    const auto held = [&](float from) {
        const float grow = Clamp01((f - from) / 8.0f);
        return PiecePose{Along(pointer, f), Lerp(small, 1.0f, grow)};
    };
    if (f < p.pick + 1) return queued;
    if (p.back >= 0) {
        if (f < p.back + 1) return held(p.pick + 1);
        if (f < p.back + 6) {
            // Thrown back to the front of the trough.
            const float t = (f - p.back - 1) / 5.0f;
            const Point from = Along(pointer, p.back + 1);
            const Point to = s.Queue(0);
            return {{Lerp(from.x, to.x, t), Lerp(from.y, to.y, t)}, Lerp(1.0f, small, t)};
        }
        if (f < p.pickAgain + 1) return {s.Queue(0), small};
        if (f < p.place + 1) return held(p.pickAgain + 1);
        return {s.Slot(k), 1.0f};
    }
    if (f < p.place + 1) return held(p.pick + 1);
    return {s.Slot(k), 1.0f};
}

// What the pointer does, in words from the text table: the two steps in a
// row above the board, each with the mouse showing its button, and the
// right button's return below it.
void PaintCaptions(Canvas& bg, const Box& area, const Storyboard& s, const Tools::TextTable& texts) {
    const Typeface face(SansBoldFont());
    const float size = 17.0f;
    const std::u32string pick = texts.Text("TUTORIAL_CAPTION_PICK");
    const std::u32string place = texts.Text("TUTORIAL_CAPTION_PLACE");
    const std::u32string back = texts.Text("TUTORIAL_CAPTION_RETURN");
    const float mouse = 17.0f, gap = 6.0f, between = 34.0f;
    const auto width = [&](const std::u32string& text) { return mouse + gap + face.Measure(text, size); };
    // One caption: the mouse with its button, then the words, centred on cy.
    const auto caption = [&](float x, float cy, int pressed, const std::u32string& text) {
        PaintMouse(bg, x, cy - 12.0f, x + mouse, cy + 12.0f, pressed);
        const InkBox ink = face.Ink(text, size);
        return PaintCaption(bg, face, text, size, x + mouse + gap, cy - (ink.y0 + ink.y1) * 0.5f);
    };
    const float badge = 18.0f + gap;
    const float row = 2.0f * badge + width(pick) + between + width(place);
    // Above the board, between the panel's top and the board, clear of the
    // trough's top end.
    const float top = (s.board.y1 + area.y1) * 0.5f - area.y0 - 2.0f;
    float x = (s.trough - 26.0f - area.x0 - row) * 0.5f;
    x = PaintStepBadge(bg, face, 1, x, top) + gap;
    x = caption(x, top, 2, pick) + between;
    x = PaintStepBadge(bg, face, 2, x, top) + gap;
    caption(x, top, 2, place);
    // Below the board, centred under it.
    const float bottom = (s.board.y0 + area.y0) * 0.5f - area.y0 + 2.0f;
    caption((s.board.x0 + s.board.x1) * 0.5f - area.x0 - width(back) * 0.5f, bottom, 1, back);
}

void TutorialParts(const Entry& entry, Writer& out) {
    const Storyboard s;
    const float fps = entry.Number("fps", 8.0f);
    const std::vector<Key> pointer = PointerPath(s);
    const float slotW = s.board.Width() * 0.5f, slotH = s.board.Height() * 0.5f;

    // The picture, its pieces and its dimmed board.
    const Canvas picture = DrawTutorialPicture(s.board.Width(), s.board.Height(), 2.0f).Downsample(2);
    Canvas sheet(512, 256, 1.0f);
    sheet.OverAt(picture, 0, 0);
    const std::string pieces = "element.tga";
    out.Picture(entry.folder, pieces, sheet, true);
    const float u1 = s.board.Width() / 512.0f, v1 = s.board.Height() / 256.0f;

    // background: the large window's demonstration area, the board with its
    // dimmed picture and cut lines, and the trough.
    const Box area{60, 90, 740, 430};
    Canvas bg(static_cast<int>(area.Width()), static_cast<int>(area.Height()), 1.0f);
    {
        Canvas inset = DrawPanel(area.Width(), area.Height(), PanelKind::Inset, 1.0f, 23);
        bg.Over(inset);
        Canvas dim = picture;
        for (Color& p : dim.pixels) p = {p.r * 0.3f, p.g * 0.3f, p.b * 0.3f, p.a};
        // Cut lines between the four slots.
        for (int y = 0; y < dim.height; ++y) {
            for (int x = 0; x < dim.width; ++x) {
                const bool line = std::abs(x - dim.width / 2) < 1 || std::abs(y - dim.height / 2) < 1 || x < 1 || y < 1 ||
                                  x >= dim.width - 1 || y >= dim.height - 1;
                if (line) dim.At(x, y) = {0.85f, 0.7f, 0.45f, 1.0f};
            }
        }
        bg.OverAt(dim, static_cast<int>(s.board.x0 - area.x0), static_cast<int>(s.board.y0 - area.y0));
        // The trough.
        Canvas trough(static_cast<int>(area.Width()), static_cast<int>(area.Height()), 1.0f);
        const std::vector<Point> line = {{s.trough - area.x0, 395.0f - area.y0}, {s.trough - area.x0, 150.0f - area.y0}};
        const Grid rim = StrokeField(trough.width, trough.height, 1.0f, line, 26.0f, 8.0f);
        PaintShadow(trough, rim, 2, -2, 2, 0.5f);
        PaintShape(trough, rim, [&](float x, float y) { WoodStyle w; w.angle = 1.5708f; return Wood(x, y, w); }, Bevel{4, 1, 0.3f, 14});
        PaintShape(trough, Grown(rim, -5.0f), [&](float, float) { return Hex(0x3A2412); }, Bevel{4, -0.9f, 0, 10});
        bg.Over(trough);
        PaintCaptions(bg, area, s, Tools::TextTable(entry.Text("texts")));
    }
    const Atlas bgAtlas = PackFrames({bg});
    out.Picture(entry.folder, "background.tga", bgAtlas.picture, true);
    out.Material(entry.folder, "background", BlendedMaterial("background.tga"));
    out.Model(entry.folder, "background", StateQuads(area, bgAtlas.cells));

    // closed_element: the blocked slot, dark with a lock.
    {
        const Point centre = s.Slot(3);
        const Box box{centre.x - slotW * 0.5f, centre.y - slotH * 0.5f, centre.x + slotW * 0.5f, centre.y + slotH * 0.5f};
        Canvas c(static_cast<int>(slotW), static_cast<int>(slotH), 1.0f);
        for (Color& p : c.pixels) p = {0.08f * 0.92f, 0.07f * 0.92f, 0.06f * 0.92f, 0.92f};
        const Grid shackle = FieldOf(c.width, c.height, 1.0f, [&](float x, float y) {
            return std::max(std::fabs(CircleDistance(x, y, slotW * 0.5f, slotH * 0.5f + 6.0f, 9.0f)) - 2.5f, slotH * 0.5f + 4.0f - y);
        });
        const Grid body = FieldOf(c.width, c.height, 1.0f, [&](float x, float y) {
            return RoundedBoxDistance(x, y, slotW * 0.5f - 14, slotH * 0.5f - 16, slotW * 0.5f + 14, slotH * 0.5f + 6, 3.0f);
        });
        PaintShape(c, shackle, [&](float, float) { return Hex(0xB8B2A2); }, Bevel{2, 1, 0.4f, 14});
        PaintShape(c, body, [&](float, float y) { return Gold(Clamp01((y - slotH * 0.5f + 16) / 22.0f)); }, Bevel{3, 1.1f, 0.5f, 18});
        const Atlas a = PackFrames({c});
        out.Picture(entry.folder, "closed_element.tga", a.picture, true);
        out.Material(entry.folder, "closed_element", BlendedMaterial("closed_element.tga"));
        out.Model(entry.folder, "closed_element", StateQuads(box, a.cells));
    }

    // element_0 to element_3: each piece's quad over the frames.
    for (int k = 0; k < 4; ++k) {
        const float cu0 = (k % 2 == 0 ? 0.0f : 0.5f) * u1, cu1 = cu0 + 0.5f * u1;
        const float cv1 = (k / 2 == 0 ? 1.0f : 0.5f) * v1, cv0 = cv1 - 0.5f * v1;
        std::vector<Tools::Mesh> meshes;
        for (int f = 0; f < s.frames; ++f) {
            const PiecePose pose = PoseOf(s, pointer, k, static_cast<float>(f));
            const float hw = slotW * 0.5f * pose.scale, hh = slotH * 0.5f * pose.scale;
            meshes.push_back(Tools::QuadMesh(pose.centre.x - hw, pose.centre.y - hh, pose.centre.x + hw, pose.centre.y + hh, cu0, cv0, cu1, cv1));
        }
        const std::string name = "element_" + std::to_string(k);
        out.Material(entry.folder, name, BlendedMaterial(pieces));
        out.Model(entry.folder, name, Frames(meshes, fps));
    }

    // mouse: a tiny invisible quad whose lower-left corner is the pointer's
    // hot spot in every frame.
    {
        std::vector<Tools::Mesh> meshes;
        for (int f = 0; f < s.frames; ++f) {
            const Point p = Along(pointer, static_cast<float>(f));
            meshes.push_back(Tools::QuadMesh(p.x, p.y, p.x + 1.0f, p.y + 1.0f));
        }
        out.Material(entry.folder, "mouse", BlendedMaterial("ui\\menus\\textures\\clear.tga"));
        out.Model(entry.folder, "mouse", Frames(meshes, fps));
    }

    // mouse_control: the pointer with a mouse whose buttons show pressed,
    // hanging below and to the right of its hot spot at the origin.
    {
        std::vector<Canvas> frames;
        for (int f = 0; f < 3; ++f) frames.push_back(DrawTutorialPointer(32.0f, 48.0f, f, 4.0f).Downsample(4));
        const Atlas a = PackFrames(frames);
        out.Picture(entry.folder, "mouse_control.tga", a.picture, true);
        out.Material(entry.folder, "mouse_control", BlendedMaterial("mouse_control.tga"));
        out.Model(entry.folder, "mouse_control", StateQuads({0.0f, -48.0f, 32.0f, 0.0f}, a.cells));
    }
}

// The custom cursor: the pointer as a JPEG and its grey mask.
void CursorPictures(const Entry& entry, Writer& out) {
    const Canvas pointer = DrawPointer(64.0f, 4.0f).Downsample(4);
    // On black: the mask decides what shows.
    out.Picture(entry.folder, entry.name + ".jpg", pointer, false);
    out.AlphaPicture(entry.folder, entry.name + "_alpha.jpg", pointer);
}

void Splash(const Entry& entry, Writer& out) {
    const Typeface face(SerifBoldFont());
    const Canvas drawn = DrawSplash(800.0f, 600.0f, face, 1.28f);
    out.Picture(entry.folder, entry.name + ".jpg", drawn.Resampled(1024, 512), false);
}

} // namespace

void AddScreenRecipes(RecipeBook& book) {
    book["map"] = Map;
    book["map_element"] = MapElement;
    book["totem"] = Totem;
    book["light"] = Light;
    book["tutorial"] = TutorialParts;
    book["cursor_pictures"] = CursorPictures;
    book["splash"] = Splash;
}

} // namespace ModelGen
