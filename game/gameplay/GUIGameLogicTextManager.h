#pragma once
// The floating texts of one level, drawn on a window of their own in front
// of the board (layer 490 under the given parent). The level logic owns the
// manager and updates it once a frame; texts that have run their course are
// deleted in that update.
#include <memory>
#include <string>
#include <vector>

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GUIGameLogicText;

class GUIGameLogicTextManager {
public:
    GUIGameLogicTextManager(ZorvaneEngine::Engine* engine, ZorvaneEngine::GUIWindow* parent);
    // The texts, then the window.
    virtual ~GUIGameLogicTextManager();

    GUIGameLogicTextManager(const GUIGameLogicTextManager&) = delete;
    GUIGameLogicTextManager& operator=(const GUIGameLogicTextManager&) = delete;

    // A text centred on (x, y) in GUI units.
    void AddText(float x, float y, const std::u16string& text);
    void Update();
    void DeleteAll();

    const std::vector<std::unique_ptr<GUIGameLogicText>>& GetTexts() const { return texts; }
    ZorvaneEngine::GUIWindow* GetWindow() const { return window; }

private:
    ZorvaneEngine::Engine* engine;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::GUIWindow* window = nullptr;  // owned through the GUI manager's pool
    std::vector<std::unique_ptr<GUIGameLogicText>> texts;  // in order of creation
};

} // namespace ActionPuzzle
