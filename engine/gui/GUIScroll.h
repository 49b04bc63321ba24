#pragma once
// A slider with two arrow buttons that step the position, repeating while held.
//
// So far the window part alone: the pools and factories of the GUI manager
// hold it already; its own state and behaviour are still to be written.
#include "engine/gui/GUISlider.h"

namespace ZorvaneEngine {

class GUIScroll : public GUISlider {
public:
    using GUISlider::GUISlider;
};

} // namespace ZorvaneEngine
