#include "game/gameplay/MiniGame.h"

#include <algorithm>
#include <string>

#include "engine/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/AnimationControl.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIMaterial.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/gui/TextAlign.h"
#include "framework/SoundPlayer.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"
#include "game/common/LevelManager.h"
#include "game/common/SoundId.h"
#include "game/gameplay/MiniGameCell.h"
#include "game/gameplay/ModelPlacement.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr float kTolerance = 0.0001f;
constexpr int32_t kPictureLayer = 10;
constexpr int32_t kMaskedLayer = 9;
constexpr int32_t kTotemLayer = 10;
// The whole picture fades in over the grid, and out again, at this rate.
constexpr float kPictureFade = 2.0f;
// Seconds of the cut-out picture's growth, and of its flight to the totem.
constexpr float kGrowTime = 0.85f;
constexpr float kFlightTime = 2.2f;
// The cut-out picture grows by a fifth about its centre.
constexpr float kGrowth = 1.2f;
// The three lines: fading in for half a second, out from 3 s, gone at 3.5 s.
constexpr float kTextFade = 0.5f;
constexpr float kTextOut = 3.0f;
constexpr float kTextEnd = 3.5f;
constexpr int32_t kTextLines = 3;
constexpr int32_t kTextFont = 1;
constexpr float kTextTop = 250.0f;
constexpr float kTextSpacing = 28.0f;
const char* const kTexturePrefix = "game_objects\\mini_game\\textures\\totem_";
// The JPEG's own (opaque) alpha.
const char* const kOpaque = "32bit";

Vector2 Lerp(const Vector2& a, const Vector2& b, float k)
{
    return Vector2(a.x * (1.0f - k) + b.x * k, a.y * (1.0f - k) + b.y * k);
}

void Hide(GUIWindow* window)
{
    if (window != nullptr)
        window->SetVisible(false);
}

} // namespace

MiniGame::MiniGame(Engine* engine, LevelManager* levelManager, GameData* gameData, GUIWindow* frameWidget,
                   GameFramework::SoundPlayer* soundPlayer)
    : engine(engine),
      guiManager(engine->guiManager.get()),
      timers(engine->timers.get()),
      shaderManager(engine->materials.get()),
      soundPlayer(soundPlayer),
      levelManager(levelManager),
      gameData(gameData),
      frameWidget(frameWidget)
{
    cellLayer = guiManager->CreateWindow(0, Vector2(0, 0), Vector2(0, 0), nullptr, frameWidget);
    const ShaderDescriptor plain = MakeDefaultShaderDescriptor();
    const Vector2 uv(MiniGameCell::PictureUV, MiniGameCell::PictureUV);
    for (GUIWindow** quad : {&pictureQuad, &maskedQuad}) {
        *quad = guiManager->CreateQuadWindow(GUIWindowFlags::VertexColor, Vector2(PictureX, PictureY),
                                             Vector2(PictureSide, PictureSide), &plain, frameWidget, uv);
    }
    totemWindow = guiManager->CreateWindow(GUIWindowFlags::VertexColor, Vector2(0, 0), Vector2(0, 0),
                                           gameData->controlModels.totem, frameWidget);
    if (totemWindow != nullptr) {
        totemWindow->placeModel = false;
        totemWindow->SetLayer(kTotemLayer);
    }
    if (pictureQuad != nullptr)
        pictureQuad->SetLayer(kPictureLayer);
    if (maskedQuad != nullptr)
        maskedQuad->SetLayer(kMaskedLayer);
}

MiniGame::~MiniGame()
{
    Release();
    for (GUIWindow** window : {&cellLayer, &pictureQuad, &maskedQuad, &totemWindow})
        guiManager->DeleteWindow(*window);
}

void MiniGame::Release()
{
    shaderManager->RemoveShader(pictureMaterial);
    shaderManager->RemoveShader(maskedMaterial);
    pictureMaterial = maskedMaterial = nullptr;
    // The tiles' windows stand on the cell layer: they go first.
    cells.clear();
}

const Model* MiniGame::TotemPlace() const
{
    constexpr uint32_t places = sizeof gameData->startGameModels.totems / sizeof gameData->startGameModels.totems[0];
    return stage < places ? gameData->startGameModels.totems[stage] : nullptr;
}

