#include "game/menus/GUIBackgroundWindow.h"

#include <algorithm>
#include <cmath>

#include "engine/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TextUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ModelManager.h"
#include "engine/graphics/ParticleSystem.h"
#include "engine/graphics/ParticleSystemManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/graphics/SpriteGroup.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindowFlags.h"
#include "framework/tools/GUITextPrinter.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"
#include "game/common/LevelManager.h"
#include "game/common/Profile.h"
#include "game/common/ProfileManager.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using ZorvaneEngine::AnimationControl;
using ZorvaneEngine::ColorRGBA;
using ZorvaneEngine::GUIWindow;
using ZorvaneEngine::GUIWindowFlags;
using ZorvaneEngine::Model;
using ZorvaneEngine::ModelFlags;
using ZorvaneEngine::ParticleSystem;

namespace {

constexpr float kTolerance = 0.0001f;
const char* const kLayerModels = "ui\\menus\\background\\models\\";
const char* const kLayerParticles = "ui\\menus\\background\\particles\\";
const char* const kFrontModels = "ui\\menus\\models\\background\\";
const char* const kPublisherPictures = "data\\ui\\menus\\textures\\publisher_";
constexpr uint32_t kLayerFlags = GUIWindowFlags::Visible | GUIWindowFlags::VertexColor;
constexpr uint32_t kFrontFlags = GUIWindowFlags::VertexColor;  // hidden until the intro shows it
constexpr float kIntroSpeed = 25.0f;                            // frames per second
constexpr float kPrinterSpeed = 28.0f;                          // characters per second
constexpr float kFadeSpeed = 2.0f;                              // of v, per second
constexpr float kTitleTime = 2.5f;                              // seconds for the whole title
constexpr float kTitleStagger = 1.5f;
constexpr float kLogoFadeSpeed = 2.0f;
constexpr float kLayerAppearSpeed = 2.0f;
constexpr float kUnicornFadeSpeed = 2.0f;
constexpr float kFinaleSpeed = 1.5f;
// The model's material: blending by source alpha and its inverse.
constexpr uint32_t kBlendSourceAlpha = 4;
constexpr uint32_t kBlendInverseSourceAlpha = 5;
constexpr int32_t kFrameLayer = 1;
constexpr int32_t kLogoLayer = 2;
constexpr int32_t kAdditionalLogoLayer = 3;
constexpr int32_t kMountTextLayer = 15;
constexpr int32_t kTextAppearLayer = 16;
constexpr int32_t kTextAreaLayer = 17;
constexpr int32_t kMountTitleLayer = 18;
constexpr int32_t kTitlePieceLayer = 19;

// The animation can run: an animated model of more than one frame. Play on
// any other never ends, since only animated models advance their clock.
bool CanAnimate(const GUIWindow* window)
{
    const Model* model = window ? window->model : nullptr;
    return model && (model->flags & ModelFlags::Animated) && FrameCount(*model) > 1;
}

bool IsPlaying(const GUIWindow* window)
{
    return CanAnimate(window) && window->model->GetAnimation()->playing;
}

// Has run to its end at least once. A model that cannot animate counts as
// played, or the intro would wait for it for ever.
bool HasPlayed(const GUIWindow* window)
{
    return !CanAnimate(window) || window->model->GetAnimation()->position > kTolerance;
}

void Play(GUIWindow* window)
{
    if (CanAnimate(window))
        window->model->GetAnimation()->Play();
}

void SetAlpha(GUIWindow* window, float alpha)
{
    if (window)
        window->SetColor(ColorRGBA(1, 1, 1, alpha));
}

float Alpha(const GUIWindow* window)
{
    return window ? window->GetColor().a : 0.0f;
}

bool IsShown(const GUIWindow* window)
{
    return window && window->effectivelyVisible;
}

ZorvaneEngine::Model* Mesh(const ParticleSystem* system)
{
    return system && system->spriteGroup ? system->spriteGroup->mesh : nullptr;
}

bool IsRunning(const ParticleSystem* system)
{
    const Model* mesh = Mesh(system);
    return mesh && (mesh->flags & ModelFlags::Visible);
}

void SetRunning(ParticleSystem* system, bool run)
{
    if (Model* mesh = Mesh(system)) {
        if (run)
            mesh->flags |= ModelFlags::Visible;
        else
            mesh->flags &= ~ModelFlags::Visible;
    }
}

float SpriteAlpha(const ParticleSystem* system)
{
    return system && system->spriteGroup ? system->spriteGroup->groupColor.a : 0.0f;
}

void SetSpriteAlpha(ParticleSystem* system, float alpha)
{
    if (system && system->spriteGroup)
        system->spriteGroup->groupColor = ColorRGBA(1, 1, 1, alpha);
}

void RaiseAlpha(GUIWindow* window, float alpha)
{
    if (window && Alpha(window) < alpha)
        SetAlpha(window, alpha);
}

void RaiseSpriteAlpha(ParticleSystem* system, float alpha)
{
    if (system && SpriteAlpha(system) < alpha)
        SetSpriteAlpha(system, alpha);
}

// Starts a layer at its first frame or at a random one of its range, so
// that the layers move out of step.
void RandomizeAnimation(AnimationControl& animation)
{
    const float f = 2.0f * ZorvaneEngine::RandomFloat() - 1.0f;
    const float t = ZorvaneEngine::RandomFloat();
    const float pause =
        std::max((animation.pauseMinimum + (animation.pauseMaximum - animation.pauseMinimum) * t) * f, 0.0f);
    animation.pauseLeft = pause;
    if (pause < kTolerance) {
        const auto& ranges = animation.GetRanges();
        auto range = ranges.find(animation.currentRangeId);
        if (range == ranges.end())
            range = ranges.find(-1);
        const float first = static_cast<float>(range->second.first);
        const float last = static_cast<float>(range->second.last);
        animation.position = std::abs(last - first) * ZorvaneEngine::RandomFloat();
    } else {
        animation.position = 0.0f;
    }
}

} // namespace

