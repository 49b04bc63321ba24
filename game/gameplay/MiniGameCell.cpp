#include "game/gameplay/MiniGameCell.h"

#include <algorithm>
#include <cmath>

#include "engine/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/graphics/Model.h"
#include "engine/graphics/ModelFlags.h"
#include "engine/graphics/ShaderUser.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "engine/input/Controls.h"
#include "framework/SoundPlayer.h"
#include "game/common/GameData.h"
#include "game/common/SoundId.h"
#include "game/gameplay/ModelPlacement.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr uint32_t kNoDirection = 4;
constexpr int32_t kBorderLayer = 2;
constexpr int32_t kArrowLayer = 3;
// An arrow sits this many units inside the tile's edge.
constexpr float kArrowInset = 10.0f;
// Arrows fade in and out at this rate, per second.
constexpr float kArrowFade = 4.0f;
// Presses closer to the centre than this part of the diagonal mean no
// direction.
constexpr float kDeadZone = 0.1f;
// Each cell's picture is inset by this part of a cell on every side, so the
// filtering never pulls in the neighbour's texels at the seams.
constexpr float kPictureInset = 0.005f;
constexpr float kPictureScale = 0.99f;

// Unit offsets from the centre to the edge an arrow stands at, by direction:
// the up arrow stands at the bottom edge, where the press that turns the
// tile up is made.
const Vector2 kArrowSides[4] = {{0, -1}, {-1, 0}, {0, 1}, {1, 0}};

Matrix4 RotationX(float a)
{
    Matrix4 m = Matrix4::Identity();
    m[5] = std::cos(a);
    m[6] = -std::sin(a);
    m[9] = std::sin(a);
    m[10] = std::cos(a);
    return m;
}

Matrix4 RotationY(float a)
{
    Matrix4 m = Matrix4::Identity();
    m[0] = std::cos(a);
    m[2] = std::sin(a);
    m[8] = -std::sin(a);
    m[10] = std::cos(a);
    return m;
}

} // namespace

uint32_t FaceAfterFlip(uint32_t face, uint32_t direction)
{
    const bool vertical = direction == FlipUp || direction == FlipDown;
    return (face & 3u) ^ (vertical ? 1u : 2u);
}

std::array<float, 2> RestingAngles(uint32_t face)
{
    return {(face & 1u) ? kPi : 0.0f, (face & 2u) ? kPi : 0.0f};
}

uint32_t DirectionOfQuadrant(const Vector2& d)
{
    // Strictly inside both half-planes of a triangle: a point on a diagonal
    // belongs to none.
    if (d.y < d.x && d.y < -d.x)
        return FlipUp;
    if (d.x < d.y && d.x < -d.y)
        return FlipRight;
    if (d.y > d.x && d.y > -d.x)
        return FlipDown;
    if (d.x > d.y && d.x > -d.y)
        return FlipLeft;
    return kNoDirection;
}

