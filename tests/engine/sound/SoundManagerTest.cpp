// The sound manager's command queue and slot table.
#include "SoundFixture.h"

namespace ZorvaneEngine::SoundTest {
namespace {

using namespace Platform;

class SoundManagerTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        if (HasFatalFailure())
            return;
        WriteDataFile("a.wav", Wav(Sine(22050, 22050, 441.0, 8000.0), 1, 22050));
        WriteDataFile("b.wav", Wav(Sine(22050, 22050, 882.0, 8000.0), 1, 22050));
        Open();
    }

    // The device's play and stop calls as "Play <buffer>", "Stop <buffer>".
    std::vector<std::string> PlayAndStopCalls() const {
        std::vector<std::string> calls;
        for (const AudioCall& call : audio.Calls()) {
            if (call.method == "Play" || call.method == "Stop")
                calls.push_back(call.method + " " + std::to_string(call.object));
        }
        return calls;
    }

    uint32_t Id(Sound* sound) const { return audio.Inspect(BufferOf(sound)->GetDeviceBuffer()).id; }
};

TEST_F(SoundManagerTest, QueuedCommandsWaitForAnUpdateThatRunsThemAndRunInOrder) {
    Sound* a = manager->CreateSound("a.wav");
    Sound* b = manager->CreateSound("b.wav");
    const std::string playA = "Play " + std::to_string(Id(a));
    const std::string playB = "Play " + std::to_string(Id(b));
    const std::string stopA = "Stop " + std::to_string(Id(a));
    const std::string stopB = "Stop " + std::to_string(Id(b));
    audio.ClearCalls();

    // While loading, the queue waits.
    manager->Play(a, false);
    manager->commandQueue.push_back({SoundCommand::Play, b});
    Frame(100, false);
    Frame(100, false);
    EXPECT_EQ(manager->commandQueue.size(), 2u);
    EXPECT_EQ(a->GetState(), SoundState::Stopped);
    EXPECT_TRUE(PlayAndStopCalls().empty());

    manager->commandQueue.push_back({7, b});
    Frame(100);
    manager->commandQueue.push_back({SoundCommand::Pause, a});
    Frame(0);
    EXPECT_TRUE(manager->commandQueue.empty());
    EXPECT_EQ(PlayAndStopCalls(), (std::vector<std::string>{playA, playB, stopA}));
    EXPECT_EQ(a->GetState(), SoundState::Paused);
    EXPECT_EQ(b->GetState(), SoundState::Playing);

    // A stop rewinds; a paused static sound goes on where it paused.
    audio.ClearCalls();
    manager->commandQueue.push_back({SoundCommand::Stop, b});
    manager->commandQueue.push_back({SoundCommand::Play, a});
    Frame(0);
    EXPECT_EQ(PlayAndStopCalls(), (std::vector<std::string>{stopB, playA}));
    EXPECT_EQ(b->GetState(), SoundState::Stopped);
    EXPECT_EQ(audio.Inspect(BufferOf(b)->GetDeviceBuffer()).position, 0u);
    EXPECT_EQ(audio.Inspect(BufferOf(a)->GetDeviceBuffer()).position, 2205u * 2);
    EXPECT_EQ(a->GetState(), SoundState::Playing);
}

TEST_F(SoundManagerTest, FreedSlotsAreReusedLastFreedFirstAndPendingCommandsGoWithTheirSound) {
    Sound* a = manager->CreateSound("a.wav");
    Sound* b = manager->CreateSound("b.wav");
    Sound* c = manager->CreateSound("a.wav");
    EXPECT_EQ(manager->GetSound(0), a);
    EXPECT_EQ(manager->GetSound(1), b);
    EXPECT_EQ(manager->GetSound(2), c);

    manager->Play(c, false);
    manager->Play(a, false);
    manager->DeleteSound(c);
    ASSERT_EQ(manager->commandQueue.size(), 1u);
    EXPECT_EQ(manager->commandQueue[0].sound, a);
    Sound* d = manager->CreateSound("b.wav");
    EXPECT_EQ(manager->GetSound(2), d);

    manager->DeleteSound(b);
    manager->DeleteSound(d);
    manager->DeleteSound(nullptr);
    Sound* e = manager->CreateSound("a.wav");
    Sound* f = manager->CreateSound("a.wav");
    EXPECT_EQ(manager->GetSound(2), e);
    EXPECT_EQ(manager->GetSound(1), f);
    EXPECT_EQ(manager->GetSlotCount(), 3u);
    EXPECT_EQ(manager->GetUsedSlots(), (std::vector<uint32_t>{0, 2, 1}));
    Frame(10);
    EXPECT_EQ(a->GetState(), SoundState::Playing);
}

}  // namespace
}  // namespace ZorvaneEngine::SoundTest