GUIBackgroundWindow::GUIBackgroundWindow(const std::string& languageCode, GameFramework::SoundPlayer* soundPlayer,
                                         ZorvaneEngine::Engine* engine, LevelManager* levelManager,
                                         ProfileManager* profileManager)
    : engine(engine),
      log(engine->log.get()),
      fileManager(engine->fileManager.get()),
      timers(engine->timers.get()),
      guiManager(engine->guiManager.get()),
      fontManager(engine->guiManager->GetFontManager()),
      textManager(engine->guiManager->GetTextManager()),
      materialManager(engine->materials.get()),
      modelManager(engine->models.get()),
      particleSystemManager(engine->particleSystems.get()),
      soundPlayer(soundPlayer),
      levelManager(levelManager),
      profileManager(profileManager)
{
    try {
        Build(languageCode);
    } catch (const ZorvaneEngine::FatalError&) {
        DeleteEverything();
        throw;
    } catch (const ZorvaneEngine::Error& error) {
        DeleteEverything();
        log->Fatal(error.message);
    }
}

GUIBackgroundWindow::~GUIBackgroundWindow()
{
    DeleteEverything();
}

void GUIBackgroundWindow::Build(const std::string& languageCode)
{
    root = guiManager->CreateWindow(GUIWindowFlags::Visible, {0, 0}, {0, 0}, nullptr, nullptr);
    layerParent = guiManager->CreateWindow(GUIWindowFlags::Visible, {0, 0}, {0, 0}, nullptr, root);
    layerParent->SetLayer(LayerParentLayer);
    frontParent = guiManager->CreateWindow(GUIWindowFlags::Visible, {0, 0}, {0, 0}, nullptr, layerParent);
    menuRoot = guiManager->CreateWindow(GUIWindowFlags::Visible, {0, 0}, {0, 0}, nullptr, frontParent);
    menuRoot->SetLayer(MenuRootLayer);

    const std::vector<BackgroundRecord> records = GameData::ReadBackgroundList(*fileManager);
    for (size_t i = 0; i < records.size(); ++i) {
        const BackgroundRecord& record = records[i];
        if (record.a == 0)
            continue;
        const int32_t layer = static_cast<int32_t>(i) + 1;
        const LayerParts parts =
            BuildOwnLayer(record.modelName, record.HasParticles() ? record.particleName : std::string(), layer);
        thematic.windows.push_back(parts.window);
        thematic.models.push_back(parts.model);
        thematic.particleSystems.push_back(parts.particleSystem);
        highestLayer = std::max(highestLayer, layer);
    }
    if (thematic.windows.empty())
        throw ZorvaneEngine::FileError("Background have no thematic layers");
    frontParent->SetLayer(highestLayer + 1);

    frame = CreateFrontWindow("frame", kFrameLayer);
    logo = CreateFrontWindow("logo_quobin", kLogoLayer);
    for (int k = 0; k < 2; ++k) {
        const std::string picture = kPublisherPictures + std::to_string(k) + "_logo_small";
        if (fileManager->FileExists(picture + ".jpg") && fileManager->FileExists(picture + "_alpha.jpg"))
            additionalLogos[k] = CreateFrontWindow("logo_additional_" + std::to_string(k), kAdditionalLogoLayer);
    }

    const std::unique_ptr<ZorvaneEngine::FileTextual> titleFile =
        fileManager->OpenTextFile(std::string(TitleFolder) + "title_" + languageCode + ".ini", false);
    int32_t pieces = 0;
    if (!titleFile->ReadInt(pieces) || pieces < 0 || pieces > MaxTitlePieces)
        throw ZorvaneEngine::FileError("\"" + titleFile->GetName() + "\" holds no title piece count from 0 to " +
                                       std::to_string(MaxTitlePieces));
    for (int32_t i = 0; i < pieces; ++i) {
        GUIWindow* piece = CreateFrontWindow("title_" + languageCode + "_" + std::to_string(i), kTitlePieceLayer);
        SetAlpha(piece, 0.0f);
        titlePieces.push_back(piece);
    }
    textAppear = CreateFrontWindow("text_appear", kTextAppearLayer);
    titlePlate = CreateFrontWindow("text", PlateLayer);
    mountTitle = CreateFrontWindow("mount_title", kMountTitleLayer);
    mountText = CreateFrontWindow("mount_text", kMountTextLayer);

    // The typed text's rectangle: the box of the text-area model, which is
    // never drawn, so only a copy outside the model manager is read.
    Model* area = modelManager->LoadUnregisteredModel(std::string(kFrontModels) + "text_area.mlf",
                                                      guiManager->GetCamera(), 0);
    textArea = guiManager->CreateWindow(GUIWindowFlags::Visible, BoxCorner(*area), BoxSize(*area), nullptr,
                                        frontParent);
    delete area;
    textArea->placeModel = false;
    textArea->SetLayer(kTextAreaLayer);

    for (GUIWindow* window : {frame, logo, textAppear, titlePlate, mountTitle, mountText}) {
        if (window->model)
            window->model->GetAnimation()->speed = kIntroSpeed;
    }

    centreTextPrinter =
        std::make_unique<GameTools::GUITextPrinter>(ColorRGBA(1, 1, 1, 1), *engine, ZorvaneEngine::Vector2(0, 0),
                                                    textArea, kPrinterSpeed);
    frontWindows = {frame, logo};
    for (GUIWindow* extra : additionalLogos) {
        if (extra)
            frontWindows.push_back(extra);
    }
    frontWindows.push_back(mountTitle);
    frontWindows.push_back(mountText);
    frontWindows.insert(frontWindows.end(), titlePieces.begin(), titlePieces.end());

    FollowProfile();
}

