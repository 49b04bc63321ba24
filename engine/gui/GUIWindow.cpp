#include "engine/gui/GUIWindow.h"

#include <algorithm>

#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/VertexBuffer.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"

namespace ZorvaneEngine {

namespace {

// The generated quad: static, fixed depth key, drawn back to front in the
// second draw-order group.
constexpr uint32_t QuadModelFlags =
    ModelFlags::FixedDepthKey | ModelFlags::GroupSecond | ModelFlags::GUIGenerated | ModelFlags::Static;

struct QuadCorner {
    float x, y;  // position, and which texture extent (u, v) the corner takes
};
// A strip over the unit square, (1, 0) first.
constexpr QuadCorner QuadCorners[4] = {{1, 0}, {1, 1}, {0, 0}, {0, 1}};

} // namespace

GUIWindow::GUIWindow(const GUIManager& manager)
    : log(manager.GetLog()),
      materials(manager.GetShaderManager()),
      models(manager.GetModelManager()),
      fonts(manager.GetFontManager()),
      texts(manager.GetTextManager())
{
}

GUIWindow::GUIWindow(const GUIManager& manager, uint32_t givenFlags, const Vector2& givenPosition,
                     const Vector2& givenSize, const ShaderDescriptor* material,
                     GUIWindow* givenParent, const Vector2& uvSize)
    : GUIWindow(manager)
{
    CreateQuadModel(manager, givenFlags, material, uvSize);
    Finish(givenFlags, givenPosition, givenSize, givenParent);
}

GUIWindow::GUIWindow(const GUIManager& manager, uint32_t givenFlags, const Vector2& givenPosition,
                     const Vector2& givenSize, const Model* source, GUIWindow* givenParent)
    : GUIWindow(manager)
{
    if (source != nullptr && models != nullptr) {
        const uint32_t extra = (givenFlags & GUIWindowFlags::VertexColor) ? ModelFlags::VertexColor : 0;
        model = models->CloneModel(*source, manager.GetCamera(), extra);
        AdoptModel();
    }
    Finish(givenFlags, givenPosition, givenSize, givenParent);
}

GUIWindow::GUIWindow(const GUIManager& manager, uint32_t givenFlags, const Vector2& givenPosition,
                     const Vector2& givenSize, const std::string& modelFile, GUIWindow* givenParent)
    : GUIWindow(manager)
{
    if (models != nullptr) {
        const uint32_t extra = (givenFlags & GUIWindowFlags::VertexColor) ? ModelFlags::VertexColor : 0;
        model = models->LoadModel(modelFile, manager.GetCamera(), extra);
        AdoptModel();
    }
    Finish(givenFlags, givenPosition, givenSize, givenParent);
}

GUIWindow::~GUIWindow()
{
    if (parent != nullptr) parent->RemoveChild(this);
    // Each orphan's own clean-up must not touch the list being walked.
    const std::vector<GUIWindow*> orphans = std::move(children);
    children.clear();
    for (GUIWindow* child : orphans) {
        child->parent = nullptr;
        if ((child->flags & GUIWindowFlags::DepthBits) == 0) child->SetZ(GUIDepthDefault);
        // The orphan's own subtree follows its new depth.
        child->SetLayer(child->layer);
        child->UpdateVisibility();
    }
    if (model != nullptr && models != nullptr && models->models.Remove(model)) delete model;
}

void GUIWindow::Finish(uint32_t givenFlags, const Vector2& givenPosition, const Vector2& givenSize,
                       GUIWindow* givenParent)
{
    flags = 0;
    SetFlags(givenFlags);
    layer = 1;
    SetParent(givenParent);
    position = givenPosition;
    size = givenSize;
}

void GUIWindow::CreateQuadModel(const GUIManager& manager, uint32_t givenFlags,
                                const ShaderDescriptor* material, const Vector2& uvSize)
{
    if (models == nullptr) return;
    const bool colored = (givenFlags & GUIWindowFlags::VertexColor) != 0;
    model = models->CreateModel(QuadModelFlags | (colored ? ModelFlags::VertexColor : 0), 4, 4,
                                material, manager.GetCamera());
    if (model == nullptr) return;

    model->GetIndexBuffer()->WriteSequentialIndices(4);

    VertexBuffer* vertices = model->GetVertexBuffer();
    if (uint8_t* target = vertices->Lock(0, 4)) {
        const uint32_t white = vertices->RGBAToColor(ColorRGBA(1, 1, 1, 1));
        for (uint32_t i = 0; i < 4; ++i) {
            uint8_t* vertex = target + i * vertices->GetStride();
            // Facing the camera, which looks down -z.
            const float fields[6] = {QuadCorners[i].x, QuadCorners[i].y, 0, 0, 0, 1};
            std::copy_n(reinterpret_cast<const uint8_t*>(fields), sizeof fields, vertex);
            if (vertices->HasColors()) {
                std::copy_n(reinterpret_cast<const uint8_t*>(&white), 4,
                            vertex + VertexBuffer::kColorOffset);
            }
            const float uv[2] = {QuadCorners[i].x * uvSize.x, QuadCorners[i].y * uvSize.y};
            std::copy_n(reinterpret_cast<const uint8_t*>(uv), sizeof uv,
                        vertex + vertices->GetTexCoordOffset());
        }
        vertices->Unlock();
    }
    model->ComputeBoundingBox(model->box);
}

void GUIWindow::AdoptModel()
{
    if (model == nullptr) return;
    model->flags &= ~(ModelFlags::Visible | ModelFlags::DepthTest | ModelFlags::Lighting |
                      ModelFlags::GroupFirst);
    model->flags |= ModelFlags::GroupSecond | ModelFlags::FixedDepthKey;
}

void GUIWindow::SetZ(float value)
{
    z = value;
    if (model != nullptr) model->depthKey = z;
}

float GUIWindow::DepthOfFlags() const
{
    if (flags & GUIWindowFlags::DepthBack) return GUIDepthBack;
    if (flags & GUIWindowFlags::DepthRaised) return GUIDepthRaised;
    if (flags & GUIWindowFlags::DepthTop) return GUIDepthTop;
    return GUIDepthDefault;
}

bool GUIWindow::Update(const Vector2& cursor, bool, bool)
{
    hovered = false;
    if (!effectivelyVisible) return false;
    Vector2 corner = GetAbsolutePosition();
    Vector2 extent = size;
    if (hitAreaOn) {
        corner.x += hitAreaOffset.x;
        corner.y += hitAreaOffset.y;
        extent = hitAreaSize;
    }
    // Strict: the border itself is outside.
    hovered = corner.x < cursor.x && cursor.x < corner.x + extent.x && corner.y < cursor.y &&
              cursor.y < corner.y + extent.y;
    return true;
}

bool GUIWindow::Draw()
{
    if (!effectivelyVisible) {
        textCount = 0;
        return false;
    }
    if (placeModel && model != nullptr) {
        const Vector2 corner = GetAbsolutePosition();
        // Scale by the size, then move to the corner.
        Matrix4 place = Matrix4::Identity();
        place[0] = size.x;
        place[5] = size.y;
        place[3] = corner.x;
        place[7] = corner.y;
        model->ResetTransform();
        model->ApplyTransform(place);
    }
    for (uint32_t i = 0; i < textCount; ++i) {
        DrawText(*textItems[i]);
    }
    textCount = 0;
    return true;
}

void GUIWindow::DrawText(GUITextItem& item)
{
    if (item.isKey && texts != nullptr) item.text = texts->GetText(item.key, item.number);
    GUIFont* base = fonts != nullptr ? fonts->GetFont(item.font) : nullptr;
    if (base == nullptr) return;
    // The item's size stands in for the base font's while it is drawn: the
    // placement measures with the base font and the depth copy takes its
    // metrics from it.
    const float fontSize = base->size;
    if (item.size >= 0.0f) base->size = item.size;
    if (GUIFont* font = fonts->GetFontForWindow(item.font, *this)) {
        const Vector2 start =
            fonts->GetTextPosition(item.align, item.font, item.offset, item.angle, item.text, *this);
        font->DrawText(start, item.angle, item.color, item.text);
    }
    base->size = fontSize;
}

void GUIWindow::SetLayer(int32_t newLayer)
{
    layer = newLayer;
    if (parent != nullptr) {
        SetZ(static_cast<float>(static_cast<double>(parent->z) - layer * GUILayerStep));
    }
    for (GUIWindow* child : children) {
        child->SetLayer(child->layer);
    }
}

void GUIWindow::SetColor(const ColorRGBA& color)
{
    if (model != nullptr) model->SetColor(color);
}

void GUIWindow::UpdateVisibility()
{
    const bool shown = (parent == nullptr || parent->effectivelyVisible) &&
                       (flags & GUIWindowFlags::Visible) != 0;
    if (shown && !effectivelyVisible) hovered = false;
    effectivelyVisible = shown;
    if (model != nullptr) {
        if (shown) {
            model->flags |= ModelFlags::Visible;
        } else {
            model->flags &= ~ModelFlags::Visible;
        }
    }
    for (GUIWindow* child : children) {
        child->UpdateVisibility();
    }
}

void GUIWindow::SetVisible(bool show)
{
    const bool isSet = (flags & GUIWindowFlags::Visible) != 0;
    if (show && !isSet) {
        flags |= GUIWindowFlags::Visible;
        UpdateVisibility();
        if (parent == nullptr) SetZ(DepthOfFlags());
    } else if (!show && isSet) {
        flags &= ~GUIWindowFlags::Visible;
        UpdateVisibility();
    }
}

void GUIWindow::SetFlags(uint32_t bits)
{
    if (flags & bits) return;
    flags |= bits;
    if (bits & GUIWindowFlags::Visible) UpdateVisibility();
    if (parent == nullptr) SetZ(DepthOfFlags());
}

void GUIWindow::SetParent(GUIWindow* newParent)
{
    if (parent != nullptr) parent->RemoveChild(this);
    parent = newParent;
    if (parent != nullptr) {
        parent->AddChild(this);
        if (flags & GUIWindowFlags::DepthBits) {
            flags &= ~GUIWindowFlags::DepthBits;
            SetZ(GUIDepthDefault);
        }
        SetLayer(layer);
    } else if ((flags & GUIWindowFlags::DepthBits) == 0) {
        SetZ(GUIDepthDefault);
        // The subtree follows the new depth.
        SetLayer(layer);
    }
    UpdateVisibility();
}

void GUIWindow::AddChild(GUIWindow* child)
{
    children.push_back(child);
}

void GUIWindow::RemoveChild(GUIWindow* child)
{
    const auto found = std::find(children.begin(), children.end(), child);
    if (found != children.end()) children.erase(found);
}

Vector2 GUIWindow::GetAbsolutePosition() const
{
    const Vector2 above = GetParentAbsolutePosition();
    return Vector2(position.x + above.x, position.y + above.y);
}

Vector2 GUIWindow::GetParentAbsolutePosition() const
{
    Vector2 sum;
    for (const GUIWindow* ancestor = parent; ancestor != nullptr; ancestor = ancestor->parent) {
        sum.x += ancestor->position.x;
        sum.y += ancestor->position.y;
    }
    return sum;
}

ColorRGBA GUIWindow::GetColor() const
{
    if (model == nullptr) return ColorRGBA(1, 1, 1, 1);
    const VertexBuffer* vertices = model->GetVertexBuffer();
    if (vertices == nullptr || !vertices->HasColors() || vertices->GetCount() == 0) {
        return ColorRGBA(1, 1, 1, 1);
    }
    uint32_t color = 0;
    std::copy_n(vertices->GetVertices() + VertexBuffer::kColorOffset, 4,
                reinterpret_cast<uint8_t*>(&color));
    return vertices->ColorToRGBA(color);
}

GUITextItem* GUIWindow::NewTextItem()
{
    if (textCount == textItems.size()) textItems.push_back(std::make_unique<GUITextItem>());
    return textItems[textCount++].get();
}

GUITextItem* GUIWindow::NewTextItem(uint32_t align, int32_t font, float angle, float size,
                                    const Vector2& offset, const ColorRGBA& color)
{
    GUITextItem* item = NewTextItem();
    item->align = align;
    item->font = font;
    item->angle = angle;
    item->size = size;
    item->offset = offset;
    item->color = color;
    return item;
}

void GUIWindow::AddText(uint32_t align, int32_t font, const std::u16string& text, float angle,
                        float size, const Vector2& offset, const ColorRGBA& color)
{
    if (text.empty()) return;
    GUITextItem* item = NewTextItem(align, font, angle, size, offset, color);
    item->text = text;
    item->isKey = false;
}

void GUIWindow::AddTextByKey(uint32_t align, int32_t font, const std::string& key, int32_t number,
                             float angle, float size, const Vector2& offset, const ColorRGBA& color)
{
    GUITextItem* item = NewTextItem(align, font, angle, size, offset, color);
    item->key = key;
    item->number = number;
    item->isKey = true;
}

} // namespace ZorvaneEngine
