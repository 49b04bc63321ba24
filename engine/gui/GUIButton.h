#pragma once
// A clickable window: hover, press and click logic, its sounds, and the state that selects the frame of its art.
//
// So far the window part alone: the pools and factories of the GUI manager
// hold it already; its own state and behaviour are still to be written.
#include "engine/gui/GUIWindow.h"

namespace ZorvaneEngine {

class GUIButton : public GUIWindow {
public:
    using GUIWindow::GUIWindow;
};

} // namespace ZorvaneEngine
