#pragma once
// Owns every camera in a table of slots: a freed slot goes to the back of a
// queue and the front of the queue is taken before the table grows. Keeps
// the viewport (the window's client size), updates every camera once a
// frame in creation order, remembers the camera last applied to the device
// (models apply theirs only when it differs), and turns screen points back
// into world points. Main thread only.
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {

class Camera;
class MessageManager;
class RenderSystem;
class Window;

class CameraManager {
public:
    // Creates the default camera, a perspective one, in slot 0.
    CameraManager(MessageManager* log, Window* window, RenderSystem* renderer);
    virtual ~CameraManager();

    CameraManager(const CameraManager&) = delete;
    CameraManager& operator=(const CameraManager&) = delete;

    // A new camera owned by the manager; null when the renderer makes none.
    Camera* CreateCamera(bool orthographic);
    // Null and cameras the manager does not hold are ignored.
    void DestroyCamera(Camera* camera);
    // Once a frame: the viewport from the window, every camera rebuilt, and
    // the applied camera forgotten.
    void Update();

    // The world point under the screen point (x, y in pixels with y
    // upward, depth 0 at the near plane and 1 at the far one). The origin
    // when the point has no image: an empty viewport, a camera whose
    // matrices cannot be inverted, or a point at infinity.
    static void Unproject(const Camera& camera, Vector3& out, const CameraManager& viewport,
                          const Vector3& screen);

    Camera* GetDefaultCamera() const { return defaultCamera; }
    // What the device holds now, as recorded by whoever applied it.
    Camera* GetAppliedCamera() const { return appliedCamera; }
    bool IsAppliedZBiased() const { return appliedZBiased; }
    void SetAppliedCamera(Camera* camera, bool zBiased)
    {
        appliedCamera = camera;
        appliedZBiased = zBiased;
    }

    uint32_t GetViewportX() const { return viewportX; }
    uint32_t GetViewportY() const { return viewportY; }
    uint32_t GetViewportWidth() const { return viewportWidth; }
    uint32_t GetViewportHeight() const { return viewportHeight; }
    // Slots in use, in creation order; and the camera in a slot (null when
    // the slot is free or past the table).
    const std::vector<uint32_t>& GetUsedSlots() const { return usedSlots; }
    Camera* GetCamera(uint32_t slot) const;

private:
    MessageManager* log;
    Window* window;
    RenderSystem* renderer;
    uint32_t viewportX = 0;
    uint32_t viewportY = 0;
    uint32_t viewportWidth = 0;
    uint32_t viewportHeight = 0;
    std::deque<uint32_t> freeSlots;
    std::vector<uint32_t> usedSlots;
    std::vector<std::unique_ptr<Camera>> cameras;
    Camera* defaultCamera = nullptr;
    Camera* appliedCamera = nullptr;
    bool appliedZBiased = false;
};

// Inverts m in place by cofactors over the determinant. False, with m left
// as it was, when the determinant is zero or not finite.
bool MatrixInverse(Matrix4& m);
// Element i is row i of m times v.
std::array<float, 4> MatrixTimesVector(const Matrix4& m, const float v[4]);

} // namespace ZorvaneEngine
