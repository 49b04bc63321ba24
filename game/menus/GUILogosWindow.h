#pragma once
// The first screen: up to two full-screen splash pictures ("data\splash1.jpg"
// and "data\splash2.jpg"), the first in front of the second. Each stands
// for 1.5 s and fades out in 1 s, revealing the next; the screen is done in
// the frame after the last one has gone, at once when there is none.
#include "framework/MenuScreenBases.h"

namespace ZorvaneEngine {
class FileManager;
class GUIManager;
class GUIWindow;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GUILogosWindow : public GameFramework::GUILogosWindowBase {
public:
    static constexpr float StandTime = 1.5f;  // seconds fully shown
    static constexpr float FadeTime = 1.0f;   // seconds fading out

    explicit GUILogosWindow(ZorvaneEngine::Engine* engine);
    ~GUILogosWindow() override;

    void Open() override;
    // Deletes the pictures: the screen is not shown again.
    void Close() override;
    void Update() override;

    ZorvaneEngine::GUIWindow* GetSplash(int index) const { return splash[index]; }

private:
    ZorvaneEngine::FileManager* fileManager;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::GUIWindow* root = nullptr;
    // The picture in front first; null when missing.
    ZorvaneEngine::GUIWindow* splash[2] = {nullptr, nullptr};
    bool open = false;
    float time = 0.0f;
};

} // namespace ActionPuzzle
