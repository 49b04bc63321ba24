#pragma once
// The input back end over scripted devices, a scripted window and clock,
// with the real log, timers, configuration and window beneath it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/input/Controls_DI7.h"
#include "engine/input/KeyNames.h"
#include "platform/input/ScanCodes.h"
#include "platform/input/scripted/ScriptedInput.h"
#include "platform/system/scripted/ScriptedSystem.h"
#include "platform/window/scripted/ScriptedWindowing.h"

namespace InputTest {

constexpr uint32_t DOWN = 0x80;
constexpr uint32_t UP = 0;

class InputFixture : public ::testing::Test {
protected:
    InputFixture() {
        system.SetTime(1000);
        window = std::make_unique<ZorvaneEngine::Window>("Tangrove", &log, &config, nullptr, 0, false, 800,
                                                         600, false, true, 0, 0);
        windowing.cursorX = 100;
        windowing.cursorY = 100;
        timers.frameStep = 0.5f;
    }

    void Start() {
        controls = std::make_unique<ZorvaneEngine::Controls_DI7>(&log, &timers, &config, window.get());
    }
    // Ends the previous frame, if any, and polls: what the engine does
    // around the game's work.
    void Frame() {
        if (framed)
            controls->EndFrame();
        controls->Update();
        framed = true;
    }
    void Key(uint32_t scanCode, uint32_t data) { input.PushRecord(Platform::DeviceKind::SysKeyboard, scanCode, data); }
    void Mouse(uint32_t offset, uint32_t data) { input.PushRecord(Platform::DeviceKind::SysMouse, offset, data); }
    void MouseMove(uint32_t offset, int32_t amount) { Mouse(offset, static_cast<uint32_t>(amount)); }

    std::vector<std::string> PressedNames() const {
        std::vector<std::string> names;
        for (const ZorvaneEngine::KeyName& key : ZorvaneEngine::KeyNames) {
            if (controls->IsKeyPressed(key.name))
                names.push_back(key.name);
        }
        return names;
    }
    std::vector<std::string> LogTexts() const {
        std::vector<std::string> texts;
        // Without the line break the log adds to a message.
        for (const ZorvaneEngine::LogMessage& message : log.GetFrameMessages()) {
            std::string text = message.text;
            if (!text.empty() && text.back() == '\n')
                text.pop_back();
            texts.push_back(text);
        }
        return texts;
    }
    int CountCalls(const std::string& call) const {
        int count = 0;
        for (const std::string& made : input.calls)
            count += made == call;
        return count;
    }

    Platform::ScriptedSystem system;
    Platform::ScopedSystem scopedSystem{system};
    Platform::ScriptedWindowing windowing;
    Platform::ScopedWindowing scopedWindowing{windowing};
    Platform::ScriptedInput input;
    Platform::ScopedInput scopedInput{input};
    ZorvaneEngine::MessageManager log{"", "input", "Tangrove", false, false};
    ZorvaneEngine::TimerManager timers;
    ZorvaneEngine::Config config{"", "input", &log, nullptr, "", false, false, false};
    std::unique_ptr<ZorvaneEngine::Window> window;
    std::unique_ptr<ZorvaneEngine::Controls_DI7> controls;
    bool framed = false;
};

} // namespace InputTest