GUIWindow* GUIBackgroundWindow::CreateFrontWindow(const std::string& name, int32_t layer)
{
    GUIWindow* window =
        guiManager->CreateWindowFromFile(kFrontFlags, {0, 0}, {1, 1}, kFrontModels + name + ".mlf", frontParent);
    window->SetLayer(layer);
    return window;
}

GUIBackgroundWindow::LayerParts GUIBackgroundWindow::BuildOwnLayer(const std::string& modelName,
                                                                  const std::string& particleName, int32_t layer)
{
    LayerParts parts;
    const std::string modelFile = kLayerModels + modelName + ".mlf";
    if (particleName.empty()) {
        parts.window = guiManager->CreateWindowFromFile(kLayerFlags, {0, 0}, {1, 1}, modelFile, layerParent);
    } else {
        parts.window = guiManager->CreateWindow(kLayerFlags, {0, 0}, {1, 1}, nullptr, layerParent);
        parts.model = modelManager->LoadUnregisteredModel(modelFile, guiManager->GetCamera(), 0);
        parts.particleSystem = particleSystemManager->LoadParticleSystem(
            kLayerParticles + particleName + ".psf", guiManager->GetCamera());
    }
    parts.window->SetLayer(layer);
    StartLayer(parts);
    SetRunning(parts.particleSystem, true);
    return parts;
}

