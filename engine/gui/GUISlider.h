#pragma once
// A track with a thumb button dragged over a number of integer steps.
//
// So far the window part alone: the pools and factories of the GUI manager
// hold it already; its own state and behaviour are still to be written.
#include "engine/gui/GUIWindow.h"

namespace ZorvaneEngine {

class GUISlider : public GUIWindow {
public:
    using GUIWindow::GUIWindow;
};

} // namespace ZorvaneEngine
