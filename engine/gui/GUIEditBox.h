#pragma once
// A single-line editor of wide text (player names): takes one typed
// character or editing key a frame from the input, keeps the caret in view
// by scrolling, limits the text by characters and by drawn width, blinks
// an underscore caret and plays its sound on every change. Screens read
// text, set it with SetText and switch active; an inactive box shows its
// text without caret and takes no keys. A box whose font id names no font
// takes no input and draws nothing.
#include <cstdint>

#include "engine/core/MathTypes.h"
#include "engine/gui/EditBoxText.h"
#include "engine/gui/GUIWindow.h"

namespace ZorvaneEngine {

class Controls;
class GUIFont;
class GUISoundManager;
class TimerManager;

class GUIEditBox : public GUIWindow, public EditBoxText, private EditBoxMeasure {
public:
    // On a copy of model (or none). textOffset: where the text starts in
    // the window; visibleWidth: the width the text is drawn in.
    GUIEditBox(const GUIManager& manager, uint32_t flags, const Vector2& position,
               const Vector2& size, const Model* model, int32_t fontId, const ColorRGBA& color,
               const Vector2& textOffset, int32_t maxCharacters, float maxWidth,
               float visibleWidth, GUIWindow* parent);

    // Hit test, one key event when active, then the visible text and the
    // caret queued for this frame.
    bool Update(const Vector2& cursor, bool mouseDown, bool mousePressed) override;

    int32_t fontId;
    GUIFont* font;  // the font manager's; null when the id has none
    ColorRGBA color;
    Vector2 textOffset;
    bool active = true;

private:
    float MeasureText(const std::u16string& text) const override;
    bool HasGlyph(char16_t character) const override;
    void QueueText(const std::u16string& text, const Vector2& offset, const ColorRGBA& color);

    TimerManager* timers;
    GUISoundManager* soundManager;  // may be null
    Controls* controls;
};

} // namespace ZorvaneEngine
