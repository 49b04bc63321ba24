#pragma once
// A bitmap font: a texture holding the glyphs and a "ZVFNT" file (version
// 201) giving each glyph's rectangle in the texture and its pen advance.
// Texts become textured, coloured quads in one dynamic model per font, filled
// in place during a frame and closed by the font manager's EndFrame.
//
// Units: a glyph's advance is in units of the font size; the size is the
// text height in GUI units. A glyph quad is (advance × size) wide and size
// high, its lower-left corner at the pen point.
#include <cstdint>
#include <map>
#include <string>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class Camera;
class FileBinary;
class FileManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;

// One glyph record of the font file (22 bytes there).
struct FontGlyph {
    char16_t code = 0;
    float u = 0.0f;   // corner of the glyph's rectangle in the texture
    float v = 0.0f;
    float du = 0.0f;  // extent of the rectangle
    float dv = 0.0f;
    float advance = 0.0f;
};

class GUIFont {
public:
    static constexpr uint32_t FileVersion = 201;
    static constexpr uint32_t GlyphRecordSize = 22;
    static constexpr uint32_t MaxQuads = 1024;  // per font model and frame
    // Visible triangle list with per-vertex colours, static vertices whose
    // box is rebuilt every frame, drawn in falling depth order at a depth
    // the font sets itself.
    static constexpr uint32_t ModelFlags = 0x200000 + 0x40000 + 0x8000 + 0x800 + 0x400 + 0x20 + 0x8 + 0x1;
    static constexpr float BaseDepth = -9.0f;

    // A base font: makes its model and reads "data\" + fileName (a name that
    // is absolute is used as it is). A file that cannot be read or is
    // damaged is logged as an error and leaves the font without glyphs.
    GUIFont(MessageManager* log, FileManager* files, ModelManager* models,
            const ShaderDescriptor& material, Camera* camera, const std::string& fileName);
    // A depth copy of a base font: its glyphs and metrics, and a registered
    // copy of its model at the given depth.
    GUIFont(const GUIFont& source, float depth);
    // Removes the model from the model manager and deletes it.
    ~GUIFont();

    GUIFont(const GUIFont&) = delete;
    GUIFont& operator=(const GUIFont&) = delete;

    // Adds the text's glyph quads to this frame's model, the pen starting at
    // position and moving along the angle (radians). Characters past the
    // frame's quad limit are not drawn but still move the pen.
    void DrawText(const Vector2& position, float angle, const ColorRGBA& colour, const std::u16string& text);
    // Width and height of the box around every character's box, for the
    // text drawn at the angle; a size below 0 means the font's size.
    Vector2 MeasureText(const std::u16string& text, float angle, float size) const;
    // Gives each capital letter's glyph to its small letter when the font has
    // none for it.
    void AddLowerCaseAliases();

    // The frame's end: no quad this frame draws nothing; the quad count
    // starts again and the vertices are unlocked for drawing.
    void EndFrame();

    const GUIFont* GetSource() const { return source; }
    Model* GetModel() const { return model; }
    float GetDepth() const;
    uint32_t GetQuadCount() const { return quadCount; }
    float GetWidestAdvance() const { return widestAdvance; }
    const std::map<char16_t, FontGlyph>& GetGlyphs() const { return glyphs; }
    const FontGlyph* FindGlyph(char16_t code) const;

    // Written from the font list; a text item may override the size of a
    // base font while it is drawn.
    float size = 1.0f;
    float missingAdvance = 1.0f;  // in units of the size, spacing not applied
    float spacing = 1.0f;         // factor on every glyph advance
    bool fixedWidth = false;

private:
    void Load(const std::string& fileName);
    void ReadGlyphs(FileBinary& file, const std::string& fileName);
    void EmitGlyph(const Vector2& point, float c, float s, const ColorRGBA& colour, char16_t code,
                   const FontGlyph* glyph);

    MessageManager* log;
    FileManager* files;
    ModelManager* models;
    const GUIFont* source = nullptr;  // the base font of a depth copy
    std::map<char16_t, FontGlyph> glyphs;
    Model* model = nullptr;  // owned, registered with the model manager
    uint8_t* vertices = nullptr;  // while locked this frame
    float widestAdvance = 0.0f;
    uint32_t quadCount = 0;
};

} // namespace ZorvaneEngine
