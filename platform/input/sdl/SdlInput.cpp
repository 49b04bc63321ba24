#include "platform/input/sdl/SdlInput.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <limits>

#include "platform/input/sdl/SdlScanCodes.h"
#include "platform/window/sdl/SdlEventPump.h"

namespace Platform {
namespace {

constexpr int32_t WHEEL_DELTA = 120; // one notch of the wheel

uint32_t nextSequence = 1; // shared by both devices, as the records interleave

int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// A device fed by the shared SDL pump. SDL reports input only while one of
// the program's windows has the focus, so a device can be acquired only
// then, and a focus loss takes the acquisition away (DIERR_INPUTLOST once,
// then DIERR_NOTACQUIRED until acquired again).
class SdlInputDevice final : public InputDevice, public SdlEventListener {
public:
    explicit SdlInputDevice(DeviceKind kind) : kind_(kind) { AddSdlEventListener(this); }
    ~SdlInputDevice() override { RemoveSdlEventListener(this); }

    HRESULT SetDataFormat(DataFormat format) override {
        if (acquired_)
            return DIERR_ACQUIRED;
        const DataFormat expected = kind_ == DeviceKind::SysKeyboard ? DataFormat::Keyboard : DataFormat::Mouse2;
        if (format != expected)
            return DIERR_INVALIDPARAM;
        formatSet_ = true;
        return DI_OK;
    }

    HRESULT SetCooperativeLevel(WindowHandle, uint32_t flags) override {
        const uint32_t access = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
        const uint32_t when = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
        if ((access != DISCL_EXCLUSIVE && access != DISCL_NONEXCLUSIVE) ||
            (when != DISCL_FOREGROUND && when != DISCL_BACKGROUND))
            return DIERR_INVALIDPARAM;
        return DI_OK;
    }

    HRESULT SetProperty(DeviceProperty property, uint32_t value) override {
        if (property != DeviceProperty::BufferSize)
            return DIERR_INVALIDPARAM;
        if (acquired_)
            return DIERR_ACQUIRED;
        bufferSize_ = value;
        return DI_OK;
    }

    HRESULT Acquire() override {
        if (!formatSet_)
            return DIERR_INVALIDPARAM;
        if (acquired_)
            return DI_NOEFFECT;
        if (!SdlProgramHasFocus())
            return DIERR_OTHERAPPHASPRIO;
        acquired_ = true;
        lost_ = false;
        SeedState();
        return DI_OK;
    }

    HRESULT Unacquire() override {
        lost_ = false;
        if (!acquired_)
            return DI_NOEFFECT;
        Release();
        return DI_OK;
    }

    HRESULT GetDeviceData(DeviceObjectData* records, uint32_t& count) override {
        const uint32_t room = count;
        count = 0;
        PumpSdlEvents();
        if (HRESULT result = ReadableResult(); result != DI_OK)
            return result;
        if (bufferSize_ == 0)
            return DIERR_NOTBUFFERED;
        if (!records && room > 0)
            return DIERR_INVALIDPARAM;
        while (count < room && !buffer_.empty()) {
            records[count++] = buffer_.front();
            buffer_.pop_front();
        }
        const HRESULT result = overflow_ ? DI_BUFFEROVERFLOW : DI_OK;
        overflow_ = false;
        return result;
    }

    HRESULT GetDeviceState(uint32_t size, void* state) override {
        PumpSdlEvents();
        if (!formatSet_)
            return DIERR_NOTINITIALIZED;
        const bool keyboard = kind_ == DeviceKind::SysKeyboard;
        if (!state || size != (keyboard ? KEYBOARD_STATE_SIZE : sizeof(MouseState2)))
            return DIERR_INVALIDPARAM;
        if (HRESULT result = ReadableResult(); result != DI_OK)
            return result;
        if (keyboard) {
            std::memcpy(state, keys_.data(), keys_.size());
        } else {
            MouseState2 mouse;
            mouse.x = Saturate(motionX_);
            mouse.y = Saturate(motionY_);
            mouse.z = Saturate(motionZ_);
            std::memcpy(mouse.buttons, buttons_.data(), buttons_.size());
            std::memcpy(state, &mouse, sizeof mouse);
            motionX_ = motionY_ = motionZ_ = 0;
        }
        return DI_OK;
    }

    void OnSdlEvent(const SDL_Event& event) override {
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            if (acquired_) {
                Release();
                lost_ = true;
            }
            return;
        }
        if (!acquired_)
            return;
        if (kind_ == DeviceKind::SysKeyboard)
            OnKeyboardEvent(event);
        else
            OnMouseEvent(event);
    }

    void OnSdlPumpEnd() override {
        // All the movement of one pump in one record per axis: a fast mouse
        // would otherwise fill the buffer with motion and push out the buttons.
        if (pendingX_ != 0)
            Add(DIMOFS_X, static_cast<uint32_t>(Saturate(pendingX_)), pendingTime_);
        if (pendingY_ != 0)
            Add(DIMOFS_Y, static_cast<uint32_t>(Saturate(pendingY_)), pendingTime_);
        if (pendingZ_ != 0)
            Add(DIMOFS_Z, static_cast<uint32_t>(Saturate(pendingZ_)), pendingTime_);
        pendingX_ = pendingY_ = pendingZ_ = 0;
    }

private:
    HRESULT ReadableResult() {
        if (lost_) {
            lost_ = false;
            return DIERR_INPUTLOST;
        }
        return acquired_ ? DI_OK : DIERR_NOTACQUIRED;
    }

