#include "engine/gui/GUICheckBox.h"

namespace ZorvaneEngine {

GUICheckBox::GUICheckBox(const GUIManager& manager, uint32_t flags, const Vector2& position,
                         const Vector2& size, const Model* model, GUIWindow* parent)
    : GUIButton(manager, flags, position, size, model, parent)
{
    hoverSound = GUISoundCheckBoxHover;
    clickSound = GUISoundCheckBoxClick;
}

bool GUICheckBox::Update(const Vector2& cursor, bool mouseDown, bool mousePressed)
{
    const bool result = GUIButton::Update(cursor, mouseDown, mousePressed);
    if (result && clicked) checked = !checked;
    return result;
}

uint32_t GUICheckBox::GetFrameIndex() const
{
    return CheckBoxFrameIndex(state, checked);
}

} // namespace ZorvaneEngine
