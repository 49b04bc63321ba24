#include "game/menus/GUIGameCursor.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/SpriteGroup.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "engine/input/Controls.h"
#include "game/common/GameData.h"
#include "platform/window/Messages.h"
#include "platform/window/Windowing.h"

namespace ActionPuzzle {

using ZorvaneEngine::ModelFlags;
using ZorvaneEngine::ParticleSystem;

namespace {

const char* const kCursorPicture = "ui\\cursors\\cursor.jpg";
const char* const kCursorOpacity = "ui\\cursors\\cursor_alpha.jpg";
// Where the trail leaves the pointer: inside the drawn picture, which
// hangs below and to the right of the hot spot (GUI y grows upwards).
constexpr float kTrailOffsetX = 12.0f;
constexpr float kTrailOffsetY = -18.0f;

void SetMeshFlags(ParticleSystem* system)
{
    if (!system || !system->spriteGroup || !system->spriteGroup->mesh)
        return;
    ZorvaneEngine::Model* mesh = system->spriteGroup->mesh;
    mesh->flags |= ModelFlags::FixedDepthKey;
    mesh->depthKey = GUIGameCursor::ParticleDepth;
    // A system runs only while its mesh is visible.
    mesh->flags |= ModelFlags::Visible;
}

void DeleteSystem(ZorvaneEngine::ParticleSystemManager& manager, ParticleSystem*& system)
{
    if (!system)
        return;
    std::replace(manager.watchList.begin(), manager.watchList.end(), system, static_cast<ParticleSystem*>(nullptr));
    if (manager.systems.Remove(system))
        delete system;
    system = nullptr;
}

} // namespace

GUIGameCursor::GUIGameCursor(ZorvaneEngine::Engine* engine)
    : GUIGameCursorBase(engine),
      particleSystemManager(engine->particleSystems.get()),
      controls(engine->input.get())
{
    // The system cursors first, whatever the setting says.
    customCursor = false;
    customCursorInUse = false;

    Platform::Windowing& windowing = Platform::GetWindowing();
    for (int32_t kind = 0; kind < 3; ++kind) {
        const ZorvaneEngine::ShaderDescriptor material =
            ZorvaneEngine::MakeGUIShaderDescriptor(kCursorOpacity, kCursorPicture);
        ZorvaneEngine::GUICursor* custom = guiManager->CreateCursor(&material, CustomCursorSize);
        if (custom)
            custom->visible = false;
        Platform::CursorHandle system = windowing.LoadCursor(static_cast<uint32_t>(SystemCursorIds[kind]));
        // Without its picture the kind points with the arrow: a missing
        // cursor would hide the pointer.
        if (!system)
            system = windowing.LoadCursor(Platform::IDC_ARROW);
        cursors[kind] = GameFramework::CursorEntry{system, custom};
    }
    SelectCursor(0);
}

GUIGameCursor::~GUIGameCursor()
{
    DeleteSystem(*particleSystemManager, trail);
    DeleteSystem(*particleSystemManager, click);
}

void GUIGameCursor::CreateParticles(GameData& catalogue)
{
    if (catalogue.menuParticles.cursorTrain)
        trail = particleSystemManager->CloneParticleSystem(*catalogue.menuParticles.cursorTrain);
    if (catalogue.menuParticles.cursorClick)
        click = particleSystemManager->CloneParticleSystem(*catalogue.menuParticles.cursorClick);
    SetMeshFlags(trail);
    SetMeshFlags(click);
    if (trail) {
        trail->looping = true;
        trail->emitting = true;
    }
    if (click)
        click->looping = false;
}

bool GUIGameCursor::Update()
{
    const ZorvaneEngine::GUICursor* pointer = guiManager->GetDefaultCursor();
    const ZorvaneEngine::Vector2 at = pointer ? pointer->position : ZorvaneEngine::Vector2();
    if (trail)
        trail->emitterPosition = ZorvaneEngine::Vector3(at.x + kTrailOffsetX, at.y + kTrailOffsetY, 0.0f);
    if (click && controls->IsKeyPressed("MOUSE1")) {
        // One burst a click, started again at the new point.
        click->emitterPosition = ZorvaneEngine::Vector3(at.x, at.y, 0.0f);
        click->clock = 0.0f;
        click->emitting = true;
    }
    return GUIGameCursorBase::Update();
}

void GUIGameCursor::Show(bool shown)
{
    GUIGameCursorBase::Show(shown);
    if (trail)
        trail->emitting = shown;
}

} // namespace ActionPuzzle
