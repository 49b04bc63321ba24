// GUI sounds reach the sound manager's queue by id, variant by variant, at
// most once per id within 10 ms; without a sound manager nothing happens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/Timer.h"
#include "engine/gui/GUISoundManager.h"
#include "tests/engine/sound/SoundFixture.h"

namespace ZorvaneEngine::SoundTest {
namespace {

class GUISoundManagerTest : public SoundFixture {
protected:
    void SetUp() override
    {
        SoundFixture::SetUp();
        WriteDataFile("menu/select_0.wav", Wav(Sine(22050, 22050, 440, 8000), 1, 22050));
        WriteDataFile("menu/select_1.wav", Wav(Sine(22050, 22050, 880, 8000), 1, 22050));
        WriteDataFile("menu/click.wav", Wav(Sine(22050, 22050, 220, 8000), 1, 22050));
        Open();
    }

    // The names of the sounds queued since the last call.
    std::vector<std::string> TakeQueued()
    {
        std::vector<std::string> names;
        for (const SoundCommand& command : manager->commandQueue) {
            EXPECT_EQ(command.operation, SoundCommand::Play);
            names.push_back(command.sound->GetName());
        }
        manager->commandQueue.clear();
        return names;
    }
};

TEST_F(GUISoundManagerTest, VariantsTakeTurnsAndOneIdSoundsOncePerInstant)
{
    GUISoundManager gui(&timers, manager.get());
    gui.volume = 0.5f;
    gui.AddSound(GUISoundButtonHover, "menu\\select_0.wav");
    gui.AddSound(GUISoundButtonHover, "menu\\select_1.wav");
    gui.AddSound(GUISoundButtonClick, "menu\\click.wav");
    for (const SoundVariant& variant : *gui.GetVariants(GUISoundButtonHover)) {
        EXPECT_EQ(variant.sound->GetVolume(), 0.5f);
    }

    struct Step {
        uint32_t advanceMs;
        std::vector<GUISoundId> requests;
        std::vector<std::string> queued;
    };
    const Step steps[] = {
        // Two buttons hovered in one frame start one sound.
        {100, {GUISoundButtonHover, GUISoundButtonHover}, {"menu\\select_0.wav"}},
        {100, {GUISoundButtonHover}, {"menu\\select_1.wav"}},
        // Within 10 ms of the last play of the id: nothing.
        {5, {GUISoundButtonHover}, {}},
        // Another id is not held back; an id never registered plays nothing.
        {0, {GUISoundButtonClick, GUISoundEditBoxChange}, {"menu\\click.wav"}},
        {100, {GUISoundButtonHover}, {"menu\\select_0.wav"}},
        {100, {GUISoundButtonHover, GUISoundButtonClick}, {"menu\\select_1.wav", "menu\\click.wav"}},
    };
    for (const Step& step : steps) {
        clock.Advance(step.advanceMs);
        for (GUISoundId id : step.requests) {
            gui.PlaySound(id);
        }
        EXPECT_EQ(TakeQueued(), step.queued) << "after " << timers.GetMainTimer()->GetTime() << " s";
    }

    // The queue runs at the sound manager's next update, not before.
    clock.Advance(100);
    gui.PlaySound(GUISoundButtonClick);
    const Sound* click = gui.GetVariants(GUISoundButtonClick)->front().sound;
    EXPECT_NE(click->GetState(), SoundState::Playing);
    manager->Update(true);
    EXPECT_TRUE(manager->commandQueue.empty());
    EXPECT_EQ(click->GetState(), SoundState::Playing);
}

TEST_F(GUISoundManagerTest, EndingHandsTheSoundsBack)
{
    {
        GUISoundManager gui(&timers, manager.get());
        gui.AddSound(GUISoundButtonHover, "menu\\select_0.wav");
        gui.AddSound(GUISoundButtonClick, "menu\\click.wav");
        EXPECT_EQ(manager->GetUsedSlots().size(), 2u);
    }
    EXPECT_TRUE(manager->GetUsedSlots().empty());
}

TEST_F(GUISoundManagerTest, WithoutASoundManagerNothingHappens)
{
    // Nothing is registered and nothing plays; the missing manager is never
    // touched (the end of the object included).
    GUISoundManager gui(&timers, nullptr);
    gui.AddSound(GUISoundButtonHover, "menu\\select_0.wav");
    gui.AddSound(GUISoundButtonClick, "menu\\click.wav");
    clock.Advance(100);
    gui.PlaySound(GUISoundButtonHover);
    gui.PlaySound(GUISoundButtonClick);
    EXPECT_EQ(gui.GetVariants(GUISoundButtonHover), nullptr);
    EXPECT_EQ(gui.GetVariants(GUISoundButtonClick), nullptr);
}

} // namespace
} // namespace ZorvaneEngine::SoundTest
