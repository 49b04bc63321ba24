#pragma once
// The flag word of a model: what its file holds, how it is drawn, and the
// buffer usages. Stored in the model file and widened by the creator's extra
// flags; owners also set and clear bits directly (the visible bit above all).
#include <cstdint>

namespace ZorvaneEngine {

struct ModelFlags {
    static constexpr uint32_t Static = 0x1;   // vertices in the buffer from loading on
    static constexpr uint32_t Morph = 0x2;    // one vertex set per frame, blended
    static constexpr uint32_t Skinned = 0x4;  // vertices bound to bones
    static constexpr uint32_t List = 0x8;     // triangle list; clear: strip
    // Carried by the GUI's own quads and cursor; nothing in the model reads it.
    static constexpr uint32_t GUIGenerated = 0x10;
    static constexpr uint32_t VertexColor = 0x20;  // 36-byte vertices with a colour
    static constexpr uint32_t Lighting = 0x40;
    static constexpr uint32_t DepthTest = 0x80;
    // Draw-order groups: every first-group model before every second-group one.
    static constexpr uint32_t GroupFirst = 0x200;   // rising depth key
    static constexpr uint32_t GroupSecond = 0x400;  // falling depth key
    static constexpr uint32_t FixedDepthKey = 0x800;  // the owner sets the key
    static constexpr uint32_t ZBias = 0x1000;  // the camera's z-biased projection
    static constexpr uint32_t Cull1 = 0x2000;
    static constexpr uint32_t TwoPasses = 0x4000;  // cull mode 2, then cull mode 1
    static constexpr uint32_t BoxFromVertices = 0x8000;  // static models: box every frame
    static constexpr uint32_t Visible = 0x40000;
    static constexpr uint32_t NoDepthWrite = 0x80000;
    static constexpr uint32_t IndexBufferUsage = 0x100000;
    static constexpr uint32_t VertexBufferUsage = 0x200000;  // also what a flag word of 0 becomes
    static constexpr uint32_t Cull2 = 0x400000;
    static constexpr uint32_t Stencil = 0x800000;  // not drawn without a stencil buffer

    static constexpr uint32_t Animated = Morph | Skinned;
    static constexpr uint32_t Groups = GroupFirst | GroupSecond;
    static constexpr uint32_t CullModes = Cull1 | TwoPasses | Cull2;
};

} // namespace ZorvaneEngine
