#include "engine/gui/GUIButton.h"

#include "engine/gui/ArtFrame.h"
#include "engine/gui/GUIManager.h"

namespace ZorvaneEngine {

GUIButton::GUIButton(const GUIManager& manager, uint32_t flags, const Vector2& position,
                     const Vector2& size, const ShaderDescriptor* material, GUIWindow* parent,
                     const Vector2& uvSize)
    : GUIWindow(manager, flags, position, size, material, parent, uvSize),
      soundManager(manager.GetSoundManager())
{
}

GUIButton::GUIButton(const GUIManager& manager, uint32_t flags, const Vector2& position,
                     const Vector2& size, const Model* model, GUIWindow* parent)
    : GUIWindow(manager, flags, position, size, model, parent),
      soundManager(manager.GetSoundManager())
{
}

GUIButton::GUIButton(const GUIManager& manager, uint32_t flags, const Vector2& position,
                     const Vector2& size, const std::string& modelFile, GUIWindow* parent)
    : GUIWindow(manager, flags, position, size, modelFile, parent),
      soundManager(manager.GetSoundManager())
{
}

bool GUIButton::Update(const Vector2& cursor, bool mouseDown, bool mousePressed)
{
    clicked = false;
    if (!GUIWindow::Update(cursor, mouseDown, mousePressed)) return false;
    if (state == ButtonStateDisabled) return false;
    const ButtonSounds sounds = Step(hovered, mouseDown, mousePressed);
    if (soundManager) {
        if (sounds.click) soundManager->PlaySound(clickSound);
        if (sounds.hover) soundManager->PlaySound(hoverSound);
    }
    return true;
}

bool GUIButton::Draw()
{
    if (!GUIWindow::Draw()) return false;
    SetArtFrame(model, GetFrameIndex());
    return true;
}

void GUIButton::UpdateVisibility()
{
    const bool wasVisible = effectivelyVisible;
    GUIWindow::UpdateVisibility();
    if (!wasVisible && effectivelyVisible && state != ButtonStateDisabled) {
        state = ButtonStateNormal;
    }
}

void GUIButton::SetEnabled(bool enabled)
{
    ButtonMouse::SetEnabled(enabled);
}

uint32_t GUIButton::GetFrameIndex() const
{
    return static_cast<uint32_t>(state);
}

} // namespace ZorvaneEngine
