#include "game/gameplay/Carriage.h"

#include "engine/Engine.h"
#include "engine/graphics/Model.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "game/common/GameData.h"
#include "game/gameplay/ModelPlacement.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr int32_t CarriageLayer = 4;

} // namespace

Carriage::Carriage(Engine* engine, GameData* gameData, GUIWindow* parent)
    : guiManager(engine->guiManager.get()), gameData(gameData)
{
    window = guiManager->CreateWindow(GUIWindowFlags::VertexColor, Vector2(0, 0), Vector2(1, 1),
                                      gameData->carriageModel, parent);
    if (window != nullptr) {
        window->SetLayer(CarriageLayer);
        window->placeModel = false;
        model = window->model;
    }
    if (model != nullptr) {
        RecentreModel(*model);
    }
    Place();
}

Carriage::~Carriage()
{
    if (guiManager->windows.Remove(window)) {
        delete window;
    }
}

void Carriage::SetScale(float s)
{
    scale = s;
    Place();
}

void Carriage::SetPosition(const Vector2& p)
{
    position = p;
    Place();
}

void Carriage::Show(bool show)
{
    if (window != nullptr) {
        window->SetVisible(show);
    }
}

bool Carriage::IsShown() const
{
    return window != nullptr && (window->GetFlags() & GUIWindowFlags::Visible) != 0;
}

void Carriage::Place()
{
    if (model == nullptr) {
        return;
    }
    model->ResetTransform();
    model->ApplyTransform(ScaleMatrix(scale, scale, 1.0f));
    model->ApplyTransform(TranslationMatrix(position.x, position.y, 0.0f));
}

} // namespace ActionPuzzle
