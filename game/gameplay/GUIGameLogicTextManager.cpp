#include "game/gameplay/GUIGameLogicTextManager.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/GUIWindowFlags.h"
#include "game/gameplay/GUIGameLogicText.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr int32_t TextLayer = 490;

} // namespace

GUIGameLogicTextManager::GUIGameLogicTextManager(Engine* engine, GUIWindow* parent)
    : engine(engine), guiManager(engine->guiManager.get())
{
    window = guiManager->CreateWindow(GUIWindowFlags::Visible, Vector2(0, 0), Vector2(0, 0), nullptr, parent);
    if (window != nullptr) {
        window->SetLayer(TextLayer);
    }
}

GUIGameLogicTextManager::~GUIGameLogicTextManager()
{
    DeleteAll();
    if (guiManager->windows.Remove(window)) {
        delete window;
    }
}

void GUIGameLogicTextManager::AddText(float x, float y, const std::u16string& text)
{
    texts.push_back(std::make_unique<GUIGameLogicText>(x, y, text, engine, window));
}

void GUIGameLogicTextManager::Update()
{
    for (std::unique_ptr<GUIGameLogicText>& text : texts) {
        text->Update();
        if (!text->alive) {
            text.reset();
        }
    }
    std::erase(texts, nullptr);
}

void GUIGameLogicTextManager::DeleteAll()
{
    texts.clear();
}

} // namespace ActionPuzzle