void MiniGame::PoseTotem()
{
    const Model* place = TotemPlace();
    const Model* look = gameData->controlModels.totem;
    if (totemWindow == nullptr || totemWindow->model == nullptr || place == nullptr || look == nullptr)
        return;
    Model& model = *totemWindow->model;
    // Fitted onto the place exactly as the level map fits its own two
    // copies, so that the flown picture turns into the map's lit totem.
    model.ResetTransform();
    const Vector3 centre = model.box.center;
    model.ApplyTransform(TranslationMatrix(-centre.x, -centre.y, -centre.z));
    const Vector2 lookSize = BoxSize(*look);
    const Vector2 placeSize = BoxSize(*place);
    if (lookSize.x > 0.0f) {
        const float k = placeSize.x / lookSize.x;
        model.ApplyTransform(ScaleMatrix(k, k, 1.0f));
    }
    const Vector3 half = model.box.halfSize;
    const Vector2 corner = BoxCorner(*place);
    model.ApplyTransform(TranslationMatrix(corner.x + half.x, corner.y + half.y, place->box.worldMin.z + half.z));
    // The stage's lit frame, held.
    if (AnimationControl* animation = model.GetAnimation()) {
        animation->looping = false;
        ShowModelFrame(*totemWindow, 2 * stage);
    }
}

void MiniGame::Start(uint32_t stageIndex)
{
    revealTime = textTime = 0.0f;
    solved = false;
    active = true;
    finished = false;
    stage = stageIndex;
    Hide(pictureQuad);
    Hide(maskedQuad);
    Hide(totemWindow);
    if (totemWindow != nullptr)
        totemWindow->SetColor(ColorRGBA(1, 1, 1, 0));
    if (maskedQuad != nullptr && pictureQuad != nullptr) {
        maskedQuad->position = pictureQuad->position;
        maskedQuad->size = pictureQuad->size;
    }
    PoseTotem();
}

void MiniGame::Build()
{
    const std::string picture = kTexturePrefix + std::to_string(stage);
    pictureMaterial = shaderManager->CreateShaderUser(MakeGUIShaderDescriptor(kOpaque, picture + ".jpg"));
    maskedMaterial = shaderManager->CreateShaderUser(MakeGUIShaderDescriptor(picture + "_alpha.jpg", picture + ".jpg"));
    if (pictureQuad != nullptr && pictureQuad->model != nullptr && pictureMaterial != nullptr)
        pictureQuad->model->SetShader(*pictureMaterial);
    if (maskedQuad != nullptr && maskedQuad->model != nullptr && maskedMaterial != nullptr)
        maskedQuad->model->SetShader(*maskedMaterial);
    Hide(pictureQuad);
    if (pictureQuad != nullptr)
        pictureQuad->SetColor(ColorRGBA(1, 1, 1, 0));
    Hide(maskedQuad);
    if (cellLayer != nullptr)
        cellLayer->SetVisible(true);

    // The catalogue refuses sizes outside 1 to its maximum, so the grid is
    // always small; a stage the catalogue does not know gets one tile.
    uint32_t n = 1;
    if (stage < levelManager->stages.size() && levelManager->stages[stage] != nullptr)
        n = std::max(static_cast<const StageInfo&>(*levelManager->stages[stage]).miniGameSize, 1u);
    const Vector2 at = pictureQuad != nullptr ? pictureQuad->position : Vector2(PictureX, PictureY);
    const Vector2 extent = pictureQuad != nullptr ? pictureQuad->size : Vector2(PictureSide, PictureSide);
    for (uint32_t c = 0; c < n; ++c) {
        for (uint32_t r = 0; r < n; ++r) {
            cells.push_back(std::make_unique<MiniGameCell>(engine, soundPlayer, gameData, n, c, r, at, extent,
                                                           pictureMaterial, cellLayer));
        }
    }
}

uint32_t MiniGame::TotalFlips() const
{
    uint32_t total = 0;
    for (const auto& cell : cells)
        total += cell->flips;
    return total;
}

bool MiniGame::IsBoardDone() const
{
    // No board yet is not a solved board.
    if (cells.empty())
        return false;
    if (TotalFlips() > FlipsPerCell * static_cast<uint32_t>(cells.size()))
        return true;
    return std::all_of(cells.begin(), cells.end(), [](const auto& cell) { return cell->IsSolved(); });
}

