// Font files: the glyph table read into a font, then a text drawn and
// measured with it.
#include <cstdint>

#include "engine/graphics/ShaderDescriptor.h"
#include "engine/gui/GUIFont.h"
#include "fuzz/support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace ZorvaneEngine;
    FuzzSupport::Scene& scene = FuzzSupport::GetScene();
    FuzzSupport::WriteFile("data/input.fnt", FuzzSupport::WithOwnSize(data, size));
    {
        const ShaderDescriptor material;
        GUIFont font(&FuzzSupport::Log(), &FuzzSupport::Files(), scene.models.get(), material, nullptr, "input.fnt");
        font.AddLowerCaseAliases();
        const std::u16string text = u"Tangrove: \u00C4pfel f\u00FCr 12,50 \u20AC \u2026 \uFFFF";
        font.DrawText(Vector2(10.0f, 20.0f), 0.3f, ColorRGBA(1.0f, 1.0f, 1.0f, 1.0f), text);
        font.MeasureText(text, 0.0f, -1.0f);
        font.MeasureText(text, 1.2f, 30.0f);
        font.EndFrame();
    }
    FuzzSupport::EndInput();
    return 0;
}
