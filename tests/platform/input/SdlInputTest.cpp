// The input devices over SDL events on the offscreen driver: events pushed
// into SDL's queue come out as buffered records and immediate state.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/input/DirectInput.h"
#include "platform/input/ScanCodes.h"
#include "platform/window/sdl/SdlWindowAccess.h"
#include "platform/window/Windowing.h"

namespace Platform {
namespace {

class SdlInputTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        ASSERT_TRUE(windowing.RegisterClass("input test", [](uint32_t, WPARAM, LPARAM) { return LRESULT{0}; }, nullptr));
        window = windowing.CreateWindowEx("input test", "", WindowForm::Windowed, Rect{0, 0, 64, 64}, nullptr);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(GetInput().DirectInputCreateEx(directInput), DI_OK);
        ASSERT_EQ(directInput->CreateDeviceEx(DeviceKind::SysKeyboard, keyboard), DI_OK);
        ASSERT_EQ(directInput->CreateDeviceEx(DeviceKind::SysMouse, mouse), DI_OK);
        Open(*keyboard, DataFormat::Keyboard, 8);
        Open(*mouse, DataFormat::Mouse2, 16);
    }
    void TearDown() override {
        keyboard.reset();
        mouse.reset();
        directInput.reset();
        Message message;
        while (windowing.PeekMessage(message)) {
        }
        EXPECT_TRUE(windowing.DestroyWindow(window));
        EXPECT_TRUE(windowing.UnregisterClass("input test"));
    }

    static void Open(InputDevice& device, DataFormat format, uint32_t bufferSize) {
        ASSERT_EQ(device.SetDataFormat(format), DI_OK);
        ASSERT_EQ(device.SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
        ASSERT_EQ(device.SetProperty(DeviceProperty::BufferSize, bufferSize), DI_OK);
        ASSERT_EQ(device.Acquire(), DI_OK);
    }

    static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1); }

    void PushKey(Uint32 type, SDL_Scancode scancode, Uint8 repeat = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = SDL_GetWindowID(GetSdlWindow(window));
        event.key.repeat = repeat;
        event.key.keysym.scancode = scancode;
        Push(event);
    }

    void PushFocus(SDL_WindowEventID id) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(GetSdlWindow(window));
        event.window.event = static_cast<Uint8>(id);
        Push(event);
    }

    static std::vector<DeviceObjectData> Read(InputDevice& device, HRESULT expected = DI_OK) {
        std::vector<DeviceObjectData> records(8);
        uint32_t count = static_cast<uint32_t>(records.size());
        EXPECT_EQ(device.GetDeviceData(records.data(), count), expected);
        records.resize(count);
        return records;
    }

    Windowing& windowing = GetWindowing();
    WindowHandle window = nullptr;
    std::unique_ptr<DirectInput> directInput;
    std::unique_ptr<InputDevice> keyboard;
    std::unique_ptr<InputDevice> mouse;
};

TEST_F(SdlInputTest, KeysBecomeScanCodeRecordsWithoutRepeats) {
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_A, 1);
    PushKey(SDL_KEYUP, SDL_SCANCODE_A);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_F20); // no scan code: no record
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_RALT);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_0);

    const std::vector<DeviceObjectData> records = Read(*keyboard);
    ASSERT_EQ(records.size(), 4u);
    const uint32_t expected[][2] = {{DIK_A, 0x80}, {DIK_A, 0}, {DIK_RMENU, 0x80}, {DIK_NUMPAD0, 0x80}};
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].offset, expected[i][0]) << i;
        EXPECT_EQ(records[i].data, expected[i][1]) << i;
        if (i > 0) {
            EXPECT_GT(records[i].sequence, records[i - 1].sequence);
        }
    }
    uint8_t state[KEYBOARD_STATE_SIZE];
    ASSERT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
    EXPECT_EQ(state[DIK_A], 0);
    EXPECT_EQ(state[DIK_RMENU], 0x80);
    EXPECT_EQ(state[DIK_NUMPAD0], 0x80);
}

TEST_F(SdlInputTest, MouseMotionIsSummedPerPumpAndTheRightButtonIsButtonOne) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.xrel = 3;
    motion.motion.yrel = 1;
    Push(motion);
    motion.motion.xrel = -5;
    motion.motion.yrel = 2;
    Push(motion);
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = 1;
    Push(wheel);
    SDL_Event button{};
    button.type = SDL_MOUSEBUTTONDOWN;
    button.button.button = SDL_BUTTON_RIGHT;
    Push(button);

    const std::vector<DeviceObjectData> records = Read(*mouse);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].offset, DIMOFS_BUTTON0 + 1);
    EXPECT_EQ(records[0].data, 0x80u);
    EXPECT_EQ(records[1].offset, DIMOFS_X);
    EXPECT_EQ(static_cast<int32_t>(records[1].data), -2);
    EXPECT_EQ(records[2].offset, DIMOFS_Y);
    EXPECT_EQ(static_cast<int32_t>(records[2].data), 3);
    EXPECT_EQ(records[3].offset, DIMOFS_Z);
    EXPECT_EQ(static_cast<int32_t>(records[3].data), 120);

    MouseState2 state;
    ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.buttons[1], 0x80);
    EXPECT_EQ(state.buttons[0], 0);
}

TEST_F(SdlInputTest, FocusLossTakesTheDevicesAwayUntilTheFocusReturns) {
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_SPACE);
    PushFocus(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_TRUE(Read(*keyboard, DIERR_INPUTLOST).empty());
    EXPECT_TRUE(Read(*keyboard, DIERR_NOTACQUIRED).empty());
    uint8_t state[KEYBOARD_STATE_SIZE];
    EXPECT_EQ(keyboard->GetDeviceState(sizeof state, state), DIERR_NOTACQUIRED);
    MouseState2 mouseState;
    EXPECT_EQ(mouse->GetDeviceState(sizeof mouseState, &mouseState), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DIERR_OTHERAPPHASPRIO);

    PushFocus(SDL_WINDOWEVENT_FOCUS_GAINED);
    Message message;
    while (windowing.PeekMessage(message)) {
    }
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DI_NOEFFECT);
    ASSERT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
    EXPECT_EQ(state[DIK_SPACE], 0); // its release was never seen: forgotten with the focus
}

} // namespace
} // namespace Platform