    // Ends the acquisition: what the device held is forgotten, as no release
    // of the keys held now will be reported.
    void Release() {
        acquired_ = false;
        buffer_.clear();
        overflow_ = false;
        keys_.fill(0);
        buttons_.fill(0);
        motionX_ = motionY_ = motionZ_ = 0;
        pendingX_ = pendingY_ = pendingZ_ = 0;
    }

    // Keys and buttons already down when the device is acquired.
    void SeedState() {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
            return;
        if (kind_ == DeviceKind::SysKeyboard) {
            int keyCount = 0;
            const Uint8* state = SDL_GetKeyboardState(&keyCount);
            for (int scancode = 0; state && scancode < keyCount; ++scancode) {
                const uint32_t scanCode = SdlScancodeToScanCode(static_cast<SDL_Scancode>(scancode));
                if (state[scancode] && scanCode != 0)
                    keys_[scanCode] = 0x80;
            }
        } else {
            const Uint32 mask = SDL_GetMouseState(nullptr, nullptr);
            for (Uint8 button = SDL_BUTTON_LEFT; button <= SDL_BUTTON_X2; ++button) {
                const int index = SdlButtonToButtonIndex(button);
                if ((mask & SDL_BUTTON(button)) && index >= 0)
                    buttons_[static_cast<size_t>(index)] = 0x80;
            }
        }
    }

    void Add(uint32_t offset, uint32_t data, uint32_t timeStamp) {
        if (bufferSize_ == 0)
            return;
        if (buffer_.size() >= bufferSize_) {
            overflow_ = true;
            return;
        }
        buffer_.push_back(DeviceObjectData{offset, data, timeStamp, nextSequence++});
    }

    void OnKeyboardEvent(const SDL_Event& event) {
        if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP)
            return;
        if (event.key.repeat)
            return; // a held key is one press
        const uint32_t scanCode = SdlScancodeToScanCode(event.key.keysym.scancode);
        if (scanCode == 0)
            return;
        const uint8_t data = event.type == SDL_KEYDOWN ? 0x80 : 0;
        keys_[scanCode] = data;
        Add(scanCode, data, event.key.timestamp);
    }

    void OnMouseEvent(const SDL_Event& event) {
        switch (event.type) {
        case SDL_MOUSEMOTION:
            if (event.motion.which == SDL_TOUCH_MOUSEID)
                return;
            AddMotion(event.motion.xrel, event.motion.yrel, 0, event.motion.timestamp);
            break;
        case SDL_MOUSEWHEEL: {
            if (event.wheel.which == SDL_TOUCH_MOUSEID)
                return;
            int64_t notches = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
                notches = -notches;
            AddMotion(0, 0, notches * WHEEL_DELTA, event.wheel.timestamp);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            if (event.button.which == SDL_TOUCH_MOUSEID)
                return;
            const int index = SdlButtonToButtonIndex(event.button.button);
            if (index < 0)
                return;
            const uint8_t data = event.type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0;
            buttons_[static_cast<size_t>(index)] = data;
            Add(DIMOFS_BUTTON0 + static_cast<uint32_t>(index), data, event.button.timestamp);
            break;
        }
        default: break;
        }
    }

    void AddMotion(int64_t x, int64_t y, int64_t z, uint32_t timeStamp) {
        if (bufferSize_ > 0) {
            pendingX_ += x;
            pendingY_ += y;
            pendingZ_ += z;
            pendingTime_ = timeStamp;
        } else {
            motionX_ += x;
            motionY_ += y;
            motionZ_ += z;
        }
    }

    DeviceKind kind_;
    bool formatSet_ = false;
    uint32_t bufferSize_ = 0;
    bool acquired_ = false;
    bool lost_ = false;
    bool overflow_ = false;
    std::deque<DeviceObjectData> buffer_;
    std::array<uint8_t, KEYBOARD_STATE_SIZE> keys_{};
    std::array<uint8_t, 8> buttons_{};
    int64_t motionX_ = 0, motionY_ = 0, motionZ_ = 0;    // immediate mode, since the last read
    int64_t pendingX_ = 0, pendingY_ = 0, pendingZ_ = 0; // buffered mode, this pump
    uint32_t pendingTime_ = 0;
};

class SdlDirectInput final : public DirectInput {
public:
    ~SdlDirectInput() override { SDL_QuitSubSystem(SDL_INIT_EVENTS); }

    HRESULT CreateDeviceEx(DeviceKind kind, std::unique_ptr<InputDevice>& device) override {
        device = std::make_unique<SdlInputDevice>(kind);
        return DI_OK;
    }
};

class SdlInput final : public Input {
public:
    HRESULT DirectInputCreateEx(std::unique_ptr<DirectInput>& directInput) override {
        directInput.reset();
        // Held by the object until it goes, so that events flow without a window too.
        if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0)
            return DIERR_GENERIC;
        directInput = std::make_unique<SdlDirectInput>();
        return DI_OK;
    }
};

} // namespace

Input& GetSdlInput() {
    static SdlInput input;
    return input;
}

} // namespace Platform
