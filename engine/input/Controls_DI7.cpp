#include "engine/input/Controls_DI7.h"

#include <algorithm>
#include <array>
#include <limits>

#include "engine/core/MessageManager.h"
#include "engine/input/KeyNames.h"

namespace ZorvaneEngine {

using namespace Platform;

namespace {

// Records asked for per read: the keyboard's whole buffer.
constexpr uint32_t RECORDS_PER_READ = 8;
constexpr uint32_t KEYBOARD_BUFFER_SIZE = 8;
constexpr uint32_t MOUSE_BUFFER_SIZE = 16;
// The mouse is read until its buffer is empty, but no more often than this
// in a frame, as the device may be filled while it is read. Twice its buffer.
constexpr int MOUSE_READS_PER_FRAME = 4;
// A device that keeps answering "lost" must not hold up the frame.
constexpr int ACQUIRE_TRIES = 4;

constexpr uint8_t DOWN_BIT = 0x80;

void Reacquire(InputDevice& device) {
    for (int tries = 0; tries < ACQUIRE_TRIES && device.Acquire() == DIERR_INPUTLOST; ++tries) {
    }
}

struct DeviceTexts {
    const char* heading;
    const char* obtaining;
    const char* obtainFailed;
};

const DeviceTexts KEYBOARD_TEXTS = {
    "...Keyboard:", "......Obtaining an interface to the system keyboard device...",
    "Failed to obtain an interface to the system keyboard device"};
const DeviceTexts MOUSE_TEXTS = {"...Mouse:",
                                 "......Obtaining an interface to the system mouse device...",
                                 "Failed to obtain an interface to the system mouse device"};

} // namespace

Controls_DI7::Controls_DI7(MessageManager* log, TimerManager* timers, Config* config, Window* window)
    : Controls(log, timers, config, window) {
    log->Message("Initialization of DirectInput devices...");
    log->Message("...Creating a DirectInput object...");
    if (GetInput().DirectInputCreateEx(directInput) < 0 || !directInput)
        log->Fatal("Failed to create a DirectInput object");

    keyboard = OpenDevice(DeviceKind::SysKeyboard, KEYBOARD_BUFFER_SIZE, keyboardBuffered);
    mouse = OpenDevice(DeviceKind::SysMouse, MOUSE_BUFFER_SIZE, mouseBuffered);

    std::map<std::string, uint32_t> nameToCode;
    for (const KeyName& key : KeyNames)
        nameToCode.emplace(key.name, key.code);
    for (const auto& [name, code] : nameToCode)
        codeToName.emplace(code, name);
}

std::unique_ptr<InputDevice> Controls_DI7::OpenDevice(DeviceKind kind, uint32_t bufferSize,
                                                      bool& buffered) {
    const bool isKeyboard = kind == DeviceKind::SysKeyboard;
    const DeviceTexts& texts = isKeyboard ? KEYBOARD_TEXTS : MOUSE_TEXTS;
    log->Message(texts.heading);
    log->Message(texts.obtaining);
    std::unique_ptr<InputDevice> device;
    if (directInput->CreateDeviceEx(kind, device) < 0 || !device)
        log->Fatal(texts.obtainFailed);

    log->Message("......Setting the data format...");
    if (device->SetDataFormat(isKeyboard ? DataFormat::Keyboard : DataFormat::Mouse2) < 0)
        log->Fatal("Failed to set the data format");

    // Shared access to the devices of the whole desktop (a null window).
    log->Message("......Setting the cooperativity level...");
    if (device->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND) < 0)
        log->Fatal("Failed to set the cooperativity level");

    log->Message("......Setting the buffered mode...");
    if (device->SetProperty(DeviceProperty::BufferSize, bufferSize) < 0) {
        log->Error("Failed to set the buffered mode, switching to the immediate mode");
        buffered = false;
    }
    // Without the focus this fails; every read re-acquires.
    device->Acquire();
    return device;
}

Controls_DI7::~Controls_DI7() {
    log->Message("\nDirectInput devices destroying:");
    log->Message("...Keyboard...");
    if (keyboard)
        keyboard->Unacquire();
    keyboard.reset();
    log->Message("...Mouse...");
    if (mouse)
        mouse->Unacquire();
    mouse.reset();
    log->Message("...DirectInput object...");
    directInput.reset();
}