MiniGameCell::MiniGameCell(Engine* engine, GameFramework::SoundPlayer* soundPlayer, GameData* gameData,
                           uint32_t gridSize, uint32_t column, uint32_t row, const Vector2& boardPosition,
                           const Vector2& boardSize, const ShaderUser* material, GUIWindow* parent)
    : column(column),
      row(row),
      timers(engine->timers.get()),
      controls(engine->input.get()),
      guiManager(engine->guiManager.get()),
      soundPlayer(soundPlayer)
{
    const GameData::MiniGameModels& looks = gameData->miniGameModels;
    const Model* sources[3] = {looks.cellBorder, looks.cellTop, looks.cellBottom};
    for (int i = 0; i < 3; ++i) {
        GUIWindow* window = guiManager->CreateWindow(GUIWindowFlags::Visible | GUIWindowFlags::VertexColor,
                                                     Vector2(0, 0), Vector2(1, 1), sources[i], parent);
        faceWindows[i] = window;
        if (window == nullptr)
            continue;
        window->placeModel = false;
        faceModels[i] = window->model;
        if (Model* model = window->model) {
            if (i > 0 && material != nullptr)
                model->SetShader(*material);
            // The tile is solid while it turns: its near side must hide its
            // far side, whatever order they are drawn in.
            model->flags |= ModelFlags::DepthTest | ModelFlags::TwoPasses;
            model->flags &= ~(ModelFlags::Cull1 | ModelFlags::NoDepthWrite | ModelFlags::Cull2);
        }
    }
    if (faceWindows[0] != nullptr)
        faceWindows[0]->SetLayer(kBorderLayer);

    const uint32_t n = std::max(gridSize, 1u);
    const float w = boardSize.x / static_cast<float>(n);
    const Model* border = looks.cellBorder;
    const float borderWidth = border != nullptr ? border->box.worldMax.x - border->box.worldMin.x : 0.0f;
    const float k = borderWidth > 0.0f ? w / borderWidth : 1.0f;
    const Vector2 corner(boardPosition.x + static_cast<float>(column) * w,
                         boardPosition.y + static_cast<float>(row) * w);
    size = Vector2(w, w);
    centre = Vector2(corner.x + w * 0.5f, corner.y + w * 0.5f);
    angles = startAngles = RestingAngles(0);

    // Every face model is scaled about the border's centre, so the three
    // stay together whatever their own boxes are.
    const Vector3 borderCentre = border != nullptr ? (border->box.worldMin + border->box.worldMax) * 0.5f : Vector3();
    for (Model* model : faceModels) {
        if (model == nullptr)
            continue;
        model->ApplyTransform(TranslationMatrix(-borderCentre.x, -borderCentre.y, -borderCentre.z));
        model->ApplyTransform(ScaleMatrix(k, k, k));
        model->baseTransform = model->currentTransform;
    }
    // Each tile shows its 1/n × 1/n part of the picture's square.
    const float nf = static_cast<float>(n);
    for (int i = 1; i < 3; ++i) {
        Model* model = faceModels[i];
        ShaderUser* own = model != nullptr ? model->GetMaterial() : nullptr;
        if (own == nullptr || own->stageCount == 0)
            continue;
        ShaderStage& stage = own->stages[0];
        stage.addressU = stage.addressV = 1;
        stage.scaleU = stage.scaleV = PictureUV * kPictureScale / nf;
        stage.offsetU = PictureUV * (static_cast<float>(column) + kPictureInset) / nf;
        stage.offsetV = PictureUV * (static_cast<float>(row) + kPictureInset) / nf;
    }

    const Vector2 half(faceModels[0] != nullptr ? faceModels[0]->box.halfSize.x : w * 0.5f,
                       faceModels[0] != nullptr ? faceModels[0]->box.halfSize.y : w * 0.5f);
    const Model* arrows[4] = {looks.arrowUp, looks.arrowRight, looks.arrowDown, looks.arrowLeft};
    for (int i = 0; i < 4; ++i) {
        GUIWindow* window = guiManager->CreateWindow(GUIWindowFlags::Visible | GUIWindowFlags::VertexColor,
                                                     Vector2(0, 0), Vector2(0, 0), arrows[i], parent);
        arrowWindows[i] = window;
        if (window == nullptr)
            continue;
        window->SetLayer(kArrowLayer);
        window->placeModel = false;
        if (Model* model = window->model) {
            RecentreModel(*model);
            model->ApplyTransform(TranslationMatrix(centre.x + (half.x - kArrowInset) * kArrowSides[i].x,
                                                    centre.y + (half.y - kArrowInset) * kArrowSides[i].y, 0.0f));
        }
        window->SetColor(ColorRGBA(1, 1, 1, 0));
    }

    hitWindow = guiManager->CreateWindow(GUIWindowFlags::Visible,
                                         Vector2(centre.x - (w - 1.0f) * 0.5f, centre.y - (w - 1.0f) * 0.5f),
                                         Vector2(w - 1.0f, w - 1.0f), nullptr, parent);
    PlaceModels();
}

MiniGameCell::~MiniGameCell()
{
    for (GUIWindow*& window : faceWindows)
        guiManager->DeleteWindow(window);
    for (GUIWindow*& window : arrowWindows)
        guiManager->DeleteWindow(window);
    guiManager->DeleteWindow(hitWindow);
}

