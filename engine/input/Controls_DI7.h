#pragma once
// The input back end over the keyboard and mouse devices: opens both at
// construction (a failure is fatal, except a refused record buffer, which
// leaves the device on immediate reads), and once a frame turns their
// records or states into key changes, mouse movement and the wheel.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/input/Controls.h"
#include "platform/input/DirectInput.h"

namespace ZorvaneEngine {

class Controls_DI7 final : public Controls {
public:
    Controls_DI7(MessageManager* log, TimerManager* timers, Config* config, Window* window);
    ~Controls_DI7() override;

    // Polls both devices, then the base's Update.
    void Update() override;
    void EndFrame() override;

private:
    std::unique_ptr<Platform::InputDevice> OpenDevice(Platform::DeviceKind kind, uint32_t bufferSize,
                                                      bool& buffered);
    void PollKeyboard();
    void PollMouse();
    void ReadKeyboardState();
    void ReadMouseState();
    void ApplyMouseRecord(const Platform::DeviceObjectData& record, int64_t& wheelSum);

    std::unique_ptr<Platform::DirectInput> directInput;
    std::unique_ptr<Platform::InputDevice> keyboard;
    std::unique_ptr<Platform::InputDevice> mouse;
    // Where two names share a code (a scan code and a button index), the
    // first name in byte order has it.
    std::map<uint32_t, std::string> codeToName;
    bool keyboardBuffered = true;
    bool mouseBuffered = true;
};

} // namespace ZorvaneEngine