void Controls_DI7::Update() {
    PollKeyboard();
    PollMouse();
    Controls::Update();
}

void Controls_DI7::EndFrame() {
    Controls::EndFrame();
}

void Controls_DI7::PollKeyboard() {
    bool readState = !keyboardBuffered;
    if (keyboardBuffered) {
        std::array<DeviceObjectData, RECORDS_PER_READ> records{};
        uint32_t count = RECORDS_PER_READ;
        const HRESULT result = keyboard->GetDeviceData(records.data(), count);
        if (result < 0) {
            Reacquire(*keyboard);
            readState = true;
        } else {
            count = std::min(count, RECORDS_PER_READ);
            for (uint32_t i = 0; i < count; ++i) {
                const auto name = codeToName.find(records[i].offset);
                if (name != codeToName.end())
                    SetKeyState((records[i].data & DOWN_BIT) != 0, name->second);
            }
            // Records were dropped, perhaps a release: the state is the truth.
            if (result == DI_BUFFEROVERFLOW)
                readState = true;
        }
    }
    if (readState)
        ReadKeyboardState();
}

void Controls_DI7::ReadKeyboardState() {
    std::array<uint8_t, KEYBOARD_STATE_SIZE> state{};
    if (keyboard->GetDeviceState(KEYBOARD_STATE_SIZE, state.data()) < 0) {
        state.fill(0);
        Reacquire(*keyboard);
    }
    // The mouse buttons are the mouse poll's.
    for (const KeyName& key : KeyNames) {
        if (!key.mouseButton)
            SetKeyState(state[key.code] != 0, key.name);
    }
}

void Controls_DI7::PollMouse() {
    deviceDeltaX = 0.0f;
    deviceDeltaY = 0.0f;
    wheel = 0;
    bool readState = !mouseBuffered;
    if (mouseBuffered) {
        int64_t wheelSum = 0;
        // A fast mouse fills the buffer within a frame; what is left behind
        // may be a button's release, which would leave the button held.
        for (int read = 0; read < MOUSE_READS_PER_FRAME; ++read) {
            std::array<DeviceObjectData, RECORDS_PER_READ> records{};
            uint32_t count = RECORDS_PER_READ;
            const HRESULT result = mouse->GetDeviceData(records.data(), count);
            if (result < 0) {
                Reacquire(*mouse);
                readState = true;
                break;
            }
            count = std::min(count, RECORDS_PER_READ);
            for (uint32_t i = 0; i < count; ++i)
                ApplyMouseRecord(records[i], wheelSum);
            if (result == DI_BUFFEROVERFLOW)
                readState = true;
            if (count < RECORDS_PER_READ)
                break;
        }
        wheel = static_cast<int32_t>(std::clamp<int64_t>(wheelSum, std::numeric_limits<int32_t>::min(),
                                                         std::numeric_limits<int32_t>::max()));
    }
    if (readState)
        ReadMouseState();
}

void Controls_DI7::ApplyMouseRecord(const DeviceObjectData& record, int64_t& wheelSum) {
    const int32_t amount = static_cast<int32_t>(record.data);
    switch (record.offset) {
    case DIMOFS_X: deviceDeltaX += static_cast<float>(amount); break;
    case DIMOFS_Y: deviceDeltaY += static_cast<float>(amount); break;
    case DIMOFS_Z: wheelSum += amount; break;
    default:
        if (record.offset >= DIMOFS_BUTTON0 && record.offset < DIMOFS_BUTTON0 + MOUSE_BUTTON_COUNT)
            SetKeyState((record.data & DOWN_BIT) != 0, MouseButtonNames[record.offset - DIMOFS_BUTTON0]);
        break;
    }
}

void Controls_DI7::ReadMouseState() {
    MouseState2 state;
    if (mouse->GetDeviceState(sizeof state, &state) < 0) {
        state = MouseState2{};
        Reacquire(*mouse);
    }
    for (size_t button = 0; button < MOUSE_BUTTON_COUNT; ++button)
        SetKeyState(state.buttons[button] != 0, MouseButtonNames[button]);
    // A buffered mouse whose read failed has no movement for the frame: the
    // state's movement is only counted from its previous state read.
    if (!mouseBuffered) {
        deviceDeltaX = static_cast<float>(state.x);
        deviceDeltaY = static_cast<float>(state.y);
        wheel = state.z;
    }
}

} // namespace ZorvaneEngine
