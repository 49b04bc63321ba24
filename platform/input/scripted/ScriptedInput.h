#pragma once
// Input devices for tests: the test writes the waiting records, the states
// and the answers (acquisition failures, loss, refused buffer size), and
// reads back every call in order. Install it with SetInput; it must outlive
// the objects it hands out.
#include <array>
#include <deque>
#include <string>
#include <vector>

#include "platform/input/DirectInput.h"

namespace Platform {

class ScriptedInput final : public Input {
public:
    struct Device {
        // --- Script ---
        bool failCreate = false;
        HRESULT setDataFormatResult = DI_OK;
        HRESULT setCooperativeLevelResult = DI_OK;
        HRESULT setPropertyResult = DI_OK; // a failure leaves the device unbuffered
        // Answers of the next calls, used up one per call; when empty the
        // device behaves normally.
        std::deque<HRESULT> acquireResults;
        // GetDeviceData; a success code such as DI_BUFFEROVERFLOW is
        // answered with the records.
        std::deque<HRESULT> dataResults;
        std::deque<HRESULT> stateResults; // GetDeviceState
        std::deque<DeviceObjectData> records; // waiting, oldest first
        std::array<uint8_t, KEYBOARD_STATE_SIZE> keyboardState{};
        MouseState2 mouseState; // answered as it is on every read

        // --- Observations ---
        bool created = false;
        bool acquired = false;
        bool lost = false; // next read answers DIERR_INPUTLOST
        uint32_t bufferSize = 0;
    };

    bool failCreate = false; // DirectInputCreateEx
    Device keyboard;
    Device mouse;
    // "DirectInputCreateEx()", "CreateDeviceEx(keyboard)",
    // "Keyboard.SetProperty(8)", "Mouse.GetDeviceData(8)", "Mouse.Release()",
    // "Release()" for the DirectInput object...
    std::vector<std::string> calls;

    Device& Of(DeviceKind kind) { return kind == DeviceKind::SysKeyboard ? keyboard : mouse; }
    // Appends a waiting record, numbered after the previous one of either device.
    void PushRecord(DeviceKind kind, uint32_t offset, uint32_t data);
    // The acquisition is taken away, as by a focus loss.
    void InjectLoss(DeviceKind kind);

    HRESULT DirectInputCreateEx(std::unique_ptr<DirectInput>& directInput) override;

private:
    uint32_t nextSequence_ = 1;
};

} // namespace Platform
