#include "engine/graphics/Camera_D3D7.h"

#include <cmath>

#include "engine/graphics/RenderSystem_D3D7.h"

namespace ZorvaneEngine {

namespace {

constexpr float kHorizontalExtent = 4.0f / 3.0f;

// Perspective for the device: left-handed, depth 0 at the near plane and 1
// at the far one.
Matrix4 DevicePerspective(float n, float f, float l, float r, float b, float t)
{
    Matrix4 m;
    m[0] = 2.0f * n / (r - l);
    m[5] = 2.0f * n / (t - b);
    m[8] = (r + l) / (l - r);
    m[9] = (t + b) / (b - t);
    m[10] = f / (f - n);
    m[11] = 1.0f;
    m[14] = n * f / (n - f);
    return m;
}

// The box 0..w, 0..h maps to −1..1.
Matrix4 DeviceOrthographic(float n, float f, float w, float h)
{
    Matrix4 m;
    m[0] = 2.0f / w;
    m[5] = 2.0f / h;
    m[10] = 1.0f / (n - f);
    m[12] = -1.0f;
    m[13] = -1.0f;
    m[14] = n / (n - f);
    m[15] = 1.0f;
    return m;
}

Platform::Matrix ToDevice(const Matrix4& m)
{
    Platform::Matrix result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            result.m[row][column] = m[row * 4 + column];
        }
    }
    return result;
}

} // namespace

Camera_D3D7::Camera_D3D7(bool orthographic, RenderSystem_D3D7* renderer,
                         Platform::Direct3DDevice* const* deviceSlot)
    : Camera(orthographic), renderer(renderer), deviceSlot(deviceSlot)
{
}

void Camera_D3D7::Update(float aspect)
{
    if (orthographic) {
        BuildOrthographic();
    } else {
        BuildPerspective();
    }
    BuildView();
    Camera::Update(aspect);
}

void Camera_D3D7::BuildPerspective()
{
    const float n = nearPlane, f = farPlane;
    const float angle = fieldOfView * kHorizontalExtent * 0.25f;
    const float t = std::tan(angle) * n;
    const float b = -t;
    const float l = -t * kHorizontalExtent;
    const float r = t * kHorizontalExtent;

    deviceProjection = DevicePerspective(n, f, l, r, b, t);
    deviceZBiasedProjection = DevicePerspective(n, f + 1.0f, l, r, b, t);

    // Right-handed, depth −1 to 1.
    projection = Matrix4();
    projection[0] = 2.0f * n / (r - l);
    projection[5] = 2.0f * n / (t - b);
    projection[8] = (r + l) / (r - l);
    projection[9] = (t + b) / (t - b);
    projection[10] = -(f + n) / (f - n);
    projection[11] = -1.0f;
    projection[14] = -2.0f * f * n / (f - n);
}

void Camera_D3D7::BuildOrthographic()
{
    const float n = nearPlane, f = farPlane, w = orthoWidth, h = orthoHeight;
    deviceProjection = DeviceOrthographic(n, f, w, h);
    deviceZBiasedProjection = DeviceOrthographic(n, f + 1.0f, w, h);

    projection = Matrix4();
    projection[0] = 2.0f / w;
    projection[5] = 2.0f / h;
    projection[10] = -2.0f / (f - n);
    projection[12] = -1.0f;
    projection[13] = -1.0f;
    projection[14] = -(f + n) / (f - n);
    projection[15] = 1.0f;
}

void Camera_D3D7::Apply()
{
    ApplyProjection(deviceProjection, "Camera_D3D7::Apply");
}

void Camera_D3D7::ApplyZBiased()
{
    ApplyProjection(deviceZBiasedProjection, "Camera_D3D7::ApplyZBiased");
}

void Camera_D3D7::ApplyProjection(const Matrix4& deviceMatrix, const char* tag)
{
    // The projection bypasses the renderer's cache; a failed reset leaves
    // no device to hand it to.
    Platform::Direct3DDevice* device = *deviceSlot;
    if (device != nullptr) {
        renderer->ReportError(tag, device->SetTransform(Platform::D3DTRANSFORMSTATE_PROJECTION,
                                                        ToDevice(deviceMatrix)));
    }
    renderer->SetViewMatrix(view);
}

} // namespace ZorvaneEngine
