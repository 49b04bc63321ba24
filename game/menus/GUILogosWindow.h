#pragma once
// The logos screen at start-up. No splash pictures are shown yet, so it is
// done at its first update after it opened.
#include "framework/MenuScreenBases.h"

namespace ActionPuzzle {

class GUILogosWindow : public GameFramework::GUILogosWindowBase {
public:
    explicit GUILogosWindow(ZorvaneEngine::Engine* engine) : GUILogosWindowBase(engine) {}

    void Open() override { open = true; }
    void Close() override { open = false; }
    void Update() override;

private:
    bool open = false;
};

} // namespace ActionPuzzle
