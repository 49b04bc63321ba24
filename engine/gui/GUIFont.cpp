#include "engine/gui/GUIFont.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "engine/core/CodePage.h"
#include "engine/core/EngineFileHeader.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Paths.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/VertexBuffer.h"

namespace ZorvaneEngine {

namespace {

constexpr uint32_t kVerticesPerQuad = 4;
constexpr uint32_t kIndicesPerQuad = 6;
constexpr uint32_t kVertexCount = GUIFont::MaxQuads * kVerticesPerQuad;
constexpr uint32_t kIndexCount = GUIFont::MaxQuads * kIndicesPerQuad;
// Texture coordinates a little outside 0..1 are rounding, not damage.
constexpr float kTexCoordSlack = 0.001f;

float ReadFloat(const uint8_t* p)
{
    float value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// towlower of a UTF-8 locale for the scripts the game's code pages write:
// Latin-1, Latin Extended-A and Cyrillic. The C library's own depends on the
// process locale, which is never changed.
char16_t FoldToLower(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c == 0x130) {
        return u'i';
    }
    if (c == 0x178) {
        return 0xFF;
    }
    // Latin Extended-A pairs: capital on the even code up to U+0137 and from
    // U+014A to U+0177, on the odd code from U+0139 to U+0148 and from
    // U+0179 to U+017E.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return (c & 1) == 0 ? static_cast<char16_t>(c + 1) : c;
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c & 1) == 1 ? static_cast<char16_t>(c + 1) : c;
    }
    if (c >= 0x410 && c <= 0x42F) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x400 && c <= 0x40F) {
        return static_cast<char16_t>(c + 0x50);
    }
    return c;
}

bool IsBlank(char16_t code)
{
    return code == u'\n' || IsWideSpace(code);
}

// Walks the pen over the text as the drawer does. visit(code, glyph or null,
// distance, drawn) is called once per character with the pen's distance
// along the text's direction where the character's box starts; drawn is
// false for a fixed-width cell left empty.
template <typename Visit>
void WalkPen(const std::map<char16_t, FontGlyph>& glyphs, const std::u16string& text, float size,
             float spacing, float missingAdvance, bool fixedWidth, float widestAdvance, Visit&& visit)
{
    float pen = 0.0f;
    for (const char16_t code : text) {
        const auto found = glyphs.find(code);
        const FontGlyph* glyph = found != glyphs.end() ? &found->second : nullptr;
        if (fixedWidth) {
            const float cell = widestAdvance * size * spacing;
            if (glyph == nullptr) {
                visit(code, glyph, pen, false);
                pen += cell;
                continue;
            }
            const float margin = (widestAdvance - glyph->advance) * size * spacing * 0.5f;
            pen += margin;
            visit(code, glyph, pen, true);
            pen += glyph->advance * size * spacing;
            pen += margin;
        } else {
            visit(code, glyph, pen, true);
            pen += glyph != nullptr ? glyph->advance * size * spacing : missingAdvance * size;
        }
    }
}

} // namespace

GUIFont::GUIFont(MessageManager* log, FileManager* files, ModelManager* models,
                 const ShaderDescriptor& material, Camera* camera, const std::string& fileName)
    : log(log), files(files), models(models)
{
    model = models->CreateModel(ModelFlags, kVertexCount, kIndexCount, &material, camera);
    model->name = "font_model";
    model->depthKey = BaseDepth;
    IndexBuffer* indices = model->GetIndexBuffer();
    indices->WriteQuadListIndices(MaxQuads);
    indices->SetCount(0);
    Load(fileName);
}

GUIFont::GUIFont(const GUIFont& source, float depth)
    : size(source.size),
      missingAdvance(source.missingAdvance),
      spacing(source.spacing),
      fixedWidth(source.fixedWidth),
      log(source.log),
      files(source.files),
      models(source.models),
      source(&source),
      glyphs(source.glyphs),
      widestAdvance(source.widestAdvance)
{
    model = models->CloneModel(*source.model, nullptr, 0);
    model->flags |= ModelFlags::Visible;
    model->GetIndexBuffer()->SetCount(0);
    model->depthKey = depth;
}

