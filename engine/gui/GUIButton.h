#pragma once
// A clickable window: a press on it latches it, releasing over it clicks it
// for one frame, and its state (normal, hover, pressed, disabled) selects
// the frame of its art. Plays its hover sound when the cursor enters it
// unlatched and its click sound on the press. Screens read clicked and
// state after the GUI update of the frame.
#include <cstdint>
#include <string>

#include "engine/gui/ButtonMouse.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUIWindow.h"

namespace ZorvaneEngine {

class GUIButton : public GUIWindow, public ButtonMouse {
public:
    // The three window forms: generated quad, copy of a model (or none),
    // model file.
    GUIButton(const GUIManager& manager, uint32_t flags, const Vector2& position,
              const Vector2& size, const ShaderDescriptor* material, GUIWindow* parent,
              const Vector2& uvSize);
    GUIButton(const GUIManager& manager, uint32_t flags, const Vector2& position,
              const Vector2& size, const Model* model, GUIWindow* parent);
    GUIButton(const GUIManager& manager, uint32_t flags, const Vector2& position,
              const Vector2& size, const std::string& modelFile, GUIWindow* parent);

    // Not shown or disabled: false, and nothing changes but clicked.
    bool Update(const Vector2& cursor, bool mouseDown, bool mousePressed) override;
    // The window's draw, then the art frame of the state.
    bool Draw() override;
    // Coming into view, an enabled button starts from normal.
    void UpdateVisibility() override;
    // Disabling keeps a latch: see ButtonMouse.
    virtual void SetEnabled(bool enabled);
    virtual uint32_t GetFrameIndex() const;

    GUISoundId hoverSound = GUISoundButtonHover;
    GUISoundId clickSound = GUISoundButtonClick;

protected:
    GUISoundManager* soundManager;  // may be null
};

} // namespace ZorvaneEngine
