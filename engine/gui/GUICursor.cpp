#include "engine/gui/GUICursor.h"

#include <algorithm>

#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/IndexBuffer.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/VertexBuffer.h"
#include "engine/gui/GUIManager.h"
#include "platform/window/Windowing.h"

namespace ZorvaneEngine {

namespace {

// Visible, box from the vertices, fixed depth key, back-to-front group,
// static.
constexpr uint32_t CursorModelFlags = ModelFlags::Visible | ModelFlags::BoxFromVertices |
                                      ModelFlags::FixedDepthKey | ModelFlags::GroupSecond |
                                      ModelFlags::GUIGenerated | ModelFlags::Static;

} // namespace

GUICursor::GUICursor(const GUIManager& manager, const ShaderDescriptor* material, float size,
                     bool withModel)
    : log(manager.GetLog()),
      window(manager.GetWindow()),
      models(manager.GetModelManager()),
      controls(manager.GetControls()),
      camera(manager.GetCamera())
{
    if (!withModel || models == nullptr) return;
    model = models->CreateModel(CursorModelFlags, 4, 4, material, camera);
    if (model == nullptr) return;

    model->GetIndexBuffer()->WriteSequentialIndices(4);
    // The picture hangs below and to the right of the hot spot.
    const float corners[4][4] = {
        {size, -size, 1, 0}, {size, 0, 1, 1}, {0, -size, 0, 0}, {0, 0, 0, 1}};
    VertexBuffer* vertices = model->GetVertexBuffer();
    if (uint8_t* target = vertices->Lock(0, 4)) {
        for (uint32_t i = 0; i < 4; ++i) {
            uint8_t* vertex = target + i * vertices->GetStride();
            const float fields[6] = {corners[i][0], corners[i][1], 0, 0, 0, 1};
            std::copy_n(reinterpret_cast<const uint8_t*>(fields), sizeof fields, vertex);
            std::copy_n(reinterpret_cast<const uint8_t*>(&corners[i][2]), 2 * sizeof(float),
                        vertex + vertices->GetTexCoordOffset());
        }
        vertices->Unlock();
    }
    model->depthKey = Depth;
}

GUICursor::~GUICursor()
{
    if (model != nullptr && models != nullptr && models->models.Remove(model)) delete model;
}

void GUICursor::Update()
{
    if (window == nullptr || camera == nullptr) return;
    const uint32_t width = window->width;
    const uint32_t height = window->height;
    if (width == 0 || height == 0) return;
    int32_t x = 0;
    int32_t y = 0;
    if (!Platform::GetWindowing().GetCursorPos(window->handle, x, y)) return;
    // Multiplied before dividing: when the client area matches the camera,
    // every pixel is a whole GUI unit.
    position.x = static_cast<float>(x) * camera->orthoWidth / static_cast<float>(width);
    position.y = static_cast<float>(static_cast<int64_t>(height) - y - 1) * camera->orthoHeight /
                 static_cast<float>(height);
}

void GUICursor::Draw()
{
    if (model == nullptr) return;
    Matrix4 place = Matrix4::Identity();
    place[3] = position.x;
    place[7] = position.y;
    model->ResetTransform();
    model->ApplyTransform(place);
    if (visible) {
        model->flags |= ModelFlags::Visible;
    } else {
        model->flags &= ~ModelFlags::Visible;
    }
}

} // namespace ZorvaneEngine
