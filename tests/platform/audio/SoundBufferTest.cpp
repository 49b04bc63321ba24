// The device's buffers: what creation accepts, lock regions that wrap,
// duplicates sharing their samples, status bits and lost buffers, controls,
// the 3D values, and the scripted device's record and faults.
#include "AudioFixture.h"

namespace AudioTest {
namespace {

class SoundBufferTest : public AudioFixture {};

struct CreationCase {
    const char* what;
    WaveFormat format;
    uint32_t bytes;
    uint32_t flags;
    HRESULT expected;
};

WaveFormat With(WaveFormat format, void (*change)(WaveFormat&))
{
    change(format);
    return format;
}

TEST_F(SoundBufferTest, CreationValidatesFormatAndSize)
{
    const WaveFormat mono16 = Pcm(1, 22050, 16);
    const CreationCase cases[] = {
        {"mono 16-bit static", mono16, 300000, kControls, DS_OK},
        {"stereo 8-bit stream", Pcm(2, 44100, 8), 0x100000, 0xA0, DS_OK},
        {"mono with 3D", mono16, 1000, kControls | DSBCAPS_CTRL3D, DS_OK},
        {"lowest rate", Pcm(1, 100, 8), 4, 0, DS_OK},
        {"zero channels", With(mono16, [](WaveFormat& f) { f.channels = 0; }), 1000, 0,
         DSERR_INVALIDPARAM},
        {"zero rate", With(mono16, [](WaveFormat& f) { f.samplesPerSec = 0; }), 1000, 0,
         DSERR_INVALIDPARAM},
        {"zero bits", With(mono16, [](WaveFormat& f) { f.bitsPerSample = 0; }), 1000, 0,
         DSERR_INVALIDPARAM},
        {"block align disagrees", With(mono16, [](WaveFormat& f) { f.blockAlign = 4; }), 1000, 0,
         DSERR_INVALIDPARAM},
        {"bytes per second disagree", With(mono16, [](WaveFormat& f) { f.avgBytesPerSec = 1; }),
         1000, 0, DSERR_INVALIDPARAM},
        {"24 bits", Pcm(1, 22050, 24), 1200, 0, DSERR_BADFORMAT},
        {"three channels", Pcm(3, 22050, 16), 1200, 0, DSERR_BADFORMAT},
        {"not PCM", With(mono16, [](WaveFormat& f) { f.formatTag = 3; }), 1000, 0,
         DSERR_BADFORMAT},
        {"rate too high", Pcm(1, 200000, 16), 1000, 0, DSERR_BADFORMAT},
        {"zero size", mono16, 0, 0, DSERR_INVALIDPARAM},
        {"size below minimum", mono16, 2, 0, DSERR_INVALIDPARAM},
        {"absurd size", mono16, 0xFFFFFFF0u, 0, DSERR_INVALIDPARAM},
        {"smaller than a frame", Pcm(2, 22050, 16), 3, 0, DSERR_INVALIDPARAM},
        {"stereo with 3D", Pcm(2, 22050, 16), 1000, DSBCAPS_CTRL3D, DSERR_INVALIDPARAM},
    };
    for (const CreationCase& c : cases) {
        SCOPED_TRACE(c.what);
        HRESULT result = DS_OK;
        IDirectSoundBuffer* buffer = Create(c.format, c.bytes, c.flags, &result);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(buffer != nullptr, c.expected == DS_OK);
    }

    // A description of the wrong size, none at all, or a secondary buffer
    // without a format; a primary buffer with a size.
    BufferDescription description;
    description.bufferBytes = 1000;
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer), DSERR_INVALIDPARAM);
    description.format = &mono16;
    description.size = 24;
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer), DSERR_INVALIDPARAM);
    EXPECT_EQ(device->CreateSoundBuffer(nullptr, &buffer), DSERR_INVALIDPARAM);
    BufferDescription primaryWithSize;
    primaryWithSize.flags = DSBCAPS_PRIMARYBUFFER;
    primaryWithSize.bufferBytes = 1000;
    EXPECT_EQ(device->CreateSoundBuffer(&primaryWithSize, &buffer), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer, nullptr);
}

