#pragma once
// One floating text over the level (a score, a combo, a bonus's name): it
// grows to full size in 0.2 s, rises at 35 units a second from then on,
// fades out from 1.2 s and is gone after 1.95 s. Every line is centred on
// the text's position; the block of lines is centred vertically on it.
#include <string>
#include <vector>

namespace ZorvaneEngine {
class Engine;
class GUIFontManager;
class GUIManager;
class GUIWindow;
class TimerManager;
} // namespace ZorvaneEngine

namespace ActionPuzzle {

class GUIGameLogicText {
public:
    // The font the texts are drawn in.
    static constexpr int32_t FontId = 10;

    // The text is split at every line feed; a line feed at the end adds no
    // empty last line, and an empty text has no lines.
    GUIGameLogicText(float x, float y, const std::u16string& text, ZorvaneEngine::Engine* engine,
                     ZorvaneEngine::GUIWindow* window);
    virtual ~GUIGameLogicText() = default;

    GUIGameLogicText(const GUIGameLogicText&) = delete;
    GUIGameLogicText& operator=(const GUIGameLogicText&) = delete;

    // Ages the text by the frame step and queues its lines on the window.
    void Update();

    // Splits text into the lines a floating text shows.
    static std::vector<std::u16string> SplitLines(const std::u16string& text);

    float x;
    float y;
    std::vector<std::u16string> lines;
    float age = 0.0f;
    // False from the update in which the text is drawn for the last time.
    bool alive = true;
    // What the last update drew with.
    float size = 0.0f;
    float alpha = 0.0f;
    float rise = 0.0f;

private:
    ZorvaneEngine::TimerManager* timers;
    ZorvaneEngine::GUIManager* guiManager;
    ZorvaneEngine::GUIFontManager* fonts;
    ZorvaneEngine::GUIWindow* window;
};

} // namespace ActionPuzzle
