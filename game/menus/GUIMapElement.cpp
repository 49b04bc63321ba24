#include "game/menus/GUIMapElement.h"

#include "engine/Engine.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/tools/GUIDoubleClickDetecter.h"
#include "game/app/GameData.h"
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
    const ZorvaneEngine::Model* model = TypeModel();
    CreateWindows(model);
    // Over the element's box, on the element's window.
    const Vector2 corner = model ? BoxCorner(*model) : Vector2(0, 0);
    const Vector2 size = model ? BoxSize(*model) : Vector2(0, 0);
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

void GUIMapElement::CreateWindows(const ZorvaneEngine::Model* model)
{
    // The map's matrices carry their translation in elements 3 and 7.
    const Vector2 at(transform[3], transform[7]);
    modelWindow = guiManager->CreateWindow(GUIWindowFlags::VertexColor, at, {1, 1}, model, parent);
    modelWindow->SetLayer(2);
    shadowWindow = guiManager->CreateWindow(GUIWindowFlags::VertexColor,
                                            {at.x + kShadowOffsetX, at.y + kShadowOffsetY}, {1, 1}, model, parent);
    shadowWindow->SetLayer(1);
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
