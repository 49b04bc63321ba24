#include "engine/gui/GUIFontManager.h"

#include <cmath>

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlign.h"

namespace ZorvaneEngine {

GUIFontManager::GUIFontManager(MessageManager* log, FileManager* files, ShaderManager* shaders,
                               ModelManager* models, Camera* camera)
    : log(log), files(files), shaders(shaders), models(models), camera(camera)
{
}

GUIFontManager::~GUIFontManager()
{
    DestroyFonts();
    depthCopies.clear();
}

GUIFont* GUIFontManager::LoadFont(int32_t id, const ShaderDescriptor& material, const std::string& fileName)
{
    std::unique_ptr<GUIFont>& slot = fonts[id];
    if (slot == nullptr) {
        slot = std::make_unique<GUIFont>(log, files, models, material, camera, fileName);
    }
    return slot.get();
}

GUIFont* GUIFontManager::GetFont(int32_t id) const
{
    const auto found = fonts.find(id);
    return found != fonts.end() ? found->second.get() : nullptr;
}

GUIFont* GUIFontManager::GetFontForDepth(int32_t id, float z)
{
    const GUIFont* base = GetFont(id);
    if (base == nullptr) {
        return nullptr;
    }
    for (const std::unique_ptr<GUIFont>& copy : depthCopies) {
        if (copy->GetSource() == base && std::fabs(copy->GetDepth() + TextDepthOffset - z) < DepthTolerance) {
            return copy.get();
        }
    }
    depthCopies.push_back(std::make_unique<GUIFont>(*base, z - TextDepthOffset));
    return depthCopies.back().get();
}

GUIFont* GUIFontManager::GetFontForWindow(int32_t id, const GUIWindow& window)
{
    return GetFontForDepth(id, window.GetZ());
}

Vector2 GUIFontManager::GetTextPosition(uint32_t align, int32_t id, const Vector2& offset, float angle,
                                        const std::u16string& text, const GUIWindow& window) const
{
    Vector2 origin = window.GetAbsolutePosition();
    Vector2 extent = window.size;
    if (window.textAreaOn) {
        origin.x += window.textAreaOffset.x;
        origin.y += window.textAreaOffset.y;
        extent = window.textAreaSize;
    }
    return GetTextPosition(align, id, offset, angle, text, origin, extent);
}

Vector2 GUIFontManager::GetTextPosition(uint32_t align, int32_t id, const Vector2& offset, float angle,
                                        const std::u16string& text, const Vector2& origin,
                                        const Vector2& extent) const
{
    const GUIFont* font = GetFont(id);
    if (font == nullptr) {
        return Vector2(0.0f, 0.0f);
    }
    const Vector2 measured = font->MeasureText(text, angle, -1.0f);
    const float tw = measured.x;
    const float th = measured.y;
    // Single precision on purpose: sin of pi as a float is slightly below
    // zero, so a text turned by pi is placed as turned downwards too.
    const float c = std::cos(angle);
    const float s = std::sin(angle);

    float x;
    bool alignedX = true;
    if (align & TextAlign::CenterX) {
        x = origin.x + (extent.x - tw) * 0.5f;
    } else if (align & TextAlign::Left) {
        x = origin.x;
    } else if (align & TextAlign::Right) {
        x = origin.x + extent.x - tw;
    } else {
        x = origin.x + offset.x;
        alignedX = false;
    }
    // A text running leftwards starts at the right end of its box.
    if (alignedX && c < 0.0f) {
        x += tw;
    }

    float y;
    bool alignedY = true;
    if (align & TextAlign::CenterY) {
        y = origin.y + (extent.y - th) * 0.5f;
    } else if (align & TextAlign::Top) {
        y = origin.y + extent.y - th;
    } else if (align & TextAlign::Bottom) {
        y = origin.y;
    } else {
        y = origin.y + offset.y;
        alignedY = false;
    }
    if (alignedY && s < 0.0f) {
        y += th;
    }
    return Vector2(x, y);
}

void GUIFontManager::EndFrame()
{
    std::erase_if(depthCopies, [](const std::unique_ptr<GUIFont>& copy) { return copy->GetQuadCount() == 0; });
    for (auto& [id, font] : fonts) {
        font->EndFrame();
    }
    for (const std::unique_ptr<GUIFont>& copy : depthCopies) {
        copy->EndFrame();
    }
}

void GUIFontManager::DestroyFonts()
{
    // Copies point at their base fonts: they go first.
    depthCopies.clear();
    fonts.clear();
}

} // namespace ZorvaneEngine
