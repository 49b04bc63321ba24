#pragma once
// The flag word of a GUI window.
#include <cstdint>

namespace ZorvaneEngine {

struct GUIWindowFlags {
    // The window's own wish to be seen; it shows only when every ancestor
    // shows too.
    static constexpr uint32_t Visible = 0x1;
    // The model gets a colour per vertex (GUIWindow::SetColor needs it);
    // chosen at creation.
    static constexpr uint32_t VertexColor = 0x2;
    // Depth groups of a top-level window: z -10, -20, -30; none gives -15.
    // The first of them in this order wins. A window with a parent has none.
    static constexpr uint32_t DepthBack = 0x4;
    static constexpr uint32_t DepthRaised = 0x8;
    static constexpr uint32_t DepthTop = 0x10;
    static constexpr uint32_t DepthBits = DepthBack | DepthRaised | DepthTop;
};

// Depths of the GUI; a smaller z is drawn later, in front.
constexpr float GUIDepthBack = -10.0f;
constexpr float GUIDepthDefault = -15.0f;
constexpr float GUIDepthRaised = -20.0f;
constexpr float GUIDepthTop = -30.0f;
// A child lies this much in front of its parent per layer.
constexpr double GUILayerStep = 0.01;

} // namespace ZorvaneEngine