GUIBackgroundWindow::LayerParts GUIBackgroundWindow::BuildLoadedLayer(Model* model, ParticleSystem* system,
                                                                     int32_t layer)
{
    LayerParts parts;
    if (!system) {
        parts.window = guiManager->CreateWindow(kLayerFlags, {0, 0}, {1, 1}, model, layerParent);
    } else {
        parts.window = guiManager->CreateWindow(kLayerFlags, {0, 0}, {1, 1}, nullptr, layerParent);
        parts.model = modelManager->CloneUnregisteredModel(*model);
        parts.particleSystem = particleSystemManager->CloneParticleSystem(*system);
        // Particles fade in once built; a model layer shows at once.
        SetSpriteAlpha(parts.particleSystem, 0.0f);
    }
    parts.window->SetLayer(layer);
    StartLayer(parts);
    return parts;
}

void GUIBackgroundWindow::StartLayer(LayerParts& parts)
{
    Model* animated = parts.model ? parts.model : parts.window->model;
    if (parts.window->model) {
        ZorvaneEngine::ShaderUser* material = parts.window->model->GetMaterial();
        if (material) {
            material->flags |= ZorvaneEngine::ShaderAlphaBlend;
            material->sourceBlend = kBlendSourceAlpha;
            material->destinationBlend = kBlendInverseSourceAlpha;
        }
    }
    if (parts.model) {
        // Never drawn, but its box must follow its animation.
        parts.model->flags |= ModelFlags::Visible;
    }
    if (parts.particleSystem) {
        parts.particleSystem->emitting = true;
        parts.particleSystem->looping = true;
        if (Model* mesh = Mesh(parts.particleSystem)) {
            mesh->flags |= ModelFlags::FixedDepthKey;
            mesh->depthKey = parts.window->GetZ();
        }
    }
    if (animated) {
        AnimationControl& animation = *animated->GetAnimation();
        animation.looping = true;
        RandomizeAnimation(animation);
        animation.Play();
    }
}

void GUIBackgroundWindow::BuildLoadedLayers()
{
    const GameData::BackgroundLayers& loadedLayers = gameData->backgroundLayers;
    const size_t count = std::min({loadedLayers.models.size(), loadedLayers.particleSystems.size(),
                                   loadedLayers.recordIndices.size(), loadedLayers.stages.size()});
    for (size_t i = 0; i < count; ++i) {
        Model* model = loadedLayers.models[i];
        if (!model)
            continue;
        const int32_t layer = loadedLayers.recordIndices[i] + 1;
        LayerParts parts = BuildLoadedLayer(model, loadedLayers.particleSystems[i], layer);
        highestLayer = std::max(highestLayer, layer);
        const bool isUnicorn = ZorvaneEngine::ToLowerCase(model->name).find("unicorn") != std::string::npos;
        const int32_t stage = loadedLayers.stages[i];
        if (isUnicorn && !unicorn.window) {
            unicorn = parts;
            unicorn.window->SetVisible(false);
            SetRunning(unicorn.particleSystem, false);
        } else if (isUnicorn || stage != 0) {
            const uint32_t from = stage < 0 ? 0 : static_cast<uint32_t>(stage);
            stageLayers.windows.push_back(parts.window);
            stageLayers.models.push_back(parts.model);
            stageLayers.particleSystems.push_back(parts.particleSystem);
            stageLayers.stages.push_back(from);
            // Only the stages the player has reached show.
            parts.window->SetVisible(from <= stageIndex);
            SetRunning(parts.particleSystem, from <= stageIndex);
        } else {
            thematic.windows.push_back(parts.window);
            thematic.models.push_back(parts.model);
            thematic.particleSystems.push_back(parts.particleSystem);
            SetRunning(parts.particleSystem, true);
        }
    }
    // In front of every layer: a layer's own number never ties with it.
    frontParent->SetLayer(highestLayer + 1);
}