void MiniGameCell::StartFlip(uint32_t towards)
{
    direction = towards;
    fromFace = face;
    face = FaceAfterFlip(face, towards);
    soundPlayer->PlaySound(SoundTotemFlip);
}

void MiniGameCell::UpdateInput(float dt)
{
    bool lit[4] = {false, false, false, false};
    if (scramblesLeft == 0 && hitWindow != nullptr && hitWindow->hovered && face != 0 && IsResting() &&
        inputEnabled) {
        const Vector2 parentAt = hitWindow->GetParentAbsolutePosition();
        const Vector2 q(hitWindow->position.x + parentAt.x + hitWindow->size.x * 0.5f,
                        hitWindow->position.y + parentAt.y + hitWindow->size.y * 0.5f);
        const GUICursor* cursor = guiManager->GetDefaultCursor();
        const Vector2 at = cursor != nullptr ? cursor->position : q;
        const Vector2 d(at.x - q.x, at.y - q.y);
        const float diagonal = std::sqrt(hitWindow->size.x * hitWindow->size.x + hitWindow->size.y * hitWindow->size.y);
        if (std::sqrt(d.x * d.x + d.y * d.y) > kDeadZone * diagonal) {
            const uint32_t wanted = DirectionOfQuadrant(d);
            if (wanted != kNoDirection) {
                lit[wanted] = true;
                if (controls->IsKeyPressed("MOUSE1")) {
                    StartFlip(wanted);
                    ++flips;
                }
            }
        }
    }
    for (int i = 0; i < 4; ++i)
        arrowAlphas[i] = Clamp(0.0f, 1.0f, arrowAlphas[i] + (lit[i] ? kArrowFade : -kArrowFade) * dt);
}

void MiniGameCell::UpdateFlip(float dt)
{
    const float step = FlipSpeed * dt;
    const uint32_t pair = face ^ fromFace;
    if (pair == 1) {
        // About x; the upright pair and the upside-down pair turn opposite
        // ways for the same direction, so the picture always rolls the way
        // the arrow points.
        const bool upright = std::min(face, fromFace) == 0;
        const float sign = direction == FlipUp ? 1.0f : direction == FlipDown ? -1.0f : 0.0f;
        angles[0] += (upright ? sign : -sign) * step;
    } else if (pair == 2) {
        const float sign = direction == FlipRight ? -1.0f : direction == FlipLeft ? 1.0f : 0.0f;
        angles[1] += sign * step;
    }
    if (std::fabs(angles[0] - startAngles[0]) > kPi || std::fabs(angles[1] - startAngles[1]) > kPi)
        fromFace = face;
}

void MiniGameCell::PlaceModels()
{
    for (Model* model : faceModels) {
        if (model == nullptr)
            continue;
        model->ResetTransform();
        model->ApplyTransform(RotationX(angles[0]));
        model->ApplyTransform(RotationY(angles[1]));
        model->ApplyTransform(TranslationMatrix(centre.x, centre.y, 0.0f));
    }
}

void MiniGameCell::Update(const ColorRGBA& colour)
{
    const float dt = timers->frameStep;
    UpdateInput(dt);
    for (int i = 0; i < 4; ++i) {
        if (arrowWindows[i] != nullptr)
            arrowWindows[i]->SetColor(ColorRGBA(colour.r, colour.g, colour.b, arrowAlphas[i] * colour.a));
    }

    // The random turns: from two seconds after creation, one after another.
    idleTime += dt;
    if (scramblesLeft > 0 && IsResting() && idleTime > ScrambleDelay) {
        StartFlip(RandomValue() & 3u);
        --scramblesLeft;
    }

    if (!IsResting())
        UpdateFlip(dt);
    if (IsResting()) {
        // Snaps exactly onto the face at the end of a turn.
        angles = RestingAngles(face);
        startAngles = angles;
    }
    PlaceModels();

    for (int i = 1; i < 3; ++i) {
        if (faceWindows[i] != nullptr)
            faceWindows[i]->SetColor(colour);
    }
    // A tile at rest on its right face loses its border.
    if (faceWindows[0] != nullptr)
        faceWindows[0]->SetColor(face == 0 && fromFace == 0 ? ColorRGBA(1, 1, 1, 0) : colour);
}

} // namespace ActionPuzzle
