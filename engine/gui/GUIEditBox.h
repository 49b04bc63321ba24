#pragma once
// A single-line editor of wide text with a caret, limited by characters and width.
//
// So far the window part alone: the pools and factories of the GUI manager
// hold it already; its own state and behaviour are still to be written.
#include "engine/gui/GUIWindow.h"

namespace ZorvaneEngine {

class GUIEditBox : public GUIWindow {
public:
    using GUIWindow::GUIWindow;
};

} // namespace ZorvaneEngine
