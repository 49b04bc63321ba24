#include "game/menus/GUIGameCompleteEffect.h"

#include "engine/Engine.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/common/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIUnicorn.h"

namespace ActionPuzzle {

namespace {

using GameFramework::WindowAction;
using ZorvaneEngine::AnimationControl;
using ZorvaneEngine::ColorRGBA;
using ZorvaneEngine::GUIWindow;
using ZorvaneEngine::GUIWindowFlags;

constexpr int32_t kRootLayer = 100;
constexpr float kFlashSpeed = 20.0f;  // frames per second
constexpr float kFadeFrames = 10.0f;  // frames of fading in, and of fading out

// The flash's frame player; null when its art has nothing to play, which
// counts as a flash that has already ended.
AnimationControl* FlashAnimation(const GUIWindow* window)
{
    AnimationControl* animation = window->model ? window->model->GetAnimation() : nullptr;
    return animation && animation->GetFrameCount() > 1 ? animation : nullptr;
}

} // namespace

GUIGameCompleteEffect::GUIGameCompleteEffect(GUIUnicorn* unicorn, GUIBackgroundWindow* background,
                                             ZorvaneEngine::Engine* engine, GameData* gameData)
    : guiManager(engine->guiManager.get()), unicorn(unicorn)
{
    root = guiManager->CreateWindow(0, {0, 0}, {0, 0}, nullptr, background ? background->GetMenuRoot() : nullptr);
    root->SetLayer(kRootLayer);
    for (int i = 0; i < EffectCount; ++i) {
        const ZorvaneEngine::Model* model = gameData ? gameData->startGameModels.gameCompleteEffects[i] : nullptr;
        GUIWindow* window = guiManager->CreateWindow(GUIWindowFlags::Visible | GUIWindowFlags::VertexColor, {0, 0},
                                                     {1, 1}, model, root);
        window->SetLayer(i + 1);
        effects.push_back(window);
    }
    reachedFull.assign(effects.size(), false);
}

GUIGameCompleteEffect::~GUIGameCompleteEffect()
{
    for (GUIWindow*& window : effects)
        guiManager->DeleteWindow(window);
    guiManager->DeleteWindow(root);
}

void GUIGameCompleteEffect::Start()
{
    if (root->GetFlags() & GUIWindowFlags::Visible)
        return;
    root->SetFlags(GUIWindowFlags::Visible);
    for (GUIWindow* window : effects) {
        window->SetColor(ColorRGBA(1, 1, 1, 0));
        if (AnimationControl* animation = FlashAnimation(window)) {
            animation->speed = kFlashSpeed;
            animation->position = 0.0f;
            animation->looping = false;
            // Play draws the pause and clears the runs done.
            animation->Play();
        }
    }
    reachedFull.assign(effects.size(), false);
}

void GUIGameCompleteEffect::Update()
{
    result = WindowAction::None;
    if (!(root->GetFlags() & GUIWindowFlags::Visible))
        return;
    bool allEnded = true;
    for (size_t i = 0; i < effects.size(); ++i) {
        const AnimationControl* animation = FlashAnimation(effects[i]);
        const bool ended = animation == nullptr || !animation->playing;
        float alpha = 0.0f;
        if (animation) {
            const float p = animation->position;
            const float n = static_cast<float>(animation->GetFrameCount());
            if (p < kFadeFrames) {
                alpha = p / kFadeFrames;
            } else if (p > n - kFadeFrames) {
                alpha = (n - p) / kFadeFrames;
            } else {
                alpha = 1.0f;
                reachedFull[i] = true;
                if (unicorn)
                    unicorn->Show();
            }
        }
        // A stopped flash rests on its last frame, a tenth of the way from
        // its end, and stands there faintly until the game hides the root.
        effects[i]->SetColor(ColorRGBA(1, 1, 1, alpha));
        // Flashes too short to stand at full strength still bring the
        // unicorn, when they end.
        if (ended && !reachedFull[i]) {
            reachedFull[i] = true;
            if (unicorn)
                unicorn->Show();
        }
        allEnded = allEnded && ended;
    }
    // Without a unicorn nothing would ever say the end: the flashes do.
    const bool unicornOnScreen = unicorn && unicorn->window;
    if ((unicornOnScreen && unicorn->done) || (!unicornOnScreen && allEnded))
        result = WindowAction::GameComplete;
}

} // namespace ActionPuzzle
