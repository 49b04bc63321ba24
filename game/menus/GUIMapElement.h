#pragma once
// One place on the level map: the element's model in the look of its state,
// a shadow under it and an invisible button over it for the clicks.
#include <array>
#include <cstdint>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class Engine;
class GUIButton;
class GUIManager;
class GUIWindow;
class Model;
} // namespace ZorvaneEngine

namespace GameTools {
class GUIDoubleClickDetecter;
}

namespace ActionPuzzle {

class GameData;

enum class MapElementType : int32_t { Start = 0, Finish = 1, CheckPoint = 2, Path = 3 };

class GUIMapElement {
public:
    // The states are also the model's frames; frame 2 is the hover look
    // and frame 5 the shadow's.
    static constexpr uint32_t Open = 0;
    static constexpr uint32_t Passed = 1;
    static constexpr uint32_t Hover = 2;
    static constexpr uint32_t Current = 3;
    static constexpr uint32_t Ahead = 4;  // shown by the preview, not clickable
    static constexpr uint32_t ShadowFrame = 5;

    GUIMapElement(ZorvaneEngine::Engine* engine, MapElementType type, GameData* gameData,
                  GameTools::GUIDoubleClickDetecter* detecter, const std::array<float, 16>& transform, uint32_t stage,
                  uint32_t index, ZorvaneEngine::GUIWindow* parent);
    virtual ~GUIMapElement();

    GUIMapElement(const GUIMapElement&) = delete;
    GUIMapElement& operator=(const GUIMapElement&) = delete;

    // Model, shadow and button; showing enables the click again.
    void SetVisible(bool visible);
    void DisableClick();
    void SetState(uint32_t newState);
    // A path element shows the check point's model where the player stands.
    void SetCheckPointModel(bool checkPoint);
    void SetAlpha(float alpha);
    void ShowFrame(uint32_t frame);
    bool IsVisible() const;

    ZorvaneEngine::GUIWindow* modelWindow = nullptr;   // owned
    ZorvaneEngine::GUIWindow* shadowWindow = nullptr;  // owned
    ZorvaneEngine::GUIButton* clickButton = nullptr;   // owned
    std::array<float, 16> transform;
    MapElementType type;
    bool highlighted = false;
    uint32_t stage;
    uint32_t index;
    uint32_t state = Open;
    bool clickDisabled = false;
    bool checkPointLook = false;

private:
    // A hidden window showing a copy of the model placed by the matrix.
    ZorvaneEngine::GUIWindow* CreateModelWindow(const ZorvaneEngine::Model* model,
                                                const ZorvaneEngine::Matrix4& placement, int32_t layer);
    void CreateWindows(const ZorvaneEngine::Model* model);
    void DeleteWindows();
    const ZorvaneEngine::Model* TypeModel() const;

    ZorvaneEngine::GUIManager* guiManager;
    GameData* gameData;
    GameTools::GUIDoubleClickDetecter* detecter;
    ZorvaneEngine::GUIWindow* parent;
};

} // namespace ActionPuzzle
