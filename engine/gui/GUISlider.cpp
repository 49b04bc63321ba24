#include "engine/gui/GUISlider.h"

#include "engine/graphics/Model.h"
#include "engine/gui/ArtFrame.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/SliderTrack.h"

namespace ZorvaneEngine {

GUISlider::GUISlider(const GUIManager& manager, uint32_t flags, const Vector2& position,
                     const Vector2& size, const Model* model, bool vertical,
                     const Vector2& trackStart, const Vector2& trackEnd, GUIWindow* parent)
    : GUIWindow(manager, flags, position, size, model, parent),
      vertical(vertical),
      trackStart(trackStart),
      trackEnd(trackEnd),
      manager(manager)
{
    CreateThumb(Vector2(), nullptr);
}

GUISlider::~GUISlider() = default;

uint32_t GUISlider::ThumbFlags() const
{
    return GUIWindowFlags::Visible | (GetFlags() & GUIWindowFlags::VertexColor);
}

Vector2 GUISlider::ThumbSpan(const Vector2& newThumbSize) const
{
    return Vector2(trackEnd.x - trackStart.x + newThumbSize.x,
                   trackEnd.y - trackStart.y + newThumbSize.y);
}

void GUISlider::AdoptThumb(std::unique_ptr<GUIButton> newThumb, const Vector2& newThumbSize)
{
    newThumb->placeModel = false;
    newThumb->hoverSound = GUISoundSliderThumbHover;
    newThumb->clickSound = GUISoundSliderThumbClick;
    thumbSize = newThumbSize;
    thumb = std::move(newThumb);
}

// Each form deletes the old thumb first, so it has left the slider's
// children before the new one joins them.
void GUISlider::CreateThumbFromFile(const Vector2& newThumbSize, const std::string& modelFile)
{
    thumb.reset();
    AdoptThumb(std::make_unique<GUIButton>(manager, ThumbFlags(), trackStart,
                                           ThumbSpan(newThumbSize), modelFile, this),
               newThumbSize);
}

void GUISlider::CreateThumb(const Vector2& newThumbSize, const Model* model)
{
    thumb.reset();
    AdoptThumb(std::make_unique<GUIButton>(manager, ThumbFlags(), trackStart,
                                           ThumbSpan(newThumbSize), model, this),
               newThumbSize);
}

void GUISlider::CreateQuadThumb(const Vector2& newThumbSize, const ShaderDescriptor* material,
                                const Vector2& uvSize)
{
    thumb.reset();
    AdoptThumb(std::make_unique<GUIButton>(manager, ThumbFlags(), trackStart,
                                           ThumbSpan(newThumbSize), material, this, uvSize),
               newThumbSize);
}

bool GUISlider::Update(const Vector2& cursor, bool mouseDown, bool mousePressed)
{
    if (!GUIWindow::Update(cursor, mouseDown, mousePressed)) return false;
    if (!thumb->Update(cursor, mouseDown, mousePressed)) return false;
    if (state == SliderStateDisabled) return false;

    state = hovered ? SliderStateHover : SliderStateNormal;
    if (thumb->latched) {
        const Vector2 origin = GetAbsolutePosition();
        const uint32_t step =
            vertical ? SliderStepAt(cursor.y, origin.y, trackStart.y, trackEnd.y, thumbSize.y,
                                    steps, reversed)
                     : SliderStepAt(cursor.x, origin.x, trackStart.x, trackEnd.x, thumbSize.x,
                                    steps, reversed);
        SetPosition(step);
    }
    return true;
}

bool GUISlider::Draw()
{
    if (!GUIWindow::Draw()) return false;

    if (thumb->model) {
        const float t = SliderTrackFraction(position, steps, reversed);
        const Vector2 origin = GetAbsolutePosition();
        Matrix4 place = Matrix4::Identity();
        // Scale by the thumb size, then move to the thumb's corner.
        place[0] = thumbSize.x;
        place[5] = thumbSize.y;
        place[3] = origin.x + trackStart.x + (trackEnd.x - trackStart.x) * t;
        place[7] = origin.y + trackStart.y + (trackEnd.y - trackStart.y) * t;
        thumb->model->ResetTransform();
        thumb->model->ApplyTransform(place);
    }
    thumb->Draw();

    if (model && model->GetAnimation()) SetAnimationFrame(*model->GetAnimation(), state);
    return true;
}

void GUISlider::SetColor(const ColorRGBA& color)
{
    GUIWindow::SetColor(color);
    thumb->SetColor(color);
}

void GUISlider::UpdateVisibility()
{
    const bool wasVisible = effectivelyVisible;
    GUIWindow::UpdateVisibility();
    if (!wasVisible && effectivelyVisible && state != SliderStateDisabled) {
        state = SliderStateNormal;
    }
}

void GUISlider::SetEnabled(bool enabled)
{
    if (enabled && state == SliderStateDisabled) state = SliderStateNormal;
    else if (!enabled && state != SliderStateDisabled) state = SliderStateDisabled;
    thumb->SetEnabled(enabled);
}

bool GUISlider::IsDragging() const
{
    return thumb->latched;
}

void GUISlider::SetPosition(uint32_t step)
{
    const uint32_t last = steps > 0 ? steps - 1 : 0;
    position = step > last ? last : step;
}

} // namespace ZorvaneEngine