void GUIBackgroundWindow::DeleteEverything()
{
    centreTextPrinter.reset();
    for (GUIWindow*& piece : titlePieces)
        guiManager->DeleteWindow(piece);
    titlePieces.clear();
    frontWindows.clear();
    for (GUIWindow** window : {&frame, &logo, &additionalLogos[0], &additionalLogos[1], &mountTitle, &mountText,
                               &textAppear, &titlePlate, &textArea})
        guiManager->DeleteWindow(*window);
    const auto deleteLayer = [&](GUIWindow*& window, Model*& model, ParticleSystem*& system) {
        guiManager->DeleteWindow(window);
        delete model;
        model = nullptr;
        if (system) {
            std::replace(particleSystemManager->watchList.begin(), particleSystemManager->watchList.end(), system,
                         static_cast<ParticleSystem*>(nullptr));
            if (particleSystemManager->systems.Remove(system))
                delete system;
            system = nullptr;
        }
    };
    for (Layers* layers : {&thematic, &stageLayers}) {
        for (size_t i = 0; i < layers->windows.size(); ++i)
            deleteLayer(layers->windows[i], layers->models[i], layers->particleSystems[i]);
        *layers = Layers();
    }
    deleteLayer(unicorn.window, unicorn.model, unicorn.particleSystem);
    for (GUIWindow** window : {&menuRoot, &frontParent, &layerParent, &root})
        guiManager->DeleteWindow(*window);
}

uint32_t GUIBackgroundWindow::UpdateStageIndex()
{
    stageIndex = 0;
    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    if (!profile)
        return stageIndex;
    stageIndex = profile->stage;
    // Without stages or levels there is no last level to stand on.
    const auto& levels = levelManager->levels;
    const bool onLastLevel = !levels.empty() && profile->stage == levels.size() - 1 && !levels.back().empty() &&
                             profile->level == levels.back().size() - 1;
    if (onLastLevel && profile->furthestStage == profile->stage && profile->furthestLevel == profile->level &&
        profile->endReached)
        ++stageIndex;
    return stageIndex;
}

void GUIBackgroundWindow::FollowProfile()
{
    followedProfile = profileManager->currentProfile;
    UpdateStageIndex();
    const auto* profile = static_cast<const Profile*>(profileManager->currentProfile);
    unicornEarned = profile != nullptr && !profile->gameNotCompleted;
    // Before the menus the loaded layers are built for this stage index;
    // over a level or the show place, FadeInLayers shows them.
    if (state < BackgroundState::MenusMayStart || !fadeOn || fadingOut)
        return;
    // The unicorn comes and goes by itself (ColourMenus); the stage layers
    // reached now fade in, those not reached go.
    bool appear = false;
    for (size_t i = 0; i < stageLayers.windows.size(); ++i) {
        GUIWindow* window = stageLayers.windows[i];
        const bool reached = stageLayers.stages[i] <= stageIndex;
        if (reached == ((window->GetFlags() & GUIWindowFlags::Visible) != 0))
            continue;
        window->SetVisible(reached);
        SetRunning(stageLayers.particleSystems[i], reached);
        if (reached) {
            SetAlpha(window, 0.0f);
            SetSpriteAlpha(stageLayers.particleSystems[i], 0.0f);
            appear = true;
        }
    }
    if (appear) {
        layersAppearing = true;
        appearTime = 0.0f;
    }
}

void GUIBackgroundWindow::SetCentreText(const std::string& key)
{
    if (centreTextPrinter)
        centreTextPrinter->SetText(textManager->GetText(key));
}

bool GUIBackgroundWindow::UnicornShows() const
{
    return unicornEarned && unicornEnabled;
}

void GUIBackgroundWindow::ShowLayers()
{
    for (size_t i = 0; i < thematic.windows.size(); ++i) {
        thematic.windows[i]->SetVisible(true);
        SetRunning(thematic.particleSystems[i], true);
    }
    if (unicorn.window && UnicornShows())
        unicorn.window->SetVisible(true);
    for (size_t i = 0; i < stageLayers.windows.size(); ++i) {
        if (stageLayers.stages[i] <= stageIndex) {
            stageLayers.windows[i]->SetVisible(true);
            SetRunning(stageLayers.particleSystems[i], true);
        }
    }
}

void GUIBackgroundWindow::FadeInLayers()
{
    fadeOn = true;
    v = 0.0f;
    fadingOut = false;
    for (GUIWindow* window : frontWindows)
        window->SetVisible(true);
    ShowLayers();
    if (titlePlate)
        titlePlate->SetVisible(true);
}

