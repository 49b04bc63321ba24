#pragma once
// A track with a thumb button dragged over a number of integer steps.
// Pressing anywhere on the track makes the thumb jump there, and while the
// press lasts the thumb's centre follows the cursor. The thumb is a child
// button the slider owns, updates, places and draws itself; it is in no
// pool. Screens read position and set steps, reversed and position.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"

namespace ZorvaneEngine {

enum SliderState : uint32_t {
    SliderStateNormal = 0,
    SliderStateHover = 1,
    SliderStateDisabled = 2,
};

class GUISlider : public GUIWindow {
public:
    // On a copy of the track's model. The thumb starts without a model and
    // with no size; replace it with one of the CreateThumb forms.
    GUISlider(const GUIManager& manager, uint32_t flags, const Vector2& position,
              const Vector2& size, const Model* model, bool vertical, const Vector2& trackStart,
              const Vector2& trackEnd, GUIWindow* parent);
    ~GUISlider() override;

    bool Update(const Vector2& cursor, bool mouseDown, bool mousePressed) override;
    bool Draw() override;
    // The track's model and the thumb's.
    void SetColor(const ColorRGBA& color) override;
    void UpdateVisibility() override;

    // Each replaces the thumb by a new button of the matching window form
    // spanning the whole track plus the thumb size, so a press anywhere on
    // the track latches it.
    virtual void CreateThumbFromFile(const Vector2& thumbSize, const std::string& modelFile);
    virtual void CreateThumb(const Vector2& thumbSize, const Model* model);
    virtual void CreateQuadThumb(const Vector2& thumbSize, const ShaderDescriptor* material,
                                 const Vector2& uvSize);
    virtual void SetEnabled(bool enabled);
    // The thumb is held.
    virtual bool IsDragging() const;

    // Kept below steps.
    void SetPosition(uint32_t step);

    uint32_t state = SliderStateNormal;
    bool vertical;
    // Relative to the slider: the thumb's lower-left corner runs between them.
    Vector2 trackStart;
    Vector2 trackEnd;
    Vector2 thumbSize;
    // Step 0 at the track end.
    bool reversed = false;
    // At least 2: fewer leave the thumb nowhere to go.
    uint32_t steps = 2;
    uint32_t position = 0;
    std::unique_ptr<GUIButton> thumb;

protected:
    // Shown, with vertex colours when the slider has them; also the arrows'.
    uint32_t ThumbFlags() const;
    // The whole track plus the thumb.
    Vector2 ThumbSpan(const Vector2& newThumbSize) const;
    // A new thumb is placed by the slider and plays the slider thumb's sounds.
    void AdoptThumb(std::unique_ptr<GUIButton> newThumb, const Vector2& newThumbSize);

    // Thumbs and arrows are made on its services.
    const GUIManager& manager;
};

} // namespace ZorvaneEngine