GUIFont::~GUIFont()
{
    if (vertices != nullptr) {
        model->GetVertexBuffer()->Unlock();
    }
    if (models->models.Remove(model)) {
        delete model;
    }
}

float GUIFont::GetDepth() const
{
    return model->depthKey;
}

const FontGlyph* GUIFont::FindGlyph(char16_t code) const
{
    const auto found = glyphs.find(code);
    return found != glyphs.end() ? &found->second : nullptr;
}

void GUIFont::Load(const std::string& fileName)
{
    try {
        const std::unique_ptr<FileBinary> file = files->OpenFile(AddDataFolderPrefix(fileName), false);
        ReadEngineFileHeader(*file, fileName, "ZVFNT", FileVersion);
        ReadGlyphs(*file, fileName);
    } catch (const FileError& error) {
        // A file cut short or damaged half way leaves no glyph behind: the
        // font is either the file's or empty.
        glyphs.clear();
        widestAdvance = 0.0f;
        log->Error(error.message);
    }
}

void GUIFont::ReadGlyphs(FileBinary& file, const std::string& fileName)
{
    uint32_t count = 0;
    file.Read(&count, sizeof count);
    // The records fill the rest of the file exactly; the count is checked
    // before anything is sized by it.
    const uint32_t remaining = file.GetSize() - file.GetPosition();
    if (count != remaining / GlyphRecordSize || remaining % GlyphRecordSize != 0) {
        throw FileError("Incorrect \"" + fileName + "\" file format");
    }
    std::vector<uint8_t> records(remaining);
    if (remaining > 0) {
        file.Read(records.data(), remaining);
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = records.data() + static_cast<size_t>(i) * GlyphRecordSize;
        FontGlyph glyph;
        uint16_t code;
        std::memcpy(&code, p, sizeof code);
        glyph.code = static_cast<char16_t>(code);
        glyph.u = ReadFloat(p + 2);
        glyph.v = ReadFloat(p + 6);
        glyph.du = ReadFloat(p + 10);
        glyph.dv = ReadFloat(p + 14);
        glyph.advance = ReadFloat(p + 18);
        // A rectangle outside the texture or a pen going backwards or
        // nowhere (not a number, infinite) is damage, not a font.
        const auto inside = [](float corner, float extent) {
            return std::isfinite(corner) && std::isfinite(extent) && extent >= 0.0f &&
                   corner >= -kTexCoordSlack && corner + extent <= 1.0f + kTexCoordSlack;
        };
        if (!inside(glyph.u, glyph.du) || !inside(glyph.v, glyph.dv) || !std::isfinite(glyph.advance) ||
            glyph.advance < 0.0f) {
            throw FileError("Incorrect \"" + fileName + "\" file format");
        }
        // A code given twice keeps its first record; the widest advance
        // counts every record of the file.
        glyphs.emplace(glyph.code, glyph);
        widestAdvance = std::max(widestAdvance, glyph.advance);
    }
}

void GUIFont::AddLowerCaseAliases()
{
    std::vector<FontGlyph> aliases;
    for (const auto& [code, glyph] : glyphs) {
        const char16_t lower = FoldToLower(code);
        if (lower != code && glyphs.find(lower) == glyphs.end()) {
            FontGlyph alias = glyph;
            alias.code = lower;
            aliases.push_back(alias);
        }
    }
    for (const FontGlyph& alias : aliases) {
        glyphs.emplace(alias.code, alias);
    }
}

void GUIFont::DrawText(const Vector2& position, float angle, const ColorRGBA& colour, const std::u16string& text)
{
    if (source != nullptr) {
        // The base font's size may be overridden by the text being drawn.
        size = source->size;
        missingAdvance = source->missingAdvance;
        spacing = source->spacing;
    }
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    WalkPen(glyphs, text, size, spacing, missingAdvance, fixedWidth, widestAdvance,
            [&](char16_t code, const FontGlyph* glyph, float pen, bool drawn) {
                if (drawn) {
                    EmitGlyph(Vector2(position.x + c * pen, position.y + s * pen), c, s, colour, code, glyph);
                }
            });
}

