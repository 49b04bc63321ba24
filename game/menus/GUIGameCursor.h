#pragma once
// The game's mouse pointer. For now the framework's cursor with no kinds of
// its own: the system arrow.
#include "framework/GUIGameCursorBase.h"

namespace ActionPuzzle {

class GUIGameCursor : public GameFramework::GUIGameCursorBase {
public:
    explicit GUIGameCursor(ZorvaneEngine::Engine* engine) : GUIGameCursorBase(engine) {}
};

} // namespace ActionPuzzle
