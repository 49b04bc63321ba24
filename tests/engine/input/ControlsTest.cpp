#include <set>

#include "engine/core/TextUtils.h"
#include "InputFixture.h"

namespace InputTest {
namespace {

using namespace Platform;
using ZorvaneEngine::KeyName;
using ZorvaneEngine::KeyNames;
using ZorvaneEngine::MouseButtonNames;

using ControlsTest = InputFixture;

TEST_F(ControlsTest, EveryNameIsReachedByItsOwnCodeAlone) {
    std::set<std::string> names;
    for (const KeyName& key : KeyNames) {
        names.insert(key.name);
        EXPECT_EQ(ZorvaneEngine::ToUpperCase(key.name), key.name);
    }
    EXPECT_EQ(names.size(), KeyNames.size());

    Start();
    for (const KeyName& key : KeyNames) {
        SCOPED_TRACE(key.name);
        if (key.mouseButton)
            Mouse(DIMOFS_BUTTON0 + key.code, DOWN);
        else
            Key(key.code, DOWN);
        Frame();
        EXPECT_EQ(PressedNames(), std::vector<std::string>{key.name});
        if (key.mouseButton)
            Mouse(DIMOFS_BUTTON0 + key.code, UP);
        else
            Key(key.code, UP);
        Frame();
    }
}

TEST_F(ControlsTest, CodesOfTheKeyboard) {
    // Scan codes 0 .. 7 are also button indices: the keys win them.
    struct Case {
        uint32_t scanCode;
        const char* name;
    };
    const Case cases[] = {
        {30, "A"},     {44, "Z"},        {11, "0"},         {2, "1"},         {7, "6"},
        {1, "ESCAPE"}, {28, "ENTER"},    {183, "PRINTSCRN"}, {82, "NUMPAD_0"}, {83, "NUMPAD_DELETE"},
        {41, "~"},     {157, "RCTRL"},   {87, "F11"},       {88, "F12"},      {197, "PAUSE"},
        {43, "\\"},    {40, "'"},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Key(c.scanCode, DOWN);
        Key(c.scanCode, UP);
        Frame();
        EXPECT_EQ(PressedNames(), std::vector<std::string>{c.name});
    }
    // A key the table does not name (the Windows key) changes nothing.
    Key(DIK_LWIN, DOWN);
    Frame();
    EXPECT_FALSE(controls->IsAnyKeyActive());
}

TEST_F(ControlsTest, HeldAndPressedOverFrames) {
    struct Step {
        const char* what;
        std::vector<uint32_t> records; // SPACE's data, in order
        bool pressed;
        bool down;
    };
    const Step steps[] = {
        {"goes down", {DOWN}, true, true},
        {"stays down", {}, false, true},
        {"repeats", {DOWN}, false, true},
        {"goes up", {UP}, false, false},
        {"tapped within the frame", {DOWN, UP}, true, true},
        {"the frame after the tap", {}, false, false},
        {"up without a down", {UP}, false, false},
    };
    Start();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        for (uint32_t data : step.records)
            Key(DIK_SPACE, data);
        Frame();
        EXPECT_EQ(controls->IsKeyPressed("SPACE"), step.pressed);
        EXPECT_EQ(controls->IsKeyDown("SPACE"), step.down);
        EXPECT_EQ(controls->IsKeyDown("space"), step.down);
        EXPECT_EQ(controls->IsAnyKeyPressed(), step.pressed);
        EXPECT_EQ(controls->IsAnyKeyActive(), step.down);
    }
}

TEST_F(ControlsTest, NamesThatAreNoKeys) {
    Start();
    Mouse(DIMOFS_BUTTON0, DOWN);
    Key(DIK_F1 + 12, DOWN); // no scan code of the table
    Frame();
    EXPECT_TRUE(controls->IsKeyDown("mouse1"));
    EXPECT_TRUE(controls->IsKeyPressed("Mouse1"));
    for (const char* name : {"F13", "MOUSE9", "mouse 1", "BUTTON1"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(controls->IsKeyDown(name));
        EXPECT_FALSE(controls->IsKeyPressed(name));
    }
}

TEST_F(ControlsTest, MouseMovementAndTheDirectionOfY) {
    // The cursor moves right and up (screen y shrinks), the device reports
    // the same; by default up is positive.
    struct Case {
        bool invert;
        float cursorY;
        float deviceY;
    };
    for (const Case& c : {Case{false, 10.0f, 7.0f}, Case{true, -10.0f, -7.0f}}) {
        SCOPED_TRACE(c.invert);
        config.invertMouse = c.invert;
        windowing.cursorX = 100;
        windowing.cursorY = 100;
        Start();
        windowing.cursorX = 104;
        windowing.cursorY = 90;
        MouseMove(DIMOFS_X, 3);
        MouseMove(DIMOFS_X, -5);
        MouseMove(DIMOFS_Y, -7);
        MouseMove(DIMOFS_Y, 0);
        Frame();
        EXPECT_EQ(controls->GetCursorDeltaX(), 4.0f);
        EXPECT_EQ(controls->GetCursorDeltaY(), c.cursorY);
        EXPECT_EQ(controls->GetDeviceDeltaX(), -2.0f);
        EXPECT_EQ(controls->GetDeviceDeltaY(), c.deviceY);
        EXPECT_EQ(controls->GetCursorX(), 104);
        EXPECT_EQ(controls->GetCursorY(), 90);

        // A still frame: nothing moved since.
        Frame();
        EXPECT_EQ(controls->GetCursorDeltaX(), 0.0f);
        EXPECT_EQ(controls->GetCursorDeltaY(), 0.0f);
        EXPECT_EQ(controls->GetDeviceDeltaX(), 0.0f);
        EXPECT_EQ(controls->GetDeviceDeltaY(), 0.0f);
        controls.reset();
        framed = false;
    }
}

TEST_F(ControlsTest, WheelReadingsOfConsecutiveFrames) {
    // A reading reaches the game unless the previous frame's did.
    struct Case {
        std::vector<int32_t> read;
        std::vector<int32_t> seen;
    };
    const Case cases[] = {
        {{120, 120, 120}, {120, 0, 120}},
        {{120, 0, 120}, {120, 0, 120}},
        {{-240, 120, 0, 120, 120}, {-240, 0, 0, 120, 0}},
    };
    for (const Case& c : cases) {
        Start();
        for (size_t frame = 0; frame < c.read.size(); ++frame) {
            SCOPED_TRACE(frame);
            if (c.read[frame] != 0)
                MouseMove(DIMOFS_Z, c.read[frame]);
            Frame();
            EXPECT_EQ(controls->GetWheel(), c.seen[frame]);
        }
        controls.reset();
        framed = false;
    }
}

TEST_F(ControlsTest, KeyEventLastsTheFrame) {
    Start();
    Frame();
    window->keyEvent = {true, true, 0x263A};
    uint16_t code = 0;
    bool isCharacter = false;
    for (int caller = 0; caller < 2; ++caller) {
        EXPECT_TRUE(controls->GetKeyEvent(&code, &isCharacter));
        EXPECT_EQ(code, 0x263A);
        EXPECT_TRUE(isCharacter);
    }
    Frame();
    EXPECT_FALSE(controls->GetKeyEvent(&code, &isCharacter));
    EXPECT_FALSE(window->keyEvent.pending);
}

TEST_F(ControlsTest, InputLockLastsWhileKeysAreActive) {
    Start();
    Mouse(DIMOFS_BUTTON0, DOWN);
    Frame();
    controls->SetInputLock(true);
    window->keyEvent = {true, false, 0x0D};
    uint16_t code = 0;
    bool isCharacter = false;
    EXPECT_FALSE(controls->IsKeyDown("MOUSE1"));
    EXPECT_FALSE(controls->IsKeyPressed("MOUSE1"));
    EXPECT_FALSE(controls->IsAnyKeyPressed());
    EXPECT_FALSE(controls->IsAnyKeyActive());
    EXPECT_FALSE(controls->GetKeyEvent(&code, &isCharacter));

    Frame(); // still held
    EXPECT_TRUE(controls->IsInputLocked());
    EXPECT_EQ(controls->GetLockTime(), 0.5f);
    EXPECT_FALSE(controls->IsKeyDown("MOUSE1"));

    Mouse(DIMOFS_BUTTON0, UP);
    Frame();
    EXPECT_FALSE(controls->IsInputLocked());
    EXPECT_EQ(controls->GetLockTime(), 0.0f);

    // A key event alone keeps it for its frame.
    controls->SetInputLock(true);
    window->keyEvent = {true, true, 0x61};
    controls->Update();
    EXPECT_TRUE(controls->IsInputLocked());
    Frame();
    EXPECT_FALSE(controls->IsInputLocked());
}

TEST_F(ControlsTest, InputLockPastTwoSecondsHoldsOnlyWhileAKeyIsPhysicallyDown) {
    // The release of SPACE never arrives: the key stays held here, while the
    // system knows it is up.
    Start();
    Key(DIK_SPACE, DOWN);
    Frame();
    controls->SetInputLock(true);
    windowing.SetKeyDown(0x20, true);
    for (float time : {0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f}) {
        SCOPED_TRACE(time);
        Frame();
        EXPECT_TRUE(controls->IsInputLocked());
        EXPECT_EQ(controls->GetLockTime(), time);
    }
    windowing.SetKeyDown(0x20, false);
    Frame();
    EXPECT_FALSE(controls->IsInputLocked());
    EXPECT_EQ(controls->GetLockTime(), 0.0f);
    EXPECT_TRUE(controls->IsKeyDown("SPACE"));
}

TEST_F(ControlsTest, SystemCursorFollowsTheVisibleFlag) {
    Start();
    for (int frame = 0; frame < 30; ++frame) {
        Frame();
        EXPECT_GE(windowing.DisplayCount(), 0);
        EXPECT_LE(windowing.DisplayCount(), 11);
    }
    controls->SetCursorVisible(false);
    for (int frame = 0; frame < 30; ++frame) {
        Frame();
        EXPECT_LT(windowing.DisplayCount(), 0);
        EXPECT_GE(windowing.DisplayCount(), -11);
    }
    controls.reset();
    EXPECT_GE(windowing.DisplayCount(), 0);
}

} // namespace
} // namespace InputTest