void GUIFont::EmitGlyph(const Vector2& point, float c, float s, const ColorRGBA& colour, char16_t code,
                        const FontGlyph* glyph)
{
    if (quadCount >= MaxQuads || glyph == nullptr || IsBlank(code)) {
        return;
    }
    VertexBuffer* buffer = model->GetVertexBuffer();
    if (vertices == nullptr) {
        vertices = buffer->Lock(0, kVertexCount);
        if (vertices == nullptr) {
            return;
        }
    }
    const uint32_t color = buffer->RGBAToColor(colour);
    const float w = glyph->advance * size;
    const float h = size;
    const struct {
        float x, y, u, v;
    } corners[kVerticesPerQuad] = {
        {0.0f, h, glyph->u, glyph->v + glyph->dv},
        {0.0f, 0.0f, glyph->u, glyph->v},
        {w, h, glyph->u + glyph->du, glyph->v + glyph->dv},
        {w, 0.0f, glyph->u + glyph->du, glyph->v},
    };
    const uint16_t stride = buffer->GetStride();
    const uint32_t texCoords = buffer->GetTexCoordOffset();
    uint8_t* vertex = vertices + static_cast<size_t>(quadCount) * kVerticesPerQuad * stride;
    for (const auto& corner : corners) {
        const float position[3] = {point.x + corner.x * c - corner.y * s, point.y + corner.x * s + corner.y * c,
                                   0.0f};
        const float normal[3] = {0.0f, 0.0f, 1.0f};
        const float uv[2] = {corner.u, corner.v};
        std::memcpy(vertex, position, sizeof position);
        std::memcpy(vertex + VertexBuffer::kNormalOffset, normal, sizeof normal);
        if (buffer->HasColors()) {
            std::memcpy(vertex + VertexBuffer::kColorOffset, &color, sizeof color);
        }
        std::memcpy(vertex + texCoords, uv, sizeof uv);
        vertex += stride;
    }
    ++quadCount;
    model->GetIndexBuffer()->SetCount(quadCount * kIndicesPerQuad);
}

Vector2 GUIFont::MeasureText(const std::u16string& text, float angle, float textSize) const
{
    if (text.empty()) {
        return Vector2(0.0f, 0.0f);
    }
    if (textSize < 0.0f) {
        textSize = size;
    }
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Vector2 low(10000.0f, 10000.0f);
    Vector2 high(-10000.0f, -10000.0f);
    WalkPen(glyphs, text, textSize, spacing, missingAdvance, fixedWidth, widestAdvance,
            [&](char16_t code, const FontGlyph* glyph, float pen, bool) {
                const float w =
                    (glyph != nullptr && !IsBlank(code) ? glyph->advance : missingAdvance) * textSize;
                const float h = textSize;
                const Vector2 origin(c * pen, s * pen);
                const float corners[4][2] = {{0.0f, 0.0f}, {w, 0.0f}, {0.0f, h}, {w, h}};
                for (const auto& corner : corners) {
                    const float x = origin.x + corner[0] * c - corner[1] * s;
                    const float y = origin.y + corner[0] * s + corner[1] * c;
                    low.x = std::min(low.x, x);
                    low.y = std::min(low.y, y);
                    high.x = std::max(high.x, x);
                    high.y = std::max(high.y, y);
                }
            });
    return Vector2(high.x - low.x, high.y - low.y);
}

void GUIFont::EndFrame()
{
    if (quadCount == 0) {
        model->GetIndexBuffer()->SetCount(0);
    }
    quadCount = 0;
    if (vertices != nullptr) {
        model->GetVertexBuffer()->Unlock();
        vertices = nullptr;
    }
}

} // namespace ZorvaneEngine
