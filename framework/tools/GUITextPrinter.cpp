#include "framework/tools/GUITextPrinter.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlign.h"

namespace GameTools {

GUITextPrinter::GUITextPrinter(const ZorvaneEngine::ColorRGBA& color, ZorvaneEngine::Engine& engine,
                               const ZorvaneEngine::Vector2& position, ZorvaneEngine::GUIWindow* window,
                               float speed)
    : window(window), align(ZorvaneEngine::TextAlign::Center), speed(speed), position(position),
      color(color), timers(engine.timers.get()), fonts(engine.guiManager->GetFontManager())
{
}

void GUITextPrinter::SetText(const std::u16string& text)
{
    done = done && text == targetText;
    targetText = text;
}

void GUITextPrinter::Update()
{
    if (!window)
        return;
    const float step = timers->frameStep;
    std::u16string text;
    if (shownText == targetText) {
        count = std::min(count + step * speed, static_cast<float>(targetText.size()) + ZorvaneEngine::kTolerance);
        text = targetText;
    } else {
        count -= step * speed;
        text = shownText;
        if (count < ZorvaneEngine::kTolerance) {
            count = 0.0f;
            shownText = targetText;  // typing starts with the next update
        }
    }

    // The whole text is placed as the alignment wants it and the prefix is
    // drawn unaligned from there, so it does not move as it grows.
    const ZorvaneEngine::Vector2 aligned = fonts->GetTextPosition(align, fontId, position, 0.0f, text, *window);
    const ZorvaneEngine::Vector2 unaligned = fonts->GetTextPosition(0, fontId, position, 0.0f, text, *window);
    const ZorvaneEngine::Vector2 offset(aligned.x - unaligned.x, aligned.y - unaligned.y);

    const std::u16string prefix = text.substr(0, static_cast<size_t>(count));
    if (!prefix.empty())
        window->AddText(0, fontId, prefix, 0.0f, -1.0f, offset, color);
    done = prefix == targetText;
}

} // namespace GameTools
