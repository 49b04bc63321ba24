#include "engine/gui/GUIScroll.h"

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"

namespace ZorvaneEngine {

GUIScroll::GUIScroll(const GUIManager& manager, uint32_t flags, const Vector2& position,
                     const Vector2& size, const Model* model, bool vertical,
                     const Vector2& trackStart, const Vector2& trackEnd, GUIWindow* parent)
    : GUISlider(manager, flags, position, size, model, vertical, trackStart, trackEnd, parent),
      timers(manager.GetTimers())
{
    // The slider made a slider's thumb; a scroll bar's has its own layer
    // and sounds.
    StyleScrollThumb();
    increaseButton = MakeArrow(Vector2(), Vector2(), nullptr);
    decreaseButton = MakeArrow(Vector2(), Vector2(), nullptr);
}

GUIScroll::~GUIScroll() = default;

void GUIScroll::StyleScrollThumb()
{
    thumb->SetLayer(2);
    thumb->hoverSound = GUISoundScrollThumbHover;
    thumb->clickSound = GUISoundScrollThumbClick;
}

std::unique_ptr<GUIButton> GUIScroll::MakeArrow(const Vector2& position, const Vector2& size,
                                                const Model* model)
{
    auto arrow = std::make_unique<GUIButton>(manager, ThumbFlags(), position, size, model, this);
    arrow->hoverSound = GUISoundScrollArrowHover;
    arrow->clickSound = GUISoundScrollArrowClick;
    return arrow;
}

void GUIScroll::CreateThumbFromFile(const Vector2& thumbSize, const std::string& modelFile)
{
    GUISlider::CreateThumbFromFile(thumbSize, modelFile);
    StyleScrollThumb();
}

void GUIScroll::CreateThumb(const Vector2& thumbSize, const Model* model)
{
    GUISlider::CreateThumb(thumbSize, model);
    StyleScrollThumb();
}

void GUIScroll::CreateQuadThumb(const Vector2& thumbSize, const ShaderDescriptor* material,
                                const Vector2& uvSize)
{
    GUISlider::CreateQuadThumb(thumbSize, material, uvSize);
    StyleScrollThumb();
}

void GUIScroll::CreateIncreaseButton(const Vector2& position, const Vector2& size,
                                     const Model* model)
{
    increaseButton.reset();
    increaseButton = MakeArrow(position, size, model);
}

void GUIScroll::CreateDecreaseButton(const Vector2& position, const Vector2& size,
                                     const Model* model)
{
    decreaseButton.reset();
    decreaseButton = MakeArrow(position, size, model);
}

bool GUIScroll::Update(const Vector2& cursor, bool mouseDown, bool mousePressed)
{
    if (!GUISlider::Update(cursor, mouseDown, mousePressed)) {
        repeat.timer = 0.0f;
        return false;
    }
    increaseButton->Update(cursor, mouseDown, mousePressed);
    decreaseButton->Update(cursor, mouseDown, mousePressed);

    const bool up = increaseButton->latched && increaseButton->hovered;
    const bool down = decreaseButton->latched && decreaseButton->hovered;
    if (!up && !down) {
        // Off the arrow the repeat starts over: back on it steps at once.
        repeat.timer = 0.0f;
        return true;
    }
    const uint32_t due = repeat.Advance(timers ? timers->frameStep : 0.0f);
    for (uint32_t i = 0; i < due; ++i) {
        if (up) position = StepUp(position, step, steps);
        if (down) position = StepDown(position, step, steps);
    }
    return true;
}

bool GUIScroll::Draw()
{
    if (!GUISlider::Draw()) return false;
    increaseButton->Draw();
    decreaseButton->Draw();
    return true;
}

void GUIScroll::SetColor(const ColorRGBA& color)
{
    GUISlider::SetColor(color);
    increaseButton->SetColor(color);
    decreaseButton->SetColor(color);
}

void GUIScroll::SetEnabled(bool enabled)
{
    GUISlider::SetEnabled(enabled);
    increaseButton->SetEnabled(enabled);
    decreaseButton->SetEnabled(enabled);
}

bool GUIScroll::IsDragging() const
{
    return GUISlider::IsDragging() || increaseButton->latched || decreaseButton->latched;
}

} // namespace ZorvaneEngine
