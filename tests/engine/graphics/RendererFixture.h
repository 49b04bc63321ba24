#pragma once
// A renderer over the scripted graphics driver and the scripted windowing,
// with a real log (kept in memory), configuration and window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/graphics/RenderSystem_D3D7.h"
#include "platform/graphics/scripted/ScriptedGraphics.h"
#include "platform/window/scripted/ScriptedWindowing.h"

namespace ZorvaneEngine {

class RendererFixture : public ::testing::Test {
public:
    // A recorded number as the call lists show it: whole numbers in full,
    // fractions (floats widened) to 6 digits, -0 (a negated zero) as 0.
    static std::string Number(double value)
    {
        char text[32];
        if (value == std::floor(value) && std::fabs(value) < 1e15) {
            std::snprintf(text, sizeof text, "%.0f", value == 0 ? 0.0 : value);
        } else {
            std::snprintf(text, sizeof text, "%.6g", value);
        }
        return text;
    }

protected:
    RendererFixture()
    {
        windowing.desktop = Platform::Rect{0, 0, 1280, 1024};
        UseDefaultMode("1024x768x32");
        // Two stages keep the recorded default states short.
        Device().desc.maxSimultaneousTextures = 2;
        Device().desc.maxAnisotropy = 8;
    }
    ~RendererFixture() override { Stop(); }

    Platform::ScriptedDevice& Device(size_t adapter = 0, size_t device = 0)
    {
        return graphics.Script().adapters[adapter].devices[device];
    }

    // A fresh configuration whose "v_mode" defaults to mode, windowed.
    void UseDefaultMode(const std::string& mode)
    {
        Stop();
        config = std::make_unique<Config>(mode, "test", &log, nullptr, "", false, false, false);
    }

    // Makes the window in the configured mode, then the renderer. A fatal
    // failure leaves renderer null and is rethrown.
    void Start(bool stencilWanted = false, bool keepWindowSize = false)
    {
        renderer.reset();
        window.reset();
        int32_t width = 0, height = 0;
        ParseVideoMode(config->videoMode, &width, &height, nullptr);
        window = std::make_unique<Window>("test", &log, config.get(), nullptr, 0, false,
                                          static_cast<uint32_t>(width),
                                          static_cast<uint32_t>(height), config->fullscreen,
                                          true, 0, 0);
        log.ClearFrameMessages();
        graphics.ClearCalls();
        renderer = std::make_unique<RenderSystem_D3D7>(config.get(), &log, window.get(),
                                                       stencilWanted, keepWindowSize);
    }

    void Stop()
    {
        renderer.reset();
        window.reset();
        log.ClearFrameMessages();
        graphics.ClearCalls();
    }

    const Platform::ScriptedWindowing::WindowState* WindowState() const
    {
        return windowing.StateOf(window->handle);
    }

    // The log's lines since the last call, each "<level> <text>" (0 message,
    // 1 warning, 2 error, 3 fatal), without the log's decoration of levels.
    std::vector<std::string> TakeLog()
    {
        static const char* const prefixes[] = {"", "\nWarning: ", "\nError: ", "PROGRAM ABORTING: "};
        static const char* const suffixes[] = {"\n", "!\n\n", "!\n\n", "\n"};
        std::vector<std::string> lines;
        for (const LogMessage& m : log.GetFrameMessages()) {
            std::string text = m.text;
            const std::string prefix = prefixes[m.level & 3];
            const std::string suffix = suffixes[m.level & 3];
            if (text.rfind(prefix, 0) == 0) {
                text.erase(0, prefix.size());
            }
            if (text.size() >= suffix.size() &&
                text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0) {
                text.erase(text.size() - suffix.size());
            }
            lines.push_back(std::to_string(m.level) + " " + text);
        }
        log.ClearFrameMessages();
        return lines;
    }

    // The recorded device calls as "Name a b c", numbers in decimal.
    std::vector<std::string> TakeCalls(const std::string& prefix = "")
    {
        std::vector<std::string> lines;
        for (const Platform::GraphicsCall& call : graphics.Calls()) {
            if (call.name.rfind(prefix, 0) != 0) {
                continue;
            }
            std::string line = call.name;
            for (double a : call.args) {
                line += " " + Number(a);
            }
            lines.push_back(line);
        }
        graphics.ClearCalls();
        return lines;
    }

    Platform::ScriptedWindowing windowing;
    Platform::ScriptedGraphics graphics;
    Platform::ScopedWindowing installedWindowing{windowing};
    Platform::ScopedGraphicsDriver installedGraphics{graphics};
    MessageManager log{"", "test", "test", false, false};
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem_D3D7> renderer;
};

} // namespace ZorvaneEngine