void GUIBackgroundWindow::FadeOutLayers()
{
    fadeOn = true;
    v = 1.0f;
    fadingOut = true;
    ShowLayers();
    if (titlePlate)
        titlePlate->SetVisible(true);
}

bool GUIBackgroundWindow::AcknowledgeMenusMayStart()
{
    if (state != BackgroundState::MenusMayStart)
        return false;
    menuReadyAcknowledged = true;
    return true;
}

void GUIBackgroundWindow::ShowLevel()
{
    v = 1.0f;
    fadeOn = false;
    state = BackgroundState::PlateDown;
    plate.Reset();
}

void GUIBackgroundWindow::StartFinale(bool earned)
{
    unicornEnabled = true;
    unicornEarned = earned;
    finaleTime = 0.0f;
    finaleFadeIn = true;
    finaleFadeOut = false;
}

void GUIBackgroundWindow::EndFinale()
{
    finaleFadeIn = false;
    finaleFadeOut = true;
    finaleTime = 0.0f;
}

bool GUIBackgroundWindow::IsTransitionFinished() const
{
    if (fadingOut)
        return v < kTolerance;
    if (fadeOn)
        return std::abs(v - 1.0f) < kTolerance;
    return false;
}

void GUIBackgroundWindow::Update()
{
    if (!active)
        return;
    const float dt = timers->frameStep;

    if (fadeOn && !fadingOut)
        v = std::min(v + kFadeSpeed * dt, 1.0f);
    else
        v = std::max(v - kFadeSpeed * dt, 0.0f);

    if (fadingOut) {
        if (v < centreTextPrinter->color.a)
            centreTextPrinter->color = ColorRGBA(1, 1, 1, v);
    } else {
        // Over a level the scene is gone, but a window that borrowed the
        // title plate shows its title on it.
        centreTextPrinter->color = ColorRGBA(1, 1, 1, fadeOn || plate.IsUp() ? 1.0f : v);
    }
    centreTextPrinter->Update();

    if (profileManager->currentProfile != followedProfile)
        FollowProfile();
    RunStates();

    if (fadeOn) {
        if (state <= BackgroundState::MenusMayStart)
            ColourIntro(dt);
        else if (layersAppearing)
            ColourAppearingLayers(dt);
        else if (fadingOut)
            ColourFadingOut();
        else
            ColourMenus(dt);
    } else {
        ColourLevel();
    }
    RunFinale(dt);
    MoveEmitters();
}

void GUIBackgroundWindow::RunStates()
{
    switch (state) {
    case BackgroundState::IntroFrame:
        frame->SetVisible(true);
        logo->SetVisible(true);
        if (!IsPlaying(frame) && !IsPlaying(logo)) {
            if (HasPlayed(frame)) {
                state = BackgroundState::IntroTitle;
            } else {
                Play(frame);
                Play(logo);
            }
        }
        break;
    case BackgroundState::IntroTitle:
        for (GUIWindow* window : {mountTitle, mountText, textAppear})
            window->SetVisible(true);
        for (GUIWindow* piece : titlePieces)
            piece->SetVisible(true);
        for (GUIWindow* extra : additionalLogos) {
            if (extra)
                extra->SetVisible(true);
        }
        if (!IsPlaying(mountTitle) && !IsPlaying(mountText) && !IsPlaying(textAppear)) {
            if (HasPlayed(mountTitle)) {
                for (GUIWindow* piece : titlePieces)
                    SetAlpha(piece, 1.0f);
                for (GUIWindow* extra : additionalLogos)
                    SetAlpha(extra, 1.0f);
                textAppear->SetVisible(false);
                titlePlate->SetVisible(true);
                if (titlePlate->model) {
                    // Posed at the end of its range: the plate stands there.
                    AnimationControl* animation = titlePlate->model->GetAnimation();
                    const auto& ranges = animation->GetRanges();
                    auto range = ranges.find(animation->currentRangeId);
                    if (range == ranges.end())
                        range = ranges.find(-1);
                    animation->position =
                        static_cast<float>(range->second.last) - static_cast<float>(range->second.first) - kTolerance;
                }
                state = BackgroundState::TypingLoading;
            } else {
                Play(mountTitle);
                Play(mountText);
                Play(textAppear);
            }
        }
        break;
    case BackgroundState::TypingLoading:
        SetCentreText("LOADING");
        if (centreTextPrinter->done && titleRevealed)
            state = BackgroundState::ReadyForLoading;
        break;
    case BackgroundState::ReadyForLoading:
        readyForLoading = true;
        if (loaded && gameData) {
            BuildLoadedLayers();
            layersAppearing = true;
            appearTime = 0.0f;
            state = BackgroundState::MenusMayStart;
        }
        break;
    case BackgroundState::MenusMayStart:
        if (menuReadyAcknowledged)
            state = BackgroundState::Settling;
        break;
    case BackgroundState::Settling:
        if (v > kTolerance)
            state = BackgroundState::PlateDown;
        break;
    case BackgroundState::PlateDown:
        if (plate.IsRequested()) {
            SetAlpha(titlePlate, 1.0f);
            titlePlate->SetVisible(true);
            if (titlePlate->model) {
                titlePlate->model->GetAnimation()->position = 0.0f;
                Play(titlePlate);
            }
            if (gameData && gameData->levelRootWindow) {
                titlePlate->SetParent(gameData->levelRootWindow);
                titlePlate->SetLayer(PlateLevelLayer);
            }
            state = BackgroundState::PlateAppearing;
        }
        break;
    case BackgroundState::PlateAppearing:
        if (!IsPlaying(titlePlate)) {
            plate.Raised();
            titlePlate->SetParent(frontParent);
            titlePlate->SetLayer(PlateLayer);
            state = BackgroundState::PlateUp;
        }
        break;
    case BackgroundState::PlateUp:
        if (plate.IsReleaseRequested()) {
            fadeOn = false;
            v = 1.0f;
            plate.Lowered();
            // Over a level whose menu scene is already hidden nothing else
            // would take the plate away, and the next window that needs it
            // would wait for it for ever.
            if (titlePlate)
                titlePlate->SetVisible(false);
            state = BackgroundState::Settling;
        }
        break;
    }
}

