#pragma once
// Inside the platform layer only: devices that play through SDL's audio
// output, the default audio devices.
#include "platform/audio/DirectSound.h"

namespace Platform {

AudioDevices& GetSdlAudioDevices();

} // namespace Platform
