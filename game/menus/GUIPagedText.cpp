#include "game/menus/GUIPagedText.h"

#include <algorithm>
#include <cstdlib>

#include "engine/core/TextUtils.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextAlign.h"

namespace ActionPuzzle {

namespace {

constexpr int32_t kTextFont = 2;
constexpr float kLineStep = 20.0f;
constexpr float kFadeOut = 4.0f;  // per second
constexpr float kFadeIn = 2.0f;
// A count beyond any text; a damaged table must not queue millions of lines.
constexpr uint32_t kMaxLines = 10000;

} // namespace

GUIPagedText::GUIPagedText(std::string prefix, std::string sizeKey, uint32_t linesPerPage, float firstLineY)
    : prefix(std::move(prefix)), sizeKey(std::move(sizeKey)), linesPerPage(linesPerPage), firstLineY(firstLineY)
{
}

uint32_t GUIPagedText::ReadLineCount(const ZorvaneEngine::GUITextManager& texts, const std::string& sizeKey,
                                     uint32_t most)
{
    const std::string size = ZorvaneEngine::ToNarrow(texts.GetText(sizeKey));
    return static_cast<uint32_t>(std::min<unsigned long>(std::strtoul(size.c_str(), nullptr, 10), most));
}

void GUIPagedText::Restart(const ZorvaneEngine::GUITextManager& texts)
{
    lineCount = ReadLineCount(texts, sizeKey, kMaxLines);
    pageCount = (lineCount + linesPerPage - 1) / linesPerPage;
    currentPage = 0;
    shownPage = 0;
    pageAlpha = 1.0f;
}

bool GUIPagedText::Turn()
{
    ++currentPage;
    return currentPage >= pageCount;
}

void GUIPagedText::Update(float dt)
{
    if (currentPage >= pageCount)
        return;
    if (shownPage != currentPage) {
        pageAlpha -= kFadeOut * dt;
        if (pageAlpha < 0.0f) {
            pageAlpha = 0.0f;
            shownPage = currentPage;
        }
    } else {
        pageAlpha = std::min(pageAlpha + kFadeIn * dt, 1.0f);
    }
}

void GUIPagedText::AddLines(ZorvaneEngine::GUIWindow& window, const ZorvaneEngine::ColorRGBA& colour) const
{
    const uint32_t first = linesPerPage * shownPage;
    const uint32_t lines = lineCount > first ? std::min(linesPerPage, lineCount - first) : 0;
    const ZorvaneEngine::ColorRGBA pageColour(colour.r, colour.g, colour.b, colour.a * pageAlpha);
    for (uint32_t i = 0; i < lines; ++i) {
        window.AddTextByKey(ZorvaneEngine::TextAlign::CenterX, kTextFont, prefix, static_cast<int32_t>(first + i),
                            0.0f, -1.0f, {0, firstLineY - kLineStep * static_cast<float>(i)}, pageColour);
    }
}

} // namespace ActionPuzzle
