#pragma once
// A button that toggles a checked flag.
//
// So far the window part alone: the pools and factories of the GUI manager
// hold it already; its own state and behaviour are still to be written.
#include "engine/gui/GUIButton.h"

namespace ZorvaneEngine {

class GUICheckBox : public GUIButton {
public:
    using GUIButton::GUIButton;
};

} // namespace ZorvaneEngine
