#include "engine/core/Error.h"
#include "InputFixture.h"

namespace InputTest {
namespace {

using namespace Platform;
using ZorvaneEngine::FatalError;

using Controls_DI7Test = InputFixture;

TEST_F(Controls_DI7Test, OpensBothDevicesAndClosesThem) {
    Start();
    const std::vector<std::string> opened = {
        "Initialization of DirectInput devices...",
        "...Creating a DirectInput object...",
        "...Keyboard:",
        "......Obtaining an interface to the system keyboard device...",
        "......Setting the data format...",
        "......Setting the cooperativity level...",
        "......Setting the buffered mode...",
        "...Mouse:",
        "......Obtaining an interface to the system mouse device...",
        "......Setting the data format...",
        "......Setting the cooperativity level...",
        "......Setting the buffered mode...",
    };
    std::vector<std::string> texts = LogTexts();
    ASSERT_GE(texts.size(), opened.size());
    EXPECT_EQ(std::vector<std::string>(texts.end() - static_cast<long>(opened.size()), texts.end()), opened);
    EXPECT_EQ(input.keyboard.bufferSize, 8u);
    EXPECT_EQ(input.mouse.bufferSize, 16u);
    EXPECT_TRUE(input.keyboard.acquired);
    EXPECT_TRUE(input.mouse.acquired);

    log.ClearFrameMessages();
    input.calls.clear();
    controls.reset();
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"\nDirectInput devices destroying:", "...Keyboard...",
                                                    "...Mouse...", "...DirectInput object..."}));
    EXPECT_EQ(input.calls, (std::vector<std::string>{"Keyboard.Unacquire()", "Keyboard.Release()",
                                                     "Mouse.Unacquire()", "Mouse.Release()", "Release()"}));
}

TEST_F(Controls_DI7Test, FailuresWhileOpeningAreFatal) {
    struct Case {
        const char* what;
        void (*script)(ScriptedInput&);
        const char* message;
    };
    const Case cases[] = {
        {"no DirectInput", [](ScriptedInput& in) { in.failCreate = true; },
         "Failed to create a DirectInput object"},
        {"no keyboard", [](ScriptedInput& in) { in.keyboard.failCreate = true; },
         "Failed to obtain an interface to the system keyboard device"},
        {"no mouse", [](ScriptedInput& in) { in.mouse.failCreate = true; },
         "Failed to obtain an interface to the system mouse device"},
        {"keyboard format", [](ScriptedInput& in) { in.keyboard.setDataFormatResult = DIERR_INVALIDPARAM; },
         "Failed to set the data format"},
        {"mouse cooperation", [](ScriptedInput& in) { in.mouse.setCooperativeLevelResult = DIERR_GENERIC; },
         "Failed to set the cooperativity level"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedInput scripted;
        c.script(scripted);
        ScopedInput scope(scripted);
        try {
            Start();
            ADD_FAILURE() << "no error";
        } catch (const FatalError& error) {
            EXPECT_EQ(error.message, c.message);
        }
        EXPECT_FALSE(scripted.keyboard.created);
        EXPECT_FALSE(scripted.mouse.created);
    }
}

TEST_F(Controls_DI7Test, KeyboardReadsEightRecordsAFrame) {
    const uint32_t keys[] = {DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I, DIK_J};
    Start();
    for (uint32_t key : keys)
        Key(key, DOWN);
    Frame();
    EXPECT_EQ(PressedNames(), (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "G", "H"}));
    Frame();
    EXPECT_EQ(PressedNames(), (std::vector<std::string>{"I", "J"}));
}

TEST_F(Controls_DI7Test, FullMouseBufferEndingInAButtonRelease) {
    // What a fast mouse leaves in one frame: the press, fourteen moves and
    // the release, sixteen records.
    Start();
    Mouse(DIMOFS_BUTTON0, DOWN);
    for (int move = 0; move < 14; ++move)
        MouseMove(move % 2 ? DIMOFS_Y : DIMOFS_X, 1);
    Mouse(DIMOFS_BUTTON0, UP);
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("MOUSE1"));
    EXPECT_EQ(controls->GetDeviceDeltaX(), 7.0f);
    EXPECT_EQ(controls->GetDeviceDeltaY(), -7.0f);
    Frame();
    EXPECT_FALSE(controls->IsKeyDown("MOUSE1"));
    // So the next click is a new press.
    Mouse(DIMOFS_BUTTON0, DOWN);
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("MOUSE1"));
}

TEST_F(Controls_DI7Test, MouseReadsAreBoundedInAFrame) {
    // A device that is refilled while it is read must not keep the frame.
    Start();
    for (int move = 0; move < 40; ++move)
        MouseMove(DIMOFS_X, 1);
    Frame();
    EXPECT_EQ(controls->GetDeviceDeltaX(), 32.0f);
    Frame();
    EXPECT_EQ(controls->GetDeviceDeltaX(), 8.0f);
}

