#pragma once
// The drop-down console: a translucent panel that slides down from the top
// edge of the GUI area on its toggle key, shows the log as it is written
// (errors red, warnings grey), and runs the lines typed into its command
// line through the configuration, printing what they did. It keeps the
// commands run for Up and Down, completes names on Tab and scrolls with
// Page Up and Page Down.
//
// Made by Engine::CreateConsole only, with the engine's services; updated
// by the engine after the GUI manager. Its settings are the configuration
// variables "ui_console_alpha", "ui_console_size", "ui_console_speed",
// "ui_console_key" and the unsaved "say". Main thread only.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/console/ConsoleLine.h"

namespace ZorvaneEngine {

class Config;
class Controls;
class GUIEditBox;
class GUIFont;
class GUIManager;
class GUIWindow;
class MessageManager;
class ShaderDescriptor;
class ShaderManager;
class TimerManager;

class Console {
public:
    enum State : int32_t { SlidingIn = 0, Shown = 1, SlidingOut = 2, Hidden = 3 };

    // Virtual-key codes the console reacts to.
    static constexpr uint16_t KeyTab = 0x09;
    static constexpr uint16_t KeyEnter = 0x0D;
    static constexpr uint16_t KeyEscape = 0x1B;
    static constexpr uint16_t KeyPageUp = 0x21;
    static constexpr uint16_t KeyPageDown = 0x22;
    static constexpr uint16_t KeyUp = 0x26;
    static constexpr uint16_t KeyDown = 0x28;

    // alpha, height (GUI units) and speed (GUI units a second) are the
    // defaults of the variables and stand in for saved values out of range.
    // The panel's material is made by the GUI manager, over materials.
    Console(MessageManager* log, TimerManager* timers, Config* config, Controls* input,
            ShaderManager* materials, GUIManager* gui, const ShaderDescriptor& panelMaterial,
            const std::string& version, int32_t fontId, const std::string& toggleKey, float alpha,
            float height, float speed);
    // Takes the panel and the command line out of the GUI and deletes them;
    // its variables keep their values in the configuration.
    virtual ~Console();

    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    void Update();
    // Appends output, wrapped at the width of the GUI area. A text without
    // a final line break is continued by the next one on the same line.
    void AddText(const std::u16string& text, const ColorRGBA& color);

    State GetState() const { return state; }
    GUIWindow* GetPanel() const { return panel; }
    GUIEditBox* GetCommandLine() const { return commandLine; }
    const std::vector<ConsoleLine>& GetOutput() const { return output; }
    const std::vector<std::u16string>& GetHistory() const { return history; }
    uint32_t GetScrollOffset() const { return scrollOffset; }
    float GetHeight() const { return height; }
    float GetAlpha() const { return alpha; }
    float GetSpeed() const { return speed; }

private:
    float ScreenWidth() const;
    float ScreenHeight() const;
    float Measure(const std::u16string& text) const;
    void StoreLine(const std::u16string& text, const ColorRGBA& color, bool endsLine);
    void Toggle();
    void Slide();
    void Layout();
    void HandleKey(uint16_t code);
    void RunCommandLine();
    void CompleteName();
    void ShowHistory();
    void SetCommandText(const std::u16string& text);
    const std::u16string& CommandText() const;

    MessageManager* log;
    TimerManager* timers;
    Config* config;
    Controls* input;
    GUIManager* gui;
    State state = Hidden;
    std::string toggleKey;
    float alpha = 0.0f;
    float height = 0.0f;
    float speed = 0.0f;
    std::u16string prompt;
    std::u16string separator;
    std::u16string versionLine;
    std::string sayText;
    int32_t fontId;
    GUIFont* font = nullptr;  // the GUI's; null when the id names none
    GUIWindow* panel = nullptr;         // owned, registered with the GUI
    GUIEditBox* commandLine = nullptr;  // owned, registered with the GUI
    uint32_t scrollOffset = 0;
    std::vector<ConsoleLine> output;
    std::vector<std::u16string> history;
    uint32_t historyPosition = 0;
    float firstLineOffset = 0.0f;
    float lineStep = 0.0f;
    std::u16string speaker;
};

} // namespace ZorvaneEngine
