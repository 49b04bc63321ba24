#include "engine/graphics/Camera.h"

namespace ZorvaneEngine {

namespace {

Matrix4 Transpose(const Matrix4& m)
{
    Matrix4 t;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            t[i * 4 + j] = m[j * 4 + i];
        }
    }
    return t;
}

} // namespace

Camera::Camera(bool orthographic) : frustum(std::make_unique<Frustum>()), orthographic(orthographic)
{
}

Camera::~Camera() = default;

void Camera::Update(float)
{
    right = Vector3(view[0], view[4], view[8]);
    up = Vector3(view[1], view[5], view[9]);
    forward = Vector3(view[2], view[6], view[10]);
    Normalize3D(forward, 1.0f);
    Frustum::Build(projection, view, *frustum);
}

void Camera::BuildView()
{
    const float x = orientation.x, y = orientation.y, z = orientation.z, w = orientation.w;
    const float s = 2.0f / (x * x + y * y + z * z + w * w);
    Matrix4 rotation = Matrix4::Identity();
    rotation[0] = 1.0f - s * (y * y + z * z);
    rotation[1] = s * (x * y - w * z);
    rotation[2] = s * (x * z + w * y);
    rotation[4] = s * (x * y + w * z);
    rotation[5] = 1.0f - s * (x * x + z * z);
    rotation[6] = s * (y * z - w * x);
    rotation[8] = s * (x * z - w * y);
    rotation[9] = s * (y * z + w * x);
    rotation[10] = 1.0f - s * (x * x + y * y);

    Matrix4 translation = Matrix4::Identity();
    translation[3] = -position.x;
    translation[7] = -position.y;
    translation[11] = -position.z;

    Matrix4 columnForm;
    MultiplyMatrix(columnForm, Transpose(rotation), translation);
    view = Transpose(columnForm);
}

} // namespace ZorvaneEngine
