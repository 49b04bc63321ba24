#include "engine/gui/ButtonMouse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ZorvaneEngine {
namespace {

// One frame of mouse input and what the button shows after it.
struct Frame {
    bool hovered, down, pressed;
    ButtonState state;
    bool clicked, hoverSound, clickSound;
};

struct Sequence {
    std::string name;
    std::vector<Frame> frames;
};

constexpr ButtonState N = ButtonStateNormal;
constexpr ButtonState H = ButtonStateHover;
constexpr ButtonState P = ButtonStatePressed;

TEST(ButtonMouseTest, SequencesOfFramesGiveStatesClicksAndSounds)
{
    const std::vector<Sequence> sequences = {
        {"press outside, move on, release: never latched, no click",
         {{false, true, true, N, false, false, false},
          {true, true, false, H, false, true, false},
          {true, false, false, H, false, false, false}}},
        {"press on, move off and back, release: clicked once",
         {{true, false, false, H, false, false, false},  // made under the cursor: no sound
          {true, true, true, P, false, false, true},
          {false, true, false, N, false, false, false},
          {true, true, false, P, false, false, false},  // latched: no hover sound
          {true, false, false, H, true, false, false},
          {true, false, false, H, false, false, false}}},
        {"press and release off the button: no click",
         {{true, true, true, P, false, false, true},
          {false, true, false, N, false, false, false},
          {false, false, false, N, false, false, false},
          {true, false, false, H, false, true, false}}},
        {"tap within one frame: latched, clicked in the next",
         {{false, false, false, N, false, false, false},
          {true, true, true, P, false, false, true},  // latched: no hover sound
          {true, false, false, H, true, false, false}}},
        {"hover sound on every entry while unlatched",
         {{false, false, false, N, false, false, false},
          {true, false, false, H, false, true, false},
          {true, false, false, H, false, false, false},
          {false, false, false, N, false, false, false},
          {true, false, false, H, false, true, false}}},
        {"a held press does not latch again",
         {{true, true, true, P, false, false, true},
          {true, true, true, P, false, false, false}}},
    };

    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        ButtonMouse button;
        for (size_t i = 0; i < sequence.frames.size(); ++i) {
            SCOPED_TRACE("frame " + std::to_string(i));
            const Frame& f = sequence.frames[i];
            const ButtonSounds sounds = button.Step(f.hovered, f.down, f.pressed);
            EXPECT_EQ(button.state, f.state);
            EXPECT_EQ(button.clicked, f.clicked);
            EXPECT_EQ(sounds.hover, f.hoverSound);
            EXPECT_EQ(sounds.click, f.clickSound);
        }
    }
}

TEST(ButtonMouseTest, DisablingKeepsTheLatchSoReenablingClicksOnRelease)
{
    ButtonMouse button;
    button.Step(true, true, true);
    button.SetEnabled(false);
    EXPECT_EQ(button.state, ButtonStateDisabled);
    EXPECT_TRUE(button.latched);
    button.SetEnabled(false);
    EXPECT_EQ(button.state, ButtonStateDisabled);

    button.SetEnabled(true);
    EXPECT_EQ(button.state, ButtonStateNormal);
    button.Step(true, false, false);
    EXPECT_TRUE(button.clicked);
    EXPECT_FALSE(button.latched);

    // Enabling an enabled button leaves its state alone.
    button.SetEnabled(true);
    EXPECT_EQ(button.state, ButtonStateHover);
}

TEST(ButtonMouseTest, CheckBoxFramesFollowStateAndCheck)
{
    const struct {
        ButtonState state;
        bool checked;
        uint32_t frame;
    } cases[] = {
        {N, false, 0}, {H, false, 1}, {P, false, 2}, {N, true, 3}, {H, true, 4}, {P, true, 5},
        {ButtonStateDisabled, false, 6}, {ButtonStateDisabled, true, 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckBoxFrameIndex(c.state, c.checked), c.frame)
            << "state " << c.state << " checked " << c.checked;
    }
}

} // namespace
} // namespace ZorvaneEngine
