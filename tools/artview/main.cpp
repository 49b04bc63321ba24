// artview DATA_ROOT SCENE.txt OUT.png
// Draws models of a data tree through the real engine, headless, on the
// 800 x 600 GUI camera, and saves the frame as a PNG: for looking at the art
// as the game shows it. DATA_ROOT holds the "data" folder (a stage root).
//
// Scene lines, drawn back to front in their order:
//   clear R G B                           background colour, 0 to 1
//   font ID TTF PIXELS                    a font rasterised for the texts
//   window MODEL [frame=F] [at=X,Y] [alpha=A] [texture=F]
//                                         a GUI window on the model file
//                                         (data-relative), at its authored
//                                         place moved by X, Y
//   text ID X0 Y0 X1 Y1 ALIGN R G B TEXT  a text in the rectangle; ALIGN as
//                                         the engine's text align bits
//   quad PICTURE X0 Y0 X1 Y1              a plain picture over the rectangle
//   particles PSF X Y SECONDS             a particle system run for SECONDS
//   run SECONDS                           advance the clock (animations)
//   include SCENE.txt                     the lines of another scene, here
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/Image.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/RenderSystem.h"
#include "engine/graphics/ShaderDescriptor.h"
#include "engine/graphics/SpriteGroup.h"
#include "engine/gui/ArtFrame.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "engine/gui/GUIWindow.h"
#include "tools/common/BinaryWriter.h"
#include "tools/common/FontCharacters.h"
#include "tools/common/FontWriter.h"
#include "tools/common/FreeTypeRasterizer.h"
#include "tools/common/PngWriter.h"

namespace fs = std::filesystem;
using namespace ZorvaneEngine;

namespace {

std::u16string Widen(const std::string& utf8) {
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        uint32_t code = c;
        int extra = 0;
        if (c >= 0xF0) { code = c & 0x07; extra = 3; }
        else if (c >= 0xE0) { code = c & 0x0F; extra = 2; }
        else if (c >= 0xC0) { code = c & 0x1F; extra = 1; }
        ++i;
        for (int k = 0; k < extra && i < utf8.size(); ++k, ++i) code = (code << 6) | (utf8[i] & 0x3F);
        out.push_back(static_cast<char16_t>(code));
    }
    return out;
}

