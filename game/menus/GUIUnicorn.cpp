#include "game/menus/GUIUnicorn.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/gui/ArtFrame.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/SoundPlayer.h"
#include "game/common/SoundId.h"
#include "game/menus/GUIBackgroundWindow.h"

namespace ActionPuzzle {

namespace {

using ZorvaneEngine::ColorRGBA;
using ZorvaneEngine::GUIWindowFlags;

constexpr const char* kModelFile = "ui\\menus\\background\\models\\unicorn_animated.mlf";
constexpr float kTolerance = 0.0001f;
constexpr float kAnimationSpeed = 15.0f;  // texture frames per second
constexpr float kFadeInDelay = 0.5f;      // seconds after Show before it starts to appear
constexpr float kFadeInSpeed = 0.45f;     // alpha per second
constexpr float kAnimationDelay = 3.1f;   // seconds after Show before the run starts
constexpr float kFadeOutSpeed = 2.0f;     // alpha per second

// The frames of the material's texture animation; 1 for a picture that
// does not move (or no material at all), which the control plays at once
// through.
uint32_t TextureFrameCount(const ZorvaneEngine::Model* model)
{
    const ZorvaneEngine::ShaderUser* material = model ? model->GetMaterial() : nullptr;
    uint32_t frames = 1;
    if (material)
        for (uint32_t s = 0; s < material->stageCount; ++s)
            if (material->stages[s].animation != ZorvaneEngine::AnimationNone)
                frames = std::max(frames, material->stages[s].frameCount);
    return frames;
}

// The material's own clock must not move the picture: the control chooses
// the frame.
void StopTextureClocks(ZorvaneEngine::Model* model)
{
    ZorvaneEngine::ShaderUser* material = model ? model->GetMaterial() : nullptr;
    if (!material)
        return;
    for (uint32_t s = 0; s < material->stageCount; ++s)
        material->stages[s].speed = 0.0f;
}

} // namespace

GUIUnicorn::GUIUnicorn(ZorvaneEngine::Engine* engine, GameFramework::SoundPlayer* soundPlayer,
                       GUIBackgroundWindow* background)
    : log(engine->log.get()), timers(engine->timers.get()), guiManager(engine->guiManager.get()), soundPlayer(soundPlayer),
      background(background)
{
}

GUIUnicorn::~GUIUnicorn()
{
    guiManager->DeleteWindow(window);
}

void GUIUnicorn::Load()
{
    if (window)
        return;
    window = guiManager->CreateWindowFromFile(GUIWindowFlags::VertexColor, {0, 0}, {1, 1}, kModelFile, nullptr);
    // It stands where the background's own unicorn layer stands. A
    // background list without one still has the layers: the unicorn then
    // comes just behind the front windows.
    ZorvaneEngine::GUIWindow* layer = background ? background->GetUnicornLayer() : nullptr;
    if (layer) {
        window->SetParent(layer->GetParent());
        window->SetLayer(layer->layer);
    } else if (background && background->GetLayerParent()) {
        window->SetParent(background->GetLayerParent());
        const ZorvaneEngine::GUIWindow* front = background->GetFrontParent();
        window->SetLayer(front ? front->layer - 1 : 1);
    }
    StopTextureClocks(window->model);
    animation = std::make_unique<ZorvaneEngine::AnimationControl>(TextureFrameCount(window->model), log, timers);
    animation->speed = kAnimationSpeed;
    animation->looping = false;
    animation->position = 0.0f;
}

void GUIUnicorn::Show()
{
    if (!window || (window->GetFlags() & GUIWindowFlags::Visible))
        return;
    window->SetVisible(true);
    window->SetColor(ColorRGBA(1, 1, 1, 0));
    clock = 0.0f;
    showing = true;
    done = false;
    played = false;
    if (soundPlayer)
        soundPlayer->PlaySound(SoundUpgrade);
}

void GUIUnicorn::Update()
{
    if (!window)
        return;
    clock += timers->frameStep;
    float alpha = 1.0f;
    if (showing) {
        alpha = std::min(std::max(clock - kFadeInDelay, 0.0f) * kFadeInSpeed, 1.0f);
        if (animation) {
            if (clock > kAnimationDelay && !played) {
                animation->Play();
                played = true;
            }
            // Counted from the start of the run rather than from the
            // position, so a one-frame picture, which never moves, ends too.
            if (played && !animation->playing)
                done = true;
        }
    }
    if (leaving)
        alpha = std::max(1.0f - kFadeOutSpeed * clock, 0.0f);
    window->SetColor(ColorRGBA(1, 1, 1, alpha));
    if (animation) {
        animation->Update();
        ZorvaneEngine::SetArtFrame(window->model, animation->currentFrame);
    }
    if (leaving && alpha < kTolerance) {
        guiManager->DeleteWindow(window);
        animation.reset();
        leaving = false;
        showing = false;
        played = false;
    }
}

} // namespace ActionPuzzle
