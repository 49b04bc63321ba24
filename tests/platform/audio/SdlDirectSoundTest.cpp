// The real device over SDL: opens headless with the dummy driver, and a
// machine without any audio driver fails the way the sound system expects.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/audio/DirectSound.h"

namespace {

using namespace Platform;

class DriverOverride {
public:
    explicit DriverOverride(const char* driver)
    {
        if (const char* old = std::getenv("SDL_AUDIODRIVER"))
            old_ = old;
        setenv("SDL_AUDIODRIVER", driver, 1);
    }
    ~DriverOverride()
    {
        if (old_.empty())
            unsetenv("SDL_AUDIODRIVER");
        else
            setenv("SDL_AUDIODRIVER", old_.c_str(), 1);
    }

private:
    std::string old_;
};

TEST(SdlDirectSoundTest, DummyDriverPlaysAndChangesFormat)
{
    DriverOverride driver("dummy");
    IDirectSound* device = nullptr;
    ASSERT_EQ(DirectSoundCreate(&device), DS_OK);
    ASSERT_EQ(device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
    BufferDescription description;
    description.flags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
    IDirectSoundBuffer* primary = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&description, &primary), DS_OK);

    // A new rate reopens the output.
    WaveFormat format;
    format.channels = 2;
    format.samplesPerSec = 44100;
    format.bitsPerSample = 16;
    format.blockAlign = 4;
    format.avgBytesPerSec = 44100 * 4;
    ASSERT_EQ(primary->SetFormat(&format), DS_OK);
    WaveFormat now;
    ASSERT_EQ(primary->GetFormat(&now), DS_OK);
    EXPECT_EQ(now.samplesPerSec, 44100u);

    BufferDescription secondary;
    secondary.flags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY;
    secondary.bufferBytes = 44100 * 4;
    secondary.format = &format;
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&secondary, &buffer), DS_OK);
    EXPECT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    uint32_t status = 0;
    ASSERT_EQ(buffer->GetStatus(&status), DS_OK);
    EXPECT_EQ(status, DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);

    // The device goes first; the buffers it made stay valid until released.
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(buffer->Stop(), DS_OK);
    EXPECT_EQ(buffer->Release(), 0u);
    EXPECT_EQ(primary->Release(), 0u);
}

TEST(SdlDirectSoundTest, NoDriverFailsCreation)
{
    DriverOverride driver("no_such_driver");
    IDirectSound* device = reinterpret_cast<IDirectSound*>(1);
    EXPECT_EQ(DirectSoundCreate(&device), DSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);
}

} // namespace