std::string Option(const std::vector<std::string>& words, const std::string& key, const std::string& fallback) {
    for (const std::string& w : words) {
        if (w.rfind(key + "=", 0) == 0) return w.substr(key.size() + 1);
    }
    return fallback;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: artview DATA_ROOT SCENE.txt OUT.png\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // A scratch root that shows the data tree and holds the viewer's fonts.
    const fs::path scratch = fs::temp_directory_path() / ("artview_" + std::to_string(getpid()));
    fs::create_directories(scratch / "data" / "artview");
    for (const auto& entry : fs::directory_iterator(fs::path(argv[1]) / "data")) {
        fs::create_directory_symlink(fs::absolute(entry.path()), scratch / "data" / entry.path().filename());
    }
    setenv("XDG_DATA_HOME", (scratch / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (scratch / "home").c_str(), 1);

    int status = 0;
    {
        EngineSettings settings;
        settings.title = "artview";
        settings.version = 100;
        settings.baseFolder = scratch.string();
        settings.configName = "artview";
        settings.configFolder = (scratch / "config").string();
        settings.videoMode = "800x600x32";
        settings.videoModeGiven = true;
        settings.fullscreenGiven = true;
        settings.keepWindowSize = true;
        Engine engine(settings);
        GUIManager& gui = *engine.guiManager;
        gui.GetCamera()->orthoWidth = 800;
        gui.GetCamera()->orthoHeight = 600;
        engine.renderer->clearColor = ColorRGBA(0, 0, 0, 1);
        GUIWindow* root = gui.CreateWindow(GUIWindowFlags::Visible, Vector2(), Vector2(), static_cast<const Model*>(nullptr), nullptr);
        int layer = 1;
        float pending = 0.0f;

        // The scene's lines with its includes expanded in place.
        std::vector<std::string> lines;
        const std::function<void(const fs::path&)> read = [&](const fs::path& path) {
            std::ifstream in(path);
            std::string text;
            while (std::getline(in, text)) {
                if (text.rfind("include ", 0) == 0) {
                    read(path.parent_path() / text.substr(8));
                } else {
                    lines.push_back(text);
                }
            }
        };
        read(argv[2]);
        for (const std::string& line : lines) {
            std::istringstream in(line);
            std::vector<std::string> words;
            std::string w;
            while (in >> w) words.push_back(w);
            if (words.empty() || words[0][0] == '#') continue;
            const std::string& kind = words[0];
            if (kind == "clear" && words.size() == 4) {
                engine.renderer->clearColor = ColorRGBA(std::stof(words[1]), std::stof(words[2]), std::stof(words[3]), 1);
            } else if (kind == "font" && words.size() == 4) {
                Tools::RasterFont raster;
                std::vector<char16_t> missing;
                std::string error;
                if (!Tools::RasterizeFont(words[2], static_cast<uint32_t>(std::stoi(words[3])), Tools::DefaultFontCharacters(),
                                          raster, missing, error)) {
                    std::fprintf(stderr, "artview: %s\n", error.c_str());
                    return 1;
                }
                const Tools::FontAtlas atlas = Tools::BuildFontAtlas(raster);
                const std::string name = "font" + words[1];
                Tools::SaveFile((scratch / "data" / "artview" / (name + ".fnt")).string(), Tools::BuildFontFile(atlas.glyphs));
                Image::Save(engine.log.get(), engine.fileManager.get(), atlas.texture, "data\\artview\\" + name + ".tga");
                GUIFont* font = gui.GetFontManager()->LoadFont(std::stoi(words[1]),
                    BuildGUIShaderDescriptor("32bit", "artview\\" + name + ".tga"), "artview\\" + name + ".fnt");
                font->size = static_cast<float>(raster.ascent + raster.descent);
                font->missingAdvance = 0.3f;
            } else if (kind == "window" && words.size() >= 2) {
                std::string file = words[1];
                for (char& c : file) if (c == '/') c = '\\';
                float x = 0, y = 0;
                const std::string at = Option(words, "at", "0,0");
                std::sscanf(at.c_str(), "%f,%f", &x, &y);
                GUIWindow* window = gui.CreateWindowFromFile(GUIWindowFlags::Visible | GUIWindowFlags::VertexColor,
                                                             Vector2(x, y), Vector2(1, 1), file, root);
                window->SetLayer(layer++);
                window->SetColor(ColorRGBA(1, 1, 1, std::stof(Option(words, "alpha", "1"))));
                if (window->model) {
                    const uint32_t frame = static_cast<uint32_t>(std::stoi(Option(words, "frame", "0")));
                    if (window->model->GetAnimation() && window->model->GetAnimation()->GetFrameCount() > 1) {
                        SetAnimationFrame(*window->model->GetAnimation(), frame);
                    } else {
                        SetArtFrame(window->model, frame);
                    }
                }
            } else if (kind == "quad" && words.size() == 6) {
                std::string file = words[1];
                for (char& c : file) if (c == '/') c = '\\';
                const ShaderDescriptor material = BuildGUIShaderDescriptor("", file);
                const float x0 = std::stof(words[2]), y0 = std::stof(words[3]);
                GUIWindow* quad = gui.CreateQuadWindow(GUIWindowFlags::Visible | GUIWindowFlags::VertexColor, Vector2(x0, y0),
                                                       Vector2(std::stof(words[4]) - x0, std::stof(words[5]) - y0), &material,
                                                       root, Vector2(1, 1));
                quad->SetLayer(layer++);
            } else if (kind == "text" && words.size() >= 10) {
                const float x0 = std::stof(words[2]), y0 = std::stof(words[3]);
                const float x1 = std::stof(words[4]), y1 = std::stof(words[5]);
                GUIWindow* box = gui.CreateWindow(GUIWindowFlags::Visible, Vector2(x0, y0), Vector2(x1 - x0, y1 - y0),
                                                  static_cast<const Model*>(nullptr), root);
                box->SetLayer(layer++);
                std::string text;
                for (size_t i = 10; i < words.size(); ++i) text += (i > 10 ? " " : "") + words[i];
                box->AddText(static_cast<uint32_t>(std::stoi(words[6])), std::stoi(words[1]), Widen(text), 0.0f, -1.0f,
                             Vector2(), ColorRGBA(std::stof(words[7]), std::stof(words[8]), std::stof(words[9]), 1));
                // Texts are queued per frame: keep the box for the final frame.
                box->placeModel = false;
            } else if (kind == "particles" && words.size() == 5) {
                std::string file = words[1];
                for (char& c : file) if (c == '/') c = '\\';
                ParticleSystem* system = engine.particleSystems->LoadParticleSystem(file, gui.GetCamera());
                system->emitterPosition = Vector3(std::stof(words[2]), std::stof(words[3]), 0.0f);
                // Sorted with the windows, in front of those listed before it,
                // as the game sorts its particle layers.
                if (system->spriteGroup && system->spriteGroup->mesh) {
                    system->spriteGroup->mesh->flags |= ModelFlags::FixedDepthKey | ModelFlags::Visible;
                    system->spriteGroup->mesh->depthKey = root->GetZ() - 0.01f * static_cast<float>(layer++);
                }
                system->looping = true;
                system->emitting = true;
                pending = std::max(pending, std::stof(words[4]));
            } else if (kind == "run" && words.size() == 2) {
                pending = std::max(pending, std::stof(words[1]));
            } else {
                std::fprintf(stderr, "artview: cannot read: %s\n", line.c_str());
                status = 1;
            }
        }
        // Texts are drawn in the frame they were queued in: re-queue them
        // each frame by keeping the windows' items (the last frame shows them).
        const float step = 1.0f / 30.0f;
        const int frames = std::max(1, static_cast<int>(pending / step) + 1);
        std::vector<std::pair<GUIWindow*, std::vector<GUITextItem>>> texts;
        for (GUIWindow* child : root->GetChildren()) {
            std::vector<GUITextItem> items;
            for (uint32_t i = 0; i < child->GetTextCount(); ++i) items.push_back(*child->GetTextItems()[i]);
            if (!items.empty()) texts.push_back({child, items});
        }
        for (const LogMessage& m : engine.log->GetFrameMessages()) {
            if (m.level >= 2) std::fprintf(stderr, "artview: log: %s\n", m.text.c_str());
        }
        Image screen;
        for (int f = 0; f < frames; ++f) {
            engine.Update();
            engine.timers->frameStep = step;
            if (f > 0) {
                for (auto& [window, items] : texts) {
                    for (const GUITextItem& item : items) *window->NewTextItem() = item;
                }
            }
            engine.EndFrame();
            for (const LogMessage& m : engine.log->GetFrameMessages()) {
                if (m.level >= 2) std::fprintf(stderr, "artview: log: %s\n", m.text.c_str());
            }
        }
        engine.renderer->CaptureScreen(screen);
        if (!Tools::SavePngFile(argv[3], screen)) {
            std::fprintf(stderr, "artview: cannot write %s\n", argv[3]);
            status = 1;
        }
    }
    fs::remove_all(scratch);
    return status;
}
