#pragma once
// A button that toggles its checked flag on every click; its art has a
// normal, hover and pressed frame for each side and a disabled frame each.
#include "engine/gui/GUIButton.h"

namespace ZorvaneEngine {

class GUICheckBox : public GUIButton {
public:
    // The copy form of the button (the manager's factory fixes the flags).
    GUICheckBox(const GUIManager& manager, uint32_t flags, const Vector2& position,
                const Vector2& size, const Model* model, GUIWindow* parent);

    bool Update(const Vector2& cursor, bool mouseDown, bool mousePressed) override;
    uint32_t GetFrameIndex() const override;

    bool checked = false;
};

} // namespace ZorvaneEngine