TEST_F(SoundBufferTest, NewBufferHoldsSilenceAtTheFormatsRate)
{
    IDirectSoundBuffer* eight = Create(Pcm(1, 11025, 8), 64);
    IDirectSoundBuffer* sixteen = Create(Pcm(2, 44100, 16), 64);
    const AudioBufferState e = audio.Inspect(eight);
    const AudioBufferState s = audio.Inspect(sixteen);
    EXPECT_EQ(*e.memory, std::vector<uint8_t>(64, 0x80));
    EXPECT_EQ(*s.memory, std::vector<uint8_t>(64, 0x00));
    EXPECT_EQ(e.frequency, 11025u);
    EXPECT_EQ(s.volume, 0);
    EXPECT_FALSE(s.playing);
    ASSERT_EQ(eight->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    ASSERT_EQ(sixteen->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(audio.Render(100), std::vector<int16_t>(200, 0));
}

TEST_F(SoundBufferTest, LockWrapsAtTheEndAndUnlockWritesBothParts)
{
    IDirectSoundBuffer* buffer = Create(Pcm(1, 22050, 16), 16);
    void* p1 = nullptr;
    void* p2 = nullptr;
    uint32_t n1 = 0;
    uint32_t n2 = 0;
    ASSERT_EQ(buffer->Lock(12, 8, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 4u);
    EXPECT_EQ(n2, 4u);
    ASSERT_NE(p2, nullptr);
    // Locked twice before the unlock: refused.
    void* q = nullptr;
    uint32_t m = 0;
    EXPECT_EQ(buffer->Lock(0, 4, &q, &m, nullptr, nullptr, 0), DSERR_INVALIDCALL);
    std::memset(p1, 0x11, n1);
    std::memset(p2, 0x22, n2);
    // Nothing reaches the samples before the unlock.
    EXPECT_EQ(*audio.Inspect(buffer).memory, std::vector<uint8_t>(16, 0));
    // Unlock with other pointers or more bytes than locked is refused.
    EXPECT_EQ(buffer->Unlock(p2, n1, p1, n2), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(p1, n1 + 1, p2, n2), DSERR_INVALIDPARAM);
    ASSERT_EQ(buffer->Unlock(p1, n1, p2, n2), DS_OK);
    const std::vector<uint8_t> expected = {0x22, 0x22, 0x22, 0x22, 0, 0, 0, 0,
                                           0,    0,    0,    0,    0x11, 0x11, 0x11, 0x11};
    EXPECT_EQ(*audio.Inspect(buffer).memory, expected);

    // Without a wrap the second part is empty; the whole buffer at once.
    ASSERT_EQ(buffer->Lock(0, 16, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 16u);
    EXPECT_EQ(n2, 0u);
    EXPECT_EQ(p2, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(p1), static_cast<uint8_t*>(p1) + 16),
              expected);
    ASSERT_EQ(buffer->Unlock(p1, 0, nullptr, 0), DS_OK);
    EXPECT_EQ(*audio.Inspect(buffer).memory, expected);

    for (auto [offset, bytes] : {std::pair{16u, 1u}, {0u, 0u}, {0u, 17u}}) {
        SCOPED_TRACE(testing::Message() << offset << " + " << bytes);
        EXPECT_EQ(buffer->Lock(offset, bytes, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    }
    EXPECT_EQ(buffer->Unlock(p1, 1, nullptr, 0), DSERR_INVALIDPARAM); // nothing locked
}

TEST_F(SoundBufferTest, DuplicateSharesSamplesButNotItsState)
{
    const WaveFormat format = Pcm(1, 22050, 16);
    IDirectSoundBuffer* original = Create(format, 2 * 1000);
    ASSERT_EQ(original->SetVolume(-2000), DS_OK);
    ASSERT_EQ(original->SetFrequency(11025), DS_OK);
    ASSERT_EQ(original->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    IDirectSoundBuffer* copy = Duplicate(original);
    ASSERT_NE(copy, nullptr);
    const AudioBufferState o = audio.Inspect(original);
    const AudioBufferState c = audio.Inspect(copy);
    EXPECT_EQ(c.memory, o.memory);
    EXPECT_NE(c.id, o.id);
    EXPECT_EQ(c.flags, o.flags);
    EXPECT_FALSE(c.playing);
    EXPECT_EQ(c.volume, 0);
    EXPECT_EQ(c.frequency, 22050u);
    ASSERT_EQ(original->Stop(), DS_OK);

    // Samples written through the original after duplicating are what the
    // copy plays, also once the original is gone.
    Write(original, 0, MakePcm(format, 1000, [](uint32_t, uint16_t) { return 1234.0; }));
    buffers.erase(std::find(buffers.begin(), buffers.end(), original));
    EXPECT_EQ(original->Release(), 0u);
    ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(audio.Render(500), std::vector<int16_t>(1000, 1234));

    IDirectSoundBuffer* none = reinterpret_cast<IDirectSoundBuffer*>(1);
    EXPECT_EQ(device->DuplicateSoundBuffer(nullptr, &none), DSERR_INVALIDPARAM);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(device->DuplicateSoundBuffer(primary, &none), DSERR_INVALIDCALL);
}

TEST_F(SoundBufferTest, StatusBitsAndLostBuffers)
{
    IDirectSoundBuffer* buffer = Create(Pcm(1, 22050, 16), 4000);
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(Status(primary), 0u);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);
    EXPECT_EQ(Status(primary), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);

    audio.LoseBuffers();
    EXPECT_EQ(Status(buffer), DSBSTATUS_BUFFERLOST);
    // The primary buffer reports the lost bit alone.
    EXPECT_EQ(Status(primary), DSBSTATUS_BUFFERLOST);
    void* p1 = nullptr;
    uint32_t n1 = 0;
    EXPECT_EQ(buffer->Lock(0, 4, &p1, &n1, nullptr, nullptr, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(buffer->Play(0, 0, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(audio.Render(10), std::vector<int16_t>(20, 0));

    ASSERT_EQ(buffer->Restore(), DS_OK);
    ASSERT_EQ(primary->Restore(), DS_OK);
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(Status(primary), 0u);
    EXPECT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(buffer->GetStatus(nullptr), DSERR_INVALIDPARAM);

    // One buffer alone: its duplicate and the primary buffer play on.
    IDirectSoundBuffer* copy = Duplicate(buffer);
    ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
    audio.LoseBuffer(buffer);
    EXPECT_EQ(Status(buffer), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(Status(copy), DSBSTATUS_PLAYING);
    EXPECT_EQ(Status(primary), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
}

TEST_F(SoundBufferTest, ControlsNeedTheirCapabilityAndRange)
{
    IDirectSoundBuffer* bare = Create(Pcm(1, 22050, 16), 100, DSBCAPS_STATIC);
    EXPECT_EQ(bare->SetVolume(-100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(bare->SetFrequency(11025), DSERR_CONTROLUNAVAIL);
    IDirectSound3DBuffer* none3D = nullptr;
    EXPECT_EQ(bare->QueryInterface(&none3D), DSERR_NOINTERFACE);

    IDirectSoundBuffer* buffer = Create(Pcm(1, 22050, 16), 100);
    EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-693), DS_OK);
    EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(audio.Inspect(buffer).volume, -693);
    EXPECT_EQ(buffer->SetFrequency(99), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetFrequency(100001), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetFrequency(33075), DS_OK);
    EXPECT_EQ(audio.Inspect(buffer).frequency, 33075u);
    EXPECT_EQ(buffer->SetFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
    EXPECT_EQ(audio.Inspect(buffer).frequency, 22050u);
    EXPECT_EQ(buffer->Play(1, 0, 0), DSERR_INVALIDPARAM);
    const WaveFormat format = audio.Inspect(buffer).format;
    EXPECT_EQ(buffer->SetFormat(&format), DSERR_INVALIDCALL);
}

TEST_F(SoundBufferTest, ThreeDimensionalValuesAreStoredAndDeferredUntilCommit)
{
    // The listener exists only on a primary buffer asked for with 3D.
    IDirectSound3DListener* listener = nullptr;
    EXPECT_EQ(primary->QueryInterface(&listener), DSERR_NOINTERFACE);
    primary->Release();
    BufferDescription description;
    description.flags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D;
    ASSERT_EQ(device->CreateSoundBuffer(&description, &primary), DS_OK);
    ASSERT_EQ(primary->QueryInterface(&listener), DS_OK);

    IDirectSoundBuffer* buffer = Create(Pcm(1, 22050, 16), 100, kControls | DSBCAPS_CTRL3D);
    IDirectSound3DBuffer* buffer3D = nullptr;
    ASSERT_EQ(buffer->QueryInterface(&buffer3D), DS_OK);

    ASSERT_EQ(listener->SetPosition(1, 2, 3, DS3D_DEFERRED), DS_OK);
    ASSERT_EQ(listener->SetOrientation(0, 0, -1, 0, 1, 0, DS3D_DEFERRED), DS_OK);
    ASSERT_EQ(buffer3D->SetPosition(4, 5, 6, DS3D_DEFERRED), DS_OK);
    Vector3D position;
    Vector3D front;
    Vector3D top;
    ASSERT_EQ(listener->GetPosition(&position), DS_OK);
    EXPECT_EQ(position.x, 0.0f);
    ASSERT_EQ(buffer3D->GetPosition(&position), DS_OK);
    EXPECT_EQ(position.x, 0.0f);

    ASSERT_EQ(listener->CommitDeferredSettings(), DS_OK);
    ASSERT_EQ(listener->GetPosition(&position), DS_OK);
    EXPECT_EQ(position.z, 3.0f);
    ASSERT_EQ(listener->GetOrientation(&front, &top), DS_OK);
    EXPECT_EQ(front.z, -1.0f);
    EXPECT_EQ(top.y, 1.0f);
    ASSERT_EQ(buffer3D->GetPosition(&position), DS_OK);
    EXPECT_EQ(position.y, 5.0f);
    ASSERT_EQ(buffer3D->SetPosition(7, 8, 9, DS3D_IMMEDIATE), DS_OK);
    EXPECT_EQ(audio.Inspect(buffer).position3D.x, 7.0f);

    // The 3D sides hold references of their buffers.
    EXPECT_EQ(audio.Inspect(buffer).references, 2u);
    EXPECT_EQ(buffer3D->Release(), 1u);
    EXPECT_EQ(listener->Release(), 1u);
}

TEST_F(SoundBufferTest, ScriptedDeviceRecordsCallsAndInjectsFaults)
{
    // The opening sequence of the fixture, in order.
    const std::vector<std::string> opening = {"DirectSoundCreate", "SetCooperativeLevel",
                                              "CreateSoundBuffer", "SetFormat"};
    ASSERT_EQ(audio.Calls().size(), opening.size());
    for (size_t i = 0; i < opening.size(); ++i)
        EXPECT_EQ(audio.Calls()[i].method, opening[i]);
    EXPECT_EQ(audio.Calls()[2].args, (std::vector<double>{0x81, 0, 0, 0, 0}));
    EXPECT_EQ(audio.Calls()[3].args, (std::vector<double>{2, 22050, 16}));
    EXPECT_EQ(audio.CooperativeLevel(), DSSCL_PRIORITY);

    // A device that cannot be opened.
    audio.Fail("DirectSoundCreate", DSERR_NODRIVER);
    IDirectSound* second = reinterpret_cast<IDirectSound*>(1);
    EXPECT_EQ(DirectSoundCreate(&second), DSERR_NODRIVER);
    EXPECT_EQ(second, nullptr);

    // A failing lock, once, on one buffer.
    IDirectSoundBuffer* a = Create(Pcm(1, 22050, 16), 100);
    IDirectSoundBuffer* b = Create(Pcm(1, 22050, 16), 100);
    audio.Fail("Lock", DSERR_INVALIDCALL, 1, audio.Inspect(b).id);
    void* p1 = nullptr;
    uint32_t n1 = 0;
    ASSERT_EQ(a->Lock(0, 4, &p1, &n1, nullptr, nullptr, 0), DS_OK);
    ASSERT_EQ(a->Unlock(p1, n1, nullptr, 0), DS_OK);
    EXPECT_EQ(b->Lock(0, 4, &p1, &n1, nullptr, nullptr, 0), DSERR_INVALIDCALL);
    EXPECT_EQ(b->Lock(0, 4, &p1, &n1, nullptr, nullptr, 0), DS_OK);
    ASSERT_EQ(b->Unlock(p1, n1, nullptr, 0), DS_OK);
    const auto locks = audio.CallsOf("Lock");
    ASSERT_EQ(locks.size(), 3u);
    EXPECT_EQ(locks[1].object, audio.Inspect(b).id);
    EXPECT_EQ(locks[1].result, DSERR_INVALIDCALL);
    EXPECT_EQ(locks[2].args, (std::vector<double>{0, 4, 0}));

    // The primary buffer's format needs the priority level.
    device->SetCooperativeLevel(nullptr, DSSCL_NORMAL);
    const WaveFormat format = Pcm(2, 44100, 16);
    EXPECT_EQ(primary->SetFormat(&format), DSERR_PRIOLEVELNEEDED);
}

} // namespace
} // namespace AudioTest