TEST_F(Controls_DI7Test, LostRecordsAreMadeUpFromTheState) {
    // The device dropped records: its buttons' and keys' state is read too,
    // so a release that was dropped does not leave the button held.
    Start();
    Mouse(DIMOFS_BUTTON0, DOWN);
    input.mouse.dataResults = {DI_BUFFEROVERFLOW};
    Key(DIK_SPACE, DOWN);
    input.keyboard.dataResults = {DI_BUFFEROVERFLOW};
    input.keyboard.keyboardState[DIK_A] = 0x80;
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("MOUSE1"));
    EXPECT_TRUE(controls->IsKeyPressed("SPACE"));
    EXPECT_TRUE(controls->IsKeyPressed("A"));
    Frame();
    EXPECT_FALSE(controls->IsKeyDown("MOUSE1"));
    EXPECT_FALSE(controls->IsKeyDown("SPACE"));
    EXPECT_TRUE(controls->IsKeyDown("A"));
}

TEST_F(Controls_DI7Test, LostKeyboardIsReadFromItsStateForOneFrame) {
    Start();
    Key(DIK_SPACE, DOWN);
    Mouse(DIMOFS_BUTTON0 + 1, DOWN);
    Frame();
    input.InjectLoss(DeviceKind::SysKeyboard);
    input.keyboard.keyboardState[DIK_A] = 0x80;
    input.calls.clear();
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("A"));
    EXPECT_FALSE(controls->IsKeyDown("SPACE")); // released while the device was lost
    EXPECT_TRUE(controls->IsKeyDown("MOUSE2")); // the mouse's own
    EXPECT_EQ(CountCalls("Keyboard.Acquire()"), 1);
    EXPECT_EQ(CountCalls("Keyboard.GetDeviceState(256)"), 1);
    EXPECT_TRUE(input.keyboard.acquired);

    input.calls.clear();
    Key(DIK_B, DOWN);
    Frame();
    EXPECT_TRUE(controls->IsKeyPressed("B"));
    EXPECT_EQ(CountCalls("Keyboard.GetDeviceState(256)"), 0);
}

TEST_F(Controls_DI7Test, LostMouseHasNoMovementThatFrame) {
    Start();
    Mouse(DIMOFS_BUTTON0, DOWN);
    Frame();
    input.InjectLoss(DeviceKind::SysMouse);
    MouseMove(DIMOFS_X, 5); // arrives after the loss: gone with it
    input.mouse.mouseState = MouseState2{9, 9, 120, {0, 0x80}};
    Frame();
    EXPECT_EQ(controls->GetDeviceDeltaX(), 0.0f);
    EXPECT_EQ(controls->GetDeviceDeltaY(), 0.0f);
    EXPECT_EQ(controls->GetWheel(), 0);
    EXPECT_FALSE(controls->IsKeyDown("MOUSE1"));
    EXPECT_TRUE(controls->IsKeyPressed("MOUSE2"));
}

TEST_F(Controls_DI7Test, ReacquiringADeviceThatStaysLostEnds) {
    Start();
    Key(DIK_SPACE, DOWN);
    Frame();
    input.InjectLoss(DeviceKind::SysKeyboard);
    input.keyboard.acquireResults.assign(100, DIERR_INPUTLOST);
    input.keyboard.keyboardState[DIK_SPACE] = 0x80; // unreadable while lost
    Frame();
    EXPECT_GT(input.keyboard.acquireResults.size(), 80u);
    EXPECT_FALSE(input.keyboard.acquired);
    EXPECT_FALSE(controls->IsKeyDown("SPACE"));

    input.keyboard.acquireResults.clear();
    Frame();
    EXPECT_TRUE(input.keyboard.acquired);
    EXPECT_TRUE(controls->IsKeyPressed("SPACE"));
}

TEST_F(Controls_DI7Test, DevicesWithoutABufferAreReadFromTheirState) {
    input.keyboard.setPropertyResult = DIERR_GENERIC;
    input.mouse.setPropertyResult = DIERR_GENERIC;
    Start();
    int errors = 0;
    for (const ZorvaneEngine::LogMessage& message : log.GetFrameMessages()) {
        errors += message.level == 2 &&
                  message.text.find("Failed to set the buffered mode, switching to the immediate mode") !=
                      std::string::npos;
    }
    EXPECT_EQ(errors, 2);

    input.mouse.mouseState = MouseState2{3, 4, 120, {0x80}};
    input.keyboard.keyboardState[DIK_RETURN] = 0x80;
    for (int frame = 0; frame < 2; ++frame) {
        SCOPED_TRACE(frame);
        Frame();
        EXPECT_EQ(controls->GetDeviceDeltaX(), 3.0f);
        EXPECT_EQ(controls->GetDeviceDeltaY(), -4.0f);
        EXPECT_EQ(controls->IsKeyPressed("MOUSE1"), frame == 0);
        EXPECT_EQ(controls->IsKeyPressed("ENTER"), frame == 0);
        EXPECT_TRUE(controls->IsKeyDown("ENTER"));
    }
    EXPECT_EQ(controls->GetWheel(), 0); // the second of two turning frames
    EXPECT_EQ(CountCalls("Keyboard.GetDeviceData(8)"), 0);
}

} // namespace
} // namespace InputTest