void GUIBackgroundWindow::ColourIntro(float dt)
{
    if (state >= BackgroundState::TypingLoading) {
        // The title has mounted: its pieces appear one after the other.
        titleTime += dt;
        const float n = static_cast<float>(titlePieces.size());
        bool revealed = true;
        for (size_t i = 0; i < titlePieces.size(); ++i) {
            const float alpha =
                std::clamp(titleTime * n / kTitleTime - static_cast<float>(i) * kTitleStagger / n, 0.0f, 1.0f);
            SetAlpha(titlePieces[i], alpha);
            revealed = revealed && alpha > 1.0f - kTolerance;
        }
        titleRevealed = revealed;
    }
    if (IsShown(additionalLogos[0]) || IsShown(additionalLogos[1])) {
        const float alpha = std::clamp(kLogoFadeSpeed * titleTime, 0.0f, 1.0f);
        for (GUIWindow* extra : additionalLogos)
            SetAlpha(extra, alpha);
    }
}

void GUIBackgroundWindow::ColourAppearingLayers(float dt)
{
    appearTime += dt;
    const float a = std::clamp(kLayerAppearSpeed * appearTime, 0.0f, 1.0f);
    for (size_t i = 0; i < thematic.windows.size(); ++i) {
        RaiseAlpha(thematic.windows[i], a);
        RaiseSpriteAlpha(thematic.particleSystems[i], a);
    }
    for (size_t i = 0; i < stageLayers.windows.size(); ++i) {
        if (stageLayers.stages[i] <= stageIndex) {
            RaiseAlpha(stageLayers.windows[i], a);
            RaiseSpriteAlpha(stageLayers.particleSystems[i], a);
        }
    }
    if (UnicornShows())
        RaiseAlpha(unicorn.window, a);
    if (a + kTolerance > 1.0f)
        layersAppearing = false;
}

void GUIBackgroundWindow::ColourFadingOut()
{
    const float scene = 1.0f - v;
    for (size_t i = 0; i < thematic.windows.size(); ++i) {
        RaiseAlpha(thematic.windows[i], scene);
        RaiseSpriteAlpha(thematic.particleSystems[i], scene);
    }
    for (size_t i = 0; i < stageLayers.windows.size(); ++i) {
        if (stageLayers.stages[i] <= stageIndex) {
            RaiseAlpha(stageLayers.windows[i], scene);
            RaiseSpriteAlpha(stageLayers.particleSystems[i], scene);
        }
    }
    if (UnicornShows())
        RaiseAlpha(unicorn.window, scene);
    for (GUIWindow* window : frontWindows) {
        if (IsShown(window) && Alpha(window) > kTolerance)
            SetAlpha(window, v);
    }
    if (IsShown(titlePlate) && Alpha(titlePlate) > kTolerance)
        SetAlpha(titlePlate, v);
}

