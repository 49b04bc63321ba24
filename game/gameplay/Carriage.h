#pragma once
// The cart behind the last piece on the path: it pushes the queue, runs the
// whole path at the end of an arcade level and sinks into the hole. Its
// model is centred on its box and placed by the cart itself.
#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Engine;
class GUIManager;
class GUIWindow;
class Model;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GameData;

class Carriage {
public:
    // Hidden until the path shows it.
    Carriage(ZorvaneEngine::Engine* engine, GameData* gameData, ZorvaneEngine::GUIWindow* parent);
    virtual ~Carriage();

    Carriage(const Carriage&) = delete;
    Carriage& operator=(const Carriage&) = delete;

    void SetScale(float s);
    void SetPosition(const ZorvaneEngine::Vector2& p);
    void Show(bool show);
    bool IsShown() const;

    ZorvaneEngine::GUIWindow* GetWindow() const { return window; }

    float scale = 1.0f;
    ZorvaneEngine::Vector2 position;

private:
    void Place();

    ZorvaneEngine::GUIManager* guiManager;
    GameData* gameData;
    ZorvaneEngine::GUIWindow* window = nullptr;  // owned through the GUI manager's pool
    ZorvaneEngine::Model* model = nullptr;       // the window's
};

} // namespace ActionPuzzle
