#pragma once
// A viewpoint (position and orientation) and a lens (perspective or
// orthographic, near and far planes). Update rebuilds every derived member
// from them: the view and projection matrices, the axes and the frustum.
//
// The view and the projections are in row-vector form (a point p becomes
// p × view), unlike model transforms. The engine's view space is
// right-handed: the camera looks down its −z axis.
#include <memory>

#include "engine/core/MathTypes.h"
#include "engine/graphics/Frustum.h"

namespace ZorvaneEngine {

class Camera {
public:
    // Rotation quaternion, w the scalar part; it need not be unit length.
    struct Orientation {
        float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;
    };

    explicit Camera(bool orthographic);
    virtual ~Camera();

    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // The derived axes and the frustum from the view and the projection;
    // implementations build those first, then call this. aspect is the
    // viewport's width over its height.
    virtual void Update(float aspect);
    // Hands the projection and the view to the device.
    virtual void Apply() {}
    // The same with the far plane moved out by one unit, which draws in
    // front of geometry at the same place drawn with Apply.
    virtual void ApplyZBiased() {}

    bool IsOrthographic() const { return orthographic; }

    // Lens and viewpoint, set by the owner; read by the next Update.
    float nearPlane = 1.0f;
    float farPlane = 1000.0f;
    float fieldOfView = 1.5707964f;  // radians, vertical
    float orthoWidth = 1.0f;
    float orthoHeight = 1.0f;
    Orientation orientation;
    Vector3 position;

    // Derived by Update.
    Matrix4 projection;  // right-handed, depth −1 to 1; for culling and unprojection
    Matrix4 view;
    Vector3 right;
    Vector3 up;
    // Points from the scene toward the viewer, unit length.
    Vector3 forward;
    std::unique_ptr<Frustum> frustum;

protected:
    // transpose(transpose(R) × T) with R the orientation's rotation and T the
    // translation by −position: translate first, then rotate.
    void BuildView();

    bool orthographic;
};

} // namespace ZorvaneEngine
