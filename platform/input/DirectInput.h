#pragma once
// The keyboard and mouse device services the engine asks for by their
// original names: devices with a data format, a cooperative level, a record
// buffer, acquisition and its loss, buffered records and immediate state.
// One implementation runs over the SDL event pump (the window area's); the
// scripted one (ScriptedInput.h) replays records and faults for tests.
#include <cstdint>
#include <memory>

#include "platform/Installed.h"
#include "platform/system/System.h"
#include "platform/window/WindowHandle.h"

namespace Platform {

// Results; negative is a failure.
constexpr HRESULT DI_OK = 0;
constexpr HRESULT DI_NOEFFECT = 1;       // already acquired, or not acquired on Unacquire
constexpr HRESULT DI_BUFFEROVERFLOW = 1; // records were lost because the buffer was full
constexpr HRESULT DIERR_GENERIC = E_FAIL;
constexpr HRESULT DIERR_OTHERAPPHASPRIO = static_cast<HRESULT>(0x80070005u); // no focus to acquire with
constexpr HRESULT DIERR_NOTACQUIRED = static_cast<HRESULT>(0x8007000Cu);
constexpr HRESULT DIERR_NOTINITIALIZED = static_cast<HRESULT>(0x80070015u);
constexpr HRESULT DIERR_INPUTLOST = static_cast<HRESULT>(0x8007001Eu);
constexpr HRESULT DIERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DIERR_ACQUIRED = static_cast<HRESULT>(0x800700AAu);
constexpr HRESULT DIERR_NOTBUFFERED = static_cast<HRESULT>(0x80040207u);

// CreateDeviceEx: the system keyboard and the system mouse.
enum class DeviceKind { SysKeyboard, SysMouse };
// SetDataFormat: the 256-byte keyboard state, or MouseState2.
enum class DataFormat { Keyboard, Mouse2 };
// SetProperty: the buffer size in records, for the whole device.
enum class DeviceProperty { BufferSize };

// SetCooperativeLevel flags: one of the first two with one of the last two.
constexpr uint32_t DISCL_EXCLUSIVE = 0x1;
constexpr uint32_t DISCL_NONEXCLUSIVE = 0x2;
constexpr uint32_t DISCL_FOREGROUND = 0x4;
constexpr uint32_t DISCL_BACKGROUND = 0x8;

// Record offsets of the mouse; a keyboard record's offset is its scan code
// (ScanCodes.h).
constexpr uint32_t DIMOFS_X = 0;
constexpr uint32_t DIMOFS_Y = 4;
constexpr uint32_t DIMOFS_Z = 8;
constexpr uint32_t DIMOFS_BUTTON0 = 12; // DIMOFS_BUTTON0 + n for button n, 0 .. 7

// One buffered record. Keys and buttons: bit 0x80 of data set = down. Axes:
// data is the signed movement (cast to int32_t); the wheel moves 120 a notch.
struct DeviceObjectData {
    uint32_t offset = 0;
    uint32_t data = 0;
    uint32_t timeStamp = 0; // milliseconds
    uint32_t sequence = 0;  // increases across both devices
};

// The mouse's immediate state: the movement since the previous read, and the
// buttons (bit 0x80 = down). Button 0 is the left one, 1 the right one, 2 the
// middle one, 3 and 4 the side ones.
struct MouseState2 {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    uint8_t buttons[8] = {};
};

constexpr uint32_t KEYBOARD_STATE_SIZE = 256; // bytes indexed by scan code, non-zero = down

class InputDevice {
public:
    virtual ~InputDevice() = default;
    virtual HRESULT SetDataFormat(DataFormat format) = 0;
    virtual HRESULT SetCooperativeLevel(WindowHandle window, uint32_t flags) = 0;
    virtual HRESULT SetProperty(DeviceProperty property, uint32_t value) = 0;
    virtual HRESULT Acquire() = 0;
    virtual HRESULT Unacquire() = 0;
    // In: count = room in records. Out: count = records taken from the
    // buffer, oldest first.
    virtual HRESULT GetDeviceData(DeviceObjectData* records, uint32_t& count) = 0;
    // size must be that of the data format: KEYBOARD_STATE_SIZE or
    // sizeof(MouseState2).
    virtual HRESULT GetDeviceState(uint32_t size, void* state) = 0;
};

class DirectInput {
public:
    virtual ~DirectInput() = default;
    virtual HRESULT CreateDeviceEx(DeviceKind kind, std::unique_ptr<InputDevice>& device) = 0;
};

class Input {
public:
    virtual ~Input() = default;
    virtual HRESULT DirectInputCreateEx(std::unique_ptr<DirectInput>& directInput) = 0;
};

// The implementation in use: the SDL one unless a test installed another.
Input& GetInput();
// Installs a replacement (null restores the SDL one); returns the previous.
Input* SetInput(Input* input);
using ScopedInput = ScopedInstall<Input, &SetInput>;

} // namespace Platform