void GUIBackgroundWindow::ColourMenus(float dt)
{
    for (GUIWindow* window : frontWindows) {
        if (IsShown(window))
            RaiseAlpha(window, v);
    }
    for (Layers* layers : {&thematic, &stageLayers}) {
        for (size_t i = 0; i < layers->windows.size(); ++i) {
            if (IsShown(layers->windows[i]))
                RaiseAlpha(layers->windows[i], v);
            if (IsRunning(layers->particleSystems[i]))
                RaiseSpriteAlpha(layers->particleSystems[i], v);
        }
    }
    if (IsShown(titlePlate))
        RaiseAlpha(titlePlate, v);

    if (!unicorn.window)
        return;
    if (UnicornShows()) {
        if (!unicorn.window->effectivelyVisible && IsShown(thematic.windows.back())) {
            SetAlpha(unicorn.window, 0.0f);
            unicorn.window->SetVisible(true);
        }
        if (unicorn.window->effectivelyVisible)
            SetAlpha(unicorn.window, std::min(Alpha(unicorn.window) + kUnicornFadeSpeed * dt, 1.0f));
    } else if (unicorn.window->effectivelyVisible) {
        const float alpha = std::max(Alpha(unicorn.window) - kUnicornFadeSpeed * dt, 0.0f);
        SetAlpha(unicorn.window, alpha);
        if (alpha < kTolerance)
            unicorn.window->SetVisible(false);
    }
}

void GUIBackgroundWindow::ColourLevel()
{
    if (!IsShown(thematic.windows.back()))
        return;
    // The menu scene fades out over the level; once gone it is hidden, so
    // that it neither costs drawing nor flashes up when v is set to 1 again
    // while the level goes on.
    const bool gone = v < kTolerance;
    for (GUIWindow* window : frontWindows) {
        SetAlpha(window, v);
        if (gone)
            window->SetVisible(false);
    }
    for (Layers* layers : {&thematic, &stageLayers}) {
        for (size_t i = 0; i < layers->windows.size(); ++i) {
            SetAlpha(layers->windows[i], v);
            SetSpriteAlpha(layers->particleSystems[i], v);
            if (gone) {
                layers->windows[i]->SetVisible(false);
                SetRunning(layers->particleSystems[i], false);
            }
        }
    }
    if (unicorn.window) {
        SetAlpha(unicorn.window, v);
        if (gone)
            unicorn.window->SetVisible(false);
    }
    if (titlePlate)
        titlePlate->SetVisible(false);
}

void GUIBackgroundWindow::RunFinale(float dt)
{
    if (!finaleFadeIn && !finaleFadeOut)
        return;
    finaleTime += dt;
    float alpha = 0.0f;
    if (finaleFadeIn) {
        alpha = std::min(kFinaleSpeed * finaleTime, 1.0f);
        if (alpha >= 1.0f)
            finaleFadeIn = false;
    } else {
        alpha = std::max(1.0f - kFinaleSpeed * finaleTime, 0.0f);
    }
    for (GUIWindow* window : {frame, logo, additionalLogos[0], additionalLogos[1]})
        SetAlpha(window, alpha);
}

void GUIBackgroundWindow::MoveEmitters()
{
    for (Layers* layers : {&thematic, &stageLayers}) {
        for (size_t i = 0; i < layers->windows.size(); ++i) {
            ParticleSystem* system = layers->particleSystems[i];
            Model* model = layers->models[i];
            if (!model || !IsRunning(system))
                continue;
            model->Update(false);
            const ZorvaneEngine::Vector3 centre = model->box.center;
            system->emitterPosition = centre;
            if (system->spawnShape == ZorvaneEngine::SpawnShape::Box) {
                // The spawn box keeps its size and is taken around the emitter.
                const ZorvaneEngine::Vector3 half = system->box.halfSize;
                system->box.localMin = ZorvaneEngine::Vector3(-half.x, -half.y, -half.z);
                system->box.localMax = half;
                system->box.Update(false);
            }
        }
    }
}

} // namespace ActionPuzzle
