#include "game/gameplay/GUIGameLogicText.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"

namespace ActionPuzzle {

using namespace ZorvaneEngine;

namespace {

constexpr float GrowTime = 0.2f;
constexpr float FullSize = 22.0f;
constexpr float RiseSpeed = 35.0f;
constexpr float FadeStart = 1.2f;
constexpr float FadeTime = 0.75f;
constexpr float LifeTime = 1.95f;

} // namespace

GUIGameLogicText::GUIGameLogicText(float x, float y, const std::u16string& text, Engine* engine, GUIWindow* window)
    : x(x), y(y), lines(SplitLines(text)), timers(engine->timers.get()), guiManager(engine->guiManager.get()),
      fonts(engine->guiManager->GetFontManager()), window(window)
{
}

std::vector<std::u16string> GUIGameLogicText::SplitLines(const std::u16string& text)
{
    std::vector<std::u16string> result;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            result.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size()) {
        result.push_back(text.substr(start));
    }
    return result;
}

void GUIGameLogicText::Update()
{
    age += timers->frameStep;
    const float t = age;
    alpha = 5.0f * std::min(t, GrowTime);
    size = FullSize * alpha;
    rise = 0.0f;
    if (t > GrowTime) {
        rise = RiseSpeed * (t - GrowTime);
    }
    if (t > FadeStart) {
        alpha = 1.0f - std::min(t - FadeStart, FadeTime) / FadeTime;
    }
    if (t > LifeTime) {
        alive = false;
    }

    if (window == nullptr) {
        return;
    }
    const GUIFont* font = fonts != nullptr ? fonts->GetFont(FontId) : nullptr;
    const auto count = static_cast<float>(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) {
            continue;
        }
        const float width = font != nullptr ? font->MeasureText(lines[i], 0.0f, size).x : 0.0f;
        const float row = count - 1.0f - static_cast<float>(i);
        const Vector2 offset(x - width / 2.0f, y + row * size - count * size / 2.0f + rise);
        window->AddText(0, FontId, lines[i], 0.0f, size, offset, ColorRGBA(1, 1, 1, alpha));
    }
}

} // namespace ActionPuzzle
