// The scripted input as engine tests drive it.
#include <gtest/gtest.h>

#include "platform/input/ScanCodes.h"
#include "platform/input/scripted/ScriptedInput.h"

namespace Platform {
namespace {

TEST(ScriptedInput, RecordsLossAndCalls) {
    ScriptedInput scripted;
    std::unique_ptr<DirectInput> directInput;
    ASSERT_EQ(scripted.DirectInputCreateEx(directInput), DI_OK);
    std::unique_ptr<InputDevice> keyboard;
    ASSERT_EQ(directInput->CreateDeviceEx(DeviceKind::SysKeyboard, keyboard), DI_OK);
    scripted.keyboard.setPropertyResult = DIERR_GENERIC;
    EXPECT_EQ(keyboard->SetProperty(DeviceProperty::BufferSize, 8), DIERR_GENERIC);
    DeviceObjectData records[8];
    uint32_t count = 8;
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->GetDeviceData(records, count), DIERR_NOTBUFFERED); // the size was refused

    scripted.keyboard.setPropertyResult = DI_OK;
    ASSERT_EQ(keyboard->Unacquire(), DI_OK);
    ASSERT_EQ(keyboard->SetProperty(DeviceProperty::BufferSize, 8), DI_OK);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    for (int i = 0; i < 10; ++i)
        scripted.PushRecord(DeviceKind::SysKeyboard, DIK_A, i % 2 ? 0 : 0x80);
    count = 8;
    ASSERT_EQ(keyboard->GetDeviceData(records, count), DI_OK);
    EXPECT_EQ(count, 8u);
    EXPECT_EQ(records[7].sequence, 8u);
    count = 8;
    ASSERT_EQ(keyboard->GetDeviceData(records, count), DI_OK);
    EXPECT_EQ(count, 2u);

    scripted.InjectLoss(DeviceKind::SysKeyboard);
    scripted.keyboard.acquireResults = {DIERR_INPUTLOST, DIERR_INPUTLOST};
    scripted.keyboard.keyboardState[DIK_SPACE] = 0x80;
    count = 8;
    EXPECT_EQ(keyboard->GetDeviceData(records, count), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    uint8_t state[KEYBOARD_STATE_SIZE] = {};
    ASSERT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
    EXPECT_EQ(state[DIK_SPACE], 0x80);

    keyboard.reset();
    directInput.reset();
    EXPECT_EQ(scripted.calls.front(), "DirectInputCreateEx()");
    EXPECT_EQ(scripted.calls[scripted.calls.size() - 2], "Keyboard.Release()");
    EXPECT_EQ(scripted.calls.back(), "Release()");
    EXPECT_FALSE(scripted.keyboard.created);
}

} // namespace
} // namespace Platform