void MiniGame::Update(const ColorRGBA& colour)
{
    if (!active)
        return;
    if (frameWidget == nullptr || !frameWidget->effectivelyVisible) {
        // Start comes while the frame is still away: only a run that has
        // built its board ends when the frame goes.
        if (pictureMaterial != nullptr || !cells.empty()) {
            Release();
            active = false;
        }
        return;
    }
    // The board is built as the frame appears: its first visible frame is
    // the first of its appear animation. A frame without one builds it as
    // soon as it shows as well, or the stage could never end.
    if (pictureMaterial == nullptr && cells.empty())
        Build();

    const float dt = timers->frameStep;
    if (solved)
        UpdateReveal(colour, dt);

    for (auto& cell : cells)
        cell->Update(colour);
    if (!solved && IsBoardDone()) {
        solved = true;
        soundPlayer->PlaySound(SoundTotemComplete);
        for (auto& cell : cells)
            cell->inputEnabled = false;
    }
}

void MiniGame::UpdateReveal(const ColorRGBA& colour, float dt)
{
    if (cellLayer != nullptr && cellLayer->effectivelyVisible) {
        // The whole picture fades in over the grid, then takes its place.
        if (pictureQuad != nullptr) {
            pictureQuad->SetVisible(true);
            const float alpha = pictureQuad->GetColor().a + kPictureFade * dt;
            pictureQuad->SetColor(ColorRGBA(1, 1, 1, std::min(alpha, 1.0f)));
            if (alpha + kTolerance <= 1.0f)
                return;
        }
        cellLayer->SetVisible(false);
        if (maskedQuad != nullptr) {
            maskedQuad->SetVisible(true);
            maskedQuad->SetColor(ColorRGBA(1, 1, 1, 1));
        }
        return;
    }
    if (pictureQuad != nullptr && pictureQuad->effectivelyVisible) {
        const float alpha = pictureQuad->GetColor().a - kPictureFade * dt;
        if (alpha < 0.0f) {
            pictureQuad->SetVisible(false);
            revealTime = 0.0f;
        } else {
            pictureQuad->SetColor(ColorRGBA(1, 1, 1, alpha));
        }
    }
    if (maskedQuad == nullptr || !maskedQuad->effectivelyVisible)
        return;
    revealTime += dt;
    const float t = revealTime;
    const Vector2 base = pictureQuad != nullptr ? pictureQuad->position : Vector2(PictureX, PictureY);
    const Vector2 extent = pictureQuad != nullptr ? pictureQuad->size : Vector2(PictureSide, PictureSide);
    if (t < kGrowTime) {
        // From the current values with a rising k: it eases out.
        const float k = Clamp(0.0f, 1.0f, t / kGrowTime);
        const Vector2 grownAt(base.x - (kGrowth - 1.0f) * 0.5f * extent.x,
                              base.y - (kGrowth - 1.0f) * 0.5f * extent.y);
        maskedQuad->position = Lerp(maskedQuad->position, grownAt, k);
        maskedQuad->size = Lerp(maskedQuad->size, Vector2(extent.x * kGrowth, extent.y * kGrowth), k);
        return;
    }
    const float k = Clamp(0.0f, 1.0f, (t - kGrowTime) / kFlightTime);
    // A stage without a totem place fades out where it is.
    if (const Model* place = TotemPlace()) {
        maskedQuad->position = Lerp(maskedQuad->position, BoxCorner(*place), k);
        maskedQuad->size = Lerp(maskedQuad->size, BoxSize(*place), k);
        if (totemWindow != nullptr) {
            totemWindow->SetVisible(true);
            totemWindow->SetColor(ColorRGBA(1, 1, 1, k));
        }
    }
    maskedQuad->SetColor(ColorRGBA(1, 1, 1, 1.0f - k));
    if (k + kTolerance <= 1.0f)
        return;

    textTime += dt;
    float a = 1.0f;
    if (textTime < kTextFade)
        a = Clamp(0.0f, 1.0f, textTime / kTextFade);
    else if (textTime > kTextOut)
        a = Clamp(0.0f, 1.0f, (kTextEnd - textTime) / kTextFade);
    const bool lastStage = stage + 1 == levelManager->stages.size();
    const char* key = lastStage ? "MINI_GAME_GAME_COMPLETE_TEXT_" : "MINI_GAME_STAGE_COMPLETE_TEXT_";
    for (int32_t i = 0; i < kTextLines; ++i) {
        frameWidget->AddTextByKey(TextAlign::CenterX, kTextFont, key, i, 0.0f, -1.0f,
                                  Vector2(0, kTextTop - kTextSpacing * static_cast<float>(i)),
                                  ColorRGBA(1, 1, 1, colour.a * a));
    }
    if (textTime > kTextEnd) {
        finished = true;
        Hide(maskedQuad);
        Hide(totemWindow);
    }
}

} // namespace ActionPuzzle
