#pragma once
// The game's mouse pointer: three kinds (0 normal, 1 tip, 2 magnet), each a
// system cursor the program carries and the drawn cursor of the GUI toolkit
// (the same picture for all three), and two particle effects that follow
// the pointer: a trail streaming from it while it is shown and a short
// burst on every left click. The game starts with the system cursors; the
// drawn one comes into use only when "ui_custom_cursor" is switched on later.
#include <cstdint>

#include "framework/GUIGameCursorBase.h"

namespace ZorvaneEngine {
class Controls;
class ParticleSystem;
class ParticleSystemManager;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GameData;

class GUIGameCursor : public GameFramework::GUIGameCursorBase {
public:
    // The resource ids of the system cursors of kinds 0, 1 and 2.
    static constexpr int32_t SystemCursorIds[3] = {1000, 107, 106};
    static constexpr float CustomCursorSize = 40.0f;
    // Depth key of both particle meshes: in front of the menus and the
    // level, behind the windows of depth -30 and the cursor picture.
    static constexpr float ParticleDepth = -21.0f;

    explicit GUIGameCursor(ZorvaneEngine::Engine* engine);
    // Takes both particle systems out of the manager and deletes them.
    ~GUIGameCursor() override;

    // Once, on the main thread, after the start-up load: the trail and the
    // click burst from the catalogue's templates.
    void CreateParticles(GameData& catalogue);
    // The trail and the burst follow the pointer, then the base's update.
    bool Update() override;
    // The trail streams only while the cursor is shown.
    void Show(bool shown) override;

    ZorvaneEngine::ParticleSystem* GetTrail() const { return trail; }
    ZorvaneEngine::ParticleSystem* GetClick() const { return click; }

private:
    ZorvaneEngine::ParticleSystemManager* particleSystemManager;
    ZorvaneEngine::Controls* controls;
    ZorvaneEngine::ParticleSystem* trail = nullptr;  // owned
    ZorvaneEngine::ParticleSystem* click = nullptr;  // owned
};

} // namespace ActionPuzzle
