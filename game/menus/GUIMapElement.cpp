#include "game/menus/GUIMapElement.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/tools/GUIDoubleClickDetecter.h"
#include "game/common/GUIModelHelpers.h"
#include "game/common/GameData.h"
#include "game/menus/GUIControl.h"

namespace ActionPuzzle {

using ZorvaneEngine::ColorRGBA;
using ZorvaneEngine::GUIWindowFlags;
using ZorvaneEngine::Vector2;

namespace {

// The shadow lies this far right and down of the element, in GUI units.
constexpr float kShadowOffsetX = 2.0f;
constexpr float kShadowOffsetY = -2.0f;

} // namespace

GUIMapElement::GUIMapElement(ZorvaneEngine::Engine* engine, MapElementType type, GameData* gameData,
                             GameTools::GUIDoubleClickDetecter* detecter, const std::array<float, 16>& transform,
                             uint32_t stage, uint32_t index, ZorvaneEngine::GUIWindow* parent)
    : transform(transform),
      type(type),
      stage(stage),
      index(index),
      guiManager(engine->guiManager.get()),
      gameData(gameData),
      detecter(detecter),
      parent(parent)
{
    CreateWindows(TypeModel());
    // Over the box of the element as the map places it, on its window.
    const ZorvaneEngine::Model* placed = modelWindow->model;
    const Vector2 corner = placed ? BoxCorner(*placed) : Vector2(0, 0);
    const Vector2 size = placed ? BoxSize(*placed) : Vector2(0, 0);
    clickButton = guiManager->CreateButton(0, corner, size, nullptr, modelWindow);
    if (detecter)
        detecter->AddWindow(clickButton);
    SetState(Open);
}

GUIMapElement::~GUIMapElement()
{
    if (clickButton && guiManager->buttons.Remove(clickButton))
        delete clickButton;
    DeleteWindows();
}

const ZorvaneEngine::Model* GUIMapElement::TypeModel() const
{
    const GameData::MapModels& models = gameData->mapModels;
    switch (type) {
    case MapElementType::Start: return models.start;
    case MapElementType::Finish: return models.finish;
    case MapElementType::CheckPoint: return models.checkPoint;
    case MapElementType::Path: break;
    }
    return checkPointLook ? models.pathCheckPoint : models.path;
}

ZorvaneEngine::GUIWindow* GUIMapElement::CreateModelWindow(const ZorvaneEngine::Model* model,
                                                           const ZorvaneEngine::Matrix4& placement, int32_t layer)
{
    ZorvaneEngine::GUIWindow* window = guiManager->CreateWindow(GUIWindowFlags::VertexColor, {0, 0}, {1, 1}, model,
                                                                parent);
    window->SetLayer(layer);
    // The map's matrix places the model, turned and scaled as it says.
    window->placeModel = false;
    if (window->model) {
        window->model->baseTransform = placement;
        window->model->ResetTransform();
    }
    return window;
}

void GUIMapElement::CreateWindows(const ZorvaneEngine::Model* model)
{
    ZorvaneEngine::Matrix4 placement;
    std::copy(transform.begin(), transform.end(), placement.m);
    modelWindow = CreateModelWindow(model, placement, 2);
    // The shadow's offset comes after the map's matrix: the translation
    // (elements 3 and 7) moves, whatever the turn.
    placement[3] += kShadowOffsetX;
    placement[7] += kShadowOffsetY;
    shadowWindow = CreateModelWindow(model, placement, 1);
    ShowModelFrame(*shadowWindow, ShadowFrame);
}

void GUIMapElement::DeleteWindows()
{
    for (ZorvaneEngine::GUIWindow** window : {&shadowWindow, &modelWindow}) {
        if (*window && guiManager->windows.Remove(*window))
            delete *window;
        *window = nullptr;
    }
}

void GUIMapElement::SetVisible(bool visible)
{
    modelWindow->SetVisible(visible);
    shadowWindow->SetVisible(visible);
    clickButton->SetVisible(visible);
    if (visible) {
        clickDisabled = false;
        clickButton->SetEnabled(true);
    }
}

bool GUIMapElement::IsVisible() const
{
    return modelWindow->effectivelyVisible;
}

void GUIMapElement::DisableClick()
{
    clickDisabled = true;
    clickButton->SetEnabled(false);
}

void GUIMapElement::ShowFrame(uint32_t frame)
{
    ShowModelFrame(*modelWindow, frame);
}

void GUIMapElement::SetState(uint32_t newState)
{
    state = newState;
    ShowFrame(state);
    if (!clickDisabled)
        clickButton->SetEnabled(state < Ahead);
    if (state < Ahead)
        SetAlpha(1.0f);
}

void GUIMapElement::SetAlpha(float alpha)
{
    if (modelWindow->effectivelyVisible)
        modelWindow->SetColor(ColorRGBA(1, 1, 1, alpha));
    if (shadowWindow->effectivelyVisible)
        shadowWindow->SetColor(ColorRGBA(1, 1, 1, alpha));
}

void GUIMapElement::SetCheckPointModel(bool checkPoint)
{
    if (type != MapElementType::Path || checkPoint == checkPointLook)
        return;
    checkPointLook = checkPoint;
    const bool visible = (modelWindow->GetFlags() & GUIWindowFlags::Visible) != 0;
    DeleteWindows();
    CreateWindows(TypeModel());
    clickButton->SetParent(modelWindow);
    modelWindow->SetVisible(visible);
    shadowWindow->SetVisible(visible);
    ShowFrame(state);
}

} // namespace ActionPuzzle
