#pragma once
// The interface's fonts by id, and per window depth a copy of a font whose
// model sits just in front of that depth, so that texts interleave with the
// windows they are drawn on. A copy lives while some text is drawn at its
// depth every frame; the first frame without one deletes it at EndFrame.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class Camera;
class FileManager;
class GUIFont;
class GUIWindow;
class MessageManager;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;

class GUIFontManager {
public:
    // Texts are drawn this far in front of their window (smaller z is in
    // front).
    static constexpr float TextDepthOffset = 0.005f;
    static constexpr float DepthTolerance = 0.0001f;

    GUIFontManager(MessageManager* log, FileManager* files, ShaderManager* shaders, ModelManager* models,
                   Camera* camera);
    ~GUIFontManager();

    GUIFontManager(const GUIFontManager&) = delete;
    GUIFontManager& operator=(const GUIFontManager&) = delete;

    // Creates the font from "data\" + fileName and keeps it under the id; an
    // id already taken keeps its font, which is returned.
    GUIFont* LoadFont(int32_t id, const ShaderDescriptor& material, const std::string& fileName);
    GUIFont* GetFont(int32_t id) const;
    // The copy of the font to draw the texts of the window with; null for
    // an id without font.
    GUIFont* GetFontForWindow(int32_t id, const GUIWindow& window);
    // The same for a window at depth z.
    GUIFont* GetFontForDepth(int32_t id, float z);
    // Where the drawer's pen starts for an aligned text on the window;
    // (0, 0) for an id without font. Measured with the base font, so a size
    // override on it counts.
    Vector2 GetTextPosition(uint32_t align, int32_t id, const Vector2& offset, float angle,
                            const std::u16string& text, const GUIWindow& window) const;
    // The same inside the area of the given lower-left corner and extent.
    Vector2 GetTextPosition(uint32_t align, int32_t id, const Vector2& offset, float angle,
                            const std::u16string& text, const Vector2& origin, const Vector2& extent) const;
    // The end of the interface's draw pass: copies that drew nothing this
    // frame go; every font's vertices are unlocked for drawing.
    void EndFrame();
    void DestroyFonts();

    const std::map<int32_t, std::unique_ptr<GUIFont>>& GetFonts() const { return fonts; }
    const std::vector<std::unique_ptr<GUIFont>>& GetDepthCopies() const { return depthCopies; }

private:
    MessageManager* log;
    FileManager* files;
    ShaderManager* shaders;
    ModelManager* models;
    Camera* camera;
    std::map<int32_t, std::unique_ptr<GUIFont>> fonts;
    std::vector<std::unique_ptr<GUIFont>> depthCopies;
};

} // namespace ZorvaneEngine
