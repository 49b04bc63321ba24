#include "engine/gui/GUIEditBox.h"

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/input/Controls.h"

namespace ZorvaneEngine {

GUIEditBox::GUIEditBox(const GUIManager& manager, uint32_t flags, const Vector2& position,
                       const Vector2& size, const Model* model, int32_t fontId,
                       const ColorRGBA& color, const Vector2& textOffset, int32_t maxCharacters,
                       float maxWidth, float visibleWidth, GUIWindow* parent)
    : GUIWindow(manager, flags, position, size, model, parent),
      EditBoxText(this, maxCharacters, maxWidth, visibleWidth),
      fontId(fontId),
      font(manager.GetFontManager() ? manager.GetFontManager()->GetFont(fontId) : nullptr),
      color(color),
      textOffset(textOffset),
      timers(manager.GetTimers()),
      soundManager(manager.GetSoundManager()),
      controls(manager.GetControls())
{
}

float GUIEditBox::MeasureText(const std::u16string& text) const
{
    return font ? font->MeasureText(text, 0.0f, -1.0f).x : 0.0f;
}

bool GUIEditBox::HasGlyph(char16_t character) const
{
    return font && font->FindGlyph(character) != nullptr;
}

void GUIEditBox::QueueText(const std::u16string& text, const Vector2& offset,
                           const ColorRGBA& frameColor)
{
    GUITextItem* item = NewTextItem();
    item->align = 0;
    item->font = fontId;
    item->angle = 0.0f;
    item->size = -1.0f;
    item->offset = offset;
    item->color = frameColor;
    item->text = text;
    item->key.clear();
    item->number = -1;
    item->isKey = false;
}

bool GUIEditBox::Update(const Vector2& cursor, bool mouseDown, bool mousePressed)
{
    if (!GUIWindow::Update(cursor, mouseDown, mousePressed)) return false;
    if (!font) return false;

    // The window's own alpha fades the text with it.
    ColorRGBA frameColor = color;
    frameColor.a *= GetColor().a;

    bool changed = false;
    uint16_t code = 0;
    bool isCharacter = false;
    if (active && controls && controls->GetKeyEvent(&code, &isCharacter)) {
        changed = HandleKey(code, isCharacter);
    }

    const std::u16string shown = VisibleText();
    if (!shown.empty()) QueueText(shown, textOffset, frameColor);

    const Timer* clock = timers ? timers->GetMainTimer() : nullptr;
    if (active && CaretShown(clock ? clock->GetTime() : 0.0f)) {
        QueueText(caretText, Vector2(CaretOffset() + textOffset.x, textOffset.y), frameColor);
    }

    if (changed && soundManager) soundManager->PlaySound(GUISoundEditBoxChange);
    return true;
}

} // namespace ZorvaneEngine
