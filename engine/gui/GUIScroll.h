#pragma once
// A slider with two arrow buttons: an arrow held under the cursor steps the
// position once in the frame it is pressed and then every 0.15 s; moving
// off the arrow pauses the repeat. The option screens' volume controls are
// scroll bars. Thumb and arrows are children the scroll bar owns.
#include <cstdint>
#include <memory>

#include "engine/gui/GUISlider.h"
#include "engine/gui/SliderTrack.h"

namespace ZorvaneEngine {

class TimerManager;

class GUIScroll : public GUISlider {
public:
    // Thumb and arrows start without models and with no size; the owner
    // replaces them.
    GUIScroll(const GUIManager& manager, uint32_t flags, const Vector2& position,
              const Vector2& size, const Model* model, bool vertical, const Vector2& trackStart,
              const Vector2& trackEnd, GUIWindow* parent);
    ~GUIScroll() override;

    bool Update(const Vector2& cursor, bool mouseDown, bool mousePressed) override;
    // The slider, then the increase and the decrease arrow.
    bool Draw() override;
    void SetColor(const ColorRGBA& color) override;

    // As the slider's, then the thumb goes in front of the track (layer 2)
    // with the scroll bar's thumb sounds.
    void CreateThumbFromFile(const Vector2& thumbSize, const std::string& modelFile) override;
    void CreateThumb(const Vector2& thumbSize, const Model* model) override;
    void CreateQuadThumb(const Vector2& thumbSize, const ShaderDescriptor* material,
                         const Vector2& uvSize) override;
    void SetEnabled(bool enabled) override;
    // The thumb or an arrow is held.
    bool IsDragging() const override;

    // Replace an arrow by a button on a copy of the model.
    void CreateIncreaseButton(const Vector2& position, const Vector2& size, const Model* model);
    void CreateDecreaseButton(const Vector2& position, const Vector2& size, const Model* model);

    std::unique_ptr<GUIButton> increaseButton;
    std::unique_ptr<GUIButton> decreaseButton;
    // Positions moved by one arrow step.
    uint32_t step = 1;
    ArrowRepeat repeat;

private:
    std::unique_ptr<GUIButton> MakeArrow(const Vector2& position, const Vector2& size,
                                         const Model* model);
    // In front of the track, with the scroll bar's thumb sounds.
    void StyleScrollThumb();

    TimerManager* timers;
};

} // namespace ZorvaneEngine
