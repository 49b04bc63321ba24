#include "engine/graphics/CameraManager.h"

#include <algorithm>
#include <cmath>

#include "engine/core/Window.h"
#include "engine/graphics/Camera.h"
#include "engine/graphics/RenderSystem.h"

namespace ZorvaneEngine {

CameraManager::CameraManager(MessageManager* log, Window* window, RenderSystem* renderer)
    : log(log), window(window), renderer(renderer)
{
    defaultCamera = CreateCamera(false);
}

CameraManager::~CameraManager()
{
    DestroyCamera(defaultCamera);
    for (uint32_t slot : usedSlots) {
        cameras[slot].reset();
    }
}

Camera* CameraManager::CreateCamera(bool orthographic)
{
    std::unique_ptr<Camera> camera(renderer->CreateCamera(orthographic));
    if (!camera) {
        return nullptr;
    }
    uint32_t slot;
    if (!freeSlots.empty()) {
        slot = freeSlots.front();
        freeSlots.pop_front();
    } else {
        slot = static_cast<uint32_t>(cameras.size());
        cameras.emplace_back();
    }
    cameras[slot] = std::move(camera);
    usedSlots.push_back(slot);
    return cameras[slot].get();
}

void CameraManager::DestroyCamera(Camera* camera)
{
    if (camera == nullptr) {
        return;
    }
    const auto used = std::find_if(usedSlots.begin(), usedSlots.end(),
                                   [&](uint32_t slot) { return cameras[slot].get() == camera; });
    if (used == usedSlots.end()) {
        return;
    }
    // A camera made later at the same address must not pass for the one
    // the device holds, nor for the default camera.
    if (appliedCamera == camera) {
        appliedCamera = nullptr;
    }
    if (defaultCamera == camera) {
        defaultCamera = nullptr;
    }
    const uint32_t slot = *used;
    cameras[slot].reset();
    freeSlots.push_back(slot);
    usedSlots.erase(used);
}

void CameraManager::Update()
{
    viewportX = 0;
    viewportY = 0;
    viewportWidth = window->width;
    viewportHeight = window->height;
    // A minimised window has no height; the cameras ignore the aspect then.
    const float aspect = viewportHeight != 0
                             ? static_cast<float>(viewportWidth) / static_cast<float>(viewportHeight)
                             : 1.0f;
    for (uint32_t slot : usedSlots) {
        cameras[slot]->Update(aspect);
    }
    appliedCamera = nullptr;
}

Camera* CameraManager::GetCamera(uint32_t slot) const
{
    return slot < cameras.size() ? cameras[slot].get() : nullptr;
}

void CameraManager::Unproject(const Camera& camera, Vector3& out, const CameraManager& viewport,
                              const Vector3& screen)
{
    out = Vector3();
    if (viewport.viewportWidth == 0 || viewport.viewportHeight == 0) {
        return;
    }
    Matrix4 m;
    MultiplyMatrix(m, camera.view, camera.projection);
    if (!MatrixInverse(m)) {
        return;
    }
    // Transposed, so that row i times a column vector gives what the row
    // vector point × inverse gives in column i.
    Matrix4 t;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            t[i * 4 + j] = m[j * 4 + i];
        }
    }

    const float point[4] = {
        (screen.x - static_cast<float>(viewport.viewportX)) * 2.0f /
                static_cast<float>(viewport.viewportWidth) - 1.0f,
        (screen.y - static_cast<float>(viewport.viewportY)) * 2.0f /
                static_cast<float>(viewport.viewportHeight) - 1.0f,
        screen.z * 2.0f - 1.0f,
        1.0f,
    };
    const std::array<float, 4> q = MatrixTimesVector(t, point);
    if (Abs(q[3]) < kTolerance) {
        return;
    }
    const Vector3 result(q[0] / q[3], q[1] / q[3], q[2] / q[3]);
    if (std::isfinite(result.x) && std::isfinite(result.y) && std::isfinite(result.z)) {
        out = result;
    }
}

bool MatrixInverse(Matrix4& m)
{
    // The 2 × 2 minors of the top two rows (s) and of the bottom two (c);
    // every cofactor and the determinant are sums of their products.
    const float s0 = m[0] * m[5] - m[1] * m[4];
    const float s1 = m[0] * m[6] - m[2] * m[4];
    const float s2 = m[0] * m[7] - m[3] * m[4];
    const float s3 = m[1] * m[6] - m[2] * m[5];
    const float s4 = m[1] * m[7] - m[3] * m[5];
    const float s5 = m[2] * m[7] - m[3] * m[6];
    const float c0 = m[8] * m[13] - m[9] * m[12];
    const float c1 = m[8] * m[14] - m[10] * m[12];
    const float c2 = m[8] * m[15] - m[11] * m[12];
    const float c3 = m[9] * m[14] - m[10] * m[13];
    const float c4 = m[9] * m[15] - m[11] * m[13];
    const float c5 = m[10] * m[15] - m[11] * m[14];

    const float det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (det == 0.0f || !std::isfinite(det)) {
        return false;
    }

    Matrix4 inverse;
    inverse[0] = (m[5] * c5 - m[6] * c4 + m[7] * c3) / det;
    inverse[1] = (-m[1] * c5 + m[2] * c4 - m[3] * c3) / det;
    inverse[2] = (m[13] * s5 - m[14] * s4 + m[15] * s3) / det;
    inverse[3] = (-m[9] * s5 + m[10] * s4 - m[11] * s3) / det;
    inverse[4] = (-m[4] * c5 + m[6] * c2 - m[7] * c1) / det;
    inverse[5] = (m[0] * c5 - m[2] * c2 + m[3] * c1) / det;
    inverse[6] = (-m[12] * s5 + m[14] * s2 - m[15] * s1) / det;
    inverse[7] = (m[8] * s5 - m[10] * s2 + m[11] * s1) / det;
    inverse[8] = (m[4] * c4 - m[5] * c2 + m[7] * c0) / det;
    inverse[9] = (-m[0] * c4 + m[1] * c2 - m[3] * c0) / det;
    inverse[10] = (m[12] * s4 - m[13] * s2 + m[15] * s0) / det;
    inverse[11] = (-m[8] * s4 + m[9] * s2 - m[11] * s0) / det;
    inverse[12] = (-m[4] * c3 + m[5] * c1 - m[6] * c0) / det;
    inverse[13] = (m[0] * c3 - m[1] * c1 + m[2] * c0) / det;
    inverse[14] = (-m[12] * s3 + m[13] * s1 - m[14] * s0) / det;
    inverse[15] = (m[8] * s3 - m[9] * s1 + m[10] * s0) / det;
    m = inverse;
    return true;
}

std::array<float, 4> MatrixTimesVector(const Matrix4& m, const float v[4])
{
    std::array<float, 4> result;
    for (int i = 0; i < 4; ++i) {
        result[i] = m[i * 4] * v[0] + m[i * 4 + 1] * v[1] + m[i * 4 + 2] * v[2] + m[i * 4 + 3] * v[3];
    }
    return result;
}

} // namespace ZorvaneEngine
