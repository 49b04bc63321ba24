#include "platform/input/scripted/ScriptedInput.h"

#include <cstring>

#include "platform/system/scripted/ScriptedCallListener.h"

namespace Platform {
namespace {

HRESULT TakeScripted(std::deque<HRESULT>& results, HRESULT otherwise) {
    if (results.empty())
        return otherwise;
    const HRESULT result = results.front();
    results.pop_front();
    return result;
}

class ScriptedDevice final : public InputDevice {
public:
    ScriptedDevice(ScriptedInput& owner, DeviceKind kind)
        : owner_(owner), kind_(kind), name_(kind == DeviceKind::SysKeyboard ? "Keyboard." : "Mouse.") {
        Script().created = true;
    }
    ~ScriptedDevice() override {
        Record("Release()");
        Script().created = false;
        Script().acquired = false;
    }

    HRESULT SetDataFormat(DataFormat format) override {
        Record(std::string("SetDataFormat(") + (format == DataFormat::Keyboard ? "keyboard" : "mouse2") + ")");
        return Script().setDataFormatResult;
    }

    HRESULT SetCooperativeLevel(WindowHandle, uint32_t flags) override {
        Record("SetCooperativeLevel(" + std::to_string(flags) + ")");
        return Script().setCooperativeLevelResult;
    }

    HRESULT SetProperty(DeviceProperty, uint32_t value) override {
        Record("SetProperty(" + std::to_string(value) + ")");
        const HRESULT result = Script().setPropertyResult;
        if (result >= 0)
            Script().bufferSize = value;
        return result;
    }

    HRESULT Acquire() override {
        Record("Acquire()");
        ScriptedInput::Device& device = Script();
        const HRESULT result = TakeScripted(device.acquireResults, device.acquired ? DI_NOEFFECT : DI_OK);
        if (result >= 0) {
            device.acquired = true;
            device.lost = false;
        }
        return result;
    }

    HRESULT Unacquire() override {
        Record("Unacquire()");
        ScriptedInput::Device& device = Script();
        const bool was = device.acquired;
        device.acquired = false;
        device.lost = false;
        return was ? DI_OK : DI_NOEFFECT;
    }

    HRESULT GetDeviceData(DeviceObjectData* records, uint32_t& count) override {
        Record("GetDeviceData(" + std::to_string(count) + ")");
        const uint32_t room = count;
        count = 0;
        ScriptedInput::Device& device = Script();
        HRESULT success = DI_OK;
        if (HRESULT result = ReadableResult(device.dataResults, &success); result != DI_OK)
            return result;
        if (device.bufferSize == 0)
            return DIERR_NOTBUFFERED;
        if (!records && room > 0)
            return DIERR_INVALIDPARAM;
        while (count < room && !device.records.empty()) {
            records[count++] = device.records.front();
            device.records.pop_front();
        }
        return success;
    }

    HRESULT GetDeviceState(uint32_t size, void* state) override {
        Record("GetDeviceState(" + std::to_string(size) + ")");
        ScriptedInput::Device& device = Script();
        const bool keyboard = kind_ == DeviceKind::SysKeyboard;
        if (!state || size != (keyboard ? KEYBOARD_STATE_SIZE : sizeof(MouseState2)))
            return DIERR_INVALIDPARAM;
        if (HRESULT result = ReadableResult(device.stateResults); result != DI_OK)
            return result;
        if (keyboard)
            std::memcpy(state, device.keyboardState.data(), device.keyboardState.size());
        else
            std::memcpy(state, &device.mouseState, sizeof device.mouseState);
        return DI_OK;
    }

private:
    ScriptedInput::Device& Script() { return owner_.Of(kind_); }
    void Record(const std::string& call) {
        owner_.calls.push_back(name_ + call);
        ReportScriptedCall(name_ + call);
    }

    // A scripted success code (DI_BUFFEROVERFLOW) goes to success, for the
    // caller to answer once the read is done.
    HRESULT ReadableResult(std::deque<HRESULT>& scripted, HRESULT* success = nullptr) {
        ScriptedInput::Device& device = Script();
        const HRESULT result = TakeScripted(scripted, DI_OK);
        if (result < 0)
            return result;
        if (success)
            *success = result;
        if (device.lost) {
            device.lost = false;
            return DIERR_INPUTLOST;
        }
        return device.acquired ? DI_OK : DIERR_NOTACQUIRED;
    }

    ScriptedInput& owner_;
    DeviceKind kind_;
    std::string name_;
};

class ScriptedDirectInput final : public DirectInput {
public:
    explicit ScriptedDirectInput(ScriptedInput& owner) : owner_(owner) {}
    ~ScriptedDirectInput() override { owner_.calls.emplace_back("Release()"); }

    HRESULT CreateDeviceEx(DeviceKind kind, std::unique_ptr<InputDevice>& device) override {
        const bool keyboard = kind == DeviceKind::SysKeyboard;
        owner_.calls.push_back(std::string("CreateDeviceEx(") + (keyboard ? "keyboard" : "mouse") + ")");
        device.reset();
        if (owner_.Of(kind).failCreate)
            return DIERR_GENERIC;
        device = std::make_unique<ScriptedDevice>(owner_, kind);
        return DI_OK;
    }

private:
    ScriptedInput& owner_;
};

} // namespace

void ScriptedInput::PushRecord(DeviceKind kind, uint32_t offset, uint32_t data) {
    Of(kind).records.push_back(DeviceObjectData{offset, data, 0, nextSequence_++});
}

void ScriptedInput::InjectLoss(DeviceKind kind) {
    Device& device = Of(kind);
    if (device.acquired) {
        device.acquired = false;
        device.lost = true;
    }
}

HRESULT ScriptedInput::DirectInputCreateEx(std::unique_ptr<DirectInput>& directInput) {
    calls.emplace_back("DirectInputCreateEx()");
    directInput.reset();
    if (failCreate)
        return DIERR_GENERIC;
    directInput = std::make_unique<ScriptedDirectInput>(*this);
    return DI_OK;
}

} // namespace Platform
