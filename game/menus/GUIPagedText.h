#pragma once
// A text told a page at a time on a menu window: the line count from the
// text table, pages of a fixed number of lines, each page fading out and the
// next one in when the player turns it.
#include <cstdint>
#include <string>

#include "engine/core/MathTypes.h"

namespace ZorvaneEngine {
class GUITextManager;
class GUIWindow;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GUIPagedText {
public:
    // Lines are the text table's "<prefix><n>"; sizeKey's text counts them.
    GUIPagedText(std::string prefix, std::string sizeKey, uint32_t linesPerPage, float firstLineY);

    // The line count a text table gives under sizeKey: an unsigned decimal,
    // text that is not a number counting 0 lines, held to at most most.
    static uint32_t ReadLineCount(const ZorvaneEngine::GUITextManager& texts, const std::string& sizeKey,
                                  uint32_t most);

    // Back to the first page, the count read again.
    void Restart(const ZorvaneEngine::GUITextManager& texts);
    // The player turned the page: true once past the last one. A text
    // without lines ends at the first turn rather than never.
    bool Turn();
    // The page fades, per frame step in seconds.
    void Update(float dt);
    // The shown page's lines, centred across the window.
    void AddLines(ZorvaneEngine::GUIWindow& window, const ZorvaneEngine::ColorRGBA& colour) const;

    std::string prefix;
    std::string sizeKey;
    uint32_t linesPerPage;
    float firstLineY;
    uint32_t lineCount = 0;
    uint32_t pageCount = 0;
    uint32_t currentPage = 0;
    uint32_t shownPage = 0;
    float pageAlpha = 1.0f;
};

} // namespace ActionPuzzle
